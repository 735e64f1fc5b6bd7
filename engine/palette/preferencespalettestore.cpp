#include "engine/palette/preferencespalettestore.h"

#include "engine/settings/preferences.h"

namespace Corvo {

ItemIndex PreferencesPaletteStore::entry(int column, int row) const
{
    return Preferences::myPaletteEntry(column, row);
}

void PreferencesPaletteStore::setEntry(int column, int row, const ItemIndex &index)
{
    Preferences::setMyPaletteEntry(column, row, index);
}

bool PreferencesPaletteStore::isSelected(int column, int row) const
{
    return Preferences::myPaletteSelected(column, row);
}

void PreferencesPaletteStore::setSelected(int column, int row, bool selected)
{
    Preferences::setMyPaletteSelected(column, row, selected);
}

bool PreferencesPaletteStore::gridVisible() const
{
    return Preferences::myPaletteGridVisible();
}

void PreferencesPaletteStore::setGridVisible(bool visible)
{
    Preferences::setMyPaletteGridVisible(visible);
}

QPoint PreferencesPaletteStore::zoomedCell() const
{
    return Preferences::myPaletteZoomed();
}

QString PreferencesPaletteStore::description() const
{
    return Preferences::myPaletteDescription();
}

void PreferencesPaletteStore::setDescription(const QString &description)
{
    Preferences::setMyPaletteDescription(description);
}

void PreferencesPaletteStore::beginChanges()
{
    m_batches.push_back(std::make_unique<Preferences::Batch>());
}

void PreferencesPaletteStore::endChanges()
{
    if (!m_batches.empty())
        m_batches.pop_back();
}

} // namespace Corvo
