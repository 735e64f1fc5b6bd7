#include "tools/gallery/gallery.h"

namespace Gallery {

// Colour schemers.
QList<Shot> schemerShots()
{
    return {};
}

} // namespace Gallery
