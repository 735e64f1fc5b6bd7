#pragma once

#include "engine/db/colorentry.h"
#include "engine/db/labsample.h"

#include <QList>
#include <QUuid>
#include <QVariantMap>

#include <optional>

// Finding the collection colour that a dropped chip or colour stands for. It needs the
// catalogue, the settings and the drag payload, so it sits above the colour maths.
namespace Corvo {

struct DroppedColorMatch
{
    QUuid collection;
    DB::ColorEntry entry;
};

// The chip a drop payload stands for: the chip it names; else, for a free colour, a chip
// of any enabled collection whose code is one of its names, then one of exactly its
// colour, then the nearest colour of the current collection's index when nearer than the
// collection's first delta interval. Nothing when no step finds one.
std::optional<DroppedColorMatch> matchDroppedColor(const QVariantMap &payload,
                                                   const QUuid &currentCollection,
                                                   const QList<DB::LabSample> &currentIndex);

} // namespace Corvo
