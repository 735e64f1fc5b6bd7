#include "tools/gallery/gallery.h"

namespace Gallery {

QList<Shot> buttonShots()
{
    return {};
}

} // namespace Gallery
