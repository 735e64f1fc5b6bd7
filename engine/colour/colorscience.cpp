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
// cos and sin of the three offsets of the hue weighting.
const double cos30 = std::cos(deg30);
const double sin30 = std::sin(deg30);
const double cos6 = std::cos(deg6);
const double sin6 = std::sin(deg6);
const double cos63 = std::cos(deg63);
const double sin63 = std::sin(deg63);
// For a mean hue from 0 to 110 degrees, (mean - 275 degrees) / 25 degrees is beyond 6.6, so
// |RT| < 1e-18: far below half a unit in the last place of the chroma and hue part, whose
// sum it therefore cannot change. Skipping it saves an arc tangent, an exponential and a
// sine and gives the very same doubles.
const double cos110 = std::cos(110.0 * pi / 180.0);

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

// The inverse of labCompand: its two pieces meet where f = 6 / 29.
double labExpand(double f)
{
    const double cube = f * f * f;
    if (cube > labLinearLimit)
        return cube;
    return (116.0 * f - 16.0) / labLinearSlope;
}

// The Bradford cone response matrix and its inverse (to double precision).
constexpr double bradford[3][3] = {
    {0.8951, 0.2664, -0.1614}, {-0.7502, 1.7135, 0.0367}, {0.0389, -0.0685, 1.0296}};
constexpr double bradfordInverse[3][3] = {
    {0.9869929054667121, -0.1470542564209901, 0.1599626516637312},
    {0.4323052697233945, 0.5183602715367776, 0.04929122821285561},
    {-0.008528664575177331, 0.04004282165408486, 0.96848669578755}};

