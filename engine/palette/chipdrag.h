#pragma once

#include <QPixmap>

class QColor;
class QFont;
class QString;

// The picture a dragged chip shows under the pointer.
namespace Corvo {

// 128 x 64: the chip's colour fading to the right, its code at the top right in black.
QPixmap chipDragPixmap(const QColor &color, const QString &code, const QFont &codeFont);

} // namespace Corvo
