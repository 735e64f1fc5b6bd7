#include "tools/tintwell/demo/colourmath.h"

#include <QColor>

#include <algorithm>
#include <cmath>

namespace Tintwell::ColourMath {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kEpsilon = 216.0 / 24389.0;
constexpr double kKappa = 24389.0 / 27.0;
constexpr int kChromaSearchSteps = 24;
constexpr double kNeutralChroma = 10.0;
constexpr double kWhiteLightness = 94.0;
constexpr double kWhiteChroma = 5.0;

// Inverse of the engine's four-decimal sRGB matrix.
constexpr double kInverse[3][3] = {
    {3.2406254773200533, -1.5372079722103187, -0.4986285986982479},
    {-0.9689307147293194, 1.875756060885241, 0.04151752384295394},
    {0.05571012044551061, -0.2040210505984867, 1.0569959422543882},
};

double finv(double f)
{
    const double cube = f * f * f;
    return cube > kEpsilon ? cube : (116.0 * f - 16.0) / kKappa;
}

double encode(double linear)
{
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

} // namespace

Corvo::Lab labFromRgb(const Rgb &rgb)
{
    return Corvo::labFromColor(QColor(rgb.red, rgb.green, rgb.blue));
}

Lch lchFromLab(const Corvo::Lab &lab)
{
    double hue = std::atan2(lab.b, lab.a) * 180.0 / kPi;
    if (hue < 0.0)
        hue += 360.0;
    return {lab.l, std::hypot(lab.a, lab.b), hue};
}

Corvo::Lab labFromLch(const Lch &lch)
{
    const double radians = lch.h * kPi / 180.0;
    return {lch.l, lch.c * std::cos(radians), lch.c * std::sin(radians)};
}

std::optional<Rgb> rgbFromLab(const Corvo::Lab &lab)
{
    const double fy = (lab.l + 16.0) / 116.0;
    const double fx = fy + lab.a / 500.0;
    const double fz = fy - lab.b / 200.0;
    const double xyz[3] = {finv(fx) * Corvo::d65White.x, finv(fy) * Corvo::d65White.y,
                           finv(fz) * Corvo::d65White.z};
    int channels[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const double linear =
            kInverse[i][0] * xyz[0] + kInverse[i][1] * xyz[1] + kInverse[i][2] * xyz[2];
        if (linear < -0.001 || linear > 1.001)
            return std::nullopt;
        channels[i] = static_cast<int>(
            std::lround(std::clamp(encode(std::clamp(linear, 0.0, 1.0)), 0.0, 1.0) * 255.0));
    }
    return Rgb{channels[0], channels[1], channels[2]};
}

Rgb rgbFromLchInGamut(const Lch &lch)
{
    if (const std::optional<Rgb> direct = rgbFromLab(labFromLch(lch)))
        return *direct;
    double inside = 0.0;
    double outside = lch.c;
    for (int step = 0; step < kChromaSearchSteps; ++step) {
        const double middle = (inside + outside) / 2.0;
        if (rgbFromLab(labFromLch({lch.l, middle, lch.h})))
            inside = middle;
        else
            outside = middle;
    }
    if (const std::optional<Rgb> clipped = rgbFromLab(labFromLch({lch.l, inside, lch.h})))
        return *clipped;
    const int grey = static_cast<int>(std::lround(std::clamp(lch.l, 0.0, 100.0) * 2.55));
    return {grey, grey, grey};
}

int lightReflectance(const Rgb &rgb)
{
    const double lightness = labFromRgb(rgb).l;
    const double fy = (lightness + 16.0) / 116.0;
    return static_cast<int>(std::lround(finv(fy) * 100.0));
}

double meanHue(const QList<Lch> &colours)
{
    double x = 0.0;
    double y = 0.0;
    for (const Lch &colour : colours) {
        x += colour.c * std::cos(colour.h * kPi / 180.0);
        y += colour.c * std::sin(colour.h * kPi / 180.0);
    }
    const double hue = std::atan2(y, x) * 180.0 / kPi;
    return hue < 0.0 ? hue + 360.0 : hue;
}

double hueDistance(double first, double second)
{
    const double difference = std::fmod(std::fabs(first - second), 360.0);
    return difference > 180.0 ? 360.0 - difference : difference;
}

bool isNeutral(const Lch &lch)
{
    return lch.c < kNeutralChroma;
}

bool isWhite(const Lch &lch)
{
    return lch.l > kWhiteLightness && lch.c < kWhiteChroma;
}

} // namespace Tintwell::ColourMath
