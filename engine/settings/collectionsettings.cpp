#include "engine/settings/collectionsettings.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/navigationqueries.h"

#include <QHash>
#include <QStringList>

#include <optional>

namespace Corvo {

namespace {

constexpr int kDefaultSegments = 12;
constexpr double kDefaultDeltaInterval = 0.05;
constexpr double kDefaultVerdictLimits[] = {0.5, 2.0, 5.0};
const QSize kDefaultVistaraChipSize(64, 48);
const QLatin1StringView kDefaultHelpLink("file:///%APP%/Contents/Resources/help/main.html");

// Values of the owning collection only; a question about another collection makes that
// one the owner and starts afresh.
struct SettingsCache
{
    QUuid owner;
    QHash<QString, QVariant> values;
    quint64 generation = 0;
};

SettingsCache &cache()
{
    static SettingsCache instance;
    return instance;
}

void takeOwnership(const QUuid &uuid)
{
    SettingsCache &c = cache();
    if (c.owner != uuid) {
        c.owner = uuid;
        c.values.clear();
        ++c.generation;
    }
}

bool isNull(const QVariant &value)
{
    return !value.isValid() || value.isNull();
}

std::optional<QVariant> cachedEntry(const QUuid &uuid, const QString &key)
{
    takeOwnership(uuid);
    const auto it = cache().values.constFind(key);
    if (it == cache().values.cend())
        return std::nullopt;
    return it.value();
}

void store(const QString &key, const QVariant &value)
{
    if (!isNull(value))
        cache().values.insert(key, value);
}

// The value of the key (or of its older fallback name), cached under the key; absent
// values are not cached, so they are asked again next time.
QVariant cachedValue(const QUuid &uuid, const char *key, const char *fallbackKey = nullptr)
{
    const QString name = QLatin1StringView(key);
    if (const auto hit = cachedEntry(uuid, name))
        return *hit;
    QVariant value = DB::settingValue(uuid, name);
    if (isNull(value) && fallbackKey != nullptr)
        value = DB::settingValue(uuid, QLatin1StringView(fallbackKey));
    store(name, value);
    return value;
}

// The positive numbers of a comma-separated list, in order; the others are left out.
QList<double> positiveReals(const QVariant &value)
{
    QList<double> numbers;
    if (isNull(value))
        return numbers;
    for (const QString &part : value.toString().split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const double number = part.toDouble(&ok);
        if (ok && number > 0.0)
            numbers.append(number);
    }
    return numbers;
}

std::optional<int> toInteger(const QVariant &value)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

bool readBool(const QUuid &uuid, const char *key, bool absent, bool notConvertible,
              const char *fallbackKey = nullptr)
{
    const QVariant value = cachedValue(uuid, key, fallbackKey);
    if (isNull(value))
        return absent;
    const auto number = toInteger(value);
    return number ? *number == 1 : notConvertible;
}

int readInt(const QUuid &uuid, const char *key, int absent, int notConvertible)
{
    const QVariant value = cachedValue(uuid, key);
    if (isNull(value))
        return absent;
    return toInteger(value).value_or(notConvertible);
}

QString readText(const QUuid &uuid, const char *key, const QString &absent)
{
    const QVariant value = cachedValue(uuid, key);
    if (isNull(value) || !value.canConvert<QString>())
        return absent;
    return value.toString();
}

// Index + 1 of the name the text equals (any letter case, untrimmed), 0 when none.
int nameNumber(const QVariant &value, std::initializer_list<const char *> names)
{
    if (isNull(value) || value.typeId() != QMetaType::QString)
        return 0;
    const QString text = value.toString();
    int number = 1;
    for (const char *name : names) {
        if (text.compare(QLatin1StringView(name), Qt::CaseInsensitive) == 0)
            return number;
        ++number;
    }
    return 0;
}

bool isNonZeroInteger(const QVariant &value)
{
    if (isNull(value))
        return false;
    const auto number = toInteger(value);
    return number && *number != 0;
}

// Replaces each stored text that names an item by that item's number; other texts stay.
// A value that is null or not text stops the walk: nullopt.
std::optional<QVariantList> namedList(const QVariantList &values,
                                      const QList<std::pair<const char *, int>> &names)
{
    QVariantList list;
    for (const QVariant &value : values) {
        if (isNull(value) || value.typeId() != QMetaType::QString)
            return std::nullopt;
        const QString text = value.toString().trimmed();
        QVariant item = text;
        for (const auto &[name, number] : names) {
            if (text.compare(QLatin1StringView(name), Qt::CaseInsensitive) == 0) {
                item = number;
                break;
            }
        }
        list.append(item);
    }
    return list;
}

QList<int> integersOf(const QVariantList &list)
{
    QList<int> numbers;
    numbers.reserve(list.size());
    for (const QVariant &item : list)
        numbers.append(toInteger(item).value_or(0));
    return numbers;
}

std::optional<QSize> parseSize(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (parts.size() != 2)
        return std::nullopt;
    bool widthOk = false;
    bool heightOk = false;
    const int width = parts.at(0).trimmed().toInt(&widthOk, 10);
    const int height = parts.at(1).trimmed().toInt(&heightOk, 10);
    // A size with no area cannot be drawn; it counts as a failed parse.
    if (!widthOk || !heightOk || width <= 0 || height <= 0)
        return std::nullopt;
    return QSize(width, height);
}

} // namespace

void CollectionSettings::setCurrentCollection(const QUuid &uuid)
{
    takeOwnership(uuid);
}

void CollectionSettings::resetCache()
{
    SettingsCache &c = cache();
    c.owner = QUuid();
    c.values.clear();
    ++c.generation;
}

quint64 CollectionSettings::cacheGeneration()
{
    return cache().generation;
}

int CollectionSettings::maxChipsOnAPage(const QUuid &uuid)
{
    return readInt(uuid, "max.chips.on.a.page", 0, 0);
}

CardType CollectionSettings::cardType(const QUuid &uuid)
{
    return static_cast<CardType>(nameNumber(cachedValue(uuid, "card.type"), {"normal", "lustrel"}));
}

int CollectionSettings::numOfSegments(const QUuid &uuid)
{
    return readInt(uuid, "num.of.segments", kDefaultSegments, kDefaultSegments);
}

double CollectionSettings::firstSegmentAngle(const QUuid &uuid)
{
    const QVariant value = cachedValue(uuid, "first.segment.angle");
    bool ok = false;
    const double angle = value.toDouble(&ok);
    return ok ? angle : 0.0;
}

SegmentOrientation CollectionSettings::segmentOrientation(const QUuid &uuid)
{
    return static_cast<SegmentOrientation>(
        nameNumber(cachedValue(uuid, "segment.increment.orientation"), {"CW", "CCW"}));
}

CardMode CollectionSettings::cardMode(const QUuid &uuid)
{
    return static_cast<CardMode>(nameNumber(
        cachedValue(uuid, "mode.card"), {"ModeColorToColor", "ModeColorToCard", "ModeCardToCard"}));
}

MoodMode CollectionSettings::moodMode(const QUuid &uuid)
{
    return static_cast<MoodMode>(
        nameNumber(cachedValue(uuid, "mode.mood"), {"MoodModeNormal", "MoodModeWarmFreshEquals"}));
}

bool CollectionSettings::hasExteriorFilter(const QUuid &uuid)
{
    return readBool(uuid, "has.exterior.filter", true, true);
}

bool CollectionSettings::moodVisible(const QUuid &uuid)
{
    return readBool(uuid, "mood.visible", true, true);
}

ProductGroupsMode CollectionSettings::productGroupsMode(const QUuid &uuid)
{
    const int number = nameNumber(cachedValue(uuid, "product.groups.mode"),
                                  {"GroupsWithProductTooltip", "Products"});
    return number == 2 ? ProductGroupsMode::Products : ProductGroupsMode::GroupsWithProductTooltip;
}

QString CollectionSettings::productSeparator(const QUuid &uuid)
{
    return readText(uuid, "product.group.productname.productcode.separator:string",
                    QStringLiteral(": "));
}

bool CollectionSettings::hasColorSchemesPage(const QUuid &uuid)
{
    return readBool(uuid, "has.color.schemes.page", false, true);
}

QList<int> CollectionSettings::schemes(const QUuid &uuid)
{
    const QString key = QStringLiteral("schemes");
    if (const auto hit = cachedEntry(uuid, key))
        return integersOf(hit->toList());
    static const QList<std::pair<const char *, int>> kinds = {
        {"harmonic", 1},       {"contrast", 2}, {"wide contrast", 3}, {"dynamic", 4},
        {"dramatic", 5},       {"neutral", 6},  {"tonal neutral", 7}, {"complementary neutral", 8},
        {"natural neutral", 9}};
    const QVariantList list =
        namedList(DB::settingValues(uuid, key), kinds).value_or(QVariantList());
    cache().values.insert(key, list);
    return integersOf(list);
}

bool CollectionSettings::showCardName(const QUuid &uuid)
{
    return readBool(uuid, "color.tooltip.show.page.name", false, false,
                    "color.tooltip.show.card.name");
}

bool CollectionSettings::showColorName(const QUuid &uuid)
{
    return readBool(uuid, "color.tooltip.show.row.name", false, false,
                    "color.tooltip.show.color.name");
}

bool CollectionSettings::showColorCode(const QUuid &uuid)
{
    return readBool(uuid, "color.tooltip.show.row.code", false, false,
                    "color.tooltip.show.color.code");
}

bool CollectionSettings::showAuxiliary(const QUuid &uuid)
{
    return readBool(uuid, "color.tooltip.show.row.auxiliary.info", false, false,
                    "color.tooltip.show.auxiliary");
}

bool CollectionSettings::showCollectionName(const QUuid &uuid)
{
    return readBool(uuid, "color.tooltip.show.collection.name", false, false);
}

bool CollectionSettings::showPageIndex(const QUuid &uuid)
{
    return readBool(uuid, "color.tooltip.show.page.index", false, false);
}

bool CollectionSettings::showRowIndex(const QUuid &uuid)
{
    return readBool(uuid, "color.tooltip.show.row.row.index", false, false);
}

bool CollectionSettings::appendProductCode(const QUuid &uuid)
{
    return readBool(uuid, "export.color.name.append.product.code", false, false);
}

QList<double> CollectionSettings::deltaIntervals(const QUuid &uuid)
{
    const QString key = QStringLiteral("cie2000.delta.intervals");
    QList<double> intervals;
    if (const auto hit = cachedEntry(uuid, key)) {
        for (const QVariant &item : hit->toList())
            intervals.append(item.toDouble());
        return intervals;
    }
    intervals = positiveReals(DB::settingValue(uuid, key));
    if (intervals.isEmpty())
        return {kDefaultDeltaInterval};
    cache().values.insert(key,
                          QVariant::fromValue(QVariantList(intervals.cbegin(), intervals.cend())));
    return intervals;
}

QList<double> CollectionSettings::verdictLimits(const QUuid &uuid)
{
    const QList<double> limits =
        positiveReals(DB::settingValue(uuid, QStringLiteral("project.colors.verdict.limits")));
    const bool usable = limits.size() == 3 && limits[0] < limits[1] && limits[1] < limits[2];
    return usable
               ? limits
               : QList<double>(std::begin(kDefaultVerdictLimits), std::end(kDefaultVerdictLimits));
}

QList<int> CollectionSettings::tabBarPages(const QUuid &uuid)
{
    const QString key = QStringLiteral("tab.bar.page");
    QVariantList list;
    if (const auto hit = cachedEntry(uuid, key)) {
        list = hit->toList();
    } else {
        static const QList<std::pair<const char *, int>> pages = {
            {"PageOfColorSchemes", TabPage::ColorSchemes},
            {"PageOfProducts", TabPage::Products},
            {"PageOfVistara", TabPage::Vistara},
            {"PageOfTextures", TabPage::Textures}};
        // No rows, like rows that cannot be read, leave every page in its usual place.
        list = namedList(DB::settingValues(uuid, key), pages).value_or(QVariantList());
        if (list.isEmpty())
            list = {TabPage::ColorSchemes, TabPage::Products, TabPage::Vistara, TabPage::Textures};
        cache().values.insert(key, list);
    }
    // The schemes page always comes first.
    QList<int> order{TabPage::ColorSchemes};
    for (const int page : integersOf(list)) {
        if (page != TabPage::ColorSchemes)
            order.append(page);
    }
    return order;
}

QSize CollectionSettings::vistaraChipSize(const QUuid &uuid)
{
    const QString key = QStringLiteral("VistaraChipSize");
    if (const auto hit = cachedEntry(uuid, key))
        return hit->toSize();
    const QVariant width = cachedValue(uuid, "widget.vistara.chip.width");
    const QVariant height = cachedValue(uuid, "widget.vistara.chip.height");
    // Unreadable, and a chip without area, are failed parses, as for the texture size.
    const int w = isNull(width) ? 0 : toInteger(width).value_or(0);
    const int h = isNull(height) ? 0 : toInteger(height).value_or(0);
    if (w <= 0 || h <= 0)
        return kDefaultVistaraChipSize;
    const QSize size(w, h);
    cache().values.insert(key, size);
    return size;
}

QString CollectionSettings::headerLink(const QUuid &uuid)
{
    return DB::settingValue(uuid, QStringLiteral("header.link"), QString()).toString();
}

QString CollectionSettings::helpLink(const QUuid &uuid)
{
    const QString link = DB::settingValue(uuid, QStringLiteral("help.link"), QString()).toString();
    return link.isEmpty() ? QString(kDefaultHelpLink) : link;
}

QSize CollectionSettings::textureSize(const QUuid &uuid, const QSize &defaultSize)
{
    const QString key = QStringLiteral("texture.size");
    if (const auto hit = cachedEntry(uuid, key))
        return hit->toSize();
    QVariant value = DB::settingValue(uuid, key);
    // The system-wide value is read directly: going through the cache would hand the
    // cache to the system-wide collection and drop the current collection's values.
    if (isNull(value))
        value = DB::settingValue(DB::systemWideCollectionUuid(), key);
    if (isNull(value) || value.typeId() != QMetaType::QString)
        return defaultSize;
    const auto size = parseSize(value.toString());
    if (!size)
        return defaultSize;
    cache().values.insert(key, *size);
    return *size;
}

bool CollectionSettings::savePaletteTextFormat(const QUuid &uuid, bool defaultValue)
{
    return readBool(uuid, "save.palette.text.format", defaultValue, defaultValue);
}

bool CollectionSettings::capsureEnabled(const QUuid &uuid)
{
    return readBool(uuid, "capsure.enabled", false, false);
}

QString CollectionSettings::capsureFileNameToWatch(const QUuid &uuid)
{
    return readText(uuid, "capsure.filename.to.watch", QString());
}

QString CollectionSettings::capsureFolderToWatch(const QUuid &uuid)
{
    return readText(uuid, "capsure.folder.to.watch.windows", QString());
}

int CollectionSettings::availableTabBarPages(const QUuid &uuid)
{
    const QString key = QStringLiteral("availableTabBarPages");
    if (const auto hit = cachedEntry(uuid, key))
        return hit->toInt();
    int pages = TabPage::ColorSchemes;
    if (isNonZeroInteger(DB::settingValue(uuid, QStringLiteral("has.product.groups.page"))))
        pages |= TabPage::Products;
    // Textures need the system-wide switch as well; it is read without the cache.
    const QString textures = QStringLiteral("has.textures.page");
    if (isNonZeroInteger(DB::settingValue(DB::systemWideCollectionUuid(), textures)) &&
        isNonZeroInteger(DB::settingValue(uuid, textures)))
        pages |= TabPage::Textures;
    if (isNonZeroInteger(DB::settingValue(uuid, QStringLiteral("has.vistara.page"))))
        pages |= TabPage::Vistara;
    cache().values.insert(key, pages);
    return pages;
}

bool CollectionSettings::hasPageWithExteriorMood(const QUuid &uuid, int mood)
{
    const QString key = QStringLiteral("hasPageWithExteriorMood:%1").arg(mood);
    if (const auto hit = cachedEntry(uuid, key))
        return hit->toBool();
    const bool found = DB::hasExteriorPages(uuid, mood);
    cache().values.insert(key, found);
    return found;
}

} // namespace Corvo
