#pragma once

#include "engine/palette/palettecell.h"
#include "ui/mypalettefulllayout.h"

#include <QColor>
#include <QList>
#include <QPixmap>

#include <optional>

class QPainter;

namespace Corvo {

struct MyPaletteFullPaintState
{
    // The background's grey level, 0 to 255.
    int grey = 176;
    QPixmap strip;
    // Row-major; an empty cell paints nothing but its outline.
    QList<PaletteCell> cells;
    // Shown over the whole grid when set.
    std::optional<QColor> picked;
};

// Paints the grey background and the strip, then the picked colour over the whole grid, or
// the framed grid with its filled cells and every cell's outline.
void paintMyPaletteFull(QPainter &painter, const MyPaletteFullLayout &layout,
                        const MyPaletteFullPaintState &state);

} // namespace Corvo
