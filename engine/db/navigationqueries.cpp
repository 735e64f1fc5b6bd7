#include "engine/db/navigationqueries.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/preparedquery.h"

namespace Corvo::DB {

namespace {

const QString kExteriorCountSql = QStringLiteral(
    " SELECT COUNT(*)  FROM PAGE P       JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID  "
    "WHERE CMAP.COLLECTION_ID = ? AND        P.EXTERIOR = 1 AND        P.MOOD = ? ");

} // namespace

bool hasExteriorPages(const QUuid &uuid, int mood)
{
    if (ensureConnection(uuid) != Ok)
        return true;
    PreparedQuery query(collectionConnection(uuid), kExteriorCountSql);
    if (!query.exec({collectionDbId(uuid), mood}) || !query->next())
        return false;
    bool isNumber = false;
    const qint64 count = query->value(0).toLongLong(&isNumber);
    return isNumber && count != 0;
}

} // namespace Corvo::DB
