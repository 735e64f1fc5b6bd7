#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

// How a task button looks, as plain values and one paint function, so that the colours
// and the geometry can be checked without pixels and the widgets only gather their state.
namespace Corvo::TaskButtonLook {

enum class Shape { RoundedRect, Ellipse };

struct Gradient
{
    QColor top;
    QColor bottom;
};

inline constexpr qreal kCornerRadius = 5.0;
// The border and each of the two focus rings.
inline constexpr qreal kLineWidth = 2.0;
inline constexpr int kFocusRings = 2;

// The grey the eye sees in a colour, weighing its channels (11 R + 16 G + 5 B) / 32.
int perceivedGrey(const QColor &colour);
// Top and bottom of the face: light when enabled, a darker flat grey when disabled.
Gradient faceGradient(bool enabled);
// The task caption's colour; a disabled caption is the grey of the enabled face's top.
QColor captionColor(bool enabled);
// The round buttons' caption colour while enabled.
QColor roundCaptionColor();
// How far the caption is moved down: a little at rest, more while pressed, so that the
// button seems to sink.
int captionShift(bool pressed);
// Where to draw a one-symbol caption so that its ink, `ink` relative to the baseline
// origin, sits in the middle of `bounds`, moved down by `shift`: a symbol such as "…" sits
// low in its line, which would look off in a circle.
QPointF inkCentredBaseline(const QRectF &bounds, const QRectF &ink, int shift);
// The face filling `bounds`.
QPainterPath facePath(Shape shape, const QRectF &bounds);
// The centre line of a line of kLineWidth inside `bounds`: ring 0 is the border or the
// outer focus ring, ring 1 the inner focus ring.
QPainterPath ringPath(Shape shape, const QRectF &bounds, int ring);
QColor borderColor();
QColor focusRingColor(int ring);

// A round face centres its caption's ink, a rounded rectangle its text line.
struct Face
{
    QRectF bounds;
    Shape shape = Shape::RoundedRect;
    bool enabled = true;
    bool focused = false;
    bool pressed = false;
    QString caption;
    QColor captionColour;
    QFont font;
};

void paint(QPainter &painter, const Face &face);

} // namespace Corvo::TaskButtonLook
