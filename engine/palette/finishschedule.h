#pragma once

#include "engine/palette/palettecell.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The palette as a table for a finish schedule: one line per filled cell with everything a
// specifier orders the paint by, as comma-separated values a spreadsheet opens.
namespace Corvo::FinishSchedule {

// The header row's fields, in order.
QStringList columns();
// The fields of one line per filled cell whose chip can still be read, in row-major order.
QList<QStringList> lines(const QList<PaletteCell> &cells);
// The header and the lines: fields quoted where needed, CRLF line ends, UTF-8 after a
// byte-order mark.
QByteArray csvFile(const QList<PaletteCell> &cells);
// Any table in the same form: the header, then the lines.
QByteArray csvFile(const QStringList &columns, const QList<QStringList> &lines);
// One field as a CSV line holds it: in double quotes, quotes doubled, when it has a comma,
// a quote or a line break.
QString csvField(const QString &text);

} // namespace Corvo::FinishSchedule
