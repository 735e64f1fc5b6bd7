#include "engine/db/nearestchips.h"

#include "engine/colour/colormatching.h"
#include "engine/db/collectionaccess.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/preparedquery.h"

#include <QSqlRecord>

#include <algorithm>

namespace Corvo::DB {

namespace {

// The chip with its card's position in one statement; joined through the page map, so
// that a chip of another collection counts as missing.
const QString kChipWithPageIndexSql = QStringLiteral(
    "SELECT R.*, ? AS COLLECTION_ID, P.PAGE_INDEX AS HIT_PAGE_INDEX FROM \"ROW\" R JOIN PAGE P "
    "ON R.PAGE_ID = P.ID JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID WHERE R.ID = ? "
    "AND CMAP.COLLECTION_ID = ?");

// The colour index as rowLabTable reads it, without the RGB columns that it selects and
// never uses: the index is read for every collection on each search, and converting
// those columns was a third of the work.
const QString kColorIndexSql =
    QStringLiteral("SELECT R.ID, R.L, R.A, R.B FROM \"ROW\" R JOIN PAGE P ON R.PAGE_ID = P.ID JOIN "
                   "COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID WHERE CMAP.COLLECTION_ID = ?");

QList<LabSample> readColorIndex(const QUuid &collection)
{
    QList<LabSample> samples;
    CollectionAccess access;
    if (accessCollection(collection, access) != Ok)
        return samples;
    PreparedQuery query(access.database, kColorIndexSql);
    if (!query.exec({access.id}))
        return samples;
    while (query->next()) {
        LabSample sample;
        sample.rowId = query->value(0).toLongLong();
        sample.l = query->value(1).toDouble();
        sample.a = query->value(2).toDouble();
        sample.b = query->value(3).toDouble();
        samples.append(sample);
    }
    return samples;
}

struct Candidate
{
    QUuid collection;
    ColorMatch match;
};

QList<Candidate> candidatesOf(const QList<ColorIndex> &indexes, const Lab &color, int count)
{
    QList<Candidate> candidates;
    for (const ColorIndex &index : indexes) {
        for (const ColorMatch &match : nearestColors(color, index.samples, count))
            candidates.append({index.collection, match});
    }
    // Stable: equal differences stay in collection order, then in index order.
    std::stable_sort(
        candidates.begin(), candidates.end(),
        [](const Candidate &x, const Candidate &y) { return x.match.deltaE < y.match.deltaE; });
    if (candidates.size() > count)
        candidates.resize(count);
    return candidates;
}

bool readChip(const Candidate &candidate, NearestChip &chip)
{
    CollectionAccess access;
    if (accessCollection(candidate.collection, access) != Ok)
        return false;
    PreparedQuery query(access.database, kChipWithPageIndexSql);
    if (!query.exec({access.id, candidate.match.rowId, access.id}) || !query->next())
        return false;
    const QSqlRecord record = query->record();
    chip.collection = candidate.collection;
    chip.entry.read(record);
    // ROW's own COLLECTION_ID names the card's owner; a card can be shared.
    chip.entry.collectionId = access.id;
    chip.pageIndex = record.value(QStringLiteral("HIT_PAGE_INDEX")).toInt();
    chip.deltaE = candidate.match.deltaE;
    return true;
}

} // namespace

QList<ColorIndex> colorIndexes(const QList<QUuid> &collections)
{
    QList<ColorIndex> indexes;
    for (const QUuid &collection : collections) {
        const bool seen =
            std::any_of(indexes.cbegin(), indexes.cend(),
                        [&](const ColorIndex &index) { return index.collection == collection; });
        if (seen)
            continue;
        indexes.append({collection, readColorIndex(collection)});
    }
    return indexes;
}

QList<NearestChip> nearestChips(const QList<QUuid> &collections, const Lab &color, int count)
{
    return count <= 0 ? QList<NearestChip>()
                      : nearestChips(colorIndexes(collections), color, count);
}

QList<NearestChip> nearestChips(const QList<ColorIndex> &indexes, const Lab &color, int count)
{
    QList<NearestChip> chips;
    if (count <= 0)
        return chips;
    for (const Candidate &candidate : candidatesOf(indexes, color, count)) {
        NearestChip chip;
        if (readChip(candidate, chip))
            chips.append(chip);
    }
    return chips;
}

} // namespace Corvo::DB
