#pragma once

#include <QList>
#include <QRect>
#include <QSize>

#include <array>
#include <optional>

namespace Corvo {

// Where the card roller draws its three cards: the previous card on the left, the current
// one in the middle (about twice as wide), the next one on the right, each under its title.
struct CardRollerLayout
{
    static constexpr int kSlotCount = 3;
    static constexpr int kLeftSlot = 0;
    static constexpr int kMiddleSlot = 1;
    static constexpr int kRightSlot = 2;

    // lineHeight is the height of one line of the roller's font.
    static CardRollerLayout forSize(const QSize &size, int lineHeight);

    // The chips of a card with rowCount rows, top to bottom: equal heights with a 1 px
    // separator below each, the last one reaching the card's inner bottom. Empty for a card
    // without rows or without room.
    static QList<QRect> chipRects(const QRect &card, int rowCount);

    // The slot whose card holds the point, in slot order.
    std::optional<int> slotAt(const QPoint &point) const;

    std::array<QRect, kSlotCount> cards;
    std::array<QRect, kSlotCount> titles;
    // Spans all three cards: drops are taken inside it only.
    QRect cardArea;
};

} // namespace Corvo
