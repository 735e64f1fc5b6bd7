#pragma once

#include "ui/cardrollerlayout.h"
#include "ui/cardrollerstate.h"

class QFontMetrics;
class QPainter;
class QString;

namespace Corvo {

// A card's title as it fits `width`: whole when it fits; else a number that ends it (which
// tells neighbouring cards apart) stays whole and the words before it give way ("Cri… 7");
// a title without one is elided in the middle.
QString fittedCardTitle(const QString &title, const QFontMetrics &metrics, int width);

// Paints the three cards with their titles and chips, in the painter's font.
void paintCardRoller(QPainter &painter, const CardRollerLayout &layout,
                     const CardRollerState &state);

} // namespace Corvo
