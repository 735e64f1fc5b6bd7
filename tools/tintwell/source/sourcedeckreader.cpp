#include "tools/tintwell/source/sourcedeckreader.h"

#include "engine/db/collectioncatalogue.h"
#include "tools/tintwell/demo/cardplanner.h"
#include "tools/tintwell/demo/colourmath.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QSet>

namespace Tintwell {

namespace {

constexpr int kTextColumns = 10;
constexpr int kMaxSegment = 1000;

const char *const kMoodNames[] = {"fresh", "warm", "calm", "rich", "offwhite", "neutral"};
const char *const kSchemeNames[] = {"harmonic", "contrast", "widecontrast", "dynamic",
                                    "dramatic", "neutral",  "tonalneutral", "complementaryneutral"};

QString item(const QString &where, int index)
{
    return QStringLiteral("%1[%2]").arg(where).arg(index);
}

QString member(const QString &where, const QString &name)
{
    return where.isEmpty() ? name : where + QLatin1Char('.') + name;
}

int indexOfName(const char *const *names, int count, const QString &text)
{
    const QString folded = text.simplified().remove(QLatin1Char(' ')).toLower();
    for (int i = 0; i < count; ++i) {
        if (folded == QLatin1String(names[i]))
            return i + 1;
    }
    return 0;
}

} // namespace

bool SourceDeckReader::fail(const QString &where, const QString &what)
{
    m_lastError = QStringLiteral("%1: %2: %3").arg(deckFileName(), where, what);
    return false;
}

std::optional<DeckModel> SourceDeckReader::read(const QString &folder)
{
    QFile file(QDir(folder).filePath(deckFileName()));
    if (!QDir(folder).exists() || !file.open(QIODevice::ReadOnly)) {
        m_lastError =
            QStringLiteral("cannot read %1").arg(QDir::toNativeSeparators(file.fileName()));
        return std::nullopt;
    }
    return readDocument(file.readAll(), folder);
}

std::optional<DeckModel> SourceDeckReader::readDocument(const QByteArray &json,
                                                        const QString &folder)
{
    m_folder = QDir(folder);
    m_products.clear();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        m_lastError = QStringLiteral("%1: not valid JSON at offset %2: %3")
                          .arg(deckFileName())
                          .arg(error.offset)
                          .arg(error.errorString());
        return std::nullopt;
    }
    if (!document.isObject()) {
        fail(QStringLiteral("(top)"), QStringLiteral("expected an object"));
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    DeckModel deck;
    QJsonObject systemWide;
    if (!optionalObject(root, QStringLiteral("systemWide"), QStringLiteral("systemWide"),
                        systemWide) ||
        !readSettings(systemWide.value(QStringLiteral("settings")),
                      QStringLiteral("systemWide.settings"), deck.systemWideSettings) ||
        !readProducts(root.value(QStringLiteral("productGroups")), deck))
        return std::nullopt;
    const QJsonValue collections = root.value(QStringLiteral("collections"));
    if (!collections.isArray() || collections.toArray().isEmpty()) {
        fail(QStringLiteral("collections"), QStringLiteral("expected a non-empty array"));
        return std::nullopt;
    }
    QSet<QString> identities;
    QSet<int> orders;
    const QJsonArray list = collections.toArray();
    for (int i = 0; i < list.size(); ++i) {
        CollectionModel collection;
        // Without an explicit order the collections are offered in source order.
        collection.order = i + 1;
        const QString where = item(QStringLiteral("collections"), i);
        if (!readCollection(list.at(i), where, collection))
            return std::nullopt;
        if (orders.contains(collection.order)) {
            fail(member(where, QStringLiteral("order")),
                 QStringLiteral("order %1 repeats an earlier collection").arg(collection.order));
            return std::nullopt;
        }
        orders.insert(collection.order);
        const QString uuidKey = collection.uuid.toString().toLower();
        const QString systemIdKey = QStringLiteral("id:") + collection.systemId.toLower();
        if (identities.contains(uuidKey) || identities.contains(systemIdKey)) {
            fail(where, QStringLiteral("uuid or systemId repeats an earlier collection"));
            return std::nullopt;
        }
        identities << uuidKey << systemIdKey;
        deck.collections.append(collection);
    }
    return deck;
}

bool SourceDeckReader::readProducts(const QJsonValue &value, DeckModel &deck)
{
    const QString where = QStringLiteral("productGroups");
    if (value.isUndefined())
        return true;
    if (!value.isArray())
        return fail(where, QStringLiteral("expected an array"));
    const QJsonArray groups = value.toArray();
    for (int g = 0; g < groups.size(); ++g) {
        const QString groupWhere = item(where, g);
        QJsonObject group;
        QJsonArray products;
        if (!objectAt(groups, g, where, group) ||
            !optionalArray(group, QStringLiteral("products"), groupWhere, products))
            return false;
        ProductGroupModel model;
        model.name = group.value(QStringLiteral("name")).toString().trimmed();
        if (model.name.isEmpty())
            return fail(member(groupWhere, QStringLiteral("name")),
                        QStringLiteral("a product group needs a name"));
        for (int p = 0; p < products.size(); ++p) {
            const QString productWhere = item(member(groupWhere, QStringLiteral("products")), p);
            QJsonObject product;
            if (!objectAt(products, p, member(groupWhere, QStringLiteral("products")), product))
                return false;
            ProductModel productModel;
            productModel.name = product.value(QStringLiteral("name")).toString().trimmed();
            if (productModel.name.isEmpty())
                return fail(member(productWhere, QStringLiteral("name")),
                            QStringLiteral("a product needs a name"));
            if (m_products.contains(productModel.name.toLower()))
                return fail(
                    member(productWhere, QStringLiteral("name")),
                    QStringLiteral("product \"%1\" is listed twice").arg(productModel.name));
            if (product.contains(QStringLiteral("code"))) {
                QString code;
                if (!optionalText(product, QStringLiteral("code"), productWhere, code))
                    return false;
                productModel.code = code;
            }
            m_products.insert(productModel.name.toLower(),
                              {static_cast<int>(deck.productGroups.size()),
                               static_cast<int>(model.products.size())});
            model.products.append(productModel);
        }
        deck.productGroups.append(model);
    }
    return true;
}

bool SourceDeckReader::readCollection(const QJsonValue &value, const QString &where,
                                      CollectionModel &out)
{
    if (!value.isObject())
        return fail(where, QStringLiteral("expected an object"));
    const QJsonObject object = value.toObject();
    out.uuid = QUuid::fromString(object.value(QStringLiteral("uuid")).toString().trimmed());
    if (out.uuid.isNull())
        return fail(member(where, QStringLiteral("uuid")),
                    QStringLiteral("expected a UUID such as "
                                   "\"{6F1C2A4E-3B7D-4C59-9A21-5E8B0D4F7C13}\""));
    if (out.uuid == Corvo::DB::systemWideCollectionUuid())
        return fail(member(where, QStringLiteral("uuid")),
                    QStringLiteral("the all-F UUID belongs to the system-wide collection, which "
                                   "every file gets anyway"));
    out.systemId = object.value(QStringLiteral("systemId")).toString().trimmed();
    static const QRegularExpression systemIdForm(QStringLiteral("^[A-Za-z0-9_-]{1,32}$"));
    if (!systemIdForm.match(out.systemId).hasMatch() ||
        out.systemId.compare(QLatin1String("VIRTUAL"), Qt::CaseInsensitive) == 0)
        return fail(member(where, QStringLiteral("systemId")),
                    QStringLiteral("expected 1 to 32 letters, digits, '-' or '_' (not VIRTUAL)"));
    out.name = object.value(QStringLiteral("name")).toString().trimmed();
    if (out.name.isEmpty())
        return fail(member(where, QStringLiteral("name")), QStringLiteral("missing"));
    if (object.contains(QStringLiteral("order")) &&
        !readInt(object.value(QStringLiteral("order")), member(where, QStringLiteral("order")), 1,
                 1000000, out.order))
        return false;
    if (object.contains(QStringLiteral("version")) &&
        !readInt(object.value(QStringLiteral("version")), member(where, QStringLiteral("version")),
                 0, 1000000, out.version))
        return false;
    m_chipsByCode.clear();
    return readSettings(object.value(QStringLiteral("settings")),
                        member(where, QStringLiteral("settings")), out.settings) &&
           readTexts(object.value(QStringLiteral("texts")), member(where, QStringLiteral("texts")),
                     out) &&
           readTheme(object.value(QStringLiteral("theme")), member(where, QStringLiteral("theme")),
                     out) &&
           readCards(object.value(QStringLiteral("cards")), member(where, QStringLiteral("cards")),
                     out) &&
           readSchemes(object, where, out) &&
           readTrends(object.value(QStringLiteral("trends")),
                      member(where, QStringLiteral("trends")), out) &&
           readTextures(object.value(QStringLiteral("textures")),
                        member(where, QStringLiteral("textures")), out);
}

bool SourceDeckReader::readSettings(const QJsonValue &value, const QString &where,
                                    QList<SettingModel> &out)
{
    if (value.isUndefined())
        return true;
    if (!value.isObject())
        return fail(where, QStringLiteral("expected an object of setting names"));
    const QJsonObject settings = value.toObject();
    for (auto it = settings.constBegin(); it != settings.constEnd(); ++it) {
        const QString settingWhere = member(where, it.key());
        QStringList values;
        const QJsonValue setting = it.value();
        if (setting.isArray()) {
            const QJsonArray items = setting.toArray();
            for (int i = 0; i < items.size(); ++i) {
                if (!items.at(i).isString() && !items.at(i).isDouble())
                    return fail(item(settingWhere, i), QStringLiteral("expected text or a number"));
                values.append(items.at(i).isString()
                                  ? items.at(i).toString()
                                  : QString::number(items.at(i).toDouble(), 'g', 15));
            }
        } else if (setting.isString()) {
            values.append(setting.toString());
        } else if (setting.isDouble()) {
            values.append(QString::number(setting.toDouble(), 'g', 15));
        } else if (setting.isBool()) {
            values.append(setting.toBool() ? QStringLiteral("1") : QStringLiteral("0"));
        } else {
            return fail(settingWhere, QStringLiteral("expected text, a number or a list"));
        }
        out.append({it.key(), values});
    }
    return true;
}

bool SourceDeckReader::readTexts(const QJsonValue &value, const QString &where,
                                 CollectionModel &out)
{
    if (value.isUndefined())
        return true;
    if (!value.isObject())
        return fail(where, QStringLiteral("expected an object of text keys"));
    const QJsonObject texts = value.toObject();
    for (auto it = texts.constBegin(); it != texts.constEnd(); ++it) {
        if (!it.value().isString())
            return fail(member(where, it.key()), QStringLiteral("expected text"));
        out.translations.append({it.key(), it.value().toString()});
    }
    return true;
}

bool SourceDeckReader::readTheme(const QJsonValue &value, const QString &where,
                                 CollectionModel &out)
{
    if (value.isUndefined())
        return true;
    if (!value.isObject())
        return fail(where, QStringLiteral("expected an object of theme keys"));
    const QJsonObject theme = value.toObject();
    for (auto it = theme.constBegin(); it != theme.constEnd(); ++it) {
        const QString itemWhere = member(where, it.key());
        if (it.key().startsWith(QLatin1String("image."), Qt::CaseInsensitive)) {
            QByteArray bytes;
            if (!readImageFile(it.value(), itemWhere, bytes))
                return false;
            out.theme.append({it.key(), bytes});
        } else {
            if (!it.value().isString())
                return fail(itemWhere, QStringLiteral("expected text"));
            out.theme.append({it.key(), it.value().toString().toUtf8()});
        }
    }
    return true;
}

bool SourceDeckReader::readImageFile(const QJsonValue &value, const QString &where, QByteArray &out)
{
    if (!value.isString() || value.toString().trimmed().isEmpty())
        return fail(where, QStringLiteral("expected the path of an image file in the source"));
    const QString relative = value.toString().trimmed();
    // A sibling folder whose name starts like the source's is outside it too, and so is
    // a link that leads out.
    const QString inside = m_folder.canonicalPath() + QLatin1Char('/');
    const QString cleaned =
        QDir::cleanPath(QDir(m_folder.canonicalPath()).absoluteFilePath(relative));
    const QString path = QFileInfo(cleaned).canonicalFilePath();
    if (!cleaned.startsWith(inside) || (!path.isEmpty() && !path.startsWith(inside)))
        return fail(where, QStringLiteral("\"%1\" lies outside the source folder").arg(relative));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(where, QStringLiteral("cannot read \"%1\"").arg(relative));
    out = file.readAll();
    if (QImage::fromData(out).isNull())
        return fail(where, QStringLiteral("\"%1\" is not an image").arg(relative));
    return true;
}

bool SourceDeckReader::readCards(const QJsonValue &value, const QString &where,
                                 CollectionModel &out)
{
    if (!value.isArray() || value.toArray().isEmpty())
        return fail(where, QStringLiteral("expected a non-empty array of cards"));
    const QJsonArray cards = value.toArray();
    for (int c = 0; c < cards.size(); ++c) {
        CardModel card;
        if (!readCard(cards.at(c), item(where, c), card))
            return false;
        for (int r = 0; r < card.chips.size(); ++r) {
            const QString code = card.chips.at(r).code.toLower();
            if (m_chipsByCode.contains(code))
                return fail(member(item(member(item(where, c), QStringLiteral("chips")), r),
                                   QStringLiteral("code")),
                            QStringLiteral("code \"%1\" is used twice").arg(card.chips.at(r).code));
            m_chipsByCode.insert(code, {c, r});
        }
        out.cards.append(card);
    }
    return true;
}

bool SourceDeckReader::readCard(const QJsonValue &value, const QString &where, CardModel &out)
{
    if (!value.isObject())
        return fail(where, QStringLiteral("expected an object"));
    const QJsonObject card = value.toObject();
    if (!readInt(card.value(QStringLiteral("segment")), member(where, QStringLiteral("segment")), 1,
                 kMaxSegment, out.segment) ||
        !readTexts(card.value(QStringLiteral("names")), member(where, QStringLiteral("names")),
                   out.names) ||
        !readTexts(card.value(QStringLiteral("extras")), member(where, QStringLiteral("extras")),
                   out.extras))
        return false;
    if (!optionalBool(card, QStringLiteral("exterior"), where, false, out.exterior))
        return false;
    const QJsonValue chips = card.value(QStringLiteral("chips"));
    if (!chips.isArray() || chips.toArray().isEmpty())
        return fail(member(where, QStringLiteral("chips")),
                    QStringLiteral("expected a non-empty array of chips"));
    const QJsonArray list = chips.toArray();
    QList<ColourMath::Lch> colours;
    for (int r = 0; r < list.size(); ++r) {
        ChipModel chip;
        if (!readChip(list.at(r), item(member(where, QStringLiteral("chips")), r), chip))
            return false;
        colours.append(ColourMath::lchFromLab(ColourMath::labFromRgb(chip.rgb)));
        out.chips.append(chip);
    }
    if (card.contains(QStringLiteral("mood"))) {
        if (!readMood(card.value(QStringLiteral("mood")), member(where, QStringLiteral("mood")),
                      out.mood))
            return false;
    } else {
        out.mood = moodOfColours(colours);
    }
    for (ChipModel &chip : out.chips) {
        if (chip.mood == 0)
            chip.mood = out.mood;
    }
    return true;
}

bool SourceDeckReader::readChip(const QJsonValue &value, const QString &where, ChipModel &out)
{
    if (!value.isObject())
        return fail(where, QStringLiteral("expected an object"));
    const QJsonObject chip = value.toObject();
    out.code = chip.value(QStringLiteral("code")).toString().trimmed();
    if (out.code.isEmpty() || out.code.size() > 32)
        return fail(member(where, QStringLiteral("code")),
                    QStringLiteral("expected a code of 1 to 32 characters"));
    if (!readRgb(chip.value(QStringLiteral("rgb")), member(where, QStringLiteral("rgb")),
                 out.rgb) ||
        !readTexts(chip.value(QStringLiteral("names")), member(where, QStringLiteral("names")),
                   out.names) ||
        !readTexts(chip.value(QStringLiteral("extras")), member(where, QStringLiteral("extras")),
                   out.extras))
        return false;
    if (chip.contains(QStringLiteral("mood")) &&
        !readMood(chip.value(QStringLiteral("mood")), member(where, QStringLiteral("mood")),
                  out.mood))
        return false;
    if (chip.contains(QStringLiteral("segment")) &&
        !readInt(chip.value(QStringLiteral("segment")), member(where, QStringLiteral("segment")), 1,
                 kMaxSegment, out.segment))
        return false;
    const ColourMath::Lch lch = ColourMath::lchFromLab(ColourMath::labFromRgb(out.rgb));
    if (!optionalBool(chip, QStringLiteral("neutral"), where, ColourMath::isNeutral(lch),
                      out.neutral) ||
        !optionalBool(chip, QStringLiteral("white"), where, ColourMath::isWhite(lch), out.white))
        return false;
    if (chip.contains(QStringLiteral("madeToOrder"))) {
        bool madeToOrder = false;
        if (!optionalBool(chip, QStringLiteral("madeToOrder"), where, false, madeToOrder))
            return false;
        out.madeToOrder = madeToOrder;
    }
    QJsonArray products;
    if (!optionalArray(chip, QStringLiteral("products"), where, products))
        return false;
    for (int p = 0; p < products.size(); ++p) {
        const QString name = products.at(p).toString().trimmed().toLower();
        if (!m_products.contains(name))
            return fail(item(member(where, QStringLiteral("products")), p),
                        QStringLiteral("no product \"%1\" in productGroups")
                            .arg(products.at(p).toString()));
        out.products.append(m_products.value(name));
    }
    return true;
}

bool SourceDeckReader::readSchemes(const QJsonObject &object, const QString &where,
                                   CollectionModel &out)
{
    const int cardCount = static_cast<int>(out.cards.size());
    QJsonArray chipSchemes;
    QJsonArray cardSchemes;
    QJsonArray chipCardSchemes;
    if (!optionalArray(object, QStringLiteral("schemes"), where, chipSchemes) ||
        !optionalArray(object, QStringLiteral("cardSchemes"), where, cardSchemes) ||
        !optionalArray(object, QStringLiteral("chipCardSchemes"), where, chipCardSchemes))
        return false;
    for (int i = 0; i < chipSchemes.size(); ++i) {
        const QString schemeWhere = item(member(where, QStringLiteral("schemes")), i);
        QJsonObject scheme;
        RowSchemeModel model;
        if (!objectAt(chipSchemes, i, member(where, QStringLiteral("schemes")), scheme) ||
            !readChipRef(scheme.value(QStringLiteral("chip")),
                         member(schemeWhere, QStringLiteral("chip")), model.chip) ||
            !readKind(scheme.value(QStringLiteral("kind")),
                      member(schemeWhere, QStringLiteral("kind")), model.kind))
            return false;
        const QJsonArray groups = scheme.value(QStringLiteral("groups")).toArray();
        if (groups.isEmpty())
            return fail(member(schemeWhere, QStringLiteral("groups")),
                        QStringLiteral("expected an array of chip-code arrays"));
        for (int g = 0; g < groups.size(); ++g) {
            QList<ChipRef> chips;
            if (!readChipRefs(groups.at(g), item(member(schemeWhere, QStringLiteral("groups")), g),
                              chips))
                return false;
            model.groups.append(chips);
        }
        out.rowSchemes.append(model);
    }
    for (int i = 0; i < cardSchemes.size(); ++i) {
        const QString schemeWhere = item(member(where, QStringLiteral("cardSchemes")), i);
        QJsonObject scheme;
        PageSchemeModel model;
        if (!objectAt(cardSchemes, i, member(where, QStringLiteral("cardSchemes")), scheme) ||
            !readCardNumber(scheme.value(QStringLiteral("card")),
                            member(schemeWhere, QStringLiteral("card")), cardCount, model.card) ||
            !readKind(scheme.value(QStringLiteral("kind")),
                      member(schemeWhere, QStringLiteral("kind")), model.kind) ||
            !readCardNumbers(scheme.value(QStringLiteral("cards")),
                             member(schemeWhere, QStringLiteral("cards")), cardCount, model.cards))
            return false;
        out.pageSchemes.append(model);
    }
    for (int i = 0; i < chipCardSchemes.size(); ++i) {
        const QString schemeWhere = item(member(where, QStringLiteral("chipCardSchemes")), i);
        QJsonObject scheme;
        ChipPageSchemeModel model;
        if (!objectAt(chipCardSchemes, i, member(where, QStringLiteral("chipCardSchemes")),
                      scheme) ||
            !readChipRef(scheme.value(QStringLiteral("chip")),
                         member(schemeWhere, QStringLiteral("chip")), model.chip) ||
            !readKind(scheme.value(QStringLiteral("kind")),
                      member(schemeWhere, QStringLiteral("kind")), model.kind) ||
            !readCardNumbers(scheme.value(QStringLiteral("cards")),
                             member(schemeWhere, QStringLiteral("cards")), cardCount, model.cards))
            return false;
        out.chipPageSchemes.append(model);
    }
    return true;
}

bool SourceDeckReader::readTrends(const QJsonValue &value, const QString &where,
                                  CollectionModel &out)
{
    if (!value.isUndefined() && !value.isArray())
        return fail(where, QStringLiteral("expected an array"));
    const QJsonArray groups = value.toArray();
    for (int g = 0; g < groups.size(); ++g) {
        const QString groupWhere = item(where, g);
        QJsonObject group;
        if (!objectAt(groups, g, where, group))
            return false;
        VistaraGroupModel model;
        model.name = group.value(QStringLiteral("name")).toString().trimmed();
        if (model.name.isEmpty())
            return fail(member(groupWhere, QStringLiteral("name")), QStringLiteral("missing"));
        QJsonArray entries;
        if (!optionalBool(group, QStringLiteral("open"), groupWhere, false, model.defaultOpen) ||
            !optionalBool(group, QStringLiteral("shared"), groupWhere, false, model.shared) ||
            !optionalArray(group, QStringLiteral("entries"), groupWhere, entries))
            return false;
        for (int e = 0; e < entries.size(); ++e) {
            const QString entryWhere = item(member(groupWhere, QStringLiteral("entries")), e);
            QJsonObject entry;
            if (!objectAt(entries, e, member(groupWhere, QStringLiteral("entries")), entry))
                return false;
            VistaraEntryModel entryModel;
            if (entry.contains(QStringLiteral("chip"))) {
                ChipRef ref;
                if (!readChipRef(entry.value(QStringLiteral("chip")),
                                 member(entryWhere, QStringLiteral("chip")), ref))
                    return false;
                const ChipModel &chip = out.chip(ref);
                entryModel = {ref, chip.names.value(0, chip.code), chip.code, chip.rgb};
            } else if (!readRgb(entry.value(QStringLiteral("rgb")),
                                member(entryWhere, QStringLiteral("rgb")), entryModel.rgb)) {
                return false;
            }
            if (!optionalText(entry, QStringLiteral("name1"), entryWhere, entryModel.name1) ||
                !optionalText(entry, QStringLiteral("name2"), entryWhere, entryModel.name2))
                return false;
            model.entries.append(entryModel);
        }
        out.vistaraGroups.append(model);
    }
    return true;
}

bool SourceDeckReader::readTextures(const QJsonValue &value, const QString &where,
                                    CollectionModel &out)
{
    const int cardCount = static_cast<int>(out.cards.size());
    if (!value.isUndefined() && !value.isArray())
        return fail(where, QStringLiteral("expected an array"));
    const QJsonArray textures = value.toArray();
    for (int t = 0; t < textures.size(); ++t) {
        const QString textureWhere = item(where, t);
        QJsonObject texture;
        if (!objectAt(textures, t, where, texture))
            return false;
        TextureModel model;
        model.name = texture.value(QStringLiteral("name")).toString().trimmed();
        if (model.name.isEmpty())
            return fail(member(textureWhere, QStringLiteral("name")), QStringLiteral("missing"));
        if (!readImageFile(texture.value(QStringLiteral("image")),
                           member(textureWhere, QStringLiteral("image")), model.image))
            return false;
        if (!optionalReal(texture, QStringLiteral("baseAlpha"), textureWhere, 1.0, model.baseAlpha))
            return false;
        if (!(model.baseAlpha >= 0.0 && model.baseAlpha <= 1.0))
            return fail(member(textureWhere, QStringLiteral("baseAlpha")),
                        QStringLiteral("expected a number from 0 to 1"));
        QJsonArray placements;
        if (!optionalArray(texture, QStringLiteral("cards"), textureWhere, placements))
            return false;
        for (int p = 0; p < placements.size(); ++p) {
            const QString placementWhere = item(member(textureWhere, QStringLiteral("cards")), p);
            QJsonObject placement;
            TexturePlacementModel placementModel;
            if (!objectAt(placements, p, member(textureWhere, QStringLiteral("cards")),
                          placement) ||
                !readCardNumber(placement.value(QStringLiteral("card")),
                                member(placementWhere, QStringLiteral("card")), cardCount,
                                placementModel.card))
                return false;
            if (!optionalReal(placement, QStringLiteral("alpha"), placementWhere, 1.0,
                              placementModel.alpha))
                return false;
            if (!(placementModel.alpha > 0.0 && placementModel.alpha <= 1.0))
                return fail(member(placementWhere, QStringLiteral("alpha")),
                            QStringLiteral("expected a number above 0 and at most 1"));
            if (!optionalText(placement, QStringLiteral("name"), placementWhere,
                              placementModel.name))
                return false;
            model.placements.append(placementModel);
        }
        out.textures.append(model);
    }
    return true;
}

bool SourceDeckReader::readRgb(const QJsonValue &value, const QString &where, Rgb &out)
{
    if (value.isString()) {
        static const QRegularExpression hex(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
        const QString text = value.toString().trimmed();
        if (hex.match(text).hasMatch()) {
            const QColor colour(text);
            out = {colour.red(), colour.green(), colour.blue()};
            return true;
        }
    } else if (value.isArray() && value.toArray().size() == 3) {
        const QJsonArray channels = value.toArray();
        int rgb[3] = {0, 0, 0};
        for (int i = 0; i < 3; ++i) {
            if (!readInt(channels.at(i), item(where, i), 0, 255, rgb[i]))
                return false;
        }
        out = {rgb[0], rgb[1], rgb[2]};
        return true;
    }
    return fail(where, QStringLiteral("expected \"#rrggbb\" or [r, g, b] with 0 to 255"));
}

bool SourceDeckReader::readTexts(const QJsonValue &value, const QString &where, QStringList &out)
{
    if (value.isUndefined())
        return true;
    if (!value.isArray() || value.toArray().size() > kTextColumns)
        return fail(where,
                    QStringLiteral("expected an array of at most %1 texts").arg(kTextColumns));
    const QJsonArray texts = value.toArray();
    for (int i = 0; i < texts.size(); ++i) {
        if (!texts.at(i).isString())
            return fail(item(where, i), QStringLiteral("expected text"));
        out.append(texts.at(i).toString());
    }
    return true;
}

bool SourceDeckReader::readInt(const QJsonValue &value, const QString &where, int minimum,
                               int maximum, int &out)
{
    const double number = value.toDouble(-1e300);
    if (!value.isDouble() || number != std::floor(number) || number < minimum || number > maximum)
        return fail(
            where,
            QStringLiteral("expected a whole number from %1 to %2").arg(minimum).arg(maximum));
    out = static_cast<int>(number);
    return true;
}

bool SourceDeckReader::readKind(const QJsonValue &value, const QString &where, int &out)
{
    if (value.isString()) {
        out = indexOfName(kSchemeNames, 8, value.toString());
        if (out > 0)
            return true;
        return fail(where, QStringLiteral("unknown scheme \"%1\"").arg(value.toString()));
    }
    return readInt(value, where, 1, 8, out);
}

bool SourceDeckReader::readMood(const QJsonValue &value, const QString &where, int &out)
{
    if (value.isString()) {
        out = indexOfName(kMoodNames, 6, value.toString());
        if (out > 0)
            return true;
        return fail(where, QStringLiteral("unknown mood \"%1\" (fresh, warm, calm, rich, "
                                          "offwhite, neutral)")
                               .arg(value.toString()));
    }
    return readInt(value, where, 1, 6, out);
}

bool SourceDeckReader::readChipRef(const QJsonValue &value, const QString &where, ChipRef &out)
{
    const QString code = value.toString().trimmed().toLower();
    if (!m_chipsByCode.contains(code))
        return fail(where, QStringLiteral("no chip with the code \"%1\"").arg(value.toString()));
    out = m_chipsByCode.value(code);
    return true;
}

bool SourceDeckReader::readChipRefs(const QJsonValue &value, const QString &where,
                                    QList<ChipRef> &out)
{
    if (!value.isArray() || value.toArray().isEmpty())
        return fail(where, QStringLiteral("expected a non-empty array of chip codes"));
    const QJsonArray codes = value.toArray();
    for (int i = 0; i < codes.size(); ++i) {
        ChipRef ref;
        if (!readChipRef(codes.at(i), item(where, i), ref))
            return false;
        out.append(ref);
    }
    return true;
}

bool SourceDeckReader::readCardNumber(const QJsonValue &value, const QString &where, int cardCount,
                                      int &out)
{
    int number = 0;
    if (!readInt(value, where, 1, cardCount, number))
        return false;
    out = number - 1;
    return true;
}

bool SourceDeckReader::readCardNumbers(const QJsonValue &value, const QString &where, int cardCount,
                                       QList<int> &out)
{
    if (!value.isArray() || value.toArray().isEmpty())
        return fail(where, QStringLiteral("expected a non-empty array of card numbers"));
    const QJsonArray cards = value.toArray();
    for (int i = 0; i < cards.size(); ++i) {
        int card = 0;
        if (!readCardNumber(cards.at(i), item(where, i), cardCount, card))
            return false;
        if (out.contains(card))
            return fail(item(where, i), QStringLiteral("card %1 is listed twice").arg(card + 1));
        out.append(card);
    }
    return true;
}

bool SourceDeckReader::optionalObject(const QJsonObject &object, const QString &key,
                                      const QString &where, QJsonObject &out)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return true;
    if (!value.isObject())
        return fail(member(where, key), QStringLiteral("expected an object"));
    out = value.toObject();
    return true;
}

bool SourceDeckReader::optionalArray(const QJsonObject &object, const QString &key,
                                     const QString &where, QJsonArray &out)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return true;
    if (!value.isArray())
        return fail(member(where, key), QStringLiteral("expected an array"));
    out = value.toArray();
    return true;
}

bool SourceDeckReader::optionalBool(const QJsonObject &object, const QString &key,
                                    const QString &where, bool fallback, bool &out)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined()) {
        out = fallback;
        return true;
    }
    if (!value.isBool())
        return fail(member(where, key), QStringLiteral("expected true or false"));
    out = value.toBool();
    return true;
}

bool SourceDeckReader::optionalReal(const QJsonObject &object, const QString &key,
                                    const QString &where, double fallback, double &out)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined()) {
        out = fallback;
        return true;
    }
    if (!value.isDouble())
        return fail(member(where, key), QStringLiteral("expected a number"));
    out = value.toDouble();
    return true;
}

bool SourceDeckReader::optionalText(const QJsonObject &object, const QString &key,
                                    const QString &where, QString &out)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return true;
    if (!value.isString())
        return fail(member(where, key), QStringLiteral("expected text"));
    out = value.toString();
    return true;
}

bool SourceDeckReader::objectAt(const QJsonArray &array, int index, const QString &where,
                                QJsonObject &out)
{
    if (!array.at(index).isObject())
        return fail(item(where, index), QStringLiteral("expected an object"));
    out = array.at(index).toObject();
    return true;
}

} // namespace Tintwell
