#pragma once

#include "ui/mypalettelayout.h"

#include <QColor>
#include <QPixmap>
#include <QPoint>

class QPainter;

namespace Corvo {

class MyPaletteModel;

// What the panel shows besides the palette itself.
struct MyPalettePaintState
{
    QPixmap strip;
    // The keyboard's cell, drawn only while the panel has the focus; noCell() otherwise.
    QPoint focusCell{-1, -1};
};

// The grey a zoomed cell's label is written in: 255 minus the colour's luminance
// (11 R + 16 G + 5 B) / 32, so that it stands out against the colour.
int zoomLabelGrey(const QColor &color);

// Paints the strip, then either the zoomed cell enlarged over the whole grid with its label
// or the cells with their outlines (when the grid is shown), selection and drop target
// frames, in the painter's font.
void paintMyPalette(QPainter &painter, const MyPaletteLayout &layout, const MyPaletteModel &model,
                    const MyPalettePaintState &state);

} // namespace Corvo
