#include "ui/chiplook.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace Corvo::ChipLook {

namespace {

constexpr qreal kOuterRadius = 3.0;
constexpr qreal kInnerRadius = 2.0;
const QColor kCardGrey(64, 64, 64);
const QColor kCardOuterShadow(64, 64, 64, 24);
const QColor kCardInnerShadow(64, 64, 64, 48);

void paintRing(QPainter &painter, const QRect &area, int reach, qreal radius, const QColor &color)
{
    // The area as a hole: an odd-even fill leaves it untouched.
    QPainterPath ring;
    ring.setFillRule(Qt::OddEvenFill);
    ring.addRoundedRect(QRectF(area.adjusted(-reach, -reach, reach, reach)), radius, radius);
    ring.addRect(QRectF(area));
    painter.fillPath(ring, color);
}

} // namespace

QRect outline(const QRect &rect)
{
    return rect.adjusted(0, 0, -1, -1);
}

void paintShadowRings(QPainter &painter, const QRect &area, const QColor &outer,
                      const QColor &inner)
{
    paintRing(painter, area, 2, kOuterRadius, outer);
    paintRing(painter, area, 1, kInnerRadius, inner);
}

void paintCardFrame(QPainter &painter, const QRect &area)
{
    paintCardShadow(painter, area);
    paintCardOutline(painter, area);
}

void paintCardShadow(QPainter &painter, const QRect &area)
{
    paintShadowRings(painter, area, kCardOuterShadow, kCardInnerShadow);
}

void paintCardOutline(QPainter &painter, const QRect &area)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(kCardGrey);
    painter.drawRect(outline(area));
}

QPixmap pieceUnder(const QPixmap &picture, const QRect &rect)
{
    if (picture.isNull() || rect.isEmpty())
        return {};
    const qreal ratio = picture.devicePixelRatio();
    QPixmap piece = picture.copy(
        QRectF(QPointF(rect.topLeft()) * ratio, QSizeF(rect.size()) * ratio).toAlignedRect());
    piece.setDevicePixelRatio(ratio);
    return piece;
}

} // namespace Corvo::ChipLook
