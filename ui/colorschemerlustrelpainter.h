#pragma once

#include "ui/colorschemerlustrellayout.h"

#include <QColor>
#include <QList>
#include <QString>

#include <array>

class QPainter;

namespace Corvo {

// One chip group of the metallic deck's schemer as it is painted.
struct LustrelGroupLook
{
    QString caption;
    // Shown after the caption, dimmer: the card the group's chips come from.
    QString secondary;
    QList<QColor> chipColours;
    // Positions of chips that are the selected colour itself.
    QList<int> selectedChips;
};

struct ColorSchemerLustrelState
{
    std::array<LustrelGroupLook, ColorSchemerLustrelLayout::kGroupCount> groups;
    // The places of a strip; a group with more chips makes its chips narrower.
    int columns = 0;
    QString message;
};

// The chips of a group as painted and hit-tested.
QList<QRect> lustrelChipRects(const ColorSchemerLustrelLayout &layout, int group, int count,
                              int columns);

void paintColorSchemerLustrel(QPainter &painter, const ColorSchemerLustrelLayout &layout,
                              const ColorSchemerLustrelState &state);

} // namespace Corvo
