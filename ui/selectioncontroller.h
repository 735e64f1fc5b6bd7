#pragma once

#include "ui/selectiontypes.h"

#include <QFlags>
#include <QString>
#include <QUuid>

namespace Corvo {

namespace DB {
class ColorEntry;
class ColorPage;
} // namespace DB

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
    Refresh search(const QString &phrase);
    // True when the tab page changed.
    bool changeTab(int page);
    Refresh changeSchemeKind(int kind);
    Refresh changeSchemeNeutralSubKind(int kind);
    // Segment, card and chip of an entry of this collection, where they differ.
    Refresh jumpTo(const DB::ColorPage &page, const DB::ColorEntry &entry);

private:
    Refresh afterFilterChange();

    QUuid m_collection;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(SelectionController::Refresh)

} // namespace Corvo
