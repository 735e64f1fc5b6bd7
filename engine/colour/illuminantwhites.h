#pragma once

#include "engine/colour/colorscience.h"

#include <QString>

#include <optional>

// The white points of the CIE illuminants a colour measurement may be stated under.
namespace Corvo {

enum class StandardObserver { TwoDegree, TenDegree };

// The white of the illuminant ("D50", "A", "F11", ... in any letter case) for the
// observer, with Y = 1 (ASTM E308 values); none for an illuminant not listed.
std::optional<XYZ> illuminantWhite(const QString &illuminant, StandardObserver observer);

} // namespace Corvo
