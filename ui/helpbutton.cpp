#include "ui/helpbutton.h"

#include "ui/interfacefonts.h"

namespace Corvo {

HelpButton::HelpButton(QWidget *parent)
    : TaskButton(QStringLiteral("?"), TaskButtonLook::Shape::Ellipse,
                 TaskButtonLook::roundCaptionColor(),
                 InterfaceFonts::bold(InterfaceFonts::kTwoStepsAbove), parent)
{
    // The caption is a sign: the name says what the button does.
    setAccessibleName(tr("Help"));
    setToolTip(accessibleName());
}

} // namespace Corvo
