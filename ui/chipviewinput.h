#pragma once

#include "ui/startchipdrag.h"
#include "ui/wheelnotches.h"

#include <QObject>
#include <QPoint>
#include <QRect>

#include <functional>
#include <optional>

class QMouseEvent;
class QWidget;

namespace Corvo {

// A chip as a chip view shows it at a point. The texts and the drag are read only when
// they are needed, so that answering for every mouse move stays cheap.
struct ChipViewChip
{
    // Where the chip is drawn; its tool tip stands at the top-right corner.
    QRect rect;
    // Tells chips apart: moving over the chip whose tip is shown keeps the tip.
    qint64 id = 0;
    // The tool tip; none or an empty text shows no tip.
    std::function<QString()> toolTip;
    // What a drag of the chip carries; none, or an empty answer, when it cannot be dragged.
    std::function<std::optional<ChipDrag>()> drag;
};

// The pointer input every chip view shares, as an event filter on the view: it remembers
// the chip under a left press (as it was before the view acted on the press, which may
// roll the chips away), drags it out once the pointer has moved the platform's drag
// distance with the button held, shows the tool tip of the chip under a free pointer and
// hides its own tip on press and leave, and, when asked to, adds up wheel turns into
// notches. The view keeps its own press, key and drop handling; it answers only which chip
// is where.
class ChipViewInput : public QObject
{
    Q_OBJECT
public:
    using ChipAt = std::function<std::optional<ChipViewChip>(const QPoint &)>;
    enum class Wheel { Pass, Notches };

    // Installs itself on the view, whose child it becomes.
    ChipViewInput(QWidget *view, ChipAt chipAt, Wheel wheel = Wheel::Pass);

    // Hides the tip when this view showed it; another view's tip stays.
    void hideToolTip();
    // The chip under the last left press while the button is held.
    const std::optional<ChipViewChip> &pressedChip() const { return m_pressedChip; }

signals:
    // Whole wheel notches, positive when turned away from the user (Wheel::Notches only).
    void wheelTurned(int notches);
    // A drag of the pressed chip is about to run.
    void dragStarting(qint64 chipId);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void press(const QMouseEvent &event);
    bool move(const QMouseEvent &event);
    void showToolTipAt(const QPoint &point);

    QWidget *m_view;
    ChipAt m_chipAt;
    Wheel m_wheel;
    WheelNotches m_notches;
    std::optional<QPoint> m_pressPosition;
    std::optional<ChipViewChip> m_pressedChip;
    std::optional<qint64> m_toolTipChip;
};

} // namespace Corvo
