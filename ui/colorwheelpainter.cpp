#include "ui/colorwheelpainter.h"

#include "ui/themeimage.h"

#include <QPainter>

namespace Corvo {

namespace {

const QString kWheelPictureKey = QStringLiteral("image.widget.color.wheel.background");
const QColor kMarkColour(255, 255, 255);
const QColor kFocusColour(119, 173, 216, 192);
const QColor kFocusHalo(198, 216, 230, 192);
// Just inside the widget's nearer edge, beyond where presses are taken.
constexpr double kFocusRadius = 58.5;
constexpr double kFocusWidth = 2.0;

void beginSmooth(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

} // namespace

QPixmap ColorWheelPainter::renderWheel(const QUuid &collection, const QSize &size,
                                       qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap wheel(size * ratio);
    wheel.setDevicePixelRatio(ratio);
    wheel.fill(Qt::transparent);
    QPainter painter(&wheel);
    beginSmooth(painter);
    const QPixmap picture = themePixmap(collection, kWheelPictureKey, size, ratio);
    if (!picture.isNull())
        painter.drawPixmap(QPointF(0.0, 0.0), picture);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kMarkColour);
    painter.drawEllipse(ColorWheelLayout::hubRect());
    return wheel;
}

void ColorWheelPainter::paintPointer(QPainter &painter, const ColorWheelLayout &layout, int segment)
{
    painter.setPen(QPen(kMarkColour, ColorWheelLayout::kPointerShaftWidth));
    painter.drawLine(layout.pointerShaft(segment));
    QPen outline(kMarkColour);
    outline.setCosmetic(true);
    painter.setPen(outline);
    painter.setBrush(kMarkColour);
    painter.drawPolygon(layout.pointerHead(segment));
}

void ColorWheelPainter::paintArc(QPainter &painter, const ColorWheelLayout &layout, int segment)
{
    painter.setPen(QPen(kMarkColour, ColorWheelLayout::kArcWidth));
    painter.setBrush(Qt::NoBrush);
    const WheelArc arc = layout.arc(segment);
    painter.drawArc(arc.rect, arc.startAngle, arc.spanAngle);
}

void ColorWheelPainter::paintFocus(QPainter &painter)
{
    beginSmooth(painter);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kFocusHalo, kFocusWidth));
    painter.drawEllipse(ColorWheelLayout::kCentre, kFocusRadius - kFocusWidth,
                        kFocusRadius - kFocusWidth);
    painter.setPen(QPen(kFocusColour, kFocusWidth));
    painter.drawEllipse(ColorWheelLayout::kCentre, kFocusRadius, kFocusRadius);
}

void ColorWheelPainter::paint(QPainter &painter, const ColorWheelLayout &layout,
                              const QUuid &collection, const QSize &size, int segment,
                              qreal devicePixelRatio)
{
    beginSmooth(painter);
    painter.drawPixmap(QPointF(0.0, 0.0), cachedWheel({collection, size, devicePixelRatio}));
    paintPointer(painter, layout, segment);
    paintArc(painter, layout, segment);
}

const QPixmap &ColorWheelPainter::cachedWheel(const CacheKey &key)
{
    if (!m_key || !(*m_key == key)) {
        m_wheel = renderWheel(key.collection, key.size, key.devicePixelRatio);
        m_key = key;
    }
    return m_wheel;
}

} // namespace Corvo
