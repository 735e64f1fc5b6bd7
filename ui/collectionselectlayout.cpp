#include "ui/collectionselectlayout.h"

namespace Corvo {

namespace {

// A button whose right edge is at `right`, vertically centred.
QRect buttonEndingAt(int right, const QSize &size)
{
    const QSize button = CollectionSelectLayout::kButtonSize;
    return QRect(QPoint(right - button.width(), (size.height() - button.height()) / 2), button);
}

} // namespace

CollectionSelectLayout::CollectionSelectLayout(const QSize &size, bool hasDropDown,
                                               bool capsureVisible)
    : m_size(size)
{
    int right = size.width();
    if (capsureVisible) {
        m_capsure = buttonEndingAt(right, size);
        right = m_capsure.left() - kButtonGap;
    }
    if (hasDropDown)
        m_dropDown = buttonEndingAt(right, size);
    if (!hasDropDown && !capsureVisible) {
        m_name = QRect(QPoint(0, 0), size);
        return;
    }
    const int leftmostButton = hasDropDown ? m_dropDown.left() : m_capsure.left();
    m_name = QRect(kNamePadding, 0, qMax(0, leftmostButton - 2 * kNamePadding), size.height());
}

QRect CollectionSelectLayout::listRect(const QRect &selectorGeometry)
{
    return QRect(selectorGeometry.left(), selectorGeometry.bottom() + 1, selectorGeometry.width(),
                 kListHeight);
}

} // namespace Corvo
