#include "engine/db/capsurequeries.h"

#include "engine/db/collectionaccess.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/nameorders.h"
#include "engine/db/preparedquery.h"
#include "engine/db/sqlfunctions.h"

#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlRecord>

namespace Corvo::DB {

namespace {

const QString kPrioritySql =
    QStringLiteral("SELECT     * FROM     CAPSURE_COLLECTION_IDS_BY_PRIORITY ");

// The matching collection comes from the page map under an alias of its own; ROW's own
// COLLECTION_ID names the card's owner, not the collection the chip was found in.
const QString kMatchesSql = QStringLiteral(
    "SELECT     R.*,     CMAP.COLLECTION_ID AS HIT_COLLECTION_ID FROM     ROW R     JOIN PAGE P "
    "ON R.PAGE_ID = P.ID     JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID     INNER "
    "JOIN CAPSURE_COLLECTION_IDS_BY_PRIORITY T1 ON CMAP.COLLECTION_ID = T1.COLLECTION_ID WHERE "
    "    %1(?) IN (%2) ORDER BY     T1.PRIORITY ASC, CMAP.COLLECTION_ID ASC, R.PAGE_ID ASC, R.ID "
    "ASC");

// Every text of a batch is one bound value; a batch is padded with NULLs (which match
// nothing) to a power of two, so that a few prepared statements serve every count. The
// largest batch stays below the 999 bound values older SQLite builds allow.
constexpr int kSmallestNameBatch = 8;
constexpr int kLargestNameBatch = 512;

// The searched columns are upper-cased once per chip of the Capsure collections and kept
// (MATERIALIZED). A chip whose texts are among the names (an indexed look-up) keeps the
// position of the first name that matches it, which orders the result as one look-up per
// name would.
const QString kMatchesOfEachSql = QStringLiteral(
    "WITH NAMES(NAME_POS, NAME_TEXT) AS MATERIALIZED (SELECT column1, column2 FROM (VALUES %1) "
    "WHERE column2 IS NOT NULL), CAPSURE_ROWS AS MATERIALIZED (SELECT R.ID AS ROW_ID, %2 FROM "
    "ROW R WHERE R.PAGE_ID IN (SELECT CMAP.PAGE_ID FROM COLLECTION_PAGE_MAP CMAP JOIN "
    "CAPSURE_COLLECTION_IDS_BY_PRIORITY T1 ON CMAP.COLLECTION_ID = T1.COLLECTION_ID)), "
    "FIRST_HITS(ROW_ID, NAME_POS) AS MATERIALIZED (SELECT C.ROW_ID, MIN(N.NAME_POS) FROM "
    "CAPSURE_ROWS C CROSS JOIN NAMES N ON N.NAME_TEXT IN (%3) WHERE %4 GROUP BY C.ROW_ID) "
    "SELECT R.*, CMAP.COLLECTION_ID AS HIT_COLLECTION_ID FROM FIRST_HITS H JOIN ROW R ON R.ID "
    "= H.ROW_ID JOIN PAGE P ON R.PAGE_ID = P.ID JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = "
    "CMAP.PAGE_ID INNER JOIN CAPSURE_COLLECTION_IDS_BY_PRIORITY T1 ON CMAP.COLLECTION_ID = "
    "T1.COLLECTION_ID ORDER BY H.NAME_POS ASC, T1.PRIORITY ASC, CMAP.COLLECTION_ID ASC, "
    "R.PAGE_ID ASC, R.ID ASC");

// Upper-cased on the database side by the same Unicode rules as the program uses.
QString upperColumn(const QString &column)
{
    return QLatin1String(kUnicodeUpperFunction) + QLatin1Char('(') + column + QLatin1Char(')');
}

// The name columns of the current search order, then the code.
QStringList searchedColumnList()
{
    QStringList columns;
    for (const int column : currentNameOrders().rowNameSearch) {
        if (column >= 0 && column <= 9)
            columns.append(upperColumn(QStringLiteral("R.NAME%1").arg(column)));
    }
    columns.append(upperColumn(QStringLiteral("R.CODE")));
    return columns;
}

QString searchedColumns()
{
    return searchedColumnList().join(QStringLiteral(", "));
}

int nameBatchSize(qsizetype count)
{
    int size = kSmallestNameBatch;
    while (size < count && size < kLargestNameBatch)
        size *= 2;
    return size;
}

QString matchesOfEachSql(int batchSize)
{
    QStringList names;
    for (int position = 0; position < batchSize; ++position)
        names.append(
            QStringLiteral("(%1, %2(?))").arg(position).arg(QLatin1String(kUnicodeUpperFunction)));
    const QStringList columns = searchedColumnList();
    QStringList kept;
    QStringList compared;
    QStringList named;
    for (int index = 0; index < columns.size(); ++index) {
        kept.append(QStringLiteral("%1 AS TEXT%2").arg(columns.at(index)).arg(index));
        compared.append(QStringLiteral("C.TEXT%1").arg(index));
        named.append(QStringLiteral("C.TEXT%1 IN (SELECT NAME_TEXT FROM NAMES)").arg(index));
    }
    return kMatchesOfEachSql.arg(names.join(QStringLiteral(", ")), kept.join(QStringLiteral(", ")),
                                 compared.join(QStringLiteral(", ")),
                                 named.join(QStringLiteral(" OR ")));
}

// Each text once, blank ones left out: a blank text would match every chip stored
// without a name or code.
QStringList textsToLookUp(const QStringList &texts)
{
    QStringList wanted;
    QSet<QString> seen;
    for (const QString &text : texts) {
        if (text.trimmed().isEmpty() || seen.contains(text))
            continue;
        seen.insert(text);
        wanted.append(text);
    }
    return wanted;
}

// The chip of the current result row, filed under the collection it was found in.
ColorEntry matchedEntry(QSqlQuery &query, QSqlRecord &record)
{
    readCurrentRow(query, record);
    ColorEntry entry;
    entry.read(record);
    entry.collectionId = record.value(QStringLiteral("HIT_COLLECTION_ID")).toLongLong();
    return entry;
}

// One batch of texts in one statement; a chip already listed for its collection (by an
// earlier batch, or twice on the map) is not listed again.
bool appendMatchesOfBatch(const QSqlDatabase &database, const QStringList &batch,
                          QHash<qint64, QSet<qint64>> &listed, QList<ColorEntry> &entries)
{
    const int size = nameBatchSize(batch.size());
    PreparedQuery query(database, matchesOfEachSql(size));
    if (!query.isPrepared())
        return false;
    for (int position = 0; position < size; ++position)
        query->bindValue(position, position < batch.size()
                                       ? QVariant(batch.at(position))
                                       : QVariant(QMetaType::fromType<QString>()));
    if (!query.exec())
        return false;
    QSqlRecord record;
    while (query->next()) {
        const ColorEntry entry = matchedEntry(query.query(), record);
        QSet<qint64> &rows = listed[entry.collectionId];
        if (rows.contains(entry.id))
            continue;
        rows.insert(entry.id);
        entries.append(entry);
    }
    return true;
}

} // namespace

int capsureCollectionIds(QList<qint64> &ids)
{
    ids.clear();
    CollectionAccess access;
    const int connected = accessSystemWideFile(access);
    if (connected < 0)
        return connected;
    PreparedQuery query(access.database, kPrioritySql);
    if (!query.exec())
        return Failed;
    while (query->next())
        ids.append(query->value(0).toLongLong());
    return Ok;
}

int capsureMatches(const QString &text, QList<ColorEntry> &entries)
{
    entries.clear();
    CollectionAccess access;
    const int connected = accessSystemWideFile(access);
    if (connected < 0)
        return connected;
    // A blank name would match every chip stored without a name or code.
    if (text.trimmed().isEmpty())
        return Ok;
    PreparedQuery query(access.database,
                        kMatchesSql.arg(QLatin1String(kUnicodeUpperFunction), searchedColumns()));
    if (!query.exec({text}))
        return Failed;
    QSqlRecord record;
    while (query->next())
        entries.append(matchedEntry(query.query(), record));
    return Ok;
}

int capsureMatchesOfEach(const QStringList &texts, QList<ColorEntry> &entries)
{
    entries.clear();
    CollectionAccess access;
    const int connected = accessSystemWideFile(access);
    if (connected < 0)
        return connected;
    const QStringList wanted = textsToLookUp(texts);
    QHash<qint64, QSet<qint64>> listed;
    for (qsizetype first = 0; first < wanted.size(); first += kLargestNameBatch) {
        if (!appendMatchesOfBatch(access.database, wanted.mid(first, kLargestNameBatch), listed,
                                  entries)) {
            entries.clear();
            return Failed;
        }
    }
    return Ok;
}

} // namespace Corvo::DB
