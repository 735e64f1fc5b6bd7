#pragma once

#include "engine/db/colorentry.h"
#include "engine/db/nearestchips.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QUuid>

// The nearest chips of a project's colours, and how near they are.
namespace Corvo {

// From the difference to the nearest chip, by the chip's collection's verdict limits.
enum class ColourVerdict { Exact = 0, Close = 1, Near = 2, NoPaintColour = 3 };
inline constexpr int kColourVerdictCount = 4;

// Below limits[0] exact, below limits[1] close, below limits[2] near, else no paint colour.
ColourVerdict verdictFor(double deltaE, const QList<double> &limits);

struct ProjectColourMatch
{
    QUuid collection;
    DB::ColorEntry entry;
    QColor chipColour;
    // CIEDE2000 between the colour and the chip's own RGB, which "make exact" copies, so
    // that a colour made exact differs by 0.
    double deltaE = 0.0;
    ColourVerdict verdict = ColourVerdict::NoPaintColour;

    bool found() const { return entry.id > 0; }
};

class ProjectColourMatcher
{
public:
    // Reads the colour index and the verdict limits of every collection once.
    explicit ProjectColourMatcher(const QList<QUuid> &collections);

    const QList<QUuid> &collections() const { return m_collections; }
    // The nearest chip of all the collections, or of `only` when it is one of them; equal
    // differences keep the collections' order. No chip (not found()) when none can be read.
    ProjectColourMatch match(const QColor &colour, const QUuid &only = QUuid()) const;

private:
    ProjectColourMatch search(const QColor &colour, const QUuid &only) const;
    ProjectColourMatch chipMatch(const QColor &colour, const QUuid &collection, qint64 rowId) const;

    QList<QUuid> m_collections;
    QList<DB::ColorIndex> m_indexes;
    QHash<QUuid, QList<double>> m_limits;
    // Chips already read, by collection and row, since many colours share a nearest chip.
    mutable QHash<QPair<QUuid, qint64>, DB::ColorEntry> m_chips;
    // Colours already matched, by colour and collection: a project repeats its colours in
    // materials and pens.
    mutable QHash<QPair<QRgb, QUuid>, ProjectColourMatch> m_matches;
};

} // namespace Corvo
