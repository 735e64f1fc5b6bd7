#pragma once

#include "ui/colorschemerlayout.h"

#include <QColor>
#include <QList>
#include <QMap>
#include <QPixmap>
#include <QString>

class QPainter;

namespace Corvo {

// How one scheme button looks; either picture may be null.
struct SchemeButtonLook
{
    QPixmap normal;
    QPixmap selected;
    QString caption;
};

// What the colour schemer paints besides its geometry.
struct ColorSchemerState
{
    // By the layout's buttons, in order.
    QList<SchemeButtonLook> buttons;
    // The selected button's kind (6 for the neutral group); any other value selects none.
    int currentKind = 0;
    // The neutral group's captions of sub-kinds 7 to 9, its current sub-kind and whether
    // the card offers the alternative one.
    QMap<int, QString> subKindCaptions;
    int neutralSubKind = 7;
    bool offersAlternativeNeutral = false;
    QPixmap markerNormal;
    QPixmap markerSelected;
    // The chips' colours in chip order, laid out in rows of chipsPerRow.
    QList<QColor> chipColours;
    int chipsPerRow = 0;
    QString message;
};

// The neutral sub-kinds the neutral group's markers stand for, in kind order: the current
// one and, when the card offers it, the one a press switches to.
QList<int> neutralCaptionSubKinds(int current, bool offersAlternative);
// The sub-kind a press on the current neutral group asks for.
int alternativeNeutralSubKind(int current);
// The neutral group's markers in a row centred under its caption text.
QList<QRect> neutralMarkerRects(const QRect &caption, int textHeight, int count);

void paintColorSchemer(QPainter &painter, const ColorSchemerLayout &layout,
                       const ColorSchemerState &state);

// A colour chip framed like a card of the card roller; shadows first, so that callers
// paint all shadows before any chip to keep neighbours' shadows off a chip.
void paintChipShadow(QPainter &painter, const QRect &chip);
void paintChip(QPainter &painter, const QRect &chip, const QColor &colour);
// A selected chip's white frame, 1 px outside it.
void paintChipSelection(QPainter &painter, const QRect &chip);
// The hint under the chips, in the painter's font.
void paintDragMessage(QPainter &painter, const QRect &rect, const QString &message);
// Text with the glow of a selected caption.
void paintGlowingText(QPainter &painter, const QRect &rect, int flags, const QString &text);

} // namespace Corvo
