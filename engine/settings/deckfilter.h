#pragma once

#include "engine/db/selectiontypes.h"

#include <QUuid>

namespace Corvo {

namespace DB {
class ColorEntry;
class ColorPage;
} // namespace DB

// The filters the deck is browsed with. A stored filter counts only where the collection
// offers its control: a collection without mood control shows every card, one without the
// exterior filter ignores a flag left over in the preferences, and made-to-order chips are
// hidden only on metallic cards while the user has them hidden.
struct DeckFilter
{
    int mood = MoodAll;
    bool exterior = false;
    bool hideMadeToOrder = false;

    static DeckFilter of(const QUuid &collection);
    // Whether the collection shows the mood panel's moods (and its exterior item).
    static bool hasMoodControl(const QUuid &collection);

    // The card is one of the deck: rolling reaches it.
    bool admits(const DB::ColorPage &page) const;
    bool hides(const DB::ColorEntry &chip) const;

    bool operator==(const DeckFilter &other) const
    {
        return mood == other.mood && exterior == other.exterior &&
               hideMadeToOrder == other.hideMadeToOrder;
    }
};

} // namespace Corvo
