#pragma once

#include "engine/db/itemindex.h"

#include <QColor>
#include <QString>
#include <QUuid>

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

} // namespace Corvo
