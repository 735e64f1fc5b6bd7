#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

namespace Corvo {

// Where the full-window palette draws its parts: the strip along the top with the back
// button on the left and the background slider on the right, and the 6 x 4 cells large in
// the room below. Cells are addressed (column, row).
struct MyPaletteFullLayout
{
    static constexpr int kColumns = 6;
    static constexpr int kRows = 4;
    static constexpr int kStripHeight = 30;
    static constexpr int kGridLeft = 64;
    static constexpr int kSliderWidth = 256;

    static MyPaletteFullLayout forSize(const QSize &size, const QSize &backButtonSize,
                                       int sliderHeight);

    // (W - 128) / 6: the cells leave the grid's left margin on either side.
    static int cellWidth(int width);
    // The width divided by 1.8, rounded down. Worked out in integers (5 / 9), since 1.8
    // has no exact binary form and a floating division would come out one short for
    // multiples of 9.
    static int cellHeight(int cellWidth);

    static QPoint noCell() { return QPoint(-1, -1); }
    QRect cellRect(const QPoint &cell) const;
    // The cell under the point, or noCell() outside the grid.
    QPoint cellAt(const QPoint &point) const;

    QSize size;
    QRect strip;
    QRect backButton;
    QRect slider;
    QRect grid;
    // Row-major.
    std::array<QRect, kColumns * kRows> cells;
};

} // namespace Corvo
