#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

// How the queries reach a collection: its file's connection and its ID inside that file.
namespace Corvo::DB {

struct CollectionAccess
{
    QSqlDatabase database;
    qint64 id = -1;
};

// 0 and the collection's connection and COLLECTION.ID, or the error of ensureConnection.
int accessCollection(const QUuid &uuid, CollectionAccess &access);
// The file of the system-wide collection answers the searches across collections.
int accessSystemWideFile(CollectionAccess &access);
// The UUID of the collection with that COLLECTION.ID in the system-wide collection's file;
// null when the catalogue has no such entry (a hit there cannot be shown).
QUuid collectionUuidInSystemWideFile(qint64 collectionId);

// The query's current row as a record, reusing the record of the previous row: a fresh
// QSqlQuery::record() copies every column's field description for each row.
void readCurrentRow(QSqlQuery &query, QSqlRecord &record);

} // namespace Corvo::DB
