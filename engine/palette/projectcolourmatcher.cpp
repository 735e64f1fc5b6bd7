#include "engine/palette/projectcolourmatcher.h"

#include "engine/colour/colormatching.h"
#include "engine/colour/colorscience.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/settings/collectionsettings.h"

#include <limits>

namespace Corvo {

ColourVerdict verdictFor(double deltaE, const QList<double> &limits)
{
    for (int i = 0; i < limits.size() && i < kColourVerdictCount - 1; ++i) {
        if (deltaE < limits.at(i))
            return ColourVerdict(i);
    }
    return ColourVerdict::NoPaintColour;
}

ProjectColourMatcher::ProjectColourMatcher(const QList<QUuid> &collections)
    : m_indexes(DB::colorIndexes(collections))
{
    for (const DB::ColorIndex &index : m_indexes) {
        m_collections.append(index.collection);
        m_limits.insert(index.collection, CollectionSettings::verdictLimits(index.collection));
    }
}

ProjectColourMatch ProjectColourMatcher::match(const QColor &colour, const QUuid &only) const
{
    const QPair<QRgb, QUuid> key(colour.rgb(), only);
    auto known = m_matches.constFind(key);
    if (known == m_matches.cend())
        known = m_matches.insert(key, search(colour, only));
    return known.value();
}

ProjectColourMatch ProjectColourMatcher::search(const QColor &colour, const QUuid &only) const
{
    const Lab lab = labFromColor(colour);
    QUuid bestCollection;
    ColorMatch best{0.0, -1};
    for (const DB::ColorIndex &index : m_indexes) {
        if (!only.isNull() && index.collection != only)
            continue;
        // Only a strictly nearer chip of a later collection wins.
        const double ceiling =
            best.rowId < 0 ? std::numeric_limits<double>::infinity() : best.deltaE;
        const QList<ColorMatch> nearest = nearestColors(lab, index.samples, 1, ceiling);
        if (!nearest.isEmpty()) {
            best = nearest.first();
            bestCollection = index.collection;
        }
    }
    return best.rowId < 0 ? ProjectColourMatch() : chipMatch(colour, bestCollection, best.rowId);
}

ProjectColourMatch ProjectColourMatcher::chipMatch(const QColor &colour, const QUuid &collection,
                                                   qint64 rowId) const
{
    const QPair<QUuid, qint64> key(collection, rowId);
    auto known = m_chips.constFind(key);
    if (known == m_chips.cend()) {
        DB::ColorEntry entry;
        if (DB::rowById(collection, rowId, entry) != DB::Ok)
            return ProjectColourMatch();
        known = m_chips.insert(key, entry);
    }
    ProjectColourMatch result;
    result.collection = collection;
    result.entry = known.value();
    result.chipColour = DB::chipColor(result.entry);
    result.deltaE = deltaE2000(labFromColor(colour), labFromColor(result.chipColour));
    result.verdict = verdictFor(result.deltaE, m_limits.value(collection));
    return result;
}

} // namespace Corvo
