#include "tools/tintwell/import/csvswatchreader.h"

#include "tools/tintwell/import/swatchcolours.h"
#include "tools/tintwell/import/swatchreadcontext.h"

#include <cmath>
#include <optional>

namespace Tintwell {

namespace {

const QString kRed = QStringLiteral("r");
const QString kGreen = QStringLiteral("g");
const QString kBlue = QStringLiteral("blue");
const QString kLightness = QStringLiteral("l");
const QString kLabA = QStringLiteral("a");
const QString kLabB = QStringLiteral("lab b");
const QString kHex = QStringLiteral("hex");

QString field(const QStringList &fields, const QHash<QString, int> &columns, const QString &name)
{
    return fields.value(columns.value(name, -1)).simplified();
}

std::optional<double> number(QString text, bool decimalComma, double lowest, double highest)
{
    if (decimalComma)
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

std::optional<bool> yesOrNo(const QString &text)
{
    const QString word = text.trimmed().toLower();
    if (word.isEmpty())
        return std::nullopt;
    static const QStringList yes = {QStringLiteral("1"), QStringLiteral("yes"), QStringLiteral("y"),
                                    QStringLiteral("true"), QStringLiteral("x")};
    return yes.contains(word);
}

// The canonical name of a header cell; "b" is blue after r and g, else CIELAB b.
QString columnName(const QString &cell, const QHash<QString, int> &seen)
{
    const QString name = cell.trimmed().toLower();
    if (name == QLatin1String("red"))
        return kRed;
    if (name == QLatin1String("green"))
        return kGreen;
    if (name == QLatin1String("b"))
        return seen.contains(kRed) && seen.contains(kGreen) && !seen.contains(kBlue) ? kBlue
                                                                                     : kLabB;
    if (name == QLatin1String("lab l") || name == QLatin1String("lightness"))
        return kLightness;
    return name;
}

} // namespace

QChar CsvSwatchReader::separatorOf(const QString &text)
{
    const QString header = text.left(text.indexOf(QLatin1Char('\n')));
    return header.count(QLatin1Char(';')) > header.count(QLatin1Char(',')) ? QLatin1Char(';')
                                                                           : QLatin1Char(',');
}

QList<CsvSwatchReader::Record> CsvSwatchReader::records(const QString &text, QChar separator)
{
    QList<Record> result;
    Record record{1, {}};
    QString cell;
    bool quoted = false;
    int line = 1;
    const auto endRecord = [&]() {
        record.fields.append(cell);
        cell.clear();
        const bool blank = record.fields.size() == 1 && record.fields.first().trimmed().isEmpty();
        if (!blank)
            result.append(record);
        record = {line, {}};
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"'))
                cell += text.at(++i);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                cell += c;
            line += c == QLatin1Char('\n') ? 1 : 0;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == separator) {
            record.fields.append(cell);
            cell.clear();
        } else if (c == QLatin1Char('\n')) {
            ++line;
            endRecord();
        } else if (c != QLatin1Char('\r')) {
            cell += c;
        }
    }
    endRecord();
    return result;
}

QHash<QString, int> CsvSwatchReader::columnsOf(const QStringList &header)
{
    QHash<QString, int> columns;
    for (int i = 0; i < header.size(); ++i) {
        const QString name = columnName(header.at(i), columns);
        if (!columns.contains(name))
            columns.insert(name, i);
    }
    return columns;
}

bool CsvSwatchReader::read(const QByteArray &bytes, SwatchReadContext &context)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QChar separator = separatorOf(text);
    const QList<Record> all = records(text, separator);
    if (all.isEmpty())
        return true;
    const QHash<QString, int> columns = columnsOf(all.first().fields);
    const bool hasColour =
        columns.contains(kHex) ||
        (columns.contains(kRed) && columns.contains(kGreen) && columns.contains(kBlue)) ||
        (columns.contains(kLightness) && columns.contains(kLabA) && columns.contains(kLabB));
    if (!hasColour) {
        context.reject(context.lineOf(all.first().line),
                       QStringLiteral("the header names no colour columns (hex, r g b or L a b)"));
        return false;
    }
    const bool decimalComma = separator == QLatin1Char(';');
    for (qsizetype i = 1; i < all.size(); ++i) {
        if (!readRow(all.at(i), columns, decimalComma, context))
            return false;
    }
    return true;
}

bool CsvSwatchReader::readColour(const Record &record, const QHash<QString, int> &columns,
                                 bool decimalComma, SwatchEntry &entry, QString &error,
                                 SwatchReadContext &context)
{
    const QString hex = field(record.fields, columns, kHex);
    if (!hex.isEmpty()) {
        const std::optional<Rgb> rgb = SwatchColours::rgbFromHex(hex);
        if (!rgb)
            error = QStringLiteral("hex \"%1\" is not #RRGGBB").arg(hex);
        entry.rgb = rgb.value_or(Rgb{});
        return rgb.has_value();
    }
    const auto channel = [&](const QString &name, double lowest, double highest) {
        return number(field(record.fields, columns, name), decimalComma, lowest, highest);
    };
    const auto red = channel(kRed, 0, 255);
    const auto green = channel(kGreen, 0, 255);
    const auto blue = channel(kBlue, 0, 255);
    if (red && green && blue) {
        entry.rgb = SwatchColours::rgbFromFractions(*red / 255.0, *green / 255.0, *blue / 255.0);
        return true;
    }
    const auto l = channel(kLightness, 0, 100);
    const auto a = channel(kLabA, -200, 200);
    const auto b = channel(kLabB, -200, 200);
    if (l && a && b) {
        bool clipped = false;
        entry.rgb = SwatchColours::rgbFromLab({*l, *a, *b}, clipped);
        if (clipped)
            context.warn(context.lineOf(record.line),
                         QStringLiteral("Lab colour outside sRGB, chroma reduced"));
        return true;
    }
    error = QStringLiteral("no colour: hex #RRGGBB, r g b from 0 to 255 or L a b (L 0 to 100)");
    return false;
}

bool CsvSwatchReader::readRow(const Record &record, const QHash<QString, int> &columns,
                              bool decimalComma, SwatchReadContext &context)
{
    const QString where = context.lineOf(record.line);
    SwatchEntry entry;
    QString error;
    if (!readColour(record, columns, decimalComma, entry, error, context))
        return context.reject(where, error);
    const QString lrv = field(record.fields, columns, QStringLiteral("lrv"));
    if (!lrv.isEmpty()) {
        entry.lightReflectance = number(lrv, decimalComma, 0, 100);
        if (!entry.lightReflectance)
            return context.reject(
                where, QStringLiteral("lrv \"%1\" is not a number from 0 to 100").arg(lrv));
    }
    entry.code = field(record.fields, columns, QStringLiteral("code"));
    entry.name = field(record.fields, columns, QStringLiteral("name"));
    entry.group = field(record.fields, columns, QStringLiteral("group"));
    entry.description = field(record.fields, columns, QStringLiteral("description"));
    entry.exterior = yesOrNo(field(record.fields, columns, QStringLiteral("exterior")));
    for (const QString &product :
         field(record.fields, columns, QStringLiteral("products")).split(QLatin1Char('|'))) {
        if (!product.trimmed().isEmpty())
            entry.products.append(product.trimmed());
    }
    entry.origin = where;
    context.add(entry);
    return true;
}

} // namespace Tintwell
