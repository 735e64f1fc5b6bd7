#pragma once

#include "engine/colour/colorscience.h"
#include "engine/db/colorentry.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

// From a Capsure measurement file to the collection colours the user may choose from.
namespace Corvo {

// How many chips are offered by colour alone when no name matches.
inline constexpr int kNearestCapsureChips = 5;

// What the import uses of a measurement: the names the device gave the colour and the
// colour itself, on the engine's Lab scale, from the first object that carries one.
struct CapsureMeasurement
{
    QStringList names;
    std::optional<Lab> colour;

    bool isEmpty() const { return names.isEmpty() && !colour; }
};

// One colour a measurement may stand for, with the collection it was found in.
struct CapsureCandidate
{
    QUuid collection;
    QString collectionName;
    DB::ColorEntry entry;
    // CIEDE2000 between the measured colour and the chip's stored CIELAB values; none
    // when the measurement carries no colour (or the chip's values are not numbers).
    std::optional<double> deltaE;
    // Offered for its colour alone: no chip carries any of the measurement's names.
    bool nearest = false;
};

// The measurement read from the file without ever opening it for writing (a read-write
// open could leave an empty file in the device's folder). Empty when the file is missing,
// unreadable, too large or not (yet) a CxF3 document.
CapsureMeasurement readCapsureMeasurement(const QString &filePath);

// The chips carrying those names in the Capsure-enabled collections: grouped by
// collection in priority order, each group in the order its chips were found, a chip
// listed once per collection. Blank names are not looked up; a chip whose collection
// cannot be named is left out (it could not be shown). With a measured colour every
// candidate carries its difference, and when no name matches, the kNearestCapsureChips
// chips of those collections nearest to it are offered instead, nearest first. Empty on
// any failure.
QList<CapsureCandidate> capsureCandidates(const QStringList &names,
                                          const std::optional<Lab> &colour = std::nullopt);

// Both steps for one file.
QList<CapsureCandidate> importCapsureFile(const QString &filePath);

} // namespace Corvo
