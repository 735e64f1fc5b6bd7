#include "engine/palette/chipdrag.h"

#include <QFont>
#include <QLinearGradient>
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

} // namespace Corvo