XYZ times(const double (&m)[3][3], const XYZ &v)
{
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
            m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
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

// The hue terms of a pair of chromatic colours: the mean hue as an angle in [0, 2pi) and as
// its cosine and sine, and sin(dh / 2) of the hue difference dh. When the rotation term
// cannot change the result the angle is left unset.
struct HueTerms
{
    double meanHue = 0.0;
    double cosMean = 1.0;
    double sinMean = 0.0;
    double sinHalfDifference = 0.0;
    bool rotationVanishes = false;
};

// Mean and difference straight from the two hue angles, with the wrap-around rules.
HueTerms hueTermsFromAngles(double a1, double b1, double a2, double b2)
{
    const double h1 = hueAngle(b1, a1);
    const double h2 = hueAngle(b2, a2);

    HueTerms terms;
    if (std::fabs(h1 - h2) <= pi)
        terms.meanHue = (h1 + h2) / 2.0;
    else if (h1 + h2 < twoPi)
        terms.meanHue = (h1 + h2 + twoPi) / 2.0;
    else
        terms.meanHue = (h1 + h2 - twoPi) / 2.0;
    terms.cosMean = std::cos(terms.meanHue);
    terms.sinMean = std::sin(terms.meanHue);

    double difference = h2 - h1;
    if (difference > pi)
        difference -= twoPi;
    else if (difference < -pi)
        difference += twoPi;
    terms.sinHalfDifference = std::sin(difference / 2.0);
    return terms;
}

// Below this length of the sum of the two unit hue vectors the hues are so nearly opposite
// that the side the mean falls on is decided by the angles themselves.
constexpr double oppositeHueLimit = 1e-6;

// The same terms from the unit hue vectors u1 and u2. The mean of the wrap-around rules is
// the bisector of the shorter arc, the direction of u1 + u2; |sin(dh / 2)| is |u2 - u1| / 2,
// signed like the cross product. This needs one arc tangent instead of two arc tangents,
// a sine and a cosine, and is exact for identical hues.
HueTerms hueTerms(double a1, double b1, double c1, double a2, double b2, double c2)
{
    const double u1x = a1 / c1;
    const double u1y = b1 / c1;
    const double u2x = a2 / c2;
    const double u2y = b2 / c2;
    const double sumX = u1x + u2x;
    const double sumY = u1y + u2y;
    const double sumLength = std::sqrt(sumX * sumX + sumY * sumY);
    if (sumLength < oppositeHueLimit)
        return hueTermsFromAngles(a1, b1, a2, b2);

    HueTerms terms;
    terms.cosMean = sumX / sumLength;
    terms.sinMean = sumY / sumLength;
    if (sumY >= 0.0 && terms.cosMean > cos110) {
        terms.rotationVanishes = true;
    } else {
        const double mean = std::atan2(sumY, sumX);
        terms.meanHue = mean < 0.0 ? mean + twoPi : mean;
    }

    const double diffX = u2x - u1x;
    const double diffY = u2y - u1y;
    const double halfChord = std::sqrt(diffX * diffX + diffY * diffY) / 2.0;
    const double cross = u1x * u2y - u1y * u2x;
    terms.sinHalfDifference = cross < 0.0 ? -halfChord : halfChord;
    return terms;
}

// The four cosines of the hue weighting come from the cosine and sine of the mean hue
// through the multiple-angle identities.
double hueWeight(double c, double s)
{
    const double cos2 = c * c - s * s;
    const double sin2 = 2.0 * s * c;
    const double cos3 = c * (4.0 * c * c - 3.0);
    const double sin3 = s * (3.0 - 4.0 * s * s);
    const double cos4 = cos2 * cos2 - sin2 * sin2;
    const double sin4 = 2.0 * sin2 * cos2;
    return 1.0 - 0.17 * (c * cos30 + s * sin30) + 0.24 * cos2 + 0.32 * (cos3 * cos6 - sin3 * sin6) -
           0.20 * (cos4 * cos63 + sin4 * sin63);
}

// RT: the rotation of the chroma and hue differences around blue (mean hue near 275°).
double rotationTerm(double meanHue, double meanChroma)
{
    const double hueFromBlue = (meanHue - deg275) / deg25;
    const double dTheta = deg30 * std::exp(-hueFromBlue * hueFromBlue);
    return -std::sin(2.0 * dTheta) * 2.0 * chromaWeight(meanChroma);
}

// dL' / SL, shared by the difference and its lower bound so that both round alike.
double lightnessTerm(const Lab &reference, const Lab &sample)
{
    const double meanL = (reference.l + sample.l) / 2.0;
    const double lOffset2 = (meanL - 50.0) * (meanL - 50.0);
    const double sl = 1.0 + 0.015 * lOffset2 / std::sqrt(20.0 + lOffset2);
    return (sample.l - reference.l) / sl;
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

XYZ xyzFromLab(const Lab &lab, const XYZ &white)
{
    const double fy = (lab.l + 16.0) / 116.0;
    const double fx = fy + lab.a / 500.0;
    const double fz = fy - lab.b / 200.0;
    return {white.x * labExpand(fx), white.y * labExpand(fy), white.z * labExpand(fz)};
}

XYZ bradfordAdapted(const XYZ &xyz, const XYZ &from, const XYZ &to)
{
    const XYZ cone = times(bradford, xyz);
    const XYZ coneFrom = times(bradford, from);
    const XYZ coneTo = times(bradford, to);
    const XYZ scaled{cone.x * coneTo.x / coneFrom.x, cone.y * coneTo.y / coneFrom.y,
                     cone.z * coneTo.z / coneFrom.z};
    return times(bradfordInverse, scaled);
}

Lab labAdapted(const Lab &lab, const XYZ &from, const XYZ &to)
{
    return labFromXyz(bradfordAdapted(xyzFromLab(lab, from), from, to), to);
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

    const double meanC = (c1p + c2p) / 2.0;
    const double sc = 1.0 + 0.045 * meanC;
    const double tl = lightnessTerm(reference, sample);
    const double tc = (c2p - c1p) / sc;

    // A neutral colour has no hue: the hue difference and the rotation term both vanish.
    const double chromaProduct = c1p * c2p;
    if (chromaProduct == 0.0)
        return std::sqrt(tl * tl + tc * tc);

    const HueTerms hue = hueTerms(a1, reference.b, c1p, a2, sample.b, c2p);
    const double dH = 2.0 * std::sqrt(chromaProduct) * hue.sinHalfDifference;
    const double sh = 1.0 + 0.015 * meanC * hueWeight(hue.cosMean, hue.sinMean);

    const double th = dH / sh;
    const double rt = hue.rotationVanishes ? 0.0 : rotationTerm(hue.meanHue, meanC);
    // The chroma and hue part is summed first: it is never negative, so the result never
    // falls below |tl| even by rounding, which keeps the search bound exact.
    return std::sqrt(tl * tl + (tc * tc + th * th + rt * tc * th));
}

double deltaE2000LightnessBound(const Lab &reference, const Lab &sample)
{
    return std::fabs(lightnessTerm(reference, sample));
}

} // namespace Corvo
