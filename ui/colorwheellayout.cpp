#include "ui/colorwheellayout.h"

#include "engine/db/navigationqueries.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace Corvo {

namespace {

constexpr double kFullTurn = 2.0 * M_PI;
constexpr double kSixteenthsPerDegree = 16.0;

// Into [0, 2 pi).
double normalisedAngle(double angle)
{
    double turned = std::fmod(angle, kFullTurn);
    if (turned < 0.0)
        turned += kFullTurn;
    return turned >= kFullTurn ? 0.0 : turned;
}

int sixteenthsOfADegree(double radians)
{
    return static_cast<int>(std::lround(qRadiansToDegrees(radians) * kSixteenthsPerDegree));
}

} // namespace

ColorWheelSettings ColorWheelSettings::ofCollection(const QUuid &collection)
{
    ColorWheelSettings settings;
    settings.segmentCount = CollectionSettings::numOfSegments(collection);
    settings.firstSegmentAngle = CollectionSettings::firstSegmentAngle(collection);
    settings.orientation = CollectionSettings::segmentOrientation(collection);
    DB::segments(collection, settings.usedSegments);
    return settings;
}

ColorWheelLayout::ColorWheelLayout(const ColorWheelSettings &settings)
    : m_segmentCount(settings.segmentCount < 1 ? kDefaultSegmentCount : settings.segmentCount),
      m_segmentWidth(kFullTurn / m_segmentCount),
      // A first angle that is no number would put every point of the wheel nowhere.
      m_firstAngle(std::isfinite(settings.firstSegmentAngle)
                       ? qDegreesToRadians(settings.firstSegmentAngle)
                       : 0.0),
      m_clockwise(settings.orientation != SegmentOrientation::CounterClockwise)
{
    for (int segment : settings.usedSegments) {
        if (segment >= 1 && segment <= m_segmentCount)
            m_usedSegments.append(segment);
    }
    std::sort(m_usedSegments.begin(), m_usedSegments.end());
    m_usedSegments.erase(std::unique(m_usedSegments.begin(), m_usedSegments.end()),
                         m_usedSegments.end());
    for (int segment : std::as_const(m_usedSegments)) {
        // Segment 1 is centred on the first angle; the others follow at one width apart.
        const double step = (segment - 1) * m_segmentWidth;
        const double start = m_clockwise
                                 ? m_firstAngle + m_segmentWidth / 2.0 - step - m_segmentWidth
                                 : m_firstAngle - m_segmentWidth / 2.0 + step;
        addInterval(segment, start);
    }
}

// The start is brought into [0, 2 pi) first, so that however far the segments have turned,
// each one covers its own width and never a neighbour's.
void ColorWheelLayout::addInterval(int segment, double start)
{
    const double from = normalisedAngle(start);
    const double to = from + m_segmentWidth;
    if (to <= kFullTurn) {
        m_hitMap.append({from, to, segment});
        return;
    }
    m_hitMap.append({from, kFullTurn, segment});
    m_hitMap.append({0.0, to - kFullTurn, segment});
}

double ColorWheelLayout::radiusOf(const QPointF &point)
{
    const double dx = point.x() - kCentre.x();
    const double dy = kCentre.y() - point.y();
    return std::sqrt(dx * dx + dy * dy);
}

std::optional<double> ColorWheelLayout::angleOf(const QPointF &point)
{
    const double dx = point.x() - kCentre.x();
    const double dy = kCentre.y() - point.y();
    const double radius = radiusOf(point);
    if (radius <= 0.0)
        return std::nullopt;
    const double phi = std::asin(std::min(1.0, std::abs(dy) / radius));
    if (dx >= 0.0 && dy >= 0.0)
        return phi;
    if (dx < 0.0 && dy >= 0.0)
        return M_PI - phi;
    if (dx < 0.0)
        return M_PI + phi;
    return kFullTurn - phi;
}

bool ColorWheelLayout::isWithinHitRadius(const QPointF &point)
{
    return radiusOf(point) <= kHitRadius;
}

QPointF ColorWheelLayout::pointAt(double radius, double angle)
{
    return {kCentre.x() + radius * std::cos(angle), kCentre.y() - radius * std::sin(angle)};
}

QRectF ColorWheelLayout::hubRect()
{
    return {kCentre.x() - kHubRadius, kCentre.y() - kHubRadius, 2.0 * kHubRadius + 1.0,
            2.0 * kHubRadius + 1.0};
}

std::optional<int> ColorWheelLayout::segmentAtAngle(double angle) const
{
    const auto holder =
        std::find_if(m_hitMap.cbegin(), m_hitMap.cend(), [angle](const SegmentInterval &interval) {
            return angle >= interval.start && angle <= interval.end;
        });
    if (holder == m_hitMap.cend())
        return std::nullopt;
    return holder->segment;
}

std::optional<int> ColorWheelLayout::segmentAt(const QPointF &point) const
{
    if (!isWithinHitRadius(point))
        return std::nullopt;
    const std::optional<double> angle = angleOf(point);
    if (!angle)
        return std::nullopt;
    return segmentAtAngle(*angle);
}

double ColorWheelLayout::pointerAngle(int segment) const
{
    const double direction = m_clockwise ? -1.0 : 1.0;
    return normalisedAngle(m_firstAngle + (double(segment) - 1.0) * m_segmentWidth * direction);
}

QLineF ColorWheelLayout::pointerShaft(int segment) const
{
    return {kCentre, pointAt(kPointerShaftRadius, pointerAngle(segment))};
}

QPolygonF ColorWheelLayout::pointerHead(int segment) const
{
    const double angle = pointerAngle(segment);
    return QPolygonF({pointAt(kPointerTipRadius, angle),
                      pointAt(kPointerBaseRadius, angle - kPointerHeadHalfAngle),
                      pointAt(kPointerBaseRadius, angle + kPointerHeadHalfAngle)});
}

WheelArc ColorWheelLayout::arc(int segment) const
{
    const QRectF rect(kCentre.x() - kArcRadius, kCentre.y() - kArcRadius, 2.0 * kArcRadius,
                      2.0 * kArcRadius);
    const double start = normalisedAngle(pointerAngle(segment) - m_segmentWidth / 2.0);
    return {rect, sixteenthsOfADegree(start), sixteenthsOfADegree(m_segmentWidth)};
}

int ColorWheelLayout::wrapped(qint64 segment) const
{
    if (segment > m_segmentCount)
        return 1;
    if (segment < 1)
        return m_segmentCount;
    return static_cast<int>(segment);
}

QList<int> ColorWheelLayout::stepCandidates(int from, int step) const
{
    const int forward = step < 0 ? -1 : 1;
    // In 64 bits: `from` may be any stored number.
    const int first = wrapped(qint64(from) + forward);
    QList<int> later;
    QList<int> wrappedAround;
    for (int segment : m_usedSegments) {
        if (segment == first)
            continue;
        const bool beyond = forward > 0 ? segment > first : segment < first;
        (beyond ? later : wrappedAround).append(segment);
    }
    if (forward < 0) {
        std::reverse(later.begin(), later.end());
        std::reverse(wrappedAround.begin(), wrappedAround.end());
    }
    QList<int> candidates{first};
    candidates += later;
    candidates += wrappedAround;
    return candidates;
}

} // namespace Corvo
