#include "ui/mypalettefulllayout.h"

#include <algorithm>

namespace Corvo {

int MyPaletteFullLayout::cellWidth(int width)
{
    return std::max(0, width - 2 * kGridLeft) / kColumns;
}

int MyPaletteFullLayout::cellHeight(int cellWidth)
{
    return std::max(0, cellWidth) * 5 / 9;
}

MyPaletteFullLayout MyPaletteFullLayout::forSize(const QSize &size, const QSize &backButtonSize,
                                                 int sliderHeight)
{
    MyPaletteFullLayout layout;
    layout.size = size;
    layout.strip = QRect(0, 0, size.width(), kStripHeight);
    // The back button's left margin equals the top one that centres it in the strip; the
    // slider keeps the same margin on the right.
    const int margin = std::max(0, (kStripHeight - backButtonSize.height()) / 2);
    layout.backButton = QRect(QPoint(margin, margin), backButtonSize);
    layout.slider = QRect(size.width() - margin - kSliderWidth, (kStripHeight - sliderHeight) / 2,
                          kSliderWidth, sliderHeight);

    const int width = cellWidth(size.width());
    const int height = cellHeight(width);
    const int room = std::max(0, size.height() - kStripHeight);
    const QPoint origin(kGridLeft, kStripHeight + std::max(0, room - kRows * height) / 2);
    layout.grid = QRect(origin, QSize(kColumns * width, kRows * height));
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column)
            layout.cells[row * kColumns + column] =
                QRect(origin + QPoint(column * width, row * height), QSize(width, height));
    }
    return layout;
}

QRect MyPaletteFullLayout::cellRect(const QPoint &cell) const
{
    if (cell.x() < 0 || cell.x() >= kColumns || cell.y() < 0 || cell.y() >= kRows)
        return QRect();
    return cells.at(cell.y() * kColumns + cell.x());
}

QPoint MyPaletteFullLayout::cellAt(const QPoint &point) const
{
    if (!grid.contains(point))
        return noCell();
    return QPoint((point.x() - grid.left()) / (grid.width() / kColumns),
                  (point.y() - grid.top()) / (grid.height() / kRows));
}

} // namespace Corvo
