#pragma once

#include <QRect>
#include <QSize>

namespace Corvo {

// Where the Capsure dialog's children sit for a dialog size, the height of its font and
// the combo box's minimum height. Rectangles never have a negative size.
struct CapsureSelectLayout
{
    static constexpr QSize kDialogSize{320, 200};
    static constexpr int kComboInset = 48;
    static constexpr int kComboTop = 20;
    // Added to the combo box's minimum height.
    static constexpr int kComboExtraHeight = 2;
    static constexpr QSize kOkButtonSize{80, 22};
    // Between the OK button's bottom edge and the label's top.
    static constexpr int kOkButtonAboveLabel = 13;
    // Room around the preview, above it and below it.
    static constexpr int kPreviewGap = 11;
    // The label is as high as a line and this much more.
    static constexpr int kLabelExtraHeight = 8;

    QRect background;
    QRect comboBox;
    QRect preview;
    QRect okButton;
    // One pixel wider than the dialog on each side and reaching its bottom, so that only
    // the top line of its box frame shows.
    QRect label;
};

CapsureSelectLayout capsureSelectLayout(const QSize &size, int fontHeight, int comboMinimumHeight);

// The dialog's width for a combo box that wants `comboWidth`: never narrower than the
// fixed 320, never wider than the room the screen gives (unless that is below 320).
int capsureSelectDialogWidth(int comboWidth, int screenWidth);

} // namespace Corvo
