#pragma once

#include "engine/db/nearestchips.h"
#include "ui/selectiontypes.h"

#include <QColor>
#include <QFlags>
#include <QString>
#include <QUuid>

#include <optional>

namespace Corvo {

namespace DB {
class ColorEntry;
class ColorPage;
struct PhraseMatch;
} // namespace DB

// A colour typed into the search bar and the chip the search went to for it.
struct ColorSearchHit
{
    QColor asked;
    DB::NearestChip chip;
};

// The user's selection within the current collection: every request of a view is checked
// against the collection, written to the preferences, and answered with the views whose
// picture depends on what changed. The main widget does the redrawing.
class SelectionController
{
public:
    enum RefreshFlag {
        RefreshNothing = 0,
        RefreshWheel = 1 << 0,
        RefreshMood = 1 << 1,
        RefreshRoller = 1 << 2,
        RefreshPageViews = 1 << 3, // the schemer, products and textures that are shown
        RefreshLustrelSchemer = 1 << 4,
    };
    Q_DECLARE_FLAGS(Refresh, RefreshFlag)

    explicit SelectionController(const QUuid &collection = QUuid()) : m_collection(collection) {}

    QUuid collection() const { return m_collection; }
    void setCollection(const QUuid &collection) { m_collection = collection; }

    // A new collection without a tab page or a scheme kind gets the first ones it offers.
    void storeCollectionDefaults();

    Refresh changeSegment(int segment);
    Refresh changeMoodFilter(int mood);
    Refresh changeExteriorFilter(bool exterior);
    Refresh changeShowMto(bool show);
    Refresh roll(Direction direction);
    Refresh changePage(int pageIndex);
    Refresh changeRow(int rowIndex);
    // A phrase that names no card, chip or code but reads as a colour goes to the chip of
    // the collection nearest to it, however far; `colorHit` then says which and how near.
    Refresh search(const QString &phrase, std::optional<ColorSearchHit> *colorHit = nullptr);
    // True when the tab page changed.
    bool changeTab(int page);
    Refresh changeSchemeKind(int kind);
    Refresh changeSchemeNeutralSubKind(int kind);
    // Segment, card and chip of an entry of this collection, where they differ.
    Refresh jumpTo(const DB::ColorPage &page, const DB::ColorEntry &entry);

private:
    Refresh afterFilterChange();
    Refresh goToMatch(const DB::PhraseMatch &match);
    Refresh goToNearestChip(const QColor &color, std::optional<ColorSearchHit> *colorHit);

    QUuid m_collection;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(SelectionController::Refresh)

} // namespace Corvo
