#include "ui/dropdownbutton.h"

#include "engine/settings/preferences.h"
#include "ui/collectionselectlayout.h"
#include "ui/themeimage.h"

#include <QPainter>

namespace Corvo {

DropDownButton::DropDownButton(QWidget *parent) : QPushButton(parent)
{
    setFixedSize(CollectionSelectLayout::kButtonSize);
    setAutoRepeat(false);
    // Takes the focus when clicked, so that the open list can tell the click that will
    // close it from a click elsewhere; the bar itself is reached with Tab.
    setFocusPolicy(Qt::ClickFocus);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(tr("Collections"));
    refreshAccessibleText();
    selectedCollectionChanged(Preferences::uuidOfLastUsedCollection());
}

void DropDownButton::setListShown(bool shown)
{
    if (m_listShown == shown)
        return;
    m_listShown = shown;
    refreshAccessibleText();
    update();
}

void DropDownButton::setBackground(const QPixmap &background)
{
    m_background = background;
    update();
}

void DropDownButton::selectedCollectionChanged(const QUuid &collection)
{
    const qreal ratio = devicePixelRatioF();
    m_arrowUp =
        themePixmap(collection, QStringLiteral("image.widget.dropdown.arrow.up"), size(), ratio);
    m_arrowDown =
        themePixmap(collection, QStringLiteral("image.widget.dropdown.arrow.down"), size(), ratio);
    update();
}

void DropDownButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_background.isNull()) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawPixmap(rect(), m_background);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    const QPixmap &arrow = m_listShown ? m_arrowUp : m_arrowDown;
    if (!arrow.isNull())
        painter.drawPixmap(rect(), arrow);
}

void DropDownButton::refreshAccessibleText()
{
    setAccessibleDescription(m_listShown ? tr("The list of collections is open")
                                         : tr("Opens the list of collections"));
}

} // namespace Corvo
