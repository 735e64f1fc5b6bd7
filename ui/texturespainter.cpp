#include "ui/texturespainter.h"

#include <QPainter>

namespace Corvo {

namespace {

const QColor kTextColor(255, 255, 255);
const QColor kFrameOuter(96, 96, 96, 32);
const QColor kFrameOutline(96, 96, 96);
const QColor kFrameInner(255, 255, 255, 32);

// Thin light text on a picture reads better drawn twice over itself.
void drawLineTwice(QPainter &painter, const QRect &rect, int alignment, const QString &text)
{
    const QString line = painter.fontMetrics().elidedText(text, Qt::ElideRight, rect.width());
    for (int pass = 0; pass < 2; ++pass)
        painter.drawText(rect, alignment | Qt::TextSingleLine, line);
}

void drawFrame(QPainter &painter, const QRect &tile)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(kFrameOuter);
    painter.drawRect(tile.adjusted(-2, -2, 1, 1));
    painter.setPen(kFrameOutline);
    painter.drawRect(tile.adjusted(-1, -1, 0, 0));
    painter.setPen(kFrameInner);
    painter.drawRect(tile.adjusted(0, 0, -1, -1));
}

void paintTile(QPainter &painter, const QRect &tile, const QRect &caption,
               const TextureTile &content)
{
    if (!content.image.isNull())
        painter.drawImage(tile, content.image);
    drawFrame(painter, tile);
    painter.setPen(kTextColor);
    drawLineTwice(painter, caption, Qt::AlignLeft | Qt::AlignVCenter, content.caption);
}

} // namespace

void paintTextures(QPainter &painter, const TexturesLayout &layout, const TexturesScene &scene)
{
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(kTextColor);
    painter.setFont(scene.headerFont);
    drawLineTwice(painter, layout.headerRect(), Qt::AlignLeft | Qt::AlignVCenter, scene.header);
    painter.setFont(scene.captionFont);
    for (int index = 0; index < layout.count() && index < scene.tiles.size(); ++index)
        paintTile(painter, layout.tileRect(index), layout.captionRect(index),
                  scene.tiles.at(index));
    painter.restore();
}

} // namespace Corvo
