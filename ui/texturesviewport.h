#pragma once

#include "ui/textureslayout.h"
#include "ui/texturespainter.h"
#include "ui/texturetinting.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>

namespace Corvo {

// A texture of the current card as the view shows it: the decoded texture, the
// placement's alpha and the caption.
struct ShownTexture
{
    qint64 textureId = 0;
    QImage texture;
    double alpha = 0.0;
    QString caption;
};

// The scrolled content of the textures view: its header and the card's textures tinted
// with the selected colour. It is as high as its rows; the tiles are tinted when painted,
// at the screen's pixel density, and kept in a cache.
class TexturesViewport : public QWidget
{
    Q_OBJECT
public:
    explicit TexturesViewport(QWidget *parent = nullptr);

    void setTileSize(const QSize &tileSize);
    void setHeader(const QString &header);
    void setTextures(const QList<ShownTexture> &textures, const QColor &tint);
    // Lays the tiles out for the width and takes the height they need.
    void layoutForWidth(int width);
    void clearTileCache();

    const TexturesLayout &texturesLayout() const { return m_layout; }
    const QList<ShownTexture> &textures() const { return m_textures; }
    QColor tint() const { return m_tint; }
    int cachedTileCount() const { return m_cache.count(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TexturesScene sceneAt(qreal devicePixelRatio);

    QSize m_tileSize;
    QString m_header;
    QList<ShownTexture> m_textures;
    QColor m_tint;
    TexturesLayout m_layout;
    TintedTileCache m_cache;
};

} // namespace Corvo
