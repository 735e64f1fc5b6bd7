#pragma once

#include <QCache>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QtGlobal>

// Textures shown in the selected colour: a texture pixel t mixed with the tint channel c
// by the placement's alpha x gives m = int(c * x + t * (1 - x)), and the output t * m / 256.
namespace Corvo {

// One channel; alpha is bounded to 0 to 1, so that a stored value outside that range
// cannot push a channel past 255.
int tintChannel(int texture, int tint, double alpha);

// The texture (any format) tinted pixel by pixel, opaque 32-bit ARGB; null for a null
// texture.
QImage tintImage(const QImage &texture, const QColor &tint, double alpha);

// The texture scaled to fill `pixels` (cut to it, keeping its proportions), then tinted.
QImage tintedTile(const QImage &texture, const QColor &tint, double alpha, const QSize &pixels);

// Tinted tiles by texture, tint, alpha and size in device pixels. Rolling through the deck
// asks for the same few textures in each colour again and again; a tile costs a scale and
// a pass over its pixels, so the recent ones are kept.
class TintedTileCache
{
public:
    static constexpr int kMaxTiles = 48;

    TintedTileCache();

    // Null when the texture is null or the size empty.
    QImage tile(qint64 textureId, const QImage &texture, const QColor &tint, double alpha,
                const QSize &pixels);
    void clear();
    int count() const;

private:
    struct Key
    {
        qint64 textureId = 0;
        QRgb tint = 0;
        double alpha = 0.0;
        QSize pixels;
        bool operator==(const Key &other) const
        {
            return textureId == other.textureId && tint == other.tint && alpha == other.alpha &&
                   pixels == other.pixels;
        }
    };
    friend size_t qHash(const Key &key, size_t seed);

    QCache<Key, QImage> m_tiles;
};

} // namespace Corvo
