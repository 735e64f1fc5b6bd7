#pragma once

#include "engine/db/colorpage.h"
#include "ui/cardrollerlayout.h"

#include <QPixmap>
#include <QRect>
#include <QString>

#include <array>
#include <optional>

namespace Corvo {

// A chip of the roller under a point.
struct CardRollerChip
{
    int slot = -1;
    int position = 0; // 1-based, top to bottom
    QRect rect;
    DB::ColorEntry entry;
};

// What the card roller shows: the three cards as last loaded and the selection and
// switches they are painted with.
struct CardRollerState
{
    // A card that could not be loaded is empty: its frame is drawn, nothing can be hit.
    std::array<std::optional<DB::ColorPage>, CardRollerLayout::kSlotCount> pages;
    std::array<QString, CardRollerLayout::kSlotCount> titles;
    int selectedRowIndex = -1; // a ROW_INDEX of the middle card
    bool lustrel = false;
    bool showMto = true;
    bool focused = false;
    QPixmap madeToOrderPicture;

    // Made-to-order chips of a Lustrel card are hidden while made-to-order colours are not
    // shown: they carry the made-to-order picture and can be neither chosen nor inspected.
    bool isHidden(const DB::ColorEntry &entry) const { return lustrel && !showMto && entry.isMto; }

    QList<QRect> chipRects(const CardRollerLayout &layout, int slot) const;
    // The first chip under the point in slot order.
    std::optional<CardRollerChip> chipAt(const CardRollerLayout &layout, const QPoint &point) const;
    // The chip of the middle card with the selected row index.
    std::optional<CardRollerChip> selectedChip(const CardRollerLayout &layout) const;
    // The visible chip of the middle card `steps` places from the selected one (from
    // outside the card when none is selected); nothing at the ends.
    std::optional<DB::ColorEntry> neighbourOfSelected(int steps) const;
};

} // namespace Corvo
