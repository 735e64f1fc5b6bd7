#pragma once

#include "ui/taskbutton.h"

namespace Corvo {

// The round task button that opens the about box.
class AboutButton : public TaskButton
{
    Q_OBJECT
public:
    explicit AboutButton(QWidget *parent = nullptr);
};

} // namespace Corvo
