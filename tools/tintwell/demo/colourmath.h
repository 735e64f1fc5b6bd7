#pragma once

#include "engine/colour/colorscience.h"
#include "tools/tintwell/model/deckmodel.h"

#include <QList>

#include <optional>

// Colour arithmetic for designing decks: the demo plans its chips in CIE LCh (D65, the
// engine's white) and turns them into 8-bit sRGB. The engine only ever converts the other
// way, so the inverse lives here.
namespace Tintwell::ColourMath {

struct Lch
{
    double l = 0.0;
    double c = 0.0;
    double h = 0.0; // degrees, 0 to 360
};

Corvo::Lab labFromRgb(const Rgb &rgb);
Lch lchFromLab(const Corvo::Lab &lab);
Corvo::Lab labFromLch(const Lch &lch);
// The sRGB colour of a Lab value, or nothing when it lies outside the sRGB gamut.
std::optional<Rgb> rgbFromLab(const Corvo::Lab &lab);
// The colour with that lightness and hue and the given chroma, or the highest chroma
// below it that sRGB can show.
Rgb rgbFromLchInGamut(const Lch &lch);
// Light reflectance value, 0 to 100: the luminance Y of the colour in percent.
int lightReflectance(const Rgb &rgb);
// The hue of a set of colours, each weighted by its chroma; degrees, 0 to 360.
double meanHue(const QList<Lch> &colours);
// Hue distance in degrees, 0 to 180.
double hueDistance(double first, double second);
// The flags a chip gets from its colour when its source does not say: neutral below a
// chroma of 10, white above a lightness of 94 with a chroma below 5.
bool isNeutral(const Lch &lch);
bool isWhite(const Lch &lch);

} // namespace Tintwell::ColourMath
