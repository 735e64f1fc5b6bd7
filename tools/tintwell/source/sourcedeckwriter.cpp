#include "tools/tintwell/source/sourcedeckwriter.h"

#include "tools/tintwell/source/sourcedeckreader.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>

namespace Tintwell {

namespace {

const QString kImageFolder = QStringLiteral("images");
const char *const kSchemeNames[] = {"harmonic", "contrast", "widecontrast", "dynamic",
                                    "dramatic", "neutral",  "tonalneutral", "complementaryneutral"};

QJsonValue settingJson(const QStringList &values)
{
    if (values.size() == 1)
        return values.first();
    return QJsonArray::fromStringList(values);
}

QJsonObject settingsJson(const QList<SettingModel> &settings)
{
    QJsonObject object;
    for (const SettingModel &setting : settings)
        object.insert(setting.first, settingJson(setting.second));
    return object;
}

QString hexOf(const Rgb &rgb)
{
    return QStringLiteral("#%1%2%3")
        .arg(rgb.red, 2, 16, QLatin1Char('0'))
        .arg(rgb.green, 2, 16, QLatin1Char('0'))
        .arg(rgb.blue, 2, 16, QLatin1Char('0'))
        .toUpper();
}

bool saveFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QJsonObject chipJson(const ChipModel &chip, const DeckModel &deck)
{
    QJsonObject object{
        {QStringLiteral("code"), chip.code},
        {QStringLiteral("rgb"), hexOf(chip.rgb)},
        {QStringLiteral("names"), QJsonArray::fromStringList(chip.names)},
        {QStringLiteral("extras"), QJsonArray::fromStringList(chip.extras)},
        {QStringLiteral("neutral"), chip.neutral},
        {QStringLiteral("white"), chip.white},
    };
    if (chip.mood > 0)
        object.insert(QStringLiteral("mood"), chip.mood);
    if (chip.madeToOrder)
        object.insert(QStringLiteral("madeToOrder"), *chip.madeToOrder);
    QJsonArray products;
    for (const ProductRef &product : chip.products)
        products.append(deck.productGroups.at(product.group).products.at(product.product).name);
    if (!products.isEmpty())
        object.insert(QStringLiteral("products"), products);
    return object;
}

} // namespace

bool SourceDeckWriter::fail(const QString &what)
{
    m_lastError = what;
    return false;
}

QJsonArray SourceDeckWriter::cardsJson(const CollectionModel &collection, const DeckModel &deck)
{
    QJsonArray cards;
    for (const CardModel &card : collection.cards) {
        QJsonArray chips;
        for (const ChipModel &chip : card.chips)
            chips.append(chipJson(chip, deck));
        QJsonObject object{
            {QStringLiteral("segment"), card.segment},
            {QStringLiteral("exterior"), card.exterior},
            {QStringLiteral("names"), QJsonArray::fromStringList(card.names)},
            {QStringLiteral("extras"), QJsonArray::fromStringList(card.extras)},
            {QStringLiteral("chips"), chips},
        };
        if (card.mood > 0)
            object.insert(QStringLiteral("mood"), card.mood);
        cards.append(object);
    }
    return cards;
}

QJsonArray SourceDeckWriter::schemesJson(const CollectionModel &collection)
{
    QJsonArray schemes;
    for (const RowSchemeModel &scheme : collection.rowSchemes) {
        QJsonArray groups;
        for (const QList<ChipRef> &group : scheme.groups) {
            QJsonArray codes;
            for (const ChipRef &chip : group)
                codes.append(collection.chip(chip).code);
            groups.append(codes);
        }
        schemes.append(QJsonObject{
            {QStringLiteral("chip"), collection.chip(scheme.chip).code},
            {QStringLiteral("kind"), QLatin1String(kSchemeNames[scheme.kind - 1])},
            {QStringLiteral("groups"), groups},
        });
    }
    return schemes;
}

// Images go to files named after their keys; other items stay text.
std::optional<QJsonObject> SourceDeckWriter::themeJson(const CollectionModel &collection,
                                                       const QString &folder)
{
    QJsonObject theme;
    for (const ThemeItemModel &item : collection.theme) {
        if (!item.first.startsWith(QLatin1String("image."), Qt::CaseInsensitive)) {
            theme.insert(item.first, QString::fromUtf8(item.second));
            continue;
        }
        const QString relative = QStringLiteral("%1/%2/%3.png")
                                     .arg(kImageFolder, collection.systemId.toLower(), item.first);
        const QString path = QDir(folder).filePath(relative);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !saveFile(path, item.second)) {
            fail(QStringLiteral("cannot write %1").arg(QDir::toNativeSeparators(path)));
            return std::nullopt;
        }
        theme.insert(item.first, relative);
    }
    return theme;
}

std::optional<QJsonObject> SourceDeckWriter::collectionJson(const CollectionModel &collection,
                                                            const DeckModel &deck,
                                                            const QString &folder)
{
    const std::optional<QJsonObject> theme = themeJson(collection, folder);
    if (!theme)
        return std::nullopt;
    QJsonObject texts;
    for (const TranslationModel &text : collection.translations)
        texts.insert(text.first, text.second);
    return QJsonObject{
        {QStringLiteral("uuid"), collection.uuid.toString(QUuid::WithBraces).toUpper()},
        {QStringLiteral("systemId"), collection.systemId},
        {QStringLiteral("name"), collection.name},
        {QStringLiteral("order"), collection.order},
        {QStringLiteral("version"), collection.version},
        {QStringLiteral("settings"), settingsJson(collection.settings)},
        {QStringLiteral("texts"), texts},
        {QStringLiteral("theme"), *theme},
        {QStringLiteral("cards"), cardsJson(collection, deck)},
        {QStringLiteral("schemes"), schemesJson(collection)},
    };
}

bool SourceDeckWriter::write(const DeckModel &deck, const QString &folder)
{
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("cannot create %1").arg(QDir::toNativeSeparators(folder)));
    QJsonArray collections;
    for (const CollectionModel &collection : deck.collections) {
        const std::optional<QJsonObject> object = collectionJson(collection, deck, folder);
        if (!object)
            return false;
        collections.append(*object);
    }
    QJsonArray groups;
    for (const ProductGroupModel &group : deck.productGroups) {
        QJsonArray products;
        for (const ProductModel &product : group.products) {
            QJsonObject object{{QStringLiteral("name"), product.name}};
            if (product.code)
                object.insert(QStringLiteral("code"), *product.code);
            products.append(object);
        }
        groups.append(QJsonObject{{QStringLiteral("name"), group.name},
                                  {QStringLiteral("products"), products}});
    }
    const QJsonObject document{
        {QStringLiteral("systemWide"),
         QJsonObject{{QStringLiteral("settings"), settingsJson(deck.systemWideSettings)}}},
        {QStringLiteral("productGroups"), groups},
        {QStringLiteral("collections"), collections},
    };
    const QString path = QDir(folder).filePath(SourceDeckReader::deckFileName());
    if (!saveFile(path, QJsonDocument(document).toJson(QJsonDocument::Indented)))
        return fail(QStringLiteral("cannot write %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

} // namespace Tintwell
