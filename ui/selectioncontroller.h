#pragma once

#include "engine/db/nearestchips.h"
#include "engine/db/selectiontypes.h"
#include "engine/settings/deckfilter.h"

#include <QColor>
#include <QFlags>
#include <QString>
#include <QUuid>

#include <functional>
#include <optional>

namespace Corvo {

namespace DB {
class ColorEntry;
class ColorPage;
} // namespace DB

// A colour typed into the search bar and the chip the search went to for it.
struct ColorSearchHit
{
    QColor asked;
    DB::NearestChip chip;
};

// The user's selection within the current collection, and the one place where it changes.
// Every request is checked against the collection, written to the preferences, and answered
// with what changed; the main widget knows which views show what. After every request:
// - the stored segment is the segment of the stored card;
// - the stored card is one of the deck under the effective filters (DeckFilter), so that
//   rolling away and back returns to it;
// - the selected chip is never a hidden made-to-order chip;
// - a stored value the collection offers no control for changes nothing.
class SelectionController
{
public:
    enum Change {
        NoChange = 0,
        SegmentChanged = 1 << 0,
        FiltersChanged = 1 << 1, // mood, exterior or made-to-order switch
        CardChanged = 1 << 2,
        ChipChanged = 1 << 3,
        TabChanged = 1 << 4,
        SchemeChanged = 1 << 5, // scheme kind or neutral sub-kind
    };
    Q_DECLARE_FLAGS(Changes, Change)

    explicit SelectionController(const QUuid &collection = QUuid()) : m_collection(collection) {}

    QUuid collection() const { return m_collection; }
    // Makes the collection current (window start, collection switch): a collection without a
    // usable tab page or a scheme kind gets the first ones it offers, and a stored card that
    // is not in the deck gives way to the first card of the stored segment that is.
    Changes applyCollection(const QUuid &collection);

    Changes changeSegment(int segment);
    Changes changeMoodFilter(int mood);
    Changes changeExteriorFilter(bool exterior);
    Changes changeShowMto(bool show);
    Changes roll(Direction direction);
    // Goes to the card at that index, widening the filters where they hide it.
    Changes changePage(int pageIndex);
    // A visible chip of the current card; anything else is refused.
    Changes changeRow(int rowIndex);
    // A phrase that names no card, chip or code but reads as a colour goes to the chip of
    // the collection nearest to it, however far; `colorHit` then says which and how near.
    Changes search(const QString &phrase, std::optional<ColorSearchHit> *colorHit = nullptr);
    // A tab the collection shows.
    Changes changeTab(int page);
    Changes changeSchemeKind(int kind);
    Changes changeSchemeNeutralSubKind(int kind);
    // A chip of this collection (a drop, a Capsure pick, a similar colour): its card with
    // its segment, the filters widened as a search widens them, and made-to-order colours
    // shown when the chip is one of them.
    Changes jumpTo(const DB::ColorPage &page, const DB::ColorEntry &entry);

private:
    struct Stored;

    Stored stored() const;
    Changes changesSince(const Stored &before) const;
    void storeCollectionDefaults();
    void keepCardInDeck();
    Changes changeFilter(const DeckFilter &wanted, const std::function<void()> &store);
    void showCard(const DB::ColorPage &page);
    void widenFiltersFor(const DB::ColorPage &page);
    void selectChip(const DB::ColorPage &page, int rowIndex);
    void keepChipVisible();
    Changes goToNearestChip(const QColor &color, std::optional<ColorSearchHit> *colorHit);

    QUuid m_collection;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(SelectionController::Changes)

} // namespace Corvo
