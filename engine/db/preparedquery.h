#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <initializer_list>
#include <memory>

class QSqlDatabase;

namespace Corvo::DB {

struct CachedStatement;

// A statement prepared once per connection and re-executed with bound values.
// Preparing costs about as much as running a small query, and the card roller asks
// for three cards on every paint. Only statements are kept, never results; a
// statement's cache goes away with its connection.
class PreparedQuery
{
public:
    PreparedQuery(const QSqlDatabase &database, const QString &sql);
    ~PreparedQuery();
    PreparedQuery(const PreparedQuery &) = delete;
    PreparedQuery &operator=(const PreparedQuery &) = delete;

    bool isPrepared() const;
    // Binds the values to the statement's placeholders in order and runs it.
    bool exec(std::initializer_list<QVariant> values = {});
    // Binds the named placeholder; call before exec() without values.
    void bind(const QString &placeholder, const QVariant &value);

    QSqlQuery &query();
    QSqlQuery *operator->() { return &query(); }

    // Drops every statement prepared on the named connection.
    static void forgetConnection(const QString &connectionName);

private:
    std::shared_ptr<CachedStatement> m_statement;
};

// Writes "number : text" of the query's last error to the database debug channel.
void logQueryError(const QSqlQuery &query);

} // namespace Corvo::DB
