#pragma once

#include "engine/palette/palettestore.h"

#include <QHash>
#include <QSet>

namespace Corvo {

// A palette store that lives only as long as the object: for tools and tests that must
// leave the user's preferences alone.
class ScratchPaletteStore : public PaletteStore
{
public:
    ItemIndex entry(int column, int row) const override;
    void setEntry(int column, int row, const ItemIndex &index) override;
    bool isSelected(int column, int row) const override;
    void setSelected(int column, int row, bool selected) override;
    bool gridVisible() const override { return m_gridVisible; }
    void setGridVisible(bool visible) override { m_gridVisible = visible; }
    QPoint zoomedCell() const override { return m_zoomedCell; }
    void setZoomedCell(const QPoint &cell) { m_zoomedCell = cell; }
    QString description() const override { return m_description; }
    void setDescription(const QString &description) override { m_description = description; }

private:
    QHash<QPoint, ItemIndex> m_entries;
    QSet<QPoint> m_selected;
    bool m_gridVisible = true;
    QPoint m_zoomedCell{-1, -1};
    QString m_description;
};

} // namespace Corvo
