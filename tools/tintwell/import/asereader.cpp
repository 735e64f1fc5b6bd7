#include "tools/tintwell/import/asereader.h"

#include "tools/tintwell/import/swatchcolours.h"
#include "tools/tintwell/import/swatchreadcontext.h"

#include <QDataStream>

namespace Tintwell {

namespace {

constexpr char kSignature[] = "ASEF";
constexpr int kSignatureSize = 4;
constexpr quint16 kVersion = 1;
constexpr quint16 kGroupStart = 0xC001;
constexpr quint16 kGroupEnd = 0xC002;
constexpr quint16 kColourEntry = 0x0001;
constexpr double kLabLightnessScale = 100.0;

QString blockPlace(quint32 block)
{
    return QStringLiteral("block %1").arg(block);
}

bool readName(QDataStream &stream, QString &name)
{
    quint16 units = 0;
    stream >> units;
    name.clear();
    for (quint16 i = 0; i < units && stream.status() == QDataStream::Ok; ++i) {
        quint16 unit = 0;
        stream >> unit;
        if (unit != 0)
            name.append(QChar(unit));
    }
    return stream.status() == QDataStream::Ok;
}

struct ColourBlock
{
    QString name;
    QByteArray model;
    QList<float> values;
};

// The number of channels of each colour model.
int channelsOf(const QByteArray &model)
{
    if (model == "RGB " || model == "LAB ")
        return 3;
    if (model == "CMYK")
        return 4;
    if (model == "Gray")
        return 1;
    return 0;
}

std::optional<ColourBlock> parseColour(const QByteArray &body)
{
    QDataStream stream(body);
    stream.setFloatingPointPrecision(QDataStream::SinglePrecision);
    ColourBlock block;
    if (!readName(stream, block.name))
        return std::nullopt;
    block.model.resize(4);
    if (stream.readRawData(block.model.data(), 4) != 4)
        return std::nullopt;
    const int channels = channelsOf(block.model);
    for (int i = 0; i < channels; ++i) {
        float value = 0.0f;
        stream >> value;
        block.values.append(value);
    }
    if (channels == 0 || stream.status() != QDataStream::Ok)
        return std::nullopt;
    return block;
}

bool finite(const QList<float> &values)
{
    return std::all_of(values.cbegin(), values.cend(), [](float v) { return std::isfinite(v); });
}

// The entry's colour; a warning for a conversion that loses something.
Rgb colourOf(const ColourBlock &block, const QString &where, SwatchReadContext &context)
{
    const QList<float> &v = block.values;
    if (block.model == "RGB ")
        return SwatchColours::rgbFromFractions(v[0], v[1], v[2]);
    if (block.model == "Gray")
        return SwatchColours::rgbFromFractions(v[0], v[0], v[0]);
    if (block.model == "CMYK") {
        context.warn(where, QStringLiteral("CMYK converted without a colour profile"));
        return SwatchColours::rgbFromCmyk(v[0], v[1], v[2], v[3]);
    }
    bool clipped = false;
    const Corvo::Lab lab = Corvo::labAdapted({v[0] * kLabLightnessScale, v[1], v[2]},
                                             Corvo::d50White, Corvo::d65White);
    const Rgb rgb = SwatchColours::rgbFromLab(lab, clipped);
    if (clipped)
        context.warn(where, QStringLiteral("Lab colour outside sRGB, chroma reduced"));
    return rgb;
}

} // namespace

bool AseReader::isAse(const QByteArray &bytes)
{
    return bytes.startsWith(kSignature);
}

bool AseReader::read(const QByteArray &bytes, SwatchReadContext &context)
{
    QDataStream stream(bytes);
    stream.skipRawData(kSignatureSize);
    quint16 major = 0;
    quint16 minor = 0;
    quint32 blocks = 0;
    stream >> major >> minor >> blocks;
    if (stream.status() != QDataStream::Ok || major != kVersion) {
        context.reject(context.placeOf(QStringLiteral("header")),
                       QStringLiteral("not a swatch exchange file of version 1"));
        return false;
    }
    QString group;
    for (quint32 block = 1; block <= blocks; ++block) {
        const QString where = context.placeOf(blockPlace(block));
        if (stream.atEnd()) {
            context.warn(where, QStringLiteral("the header counts %1 blocks, the file ends "
                                               "before this one")
                                    .arg(blocks));
            return true;
        }
        quint16 type = 0;
        quint32 length = 0;
        stream >> type >> length;
        QByteArray body(qsizetype(std::min<quint32>(length, quint32(bytes.size()))), '\0');
        if (stream.status() != QDataStream::Ok ||
            stream.readRawData(body.data(), int(body.size())) != int(length)) {
            context.reject(where, QStringLiteral("the file ends inside this block"));
            return false;
        }
        if (type == kGroupEnd) {
            group.clear();
            continue;
        }
        if (type == kGroupStart) {
            QDataStream name(body);
            if (!readName(name, group) &&
                !context.reject(where, QStringLiteral("unreadable group name")))
                return false;
            continue;
        }
        const std::optional<ColourBlock> colour =
            type == kColourEntry ? parseColour(body) : std::nullopt;
        if (!colour || !finite(colour->values)) {
            if (!context.reject(where,
                                QStringLiteral("not a readable RGB, Lab, CMYK or grey entry")))
                return false;
            continue;
        }
        SwatchEntry entry;
        entry.name = colour->name.simplified();
        entry.group = group.simplified();
        entry.rgb = colourOf(*colour, where, context);
        entry.origin = where;
        context.add(entry);
    }
    return true;
}

} // namespace Tintwell
