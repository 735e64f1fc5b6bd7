#include "engine/capsure/cxf3reader.h"

#include <cstdint>

// A measurement file as the Capsure device leaves it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    Corvo::readCxf3ObjectNames(bytes);
    return 0;
}
