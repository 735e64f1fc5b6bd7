#include "tools/tintwell/demo/texturepainter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace Tintwell {

namespace {

constexpr int kBrickWidth = 37;
constexpr int kBrickHeight = 13;
constexpr int kMortar = 2;
constexpr double kStoneCell = 34.0;

int toGrey(double value)
{
    return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

double smooth(double t)
{
    return t * t * (3.0 - 2.0 * t);
}

} // namespace

QStringList TexturePainter::names()
{
    return {QStringLiteral("Plaster"),  QStringLiteral("Wood"),  QStringLiteral("Brick"),
            QStringLiteral("Concrete"), QStringLiteral("Linen"), QStringLiteral("Stone")};
}

double TexturePainter::hash(int x, int y, unsigned salt) const
{
    // A small integer hash: the same on every machine, unlike the standard distributions.
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u + (m_seed ^ salt) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<double>(h) / static_cast<double>(std::numeric_limits<std::uint32_t>::max());
}

double TexturePainter::noise(double x, double y, unsigned salt) const
{
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const double fx = smooth(x - x0);
    const double fy = smooth(y - y0);
    const double top = hash(x0, y0, salt) * (1 - fx) + hash(x0 + 1, y0, salt) * fx;
    const double bottom = hash(x0, y0 + 1, salt) * (1 - fx) + hash(x0 + 1, y0 + 1, salt) * fx;
    return top * (1 - fy) + bottom * fy;
}

double TexturePainter::fractal(double x, double y, int octaves, unsigned salt) const
{
    double sum = 0.0;
    double amplitude = 0.5;
    double total = 0.0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += noise(x, y, salt + static_cast<unsigned>(octave)) * amplitude;
        total += amplitude;
        x *= 2.0;
        y *= 2.0;
        amplitude *= 0.5;
    }
    return sum / total;
}

int TexturePainter::plaster(int x, int y) const
{
    const double cloud = fractal(x / 28.0, y / 28.0, 5, 11);
    const double trowel = noise(x / 60.0 + y / 90.0, y / 14.0, 12);
    return toGrey(206 + cloud * 40 + (trowel - 0.5) * 14);
}

int TexturePainter::wood(int x, int y) const
{
    const double warp = fractal(x / 70.0, y / 18.0, 3, 21) * 9.0;
    const double rings = std::sin((y + warp) * 0.55 + std::sin(x / 40.0) * 1.5);
    const double fibre = noise(x / 2.0, y / 9.0, 22);
    return toGrey(196 + rings * 24 + (fibre - 0.5) * 22);
}

int TexturePainter::brick(int x, int y) const
{
    const int course = y / kBrickHeight;
    const int shifted = x + (course % 2) * (kBrickWidth / 2);
    const int column = shifted / kBrickWidth;
    const bool mortar = y % kBrickHeight < kMortar || shifted % kBrickWidth < kMortar;
    if (mortar)
        return toGrey(232 + (noise(x / 3.0, y / 3.0, 31) - 0.5) * 24);
    const double face = hash(column, course, 32);
    const double grain = fractal(x / 6.0, y / 6.0, 3, 33);
    return toGrey(160 + face * 45 + (grain - 0.5) * 36);
}

int TexturePainter::concrete(int x, int y) const
{
    const double base = fractal(x / 20.0, y / 20.0, 4, 41);
    const double pore = hash(x, y, 42);
    const double pores = pore > 0.985 ? -55.0 : 0.0;
    return toGrey(180 + base * 50 + pores + (hash(x, y, 43) - 0.5) * 12);
}

int TexturePainter::linen(int x, int y) const
{
    const double warp = std::sin(x * 1.7) * 0.5 + 0.5;
    const double weft = std::sin(y * 1.7) * 0.5 + 0.5;
    const double slub = noise(x / 2.0, y / 30.0, 51) + noise(x / 30.0, y / 2.0, 52);
    return toGrey(200 + (warp * weft) * 36 + (slub - 1.0) * 22);
}

int TexturePainter::stone(int x, int y) const
{
    // Flagstones: each pixel belongs to the nearest of scattered cell centres; the seams
    // lie where two centres are almost equally near.
    const int cellX = static_cast<int>(x / kStoneCell);
    const int cellY = static_cast<int>(y / kStoneCell);
    double nearest = std::numeric_limits<double>::max();
    double second = nearest;
    int owner = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int cx = cellX + dx;
            const int cy = cellY + dy;
            const double px = (cx + hash(cx, cy, 61)) * kStoneCell;
            const double py = (cy + hash(cx, cy, 62)) * kStoneCell;
            const double distance = std::hypot(px - x, py - y);
            if (distance < nearest) {
                second = nearest;
                nearest = distance;
                owner = cx * 31 + cy;
            } else if (distance < second) {
                second = distance;
            }
        }
    }
    if (second - nearest < 2.0)
        return toGrey(135 + hash(x, y, 63) * 20);
    const double face = hash(owner, 7, 64);
    return toGrey(175 + face * 45 + (fractal(x / 9.0, y / 9.0, 3, 65) - 0.5) * 36);
}

QImage TexturePainter::paint(const QString &name, const QSize &size) const
{
    int (TexturePainter::*pattern)(int, int) const = nullptr;
    const QString lower = name.toLower();
    if (lower == QLatin1String("plaster"))
        pattern = &TexturePainter::plaster;
    else if (lower == QLatin1String("wood"))
        pattern = &TexturePainter::wood;
    else if (lower == QLatin1String("brick"))
        pattern = &TexturePainter::brick;
    else if (lower == QLatin1String("concrete"))
        pattern = &TexturePainter::concrete;
    else if (lower == QLatin1String("linen"))
        pattern = &TexturePainter::linen;
    else if (lower == QLatin1String("stone"))
        pattern = &TexturePainter::stone;
    else
        return QImage();
    QImage image(size, QImage::Format_Grayscale8);
    for (int y = 0; y < size.height(); ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < size.width(); ++x)
            line[x] = static_cast<uchar>((this->*pattern)(x, y));
    }
    return image;
}

} // namespace Tintwell
