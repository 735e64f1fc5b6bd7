#pragma once

#include <QByteArray>

namespace Tintwell {

class SwatchReadContext;

// The palette files of image editors: "GIMP Palette", optional "Name:" and "Columns:"
// header lines, comments from "#", then one "R G B name" line per colour. Such a palette
// has no groups: its colours go on cards by hue.
class GplReader
{
public:
    static bool isGpl(const QByteArray &bytes);
    // False when reading stopped at a bad line (strict).
    static bool read(const QByteArray &bytes, SwatchReadContext &context);
};

} // namespace Tintwell
