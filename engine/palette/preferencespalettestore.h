#pragma once

#include "engine/palette/palettestore.h"
#include "engine/settings/preferences.h"

#include <memory>
#include <vector>

namespace Corvo {

// The palette as the user's preferences hold it.
class PreferencesPaletteStore : public PaletteStore
{
public:
    ItemIndex entry(int column, int row) const override;
    void setEntry(int column, int row, const ItemIndex &index) override;
    bool isSelected(int column, int row) const override;
    void setSelected(int column, int row, bool selected) override;
    bool gridVisible() const override;
    void setGridVisible(bool visible) override;
    QPoint zoomedCell() const override;
    QString description() const override;
    void setDescription(const QString &description) override;
    void beginChanges() override;
    void endChanges() override;

private:
    std::vector<std::unique_ptr<Preferences::Batch>> m_batches;
};

} // namespace Corvo
