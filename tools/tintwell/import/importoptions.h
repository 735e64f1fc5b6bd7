#pragma once

#include <QString>

namespace Tintwell {

// How swatch files become a collection.
struct ImportOptions
{
    QString name;     // the collection's name, "Harbour Coastal Colours"
    QString systemId; // "HARBOUR"
    int chipsPerCard = 7;
    int segments = 24; // hue segments of the wheel
    // Place in the picker's collection list. Of two collections with one ORDER the picker
    // offers only one, so the default is worked out from the system ID, past the demo's.
    int order = 0;
};

} // namespace Tintwell
