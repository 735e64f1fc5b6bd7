#pragma once

#include <QIcon>

namespace Corvo {

// The add-on's window icon, from the compiled-in pictures at 16, 32, 48 and 64 px.
QIcon windowIcon();

// The flags both add-on windows use: a dialog with a close button only.
Qt::WindowFlags addOnWindowFlags();

// The style sheet of the light grey gradient behind the add-on's dialogs.
QString addOnBackgroundStyle();

} // namespace Corvo
