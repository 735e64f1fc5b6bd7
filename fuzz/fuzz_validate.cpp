#include "fuzz/fuzzcollection.h"
#include "tools/tintwell/validation/filevalidator.h"

#include <cstdint>

// A damaged or hostile collection file handed to "tintwell validate".
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FuzzCollection &world = FuzzCollection::instance();
    const QString path = world.writeScratchFile(
        QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    Tintwell::FileValidator validator;
    validator.validate(path);
    return 0;
}
