#pragma once

#include "host/runner/projectstore.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// Attributes put into a project without an add-on, for tests and demonstrations:
//   add-material NAME R,G,B             a surface material of that colour;
//   add-pens NAME R,G,B[;R,G,B...]      a pen table with those colours as pens 1, 2, ...
//                                       (width 0.25) and white filler pens after them.
// They go through the same attribute services an add-on calls.
namespace HostRunner::ProjectSeed {

// The 8-bit channels of "R,G,B"; nothing when the text is not three numbers 0 to 255.
std::optional<std::array<int, 3>> parseColour(const std::string &text);
// "R,G,B" separated by semicolons; nothing when one of them is not a colour, or when there
// are none or more than the table's pens.
std::optional<std::vector<std::array<int, 3>>> parseColours(const std::string &text);

// False, and `error` set, for a bad colour, a name longer than the record's field or a name
// the project has already.
bool addMaterial(ProjectStore &project, const std::string &name, const std::string &colour,
                 std::string &error);
bool addPens(ProjectStore &project, const std::string &name, const std::string &colours,
             std::string &error);

} // namespace HostRunner::ProjectSeed
