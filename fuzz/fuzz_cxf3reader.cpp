#include "engine/capsure/cxf3reader.h"

#include <cstdint>

// A measurement file as the Capsure device leaves it: its names for the look-up, its
// values for the nearest chips.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    Corvo::readCxf3ObjectNames(bytes);
    Corvo::readCxf3Measurements(bytes);
    return 0;
}
