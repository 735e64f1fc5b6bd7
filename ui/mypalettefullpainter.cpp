#include "ui/mypalettefullpainter.h"

#include "ui/chiplook.h"

#include <QPainter>

namespace Corvo {

namespace {

const QColor kFrameColor(176, 176, 176);
constexpr int kOuterShadowAlpha = 24;
constexpr int kInnerShadowAlpha = 64;
constexpr int kOutlineAlpha = 192;

QColor frameShade(int alpha)
{
    QColor color = kFrameColor;
    color.setAlpha(alpha);
    return color;
}

void paintGridFrame(QPainter &painter, const QRect &grid)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Outside the grid only: empty cells show the chosen grey itself.
    ChipLook::paintShadowRings(painter, grid, frameShade(kOuterShadowAlpha),
                               frameShade(kInnerShadowAlpha));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(frameShade(kOutlineAlpha), 1.0));
    painter.drawRect(QRectF(grid).adjusted(0.5, 0.5, -0.5, -0.5));
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void paintCells(QPainter &painter, const MyPaletteFullLayout &layout,
                const QList<PaletteCell> &cells)
{
    for (int index = 0; index < cells.size() && index < int(layout.cells.size()); ++index) {
        if (cells.at(index).isFilled())
            painter.fillRect(layout.cells.at(index), cells.at(index).color);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(kFrameColor);
    for (const QRect &cell : layout.cells)
        painter.drawRect(ChipLook::outline(cell));
}

} // namespace

void paintMyPaletteFull(QPainter &painter, const MyPaletteFullLayout &layout,
                        const MyPaletteFullPaintState &state)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), layout.size), QColor(state.grey, state.grey, state.grey));
    if (!state.strip.isNull())
        painter.drawTiledPixmap(layout.strip, state.strip);
    if (layout.grid.isEmpty())
        return;
    if (state.picked) {
        painter.fillRect(layout.grid, *state.picked);
        return;
    }
    paintGridFrame(painter, layout.grid);
    paintCells(painter, layout, state.cells);
}

} // namespace Corvo
