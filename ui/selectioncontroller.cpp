#include "ui/selectioncontroller.h"

#include "engine/colour/colorvalue.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/colorpage.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/phrasesearch.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "ui/tabbarlayout.h"

namespace Corvo {

struct SelectionController::Stored
{
    int segment = 0;
    int mood = 0;
    bool exterior = false;
    bool showMto = false;
    int page = 0;
    int row = 0;
    int tab = 0;
    int schemeKind = 0;
    int neutralSubKind = 0;
};

SelectionController::Stored SelectionController::stored() const
{
    Stored s;
    s.segment = Preferences::segmentIndex(m_collection);
    s.mood = Preferences::moodFilter(m_collection);
    s.exterior = Preferences::exteriorColors(m_collection);
    s.showMto = Preferences::showMto(m_collection);
    s.page = Preferences::pageIndex(m_collection);
    s.row = Preferences::rowIndex(m_collection);
    s.tab = Preferences::tabPageIndex(m_collection);
    s.schemeKind = Preferences::schemeKind(m_collection);
    s.neutralSubKind = Preferences::schemeNeutralSubKind(m_collection);
    return s;
}

// What the views show is compared, not what the requests asked for: a request that ends
// where it started reports nothing.
SelectionController::Changes SelectionController::changesSince(const Stored &before) const
{
    const Stored now = stored();
    Changes changes;
    changes.setFlag(SegmentChanged, now.segment != before.segment);
    changes.setFlag(FiltersChanged, now.mood != before.mood || now.exterior != before.exterior ||
                                        now.showMto != before.showMto);
    changes.setFlag(CardChanged, now.page != before.page);
    changes.setFlag(ChipChanged, now.page != before.page || now.row != before.row);
    changes.setFlag(TabChanged, now.tab != before.tab);
    changes.setFlag(SchemeChanged, now.schemeKind != before.schemeKind ||
                                       now.neutralSubKind != before.neutralSubKind);
    return changes;
}

SelectionController::Changes SelectionController::applyCollection(const QUuid &collection)
{
    m_collection = collection;
    const Preferences::Batch batch;
    const Stored before = stored();
    storeCollectionDefaults();
    keepCardInDeck();
    keepChipVisible();
    return changesSince(before);
}

void SelectionController::storeCollectionDefaults()
{
    const QList<int> tabs = visibleTabPages(CollectionSettings::tabBarPages(m_collection),
                                            CollectionSettings::availableTabBarPages(m_collection));
    // A tab the collection does not show would leave its page area empty.
    if (!tabs.contains(Preferences::tabPageIndex(m_collection)))
        Preferences::setTabPageIndex(m_collection, tabs.value(0, 0));
    if (Preferences::schemeKind(m_collection) == 0) {
        const QList<int> kinds = CollectionSettings::schemes(m_collection);
        Preferences::setSchemeKind(m_collection, kinds.value(0, 0));
    }
}

// A card the filters leave out could be seen but never rolled back to. Filters under which
// no card qualifies at all (left in the store by an older version, or by hand) give way:
// first the exterior filter, then the mood, widened for the first card of the segment.
void SelectionController::keepCardInDeck()
{
    const DeckFilter filter = DeckFilter::of(m_collection);
    const int segment = Preferences::segmentIndex(m_collection);
    DB::ColorPage page;
    if (DB::pageAt(m_collection, Preferences::pageIndex(m_collection), page) == DB::Ok &&
        filter.admits(page)) {
        showCard(page);
        return;
    }
    if (DB::firstPageOfSegment(m_collection, segment, filter.mood, filter.exterior, page) ==
        DB::Ok) {
        showCard(page);
        return;
    }
    if (DB::firstPageOfSegment(m_collection, segment, filter.mood, false, page) != DB::Ok &&
        DB::firstPageOfSegment(m_collection, segment, MoodEvery, false, page) != DB::Ok)
        return;
    Preferences::setExteriorColors(m_collection, false);
    widenFiltersFor(page);
    showCard(page);
}

void SelectionController::showCard(const DB::ColorPage &page)
{
    if (page.segment > 0)
        Preferences::setSegmentIndex(m_collection, page.segment);
    Preferences::setPageIndex(m_collection, page.pageIndex);
}

// The chip keeps its place on the new card unless that place is a hidden made-to-order chip;
// then the nearest visible chip is taken, or none when the card shows none.
void SelectionController::keepChipVisible()
{
    const DeckFilter filter = DeckFilter::of(m_collection);
    if (!filter.hideMadeToOrder)
        return;
    DB::ColorPage page;
    if (DB::pageAt(m_collection, Preferences::pageIndex(m_collection), page) != DB::Ok)
        return;
    const int row = Preferences::rowIndex(m_collection);
    qsizetype at = -1;
    for (qsizetype i = 0; i < page.rows.size(); ++i) {
        if (page.rows.at(i).rowIndex == row)
            at = i;
    }
    if (at < 0 || !filter.hides(page.rows.at(at)))
        return;
    for (qsizetype distance = 1; distance < page.rows.size(); ++distance) {
        for (const qsizetype i : {at + distance, at - distance}) {
            if (i >= 0 && i < page.rows.size() && !filter.hides(page.rows.at(i))) {
                Preferences::setRowIndex(m_collection, page.rows.at(i).rowIndex);
                return;
            }
        }
    }
    Preferences::setRowIndex(m_collection, 0);
}

SelectionController::Changes SelectionController::changeSegment(int segment)
{
    const Preferences::Batch batch;
    if (segment == Preferences::segmentIndex(m_collection))
        return NoChange;
    const Stored before = stored();
    const DeckFilter filter = DeckFilter::of(m_collection);
    DB::ColorPage page;
    if (DB::firstPageOfSegment(m_collection, segment, filter.mood, filter.exterior, page) != DB::Ok)
        return NoChange;
    showCard(page);
    keepChipVisible();
    return changesSince(before);
}

SelectionController::Changes SelectionController::changeMoodFilter(int mood)
{
    const Preferences::Batch batch;
    if (mood == Preferences::moodFilter(m_collection))
        return NoChange;
    DeckFilter wanted = DeckFilter::of(m_collection);
    if (DeckFilter::hasMoodControl(m_collection))
        wanted.mood = mood;
    return changeFilter(wanted, [&] { Preferences::setMoodFilter(m_collection, mood); });
}

SelectionController::Changes SelectionController::changeExteriorFilter(bool exterior)
{
    const Preferences::Batch batch;
    if (exterior == Preferences::exteriorColors(m_collection))
        return NoChange;
    DeckFilter wanted = DeckFilter::of(m_collection);
    if (DeckFilter::hasMoodControl(m_collection) &&
        CollectionSettings::hasExteriorFilter(m_collection))
        wanted.exterior = exterior;
    return changeFilter(wanted, [&] { Preferences::setExteriorColors(m_collection, exterior); });
}

SelectionController::Changes SelectionController::changeShowMto(bool show)
{
    const Preferences::Batch batch;
    if (show == Preferences::showMto(m_collection))
        return NoChange;
    const Stored before = stored();
    Preferences::setShowMto(m_collection, show);
    keepChipVisible();
    return changesSince(before);
}

// The deck moves to the first card of the current segment that the new filters keep. A
// filter that keeps no card at all is refused: it would leave a deck that cannot roll.
SelectionController::Changes SelectionController::changeFilter(const DeckFilter &wanted,
                                                               const std::function<void()> &store)
{
    const Stored before = stored();
    if (wanted == DeckFilter::of(m_collection)) {
        store();
        return changesSince(before);
    }
    DB::ColorPage page;
    if (DB::firstPageOfSegment(m_collection, Preferences::segmentIndex(m_collection), wanted.mood,
                               wanted.exterior, page) != DB::Ok)
        return NoChange;
    store();
    showCard(page);
    keepChipVisible();
    return changesSince(before);
}

SelectionController::Changes SelectionController::roll(Direction direction)
{
    const Preferences::Batch batch;
    const Stored before = stored();
    const DeckFilter filter = DeckFilter::of(m_collection);
    DB::ColorPage page;
    if (DB::adjacentPage(m_collection, before.page, direction == Backward, filter.mood,
                         filter.exterior, page) != DB::Ok)
        return NoChange;
    showCard(page);
    keepChipVisible();
    return changesSince(before);
}

SelectionController::Changes SelectionController::changePage(int pageIndex)
{
    const Preferences::Batch batch;
    const Stored before = stored();
    DB::ColorPage page;
    if (DB::pageAt(m_collection, pageIndex, page) != DB::Ok)
        return NoChange;
    widenFiltersFor(page);
    showCard(page);
    keepChipVisible();
    return changesSince(before);
}

SelectionController::Changes SelectionController::changeRow(int rowIndex)
{
    const Preferences::Batch batch;
    if (rowIndex == Preferences::rowIndex(m_collection))
        return NoChange;
    DB::ColorPage page;
    if (DB::pageAt(m_collection, Preferences::pageIndex(m_collection), page) != DB::Ok)
        return NoChange;
    const DeckFilter filter = DeckFilter::of(m_collection);
    for (const DB::ColorEntry &chip : page.rows) {
        if (chip.rowIndex == rowIndex && !filter.hides(chip)) {
            Preferences::setRowIndex(m_collection, rowIndex);
            return ChipChanged;
        }
    }
    return NoChange;
}

SelectionController::Changes SelectionController::search(const QString &phrase,
                                                         std::optional<ColorSearchHit> *colorHit)
{
    const Preferences::Batch batch;
    if (colorHit)
        colorHit->reset();
    DB::PhraseMatch match;
    if (DB::findPhrase(m_collection, phrase, match) == DB::Ok) {
        const Stored before = stored();
        DB::ColorPage page;
        if (DB::pageAt(m_collection, match.pageIndex, page) != DB::Ok)
            return NoChange;
        widenFiltersFor(page);
        showCard(page);
        selectChip(page, match.rowIndex);
        return changesSince(before);
    }
    if (const std::optional<QColor> color = colorFromText(phrase))
        return goToNearestChip(*color, colorHit);
    return NoChange;
}

SelectionController::Changes
SelectionController::goToNearestChip(const QColor &color, std::optional<ColorSearchHit> *colorHit)
{
    const QList<DB::NearestChip> nearest = DB::nearestChips({m_collection}, labFromColor(color), 1);
    if (nearest.isEmpty())
        return NoChange;
    DB::ColorPage page;
    if (DB::pageById(m_collection, nearest.first().entry.pageId, false, page) != DB::Ok)
        return NoChange;
    if (colorHit)
        *colorHit = ColorSearchHit{color, nearest.first()};
    return jumpTo(page, nearest.first().entry);
}

SelectionController::Changes SelectionController::jumpTo(const DB::ColorPage &page,
                                                         const DB::ColorEntry &entry)
{
    const Preferences::Batch batch;
    const Stored before = stored();
    widenFiltersFor(page);
    showCard(page);
    DB::ColorPage shown;
    if (DB::pageAt(m_collection, page.pageIndex, shown) == DB::Ok)
        selectChip(shown, entry.rowIndex);
    return changesSince(before);
}

// As the search does: an interior card switches the exterior filter off, an offwhite or
// neutral card sets its mood, any other card all moods unless the filter is its mood.
void SelectionController::widenFiltersFor(const DB::ColorPage &page)
{
    if (!DeckFilter::hasMoodControl(m_collection))
        return;
    if (!page.exterior && Preferences::exteriorColors(m_collection))
        Preferences::setExteriorColors(m_collection, false);
    const int mood = Preferences::moodFilter(m_collection);
    if (isPaleMood(page.mood) && page.mood != mood)
        Preferences::setMoodFilter(m_collection, page.mood);
    else if (!isPaleMood(page.mood) && mood != MoodAll && mood != page.mood)
        Preferences::setMoodFilter(m_collection, MoodAll);
}

// The chip asked for, with made-to-order colours shown when it is one of them; a card
// asked for keeps the chip's place.
void SelectionController::selectChip(const DB::ColorPage &page, int rowIndex)
{
    for (const DB::ColorEntry &chip : page.rows) {
        if (chip.rowIndex != rowIndex)
            continue;
        if (DeckFilter::of(m_collection).hides(chip))
            Preferences::setShowMto(m_collection, true);
        Preferences::setRowIndex(m_collection, rowIndex);
        return;
    }
    keepChipVisible();
}

SelectionController::Changes SelectionController::changeTab(int page)
{
    const Preferences::Batch batch;
    if (page == Preferences::tabPageIndex(m_collection) ||
        !visibleTabPages(CollectionSettings::tabBarPages(m_collection),
                         CollectionSettings::availableTabBarPages(m_collection))
             .contains(page))
        return NoChange;
    Preferences::setTabPageIndex(m_collection, page);
    return TabChanged;
}

SelectionController::Changes SelectionController::changeSchemeKind(int kind)
{
    const Preferences::Batch batch;
    if (kind == Preferences::schemeKind(m_collection))
        return NoChange;
    Preferences::setSchemeKind(m_collection, kind);
    return SchemeChanged;
}

SelectionController::Changes SelectionController::changeSchemeNeutralSubKind(int kind)
{
    const Preferences::Batch batch;
    const Stored before = stored();
    Preferences::setSchemeNeutralSubKind(m_collection, kind);
    return changesSince(before);
}

} // namespace Corvo
