#include "engine/palette/scratchpalettestore.h"

namespace Corvo {

ItemIndex ScratchPaletteStore::entry(int column, int row) const
{
    return m_entries.value(QPoint(column, row));
}

void ScratchPaletteStore::setEntry(int column, int row, const ItemIndex &index)
{
    if (index.namesChip())
        m_entries.insert(QPoint(column, row), index);
    else
        m_entries.remove(QPoint(column, row));
}

bool ScratchPaletteStore::isSelected(int column, int row) const
{
    return m_selected.contains(QPoint(column, row));
}

void ScratchPaletteStore::setSelected(int column, int row, bool selected)
{
    if (selected)
        m_selected.insert(QPoint(column, row));
    else
        m_selected.remove(QPoint(column, row));
}

} // namespace Corvo
