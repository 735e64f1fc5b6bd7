#include "tools/tintwell/validation/validationcontext.h"

#include "engine/db/preparedquery.h"

#include <QSqlError>
#include <QSqlRecord>

namespace Tintwell {

ValidationContext::ValidationContext(const QSqlDatabase &database, ProblemList &problems)
    : m_database(database), m_problems(problems)
{}

void ValidationContext::loadLayout()
{
    QStringList tables;
    forEachRow(QStringLiteral("file"),
               QStringLiteral("SELECT name, type FROM sqlite_master WHERE type IN ('table', "
                              "'view')"),
               {}, [&](const QList<QVariant> &row) {
                   const QString name = row.at(0).toString().toUpper();
                   if (row.at(1).toString() == QLatin1String("view"))
                       m_views.insert(name);
                   tables.append(name);
               });
    for (const QString &table : std::as_const(tables)) {
        QSet<QString> &columns = m_columns[table];
        forEachRow(
            QStringLiteral("table %1").arg(table),
            QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table},
            [&](const QList<QVariant> &row) { columns.insert(row.at(0).toString().toUpper()); });
    }
}

bool ValidationContext::hasTable(const QString &table) const
{
    return m_columns.contains(table.toUpper());
}

bool ValidationContext::hasColumn(const QString &table, const QString &column) const
{
    return m_columns.value(table.toUpper()).contains(column.toUpper());
}

void ValidationContext::loadCollections()
{
    m_collections.clear();
    forEachRow(QStringLiteral("table COLLECTION"),
               QStringLiteral("SELECT ID, UUID, SYSTEMID, NAME FROM COLLECTION ORDER BY ID"), {},
               [&](const QList<QVariant> &row) {
                   m_collections.append({row.at(0).toLongLong(), row.at(1).toString(),
                                         row.at(2).toString(), row.at(3).toString()});
               });
}

QString ValidationContext::collectionLabel(qint64 id) const
{
    for (const CollectionEntry &collection : m_collections) {
        if (collection.id == id)
            return QStringLiteral("collection %1 (ID %2)").arg(collection.systemId).arg(id);
    }
    return QStringLiteral("collection ID %1").arg(id);
}

bool ValidationContext::forEachRow(const QString &where, const QString &sql,
                                   std::initializer_list<QVariant> values,
                                   const std::function<void(const QList<QVariant> &)> &visit)
{
    Corvo::DB::PreparedQuery query(m_database, sql);
    if (!query.isPrepared() || !query.exec(values)) {
        m_problems.error(
            where, QStringLiteral("cannot be read: %1").arg(query->lastError().text().trimmed()));
        return false;
    }
    while (query->next()) {
        const QSqlRecord record = query->record();
        QList<QVariant> row;
        row.reserve(record.count());
        for (int column = 0; column < record.count(); ++column)
            row.append(record.value(column));
        visit(row);
    }
    return true;
}

QVariant ValidationContext::scalar(const QString &sql, std::initializer_list<QVariant> values)
{
    Corvo::DB::PreparedQuery query(m_database, sql);
    if (!query.isPrepared() || !query.exec(values) || !query->next())
        return QVariant();
    return query->value(0);
}

void ValidationContext::loadPositions()
{
    if (!hasTable(QStringLiteral("PAGE")) || !hasTable(QStringLiteral("COLLECTION_PAGE_MAP")))
        return;
    forEachRow(
        QStringLiteral("table PAGE"),
        QStringLiteral("SELECT P.ID, P.PAGE_INDEX, MIN(CMAP.COLLECTION_ID) FROM PAGE P "
                       "LEFT JOIN COLLECTION_PAGE_MAP CMAP ON CMAP.PAGE_ID = P.ID "
                       "GROUP BY P.ID"),
        {}, [&](const QList<QVariant> &row) {
            const QString owner = row.at(2).isNull() ? QStringLiteral("no collection")
                                                     : collectionLabel(row.at(2).toLongLong());
            m_pageLabels.insert(row.at(0).toLongLong(), QStringLiteral("%1, card %2 (page ID %3)")
                                                            .arg(owner, row.at(1).toString())
                                                            .arg(row.at(0).toLongLong()));
        });
    if (!hasTable(QStringLiteral("ROW")))
        return;
    forEachRow(QStringLiteral("table ROW"),
               QStringLiteral("SELECT ID, PAGE_ID, ROW_INDEX, CODE FROM \"ROW\""), {},
               [&](const QList<QVariant> &row) {
                   m_rowLabels.insert(row.at(0).toLongLong(),
                                      QStringLiteral("%1, chip %2 \"%3\" (row ID %4)")
                                          .arg(pageLabel(row.at(1).toLongLong()),
                                               row.at(2).toString(), row.at(3).toString())
                                          .arg(row.at(0).toLongLong()));
               });
}

QString ValidationContext::pageLabel(qint64 pageId) const
{
    return m_pageLabels.value(pageId, QStringLiteral("page ID %1").arg(pageId));
}

QString ValidationContext::rowLabel(qint64 rowId) const
{
    return m_rowLabels.value(rowId, QStringLiteral("row ID %1").arg(rowId));
}

OffenderReport::OffenderReport(ProblemList &problems, bool error, int limit)
    : m_problems(problems), m_error(error), m_limit(limit)
{}

OffenderReport::~OffenderReport()
{
    if (m_count <= m_limit)
        return;
    const QString what =
        QStringLiteral("%1 more like the last one (%2)").arg(m_count - m_limit).arg(m_lastWhat);
    if (m_error)
        m_problems.error(QStringLiteral("(more)"), what);
    else
        m_problems.warning(QStringLiteral("(more)"), what);
}

void OffenderReport::add(const QString &where, const QString &what)
{
    ++m_count;
    m_lastWhat = what;
    if (m_count > m_limit)
        return;
    if (m_error)
        m_problems.error(where, what);
    else
        m_problems.warning(where, what);
}

} // namespace Tintwell
