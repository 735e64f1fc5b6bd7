#include "ui/searchlayout.h"

#include <algorithm>

namespace Corvo {

namespace {

constexpr int kMagnifierLeft = 7;
constexpr int kMagnifierToEdit = 2;
constexpr int kEditToButtons = 15;
// The frame reaches this far beyond the edit's right end.
constexpr int kFrameBeyondEdit = 6;
constexpr int kEditToNote = 4;
constexpr int kNoteSwatchSide = 12;
constexpr int kSwatchToNoteText = 3;

QRect centredVertically(int left, const QSize &size, int height)
{
    return QRect(QPoint(left, (height - size.height()) / 2), size);
}

} // namespace

SearchLayout::SearchLayout(const QSize &widget, const QSize &magnifier, const QSize &backwardButton,
                           const QSize &forwardButton, int lineHeight, int noteTextWidth,
                           bool noteSwatch)
{
    const int height = widget.height();
    m_magnifier = centredVertically(kMagnifierLeft, magnifier, height);
    m_forwardButton =
        centredVertically(widget.width() - forwardButton.width(), forwardButton, height);
    m_backwardButton =
        centredVertically(m_forwardButton.left() - backwardButton.width(), backwardButton, height);
    const int editLeft = kMagnifierLeft + magnifier.width() + kMagnifierToEdit;
    const int editWidth = std::max(0, m_backwardButton.left() - kEditToButtons - editLeft);
    const int editHeight = std::clamp(lineHeight, 0, height);
    m_lineEdit = centredVertically(editLeft, QSize(editWidth, editHeight), height);
    m_frame = QRect(0, 0, m_lineEdit.right() + 1 + kFrameBeyondEdit, height);
    if (noteTextWidth > 0)
        placeNote(noteTextWidth, height, noteSwatch);
}

// The note keeps its full width at the edit's right end; the edit gives up the room.
void SearchLayout::placeNote(int textWidth, int height, bool swatch)
{
    const int swatchWidth = swatch ? kNoteSwatchSide + kSwatchToNoteText : 0;
    const int noteWidth = swatchWidth + textWidth;
    const int noteLeft = std::max(m_lineEdit.left(), m_lineEdit.right() + 1 - noteWidth);
    if (swatch) {
        const int side = std::min(kNoteSwatchSide, height);
        m_noteSwatch = centredVertically(noteLeft, QSize(side, side), height);
    }
    const int textLeft = noteLeft + swatchWidth;
    m_noteText = QRect(textLeft, m_lineEdit.top(), std::max(0, m_lineEdit.right() + 1 - textLeft),
                       m_lineEdit.height());
    m_lineEdit.setRight(std::max(m_lineEdit.left(), noteLeft - kEditToNote) - 1);
}

} // namespace Corvo
