#include "tools/gallery/gallery.h"

namespace Gallery {

// My Palette views.
QList<Shot> paletteShots()
{
    return {};
}

} // namespace Gallery
