#pragma once

#include "engine/db/colorentry.h"
#include "engine/palette/chipdragdata.h"

#include <QPixmap>
#include <QUuid>
#include <Qt>

class QFont;
class QObject;

// Starting a drag of a collection chip: its picture and its payload.
namespace Corvo {

// 128 x 64: the chip's colour fading to the right, its code at the top right in black.
QPixmap chipDragPixmap(const QColor &color, const QString &code, const QFont &codeFont);

// Runs the drag of a chip from the source (a card roller, chip view or palette widget) and
// returns the action performed. The code is drawn in codeFont, the interface font at base
// size. Anything but a chip origin (1 to 3), a missing source or an empty row starts no
// drag and gives Qt::IgnoreAction.
Qt::DropAction startChipDrag(QObject *source, ChipOrigin origin, const QUuid &collection,
                             const DB::ColorEntry &row, const QFont &codeFont,
                             Qt::DropActions supportedActions,
                             Qt::DropAction defaultAction = Qt::CopyAction);

} // namespace Corvo
