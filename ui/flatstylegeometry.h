#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>
#include <Qt>

// The arithmetic of the flat scroll bars and sliders, apart from the style so that hit
// testing and painting share it and it can be checked without widgets.
namespace Corvo::FlatStyleGeometry {

// What a scroll bar's track holds at a position.
enum class ScrollBarArea { SubPage, Handle, AddPage };

// A scroll bar's track in pixels along its length, with the bar's range and position.
struct ScrollTrack
{
    int length = 0;
    int minimum = 0;
    int maximum = 0;
    int pageStep = 0;
    int value = 0;
    // The maximum lies at the start (inverted appearance, or right to left).
    bool mirrored = false;
};

// Pixels [start, end) along the track.
struct Span
{
    int start = 0;
    int end = 0;
    bool operator==(const Span &other) const { return start == other.start && end == other.end; }
};

// The handle: with the scale length / (maximum + page step - minimum) it starts at
// round((value - minimum) * scale) and ends at round((value - minimum + page step) * scale).
// A bar with nothing to scroll (maximum <= minimum) is all handle.
Span handleSpan(const ScrollTrack &track);
// The sub-page area lies before the handle, the add-page area after it (for a mirrored
// track the other way round), so that hit testing matches the painted handle exactly.
ScrollBarArea areaAt(const ScrollTrack &track, int position);
// A span of the track as a rectangle of the bar.
QRect spanRect(const QRect &bar, Qt::Orientation orientation, const Span &span);

// The handle's capsule: kCapsuleWidth across, centred in the bar, along the handle, and at
// least as long as it is wide (kept inside the bar) so that a tiny handle stays visible.
inline constexpr qreal kCapsuleWidth = 6.0;
QRectF capsuleRect(const QRect &bar, const QRect &handle, Qt::Orientation orientation);

// A slider's handle of the given size: across centred in the bar, along at the position
// of `value` between minimum and maximum over the bar's length less the handle's.
QRect sliderHandleRect(const QRect &bar, Qt::Orientation orientation, const QSize &handle,
                       int minimum, int maximum, int value, bool upsideDown);
// A slider's groove: the whole length, `thickness` across, centred.
QRect sliderGrooveRect(const QRect &bar, Qt::Orientation orientation, int thickness);

} // namespace Corvo::FlatStyleGeometry
