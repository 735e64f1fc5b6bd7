#pragma once

#include "engine/db/colorentry.h"
#include "engine/db/labsample.h"
#include "engine/settings/collectionsettings.h"

#include <QList>
#include <QUuid>

#include <optional>

// The colour schemes shown for the selected chip: which collection answers them, which of
// its chips stands for the selection, and the chips of a scheme kind. Kinds are the
// schemer's: 1 to 5 the colour schemes, 6 the neutral group shown by its sub-kind 7 to 9.
namespace Corvo {

inline constexpr int kNeutralSchemeGroup = SchemeNeutral;
inline constexpr int kTonalNeutralScheme = SchemeTonalNeutral;
inline constexpr int kComplementaryNeutralScheme = SchemeComplementaryNeutral;
inline constexpr int kNaturalNeutralScheme = SchemeNaturalNeutral;

// The schemer's buttons for a "schemes" list: the neutral sub-kinds 7 to 9 become the one
// neutral group (6) where the first of them stands; 0 and repeats are dropped.
QList<int> schemeButtonKinds(const QList<int> &listed);

// Kinds 7 to 9 belong to the neutral group; everything else stands for itself.
int schemeGroupOf(int kind);

// The collection whose schemes the current one shows, with what its computation needs.
struct SchemeSource
{
    QUuid collection; // null when no collection offers schemes
    CardMode mode = CardMode::None;
    int chipsPerRow = 0; // "max.chips.on.a.page" of the source
    // The source's chips, for finding the one nearest a chip of another collection; empty
    // when the source is the current collection itself.
    QList<DB::LabSample> colorIndex;
};

// The current collection when it has a schemes page, else the first offered collection
// that has one; no collection when none has.
SchemeSource schemeSourceFor(const QUuid &current);

// The chip of the source that the schemes are built around: its card's PAGE_INDEX and its
// 1-based position on that card.
struct SchemeInput
{
    DB::ColorEntry chip;
    int pageIndex = -1;
    int rowPosition = 0;
};

// The selected chip (the ROW_INDEX on the card of that PAGE_INDEX) of the current
// collection, or the source chip nearest to its colour by CIEDE2000 when the source is
// another collection. Nothing when any step fails.
std::optional<SchemeInput> schemeInputFor(const SchemeSource &source, const QUuid &current,
                                          int pageIndex, int rowIndex);

struct SchemeResult
{
    // In result order; empty unless the query gave a non-zero multiple of chipsPerRow.
    QList<DB::ColorEntry> chips;
    // The neutral sub-kind the chips are of: the one asked for, or tonal neutral when the
    // complementary neutral scheme was asked for and is not offered.
    int neutralSubKind = kTonalNeutralScheme;
    // Whether the complementary neutral scheme has chips for the input (asked only for the
    // neutral group).
    bool offersComplementaryNeutral = false;
};

// The chips of the scheme kind (6: of neutralSubKind) for the input, by the source's
// "mode.card": chip schemes, the chips of chip-based scheme cards, or the scheme cards of
// the input's card.
SchemeResult computeScheme(const SchemeSource &source, const SchemeInput &input, int kind,
                           int neutralSubKind);

// The metallic deck's contrast schemes of one chip in the three groups it shows.
struct LustrelSchemeGroups
{
    // The chip the groups are for; its ID is 0 when it could not be loaded.
    DB::ColorEntry chip;
    QList<DB::ColorEntry> wideContrast1;
    QList<DB::ColorEntry> wideContrast2;
    QList<DB::ColorEntry> contrast;
    bool isEmpty() const
    {
        return wideContrast1.isEmpty() && wideContrast2.isEmpty() && contrast.isEmpty();
    }
};

// The groups for the chip at that ROW_INDEX of the card at that PAGE_INDEX; empty groups
// when the chip cannot be loaded or the query fails.
LustrelSchemeGroups lustrelSchemeGroups(const QUuid &collection, int pageIndex, int rowIndex);

} // namespace Corvo
