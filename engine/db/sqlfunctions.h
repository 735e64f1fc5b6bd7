#pragma once

#include <QStringList>

class QSqlDatabase;

namespace Corvo::DB {

// SQL name of the Unicode-aware upper-case function registered on every collection
// connection. SQLite's own UPPER() only knows ASCII, so "blå" would never meet "BLÅ".
inline constexpr char kUnicodeUpperFunction[] = "UNICODE_UPPER";

// Registers the system's own SQL functions on an open SQLite connection.
bool registerSqlFunctions(const QSqlDatabase &database);

// Appends every text that the statement, with one integer bound, yields in any column,
// leaving out NULL values; false when it cannot run. Read straight from SQLite as UTF-8:
// the driver's rows of variants cost several times as much on a large deck.
bool appendTexts(const QSqlDatabase &database, const QString &sql, qint64 value,
                 QStringList &texts);

} // namespace Corvo::DB
