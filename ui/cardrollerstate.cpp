#include "ui/cardrollerstate.h"

namespace Corvo {

QList<QRect> CardRollerState::chipRects(const CardRollerLayout &layout, int slot) const
{
    const std::optional<DB::ColorPage> &page = pages.at(slot);
    if (!page)
        return {};
    return CardRollerLayout::chipRects(layout.cards.at(slot), page->rows.size());
}

std::optional<CardRollerChip> CardRollerState::chipAt(const CardRollerLayout &layout,
                                                      const QPoint &point) const
{
    for (int slot = 0; slot < CardRollerLayout::kSlotCount; ++slot) {
        const QList<QRect> rects = chipRects(layout, slot);
        for (int row = 0; row < rects.size(); ++row) {
            if (rects.at(row).contains(point))
                return CardRollerChip{slot, row + 1, rects.at(row), pages.at(slot)->rows.at(row)};
        }
    }
    return std::nullopt;
}

std::optional<CardRollerChip> CardRollerState::selectedChip(const CardRollerLayout &layout) const
{
    const int slot = CardRollerLayout::kMiddleSlot;
    const QList<QRect> rects = chipRects(layout, slot);
    for (int row = 0; row < rects.size(); ++row) {
        const DB::ColorEntry &entry = pages.at(slot)->rows.at(row);
        if (entry.rowIndex == selectedRowIndex)
            return CardRollerChip{slot, row + 1, rects.at(row), entry};
    }
    return std::nullopt;
}

std::optional<DB::ColorEntry> CardRollerState::neighbourOfSelected(int steps) const
{
    const std::optional<DB::ColorPage> &page = pages.at(CardRollerLayout::kMiddleSlot);
    if (!page || steps == 0)
        return std::nullopt;
    const QList<DB::ColorEntry> &rows = page->rows;
    qsizetype current = -1;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        if (rows.at(row).rowIndex == selectedRowIndex)
            current = row;
    }
    const int direction = steps > 0 ? 1 : -1;
    if (current < 0)
        current = direction > 0 ? -1 : rows.size();
    int remaining = std::abs(steps);
    for (qsizetype row = current + direction; row >= 0 && row < rows.size(); row += direction) {
        if (isHidden(rows.at(row)))
            continue;
        if (--remaining == 0)
            return rows.at(row);
    }
    return std::nullopt;
}

} // namespace Corvo
