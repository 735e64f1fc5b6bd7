#pragma once

#include <optional>

class QWheelEvent;

namespace Corvo {

// Adds up the vertical turns of a mouse wheel into whole notches of 120, so that the
// small deltas of a smooth wheel step as one notch of a plain wheel does.
class WheelNotches
{
public:
    // The whole notches the event completes, positive when the wheel was physically turned
    // away from the user (whatever the system's natural scrolling makes of it); nothing
    // when the event has no vertical turn, which the caller leaves to its parent.
    std::optional<int> take(const QWheelEvent &event);

private:
    int m_remainder = 0;
};

} // namespace Corvo
