#pragma once

#include <QString>

// The add-on's one-time preparation, run inside the host's initialisation call before
// any window exists.
namespace Corvo::Startup {

inline constexpr int kNoSqliteDriver = -1;
inline constexpr int kNoCollections = -3;

// 0 on success; -1 without the SQLite driver; -3 when no collection is offered; or the
// negative result of the catalogue scan.
int initialize(const QString &modulePath);

// The add-on module's full file name, as handed to initialize().
QString modulePath();

// "<common app-data>/Velmora/Tintwell/SQLite" with native separators.
QString dataFolderUnder(const QString &commonAppDataFolder);

// Where Qt plug-ins shipped with the add-on are looked for: beside the module.
QString pluginFolderFor(const QString &modulePath);

} // namespace Corvo::Startup
