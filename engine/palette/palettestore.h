#pragma once

#include "engine/db/itemindex.h"

#include <QPoint>
#include <QString>

namespace Corvo {

// Where the palette keeps its cells, its selection and its view options between runs.
// The picker writes through to the user's preferences; tools and tests use a scratch
// store so that they never touch them. Cells are addressed (column, row).
class PaletteStore
{
public:
    virtual ~PaletteStore() = default;

    virtual ItemIndex entry(int column, int row) const = 0;
    // Forgets the cell when the index names no chip.
    virtual void setEntry(int column, int row, const ItemIndex &index) = 0;
    virtual bool isSelected(int column, int row) const = 0;
    virtual void setSelected(int column, int row, bool selected) = 0;
    virtual bool gridVisible() const = 0;
    virtual void setGridVisible(bool visible) = 0;
    // (-1, -1) unless a cell is shown enlarged.
    virtual QPoint zoomedCell() const = 0;
    // The description last stored: a new window shows it again, since it names the
    // palette and is what a pen-set export calls the pen table.
    virtual QString description() const = 0;
    virtual void setDescription(const QString &description) = 0;
    // The changes between the two calls may be written to disk together. They nest.
    virtual void beginChanges() {}
    virtual void endChanges() {}
};

} // namespace Corvo
