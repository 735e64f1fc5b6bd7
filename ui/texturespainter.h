#pragma once

#include "ui/textureslayout.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QString>

class QPainter;

namespace Corvo {

struct TextureTile
{
    // Already tinted, at the device's pixel density; a null image leaves the tile empty.
    QImage image;
    QString caption;
};

struct TexturesScene
{
    QString header;
    QFont headerFont;
    QFont captionFont;
    // By tile, as the layout counts them.
    QList<TextureTile> tiles;
};

// The header line and every tile in its frame with its caption, over a transparent
// background (the main background shows through).
void paintTextures(QPainter &painter, const TexturesLayout &layout, const TexturesScene &scene);

} // namespace Corvo
