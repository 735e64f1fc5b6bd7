#include "engine/capsure/capsureimport.h"

#include "engine/capsure/cxf3reader.h"
#include "engine/db/capsurequeries.h"
#include "engine/db/collectionaccess.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/nearestchips.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <cmath>

namespace Corvo {

namespace {

// A Capsure-enabled collection that can be shown, in priority order.
struct CapsureCollection
{
    qint64 id = -1;
    QUuid uuid;
    QString name;
};

QList<CapsureCollection> capsureCollections()
{
    QList<qint64> priorities;
    QList<CapsureCollection> collections;
    if (DB::capsureCollectionIds(priorities) != DB::Ok)
        return collections;
    QSet<qint64> listed;
    for (const qint64 id : priorities) {
        if (listed.contains(id))
            continue;
        listed.insert(id);
        const QUuid uuid = DB::collectionUuidInSystemWideFile(id);
        if (!uuid.isNull())
            collections.append({id, uuid, DB::collectionName(uuid)});
    }
    return collections;
}

// The chips of each collection in the order they were found; the look-up already lists a
// chip once per collection.
QHash<qint64, QList<DB::ColorEntry>> matchesByCollection(const QStringList &names)
{
    QHash<qint64, QList<DB::ColorEntry>> filed;
    QList<DB::ColorEntry> matches;
    if (DB::capsureMatchesOfEach(names, matches) != DB::Ok)
        return filed;
    for (const DB::ColorEntry &entry : matches)
        filed[entry.collectionId].append(entry);
    return filed;
}

std::optional<double> differenceTo(const std::optional<Lab> &colour, const DB::ColorEntry &entry)
{
    if (!colour)
        return std::nullopt;
    const double deltaE = deltaE2000(*colour, Lab{entry.l, entry.a, entry.b});
    return std::isnan(deltaE) ? std::nullopt : std::optional<double>(deltaE);
}

QList<CapsureCandidate> namedCandidates(const QStringList &names,
                                        const QList<CapsureCollection> &collections,
                                        const std::optional<Lab> &colour)
{
    QList<CapsureCandidate> candidates;
    if (names.isEmpty())
        return candidates;
    const QHash<qint64, QList<DB::ColorEntry>> filed = matchesByCollection(names);
    for (const CapsureCollection &collection : collections) {
        for (const DB::ColorEntry &entry : filed.value(collection.id))
            candidates.append(
                {collection.uuid, collection.name, entry, differenceTo(colour, entry), false});
    }
    return candidates;
}

QList<CapsureCandidate> nearestCandidates(const Lab &colour,
                                          const QList<CapsureCollection> &collections)
{
    QList<QUuid> uuids;
    QHash<QUuid, QString> names;
    for (const CapsureCollection &collection : collections) {
        uuids.append(collection.uuid);
        names.insert(collection.uuid, collection.name);
    }
    QList<CapsureCandidate> candidates;
    for (const DB::NearestChip &chip : DB::nearestChips(uuids, colour, kNearestCapsureChips))
        candidates.append({chip.collection, names.value(chip.collection), chip.entry,
                           differenceTo(colour, chip.entry), true});
    return candidates;
}

} // namespace

CapsureMeasurement readCapsureMeasurement(const QString &filePath)
{
    if (!QFileInfo(filePath).isFile())
        return {};
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    // One byte more than a measurement may have, so that an oversized file is refused
    // without reading all of it.
    const QByteArray bytes = file.read(kMaxCxf3Bytes + 1);
    if (bytes.size() > kMaxCxf3Bytes)
        return {};
    CapsureMeasurement measurement;
    for (const Cxf3Measurement &object : readCxf3Measurements(bytes)) {
        if (!object.name.isEmpty())
            measurement.names.append(object.name);
        if (!measurement.colour)
            measurement.colour = object.engineLab();
    }
    return measurement;
}

QList<CapsureCandidate> capsureCandidates(const QStringList &names,
                                          const std::optional<Lab> &colour)
{
    if (names.isEmpty() && !colour)
        return {};
    const QList<CapsureCollection> collections = capsureCollections();
    QList<CapsureCandidate> candidates = namedCandidates(names, collections, colour);
    if (candidates.isEmpty() && colour)
        candidates = nearestCandidates(*colour, collections);
    return candidates;
}

QList<CapsureCandidate> importCapsureFile(const QString &filePath)
{
    const CapsureMeasurement measurement = readCapsureMeasurement(filePath);
    return capsureCandidates(measurement.names, measurement.colour);
}

} // namespace Corvo
