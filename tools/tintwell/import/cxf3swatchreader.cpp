#include "tools/tintwell/import/cxf3swatchreader.h"

#include "engine/capsure/cxf3reader.h"
#include "tools/tintwell/import/swatchcolours.h"
#include "tools/tintwell/import/swatchreadcontext.h"

namespace Tintwell {

bool Cxf3SwatchReader::isCxf3(const QByteArray &bytes)
{
    return bytes.left(4096).contains(Corvo::kCxf3CoreNamespace);
}

bool Cxf3SwatchReader::read(const QByteArray &bytes, SwatchReadContext &context)
{
    if (bytes.size() > Corvo::kMaxCxf3Bytes) {
        context.reject(context.placeOf(QStringLiteral("document")),
                       QStringLiteral("measurement files over 16 MiB are not read"));
        return false;
    }
    const QList<Corvo::Cxf3Measurement> objects = Corvo::readCxf3Measurements(bytes);
    for (int i = 0; i < objects.size(); ++i) {
        const Corvo::Cxf3Measurement &object = objects.at(i);
        const QString where = context.placeOf(QStringLiteral("object %1").arg(i + 1));
        const std::optional<Corvo::Lab> lab = object.engineLab();
        if (!lab) {
            if (!context.reject(
                    where,
                    QStringLiteral("\"%1\" has no usable CIELAB or sRGB value").arg(object.name)))
                return false;
            continue;
        }
        SwatchEntry entry;
        entry.name = object.name.simplified();
        bool clipped = false;
        if (object.rgb && !object.lab)
            entry.rgb = SwatchColours::rgbFromFractions(
                object.rgb->red / 255.0, object.rgb->green / 255.0, object.rgb->blue / 255.0);
        else
            entry.rgb = SwatchColours::rgbFromLab(*lab, clipped);
        if (clipped)
            context.warn(where, QStringLiteral("Lab colour outside sRGB, chroma reduced"));
        entry.origin = where;
        context.add(entry);
    }
    return true;
}

} // namespace Tintwell
