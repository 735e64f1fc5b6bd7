#include "ui/rollbutton.h"

#include "engine/settings/preferences.h"
#include "ui/themeimage.h"

#include <QPainter>

namespace Corvo {

namespace {

QString imageKey(Direction direction, bool down)
{
    const QString way =
        direction == Forward ? QStringLiteral("forward") : QStringLiteral("backward");
    return QStringLiteral("image.widget.roll.%1.%2")
        .arg(way, down ? QStringLiteral("down") : QStringLiteral("normal"));
}

} // namespace

RollButton::RollButton(Direction direction, QWidget *parent)
    : QPushButton(parent), m_direction(direction)
{
    setAutoRepeat(true);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    selectedCollectionChanged(Preferences::uuidOfLastUsedCollection());
}

void RollButton::selectedCollectionChanged(const QUuid &collection)
{
    const qreal ratio = devicePixelRatioF();
    m_normal = themePixmap(collection, imageKey(m_direction, false), ratio);
    m_down = themePixmap(collection, imageKey(m_direction, true), ratio);
    setFixedSize(m_normal.isNull() ? QSize(0, 0) : m_normal.deviceIndependentSize().toSize());
    update();
}

void RollButton::paintEvent(QPaintEvent *)
{
    const QPixmap &image = isDown() && !m_down.isNull() ? m_down : m_normal;
    if (image.isNull())
        return;
    QPainter painter(this);
    const QSizeF size = image.deviceIndependentSize();
    const QPointF topLeft((width() - size.width()) / 2.0, (height() - size.height()) / 2.0);
    painter.drawPixmap(topLeft, image);
}

} // namespace Corvo
