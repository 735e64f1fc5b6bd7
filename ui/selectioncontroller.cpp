#include "ui/selectioncontroller.h"

#include "engine/colour/colorvalue.h"
#include "engine/db/colorpage.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/phrasesearch.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"

namespace Corvo {

namespace {

constexpr int kAllMoods = 7;
constexpr int kOffwhite = 5;
constexpr int kNeutral = 6;

} // namespace

void SelectionController::storeCollectionDefaults()
{
    const Preferences::Batch batch;
    if (Preferences::tabPageIndex(m_collection) == 0) {
        const int available = CollectionSettings::availableTabBarPages(m_collection);
        for (const int page : CollectionSettings::tabBarPages(m_collection)) {
            if (page != 0 && (available & page)) {
                Preferences::setTabPageIndex(m_collection, page);
                break;
            }
        }
    }
    if (Preferences::schemeKind(m_collection) == 0) {
        const QList<int> kinds = CollectionSettings::schemes(m_collection);
        Preferences::setSchemeKind(m_collection, kinds.isEmpty() ? 0 : kinds.first());
    }
}

SelectionController::Refresh SelectionController::changeSegment(int segment)
{
    const Preferences::Batch batch;
    if (segment == Preferences::segmentIndex(m_collection))
        return RefreshNothing;
    Preferences::setSegmentIndex(m_collection, segment);
    Refresh refresh = RefreshWheel | RefreshRoller;
    int pageIndex = -1;
    if (DB::firstPageIndexOfSegment(m_collection, segment, Preferences::moodFilter(m_collection),
                                    Preferences::exteriorColors(m_collection), pageIndex) == 0) {
        Preferences::setPageIndex(m_collection, pageIndex);
        refresh |= RefreshPageViews;
    }
    return refresh;
}

SelectionController::Refresh SelectionController::changeMoodFilter(int mood)
{
    const Preferences::Batch batch;
    if (mood == Preferences::moodFilter(m_collection))
        return RefreshNothing;
    Preferences::setMoodFilter(m_collection, mood);
    return afterFilterChange();
}

SelectionController::Refresh SelectionController::changeExteriorFilter(bool exterior)
{
    const Preferences::Batch batch;
    if (exterior == Preferences::exteriorColors(m_collection))
        return RefreshNothing;
    Preferences::setExteriorColors(m_collection, exterior);
    return afterFilterChange();
}

SelectionController::Refresh SelectionController::changeShowMto(bool show)
{
    const Preferences::Batch batch;
    if (show == Preferences::showMto(m_collection))
        return RefreshNothing;
    Preferences::setShowMto(m_collection, show);
    return afterFilterChange();
}

// The filters decide which cards the roller offers around the current one, so it is
// redrawn even when the current card stays.
SelectionController::Refresh SelectionController::afterFilterChange()
{
    const Preferences::Batch batch;
    Refresh refresh = RefreshMood | RefreshRoller;
    if (CollectionSettings::cardType(m_collection) == CardType::Lustrel)
        return refresh | RefreshLustrelSchemer;
    DB::ColorPage page;
    if (DB::firstPageOfSegment(m_collection, Preferences::segmentIndex(m_collection),
                               Preferences::moodFilter(m_collection),
                               Preferences::exteriorColors(m_collection), page) != 0)
        return refresh;
    if (page.segment != Preferences::segmentIndex(m_collection)) {
        Preferences::setSegmentIndex(m_collection, page.segment);
        refresh |= RefreshWheel;
    }
    if (page.pageIndex != Preferences::pageIndex(m_collection)) {
        Preferences::setPageIndex(m_collection, page.pageIndex);
        refresh |= RefreshPageViews;
    }
    return refresh;
}

SelectionController::Refresh SelectionController::roll(Direction direction)
{
    const Preferences::Batch batch;
    DB::ColorPage page;
    const int current = Preferences::pageIndex(m_collection);
    if (DB::adjacentPage(m_collection, current, direction == Backward,
                         Preferences::moodFilter(m_collection),
                         Preferences::exteriorColors(m_collection), page) != 0 ||
        page.pageIndex == current)
        return RefreshNothing;
    Refresh refresh = RefreshRoller | RefreshPageViews;
    if (page.segment != Preferences::segmentIndex(m_collection)) {
        Preferences::setSegmentIndex(m_collection, page.segment);
        refresh |= RefreshWheel;
    }
    Preferences::setPageIndex(m_collection, page.pageIndex);
    return refresh;
}

SelectionController::Refresh SelectionController::changePage(int pageIndex)
{
    const Preferences::Batch batch;
    if (pageIndex == Preferences::pageIndex(m_collection))
        return RefreshNothing;
    Preferences::setPageIndex(m_collection, pageIndex);
    return RefreshRoller | RefreshPageViews;
}

SelectionController::Refresh SelectionController::changeRow(int rowIndex)
{
    const Preferences::Batch batch;
    if (rowIndex == Preferences::rowIndex(m_collection))
        return RefreshNothing;
    Preferences::setRowIndex(m_collection, rowIndex);
    return RefreshRoller | RefreshPageViews;
}

SelectionController::Refresh SelectionController::search(const QString &phrase,
                                                         std::optional<ColorSearchHit> *colorHit)
{
    const Preferences::Batch batch;
    if (colorHit)
        colorHit->reset();
    DB::PhraseMatch match;
    if (DB::findPhrase(m_collection, phrase, match) == 0)
        return goToMatch(match);
    if (const std::optional<QColor> color = colorFromText(phrase))
        return goToNearestChip(*color, colorHit);
    return RefreshNothing;
}

SelectionController::Refresh
SelectionController::goToNearestChip(const QColor &color, std::optional<ColorSearchHit> *colorHit)
{
    const QList<DB::NearestChip> nearest = DB::nearestChips({m_collection}, labFromColor(color), 1);
    if (nearest.isEmpty())
        return RefreshNothing;
    DB::ColorPage page;
    if (DB::pageById(m_collection, nearest.first().entry.pageId, true, page) != 0)
        return RefreshNothing;
    if (colorHit)
        *colorHit = ColorSearchHit{color, nearest.first()};
    DB::PhraseMatch match;
    match.pageIndex = page.pageIndex;
    match.rowIndex = nearest.first().entry.rowIndex;
    match.segment = page.segment;
    match.mood = page.mood;
    match.exterior = page.exterior;
    return goToMatch(match);
}

// The filters are widened where they would hide the card found.
SelectionController::Refresh SelectionController::goToMatch(const DB::PhraseMatch &match)
{
    Refresh refresh = RefreshNothing;
    if (match.segment > 0 && match.segment != Preferences::segmentIndex(m_collection)) {
        Preferences::setSegmentIndex(m_collection, match.segment);
        refresh |= RefreshWheel;
    }
    if (!match.exterior && Preferences::exteriorColors(m_collection)) {
        Preferences::setExteriorColors(m_collection, false);
        refresh |= RefreshMood;
    }
    const int mood = Preferences::moodFilter(m_collection);
    const bool pageIsPale = match.mood == kOffwhite || match.mood == kNeutral;
    if (pageIsPale && match.mood != mood) {
        Preferences::setMoodFilter(m_collection, match.mood);
        refresh |= RefreshMood;
    } else if (!pageIsPale && mood != kAllMoods && mood != match.mood) {
        Preferences::setMoodFilter(m_collection, kAllMoods);
        refresh |= RefreshMood;
    }
    bool moved = false;
    if (match.pageIndex > 0 && match.pageIndex != Preferences::pageIndex(m_collection)) {
        Preferences::setPageIndex(m_collection, match.pageIndex);
        moved = true;
    }
    if (match.rowIndex > 0 && match.rowIndex != Preferences::rowIndex(m_collection)) {
        Preferences::setRowIndex(m_collection, match.rowIndex);
        moved = true;
    }
    if (moved)
        refresh |= RefreshRoller | RefreshPageViews;
    return refresh;
}

bool SelectionController::changeTab(int page)
{
    const Preferences::Batch batch;
    if (page == Preferences::tabPageIndex(m_collection))
        return false;
    Preferences::setTabPageIndex(m_collection, page);
    return true;
}

SelectionController::Refresh SelectionController::changeSchemeKind(int kind)
{
    const Preferences::Batch batch;
    if (kind == Preferences::schemeKind(m_collection))
        return RefreshNothing;
    Preferences::setSchemeKind(m_collection, kind);
    return RefreshPageViews;
}

SelectionController::Refresh SelectionController::changeSchemeNeutralSubKind(int kind)
{
    const Preferences::Batch batch;
    if (kind == Preferences::schemeNeutralSubKind(m_collection))
        return RefreshNothing;
    Preferences::setSchemeNeutralSubKind(m_collection, kind);
    return RefreshPageViews;
}

SelectionController::Refresh SelectionController::jumpTo(const DB::ColorPage &page,
                                                         const DB::ColorEntry &entry)
{
    const Preferences::Batch batch;
    Refresh refresh = RefreshNothing;
    if (page.segment > 0 && page.segment != Preferences::segmentIndex(m_collection)) {
        Preferences::setSegmentIndex(m_collection, page.segment);
        refresh |= RefreshWheel | RefreshRoller;
    }
    refresh |= changePage(page.pageIndex);
    refresh |= changeRow(entry.rowIndex);
    return refresh;
}

} // namespace Corvo
