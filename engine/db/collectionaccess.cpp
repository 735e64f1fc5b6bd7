#include "engine/db/collectionaccess.h"

#include "engine/db/collectioncatalogue.h"

namespace Corvo::DB {

int accessCollection(const QUuid &uuid, CollectionAccess &access)
{
    const int connected = ensureConnection(uuid);
    if (connected < 0)
        return connected;
    access.database = collectionConnection(uuid);
    access.id = collectionDbId(uuid);
    return Ok;
}

int accessSystemWideFile(CollectionAccess &access)
{
    return accessCollection(systemWideCollectionUuid(), access);
}

QUuid collectionUuidInSystemWideFile(qint64 collectionId)
{
    const CollectionInfo *systemWide = cataloguedCollection(systemWideCollectionUuid());
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
