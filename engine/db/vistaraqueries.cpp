#include "engine/db/vistaraqueries.h"

#include "engine/db/collectionaccess.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/preparedquery.h"

#include <QSqlRecord>

#include <algorithm>

namespace Corvo::DB {

namespace {

const QString kGroupsSql =
    QStringLiteral(" SELECT *  FROM VISTARA_GROUP FG  WHERE FG.COLLECTION_ID IN (0, ?) ");
const QString kEntriesSql = QStringLiteral(
    "SELECT * FROM VISTARA_ENTRY FE  WHERE        FE.VISTARA_GROUP_ID = ?  ORDER BY FE.\"ORDER\" ");

void loadEntries(const QSqlDatabase &database, VistaraGroup &group)
{
    PreparedQuery query(database, kEntriesSql);
    if (!query.exec({group.id}))
        return;
    while (query->next())
        group.entries.append(VistaraEntry(query->record()));
    std::stable_sort(
        group.entries.begin(), group.entries.end(),
        [](const VistaraEntry &x, const VistaraEntry &y) { return x.order < y.order; });
}

} // namespace

int vistaraGroups(const QUuid &uuid, QHash<qint64, VistaraGroup> &groups)
{
    groups.clear();
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    QList<VistaraGroup> found;
    {
        PreparedQuery query(access.database, kGroupsSql);
        if (!query.exec({access.id}))
            return Failed;
        while (query->next())
            found.append(VistaraGroup(query->record()));
    }
    for (VistaraGroup &group : found) {
        loadEntries(access.database, group);
        groups.insert(group.id, group);
    }
    return Ok;
}

} // namespace Corvo::DB
