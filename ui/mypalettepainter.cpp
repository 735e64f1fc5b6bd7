#include "ui/mypalettepainter.h"

#include "engine/palette/mypalettemodel.h"
#include "ui/chiplook.h"

#include <QPainter>

namespace Corvo {

namespace {

const QColor kOutlineColor(64, 64, 64);
const QColor kSelectionColor(255, 255, 255, 224);
const QColor kDropTargetColor(0, 151, 251, 192);
const QColor kFocusDark(0, 0, 0, 140);
const QColor kFocusLight(255, 255, 255, 230);
constexpr qreal kFrameWidth = 2.0;
// The focus frame stands inside the selection frame.
constexpr int kFocusInset = 4;
constexpr int kLabelInset = 6;
// From this grey level of the colour up, its label is black; below, white.
constexpr int kLightGrey = 128;

// The cell's outermost two pixels.
void paintCellFrame(QPainter &painter, const QRect &cell, const QColor &color)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(color, kFrameWidth));
    painter.drawRect(QRectF(cell).adjusted(1, 1, -1, -1));
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// Dark dashes under light ones show on every colour.
void paintFocusFrame(QPainter &painter, const QRect &cell)
{
    const QRect frame = cell.adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1);
    if (frame.width() <= 0 || frame.height() <= 0)
        return;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kFocusDark, 1.0));
    painter.drawRect(frame);
    QPen dashes(kFocusLight, 1.0, Qt::DashLine);
    dashes.setDashPattern({2.0, 2.0});
    painter.setPen(dashes);
    painter.drawRect(frame);
}

void paintZoomedCell(QPainter &painter, const QRect &grid, const PaletteCell &cell)
{
    painter.fillRect(grid, cell.color);
    ChipLook::paintCardFrame(painter, grid);
    painter.setPen(zoomLabelColor(cell.color));
    const QRect text = grid.adjusted(kLabelInset, kLabelInset, -kLabelInset, -kLabelInset);
    const QString shown =
        painter.fontMetrics().elidedText(cell.label, Qt::ElideRight, text.width());
    // Twice, so that the thin strokes of the label read as firmly as the colour behind them.
    for (int pass = 0; pass < 2; ++pass)
        painter.drawText(text, Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine, shown);
}

void paintCells(QPainter &painter, const MyPaletteLayout &layout, const MyPaletteModel &model,
                const MyPalettePaintState &state)
{
    const QList<PaletteCell> &cells = model.cells();
    for (int index = 0; index < cells.size() && index < int(layout.cells.size()); ++index) {
        if (cells.at(index).isFilled())
            painter.fillRect(layout.cells.at(index), cells.at(index).color);
    }
    if (model.gridVisible()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(kOutlineColor);
        // Neighbours share their outline: a stroked cell covers one pixel beyond its
        // right and bottom edges.
        for (const QRect &cell : layout.cells)
            painter.drawRect(cell);
    }
    for (const QPoint &selected : model.selection())
        paintCellFrame(painter, layout.cellRect(selected), kSelectionColor);
    if (MyPaletteLayout::containsCell(model.dropTarget()))
        paintCellFrame(painter, layout.cellRect(model.dropTarget()), kDropTargetColor);
    if (MyPaletteLayout::containsCell(state.focusCell))
        paintFocusFrame(painter, layout.cellRect(state.focusCell));
}

} // namespace

QColor zoomLabelColor(const QColor &color)
{
    const int grey = (11 * color.red() + 16 * color.green() + 5 * color.blue()) / 32;
    return grey >= kLightGrey ? QColor(Qt::black) : QColor(Qt::white);
}

void paintMyPalette(QPainter &painter, const MyPaletteLayout &layout, const MyPaletteModel &model,
                    const MyPalettePaintState &state)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (!state.strip.isNull())
        painter.drawTiledPixmap(layout.strip, state.strip);
    if (layout.grid.isEmpty())
        return;
    const PaletteCell zoomed = model.cell(model.zoomedCell());
    if (zoomed.isFilled())
        paintZoomedCell(painter, layout.grid, zoomed);
    else
        paintCells(painter, layout, model, state);
}

} // namespace Corvo
