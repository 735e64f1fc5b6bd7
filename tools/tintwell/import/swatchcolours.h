#pragma once

#include "engine/colour/colorscience.h"
#include "tools/tintwell/model/deckmodel.h"

#include <QString>

#include <optional>

// Turning the colour models of swatch files into the 8-bit sRGB a collection stores.
namespace Tintwell::SwatchColours {

// Channels from 0 to 1, clamped and rounded.
Rgb rgbFromFractions(double red, double green, double blue);
// CIELAB on the engine's scale (D65); a colour outside sRGB keeps its lightness and hue
// and loses chroma, and `clipped` says so.
Rgb rgbFromLab(const Corvo::Lab &lab, bool &clipped);
// Fractions from 0 to 1, without a colour profile: each channel (1 - ink) x (1 - black).
Rgb rgbFromCmyk(double cyan, double magenta, double yellow, double black);
// "#RRGGBB", "RRGGBB", "#RGB" or "RGB"; nothing for any other text.
std::optional<Rgb> rgbFromHex(const QString &text);

} // namespace Tintwell::SwatchColours
