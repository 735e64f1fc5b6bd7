#pragma once

#include "engine/db/colorentry.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

// From a Capsure measurement file to the collection colours the user may choose from.
namespace Corvo {

// One colour a measurement may stand for, with the collection it was found in.
struct CapsureCandidate
{
    QUuid collection;
    QString collectionName;
    DB::ColorEntry entry;
};

// The names the device gave the measured colour, read from the file without ever opening
// it for writing (a read-write open could leave an empty file in the device's folder).
// Empty when the file is missing, unreadable, too large or not (yet) a CxF3 document.
QStringList readCapsureMeasurementNames(const QString &filePath);

// The chips carrying those names in the Capsure-enabled collections: grouped by
// collection in priority order, each group in the order its chips were found, a chip
// listed once per collection. Blank names are not looked up; a chip whose collection
// cannot be named is left out (it could not be shown). Empty on any failure.
QList<CapsureCandidate> capsureCandidates(const QStringList &names);

// Both steps for one file.
QList<CapsureCandidate> importCapsureFile(const QString &filePath);

} // namespace Corvo
