#include "engine/db/collectioncatalogue.h"

#include "engine/db/dblog.h"
#include "engine/db/preparedquery.h"
#include "engine/db/sqlfunctions.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

#include <algorithm>
#include <map>
#include <optional>

namespace Corvo::DB {

namespace {

const QString kSqliteDriver = QStringLiteral("QSQLITE");
const QString kEnumeratorConnection = QStringLiteral("collectionEnumerator");
const QString kAvailabilityConnection = QStringLiteral("tmpCheckAvailability");
// A read-write open would create a missing file; the system never writes a collection.
const QString kReadOnlyOptions = QStringLiteral("QSQLITE_OPEN_READONLY");
const QString kReadOnlyUriOptions = QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
// The file header's read and write format versions are 2 in a write-ahead-log file.
constexpr qint64 kFormatVersionOffset = 18;
constexpr char kWriteAheadLogVersion = 2;

const QString kEnabledCollectionsSql = QStringLiteral(
    "SELECT     DISTINCT C.* FROM     COLLECTION C     LEFT JOIN SETTING S ON S.COLLECTION_ID "
    "= C.ID WHERE     (C.UUID = ? COLLATE NOCASE) OR     (S.NAME = ? COLLATE NOCASE AND "
    "S.VALUE = 1)");

QString &dataFolderPath()
{
    static QString path;
    return path;
}

// Connections are named by the file path itself: two files whose names differ only in
// letter case are two files here.
QString connectionNameFor(const QString &path)
{
    return path;
}

bool usesWriteAheadLog(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(kFormatVersionOffset))
        return false;
    const QByteArray versions = file.read(2);
    return versions.size() == 2 && versions.at(0) == kWriteAheadLogVersion &&
           versions.at(1) == kWriteAheadLogVersion;
}

// Even a read-only reader of a write-ahead-log file creates the log and its index beside
// the file, unless SQLite is told that the file does not change while it is open.
void openReadOnlyOn(QSqlDatabase &database, const QString &path)
{
    if (usesWriteAheadLog(path)) {
        database.setConnectOptions(kReadOnlyUriOptions);
        database.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) +
                                 QStringLiteral("?immutable=1"));
    } else {
        database.setConnectOptions(kReadOnlyOptions);
        database.setDatabaseName(path);
    }
}

QString resourcesFolder(const QString &root)
{
    QString folder = QDir::toNativeSeparators(root);
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return QDir::toNativeSeparators(folder + QStringLiteral("Contents/Resources"));
}

bool hasCollectionTable(const QSqlDatabase &database)
{
    const QStringList tables = database.tables();
    return std::any_of(tables.cbegin(), tables.cend(), [](const QString &table) {
        return table.compare(QLatin1StringView("COLLECTION"), Qt::CaseInsensitive) == 0;
    });
}

QList<CollectionInfo> collectionsOfFile(const QSqlDatabase &database, const QString &path)
{
    QList<CollectionInfo> found;
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.prepare(kEnabledCollectionsSql)) {
        logQueryError(query);
        return found;
    }
    query.addBindValue(systemWideCollectionUuid().toString(QUuid::WithBraces).toUpper());
    query.addBindValue(QStringLiteral("collection.enabled"));
    if (!query.exec()) {
        logQueryError(query);
        return found;
    }
    while (query.next()) {
        const QSqlRecord record = query.record();
        const QUuid uuid(record.value(QStringLiteral("UUID")).toString());
        if (uuid.isNull())
            continue;
        CollectionInfo info;
        info.uuid = uuid;
        info.id = record.value(QStringLiteral("ID")).toLongLong();
        info.order = record.value(QStringLiteral("ORDER")).toInt();
        info.path = path;
        info.systemId = record.value(QStringLiteral("SYSTEMID")).toString();
        found.append(info);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const CollectionInfo &x, const CollectionInfo &y) { return x.id < y.id; });
    return found;
}

QList<CollectionInfo> collectionsAt(const QString &path)
{
    QList<CollectionInfo> found;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(kSqliteDriver, kEnumeratorConnection);
        openReadOnlyOn(database, path);
        if (database.open() && hasCollectionTable(database))
            found = collectionsOfFile(database, path);
        database.close();
    }
    QSqlDatabase::removeDatabase(kEnumeratorConnection);
    return found;
}

