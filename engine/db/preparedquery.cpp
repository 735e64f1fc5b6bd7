#include "engine/db/preparedquery.h"

#include "engine/db/dblog.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>

#include <map>

namespace Corvo::DB {

struct CachedStatement
{
    explicit CachedStatement(const QSqlDatabase &database) : query(database) {}

    QSqlQuery query;
    bool prepared = false;
    bool inUse = false;
};

namespace {

struct ConnectionStatements
{
    // The statements belong to this driver; a re-created connection has another.
    QPointer<QSqlDriver> driver;
    // Shared with the PreparedQuery objects using them, so that dropping the cache (a
    // changed schema) never destroys a statement that is still being read.
    std::map<QString, std::shared_ptr<CachedStatement>> statements;
};

std::map<QString, ConnectionStatements> &statementCache()
{
    static std::map<QString, ConnectionStatements> cache;
    return cache;
}

void dropAllStatements()
{
    statementCache().clear();
}

// The application object takes every connection with it when it goes (one per command
// of the add-on); the statements must go first, or their result buffers are lost.
void dropStatementsWithTheApplication()
{
    static QPointer<QCoreApplication> registeredWith;
    QCoreApplication *application = QCoreApplication::instance();
    if (application == nullptr || registeredWith == application)
        return;
    registeredWith = application;
    qAddPostRoutine(&dropAllStatements);
}

ConnectionStatements &statementsOf(const QSqlDatabase &database)
{
    dropStatementsWithTheApplication();
    ConnectionStatements &entry = statementCache()[database.connectionName()];
    if (entry.driver.isNull() || entry.driver != database.driver()) {
        entry.statements.clear();
        entry.driver = database.driver();
    }
    return entry;
}

std::shared_ptr<CachedStatement> preparedStatement(const QSqlDatabase &database, const QString &sql)
{
    auto statement = std::make_shared<CachedStatement>(database);
    statement->query.setForwardOnly(true);
    statement->prepared = statement->query.prepare(sql);
    if (!statement->prepared)
        logQueryError(statement->query);
    return statement;
}

} // namespace

PreparedQuery::PreparedQuery(const QSqlDatabase &database, const QString &sql)
{
    if (!database.isValid() || !database.isOpen()) {
        m_statement = std::make_shared<CachedStatement>(database);
        return;
    }
    std::shared_ptr<CachedStatement> &cached = statementsOf(database).statements[sql];
    if (cached && cached->inUse) {
        // A statement still being read (a nested use of the same text) gets a private copy.
        m_statement = preparedStatement(database, sql);
        return;
    }
    if (!cached)
        cached = preparedStatement(database, sql);
    m_statement = cached;
    m_statement->inUse = true;
}

PreparedQuery::~PreparedQuery()
{
    m_statement->query.finish();
    m_statement->inUse = false;
}

QSqlQuery &PreparedQuery::query()
{
    return m_statement->query;
}

bool PreparedQuery::isPrepared() const
{
    return m_statement->prepared;
}

bool PreparedQuery::exec(std::initializer_list<QVariant> values)
{
    if (!isPrepared())
        return false;
    int position = 0;
    for (const QVariant &value : values)
        query().bindValue(position++, value);
    const bool ok = query().exec();
    if (!ok)
        logQueryError(query());
    return ok;
}

void PreparedQuery::bind(const QString &placeholder, const QVariant &value)
{
    if (isPrepared())
        query().bindValue(placeholder, value);
}

void PreparedQuery::forgetConnection(const QString &connectionName)
{
    statementCache().erase(connectionName);
}

void logQueryError(const QSqlQuery &query)
{
    const QSqlError error = query.lastError();
    if (error.type() == QSqlError::NoError)
        return;
    qCDebug(lcDb).noquote() << error.nativeErrorCode() + QStringLiteral(" : ") + error.text();
}

} // namespace Corvo::DB
