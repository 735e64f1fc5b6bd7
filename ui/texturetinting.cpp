#include "ui/texturetinting.h"

#include <QHashFunctions>

#include <algorithm>
#include <array>

namespace Corvo {

namespace {

constexpr int kChannelLevels = 256;

using ChannelTable = std::array<uchar, kChannelLevels>;

// The output of every texture level for one tint channel: a pixel then costs three look-ups.
ChannelTable channelTable(int tint, double alpha)
{
    ChannelTable table{};
    for (int level = 0; level < kChannelLevels; ++level)
        table[level] = static_cast<uchar>(tintChannel(level, tint, alpha));
    return table;
}

} // namespace

int tintChannel(int texture, int tint, double alpha)
{
    const double x = std::clamp(alpha, 0.0, 1.0);
    const int t = std::clamp(texture, 0, 255);
    const int c = std::clamp(tint, 0, 255);
    const int mixed = static_cast<int>(c * x + t * (1.0 - x));
    return t * mixed / kChannelLevels;
}

QImage tintImage(const QImage &texture, const QColor &tint, double alpha)
{
    if (texture.isNull())
        return QImage();
    QImage image = texture.convertToFormat(QImage::Format_ARGB32);
    const QColor rgb = tint.toRgb();
    const ChannelTable red = channelTable(rgb.red(), alpha);
    const ChannelTable green = channelTable(rgb.green(), alpha);
    const ChannelTable blue = channelTable(rgb.blue(), alpha);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            line[x] = qRgba(red[qRed(pixel)], green[qGreen(pixel)], blue[qBlue(pixel)], 255);
        }
    }
    return image;
}

QImage tintedTile(const QImage &texture, const QColor &tint, double alpha, const QSize &pixels)
{
    if (texture.isNull() || pixels.isEmpty())
        return QImage();
    const QImage filled =
        texture.scaled(pixels, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    const QRect cut((filled.width() - pixels.width()) / 2, (filled.height() - pixels.height()) / 2,
                    pixels.width(), pixels.height());
    return tintImage(filled.copy(cut), tint, alpha);
}

size_t qHash(const TintedTileCache::Key &key, size_t seed)
{
    return qHashMulti(seed, key.textureId, key.tint, key.alpha, key.pixels.width(),
                      key.pixels.height());
}

TintedTileCache::TintedTileCache() : m_tiles(kMaxTiles) {}

QImage TintedTileCache::tile(qint64 textureId, const QImage &texture, const QColor &tint,
                             double alpha, const QSize &pixels)
{
    const Key key{textureId, tint.rgb(), alpha, pixels};
    if (const QImage *cached = m_tiles.object(key))
        return *cached;
    QImage tinted = tintedTile(texture, tint, alpha, pixels);
    if (!tinted.isNull())
        m_tiles.insert(key, new QImage(tinted));
    return tinted;
}

void TintedTileCache::clear()
{
    m_tiles.clear();
}

int TintedTileCache::count() const
{
    return static_cast<int>(m_tiles.count());
}

} // namespace Corvo
