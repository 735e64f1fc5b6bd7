#include "ui/capsureselectlayout.h"

#include <algorithm>

namespace Corvo {

namespace {

// From top to bottom (exclusive), horizontally as `across`; empty rather than negative.
QRect between(int top, int bottom, const QRect &across)
{
    return QRect(across.left(), top, across.width(), qMax(0, bottom - top));
}

} // namespace

CapsureSelectLayout capsureSelectLayout(const QSize &size, int fontHeight, int comboMinimumHeight)
{
    using L = CapsureSelectLayout;
    const int width = size.width();
    const int height = size.height();
    CapsureSelectLayout layout;
    layout.background = QRect(QPoint(0, 0), size);
    layout.comboBox = QRect(L::kComboInset, L::kComboTop, qMax(0, width - 2 * L::kComboInset),
                            comboMinimumHeight + L::kComboExtraHeight);
    const int labelTop = height - fontHeight - L::kLabelExtraHeight;
    layout.label = QRect(QPoint(-1, labelTop), QPoint(width, height));
    layout.okButton = QRect(QPoint((width - L::kOkButtonSize.width()) / 2,
                                   labelTop - L::kOkButtonAboveLabel - L::kOkButtonSize.height()),
                            L::kOkButtonSize);
    layout.preview = between(layout.comboBox.bottom() + 1 + L::kPreviewGap,
                             layout.okButton.top() - L::kPreviewGap, layout.comboBox);
    return layout;
}

int capsureSelectDialogWidth(int comboWidth, int screenWidth)
{
    using L = CapsureSelectLayout;
    const int minimum = L::kDialogSize.width();
    return std::clamp(comboWidth + 2 * L::kComboInset, minimum, std::max(minimum, screenWidth));
}

} // namespace Corvo
