#pragma once

#include "ui/taskbutton.h"

namespace Corvo {

// The round task button that opens the help pages.
class HelpButton : public TaskButton
{
    Q_OBJECT
public:
    explicit HelpButton(QWidget *parent = nullptr);
};

} // namespace Corvo
