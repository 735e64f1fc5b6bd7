#pragma once

#include "engine/db/colorentry.h"
#include "engine/palette/chipdragdata.h"

#include <QUuid>
#include <Qt>

class QFont;
class QObject;

namespace Corvo {

// Runs the drag of a chip from the source (a card roller, chip view or palette widget) and
// returns the action performed; QDrag::exec runs a nested event loop until the drop. The
// code is drawn in codeFont, the interface font at base size. Anything but a chip origin
// (1 to 3), a missing source or an empty row starts no drag and gives Qt::IgnoreAction.
Qt::DropAction startChipDrag(QObject *source, ChipOrigin origin, const QUuid &collection,
                             const DB::ColorEntry &row, const QFont &codeFont,
                             Qt::DropActions supportedActions,
                             Qt::DropAction defaultAction = Qt::CopyAction);

} // namespace Corvo
