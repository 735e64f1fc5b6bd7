#pragma once

#include "engine/db/colorentry.h"
#include "engine/palette/chipdragdata.h"

#include <QColor>
#include <QString>
#include <QUuid>
#include <QVariantMap>
#include <Qt>

class QFont;
class QObject;

namespace Corvo {

// What a chip drag carries and shows: the payload of the chip MIME type, and the colour
// and label of the picture under the pointer.
struct ChipDrag
{
    QVariantMap payload;
    QColor color;
    QString label;
};

// The drag of a collection chip, labelled with its code.
ChipDrag collectionChipDrag(ChipOrigin origin, const QUuid &collection, const DB::ColorEntry &row);

// Runs the drag and returns the action performed; QDrag::exec runs a nested event loop
// until the drop. The label is drawn in labelFont, the interface font at base size. A
// missing source, or a payload that is empty or cannot be written starts no drag and gives
// Qt::IgnoreAction.
Qt::DropAction startChipDrag(QObject *source, const ChipDrag &chip, const QFont &labelFont,
                             Qt::DropActions supportedActions = Qt::CopyAction,
                             Qt::DropAction defaultAction = Qt::CopyAction);

// The drag of a collection chip from the source (a card roller, chip view or palette
// widget). Anything but a chip origin (1 to 3) or an empty row starts no drag.
Qt::DropAction startChipDrag(QObject *source, ChipOrigin origin, const QUuid &collection,
                             const DB::ColorEntry &row, const QFont &codeFont,
                             Qt::DropActions supportedActions,
                             Qt::DropAction defaultAction = Qt::CopyAction);

} // namespace Corvo
