#pragma once

#include <QStringList>
#include <QTextStream>

namespace Tintwell {

// Options every sub-command accepts.
inline constexpr char kDataOption[] = "--data";
inline constexpr char kJsonFlag[] = "--json";
inline constexpr char kHelpFlag[] = "--help";
// Turns on the database layer's debug channel (the statements it logs) for the run.
inline constexpr char kVerboseFlag[] = "--verbose";

// Runs "tintwell <command> ..." (arguments without the program name) and returns its
// exit status. Output goes to the given streams, so tests can run commands in-process.
int runCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace Tintwell
