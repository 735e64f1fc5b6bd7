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

TaskButton::~TaskButton()
{
    delete m_forbiddenCover;
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

bool TaskButton::event(QEvent *event)
{
    const bool handled = QPushButton::event(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::ParentChange:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        updateForbiddenCover();
        break;
    default:
        break;
    }
    return handled;
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

// Qt never shows a disabled widget's cursor: the pointer takes that of the nearest enabled
// parent. While the button is disabled, an empty enabled sibling lies over it and carries
// the forbidden cursor; it takes the clicks a disabled button would drop anyway.
void TaskButton::updateForbiddenCover()
{
    QWidget *parent = parentWidget();
    // Only a button disabled itself: a disabled parent takes the whole area anyway.
    const bool wanted = parent != nullptr && !isEnabledTo(parent) && !isHidden();
    if (!wanted) {
        if (m_forbiddenCover)
            m_forbiddenCover->hide();
        return;
    }
    if (!m_forbiddenCover) {
        m_forbiddenCover = new QWidget(parent);
        m_forbiddenCover->setCursor(Qt::ForbiddenCursor);
        m_forbiddenCover->setFocusPolicy(Qt::NoFocus);
    } else if (m_forbiddenCover->parentWidget() != parent) {
        m_forbiddenCover->setParent(parent);
    }
    m_forbiddenCover->setGeometry(geometry());
    // Directly above the button: whatever lies over the button (the large palette sliding
    // in) stays over the cover too.
    m_forbiddenCover->stackUnder(this);
    stackUnder(m_forbiddenCover);
    m_forbiddenCover->show();
}

} // namespace Corvo
