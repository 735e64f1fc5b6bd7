#pragma once

#include "tools/tintwell/import/swatchentry.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Tintwell {

// What the swatch readers collect across the files of one import: the colours, the rows
// they could not read and the warnings. Each reader names the file and the place in it; a
// bad row is reported and skipped, or with strict set ends the reading.
class SwatchReadContext
{
public:
    explicit SwatchReadContext(bool strict) : m_strict(strict) {}

    bool strict() const { return m_strict; }
    void beginFile(const QString &fileName);
    const QString &fileName() const { return m_fileName; }
    // "file.csv:12" for a line, "file.ase: block 4" and the like for other places.
    QString lineOf(int line) const;
    QString placeOf(const QString &place) const;

    // Reports a row that cannot be read; false when reading has to stop (strict).
    bool reject(const QString &where, const QString &what);
    void warn(const QString &where, const QString &what);
    void add(SwatchEntry entry);

    const QList<SwatchEntry> &entries() const { return m_entries; }
    const QStringList &problems() const { return m_problems; }
    const QStringList &warnings() const { return m_warnings; }
    int entriesOfFile() const { return m_entriesOfFile; }

private:
    bool m_strict = false;
    QString m_fileName;
    QList<SwatchEntry> m_entries;
    QStringList m_problems;
    QStringList m_warnings;
    int m_entriesOfFile = 0;
};

} // namespace Tintwell
