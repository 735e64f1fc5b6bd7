#include "engine/palette/chipdragdata.h"
#include "fuzz/fuzzcollection.h"

#include <QMimeData>

#include <cstdint>

// The data of a drop from outside the process, decoded as every receiver does; a chip
// that names a catalogued collection is read from its file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool ready = FuzzCollection::instance().isValid();
    if (!ready)
        return 0;
    QMimeData mime;
    mime.setData(Corvo::chipMimeType,
                 QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    const Corvo::ChipOrigin origin = Corvo::chipOrigin(&mime);
    Corvo::paletteAcceptsChip(origin, false);
    Corvo::cardRollerAcceptsChip(origin);
    QUuid collection;
    Corvo::DB::ColorEntry entry;
    Corvo::decodeChip(&mime, collection, entry);
    Corvo::decodeColor(&mime);
    Corvo::decodeNames(&mime);
    return 0;
}
