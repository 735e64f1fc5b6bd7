#include "ui/searchpainter.h"

#include <QPainter>

namespace Corvo {

namespace {

constexpr qreal kFrameRadius = 7.0;
const QColor kFrameShade(45, 45, 45, 96);
const QColor kFrameLine(45, 45, 45);
const QColor kSwatchOutline(255, 255, 255, 160);

// A soft shade on the outer edge and one pixel inside, with a crisp line over the inner one.
void paintFrame(QPainter &painter, const QRect &frame)
{
    if (frame.width() < 3 || frame.height() < 3)
        return;
    painter.setBrush(Qt::NoBrush);
    const QRectF outer = QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kFrameShade, 1));
    painter.drawRoundedRect(outer, kFrameRadius, kFrameRadius);
    painter.drawRoundedRect(outer.adjusted(1, 1, -1, -1), kFrameRadius, kFrameRadius);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kFrameLine, 1));
    painter.drawRoundedRect(frame.adjusted(1, 1, -2, -2), kFrameRadius, kFrameRadius);
}

} // namespace

void paintSearch(QPainter &painter, const SearchLayout &layout, const QPixmap &magnifier)
{
    painter.save();
    if (!magnifier.isNull())
        painter.drawPixmap(layout.magnifier().topLeft(), magnifier);
    paintFrame(painter, layout.frame());
    painter.restore();
}

void paintSearchNote(QPainter &painter, const SearchLayout &layout, const QColor &swatch,
                     const QString &text, const QColor &textColor)
{
    if (layout.noteText().isEmpty())
        return;
    painter.save();
    if (!layout.noteSwatch().isEmpty()) {
        painter.setPen(kSwatchOutline);
        painter.setBrush(swatch);
        painter.drawRect(layout.noteSwatch().adjusted(0, 0, -1, -1));
    }
    painter.setPen(textColor);
    painter.drawText(layout.noteText(), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.restore();
}

} // namespace Corvo
