#pragma once

#include "addon/projectattributes.h"
#include "engine/palette/projectcolourmatcher.h"

namespace Corvo {

// One line of the project colours window: a material or pen, its nearest chip, and what
// "make exact" did to it.
struct ProjectColourRow
{
    enum class State { Unchanged, Changed, Failed };

    ProjectAttributes::Attribute attribute;
    ProjectColourMatch match;
    State state = State::Unchanged;
    bool ticked = false;
};

} // namespace Corvo
