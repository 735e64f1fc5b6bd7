#pragma once

#include <QString>

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

} // namespace Corvo::Platform
