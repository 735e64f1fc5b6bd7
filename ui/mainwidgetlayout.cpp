#include "ui/mainwidgetlayout.h"

namespace Corvo {

namespace {

constexpr int kHeaderHeight = 70;
constexpr int kSideMargin = 12;
constexpr int kLeftFooterBottomMargin = 8;
constexpr int kRightFooterRightMargin = 13;
constexpr int kRightFooterBottomMargin = 6;
constexpr int kFooterGap = 12;
constexpr int kWheelGap = 10;
constexpr int kRollerTopGap = 6;
constexpr int kRollerBottomGap = 7;
constexpr int kTaskRowInset = 12;
constexpr int kTaskRowMaxHeight = 23;
constexpr int kTaskButtonGap = 4;

QRect centredUnder(const QRect &above, const QSize &size, int gap)
{
    return QRect(above.x() + (above.width() - size.width()) / 2, above.y() + above.height() + gap,
                 size.width(), size.height());
}

QList<QRect> taskButtonRow(QRect row, const QList<MainWidgetLayout::TaskButtonSlot> &buttonSlots)
{
    while (row.height() > kTaskRowMaxHeight)
        row.adjust(0, 1, 0, -1);
    const int square = row.height() - 2;
    int squares = 0;
    for (const auto &slot : buttonSlots)
        squares += slot.square ? 1 : 0;
    const int others = buttonSlots.size() - squares;
    const int squareSpace = squares * (square + kTaskButtonGap);
    const int shared =
        others > 0 ? (row.width() - squareSpace - kTaskButtonGap * (others - 1)) / others : 0;
    QList<QRect> rects;
    int x = row.x();
    for (const auto &slot : buttonSlots) {
        if (slot.square) {
            rects.append(QRect(x, row.y() + 1, square, square));
            x += square + kTaskButtonGap;
        } else {
            rects.append(QRect(x, row.y(), shared, row.height()));
            x += shared + kTaskButtonGap;
        }
    }
    return rects;
}

} // namespace

MainWidgetLayout MainWidgetLayout::compute(const Inputs &in)
{
    MainWidgetLayout l;
    const int w = in.size.width();
    const int h = in.size.height();
    l.header = QRect(0, 0, w, kHeaderHeight);
    const QSize left = in.leftFooterText + QSize(1, 2);
    const QSize right = in.rightFooterText + QSize(1, 2);
    l.leftFooter = QRect(QPoint(kSideMargin, h - kLeftFooterBottomMargin - left.height()), left);
    l.rightFooter = QRect(QPoint(w - kRightFooterRightMargin - right.width(),
                                 h - kRightFooterBottomMargin - right.height()),
                          right);
    const int contentBottom = h - (in.lineHeight + kFooterGap);

    l.selector = QRect(QPoint(0, kContentTop), in.selector);
    l.wheel = centredUnder(l.selector, in.wheel, kWheelGap);
    l.mood = in.moodVisible ? centredUnder(l.wheel, in.mood, kWheelGap) : QRect();
    l.search = QRect(QPoint(kSideMargin, contentBottom - in.search.height()), in.search);
    const QRect above = in.moodVisible ? l.mood : l.wheel;
    const int rollerTop = above.y() + above.height() + kRollerTopGap;
    l.roller = QRect(kSideMargin, rollerTop, in.search.width(),
                     l.search.y() - kRollerBottomGap - rollerTop);

    const int tabLeft = l.selector.x() + l.selector.width();
    l.tabBar = QRect(tabLeft, l.selector.y(), w - tabLeft, l.selector.height());
    l.schemer = QRect(l.tabBar.x() + 1, l.tabBar.y() + l.tabBar.height(), l.tabBar.width() - 1,
                      kSchemerHeight);
    const int paletteTop = l.schemer.y() + l.schemer.height();
    l.palette = QRect(l.schemer.x(), paletteTop, l.schemer.width(),
                      l.roller.y() + l.roller.height() - paletteTop);
    l.fullPalette = QRect(QPoint(0, 0), in.size);

    const QRect row(l.palette.x() + kTaskRowInset, l.search.y(),
                    l.palette.width() - 2 * kTaskRowInset, l.search.height());
    l.taskButtons = taskButtonRow(row, in.taskButtons);
    l.separator = QLine(tabLeft, l.selector.y(), tabLeft, h - 1);
    return l;
}

} // namespace Corvo
