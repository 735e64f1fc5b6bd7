#include "engine/db/sqlfunctions.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QString>
#include <QVariant>

#include <sqlite3.h>

namespace Corvo::DB {

namespace {

void unicodeUpper(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const int bytes = sqlite3_value_bytes(argv[0]);
    const QByteArray upper = QString::fromUtf8(text, bytes).toUpper().toUtf8();
    sqlite3_result_text(context, upper.constData(), static_cast<int>(upper.size()),
                        SQLITE_TRANSIENT);
}

sqlite3 *sqliteHandle(const QSqlDatabase &database)
{
    if (database.driver() == nullptr)
        return nullptr;
    const QVariant handle = database.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

} // namespace

bool registerSqlFunctions(const QSqlDatabase &database)
{
    sqlite3 *handle = sqliteHandle(database);
    if (handle == nullptr)
        return false;
    return sqlite3_create_function_v2(handle, kUnicodeUpperFunction, 1,
                                      SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, &unicodeUpper,
                                      nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace Corvo::DB
