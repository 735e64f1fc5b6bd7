#include "tools/gallery/gallery.h"

namespace Gallery {

QList<Shot> wheelShots()
{
    return {};
}

} // namespace Gallery
