#pragma once

#include <QByteArray>

namespace Tintwell {

class SwatchReadContext;

// Measurement files (CxF3): every core Object with a usable CIELAB or sRGB colour, read by
// the engine's reader. An object's Lab value wins over its sRGB value; the engine adapts
// it to D65 from the illuminant the file names.
class Cxf3SwatchReader
{
public:
    static bool isCxf3(const QByteArray &bytes);
    // False when reading stopped at an object without colour (strict).
    static bool read(const QByteArray &bytes, SwatchReadContext &context);
};

} // namespace Tintwell
