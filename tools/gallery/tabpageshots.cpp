#include "tools/gallery/gallery.h"

namespace Gallery {

// Trend, products and textures views.
QList<Shot> tabPageShots()
{
    return {};
}

} // namespace Gallery
