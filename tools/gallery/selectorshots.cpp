#include "tools/gallery/gallery.h"

namespace Gallery {

// Collection selector and Capsure dialog.
QList<Shot> selectorShots()
{
    return {};
}

} // namespace Gallery
