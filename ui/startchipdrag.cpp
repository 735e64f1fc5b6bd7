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

Qt::DropAction startChipDrag(QObject *source, ChipOrigin origin, const QUuid &collection,
                             const DB::ColorEntry &row, const QFont &codeFont,
                             Qt::DropActions supportedActions, Qt::DropAction defaultAction)
{
    if (source == nullptr || !isChipOrigin(origin) || row.id <= 0)
        return Qt::IgnoreAction;
    std::unique_ptr<QMimeData> mime = chipMimeData(chipPayload(origin, collection, row.id));
    if (!mime)
        return Qt::IgnoreAction;

    auto *drag = new QDrag(source);
    drag->setMimeData(mime.release());
    drag->setPixmap(chipDragPixmap(DB::chipColor(row), row.code, codeFont));
    return drag->exec(supportedActions, defaultAction);
}

} // namespace Corvo
