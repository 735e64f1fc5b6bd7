#pragma once

#include "tools/tintwell/validation/problemlist.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <functional>
#include <initializer_list>

namespace Tintwell {

struct CollectionEntry
{
    qint64 id = -1;
    QString uuid;
    QString systemId;
    QString name;
};

// What every check of one file shares: the open read-only connection, the tables and
// columns the file has, its collections, and the list the problems go to.
class ValidationContext
{
public:
    ValidationContext(const QSqlDatabase &database, ProblemList &problems);

    const QSqlDatabase &database() const { return m_database; }
    ProblemList &problems() { return m_problems; }

    void loadLayout();
    bool hasTable(const QString &table) const;
    bool hasColumn(const QString &table, const QString &column) const;
    bool hasView(const QString &view) const { return m_views.contains(view.toUpper()); }

    void loadCollections();
    const QList<CollectionEntry> &collections() const { return m_collections; }
    QString collectionLabel(qint64 id) const;

    // Runs a statement with bound values and hands every result row to the visitor;
    // false (and an error problem at "where") when it fails.
    bool forEachRow(const QString &where, const QString &sql,
                    std::initializer_list<QVariant> values,
                    const std::function<void(const QList<QVariant> &)> &visit);
    // The first column of the first row, or an invalid value.
    QVariant scalar(const QString &sql, std::initializer_list<QVariant> values = {});

    // "card 12 (page ID 40)", "chip VM 0123 (row ID 77) on card 12" as a collection shows
    // them; built once from the page map.
    void loadPositions();
    QString pageLabel(qint64 pageId) const;
    QString rowLabel(qint64 rowId) const;

private:
    QSqlDatabase m_database;
    ProblemList &m_problems;
    QHash<QString, QSet<QString>> m_columns; // upper-case table -> upper-case columns
    QSet<QString> m_views;
    QList<CollectionEntry> m_collections;
    QHash<qint64, QString> m_pageLabels;
    QHash<qint64, QString> m_rowLabels;
};

// Reports the first few offenders and how many more there were, so that a badly broken
// file gives a readable report instead of thousands of lines.
class OffenderReport
{
public:
    OffenderReport(ProblemList &problems, bool error, int limit = 8);
    ~OffenderReport();
    void add(const QString &where, const QString &what);
    int count() const { return m_count; }

private:
    ProblemList &m_problems;
    bool m_error;
    int m_limit;
    int m_count = 0;
    QString m_lastWhat;
};

} // namespace Tintwell
