#pragma once

#include "ui/colorwheellayout.h"
#include "ui/colorwheelpainter.h"
#include "ui/wheelnotches.h"

#include <QUuid>
#include <QWidget>

#include <optional>

namespace Corvo {

// The round hue selector: shows the collection's wheel picture, points at the current
// segment and lets the user choose another one by pressing or dragging on the wheel, by
// turning the mouse wheel or with the Left and Right keys. It only asks for a segment; the
// current one is read from the preferences whenever it paints.
class ColorWheelWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ColorWheelWidget(QWidget *parent = nullptr);

    const ColorWheelLayout &layout() const { return m_layout; }

signals:
    void segmentChangedInteractively(int segment);

public slots:
    void selectedCollectionChanged(const QUuid &collection);
    // Describes the stored segment; the next paint points at it.
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Asks for the segment under the point, or the nearest one that has cards under the
    // current filters.
    void chooseSegmentAt(const QPointF &point);
    // Takes `count` steps of `step` (+1 or -1) from the current segment and asks for the
    // segment reached; asks nothing when no segment qualifies.
    void stepSegments(int count, int step);
    std::optional<int> steppedSegment(int from, int step) const;
    void describeSegment(int segment);

    QUuid m_collection;
    ColorWheelLayout m_layout;
    ColorWheelPainter m_painter;
    bool m_pressed = false;
    WheelNotches m_wheelNotches;
    std::optional<int> m_describedSegment;
};

} // namespace Corvo
