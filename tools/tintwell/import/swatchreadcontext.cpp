#include "tools/tintwell/import/swatchreadcontext.h"

namespace Tintwell {

void SwatchReadContext::beginFile(const QString &fileName)
{
    m_fileName = fileName;
    m_entriesOfFile = 0;
}

QString SwatchReadContext::lineOf(int line) const
{
    return QStringLiteral("%1:%2").arg(m_fileName).arg(line);
}

QString SwatchReadContext::placeOf(const QString &place) const
{
    return QStringLiteral("%1: %2").arg(m_fileName, place);
}

bool SwatchReadContext::reject(const QString &where, const QString &what)
{
    m_problems.append(QStringLiteral("%1: %2").arg(where, what));
    return !m_strict;
}

void SwatchReadContext::warn(const QString &where, const QString &what)
{
    m_warnings.append(QStringLiteral("%1: %2").arg(where, what));
}

void SwatchReadContext::add(SwatchEntry entry)
{
    m_entries.append(std::move(entry));
    ++m_entriesOfFile;
}

} // namespace Tintwell
