#pragma once

#include <QList>
#include <QString>

namespace Tintwell {

struct Problem
{
    enum class Severity { Error, Warning };
    Severity severity = Severity::Error;
    QString where;
    QString what;
};

// The breaches a validation found, in the order found. Errors break the file contract;
// warnings point at data that the picker would show wrongly.
class ProblemList
{
public:
    void error(const QString &where, const QString &what);
    void warning(const QString &where, const QString &what);
    bool hasErrors() const;
    const QList<Problem> &problems() const { return m_problems; }

private:
    QList<Problem> m_problems;
};

} // namespace Tintwell
