#include "engine/db/preparedquery.h"

#include "engine/db/dblog.h"

#include <QPointer>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>

#include <map>

namespace Corvo::DB {

namespace {

struct CachedStatement
{
    std::unique_ptr<QSqlQuery> query;
    bool prepared = false;
    bool inUse = false;
};

struct ConnectionStatements
{
    // The statements belong to this driver; a re-created connection has another.
    QPointer<QSqlDriver> driver;
    std::map<QString, CachedStatement> statements;
};

std::map<QString, ConnectionStatements> &statementCache()
{
    static std::map<QString, ConnectionStatements> cache;
    return cache;
}

ConnectionStatements &statementsOf(const QSqlDatabase &database)
{
    ConnectionStatements &entry = statementCache()[database.connectionName()];
    if (entry.driver.isNull() || entry.driver != database.driver()) {
        entry.statements.clear();
        entry.driver = database.driver();
    }
    return entry;
}

} // namespace

PreparedQuery::PreparedQuery(const QSqlDatabase &database, const QString &sql)
{
    if (!database.isValid() || !database.isOpen()) {
        m_ownQuery = std::make_unique<QSqlQuery>(database);
        m_query = m_ownQuery.get();
        return;
    }
    CachedStatement &cached = statementsOf(database).statements[sql];
    if (cached.inUse) {
        // A statement still being read (a nested use of the same text) gets a private copy.
        m_ownQuery = std::make_unique<QSqlQuery>(database);
        m_query = m_ownQuery.get();
        m_query->setForwardOnly(true);
        m_prepared = m_query->prepare(sql);
        if (!m_prepared)
            logQueryError(*m_query);
        return;
    }
    if (!cached.query) {
        cached.query = std::make_unique<QSqlQuery>(database);
        cached.query->setForwardOnly(true);
        cached.prepared = cached.query->prepare(sql);
        if (!cached.prepared)
            logQueryError(*cached.query);
    }
    m_query = cached.query.get();
    m_prepared = cached.prepared;
    m_inUse = &cached.inUse;
    cached.inUse = true;
}

PreparedQuery::~PreparedQuery()
{
    if (m_query != nullptr)
        m_query->finish();
    if (m_inUse != nullptr)
        *m_inUse = false;
}

bool PreparedQuery::exec(std::initializer_list<QVariant> values)
{
    if (!m_prepared)
        return false;
    int position = 0;
    for (const QVariant &value : values)
        m_query->bindValue(position++, value);
    const bool ok = m_query->exec();
    if (!ok)
        logQueryError(*m_query);
    return ok;
}

void PreparedQuery::bind(const QString &placeholder, const QVariant &value)
{
    if (m_prepared)
        m_query->bindValue(placeholder, value);
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
