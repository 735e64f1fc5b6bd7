#pragma once

#include "engine/db/colorentry.h"
#include "engine/db/itemindex.h"

#include <QColor>
#include <QString>
#include <QUuid>

#include <optional>

namespace Corvo {

// One cell of My Palette: the chip it holds, or nothing. Where the cell is painted is
// the view's business.
struct PaletteCell
{
    QUuid collection;
    qint64 pageId = -1;
    qint64 rowId = -1;
    QColor color = Qt::transparent;
    QString label;

    bool isFilled() const { return rowId > 0; }
    ItemIndex index() const { return ItemIndex(collection, pageId, rowId); }

    friend bool operator==(const PaletteCell &x, const PaletteCell &y)
    {
        return x.collection == y.collection && x.pageId == y.pageId && x.rowId == y.rowId &&
               x.color == y.color && x.label == y.label;
    }
    friend bool operator!=(const PaletteCell &x, const PaletteCell &y) { return !(x == y); }
};

// The cell holding a chip read from the collection: its card, opaque colour and label
// (in the chip's own collection's display order).
PaletteCell cellForChip(const QUuid &collection, const DB::ColorEntry &entry);
// The cell for a stored reference, its chip re-read by row ID; nothing when that row can
// no longer be read from the collection. The reference is kept as it was stored.
std::optional<PaletteCell> cellForStoredChip(const ItemIndex &index);

} // namespace Corvo
