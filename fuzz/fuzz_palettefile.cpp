#include "engine/palette/palettefiles.h"
#include "engine/palette/palettexml.h"
#include "fuzz/fuzzcollection.h"

#include <cstdint>

// A palette file as the open dialog hands it over, version 2 or 3, its chips looked up
// in the installed collections.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool ready = FuzzCollection::instance().isValid();
    if (!ready)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    Corvo::resolvePaletteDocument(bytes);
    return 0;
}
