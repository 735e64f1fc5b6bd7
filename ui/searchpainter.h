#pragma once

#include "ui/searchlayout.h"

#include <QPixmap>

class QPainter;

namespace Corvo {

// The search bar's own drawing: the magnifier and the rounded frame; the edit and the roll
// buttons draw themselves.
void paintSearch(QPainter &painter, const SearchLayout &layout, const QPixmap &magnifier);
// The note at the edit's end: a swatch of the colour (when the layout has one) and the
// text, in the painter's font.
void paintSearchNote(QPainter &painter, const SearchLayout &layout, const QColor &swatch,
                     const QString &text, const QColor &textColor);

} // namespace Corvo
