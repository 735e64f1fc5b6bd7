#include "tools/tintwell/import/gplreader.h"

#include "tools/tintwell/import/swatchreadcontext.h"

#include <QRegularExpression>

namespace Tintwell {

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");
const QByteArray kMagic("GIMP Palette");

QByteArray withoutMark(const QByteArray &bytes)
{
    return bytes.startsWith(kByteOrderMark) ? bytes.mid(kByteOrderMark.size()) : bytes;
}

bool isHeader(const QString &line)
{
    return line.startsWith(QLatin1String("Name:")) || line.startsWith(QLatin1String("Columns:"));
}

} // namespace

bool GplReader::isGpl(const QByteArray &bytes)
{
    return withoutMark(bytes).startsWith(kMagic);
}

bool GplReader::read(const QByteArray &bytes, SwatchReadContext &context)
{
    static const QRegularExpression colourLine(
        QStringLiteral("^\\s*(\\d{1,3})\\s+(\\d{1,3})\\s+(\\d{1,3})(?:\\s+(.*))?$"));
    const QStringList lines = QString::fromUtf8(withoutMark(bytes)).split(QLatin1Char('\n'));
    for (int number = 2; number <= lines.size(); ++number) {
        const QString line = lines.at(number - 1).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (isHeader(line))
            continue;
        const QRegularExpressionMatch match = colourLine.match(line);
        const int red = match.captured(1).toInt();
        const int green = match.captured(2).toInt();
        const int blue = match.captured(3).toInt();
        if (!match.hasMatch() || red > 255 || green > 255 || blue > 255) {
            if (!context.reject(context.lineOf(number),
                                QStringLiteral("expected \"R G B name\" with channels 0 to 255")))
                return false;
            continue;
        }
        SwatchEntry entry;
        entry.name = match.captured(4).simplified();
        entry.rgb = {red, green, blue};
        entry.origin = context.lineOf(number);
        context.add(entry);
    }
    return true;
}

} // namespace Tintwell
