#pragma once

#include <QList>
#include <QUuid>

namespace Corvo::DB {

// Which of the ten NAMEn and EXTRAn columns a collection shows and searches, in order.
// Entries outside 0 to 9 are ignored by the users of the lists.
struct NameOrders
{
    QList<int> pageNameSearch;
    QList<int> pageNameDisplay;
    QList<int> pageExtraDisplay;
    QList<int> rowNameSearch;
    QList<int> rowNameDisplay;
    QList<int> rowExtraDisplay;
};

// The orders of one collection, read afresh; empty lists when it is unavailable.
NameOrders readNameOrders(const QUuid &uuid);
// Makes the collection's orders the current ones.
void loadNameOrders(const QUuid &uuid);
// The orders of the collection last passed to loadNameOrders.
const NameOrders &currentNameOrders();

} // namespace Corvo::DB
