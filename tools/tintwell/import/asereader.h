#pragma once

#include <QByteArray>

namespace Tintwell {

class SwatchReadContext;

// Swatch exchange files of version 1: groups and their RGB, Lab (D50, as layout programs
// write it), CMYK and grey entries. CMYK is converted without a colour profile, with a
// warning for each entry.
class AseReader
{
public:
    static bool isAse(const QByteArray &bytes);
    // False when reading stopped at a bad block (strict, or a file cut short).
    static bool read(const QByteArray &bytes, SwatchReadContext &context);
};

} // namespace Tintwell
