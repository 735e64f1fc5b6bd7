#include "engine/settings/deckfilter.h"

#include "engine/db/colorpage.h"
#include "engine/db/navigationqueries.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"

namespace Corvo {

bool DeckFilter::hasMoodControl(const QUuid &collection)
{
    return CollectionSettings::moodVisible(collection) &&
           CollectionSettings::cardType(collection) != CardType::Lustrel;
}

DeckFilter DeckFilter::of(const QUuid &collection)
{
    DeckFilter filter;
    if (hasMoodControl(collection)) {
        filter.mood = Preferences::moodFilter(collection);
        filter.exterior = CollectionSettings::hasExteriorFilter(collection) &&
                          Preferences::exteriorColors(collection);
    } else {
        filter.mood = MoodEvery;
    }
    filter.hideMadeToOrder = CollectionSettings::cardType(collection) == CardType::Lustrel &&
                             !Preferences::showMto(collection);
    return filter;
}

bool DeckFilter::admits(const DB::ColorPage &page) const
{
    return DB::pageQualifies(page, mood, exterior);
}

bool DeckFilter::hides(const DB::ColorEntry &chip) const
{
    return hideMadeToOrder && chip.isMto;
}

} // namespace Corvo
