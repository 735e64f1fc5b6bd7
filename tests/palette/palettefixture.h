#pragma once

#include "testenvironment.h"

#include <QHash>
#include <QString>
#include <QUuid>

// Two collections in two files, for the palette suites:
// - Nordlys (SYSTEMID "NL", file nordlys.db with the system-wide collection): cards 1 to
//   3 with chips 1 to 4, codes "NL-<card><chip>", NAME0 "Fjord <card><chip>", NAME1
//   "Blå <card><chip>" (empty on chip 3 of card 2); labels show NAME1; phrase search
//   on NAME0 and codes; its own description hint.
// - Terra (SYSTEMID "TR", file terra.db): cards 1 and 2 with chips 1 to 3, codes
//   "TR-<card><chip>", no display order (labels are bare codes).
// Both collections have COLLECTION.ID 1 in their own file.
class PaletteFixture
{
public:
    explicit PaletteFixture(const TestEnvironment &environment);

    bool isValid() const { return m_valid; }
    QString error() const { return m_error; }

    static QUuid nordlys();
    static QUuid terra();
    static QUuid notInstalled();

    // Row and page IDs by code and by "<SYSTEMID>-p<card>".
    qint64 row(const QString &code) const { return rows.value(code, -1); }
    qint64 page(const QString &name) const { return pages.value(name, -1); }

    QHash<QString, qint64> rows;
    QHash<QString, qint64> pages;

private:
    bool build(const TestEnvironment &environment);

    bool m_valid = false;
    QString m_error;
};
