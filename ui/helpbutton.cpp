#include "ui/helpbutton.h"

#include "ui/interfacefonts.h"

namespace Corvo {

HelpButton::HelpButton(QWidget *parent)
    : TaskButton(QStringLiteral("?"), TaskButtonLook::Shape::Ellipse,
                 TaskButtonLook::roundCaptionColor(),
                 InterfaceFonts::bold(InterfaceFonts::kTwoStepsAbove), parent)
{}

} // namespace Corvo
