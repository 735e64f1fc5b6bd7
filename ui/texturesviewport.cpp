#include "ui/texturesviewport.h"

#include "ui/interfacefonts.h"

#include <QPainter>

namespace Corvo {

TexturesViewport::TexturesViewport(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAutoFillBackground(false);
}

void TexturesViewport::setTileSize(const QSize &tileSize)
{
    m_tileSize = tileSize;
}

void TexturesViewport::setHeader(const QString &header)
{
    m_header = header;
}

void TexturesViewport::setTextures(const QList<ShownTexture> &textures, const QColor &tint)
{
    m_textures = textures;
    m_tint = tint;
}

void TexturesViewport::layoutForWidth(int width)
{
    const QFontMetrics header(InterfaceFonts::bold(InterfaceFonts::kTwoStepsAbove));
    m_layout =
        TexturesLayout(width, m_tileSize, static_cast<int>(m_textures.size()), header.height());
    resize(width, m_layout.contentHeight());
    update();
}

void TexturesViewport::clearTileCache()
{
    m_cache.clear();
}

TexturesScene TexturesViewport::sceneAt(qreal devicePixelRatio)
{
    TexturesScene scene;
    scene.header = m_header;
    scene.headerFont = InterfaceFonts::bold(InterfaceFonts::kTwoStepsAbove);
    scene.captionFont = InterfaceFonts::italic(InterfaceFonts::kBase);
    const QSize pixels = m_tileSize * devicePixelRatio;
    for (const ShownTexture &shown : m_textures) {
        TextureTile tile;
        tile.image = m_cache.tile(shown.textureId, shown.texture, m_tint, shown.alpha, pixels);
        tile.image.setDevicePixelRatio(devicePixelRatio);
        tile.caption = shown.caption;
        scene.tiles.append(tile);
    }
    return scene;
}

void TexturesViewport::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintTextures(painter, m_layout, sceneAt(painter.device()->devicePixelRatioF()));
}

} // namespace Corvo
