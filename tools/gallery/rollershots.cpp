#include "tools/gallery/gallery.h"

namespace Gallery {

QList<Shot> rollerShots()
{
    return {};
}

} // namespace Gallery
