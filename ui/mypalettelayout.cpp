#include "ui/mypalettelayout.h"

#include <algorithm>

namespace Corvo {

namespace {

// Cells of `count` equal parts of `length` (integer division); the pixels the division
// leaves go half before the first cell and the rest after the last.
int cellLength(int length, int count)
{
    return std::max(0, length) / count;
}

int leadingLeftover(int length, int count)
{
    return (std::max(0, length) - count * cellLength(length, count)) / 2;
}

} // namespace

MyPaletteLayout MyPaletteLayout::forSize(const QSize &size, const QSize &buttonSize, int lineHeight)
{
    MyPaletteLayout layout;
    layout.size = size;
    const int width = size.width();
    const int height = size.height();
    layout.strip = QRect(0, 0, width, kStripHeight);

    // Right to left from a right margin as wide as the strip is high.
    const int buttonTop = (kStripHeight - buttonSize.height()) / 2;
    int right = width - kStripHeight;
    for (int button = GridButton; button >= ZoomButton; --button) {
        const int left = right - buttonSize.width();
        layout.buttons[button] = QRect(QPoint(left, buttonTop), buttonSize);
        right = left - kButtonGap;
    }

    layout.description =
        QRect(kMargin, height - lineHeight, std::max(0, width - 2 * kMargin), lineHeight);

    const int areaTop = kStripHeight + kMargin;
    const int areaBottom = layout.description.top() - kMargin; // exclusive
    layout.area = QRect(kMargin, areaTop, std::max(0, width - 2 * kMargin),
                        std::max(0, areaBottom - areaTop));

    const int cellWidth = cellLength(layout.area.width(), kColumns);
    const int cellHeight = cellLength(layout.area.height(), kRows);
    const QPoint origin =
        layout.area.topLeft() + QPoint(leadingLeftover(layout.area.width(), kColumns),
                                       leadingLeftover(layout.area.height(), kRows));
    layout.grid = QRect(origin, QSize(kColumns * cellWidth, kRows * cellHeight));
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column)
            layout.cells[row * kColumns + column] =
                QRect(origin + QPoint(column * cellWidth, row * cellHeight),
                      QSize(cellWidth, cellHeight));
    }
    return layout;
}

bool MyPaletteLayout::containsCell(const QPoint &cell)
{
    return cell.x() >= 0 && cell.x() < kColumns && cell.y() >= 0 && cell.y() < kRows;
}

QRect MyPaletteLayout::cellRect(const QPoint &cell) const
{
    return containsCell(cell) ? cells.at(cell.y() * kColumns + cell.x()) : QRect();
}

QPoint MyPaletteLayout::cellAt(const QPoint &point) const
{
    if (!grid.contains(point))
        return noCell();
    const int cellWidth = grid.width() / kColumns;
    const int cellHeight = grid.height() / kRows;
    return QPoint((point.x() - grid.left()) / cellWidth, (point.y() - grid.top()) / cellHeight);
}

} // namespace Corvo