// Every file the collection tool writes carries the system-wide collection, an imported
// one too, and only the collections of its file can be found by the searches across
// collections. So it is taken from the file that adds the most collections to the
// catalogue (the first by name among equals): a maker's file beside single-collection
// imports keeps answering, whatever the imports are called. -1 when no file carries it.
qsizetype systemWideSource(const CollectionCatalogue &catalogue,
                           const QList<QList<CollectionInfo>> &files)
{
    QSet<QUuid> seen;
    qsizetype source = -1;
    qsizetype mostAdded = -1;
    for (qsizetype file = 0; file < files.size(); ++file) {
        bool carriesSystemWide = false;
        qsizetype added = 0;
        for (const CollectionInfo &info : files.at(file)) {
            if (info.uuid == systemWideCollectionUuid())
                carriesSystemWide = true;
            else if (catalogue.find(info.uuid) == nullptr && !seen.contains(info.uuid))
                ++added;
            seen.insert(info.uuid);
        }
        if (carriesSystemWide && added > mostAdded) {
            source = file;
            mostAdded = added;
        }
    }
    return source;
}

bool fileOpens(const QString &path)
{
    bool opens = false;
    {
        QSqlDatabase probe = QSqlDatabase::addDatabase(kSqliteDriver, kAvailabilityConnection);
        openReadOnlyOn(probe, path);
        opens = probe.open();
        probe.close();
    }
    QSqlDatabase::removeDatabase(kAvailabilityConnection);
    return opens;
}

void openPersistentConnection(const QString &path)
{
    const QString name = connectionNameFor(path);
    PreparedQuery::forgetConnection(name);
    QSqlDatabase database = QSqlDatabase::addDatabase(kSqliteDriver, name);
    openReadOnlyOn(database, path);
    if (database.open())
        registerSqlFunctions(database);
}

const QString kSchemaVersionSql = QStringLiteral("PRAGMA schema_version");
// Reads the schema, so SQLite notices a changed file and loads its schema afresh; its one
// column cannot change with the schema.
const QString kSchemaReloadSql = QStringLiteral("SELECT COUNT(*) FROM sqlite_master");

std::optional<qint64> schemaVersion(const QSqlDatabase &database)
{
    PreparedQuery query(database, kSchemaVersionSql);
    if (!query.exec() || !query->next())
        return std::nullopt;
    return query->value(0).toLongLong();
}

// Qt's SQLite driver sizes a result row by the statement's columns before SQLite
// re-prepares the statement for a changed schema, and then writes past that row when
// the column count changed (a "*" statement after a column was added or dropped), which
// crashes the host. So whenever a file's schema differs from the one this connection
// last saw, its statements are dropped and SQLite reloads the schema before any of them
// is prepared again.
void keepSchemaCurrent(const QSqlDatabase &database)
{
    static std::map<QString, qint64> seenVersions;
    const std::optional<qint64> version = schemaVersion(database);
    if (!version)
        return;
    const auto seen = seenVersions.find(database.connectionName());
    if (seen != seenVersions.end() && seen->second == *version)
        return;
    seenVersions[database.connectionName()] = *version;
    PreparedQuery::forgetConnection(database.connectionName());
    QSqlQuery reload(database);
    reload.exec(kSchemaReloadSql);
}

} // namespace

QUuid systemWideCollectionUuid()
{
    static const QUuid uuid(QStringLiteral("{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"));
    return uuid;
}

void CollectionCatalogue::clear()
{
    m_positions.clear();
    m_entries.clear();
}

bool CollectionCatalogue::insert(const CollectionInfo &info)
{
    if (m_positions.contains(info.uuid))
        return false;
    m_positions.insert(info.uuid, m_entries.size());
    m_entries.append(info);
    return true;
}

const CollectionInfo *CollectionCatalogue::find(const QUuid &uuid) const
{
    const auto it = m_positions.constFind(uuid);
    return it == m_positions.cend() ? nullptr : &m_entries.at(it.value());
}

CollectionCatalogue &catalogue()
{
    static CollectionCatalogue instance;
    return instance;
}

