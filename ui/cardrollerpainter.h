#pragma once

#include "ui/cardrollerlayout.h"
#include "ui/cardrollerstate.h"

class QPainter;

namespace Corvo {

// Paints the three cards with their titles and chips, in the painter's font.
void paintCardRoller(QPainter &painter, const CardRollerLayout &layout,
                     const CardRollerState &state);

} // namespace Corvo
