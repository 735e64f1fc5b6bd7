#include "tools/tintwell/validation/problemlist.h"

#include <algorithm>

namespace Tintwell {

void ProblemList::error(const QString &where, const QString &what)
{
    m_problems.append({Problem::Severity::Error, where, what});
}

void ProblemList::warning(const QString &where, const QString &what)
{
    m_problems.append({Problem::Severity::Warning, where, what});
}

bool ProblemList::hasErrors() const
{
    return std::any_of(m_problems.cbegin(), m_problems.cend(), [](const Problem &problem) {
        return problem.severity == Problem::Severity::Error;
    });
}

} // namespace Tintwell
