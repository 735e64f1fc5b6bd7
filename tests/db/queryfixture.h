#pragma once

#include "testenvironment.h"

#include <QHash>
#include <QString>
#include <QUuid>
#include <QVariant>

#include <initializer_list>

// A small deck in one collection file, built for the query suites:
// - collection A (ID 1): cards 1 to 6 over segments 2, 3, 5, 7, 9 with every mood
//   kind, chips stored out of ROW_INDEX order, a code with a quote, non-ASCII names;
// - collection B (ID 2) shares A's card 6 and has a card 7 of its own;
// - collection C (ID 3) is enabled with the value 2, D (ID 4) is disabled, E (ID 5) has no
//   cards;
// - schemes, trend groups, products, textures and Capsure priorities (B before A).
// Chips are named "p<card>r<row>" in `rows`, cards "p<card>" in `pages`.
class QueryFixture
{
public:
    explicit QueryFixture(const TestEnvironment &environment);

    bool isValid() const { return m_valid; }
    QString error() const { return m_error; }

    static QUuid uuidA();
    static QUuid uuidB();
    static QUuid uuidC();
    static QUuid uuidD();
    static QUuid uuidE();

    // Runs one statement on the file, for the tests of damaged or altered files.
    bool alter(const QString &sql, std::initializer_list<QVariant> values = {}) const;

    qint64 row(const QString &name) const { return rows.value(name, -1); }
    qint64 page(const QString &name) const { return pages.value(name, -1); }

    QHash<QString, qint64> rows;
    QHash<QString, qint64> pages;
    QHash<QString, qint64> textures;
    QString path;

private:
    bool build();

    bool m_valid = false;
    QString m_error;
};
