#include "ui/startchipdrag.h"

#include "engine/palette/chipdrag.h"

#include <QDrag>
#include <QMimeData>

namespace Corvo {

namespace {

bool isChipOrigin(ChipOrigin origin)
{
    return origin == ChipOrigin::CardRoller || origin == ChipOrigin::ChipView ||
           origin == ChipOrigin::Palette;
}

} // namespace

ChipDrag collectionChipDrag(ChipOrigin origin, const QUuid &collection, const DB::ColorEntry &row)
{
    return {chipPayload(origin, collection, row.id), DB::chipColor(row), row.code};
}

Qt::DropAction startChipDrag(QObject *source, const ChipDrag &chip, const QFont &labelFont,
                             Qt::DropActions supportedActions, Qt::DropAction defaultAction)
{
    if (source == nullptr || chip.payload.isEmpty())
        return Qt::IgnoreAction;
    std::unique_ptr<QMimeData> mime = chipMimeData(chip.payload);
    if (!mime)
        return Qt::IgnoreAction;

    auto *drag = new QDrag(source);
    drag->setMimeData(mime.release());
    drag->setPixmap(chipDragPixmap(chip.color, chip.label, labelFont));
    return drag->exec(supportedActions, defaultAction);
}

Qt::DropAction startChipDrag(QObject *source, ChipOrigin origin, const QUuid &collection,
                             const DB::ColorEntry &row, const QFont &codeFont,
                             Qt::DropActions supportedActions, Qt::DropAction defaultAction)
{
    if (!isChipOrigin(origin) || row.id <= 0)
        return Qt::IgnoreAction;
    return startChipDrag(source, collectionChipDrag(origin, collection, row), codeFont,
                         supportedActions, defaultAction);
}

} // namespace Corvo
