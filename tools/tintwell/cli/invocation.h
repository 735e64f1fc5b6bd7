#pragma once

#include <QHash>
#include <QJsonDocument>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QUuid>

namespace Tintwell {

// Exit statuses every sub-command uses.
enum ExitCode : int {
    ExitSuccess = 0,
    ExitNotFound = 1, // nothing found, or a check failed
    ExitBadUsage = 2, // bad usage or unreadable input
};

// One run of a sub-command: its parsed arguments and where its output goes.
class Invocation
{
public:
    Invocation(const QString &command, QTextStream &out, QTextStream &err);

    QString command() const { return m_command; }
    const QStringList &arguments() const { return m_arguments; }
    QString argument(int position) const { return m_arguments.value(position); }
    bool hasFlag(const QString &flag) const { return m_flags.contains(flag); }
    bool hasValue(const QString &option) const { return m_values.contains(option); }
    QString value(const QString &option, const QString &fallback = QString()) const;

    // "--json": one JSON document on standard output instead of readable text.
    bool json() const { return hasFlag(QStringLiteral("--json")); }
    // "--data DIR", or the folder the add-on reads its collections from.
    QString dataFolder() const;
    static QString defaultDataFolder();

    QTextStream &out() { return m_out; }
    QTextStream &err() { return m_err; }
    void printJson(const QJsonDocument &document);

    // Writes one line "tintwell <command>: <message>" to standard error; returns the code.
    int fail(int exitCode, const QString &message);
    int usageError(const QString &message) { return fail(ExitBadUsage, message); }

    // Points the engine at the data folder and finds the collection named by a UUID (any
    // letter case, braces optional) or a SYSTEMID (any letter case). Returns 0, or the
    // exit code after reporting why not.
    int resolveCollection(const QString &argument, QUuid &uuid);
    // Points the engine at the data folder and scans it afresh; 0, or 2 after reporting.
    int loadDataFolder();

    // Filled by the parser.
    void addArgument(const QString &argument) { m_arguments.append(argument); }
    void setFlag(const QString &flag) { m_flags.insert(flag); }
    void setValue(const QString &option, const QString &value) { m_values.insert(option, value); }

private:
    QString m_command;
    QStringList m_arguments;
    QSet<QString> m_flags;
    QHash<QString, QString> m_values;
    QTextStream &m_out;
    QTextStream &m_err;
};

} // namespace Tintwell
