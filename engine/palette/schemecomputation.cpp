#include "engine/palette/schemecomputation.h"

#include "engine/colour/colormatching.h"
#include "engine/colour/colorscience.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/colorpage.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/schemequeries.h"

namespace Corvo {

namespace {

// The sort keys contrastRows gives its groups.
constexpr int kWideContrastGroup1 = -1;
constexpr int kWideContrastGroup2 = 1;

bool isNeutralSubKind(int kind)
{
    return kind >= kTonalNeutralScheme && kind <= kNaturalNeutralScheme;
}

bool isSchemeKind(int kind)
{
    return kind >= DB::Scheme::Harmonic && kind <= kNaturalNeutralScheme;
}

// The card at that PAGE_INDEX and the 1-based position of its chip with that ROW_INDEX.
std::optional<SchemeInput> chipOnCard(const QUuid &collection, int pageIndex, int rowIndex)
{
    DB::ColorPage page;
    if (DB::pageAt(collection, pageIndex, page) != DB::Ok)
        return std::nullopt;
    for (int position = 0; position < page.rows.size(); ++position) {
        if (page.rows.at(position).rowIndex == rowIndex)
            return SchemeInput{page.rows.at(position), pageIndex, position + 1};
    }
    return std::nullopt;
}

// The source chip nearest to the colour the chip is shown in.
std::optional<SchemeInput> nearestInSource(const SchemeSource &source, const DB::ColorEntry &chip)
{
    const QList<ColorMatch> nearest =
        nearestColors(labFromColor(DB::chipColor(chip)), source.colorIndex, 1);
    if (nearest.isEmpty())
        return std::nullopt;
    DB::ColorEntry match;
    DB::ColorPage page;
    if (DB::rowById(source.collection, nearest.first().rowId, match) != DB::Ok ||
        DB::pageById(source.collection, match.pageId, true, page) != DB::Ok)
        return std::nullopt;
    return chipOnCard(source.collection, page.pageIndex, match.rowIndex);
}

QList<DB::ColorEntry> chipsOfPages(const QList<DB::ColorPage> &pages)
{
    QList<DB::ColorEntry> chips;
    for (const DB::ColorPage &page : pages)
        chips += page.rows;
    return chips;
}

int queryScheme(const SchemeSource &source, const SchemeInput &input, int schemeId,
                QList<DB::ColorEntry> &chips)
{
    switch (source.mode) {
    case CardMode::ColorToColor:
        return DB::schemeRows(source.collection, schemeId, input.pageIndex, input.rowPosition,
                              chips);
    case CardMode::ColorToCard:
        return DB::schemePageRows(source.collection, schemeId, input.pageIndex, input.rowPosition,
                                  chips);
    case CardMode::CardToCard: {
        QList<DB::ColorPage> pages;
        const int result = DB::schemePages(source.collection, input.pageIndex, schemeId, pages);
        chips = chipsOfPages(pages);
        return result;
    }
    case CardMode::None:
        break;
    }
    return DB::Failed;
}

// The scheme's chips when there are some and they fill whole rows. Natural neutral is a kind
// of the interface without SCHEME rows: it has none.
bool usableSchemeChips(const SchemeSource &source, const SchemeInput &input, int schemeId,
                       QList<DB::ColorEntry> &chips)
{
    chips.clear();
    if (schemeId < DB::Scheme::Harmonic || schemeId > DB::Scheme::ComplementaryNeutral)
        return false;
    return queryScheme(source, input, schemeId, chips) == DB::Ok && !chips.isEmpty() &&
           chips.size() % source.chipsPerRow == 0;
}

} // namespace

QList<int> schemeButtonKinds(const QList<int> &listed)
{
    QList<int> kinds;
    for (const int kind : listed) {
        const int button = schemeGroupOf(kind);
        if (isSchemeKind(button) && !kinds.contains(button))
            kinds.append(button);
    }
    return kinds;
}

int schemeGroupOf(int kind)
{
    return isNeutralSubKind(kind) ? kNeutralSchemeGroup : kind;
}

SchemeSource schemeSourceFor(const QUuid &current)
{
    SchemeSource source;
    if (CollectionSettings::hasColorSchemesPage(current)) {
        source.collection = current;
    } else {
        for (const QUuid &candidate : DB::orderedCollections()) {
            if (CollectionSettings::hasColorSchemesPage(candidate)) {
                source.collection = candidate;
                break;
            }
        }
    }
    if (source.collection.isNull())
        return source;
    source.mode = CollectionSettings::cardMode(source.collection);
    source.chipsPerRow = CollectionSettings::maxChipsOnAPage(source.collection);
    if (source.collection != current)
        DB::rowLabTable(source.collection, source.colorIndex);
    return source;
}

std::optional<SchemeInput> schemeInputFor(const SchemeSource &source, const QUuid &current,
                                          int pageIndex, int rowIndex)
{
    if (source.collection.isNull())
        return std::nullopt;
    const std::optional<SchemeInput> selected = chipOnCard(current, pageIndex, rowIndex);
    if (!selected || source.collection == current)
        return selected;
    return nearestInSource(source, selected->chip);
}

SchemeResult computeScheme(const SchemeSource &source, const SchemeInput &input, int kind,
                           int neutralSubKind)
{
    SchemeResult result;
    result.neutralSubKind = isNeutralSubKind(neutralSubKind) ? neutralSubKind : kTonalNeutralScheme;
    if (source.collection.isNull() || source.chipsPerRow <= 0)
        return result;
    // The complementary neutral scheme is offered where its query has chips for this input;
    // elsewhere the tonal one is shown instead, without changing what the user chose.
    QList<DB::ColorEntry> complementary;
    if (kind == kNeutralSchemeGroup) {
        result.offersComplementaryNeutral =
            usableSchemeChips(source, input, kComplementaryNeutralScheme, complementary);
        if (result.neutralSubKind == kComplementaryNeutralScheme) {
            if (result.offersComplementaryNeutral) {
                result.chips = complementary;
                return result;
            }
            result.neutralSubKind = kTonalNeutralScheme;
        }
    }
    const int schemeId = kind == kNeutralSchemeGroup ? result.neutralSubKind : kind;
    QList<DB::ColorEntry> chips;
    if (usableSchemeChips(source, input, schemeId, chips))
        result.chips = chips;
    return result;
}

LustrelSchemeGroups lustrelSchemeGroups(const QUuid &collection, int pageIndex, int rowIndex)
{
    LustrelSchemeGroups groups;
    const std::optional<SchemeInput> input = chipOnCard(collection, pageIndex, rowIndex);
    QList<DB::ColorEntry> chips;
    if (!input)
        return groups;
    groups.chip = input->chip;
    if (DB::contrastRows(collection, input->pageIndex, input->rowPosition, chips) != DB::Ok)
        return groups;
    for (const DB::ColorEntry &chip : chips) {
        if (chip.pageOrder == kWideContrastGroup1)
            groups.wideContrast1.append(chip);
        else if (chip.pageOrder == kWideContrastGroup2)
            groups.wideContrast2.append(chip);
        else
            groups.contrast.append(chip);
    }
    return groups;
}

} // namespace Corvo
