#pragma once

#include <QList>

#include <functional>
#include <optional>

class QWidget;

// Running the add-on's windows without a person, for scripts and end-to-end tests:
//   HUEPORT_SNAPSHOT=FILE               photographs the window into FILE once it has painted;
//   HUEPORT_EXPORT=materials|penset     the picker then exports its palette as if the user
//                                       had chosen that entry of the export menu;
//   HUEPORT_COLOURS=exact:close:...     the project colours window ticks the rows of those
//                                       verdicts (exact, close, near, none) and makes them
//                                       exact.
// A window so driven closes by itself. The export does only what a person could do: an
// empty palette exports nothing. Any other value of HUEPORT_EXPORT is ignored.
namespace Corvo::WindowAutomation {

inline constexpr char kSnapshotVariable[] = "HUEPORT_SNAPSHOT";
inline constexpr char kExportVariable[] = "HUEPORT_EXPORT";
inline constexpr char kColoursVariable[] = "HUEPORT_COLOURS";

// 1 for "materials", 2 for "penset", else 0; a value that names no export is ignored with
// one line on the debug output.
int requestedExport();
// The verdicts HUEPORT_COLOURS names, as ColourVerdict numbers; nothing when it is not set.
std::optional<QList<int>> requestedVerdicts();

// When a photograph, a known export or project colours are asked for: once the window has
// painted, the photograph if asked for, then `finish`, or closing the window when there is
// none.
void armFor(QWidget *window, std::function<void()> finish = {});

} // namespace Corvo::WindowAutomation
