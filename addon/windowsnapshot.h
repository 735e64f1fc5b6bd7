#pragma once

class QWidget;

namespace Corvo::WindowSnapshot {

// The variable that asks for a picture of the add-on's window: "HUEPORT_SNAPSHOT=FILE".
inline constexpr char kVariable[] = "HUEPORT_SNAPSHOT";

// When the variable names a file, the window is photographed into it once it has painted
// and then closed, so that scripts can see the window without a person or a display.
void armFor(QWidget *window);

} // namespace Corvo::WindowSnapshot
