#pragma once

#include <QRect>
#include <QSize>

namespace Corvo {

// Where the collection selector's parts sit; painting, the buttons and the popup list all
// use this one value.
class CollectionSelectLayout
{
public:
    static constexpr QSize kSize{234, 30};
    static constexpr QSize kButtonSize{20, 20};
    // Between the drop-down button and the Capsure button right of it.
    static constexpr int kButtonGap = 3;
    // Keeps the name off the left edge and off the buttons.
    static constexpr int kNamePadding = 4;
    static constexpr int kListHeight = 128;
    static constexpr int kListItemHeight = 28;

    CollectionSelectLayout() = default;
    CollectionSelectLayout(const QSize &size, bool hasDropDown, bool capsureVisible);

    QSize size() const { return m_size; }
    // Empty when there is no such button.
    QRect dropDownRect() const { return m_dropDown; }
    QRect capsureRect() const { return m_capsure; }
    // The collection name is centred here: the whole bar without buttons, else the part
    // left of them.
    QRect nameRect() const { return m_name; }

    // The popup list directly below the selector, across its width; in the coordinates
    // the selector's geometry is given in.
    static QRect listRect(const QRect &selectorGeometry);

private:
    QSize m_size;
    QRect m_dropDown;
    QRect m_capsure;
    QRect m_name;
};

} // namespace Corvo
