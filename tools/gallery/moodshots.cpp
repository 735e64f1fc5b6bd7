#include "tools/gallery/gallery.h"

namespace Gallery {

QList<Shot> moodShots()
{
    return {};
}

} // namespace Gallery
