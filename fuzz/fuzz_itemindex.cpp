#include "engine/db/itemindex.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A stored chip index, read from the preferences file; an index that reads must write
// back to a text that reads as the same index.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const Corvo::ItemIndex index = Corvo::ItemIndex::fromString(text);
    if (index == Corvo::ItemIndex())
        return 0;
    if (Corvo::ItemIndex::fromString(index.toString()) != index) {
        std::fprintf(stderr, "index does not read back: %s\n", qPrintable(index.toString()));
        std::abort();
    }
    return 0;
}
