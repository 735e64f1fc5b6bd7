#include "engine/palette/chipresolver.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/nameorders.h"
#include "engine/db/navigationqueries.h"

namespace Corvo {

namespace {

constexpr int kOpaque = 255;
const QString kLabelSeparator = QStringLiteral(" - ");

QColor opaqueColor(const DB::ColorEntry &entry)
{
    return QColor(entry.red, entry.green, entry.blue, kOpaque);
}

} // namespace

PaletteCell ChipResolver::cellFor(const QUuid &collection, const DB::ColorEntry &entry)
{
    PaletteCell cell;
    cell.collection = collection;
    cell.pageId = entry.pageId;
    cell.rowId = entry.id;
    cell.color = opaqueColor(entry);
    cell.label = labelFor(collection, entry);
    return cell;
}

std::optional<PaletteCell> ChipResolver::cellFor(const ItemIndex &index)
{
    DB::ColorEntry entry;
    if (!index.namesChip() || DB::rowById(index.collection, index.rowId, entry) != DB::Ok)
        return std::nullopt;
    PaletteCell cell = cellFor(index.collection, entry);
    cell.pageId = index.pageId;
    return cell;
}

QString ChipResolver::labelFor(const QUuid &collection, const DB::ColorEntry &entry)
{
    const QList<int> &order = rowNameDisplayOrder(collection);
    if (order.isEmpty())
        return entry.code;
    const QString name = entry.names.value(order.first());
    return name.isEmpty() ? entry.code : entry.code + kLabelSeparator + name;
}

const QList<int> &ChipResolver::rowNameDisplayOrder(const QUuid &collection)
{
    auto found = m_rowNameDisplayOrders.find(collection);
    if (found == m_rowNameDisplayOrders.end())
        found = m_rowNameDisplayOrders.insert(collection,
                                              DB::readNameOrders(collection).rowNameDisplay);
    return found.value();
}

} // namespace Corvo
