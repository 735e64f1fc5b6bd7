#include "ui/flatstylegeometry.h"

#include <QStyle>

#include <algorithm>

namespace Corvo::FlatStyleGeometry {

namespace {

int alongLength(const QRect &bar, Qt::Orientation orientation)
{
    return orientation == Qt::Horizontal ? bar.width() : bar.height();
}

int acrossLength(const QRect &bar, Qt::Orientation orientation)
{
    return orientation == Qt::Horizontal ? bar.height() : bar.width();
}

} // namespace

Span handleSpan(const ScrollTrack &track)
{
    const int length = std::max(0, track.length);
    if (track.maximum <= track.minimum)
        return {0, length};
    const int pageStep = std::max(0, track.pageStep);
    const int value = std::clamp(track.value, track.minimum, track.maximum);
    // In doubles: the range of an int slider may reach the whole int span.
    const double scale = length / (double(track.maximum) + pageStep - double(track.minimum));
    const double offset = double(value) - double(track.minimum);
    const Span span{qRound(offset * scale), qRound((offset + pageStep) * scale)};
    if (!track.mirrored)
        return span;
    return {length - span.end, length - span.start};
}

ScrollBarArea areaAt(const ScrollTrack &track, int position)
{
    const Span handle = handleSpan(track);
    const bool before = position < handle.start;
    const bool after = position >= handle.end;
    if (!before && !after)
        return ScrollBarArea::Handle;
    return before != track.mirrored ? ScrollBarArea::SubPage : ScrollBarArea::AddPage;
}

QRect spanRect(const QRect &bar, Qt::Orientation orientation, const Span &span)
{
    const int length = std::max(0, span.end - span.start);
    if (orientation == Qt::Horizontal)
        return QRect(bar.x() + span.start, bar.y(), length, bar.height());
    return QRect(bar.x(), bar.y() + span.start, bar.width(), length);
}

QRectF capsuleRect(const QRect &bar, const QRect &handle, Qt::Orientation orientation)
{
    const bool horizontal = orientation == Qt::Horizontal;
    const qreal barStart = horizontal ? bar.left() : bar.top();
    const qreal barLength = alongLength(bar, orientation);
    qreal start = horizontal ? handle.left() : handle.top();
    qreal length = alongLength(handle, orientation);
    if (length < kCapsuleWidth) {
        const qreal grown = std::min<qreal>(kCapsuleWidth, barLength);
        start = std::clamp(start - (grown - length) / 2.0, barStart, barStart + barLength - grown);
        length = grown;
    }
    const qreal across = (horizontal ? bar.top() : bar.left()) +
                         (acrossLength(bar, orientation) - kCapsuleWidth) / 2.0;
    if (horizontal)
        return QRectF(start, across, length, kCapsuleWidth);
    return QRectF(across, start, kCapsuleWidth, length);
}

QRect sliderHandleRect(const QRect &bar, Qt::Orientation orientation, const QSize &handle,
                       int minimum, int maximum, int value, bool upsideDown)
{
    const bool horizontal = orientation == Qt::Horizontal;
    const int handleLength = horizontal ? handle.width() : handle.height();
    const int handleAcross = horizontal ? handle.height() : handle.width();
    const int travel = std::max(0, alongLength(bar, orientation) - handleLength);
    const int along = QStyle::sliderPositionFromValue(minimum, maximum, value, travel, upsideDown);
    const int across = (acrossLength(bar, orientation) - handleAcross) / 2;
    if (horizontal)
        return QRect(bar.x() + along, bar.y() + across, handleLength, handleAcross);
    return QRect(bar.x() + across, bar.y() + along, handleAcross, handleLength);
}

QRect sliderGrooveRect(const QRect &bar, Qt::Orientation orientation, int thickness)
{
    const int across = (acrossLength(bar, orientation) - thickness) / 2;
    if (orientation == Qt::Horizontal)
        return QRect(bar.x(), bar.y() + across, bar.width(), thickness);
    return QRect(bar.x() + across, bar.y(), thickness, bar.height());
}

} // namespace Corvo::FlatStyleGeometry
