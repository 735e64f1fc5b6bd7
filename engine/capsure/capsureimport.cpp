#include "engine/capsure/capsureimport.h"

#include "engine/capsure/cxf3reader.h"
#include "engine/db/capsurequeries.h"
#include "engine/db/collectionaccess.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace Corvo {

namespace {

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

QString collectionName(const QUuid &uuid)
{
    QSharedPointer<DB::Collection> record;
    return DB::collectionRecord(uuid, record) == DB::Ok ? record->name : QString();
}

} // namespace

QStringList readCapsureMeasurementNames(const QString &filePath)
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
    return readCxf3ObjectNames(bytes);
}

QList<CapsureCandidate> capsureCandidates(const QStringList &names)
{
    QList<qint64> priorities;
    if (names.isEmpty() || DB::capsureCollectionIds(priorities) != DB::Ok || priorities.isEmpty())
        return {};
    const QHash<qint64, QList<DB::ColorEntry>> filed = matchesByCollection(names);
    QList<CapsureCandidate> candidates;
    QSet<qint64> listed;
    for (const qint64 collectionId : priorities) {
        const auto rows = filed.constFind(collectionId);
        if (rows == filed.cend() || listed.contains(collectionId))
            continue;
        listed.insert(collectionId);
        const QUuid uuid = DB::collectionUuidInSystemWideFile(collectionId);
        if (uuid.isNull())
            continue;
        const QString name = collectionName(uuid);
        for (const DB::ColorEntry &entry : *rows)
            candidates.append({uuid, name, entry});
    }
    return candidates;
}

QList<CapsureCandidate> importCapsureFile(const QString &filePath)
{
    return capsureCandidates(readCapsureMeasurementNames(filePath));
}

} // namespace Corvo
