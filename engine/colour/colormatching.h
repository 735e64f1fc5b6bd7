#pragma once

#include "engine/colour/colorscience.h"
#include "engine/db/labsample.h"

#include <QList>

#include <limits>

// The collection colours nearest to a colour by CIEDE2000.
namespace Corvo {

struct ColorMatch
{
    double deltaE = 0.0;
    qint64 rowId = -1;
};

// The count colours of the index nearest to the reference by deltaE2000, nearest first; of
// equally near colours the one earlier in the index ranks first. Differences that are not
// numbers (from stored values that are not) never match. Only differences below `ceiling`
// are kept, so that a search over several indexes can skip what an earlier one beat.
QList<ColorMatch> nearestColors(const Lab &reference, const QList<DB::LabSample> &index, int count,
                                double ceiling = std::numeric_limits<double>::infinity());

} // namespace Corvo
