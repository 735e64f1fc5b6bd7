#include "ui/aboutbutton.h"

#include "ui/interfacefonts.h"

namespace Corvo {

AboutButton::AboutButton(QWidget *parent)
    : TaskButton(QString(QChar(0x2026)), TaskButtonLook::Shape::Ellipse,
                 TaskButtonLook::roundCaptionColor(),
                 InterfaceFonts::bold(InterfaceFonts::kTwoStepsAbove), parent)
{
    // The caption is a sign: the name says what the button does.
    setAccessibleName(tr("About"));
    setToolTip(accessibleName());
}

} // namespace Corvo
