#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace Tintwell {

class SwatchReadContext;
struct SwatchEntry;

// Spreadsheets saved as text: UTF-8 with or without a byte-order mark, fields separated by
// commas or semicolons (then a decimal comma is read too), quotes as spreadsheets write
// them. The first record names the columns, in any order and letter case: code, name, hex
// or r, g, b or L, a, b (CIELAB, D65), and optionally group, description, lrv, exterior
// and products (separated by "|").
class CsvSwatchReader
{
public:
    // False when reading stopped at a bad row (strict) or the header names no colour.
    static bool read(const QByteArray &bytes, SwatchReadContext &context);

private:
    struct Record
    {
        int line = 0;
        QStringList fields;
    };
    static QList<Record> records(const QString &text, QChar separator);
    static QChar separatorOf(const QString &text);
    static QHash<QString, int> columnsOf(const QStringList &header);
    static bool readRow(const Record &record, const QHash<QString, int> &columns, bool decimalComma,
                        SwatchReadContext &context);
    static bool readColour(const Record &record, const QHash<QString, int> &columns,
                           bool decimalComma, SwatchEntry &entry, QString &error,
                           SwatchReadContext &context);
};

} // namespace Tintwell
