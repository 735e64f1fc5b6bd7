#include "ui/colorwheelwidget.h"

#include "engine/db/navigationqueries.h"
#include "engine/settings/deckfilter.h"
#include "engine/settings/preferences.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cstdlib>

namespace Corvo {

namespace {

// Towards the user: the next segment.
constexpr int kStepUp = 1;
constexpr int kStepDown = -1;

} // namespace

ColorWheelWidget::ColorWheelWidget(QWidget *parent) : QWidget(parent)
{
    setFixedSize(ColorWheelLayout::kSize);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAccessibleName(tr("Colour wheel"));
    selectedCollectionChanged(Preferences::uuidOfLastUsedCollection());
}

void ColorWheelWidget::selectedCollectionChanged(const QUuid &collection)
{
    m_collection = collection;
    m_layout = ColorWheelLayout(ColorWheelSettings::ofCollection(collection));
    m_painter.invalidate();
    m_pressed = false;
    m_wheelNotches = WheelNotches();
    m_describedSegment.reset();
    selectionChanged();
}

void ColorWheelWidget::selectionChanged()
{
    describeSegment(Preferences::segmentIndex(m_collection));
    update();
}

void ColorWheelWidget::paintEvent(QPaintEvent *)
{
    const int segment = Preferences::segmentIndex(m_collection);
    QPainter painter(this);
    m_painter.paint(painter, m_layout, m_collection, size(), segment, devicePixelRatioF());
    if (hasFocus())
        ColorWheelPainter::paintFocus(painter);
}

void ColorWheelWidget::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void ColorWheelWidget::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void ColorWheelWidget::mousePressEvent(QMouseEvent *event)
{
    const QPointF point = event->position().toPoint();
    if (event->button() != Qt::LeftButton || m_pressed ||
        !ColorWheelLayout::isWithinHitRadius(point)) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    chooseSegmentAt(point);
}

void ColorWheelWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressed)
        chooseSegmentAt(event->position().toPoint());
}

void ColorWheelWidget::mouseReleaseEvent(QMouseEvent *)
{
    m_pressed = false;
}

void ColorWheelWidget::wheelEvent(QWheelEvent *event)
{
    const std::optional<int> notches = m_wheelNotches.take(*event);
    if (!notches) {
        event->ignore();
        return;
    }
    // Away from the user steps down, towards the user up.
    if (*notches != 0)
        stepSegments(std::abs(*notches), *notches > 0 ? kStepDown : kStepUp);
    event->accept();
}

void ColorWheelWidget::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Right:
        stepSegments(1, kStepUp);
        break;
    case Qt::Key_Left:
        stepSegments(1, kStepDown);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ColorWheelWidget::chooseSegmentAt(const QPointF &point)
{
    const std::optional<int> segment = m_layout.segmentAt(point);
    if (!segment)
        return;
    int found = *segment;
    const DeckFilter filter = DeckFilter::of(m_collection);
    DB::nearestSegment(m_collection, *segment, filter.mood, filter.exterior, found);
    emit segmentChangedInteractively(found);
}

void ColorWheelWidget::stepSegments(int count, int step)
{
    std::optional<int> reached = Preferences::segmentIndex(m_collection);
    for (int taken = 0; taken < count && reached; ++taken)
        reached = steppedSegment(*reached, step);
    if (reached && count > 0)
        emit segmentChangedInteractively(*reached);
}

// The first candidate that has cards under the filters; a failing look-up ends the search
// at the segment it was asked about.
std::optional<int> ColorWheelWidget::steppedSegment(int from, int step) const
{
    const DeckFilter filter = DeckFilter::of(m_collection);
    for (int candidate : m_layout.stepCandidates(from, step)) {
        int found = candidate;
        if (DB::nearestSegment(m_collection, candidate, filter.mood, filter.exterior, found) != 0 ||
            found == candidate)
            return candidate;
    }
    return std::nullopt;
}

void ColorWheelWidget::describeSegment(int segment)
{
    if (m_describedSegment == segment)
        return;
    m_describedSegment = segment;
    setAccessibleDescription(tr("Hue segment %1 of %2").arg(segment).arg(m_layout.segmentCount()));
}

} // namespace Corvo
