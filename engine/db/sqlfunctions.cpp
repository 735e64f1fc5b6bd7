#include "engine/db/sqlfunctions.h"

#include "engine/db/dblog.h"

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

// The same line a failed Qt statement writes: "number : text".
void logError(sqlite3 *handle)
{
    qCDebug(lcDb).noquote() << QString::number(sqlite3_errcode(handle)) + QStringLiteral(" : ") +
                                   QString::fromUtf8(sqlite3_errmsg(handle));
}

} // namespace

bool appendTexts(const QSqlDatabase &database, const QString &sql, qint64 value, QStringList &texts)
{
    sqlite3 *handle = sqliteHandle(database);
    if (handle == nullptr)
        return false;
    sqlite3_stmt *statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(handle, utf8.constData(), static_cast<int>(utf8.size()), &statement,
                           nullptr) != SQLITE_OK) {
        logError(handle);
        sqlite3_finalize(statement);
        return false;
    }
    sqlite3_bind_int64(statement, 1, value);
    const int columns = sqlite3_column_count(statement);
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        for (int column = 0; column < columns; ++column) {
            if (sqlite3_column_type(statement, column) == SQLITE_NULL)
                continue;
            const auto *text =
                reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
            texts.append(QString::fromUtf8(text, sqlite3_column_bytes(statement, column)));
        }
    }
    if (step != SQLITE_DONE)
        logError(handle);
    sqlite3_finalize(statement);
    return step == SQLITE_DONE;
}

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
