#pragma once

#include <cstdint>

// The add-on's three commands, each in a window of its own with a fresh application object,
// while the host waits and accepts no input.
namespace Corvo::CommandDispatch {

// The colour picker, the about box or the project colours for their menus; any other menu
// does nothing.
void run(int16_t menuResId);

} // namespace Corvo::CommandDispatch
