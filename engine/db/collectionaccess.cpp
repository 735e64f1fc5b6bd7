#include "engine/db/collectionaccess.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/preparedquery.h"

#include <map>
#include <optional>

namespace Corvo::DB {

namespace {

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

int accessCollection(const QUuid &uuid, CollectionAccess &access)
{
    const int connected = ensureConnection(uuid);
    if (connected < 0)
        return connected;
    access.database = collectionConnection(uuid);
    access.id = collectionDbId(uuid);
    keepSchemaCurrent(access.database);
    return Ok;
}

int accessSystemWideFile(CollectionAccess &access)
{
    return accessCollection(systemWideCollectionUuid(), access);
}

QUuid collectionUuidInSystemWideFile(qint64 collectionId)
{
    const CollectionInfo *systemWide = catalogue().find(systemWideCollectionUuid());
    if (systemWide == nullptr)
        return {};
    for (const CollectionInfo &info : catalogue().entries()) {
        if (info.id == collectionId && info.path == systemWide->path)
            return info.uuid;
    }
    return {};
}

void readCurrentRow(QSqlQuery &query, QSqlRecord &record)
{
    if (record.isEmpty()) {
        record = query.record();
        return;
    }
    for (int i = 0; i < record.count(); ++i)
        record.setValue(i, query.value(i));
}

} // namespace Corvo::DB
