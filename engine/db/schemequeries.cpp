#include "engine/db/schemequeries.h"

#include "engine/db/collectionaccess.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/dblog.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/preparedquery.h"

#include <QSqlRecord>

namespace Corvo::DB {

namespace {

constexpr int kRichMood = 4;

const QString kSchemePageCountSql = QStringLiteral(
    "SELECT     COUNT(*) FROM     PAGE_SCHEME PS WHERE     PS.PAGE_ID = (SELECT ID             "
    "      FROM PAGE P                        JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = "
    "CMAP.PAGE_ID                   WHERE                       CMAP.COLLECTION_ID = ? AND "
    "P.PAGE_INDEX = ? )     AND PS.SCHEME_ID = ? ");

const QString kSchemePagesSql = QStringLiteral(
    "SELECT     TP.PAGE_INDEX FROM     PAGE_SCHEME PS     JOIN PAGE SP ON PS.PAGE_ID = SP.ID   "
    "  JOIN PAGE TP ON PS.SCHEME_PAGE_ID = TP.ID     JOIN COLLECTION_PAGE_MAP SCMAP ON SP.ID = "
    "SCMAP.PAGE_ID WHERE     (PS.SCHEME_ID = ?) AND     (SP.PAGE_INDEX = ? AND "
    "SCMAP.COLLECTION_ID = ?) ");

const QString kSchemeRowColumns = QStringLiteral(
    "R.CODE,     R.SEGMENT,     R.RED,     R.GREEN,     R.BLUE,     R.L,     R.A,     R.B,     "
    "R.NEUTRAL,     R.WHITE,     R.MOOD,     R.NAME0,     R.NAME1,     R.NAME2,     R.NAME3,     "
    "R.NAME4,     R.NAME5,     R.NAME6,     R.NAME7,     R.NAME8,     R.NAME9,     R.EXTRA0,     "
    "R.EXTRA1,     R.EXTRA2,     R.EXTRA3,     R.EXTRA4,     R.EXTRA5,     R.EXTRA6,     "
    "R.EXTRA7,     R.EXTRA8,     R.EXTRA9");

// Each scheme statement binds the collection ID twice, then the chip's ID and the scheme.
const QString kSchemeRowsSql =
    QStringLiteral("SELECT     ? AS COLLECTION_ID,     R.ID,     R.PAGE_ID,     M.ROW_ORDER AS "
                   "ROW_INDEX,     ") +
    kSchemeRowColumns +
    QStringLiteral(" FROM     ROW_SCHEME_MAP M     JOIN \"ROW\" R ON M.SCHEME_ROW_ID = "
                   "R.ID WHERE     M.COLLECTION_ID = ?     AND M.ROW_ID = ?     AND M.SCHEME_ID = "
                   "? ORDER BY   "
                   "  M.PAGE_ORDER ASC,     M.ROW_ORDER ASC ");

const QString kSchemePageRowsSql =
    QStringLiteral(
        "SELECT   ? AS COLLECTION_ID,   R.ID,   R.PAGE_ID,   SM.\"ORDER\" AS PAGE_ORDER,   "
        "R.ROW_INDEX,   ") +
    kSchemeRowColumns +
    QStringLiteral(
        " FROM   ROW_TO_PAGE_SCHEME SM   JOIN \"ROW\" R "
        "ON SM.SCHEME_PAGE_ID = R.PAGE_ID WHERE       SM.COLLECTION_ID = ?   AND SM.ROW_ID = ?   "
        "AND SM.SCHEME_ID = ? ORDER BY   SM.\"ORDER\" ASC,    R.ROW_INDEX ASC ");

// The sort key is returned as PAGE_ORDER too, so that the schemer can tell the groups
// apart. Binds the collection ID, the four scheme IDs of the key, the collection ID again,
// the chip's ID and the two schemes.
const QString kContrastRowsSql =
    QStringLiteral("SELECT     ? AS COLLECTION_ID,     R.ID,     R.PAGE_ID,     M.ROW_ORDER AS "
                   "ROW_INDEX,     ") +
    kSchemeRowColumns +
    QStringLiteral(
        ",    (CASE WHEN M.SCHEME_ID = ? AND M.PAGE_ORDER = 0 THEN -1     "
        "      WHEN M.SCHEME_ID = ? AND M.PAGE_ORDER = 0 THEN 0           WHEN M.SCHEME_ID = ? AND "
        "M.PAGE_ORDER = 1 THEN 1           ELSE 100      END) AS PAGE_ORDER FROM     "
        "ROW_SCHEME_MAP "
        "M     JOIN \"ROW\" R ON M.SCHEME_ROW_ID = R.ID WHERE     M.COLLECTION_ID = ?     AND "
        "M.ROW_ID = ?     AND M.SCHEME_ID IN (?, ?) ORDER BY     PAGE_ORDER ASC ");

// The chip at a 1-based position of the card, as the common start of the chip schemes.
int schemeChip(const QUuid &uuid, int pageIndex, int rowPosition, ColorEntry &chip)
{
    ColorPage page;
    const int loaded = pageAt(uuid, pageIndex, page);
    if (loaded < 0)
        return loaded;
    if (rowPosition < 1 || rowPosition > page.rows.size())
        return OutOfRange;
    chip = page.rows.at(rowPosition - 1);
    return Ok;
}

int readEntries(PreparedQuery &query, QList<ColorEntry> &entries)
{
    if (!query.isPrepared() || !query.exec())
        return Failed;
    QSqlRecord record;
    while (query->next()) {
        readCurrentRow(query.query(), record);
        entries.append(ColorEntry(record));
    }
    return Ok;
}

void bindAll(PreparedQuery &query, std::initializer_list<QVariant> values)
{
    int position = 0;
    for (const QVariant &value : values)
        query->bindValue(position++, value);
}

QString boundValuesText(std::initializer_list<QVariant> values)
{
    QStringList texts;
    for (const QVariant &value : values)
        texts.append(value.toString());
    return texts.join(QStringLiteral(", "));
}

// Runs a chip scheme statement; PreparedQuery logs a failure as "number : text".
int runChipScheme(const CollectionAccess &access, const QString &sql,
                  std::initializer_list<QVariant> values, QList<ColorEntry> &entries)
{
    PreparedQuery query(access.database, sql);
    bindAll(query, values);
    return readEntries(query, entries);
}

} // namespace

bool hasComplementaryNeutralPages(const QUuid &uuid, int pageIndex)
{
    CollectionAccess access;
    if (accessCollection(uuid, access) != Ok)
        return true;
    PreparedQuery query(access.database, kSchemePageCountSql);
    if (!query.exec({access.id, pageIndex, Scheme::ComplementaryNeutral}) || !query->next())
        return false;
    return query->value(0).toLongLong() != 0;
}

int schemePages(const QUuid &uuid, int pageIndex, int schemeId, QList<ColorPage> &pages)
{
    pages.clear();
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    QList<int> pageIndexes;
    {
        PreparedQuery query(access.database, kSchemePagesSql);
        if (!query.exec({schemeId, pageIndex, access.id}))
            return Failed;
        while (query->next())
            pageIndexes.append(query->value(0).toInt());
    }
    for (const int schemePageIndex : pageIndexes) {
        ColorPage page;
        if (pageAt(uuid, schemePageIndex, page) == Ok)
            pages.append(page);
    }
    return Ok;
}

int schemeRows(const QUuid &uuid, int schemeId, int pageIndex, int rowPosition,
               QList<ColorEntry> &entries)
{
    entries.clear();
    ColorEntry chip;
    const int found = schemeChip(uuid, pageIndex, rowPosition, chip);
    if (found < 0)
        return found;
    if (schemeId == Scheme::Dramatic && !(chip.neutral || chip.white))
        return Ok;
    if (schemeId == Scheme::ComplementaryNeutral && chip.mood != kRichMood)
        return Ok;
    CollectionAccess access;
    accessCollection(uuid, access);
    const std::initializer_list<QVariant> values = {access.id, access.id, chip.id, schemeId};
    qCDebug(lcDb).noquote() << kSchemeRowsSql << "with" << boundValuesText(values);
    return runChipScheme(access, kSchemeRowsSql, values, entries);
}

int schemePageRows(const QUuid &uuid, int schemeId, int pageIndex, int rowPosition,
                   QList<ColorEntry> &entries)
{
    entries.clear();
    ColorEntry chip;
    const int found = schemeChip(uuid, pageIndex, rowPosition, chip);
    if (found < 0)
        return found;
    if (schemeId == Scheme::Dramatic && !(chip.neutral || chip.white))
        return Ok;
    CollectionAccess access;
    accessCollection(uuid, access);
    return runChipScheme(access, kSchemePageRowsSql, {access.id, access.id, chip.id, schemeId},
                         entries);
}

int contrastRows(const QUuid &uuid, int pageIndex, int rowPosition, QList<ColorEntry> &entries)
{
    entries.clear();
    ColorEntry chip;
    const int found = schemeChip(uuid, pageIndex, rowPosition, chip);
    if (found < 0)
        return found;
    CollectionAccess access;
    accessCollection(uuid, access);
    return runChipScheme(access, kContrastRowsSql,
                         {access.id, Scheme::WideContrast, Scheme::Contrast, Scheme::WideContrast,
                          access.id, chip.id, Scheme::Contrast, Scheme::WideContrast},
                         entries);
}

} // namespace Corvo::DB
