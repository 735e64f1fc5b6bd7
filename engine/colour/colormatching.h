#pragma once

#include "engine/colour/colorscience.h"
#include "engine/db/colorentry.h"
#include "engine/db/labsample.h"

#include <QList>
#include <QUuid>
#include <QVariantMap>

#include <optional>

// Finding the collection colour that a dropped colour stands for.
namespace Corvo {

struct ColorMatch
{
    double deltaE = 0.0;
    qint64 rowId = -1;
};

// The count colours of the index nearest to the reference by deltaE2000, nearest first; of
// equally near colours the one earlier in the index ranks first. Differences that are not
// numbers (from stored values that are not) never match.
QList<ColorMatch> nearestColors(const Lab &reference, const QList<DB::LabSample> &index, int count);

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
