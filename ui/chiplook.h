#pragma once

class QColor;
class QPainter;
class QPixmap;
class QRect;

namespace Corvo {

// The look the chip views and panels share, so that a card, a chip and a framed grid read
// as one family.
namespace ChipLook {

// The inclusive pixel bounds of a rectangle, as the outline of a 1 px cosmetic pen traces
// them.
QRect outline(const QRect &rect);

// The soft shadow around an area: a ring reaching 2 px out (radius 3) in `outer` and one
// reaching 1 px out (radius 2) in `inner`. Only pixels outside the area are painted, so
// whatever the area shows keeps its true colour.
void paintShadowRings(QPainter &painter, const QRect &area, const QColor &outer,
                      const QColor &inner);

// The frame of a card and of whatever is shown like one (a scheme chip, the enlarged
// palette cell): the shadow rings in the card grey, then a 1 px opaque outline on the
// area's own edge pixels.
void paintCardFrame(QPainter &painter, const QRect &area);
// The card frame's shadow rings alone.
void paintCardShadow(QPainter &painter, const QRect &area);
// The card frame's outline alone.
void paintCardOutline(QPainter &painter, const QRect &area);

// The part of a picture drawn over a whole widget that lies under `rect` (logical
// pixels), at the picture's pixel ratio; empty for an empty picture or rectangle.
QPixmap pieceUnder(const QPixmap &picture, const QRect &rect);

} // namespace ChipLook

} // namespace Corvo
