#include "engine/palette/swatchformats.h"

#include <QDataStream>
#include <QIODevice>
#include <QRegularExpression>
#include <QSet>

namespace Corvo::SwatchFormats {

namespace {

constexpr int kGplColumns = 6;
constexpr int kChannelWidth = 3;

constexpr char kAseSignature[] = "ASEF";
constexpr quint16 kAseMajorVersion = 1;
constexpr quint16 kAseMinorVersion = 0;
constexpr quint16 kAseGroupStart = 0xC001;
constexpr quint16 kAseColourEntry = 0x0001;
constexpr quint16 kAseGroupEnd = 0xC002;
constexpr char kAseRgbModel[] = "RGB ";
constexpr quint16 kAseGlobalColour = 0;
// A name's length is a 16-bit count of UTF-16 units that includes the terminator.
constexpr qsizetype kAseMaxNameUnits = 0xFFFF - 1;

const QString kCssFallbackName = QStringLiteral("color");

QByteArray channels(const QColor &color)
{
    QByteArray text;
    for (const int channel : {color.red(), color.green(), color.blue()}) {
        if (!text.isEmpty())
            text += ' ';
        text += QByteArray::number(channel).rightJustified(kChannelWidth, ' ');
    }
    return text;
}

// At most `units` UTF-16 units, never half of a surrogate pair.
QString cutToUnits(const QString &text, qsizetype units)
{
    if (text.size() <= units)
        return text;
    const qsizetype end = text.at(units - 1).isHighSurrogate() ? units - 1 : units;
    return text.left(end);
}

void writeAseName(QDataStream &stream, const QString &name)
{
    const QString fitted = cutToUnits(oneLineText(name), kAseMaxNameUnits);
    stream << quint16(fitted.size() + 1);
    for (const QChar unit : fitted)
        stream << quint16(unit.unicode());
    stream << quint16(0);
}

void writeAseBlock(QDataStream &stream, quint16 type, const QByteArray &body)
{
    stream << type << quint32(body.size());
    stream.writeRawData(body.constData(), int(body.size()));
}

QByteArray aseGroupStart(const QString &title)
{
    QByteArray body;
    QDataStream stream(&body, QIODevice::WriteOnly);
    writeAseName(stream, title);
    return body;
}

QByteArray aseColour(const PaletteSwatch &swatch)
{
    QByteArray body;
    QDataStream stream(&body, QIODevice::WriteOnly);
    stream.setFloatingPointPrecision(QDataStream::SinglePrecision);
    writeAseName(stream, swatch.label);
    stream.writeRawData(kAseRgbModel, 4);
    stream << float(swatch.color.redF()) << float(swatch.color.greenF())
           << float(swatch.color.blueF()) << kAseGlobalColour;
    return body;
}

// Comment text on one line that cannot end its comment early.
QString cssComment(const QString &text)
{
    return QStringLiteral("/* ") +
           oneLineText(text).replace(QStringLiteral("*/"), QStringLiteral("* /")) +
           QStringLiteral(" */");
}

QString uniqueName(const QString &name, QSet<QString> &taken)
{
    QString unique = name;
    for (int suffix = 2; taken.contains(unique); ++suffix)
        unique = name + QLatin1Char('-') + QString::number(suffix);
    taken.insert(unique);
    return unique;
}

} // namespace

QByteArray gplFile(const QString &title, const QList<PaletteSwatch> &swatches)
{
    QByteArray file = "GIMP Palette\nName: " + oneLineText(title).toUtf8() +
                      "\nColumns: " + QByteArray::number(kGplColumns) + "\n#\n";
    for (const PaletteSwatch &swatch : swatches)
        file += channels(swatch.color) + '\t' + oneLineText(swatch.label).toUtf8() + '\n';
    return file;
}

QByteArray aseFile(const QString &title, const QList<PaletteSwatch> &swatches)
{
    QByteArray file;
    QDataStream stream(&file, QIODevice::WriteOnly);
    stream.writeRawData(kAseSignature, 4);
    const quint32 blocks = quint32(swatches.size()) + 2;
    stream << kAseMajorVersion << kAseMinorVersion << blocks;
    writeAseBlock(stream, kAseGroupStart, aseGroupStart(title));
    for (const PaletteSwatch &swatch : swatches)
        writeAseBlock(stream, kAseColourEntry, aseColour(swatch));
    writeAseBlock(stream, kAseGroupEnd, QByteArray());
    return file;
}

QByteArray cssFile(const QString &title, const QList<PaletteSwatch> &swatches)
{
    QString file = cssComment(title) + QStringLiteral("\n:root {\n");
    QSet<QString> taken;
    for (const PaletteSwatch &swatch : swatches) {
        const QString name = uniqueName(cssPropertyName(swatch.code), taken);
        file += QStringLiteral("  ") + name + QStringLiteral(": ") +
                swatch.color.name(QColor::HexRgb).toLower() + QStringLiteral("; ") +
                cssComment(swatch.label) + QLatin1Char('\n');
    }
    file += QStringLiteral("}\n");
    return file.toUtf8();
}

QString cssPropertyName(const QString &code)
{
    static const QRegularExpression others(QStringLiteral("[^a-z0-9]+"));
    const QString name = code.toLower().replace(others, QStringLiteral("-"));
    const bool nothingLeft = name.isEmpty() || name == QLatin1String("-");
    return QStringLiteral("--") + (nothingLeft ? kCssFallbackName : name);
}

} // namespace Corvo::SwatchFormats
