#include "engine/settings/jsoncodec.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Reads the bytes as UTF-8 and as text; whatever reads and writes must read back to the
// same text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    bool ok = false;
    Corvo::parseJson(QString::fromUtf8(bytes), ok);
    const QVariant value = Corvo::parseJson(bytes, ok);
    if (!ok)
        return 0;
    bool written = false;
    const QByteArray text = Corvo::serializeJson(value, written);
    if (!written)
        return 0;
    bool reread = false;
    bool rewritten = false;
    const QByteArray again = Corvo::serializeJson(Corvo::parseJson(text, reread), rewritten);
    if (!reread || !rewritten || again != text) {
        std::fprintf(stderr, "written JSON does not read back:\n%s\n%s\n", text.constData(),
                     again.constData());
        std::abort();
    }
    return 0;
}
