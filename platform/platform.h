#pragma once

#include <QString>

class QWidget;

// Operating-system calls the add-on needs. Everything platform-specific lives behind
// these functions so that the engine and the widgets stay portable.
namespace Corvo::Platform {

// The machine-wide application-data folder under which collections are installed.
// On Linux: the first entry of XDG_DATA_DIRS, "/usr/local/share" when unset.
QString commonAppDataFolder();

// Full file name of the loaded module that contains the given address; empty when unknown.
QString moduleFileName(const void *addressInModule);

// Full file name of the module this code is linked into.
QString currentModuleFileName();

qint64 currentProcessId();

// The host's main window (an opaque handle from the host) accepts input or not. Without
// native windows (Linux) there is nothing to do.
void setHostWindowEnabled(void *hostWindow, bool enabled);
void bringHostWindowToFront(void *hostWindow);

// Makes the desktop the native parent of an add-on window; without native windows the
// window already is top-level.
void parentToDesktop(QWidget *window);

} // namespace Corvo::Platform
