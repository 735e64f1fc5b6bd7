#pragma once

#include "engine/colour/colorscience.h"
#include "engine/db/colorentry.h"
#include "engine/db/labsample.h"

#include <QList>
#include <QUuid>

// The chips of several collections nearest to a colour, for the search bar, the similar
// colours of a chip, Capsure measurements and the collection tool alike.
namespace Corvo::DB {

struct NearestChip
{
    QUuid collection;
    int pageIndex = -1;
    ColorEntry entry;
    // CIEDE2000 between the colour asked for and the chip's stored CIELAB values.
    double deltaE = 0.0;
};

// A collection's colour index (rowLabTable), for callers that search it more than once.
struct ColorIndex
{
    QUuid collection;
    QList<LabSample> samples;
};

// Reads the index of every collection named, once each and in the order given.
QList<ColorIndex> colorIndexes(const QList<QUuid> &collections);

// The count chips nearest to the colour among all chips of the collections, nearest first.
// Equal differences keep the order of the collections as given, then the database's order
// within each. A collection that cannot be read or holds no chips adds nothing; a
// collection named twice counts once.
QList<NearestChip> nearestChips(const QList<QUuid> &collections, const Lab &color, int count);
// The same over indexes read before; a chip no longer in its collection is left out.
QList<NearestChip> nearestChips(const QList<ColorIndex> &indexes, const Lab &color, int count);

} // namespace Corvo::DB
