#include "engine/colour/colorscience.h"

#include <QColor>

#include <cmath>

namespace Corvo {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double twoPi = 2.0 * pi;

constexpr double srgbLinearLimit = 0.04045;
constexpr double labLinearLimit = 0.008856451679035631; // 216 / 24389
constexpr double labLinearSlope = 903.2962962962963;    // 24389 / 27

constexpr double pow25To7 = 6103515625.0;
constexpr double deg30 = 0.5235987755982988;
constexpr double deg6 = 0.10471975511965977;
constexpr double deg63 = 1.0995574287564276;
constexpr double deg275 = 4.799655442984406;
constexpr double deg25 = 25.0 * pi / 180.0;

double decodeSrgb(double channel)
{
    if (channel <= srgbLinearLimit)
        return channel / 12.92;
    return std::pow((channel + 0.055) / 1.055, 2.4);
}

double labCompand(double t)
{
    if (t > labLinearLimit)
        return std::pow(t, 1.0 / 3.0);
    return (labLinearSlope * t + 16.0) / 116.0;
}

double pow7(double x)
{
    const double x2 = x * x;
    const double x3 = x2 * x;
    return x3 * x3 * x;
}

// sqrt(c^7 / (c^7 + 25^7)): how far a chroma has left the neutral axis.
double chromaWeight(double chroma)
{
    const double c7 = pow7(chroma);
    return std::sqrt(c7 / (c7 + pow25To7));
}

double hueAngle(double b, double aPrime)
{
    const double h = std::atan2(b, aPrime);
    return h < 0.0 ? h + twoPi : h;
}

double meanHue(double h1, double h2)
{
    if (std::fabs(h1 - h2) <= pi)
        return (h1 + h2) / 2.0;
    if (h1 + h2 < twoPi)
        return (h1 + h2 + twoPi) / 2.0;
    return (h1 + h2 - twoPi) / 2.0;
}

double hueDifference(double h1, double h2)
{
    double dh = h2 - h1;
    if (dh > pi)
        dh -= twoPi;
    else if (dh < -pi)
        dh += twoPi;
    return dh;
}

double hueWeight(double meanHueAngle)
{
    return 1.0 - 0.17 * std::cos(meanHueAngle - deg30) + 0.24 * std::cos(2.0 * meanHueAngle) +
           0.32 * std::cos(3.0 * meanHueAngle + deg6) - 0.20 * std::cos(4.0 * meanHueAngle - deg63);
}

} // namespace

XYZ xyzFromRgb(double red, double green, double blue)
{
    const double r = decodeSrgb(red);
    const double g = decodeSrgb(green);
    const double b = decodeSrgb(blue);
    return {0.4124 * r + 0.3576 * g + 0.1805 * b, 0.2126 * r + 0.7152 * g + 0.0722 * b,
            0.0193 * r + 0.1192 * g + 0.9505 * b};
}

Lab labFromXyz(const XYZ &xyz, const XYZ &white)
{
    const double fx = labCompand(xyz.x / white.x);
    const double fy = labCompand(xyz.y / white.y);
    const double fz = labCompand(xyz.z / white.z);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

Lab labFromColor(const QColor &color)
{
    return labFromXyz(xyzFromRgb(color.redF(), color.greenF(), color.blueF()), d65White);
}

double deltaE2000(const Lab &reference, const Lab &sample)
{
    const double c1 = std::sqrt(reference.a * reference.a + reference.b * reference.b);
    const double c2 = std::sqrt(sample.a * sample.a + sample.b * sample.b);
    const double g = 0.5 * (1.0 - chromaWeight((c1 + c2) / 2.0));

    const double a1 = (1.0 + g) * reference.a;
    const double a2 = (1.0 + g) * sample.a;
    const double c1p = std::sqrt(a1 * a1 + reference.b * reference.b);
    const double c2p = std::sqrt(a2 * a2 + sample.b * sample.b);
    const double h1 = hueAngle(reference.b, a1);
    const double h2 = hueAngle(sample.b, a2);

    const double meanL = (reference.l + sample.l) / 2.0;
    const double meanC = (c1p + c2p) / 2.0;
    const double meanH = meanHue(h1, h2);

    const double dL = sample.l - reference.l;
    const double dC = c2p - c1p;
    const double dH = 2.0 * std::sqrt(c1p * c2p) * std::sin(hueDifference(h1, h2) / 2.0);

    const double lOffset2 = (meanL - 50.0) * (meanL - 50.0);
    const double sl = 1.0 + 0.015 * lOffset2 / std::sqrt(20.0 + lOffset2);
    const double sc = 1.0 + 0.045 * meanC;
    const double sh = 1.0 + 0.015 * meanC * hueWeight(meanH);

    const double hueFromBlue = (meanH - deg275) / deg25;
    const double dTheta = deg30 * std::exp(-hueFromBlue * hueFromBlue);
    const double rt = -std::sin(2.0 * dTheta) * 2.0 * chromaWeight(meanC);

    const double tl = dL / sl;
    const double tc = dC / sc;
    const double th = dH / sh;
    return std::sqrt(tl * tl + tc * tc + th * th + rt * tc * th);
}

} // namespace Corvo
