#pragma once

#include "ui/searchlayout.h"

#include <QPixmap>

class QPainter;

namespace Corvo {

// The search bar's own drawing: the magnifier and the rounded frame; the edit and the roll
// buttons draw themselves.
void paintSearch(QPainter &painter, const SearchLayout &layout, const QPixmap &magnifier);

} // namespace Corvo
