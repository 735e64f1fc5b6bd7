#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

namespace Corvo {

// Where the palette panel draws its parts: the tool strip with its four buttons along the
// top, the description line at the bottom and the 6 x 4 cells between them. Cells are
// addressed (column, row).
struct MyPaletteLayout
{
    static constexpr int kColumns = 6;
    static constexpr int kRows = 4;
    static constexpr int kStripHeight = 30;
    // Around the cells and beside the description line.
    static constexpr int kMargin = 12;
    static constexpr int kButtonGap = 4;

    // Left to right as they stand in the strip.
    enum Button { ZoomButton = 0, EraserButton, TrashButton, GridButton, kButtonCount };

    // buttonSize is the size of every strip button, lineHeight the description's height.
    static MyPaletteLayout forSize(const QSize &size, const QSize &buttonSize, int lineHeight);

    static QPoint noCell() { return QPoint(-1, -1); }
    static bool containsCell(const QPoint &cell);

    QRect cellRect(const QPoint &cell) const;
    // The cell under the point, or noCell() outside the cells.
    QPoint cellAt(const QPoint &point) const;

    QSize size;
    QRect strip;
    std::array<QRect, kButtonCount> buttons;
    QRect description;
    // The room between strip and description, inset by the margin.
    QRect area;
    // The cells tile this part of the area, which is centred in it.
    QRect grid;
    // Row-major.
    std::array<QRect, kColumns * kRows> cells;
};

} // namespace Corvo
