#include "engine/settings/preferences.h"

#include "engine/db/selectiontypes.h"

#include <QSettings>
#include <QVariant>

#include <limits>

namespace Corvo::Preferences {

namespace {

constexpr int kPaletteColumns = 6;
constexpr int kPaletteRows = 4;
constexpr int kDefaultFullBackgroundGrey = 176;

struct Key
{
    QString group; // empty for top-level keys
    QString name;
};

Key collectionKey(const QUuid &collection, const char *name)
{
    return {collection.toString(QUuid::WithBraces), QLatin1StringView(name)};
}

Key paletteKey(const QString &name)
{
    return {QLatin1StringView(kPaletteGroup), name};
}

Key paletteCellKey(int column, int row, const char *suffix)
{
    return paletteKey(QStringLiteral("(%1,%2)").arg(row).arg(column) + QLatin1StringView(suffix));
}

// The store the current batch keeps open, and how deeply batches nest.
thread_local QSettings *t_batchStore = nullptr;
thread_local int t_batchDepth = 0;

QSettings *openStore()
{
    return new QSettings(QSettings::IniFormat, QSettings::UserScope,
                         QLatin1StringView(kOrganisation), QLatin1StringView(kApplication));
}

template <typename Action>
auto withStore(const Key &key, Action action)
{
    if (t_batchStore) {
        struct GroupScope
        {
            QSettings &store;
            const bool grouped;
            ~GroupScope()
            {
                if (grouped)
                    store.endGroup();
            }
        } scope{*t_batchStore, !key.group.isEmpty()};
        if (scope.grouped)
            t_batchStore->beginGroup(key.group);
        return action(*t_batchStore);
    }
    QSettings store(QSettings::IniFormat, QSettings::UserScope, QLatin1StringView(kOrganisation),
                    QLatin1StringView(kApplication));
    if (!key.group.isEmpty())
        store.beginGroup(key.group);
    return action(store);
}

} // namespace

Batch::Batch()
{
    if (t_batchDepth++ == 0)
        t_batchStore = openStore();
}

Batch::~Batch()
{
    if (--t_batchDepth == 0) {
        delete t_batchStore; // writes the file
        t_batchStore = nullptr;
    }
}

namespace {

QVariant readValue(const Key &key)
{
    return withStore(key, [&key](QSettings &store) { return store.value(key.name); });
}

void writeValue(const Key &key, const QVariant &value)
{
    withStore(key, [&key, &value](QSettings &store) { store.setValue(key.name, value); });
}

void removeValue(const Key &key)
{
    withStore(key, [&key](QSettings &store) { store.remove(key.name); });
}

// Absent or not convertible in kind: the default. Convertible in kind but not a number
// (a text such as "abc"): the failure value.
qint64 readInteger(const Key &key, qint64 defaultValue, qint64 failureValue)
{
    const QVariant value = readValue(key);
    if (!value.isValid() || !value.canConvert<qlonglong>())
        return defaultValue;
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    return ok ? number : failureValue;
}

int readInt(const Key &key, int defaultValue, int failureValue)
{
    const qint64 number = readInteger(key, defaultValue, failureValue);
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return failureValue;
    return static_cast<int>(number);
}

bool readBool(const Key &key, bool defaultValue)
{
    const QVariant value = readValue(key);
    if (!value.isValid())
        return defaultValue;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() != QMetaType::QString) {
        // Within one process the store hands back values as they were written.
        bool isNumber = false;
        const qint64 number = value.toLongLong(&isNumber);
        return isNumber ? number != 0 : defaultValue;
    }
    const QString text = value.toString().trimmed();
    if (text.compare(QLatin1StringView("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1StringView("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    return ok && number != 0;
}

QString readText(const Key &key)
{
    const QVariant value = readValue(key);
    return value.canConvert<QString>() ? value.toString() : QString();
}

bool isPaletteCell(const QPoint &cell)
{
    return cell.x() >= 0 && cell.x() < kPaletteColumns && cell.y() >= 0 && cell.y() < kPaletteRows;
}

struct LastUsedCache
{
    bool loaded = false;
    QUuid uuid;
};

LastUsedCache &lastUsedCache()
{
    static LastUsedCache cache;
    return cache;
}

} // namespace

QUuid uuidOfLastUsedCollection()
{
    LastUsedCache &cache = lastUsedCache();
    if (!cache.loaded) {
        cache.uuid =
            QUuid::fromString(readText({QString(), QStringLiteral("UuidOfLastUsedCollection")}));
        cache.loaded = true;
    }
    return cache.uuid;
}

void setUuidOfLastUsedCollection(const QUuid &uuid)
{
    writeValue({QString(), QStringLiteral("UuidOfLastUsedCollection")},
               uuid.toString(QUuid::WithBraces));
    lastUsedCache() = {true, uuid};
}

void forgetCachedLastUsedCollection()
{
    lastUsedCache() = {};
}

qint64 hostApplicationPid()
{
    return readInteger({QString(), QStringLiteral("HostApplicationPID")}, 0, 0);
}

void setHostApplicationPid(qint64 pid)
{
    writeValue({QString(), QStringLiteral("HostApplicationPID")}, pid);
}

int segmentIndex(const QUuid &collection)
{
    return readInt(collectionKey(collection, "SegmentIndex"), 1, 0);
}

void setSegmentIndex(const QUuid &collection, int segment)
{
    writeValue(collectionKey(collection, "SegmentIndex"), segment);
}

int moodFilter(const QUuid &collection)
{
    const int mood = readInt(collectionKey(collection, "MoodFilter"), MoodAll, MoodAll);
    return mood >= 1 && mood <= MoodAll ? mood : MoodAll;
}

void setMoodFilter(const QUuid &collection, int mood)
{
    writeValue(collectionKey(collection, "MoodFilter"), mood);
}

bool exteriorColors(const QUuid &collection)
{
    return readBool(collectionKey(collection, "ExteriorColors"), false);
}

void setExteriorColors(const QUuid &collection, bool exterior)
{
    writeValue(collectionKey(collection, "ExteriorColors"), exterior);
}

bool showMto(const QUuid &collection)
{
    return readBool(collectionKey(collection, "ShowMto"), false);
}

void setShowMto(const QUuid &collection, bool show)
{
    writeValue(collectionKey(collection, "ShowMto"), show);
}

int pageIndex(const QUuid &collection)
{
    return readInt(collectionKey(collection, "PageIndex"), 1, 0);
}

void setPageIndex(const QUuid &collection, int pageIndex)
{
    writeValue(collectionKey(collection, "PageIndex"), pageIndex);
}

int rowIndex(const QUuid &collection)
{
    return readInt(collectionKey(collection, "RowIndex"), 1, 0);
}

void setRowIndex(const QUuid &collection, int rowIndex)
{
    writeValue(collectionKey(collection, "RowIndex"), rowIndex);
}

int tabPageIndex(const QUuid &collection)
{
    const int page = readInt(collectionKey(collection, "TabPageIndex"), 0, 0);
    return page == 1 || page == 2 || page == 4 || page == 8 ? page : 0;
}

void setTabPageIndex(const QUuid &collection, int page)
{
    writeValue(collectionKey(collection, "TabPageIndex"), page);
}

int schemeKind(const QUuid &collection)
{
    const int kind = readInt(collectionKey(collection, "SchemeKind"), 0, 0);
    return kind >= 1 && kind <= 9 ? kind : 0;
}

void setSchemeKind(const QUuid &collection, int kind)
{
    writeValue(collectionKey(collection, "SchemeKind"), kind);
}

int schemeNeutralSubKind(const QUuid &collection)
{
    const int kind = readInt(collectionKey(collection, "SchemeNeutralSubKind"), SchemeTonalNeutral,
                             SchemeTonalNeutral);
    return kind == SchemeComplementaryNeutral || kind == SchemeNaturalNeutral ? kind
                                                                              : SchemeTonalNeutral;
}

void setSchemeNeutralSubKind(const QUuid &collection, int kind)
{
    writeValue(collectionKey(collection, "SchemeNeutralSubKind"),
               kind == SchemeComplementaryNeutral || kind == SchemeNaturalNeutral
                   ? kind
                   : SchemeTonalNeutral);
}

bool vistaraGroupOpenState(const QUuid &collection, qint64 groupId, bool defaultOpen)
{
    const QByteArray name = QStringLiteral("VistaraGroup_%1_OpenState").arg(groupId).toLatin1();
    return readBool(collectionKey(collection, name.constData()), defaultOpen);
}

void setVistaraGroupOpenState(const QUuid &collection, qint64 groupId, bool open)
{
    const QByteArray name = QStringLiteral("VistaraGroup_%1_OpenState").arg(groupId).toLatin1();
    writeValue(collectionKey(collection, name.constData()), open);
}

ItemIndex myPaletteEntry(int column, int row)
{
    return ItemIndex::fromString(readText(paletteCellKey(column, row, ".Entry")));
}

void setMyPaletteEntry(int column, int row, const ItemIndex &index)
{
    const Key key = paletteCellKey(column, row, ".Entry");
    if (index.namesChip())
        writeValue(key, index.toString());
    else
        removeValue(key);
}

bool myPaletteSelected(int column, int row)
{
    return readBool(paletteCellKey(column, row, ".Selected"), false);
}

void setMyPaletteSelected(int column, int row, bool selected)
{
    const Key key = paletteCellKey(column, row, ".Selected");
    removeValue(key);
    if (selected)
        writeValue(key, true);
}

bool myPaletteGridVisible()
{
    return readBool(paletteKey(QStringLiteral("MyPaletteGridVisible")), true);
}

void setMyPaletteGridVisible(bool visible)
{
    writeValue(paletteKey(QStringLiteral("MyPaletteGridVisible")), visible);
}

QPoint myPaletteZoomed()
{
    const QVariant value = readValue(paletteKey(QStringLiteral("MyPaletteZoomed")));
    const QPoint cell = value.typeId() == QMetaType::QPoint ? value.toPoint() : QPoint(-1, -1);
    return isPaletteCell(cell) ? cell : QPoint(-1, -1);
}

void setMyPaletteZoomed(const QPoint &cell)
{
    writeValue(paletteKey(QStringLiteral("MyPaletteZoomed")), cell);
}

int myPaletteSaveFileFormat()
{
    const int format =
        readInt(paletteKey(QStringLiteral("MyPaletteSaveFileFormat")), kPaletteFormatXml, 0);
    return format == kPaletteFormatText ? kPaletteFormatText : kPaletteFormatXml;
}

void setMyPaletteSaveFileFormat(int format)
{
    writeValue(paletteKey(QStringLiteral("MyPaletteSaveFileFormat")), format);
}

QString myPaletteExportFileFormat()
{
    return readText(paletteKey(QStringLiteral("MyPaletteExportFileFormat")));
}

void setMyPaletteExportFileFormat(const QString &format)
{
    writeValue(paletteKey(QStringLiteral("MyPaletteExportFileFormat")), format);
}

QString myPaletteLastSavePath()
{
    return readText(paletteKey(QStringLiteral("MyPaletteLastSavePath")));
}

void setMyPaletteLastSavePath(const QString &path)
{
    writeValue(paletteKey(QStringLiteral("MyPaletteLastSavePath")), path);
}

QString myPaletteDescription()
{
    return readText(paletteKey(QStringLiteral("MyPaletteDescription")));
}

void setMyPaletteDescription(const QString &description)
{
    writeValue(paletteKey(QStringLiteral("MyPaletteDescription")), description);
}

int myPaletteFullBackgroundColor()
{
    return readInt(paletteKey(QStringLiteral("MyPaletteFullBackgroundColor")),
                   kDefaultFullBackgroundGrey, 0);
}

void setMyPaletteFullBackgroundColor(int grey)
{
    writeValue(paletteKey(QStringLiteral("MyPaletteFullBackgroundColor")), grey);
}

} // namespace Corvo::Preferences
