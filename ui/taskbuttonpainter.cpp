#include "ui/taskbuttonpainter.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace Corvo::TaskButtonLook {

namespace {

const QColor kFaceTop(238, 238, 238);
const QColor kFaceBottom(204, 204, 204);
// QColor::darker takes a percentage: 120 divides the value by 1.2.
constexpr int kDisabledDarkening = 120;
const QColor kCaption(49, 49, 49);
const QColor kRoundCaption(0, 129, 183);
const QColor kBorder(255, 255, 255, 64);
const QColor kOuterFocusRing(119, 173, 216, 192);
const QColor kInnerFocusRing(198, 216, 230, 192);
constexpr int kRestingCaptionShift = 1;
constexpr int kPressedCaptionShift = 3;

QPainterPath shapePath(Shape shape, const QRectF &rect, qreal radius)
{
    QPainterPath path;
    if (shape == Shape::Ellipse)
        path.addEllipse(rect);
    else
        path.addRoundedRect(rect, radius, radius);
    return path;
}

} // namespace

int perceivedGrey(const QColor &colour)
{
    return (11 * colour.red() + 16 * colour.green() + 5 * colour.blue()) / 32;
}

Gradient faceGradient(bool enabled)
{
    if (enabled)
        return {kFaceTop, kFaceBottom};
    const QColor flat = kFaceBottom.darker(kDisabledDarkening);
    return {flat, flat};
}

QColor captionColor(bool enabled)
{
    if (enabled)
        return kCaption;
    const int grey = perceivedGrey(kFaceTop);
    return QColor(grey, grey, grey);
}

QColor roundCaptionColor()
{
    return kRoundCaption;
}

int captionShift(bool pressed)
{
    return pressed ? kPressedCaptionShift : kRestingCaptionShift;
}

QPainterPath facePath(Shape shape, const QRectF &bounds)
{
    return shapePath(shape, bounds, kCornerRadius);
}

QPainterPath ringPath(Shape shape, const QRectF &bounds, int ring)
{
    // Each line lies wholly inside the face: its centre is half a line width in from the
    // edge of the one outside it, and its corners follow the face's rounding.
    const qreal inset = kLineWidth / 2.0 + ring * kLineWidth;
    const QRectF rect = bounds.adjusted(inset, inset, -inset, -inset);
    return shapePath(shape, rect, std::max<qreal>(0.0, kCornerRadius - inset));
}

QPointF inkCentredBaseline(const QRectF &bounds, const QRectF &ink, int shift)
{
    return bounds.center() - ink.center() + QPointF(0, shift);
}

QColor borderColor()
{
    return kBorder;
}

QColor focusRingColor(int ring)
{
    return ring == 0 ? kOuterFocusRing : kInnerFocusRing;
}

void paint(QPainter &painter, const Face &face)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const Gradient colours = faceGradient(face.enabled);
    QLinearGradient gradient(face.bounds.topLeft(), face.bounds.bottomLeft());
    gradient.setColorAt(0.0, colours.top);
    gradient.setColorAt(1.0, colours.bottom);
    painter.fillPath(facePath(face.shape, face.bounds), gradient);
    painter.setBrush(Qt::NoBrush);
    if (face.focused) {
        for (int ring = 0; ring < kFocusRings; ++ring) {
            painter.setPen(QPen(focusRingColor(ring), kLineWidth));
            painter.drawPath(ringPath(face.shape, face.bounds, ring));
        }
    } else {
        painter.setPen(QPen(borderColor(), kLineWidth));
        painter.drawPath(ringPath(face.shape, face.bounds, 0));
    }
    painter.setFont(face.font);
    painter.setPen(face.captionColour);
    const int shift = captionShift(face.pressed);
    // Drawn twice: the antialiased caption reads firmer.
    for (int pass = 0; pass < 2; ++pass) {
        if (face.shape == Shape::Ellipse) {
            const QRectF ink = QFontMetricsF(face.font).tightBoundingRect(face.caption);
            painter.drawText(inkCentredBaseline(face.bounds, ink, shift), face.caption);
        } else {
            painter.drawText(face.bounds.translated(0, shift), Qt::AlignCenter | Qt::TextSingleLine,
                             face.caption);
        }
    }
    painter.restore();
}

} // namespace Corvo::TaskButtonLook
