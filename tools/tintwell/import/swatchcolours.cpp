#include "tools/tintwell/import/swatchcolours.h"

#include "tools/tintwell/demo/colourmath.h"

#include <algorithm>
#include <cmath>

namespace Tintwell::SwatchColours {

namespace {

int channel(double fraction)
{
    return static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * 255.0));
}

} // namespace

Rgb rgbFromFractions(double red, double green, double blue)
{
    return {channel(red), channel(green), channel(blue)};
}

Rgb rgbFromLab(const Corvo::Lab &lab, bool &clipped)
{
    const Corvo::Lab bounded{std::clamp(lab.l, 0.0, 100.0), lab.a, lab.b};
    if (const std::optional<Rgb> direct = ColourMath::rgbFromLab(bounded)) {
        clipped = false;
        return *direct;
    }
    clipped = true;
    return ColourMath::rgbFromLchInGamut(ColourMath::lchFromLab(bounded));
}

Rgb rgbFromCmyk(double cyan, double magenta, double yellow, double black)
{
    const double white = 1.0 - std::clamp(black, 0.0, 1.0);
    return rgbFromFractions((1.0 - std::clamp(cyan, 0.0, 1.0)) * white,
                            (1.0 - std::clamp(magenta, 0.0, 1.0)) * white,
                            (1.0 - std::clamp(yellow, 0.0, 1.0)) * white);
}

std::optional<Rgb> rgbFromHex(const QString &text)
{
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1Char('#')))
        digits.remove(0, 1);
    if (digits.size() == 3)
        digits = QString(digits.at(0)).repeated(2) + QString(digits.at(1)).repeated(2) +
                 QString(digits.at(2)).repeated(2);
    const bool hex = std::all_of(digits.cbegin(), digits.cend(), [](QChar c) {
        return c.isDigit() || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'));
    });
    if (digits.size() != 6 || !hex)
        return std::nullopt;
    const uint value = digits.toUInt(nullptr, 16);
    return Rgb{int((value >> 16) & 0xFF), int((value >> 8) & 0xFF), int(value & 0xFF)};
}

} // namespace Tintwell::SwatchColours
