#pragma once

#include "tools/tintwell/validation/problemlist.h"

#include <QString>

namespace Tintwell {

// Checks one collection file against the file contract and reports every breach with
// where and what. The file is opened read-only and never changed. A file that is not
// SQLite, is cut short or is damaged is a breach like any other, reported, not a crash.
class FileValidator
{
public:
    // False only when the file cannot be read at all (missing, a folder, no permission);
    // lastError() then says why.
    bool validate(const QString &path);
    const ProblemList &problems() const { return m_problems; }
    QString lastError() const { return m_lastError; }

private:
    bool checkHeader(const QString &path);
    void checkDatabase(const QString &path);

    ProblemList m_problems;
    QString m_lastError;
};

} // namespace Tintwell
