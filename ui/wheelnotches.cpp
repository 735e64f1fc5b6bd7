#include "ui/wheelnotches.h"

#include <QWheelEvent>

namespace Corvo {

namespace {

constexpr int kNotch = 120;

} // namespace

std::optional<int> WheelNotches::take(const QWheelEvent &event)
{
    const int delta = event.inverted() ? -event.angleDelta().y() : event.angleDelta().y();
    if (delta == 0)
        return std::nullopt;
    m_remainder += delta;
    const int notches = m_remainder / kNotch;
    m_remainder -= notches * kNotch;
    return notches;
}

} // namespace Corvo
