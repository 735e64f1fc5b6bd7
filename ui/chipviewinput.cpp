#include "ui/chipviewinput.h"

#include "ui/interfacefonts.h"

#include <QApplication>
#include <QMouseEvent>
#include <QToolTip>
#include <QWidget>

namespace Corvo {

ChipViewInput::ChipViewInput(QWidget *view, ChipAt chipAt, Wheel wheel)
    : QObject(view), m_view(view), m_chipAt(std::move(chipAt)), m_wheel(wheel)
{
    m_view->setMouseTracking(true);
    m_view->installEventFilter(this);
}

void ChipViewInput::hideToolTip()
{
    if (m_toolTipChip && QToolTip::isVisible())
        QToolTip::hideText();
    m_toolTipChip.reset();
}

bool ChipViewInput::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_view)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        press(static_cast<const QMouseEvent &>(*event));
        return false;
    case QEvent::MouseButtonRelease:
        m_pressPosition.reset();
        m_pressedChip.reset();
        return false;
    case QEvent::MouseMove:
        return move(static_cast<const QMouseEvent &>(*event));
    case QEvent::Leave:
    case QEvent::Hide:
        hideToolTip();
        return false;
    case QEvent::Wheel: {
        if (m_wheel != Wheel::Notches)
            return false;
        const std::optional<int> notches = m_notches.take(static_cast<QWheelEvent &>(*event));
        if (!notches)
            return false;
        if (*notches != 0)
            emit wheelTurned(*notches);
        event->accept();
        return true;
    }
    default:
        return false;
    }
}

void ChipViewInput::press(const QMouseEvent &event)
{
    hideToolTip();
    if (event.button() != Qt::LeftButton)
        return;
    m_pressPosition = event.position().toPoint();
    m_pressedChip = m_chipAt(*m_pressPosition);
}

// True when the move became a drag.
bool ChipViewInput::move(const QMouseEvent &event)
{
    const QPoint point = event.position().toPoint();
    if (event.buttons() == Qt::NoButton) {
        showToolTipAt(point);
        return false;
    }
    if (!(event.buttons() & Qt::LeftButton) || !m_pressPosition || !m_pressedChip ||
        (point - *m_pressPosition).manhattanLength() < QApplication::startDragDistance())
        return false;
    const ChipViewChip chip = *m_pressedChip;
    m_pressPosition.reset();
    m_pressedChip.reset();
    const std::optional<ChipDrag> drag = chip.drag ? chip.drag() : std::nullopt;
    if (!drag)
        return false;
    emit dragStarting(chip.id);
    startChipDrag(m_view, *drag, InterfaceFonts::regular(InterfaceFonts::kBase));
    return true;
}

void ChipViewInput::showToolTipAt(const QPoint &point)
{
    const std::optional<ChipViewChip> chip = m_chipAt(point);
    if (!chip) {
        hideToolTip();
        return;
    }
    if (m_toolTipChip == chip->id && QToolTip::isVisible())
        return;
    const QString text = chip->toolTip ? chip->toolTip() : QString();
    if (text.isEmpty()) {
        hideToolTip();
        return;
    }
    m_toolTipChip = chip->id;
    QToolTip::showText(m_view->mapToGlobal(chip->rect.topRight()), text, m_view);
}

} // namespace Corvo
