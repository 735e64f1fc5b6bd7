#pragma once

#include "engine/db/colorentry.h"
#include "engine/palette/palettecell.h"

#include <QHash>
#include <QList>
#include <QUuid>

#include <optional>

namespace Corvo {

// Turns chips into palette cells: colour and label from the chip's own collection. The
// label names the chip in that collection's display order; the orders are read once per
// collection and resolver, since a palette often holds many chips of one collection.
class ChipResolver
{
public:
    // The cell for a chip read from the collection.
    PaletteCell cellFor(const QUuid &collection, const DB::ColorEntry &entry);
    // The cell for a stored reference, re-read by its row ID; nothing when that row can no
    // longer be read from the collection. The reference itself is kept as it was stored.
    std::optional<PaletteCell> cellFor(const ItemIndex &index);
    // The code, then " - " and the first display name when the collection shows one.
    QString labelFor(const QUuid &collection, const DB::ColorEntry &entry);

private:
    const QList<int> &rowNameDisplayOrder(const QUuid &collection);

    QHash<QUuid, QList<int>> m_rowNameDisplayOrders;
};

} // namespace Corvo
