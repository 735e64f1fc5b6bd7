#include "engine/db/capsurequeries.h"

#include "engine/db/collectionaccess.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/nameorders.h"
#include "engine/db/preparedquery.h"
#include "engine/db/sqlfunctions.h"

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
    "    %1(?) IN (%2) ORDER BY     T1.PRIORITY ASC");

// Upper-cased on the database side by the same Unicode rules as the program uses.
QString upperColumn(const QString &column)
{
    return QLatin1String(kUnicodeUpperFunction) + QLatin1Char('(') + column + QLatin1Char(')');
}

QString searchedColumns()
{
    QStringList columns;
    for (const int column : currentNameOrders().rowNameSearch) {
        if (column >= 0 && column <= 9)
            columns.append(upperColumn(QStringLiteral("R.NAME%1").arg(column)));
    }
    columns.append(upperColumn(QStringLiteral("R.CODE")));
    return columns.join(QStringLiteral(", "));
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
    while (query->next()) {
        readCurrentRow(query.query(), record);
        ColorEntry entry;
        entry.read(record);
        entry.collectionId = record.value(QStringLiteral("HIT_COLLECTION_ID")).toLongLong();
        entries.append(entry);
    }
    return Ok;
}

} // namespace Corvo::DB
