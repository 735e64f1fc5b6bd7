#include "engine/palette/chipdrag.h"

#include <QDrag>
#include <QFont>
#include <QLinearGradient>
#include <QMimeData>
#include <QPainter>

namespace Corvo {

namespace {

constexpr QSize dragPixmapSize(128, 64);
constexpr int codeInset = 2;
constexpr int gradientEndX = 16;
constexpr int opaqueAlpha = 255;
constexpr int middleAlpha = 208;
constexpr int endAlpha = 160;
constexpr double middleStop = 0.65;

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

// Stored channels outside 0 to 255 would make an invalid colour.
QColor chipColor(const DB::ColorEntry &row)
{
    constexpr int channelMax = 255;
    return QColor(qBound(0, row.red, channelMax), qBound(0, row.green, channelMax),
                  qBound(0, row.blue, channelMax));
}

bool isChipOrigin(ChipOrigin origin)
{
    return origin == ChipOrigin::CardRoller || origin == ChipOrigin::ChipView ||
           origin == ChipOrigin::Palette;
}

} // namespace

QPixmap chipDragPixmap(const QColor &color, const QString &code, const QFont &codeFont)
{
    QPixmap pixmap(dragPixmapSize);
    pixmap.fill(Qt::transparent);

    const QColor opaque = withAlpha(color, opaqueAlpha);
    QLinearGradient gradient(QPointF(0, 0), QPointF(gradientEndX, dragPixmapSize.height()));
    gradient.setColorAt(0.0, opaque);
    gradient.setColorAt(middleStop, withAlpha(opaque, middleAlpha));
    gradient.setColorAt(1.0, withAlpha(opaque, endAlpha));

    QPainter painter(&pixmap);
    painter.fillRect(pixmap.rect(), gradient);
    painter.setPen(Qt::black);
    painter.setFont(codeFont);
    const QRect textRect = pixmap.rect().adjusted(codeInset, codeInset, -codeInset, -codeInset);
    // Twice over itself, which makes the anti-aliased code darker on the translucent colour.
    painter.drawText(textRect, Qt::AlignRight | Qt::AlignTop, code);
    painter.drawText(textRect, Qt::AlignRight | Qt::AlignTop, code);
    return pixmap;
}

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
    drag->setPixmap(chipDragPixmap(chipColor(row), row.code, codeFont));
    return drag->exec(supportedActions, defaultAction);
}

} // namespace Corvo
