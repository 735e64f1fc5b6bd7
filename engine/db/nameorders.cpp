#include "engine/db/nameorders.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/preparedquery.h"

namespace Corvo::DB {

namespace {

const QString kOrderSql = QStringLiteral(
    "SELECT     S.VALUE FROM     SETTING S WHERE     S.COLLECTION_ID = ? AND     S.NAME = ? "
    "COLLATE NOCASE ORDER BY     S.VALUE_INDEX ASC");

NameOrders &current()
{
    static NameOrders orders;
    return orders;
}

QList<int> readOrder(const QUuid &uuid, const QString &key)
{
    QList<int> order;
    PreparedQuery query(collectionConnection(uuid), kOrderSql);
    if (!query.exec({collectionDbId(uuid), key}))
        return order;
    while (query->next())
        order.append(query->value(0).toInt());
    return order;
}

} // namespace

NameOrders readNameOrders(const QUuid &uuid)
{
    NameOrders orders;
    if (ensureConnection(uuid) != Ok)
        return orders;
    orders.pageNameSearch = readOrder(uuid, QStringLiteral("page.name.search.order"));
    orders.pageNameDisplay = readOrder(uuid, QStringLiteral("page.name.display.order"));
    orders.pageExtraDisplay = readOrder(uuid, QStringLiteral("page.extra.display.order"));
    orders.rowNameSearch = readOrder(uuid, QStringLiteral("row.name.search.order"));
    orders.rowNameDisplay = readOrder(uuid, QStringLiteral("row.name.display.order"));
    orders.rowExtraDisplay = readOrder(uuid, QStringLiteral("row.extra.display.order"));
    return orders;
}

void loadNameOrders(const QUuid &uuid)
{
    current() = readNameOrders(uuid);
}

const NameOrders &currentNameOrders()
{
    return current();
}

} // namespace Corvo::DB
