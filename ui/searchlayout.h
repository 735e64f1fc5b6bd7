#pragma once

#include <QRect>
#include <QSize>

namespace Corvo {

// The search bar's fixed size.
inline constexpr QSize kSearchWidgetSize(210, 26);

// Where the search bar's parts sit: the magnifier at the left, the two roll buttons flush
// right (backward, then forward), the line edit between, and the rounded frame around the
// magnifier and the edit.
class SearchLayout
{
public:
    SearchLayout() = default;
    // `lineHeight` is the height of one line of the edit's text.
    SearchLayout(const QSize &widget, const QSize &magnifier, const QSize &backwardButton,
                 const QSize &forwardButton, int lineHeight);

    QRect magnifier() const { return m_magnifier; }
    QRect backwardButton() const { return m_backwardButton; }
    QRect forwardButton() const { return m_forwardButton; }
    QRect lineEdit() const { return m_lineEdit; }
    QRect frame() const { return m_frame; }

private:
    QRect m_magnifier;
    QRect m_backwardButton;
    QRect m_forwardButton;
    QRect m_lineEdit;
    QRect m_frame;
};

} // namespace Corvo
