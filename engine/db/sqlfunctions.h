#pragma once

class QSqlDatabase;

namespace Corvo::DB {

// SQL name of the Unicode-aware upper-case function registered on every collection
// connection. SQLite's own UPPER() only knows ASCII, so "blå" would never meet "BLÅ".
inline constexpr char kUnicodeUpperFunction[] = "UNICODE_UPPER";

// Registers the system's own SQL functions on an open SQLite connection.
bool registerSqlFunctions(const QSqlDatabase &database);

} // namespace Corvo::DB
