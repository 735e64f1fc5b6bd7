#pragma once

#include <QRect>
#include <QSize>

namespace Corvo {

// The search bar's fixed size.
inline constexpr QSize kSearchWidgetSize(210, 26);

// Where the search bar's parts sit: the magnifier at the left, the two roll buttons flush
// right (backward, then forward), the line edit between, and the rounded frame around the
// magnifier and the edit. A note (a swatch and a short text) may take the edit's right end.
class SearchLayout
{
public:
    SearchLayout() = default;
    // `lineHeight` is the height of one line of the edit's text; `noteTextWidth` that of
    // the note's text, 0 for no note; a note without a swatch is its text alone.
    SearchLayout(const QSize &widget, const QSize &magnifier, const QSize &backwardButton,
                 const QSize &forwardButton, int lineHeight, int noteTextWidth = 0,
                 bool noteSwatch = true);

    QRect magnifier() const { return m_magnifier; }
    QRect backwardButton() const { return m_backwardButton; }
    QRect forwardButton() const { return m_forwardButton; }
    QRect lineEdit() const { return m_lineEdit; }
    QRect frame() const { return m_frame; }
    // Empty without a note (the swatch also for a note without one).
    QRect noteSwatch() const { return m_noteSwatch; }
    QRect noteText() const { return m_noteText; }

private:
    void placeNote(int textWidth, int height, bool swatch);

    QRect m_magnifier;
    QRect m_backwardButton;
    QRect m_forwardButton;
    QRect m_lineEdit;
    QRect m_frame;
    QRect m_noteSwatch;
    QRect m_noteText;
};

} // namespace Corvo
