#pragma once

#include <cstdint>

// The add-on's two commands, each in a window of its own with a fresh application object,
// while the host waits and accepts no input.
namespace Corvo::CommandDispatch {

// The colour picker for its menu, the about box for its; any other menu does nothing.
void run(int16_t menuResId);

} // namespace Corvo::CommandDispatch
