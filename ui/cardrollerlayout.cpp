#include "ui/cardrollerlayout.h"

namespace Corvo {

namespace {

constexpr int kOuterMargin = 2;
constexpr int kGap = 4;
constexpr int kWidthTaken = 14; // margins, gaps and the bottom edge around the side cards
constexpr int kSideCards = 4;   // the middle card is about two side cards wide
constexpr int kTitleGap = 2;
constexpr int kBottomMargin = 3;

QRect spanning(int left, int right, int top, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

CardRollerLayout CardRollerLayout::forSize(const QSize &size, int lineHeight)
{
    const int w = size.width();
    const int side = (w - kWidthTaken) / kSideCards;
    const int top = lineHeight + kTitleGap;
    const int bottom = size.height() - kBottomMargin;
    const std::array<std::pair<int, int>, kSlotCount> columns{{
        {kOuterMargin, side + kOuterMargin - 1},
        {side + kOuterMargin + kGap, w - side - kOuterMargin - kGap - 1},
        {w - side - kOuterMargin, w - kBottomMargin},
    }};
    CardRollerLayout layout;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const auto [left, right] = columns[slot];
        layout.cards[slot] = spanning(left, right, top, bottom);
        layout.titles[slot] = spanning(left, right, 0, top - 1);
    }
    layout.cardArea = layout.cards[kLeftSlot].united(layout.cards[kRightSlot]);
    return layout;
}

QList<QRect> CardRollerLayout::chipRects(const QRect &card, int rowCount)
{
    const QRect inner = card.adjusted(1, 1, -1, -1);
    QList<QRect> chips;
    if (rowCount <= 0 || inner.isEmpty())
        return chips;
    const int chipHeight = (inner.height() - (rowCount - 1)) / rowCount;
    if (chipHeight <= 0)
        return chips;
    chips.reserve(rowCount);
    for (int row = 0; row < rowCount; ++row) {
        const int top = inner.top() + row * (chipHeight + 1);
        const int bottom = row == rowCount - 1 ? inner.bottom() : top + chipHeight - 1;
        chips.append(spanning(inner.left(), inner.right(), top, bottom));
    }
    return chips;
}

std::optional<int> CardRollerLayout::slotAt(const QPoint &point) const
{
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (cards[slot].contains(point))
            return slot;
    }
    return std::nullopt;
}

} // namespace Corvo
