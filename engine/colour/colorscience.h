#pragma once

class QColor;

// CIELAB conversions from 8-bit sRGB and the CIEDE2000 colour difference. Collection rows
// carry stored CIELAB values on the same scale (L from 0 to 100), so the two compare
// directly.
namespace Corvo {

struct Lab
{
    double l = 0.0;
    double a = 0.0;
    double b = 0.0;
};

// Tristimulus values on the scale where the white point has Y = 1.
struct XYZ
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// D65, 2° observer: the white of every Lab value the engine computes or stores.
inline constexpr XYZ d65White{0.95047, 1.0, 1.08883};
// D50, 2° observer: the white measurement files assume when they name none.
inline constexpr XYZ d50White{0.96422, 1.0, 0.82521};

// Channels are fractions from 0 to 1, taken as sRGB.
XYZ xyzFromRgb(double red, double green, double blue);
Lab labFromXyz(const XYZ &xyz, const XYZ &white);
Lab labFromColor(const QColor &color);
XYZ xyzFromLab(const Lab &lab, const XYZ &white);

// The colour seen under the `from` white as it appears under the `to` white (Bradford
// transform); `from` itself becomes `to`.
XYZ bradfordAdapted(const XYZ &xyz, const XYZ &from, const XYZ &to);
// A Lab value relative to `from` as the same colour relative to `to`.
Lab labAdapted(const Lab &lab, const XYZ &from, const XYZ &to);

// Unquantised and non-negative; symmetric in its arguments; weighting factors all 1.
double deltaE2000(const Lab &reference, const Lab &sample);
// |dL' / SL|, the lightness part of deltaE2000, computed exactly as deltaE2000 computes it.
// The chroma and hue part never lowers the difference (|RT| <= sqrt(3) keeps it a positive
// quadratic form), so no colour has a deltaE2000 below this bound: a search can skip the
// colours whose bound already rules them out.
double deltaE2000LightnessBound(const Lab &reference, const Lab &sample);

} // namespace Corvo
