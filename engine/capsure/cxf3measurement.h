#pragma once

#include "engine/colour/colorscience.h"

#include <QString>

#include <optional>

namespace Corvo {

// sRGB channels from 0 to 255, not necessarily whole numbers.
struct SrgbValue
{
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

// One CxF3 core Object with the colour values it states. A value that is missing, not a
// number or out of range leaves its colour out; the rest of the object still counts.
struct Cxf3Measurement
{
    // Empty when the object has no name.
    QString name;
    // Relative to the white of the illuminant and observer below.
    std::optional<Lab> lab;
    std::optional<SrgbValue> rgb;
    // The conditions of the Lab value as its ColorSpecification attribute names them; empty
    // when it names none.
    QString illuminant;
    QString observer;

    // The colour on the engine's Lab scale (D65, 2°): the Lab value adapted to that white
    // (D50 and 2° when the file names none), else the sRGB value; none when neither is
    // usable (also for a Lab value under an illuminant or observer that is not known).
    std::optional<Lab> engineLab() const;
};

} // namespace Corvo