void setDataFolder(const QString &path)
{
    dataFolderPath() = path;
}

QString dataFolder()
{
    return dataFolderPath();
}

int loadCatalogue(CollectionCatalogue &catalogue, bool clearFirst)
{
    if (clearFirst)
        catalogue.clear();
    const QDir root(dataFolder());
    if (dataFolder().isEmpty() || !root.exists(QStringLiteral("Contents/Resources")))
        return Ok;
    const QDir folder(resourcesFolder(dataFolder()));
    // Sorted, so that which file wins a duplicate UUID is the same on every run.
    const QFileInfoList files =
        folder.entryInfoList({QStringLiteral("*.db")}, QDir::Files, QDir::Name);
    QList<QList<CollectionInfo>> found;
    for (const QFileInfo &file : files)
        found.append(collectionsAt(file.absoluteFilePath()));
    const qsizetype systemWideFile = systemWideSource(catalogue, found);
    for (qsizetype file = 0; file < found.size(); ++file) {
        for (const CollectionInfo &info : found.at(file)) {
            if (file == systemWideFile || info.uuid != systemWideCollectionUuid())
                catalogue.insert(info);
        }
    }
    return Ok;
}

int ensureCatalogue()
{
    if (catalogue().isEmpty()) {
        const int result = loadCatalogue(catalogue(), true);
        if (result < 0)
            return result;
    }
    return catalogue().isEmpty() ? kCatalogueEmpty : kCatalogueFilled;
}

QList<QUuid> orderedCollections()
{
    if (catalogue().isEmpty() && loadCatalogue(catalogue(), true) < 0)
        return {};
    // Of two collections with the same ORDER the one found later is offered.
    QMap<int, QUuid> byOrder;
    for (const CollectionInfo &info : catalogue().entries()) {
        if (info.uuid != systemWideCollectionUuid())
            byOrder.insert(info.order, info.uuid);
    }
    return byOrder.values();
}

const CollectionInfo *cataloguedCollection(const QUuid &uuid)
{
    if (uuid.isNull())
        return nullptr;
    if (const CollectionInfo *info = catalogue().find(uuid))
        return info;
    // Nothing may have scanned the folder yet, and a file installed after start-up is
    // found on its first use.
    loadCatalogue(catalogue(), false);
    return catalogue().find(uuid);
}

int ensureConnection(const QUuid &uuid)
{
    if (uuid.isNull())
        return NullCollection;
    const CollectionInfo *info = cataloguedCollection(uuid);
    if (info == nullptr)
        return NotCatalogued;
    const QString path = info->path;
    if (QSqlDatabase::contains(connectionNameFor(path)))
        return Ok;
    if (!fileOpens(path))
        return FileUnavailable;
    openPersistentConnection(path);
    return Ok;
}

QSqlDatabase collectionConnection(const QUuid &uuid)
{
    const CollectionInfo *info = cataloguedCollection(uuid);
    if (info == nullptr)
        return {};
    const QString name = connectionNameFor(info->path);
    if (!QSqlDatabase::contains(name))
        return {};
    QSqlDatabase database = QSqlDatabase::database(name, false);
    if (!database.isOpen() && database.open())
        registerSqlFunctions(database);
    if (database.isOpen())
        keepSchemaCurrent(database);
    return database;
}

qint64 collectionDbId(const QUuid &uuid)
{
    const CollectionInfo *info = cataloguedCollection(uuid);
    return info == nullptr ? -1 : info->id;
}

int collectionUuidBySystemId(const QString &systemId, QUuid &uuid)
{
    uuid = QUuid();
    const auto bySystemId = [&systemId](const CollectionInfo &info) {
        return info.systemId.compare(systemId, Qt::CaseInsensitive) == 0;
    };
    const QList<CollectionInfo> &entries = catalogue().entries();
    auto found = std::find_if(entries.cbegin(), entries.cend(), bySystemId);
    if (found == entries.cend()) {
        // As for a UUID: nothing may have scanned the folder yet.
        loadCatalogue(catalogue(), false);
        found = std::find_if(entries.cbegin(), entries.cend(), bySystemId);
    }
    if (found == entries.cend())
        return Failed;
    uuid = found->uuid;
    return Ok;
}

} // namespace Corvo::DB
