#pragma once

#include "engine/settings/collectionsettings.h"

#include <QLineF>
#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QUuid>

#include <optional>

namespace Corvo {

// What a collection configures about its wheel, as stored.
struct ColorWheelSettings
{
    int segmentCount = 12;          // "num.of.segments"
    double firstSegmentAngle = 0.0; // degrees: the centre of segment 1
    SegmentOrientation orientation = SegmentOrientation::Clockwise;
    QList<int> usedSegments; // the segments the collection's pages use

    static ColorWheelSettings ofCollection(const QUuid &collection);
};

// A closed angular range of the hit map, in radians within [0, 2 pi].
struct SegmentInterval
{
    double start = 0.0;
    double end = 0.0;
    int segment = 0;
};

// An arc as QPainter::drawArc takes it: angles in sixteenths of a degree.
struct WheelArc
{
    QRectF rect;
    int startAngle = 0;
    int spanAngle = 0;
};

// The colour wheel's geometry: which segment lies under a point, and where the pointer and
// the arc of a segment are drawn. Angles are radians counter-clockwise from the positive x
// axis with y pointing up; points are widget pixels.
class ColorWheelLayout
{
public:
    static constexpr QSize kSize{122, 122};
    static constexpr QPointF kCentre{60.0, 61.0};
    static constexpr double kHubRadius = 6.0;
    static constexpr double kHitRadius = 57.0;
    static constexpr double kPointerRadius = 45.0;
    static constexpr double kArcRadius = 48.0;
    static constexpr double kPointerHeadHalfAngle = 3.14159265358979323846 / 20.0;
    // The pointer's shaft stops short of its head's tip; the head is 8 px long.
    static constexpr double kPointerShaftRadius = kPointerRadius - 5.0;
    static constexpr double kPointerTipRadius = kPointerRadius - 1.0;
    static constexpr double kPointerBaseRadius = kPointerRadius - 9.0;
    static constexpr double kPointerShaftWidth = 3.0;
    static constexpr double kArcWidth = 2.0;
    // A collection that asks for fewer than one segment gets the usual twelve.
    static constexpr int kDefaultSegmentCount = 12;

    ColorWheelLayout() : ColorWheelLayout(ColorWheelSettings()) {}
    explicit ColorWheelLayout(const ColorWheelSettings &settings);

    int segmentCount() const { return m_segmentCount; }
    // Radians.
    double segmentWidth() const { return m_segmentWidth; }
    bool isClockwise() const { return m_clockwise; }
    // The used segments from 1 to segmentCount(), ascending.
    const QList<int> &usedSegments() const { return m_usedSegments; }
    // In segment order; a segment that passes 0 has two intervals.
    const QList<SegmentInterval> &hitMap() const { return m_hitMap; }

    static double radiusOf(const QPointF &point);
    // In [0, 2 pi); nothing at the exact centre, which has no direction.
    static std::optional<double> angleOf(const QPointF &point);
    // Presses are taken up to the hit radius, the centre included.
    static bool isWithinHitRadius(const QPointF &point);
    static QPointF pointAt(double radius, double angle);
    static QRectF hubRect();

    // The first interval holding the angle (ends included) names the segment.
    std::optional<int> segmentAtAngle(double angle) const;
    // Nothing outside the hit radius, at the centre or on a segment no page uses.
    std::optional<int> segmentAt(const QPointF &point) const;

    // In [0, 2 pi); any segment number is accepted, so a stale selection still points.
    double pointerAngle(int segment) const;
    QLineF pointerShaft(int segment) const;
    // Tip first, then the two corners of the base.
    QPolygonF pointerHead(int segment) const;
    WheelArc arc(int segment) const;

    // The segments one step of the mouse wheel tries, in order, from `from` by `step` (+1
    // or -1): the next segment first, wrapping from the last to 1 and from below 1 to the
    // last, then every used segment further on, ending with `from` itself after a full
    // turn. A segment no page uses can only be the answer of that first try, so the others
    // are passed over without asking.
    QList<int> stepCandidates(int from, int step) const;

private:
    int wrapped(qint64 segment) const;
    void addInterval(int segment, double start);

    int m_segmentCount = kDefaultSegmentCount;
    double m_segmentWidth = 0.0;
    double m_firstAngle = 0.0;
    bool m_clockwise = true;
    QList<int> m_usedSegments;
    QList<SegmentInterval> m_hitMap;
};

} // namespace Corvo
