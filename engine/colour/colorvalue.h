#pragma once

#include <QColor>
#include <QString>

#include <optional>

// Colours typed as text, as the search bar reads them.
namespace Corvo {

// The colour the text writes out as "#RRGGBB", "RRGGBB", "#RGB", "R,G,B", "R G B" or
// "rgb(R, G, B)", in any letter case and with blanks around and between the parts;
// channels run from 0 to 255. Nothing for any other text.
std::optional<QColor> colorFromText(const QString &text);

} // namespace Corvo
