#pragma once

#include "engine/colour/colorscience.h"
#include "tools/tintwell/model/deckmodel.h"

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
// Hue distance in degrees, 0 to 180.
double hueDistance(double first, double second);

} // namespace Tintwell::ColourMath
