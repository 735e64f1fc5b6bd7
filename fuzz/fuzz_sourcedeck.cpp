#include "fuzz/fuzzcollection.h"
#include "tools/tintwell/source/sourcedeckreader.h"

#include <cstdint>

// A collection author's "deck.json"; the image files it may name are the example deck's.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString folder = FuzzCollection::exampleSource();
    const QByteArray json =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    Tintwell::SourceDeckReader reader;
    reader.readDocument(json, folder);
    return 0;
}
