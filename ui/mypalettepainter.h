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

// The colour a zoomed cell's label is written in: black on a colour whose weighted grey
// (11 R + 16 G + 5 B) / 32 is light (128 or more), white on a dark one, so that it reads
// on mid-tones too.
QColor zoomLabelColor(const QColor &color);

// Paints the strip, then either the zoomed cell enlarged over the whole grid with its label
// or the cells with their outlines (when the grid is shown), selection and drop target
// frames, in the painter's font.
void paintMyPalette(QPainter &painter, const MyPaletteLayout &layout, const MyPaletteModel &model,
                    const MyPalettePaintState &state);

} // namespace Corvo
