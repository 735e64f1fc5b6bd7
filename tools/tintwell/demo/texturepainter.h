#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace Tintwell {

// Greyscale surface textures (plaster, wood, brick, concrete, linen, stone) painted from
// a fixed seed, so every build yields the same pixels. The picker multiplies them with
// the chosen colour.
class TexturePainter
{
public:
    explicit TexturePainter(unsigned seed) : m_seed(seed) {}

    static QStringList names();
    // A null image for a name it does not know.
    QImage paint(const QString &name, const QSize &size) const;

private:
    double noise(double x, double y, unsigned salt) const;
    double fractal(double x, double y, int octaves, unsigned salt) const;
    double hash(int x, int y, unsigned salt) const;
    int plaster(int x, int y) const;
    int wood(int x, int y) const;
    int brick(int x, int y) const;
    int concrete(int x, int y) const;
    int linen(int x, int y) const;
    int stone(int x, int y) const;

    unsigned m_seed;
};

} // namespace Tintwell
