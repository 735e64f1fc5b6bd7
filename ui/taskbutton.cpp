#include "ui/taskbutton.h"

#include "ui/interfacefonts.h"

#include <QEvent>
#include <QPainter>

namespace Corvo {

TaskButton::TaskButton(QWidget *parent) : TaskButton(QString(), parent) {}

TaskButton::TaskButton(const QString &text, QWidget *parent)
    : TaskButton(text, TaskButtonLook::Shape::RoundedRect, TaskButtonLook::captionColor(true),
                 InterfaceFonts::regular(InterfaceFonts::kOneStepAbove), parent)
{}

TaskButton::TaskButton(const QString &text, TaskButtonLook::Shape shape,
                       const QColor &captionColour, const QFont &font, QWidget *parent)
    : QPushButton(text, parent), m_shape(shape), m_captionColour(captionColour)
{
    setFont(font);
    setMouseTracking(true);
    updateCursor();
}

void TaskButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    TaskButtonLook::paint(painter, face());
}

void TaskButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        updateCursor();
    QPushButton::changeEvent(event);
}

TaskButtonLook::Face TaskButton::face() const
{
    TaskButtonLook::Face face;
    face.bounds = QRectF(rect());
    face.shape = m_shape;
    face.enabled = isEnabled();
    face.focused = hasFocus();
    face.pressed = isDown();
    face.caption = text();
    face.captionColour = face.enabled ? m_captionColour : TaskButtonLook::captionColor(false);
    face.font = font();
    return face;
}

void TaskButton::updateCursor()
{
    setCursor(isEnabled() ? Qt::ArrowCursor : Qt::ForbiddenCursor);
}

} // namespace Corvo
