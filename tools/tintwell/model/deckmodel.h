#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

// An in-memory fan deck, as the source reader and the demo generator produce it and the
// deck writer turns it into a collection file. Cards and chips are addressed by their
// position in the collection (page index - 1, row index - 1).
namespace Tintwell {

struct Rgb
{
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb &other) const
    {
        return red == other.red && green == other.green && blue == other.blue;
    }
};

struct ChipRef
{
    int card = 0;
    int chip = 0;
    bool operator==(const ChipRef &other) const { return card == other.card && chip == other.chip; }
};

struct ProductRef
{
    int group = 0;
    int product = 0;
};

struct ChipModel
{
    QString code;
    Rgb rgb;
    QStringList names;
    QStringList extras;
    int segment = 0; // 0: the card's segment
    int mood = 0;
    bool neutral = false;
    bool white = false;
    std::optional<bool> madeToOrder;
    int schemePos = 0;
    int nschemePos = 0;
    QList<ProductRef> products;
};

struct CardModel
{
    int segment = 1;
    int mood = 0;
    bool exterior = false;
    QStringList names;
    QStringList extras;
    QList<ChipModel> chips;
};

// Chips that form one scheme of one chip; each group becomes a PAGE_ORDER, each chip's
// 1-based place in its group the ROW_ORDER.
struct RowSchemeModel
{
    ChipRef chip;
    int kind = 0;
    QList<QList<ChipRef>> groups;
};

// Whole cards that form a scheme of a card (PAGE_SCHEME) or of a chip (ROW_TO_PAGE_SCHEME).
struct PageSchemeModel
{
    int card = 0;
    int kind = 0;
    QList<int> cards;
};

struct ChipPageSchemeModel
{
    ChipRef chip;
    int kind = 0;
    QList<int> cards;
};

struct VistaraEntryModel
{
    std::optional<ChipRef> chip;
    QString name1;
    QString name2;
    Rgb rgb;
};

struct VistaraGroupModel
{
    QString name;
    bool defaultOpen = false;
    bool shared = false; // COLLECTION_ID 0: shown for every collection of the file
    QList<VistaraEntryModel> entries;
};

struct TexturePlacementModel
{
    int card = 0;
    double alpha = 1.0;
    QString name;
};

struct TextureModel
{
    QString name;
    QByteArray image;
    double baseAlpha = 1.0;
    QList<TexturePlacementModel> placements;
};

struct ProductModel
{
    QString name;
    std::optional<QString> code;
};

struct ProductGroupModel
{
    QString name;
    QList<ProductModel> products;
};

// A setting's values in VALUE_INDEX order (one value for a single setting).
using SettingModel = QPair<QString, QStringList>;
using TranslationModel = QPair<QString, QString>;
using ThemeItemModel = QPair<QString, QByteArray>;

struct CollectionModel
{
    QUuid uuid;
    QString systemId;
    QString name;
    int order = 1;
    int version = 1;
    QList<SettingModel> settings;
    QList<TranslationModel> translations;
    QList<ThemeItemModel> theme;
    QList<CardModel> cards;
    QList<RowSchemeModel> rowSchemes;
    QList<PageSchemeModel> pageSchemes;
    QList<ChipPageSchemeModel> chipPageSchemes;
    QList<VistaraGroupModel> vistaraGroups;
    QList<TextureModel> textures;

    const ChipModel &chip(const ChipRef &ref) const
    {
        return cards.at(ref.card).chips.at(ref.chip);
    }
};

struct DeckModel
{
    QList<SettingModel> systemWideSettings;
    QList<ProductGroupModel> productGroups; // products belong to the file, not a collection
    QList<CollectionModel> collections;
};

} // namespace Tintwell
