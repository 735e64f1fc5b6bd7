#include "engine/db/navigationqueries.h"

#include "engine/db/collectionaccess.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/dblog.h"
#include "engine/db/preparedquery.h"

#include <QSqlError>
#include <QSqlRecord>

#include <algorithm>

namespace Corvo::DB {

namespace {

const QString kExteriorCountSql = QStringLiteral(
    " SELECT COUNT(*)  FROM PAGE P       JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID  "
    "WHERE CMAP.COLLECTION_ID = ? AND        P.EXTERIOR = 1 AND        P.MOOD = ? ");

// Joined through the page map, so that a chip of another collection counts as missing.
const QString kRowByIdSql = QStringLiteral(
    "SELECT    R.*,    ? AS COLLECTION_ID FROM    \"ROW\" R    JOIN PAGE P ON R.PAGE_ID = P.ID "
    "   JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID WHERE     R.ID = ?     AND "
    "CMAP.COLLECTION_ID = ? ");

const QString kRowAtSql = QStringLiteral(
    "SELECT *  FROM \"ROW\" R       JOIN PAGE P ON R.PAGE_ID = P.ID       JOIN "
    "COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID  WHERE CMAP.COLLECTION_ID = ? AND        "
    "P.PAGE_INDEX = ? AND        R.ROW_INDEX = ? ");

const QString kRowLabTableSql = QStringLiteral(
    "SELECT R.ID,R.RED,R.GREEN,R.BLUE,R.L,R.A,R.B  FROM \"ROW\" R       JOIN PAGE P ON "
    "R.PAGE_ID = P.ID       JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID  WHERE "
    "CMAP.COLLECTION_ID = ? ");

// The hit's collection comes from the page map under an alias of its own: ROW carries a
// COLLECTION_ID of its own, which names the page's owner, not the collection searched.
const QString kEnabledRowsSql = QStringLiteral(
    "SELECT *, CMAP.COLLECTION_ID AS HIT_COLLECTION_ID FROM \"ROW\" R      JOIN PAGE P ON "
    "R.PAGE_ID = P.ID      JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID  WHERE "
    "CMAP.COLLECTION_ID IN (SELECT     C.ID FROM     COLLECTION C     JOIN SETTING S ON "
    "S.COLLECTION_ID = C.ID WHERE     S.NAME = 'collection.enabled' COLLATE NOCASE AND     "
    "S.VALUE != 0 ORDER BY     C.\"ORDER\" ASC) ");
const QString kByRgbCondition =
    QStringLiteral("   AND RED = ?     AND GREEN = ?     AND BLUE = ? ");
const QString kByCodeCondition = QStringLiteral("   AND R.CODE = ? COLLATE NOCASE");
const char kHitCollectionColumn[] = "HIT_COLLECTION_ID";

const QString kSegmentsSql = QStringLiteral(
    "SELECT DISTINCT     P.SEGMENT FROM     PAGE P     LEFT JOIN COLLECTION_PAGE_MAP CMAP ON "
    "P.ID = CMAP.PAGE_ID WHERE     CMAP.COLLECTION_ID = ? ");

// The cards of that index first, then their page-map entries: starting from the map
// visits every card of the collection. The condition on CMAP makes the left join an
// inner one, which CROSS JOIN keeps in this order.
const QString kPageAtSql = QStringLiteral(
    "SELECT * FROM     PAGE P     CROSS JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID "
    "WHERE     CMAP.COLLECTION_ID = ? AND P.PAGE_INDEX = ? ");
const QString kPageByIdSql = QStringLiteral(
    " SELECT *  FROM PAGE P       JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID  WHERE "
    "CMAP.COLLECTION_ID = ?        AND P.ID = ? ");

// Rows of a card; both take the collection ID, then the page ID.
const QString kPageRowsSql = QStringLiteral(
    "SELECT     R.*,     ? AS COLLECTION_ID FROM     \"ROW\" R WHERE     R.PAGE_ID = ? ");
const QString kPageRowsInCollectionSql = QStringLiteral(
    "SELECT * FROM \"ROW\" R  JOIN PAGE P ON R.PAGE_ID = P.ID  JOIN COLLECTION_PAGE_MAP CMAP "
    "ON P.ID = CMAP.PAGE_ID  WHERE CMAP.COLLECTION_ID = ? AND        R.PAGE_ID = ? ");

enum class Step { Forward, Wrap };

// Reads a chip found for a collection. ROW's own COLLECTION_ID comes first in R.* and
// names the collection that owns the card; a card can be shared, so the collection
// asked for is set explicitly.
ColorEntry entryOf(const QSqlRecord &record, qint64 collectionId)
{
    ColorEntry entry;
    entry.read(record);
    entry.collectionId = collectionId;
    return entry;
}

void loadRows(const CollectionAccess &access, const QString &rowSql, ColorPage &page)
{
    PreparedQuery query(access.database, rowSql);
    if (!query.exec({access.id, page.id}))
        return;
    QSqlRecord record;
    while (query->next()) {
        readCurrentRow(query.query(), record);
        page.rows.append(entryOf(record, access.id));
    }
    page.sortRows();
}

ColorPage pageWithRows(const CollectionAccess &access, const QSqlRecord &pageRecord,
                       const QString &rowSql)
{
    ColorPage page(pageRecord);
    loadRows(access, rowSql, page);
    return page;
}

bool isBlank(const QString &text)
{
    return text.trimmed().isEmpty();
}

// The first hit that lies in a catalogued collection of the file; the others cannot be
// shown, so they are passed over.
int firstCatalogued(PreparedQuery &query, ColorEntry &entry, QUuid *collection)
{
    while (query->next()) {
        const QSqlRecord record = query->record();
        const qint64 hitCollection = record.value(QLatin1String(kHitCollectionColumn)).toLongLong();
        const QUuid uuid = collectionUuidInSystemWideFile(hitCollection);
        if (uuid.isNull())
            continue;
        entry = entryOf(record, hitCollection);
        if (collection != nullptr)
            *collection = uuid;
        return Ok;
    }
    return Failed;
}

QString moodClause(int mood)
{
    switch (mood) {
    case MoodEvery:
        return QString();
    case MoodAll:
        return QStringLiteral(" AND P.MOOD != ? AND P.MOOD != ? ");
    default:
        return QStringLiteral(" AND P.MOOD = ? ");
    }
}

void bindMood(PreparedQuery &query, int position, int mood)
{
    if (mood == MoodAll) {
        query->bindValue(position, kMoodOffwhite);
        query->bindValue(position + 1, kMoodNeutral);
    } else if (mood != MoodEvery) {
        query->bindValue(position, mood);
    }
}

QString segmentSql(const QString &columns, Step step, int mood, bool exterior)
{
    QString sql = QStringLiteral(" SELECT %1 ").arg(columns);
    sql += QStringLiteral(" FROM PAGE P       LEFT JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = "
                          "CMAP.PAGE_ID  WHERE CMAP.COLLECTION_ID = ? AND ");
    sql += step == Step::Forward ? QStringLiteral(" P.SEGMENT >= ? ")
                                 : QStringLiteral(" P.SEGMENT < ? ");
    sql += moodClause(mood);
    if (exterior)
        sql += QStringLiteral(" AND P.EXTERIOR = 1 ");
    sql += QStringLiteral(" ORDER BY P.SEGMENT ASC, P.PAGE_INDEX ASC LIMIT 1 ");
    return sql;
}

// Runs the segment search, then its wrap-around when the first run fails or finds nothing.
// 0 and the found card's row, or -6.
int searchSegment(const CollectionAccess &access, const QString &columns, int segment, int mood,
                  bool exterior, QSqlRecord &found)
{
    for (const Step step : {Step::Forward, Step::Wrap}) {
        PreparedQuery query(access.database, segmentSql(columns, step, mood, exterior));
        query->bindValue(0, access.id);
        query->bindValue(1, segment);
        bindMood(query, 2, mood);
        if (query.exec() && query->next()) {
            found = query->record();
            return Ok;
        }
    }
    return NothingQualifies;
}

// With filter 7 and the exterior flag only EXTERIOR counts, so exterior offwhite and
// neutral cards qualify when stepping through the deck.
QString adjacentFilter(int mood, bool exterior)
{
    const QString exteriorClause = QStringLiteral(" AND P.EXTERIOR = 1 ");
    if (mood == kAllMoods)
        return exterior ? exteriorClause : moodClause(kAllMoods);
    QString filter = moodClause(mood);
    if (exterior)
        filter += exteriorClause;
    return filter;
}

QString adjacentSql(bool backwards, Step step, int mood, bool exterior)
{
    // Forwards: the next card, wrapping to the first; backwards: the previous card,
    // wrapping to the last.
    const bool greater = backwards == (step == Step::Wrap);
    QString sql = QStringLiteral(" SELECT * ");
    sql += QStringLiteral(" FROM PAGE P       LEFT JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = "
                          "CMAP.PAGE_ID  WHERE CMAP.COLLECTION_ID = ? ");
    sql += greater ? QStringLiteral(" AND P.PAGE_INDEX > ? ")
                   : QStringLiteral(" AND P.PAGE_INDEX < ? ");
    sql += adjacentFilter(mood, exterior);
    sql += backwards ? QStringLiteral(" ORDER BY P.PAGE_INDEX DESC LIMIT 1 ")
                     : QStringLiteral(" ORDER BY P.PAGE_INDEX ASC LIMIT 1 ");
    return sql;
}

void bindAdjacentFilter(PreparedQuery &query, int position, int mood, bool exterior)
{
    if (mood != kAllMoods || !exterior)
        bindMood(query, position, mood);
}

// Runs the segment search for one column and writes that column's value on success.
int segmentSearchValue(const QUuid &uuid, const QString &column, int segment, int mood,
                       bool exterior, int &value)
{
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    QSqlRecord record;
    const int result = searchSegment(access, column, segment, mood, exterior, record);
    if (result == Ok)
        value = record.value(0).toInt();
    return result;
}

} // namespace

int rowById(const QUuid &uuid, qint64 rowId, ColorEntry &entry)
{
    entry.clear();
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    PreparedQuery query(access.database, kRowByIdSql);
    if (!query.exec({access.id, rowId, access.id}) || !query->next())
        return Failed;
    entry = entryOf(query->record(), access.id);
    return Ok;
}

int rowAt(const QUuid &uuid, int pageIndex, int rowIndex, ColorEntry &entry)
{
    entry.clear();
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    PreparedQuery query(access.database, kRowAtSql);
    if (!query.exec({access.id, pageIndex, rowIndex}) || !query->next())
        return Failed;
    entry = entryOf(query->record(), access.id);
    return Ok;
}

int rowLabTable(const QUuid &uuid, QList<LabSample> &samples)
{
    samples.clear();
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    PreparedQuery query(access.database, kRowLabTableSql);
    if (!query.exec({access.id}))
        return Ok;
    while (query->next()) {
        LabSample sample;
        sample.rowId = query->value(0).toLongLong();
        sample.l = query->value(4).toDouble();
        sample.a = query->value(5).toDouble();
        sample.b = query->value(6).toDouble();
        samples.append(sample);
    }
    return Ok;
}

int findRowByRgb(const QColor &colour, ColorEntry &entry, QUuid *collection)
{
    entry.clear();
    if (collection != nullptr)
        *collection = QUuid();
    // An invalid colour reads as black; it names no chip.
    if (!colour.isValid())
        return Failed;
    CollectionAccess access;
    if (accessSystemWideFile(access) != Ok)
        return Failed;
    PreparedQuery query(access.database, kEnabledRowsSql + kByRgbCondition);
    if (!query.exec({colour.red(), colour.green(), colour.blue()}))
        return Failed;
    return firstCatalogued(query, entry, collection);
}

int findRowByCode(const QString &code, ColorEntry &entry, QUuid *collection)
{
    entry.clear();
    if (collection != nullptr)
        *collection = QUuid();
    // A blank code would match every chip stored without one.
    if (isBlank(code))
        return Failed;
    CollectionAccess access;
    if (accessSystemWideFile(access) != Ok)
        return Failed;
    PreparedQuery query(access.database, kEnabledRowsSql + kByCodeCondition);
    if (!query.exec({code}))
        return Failed;
    return firstCatalogued(query, entry, collection);
}

bool hasExteriorPages(const QUuid &uuid, int mood)
{
    CollectionAccess access;
    if (accessCollection(uuid, access) != Ok)
        return true;
    PreparedQuery query(access.database, kExteriorCountSql);
    if (!query.exec({access.id, mood}) || !query->next())
        return false;
    bool isNumber = false;
    const qint64 count = query->value(0).toLongLong(&isNumber);
    return isNumber && count != 0;
}

int segments(const QUuid &uuid, QList<int> &found)
{
    found.clear();
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    PreparedQuery query(access.database, kSegmentsSql);
    if (query.exec({access.id})) {
        while (query->next())
            found.append(query->value(0).toInt());
    }
    std::sort(found.begin(), found.end());
    return found.isEmpty() ? Failed : Ok;
}

int nearestSegment(const QUuid &uuid, int segment, int mood, bool exterior, int &found)
{
    found = segment;
    return segmentSearchValue(uuid, QStringLiteral("SEGMENT"), segment, mood, exterior, found);
}

int firstPageIndexOfSegment(const QUuid &uuid, int segment, int mood, bool exterior, int &pageIndex)
{
    pageIndex = -1;
    return segmentSearchValue(uuid, QStringLiteral("PAGE_INDEX"), segment, mood, exterior,
                              pageIndex);
}

int firstPageOfSegment(const QUuid &uuid, int segment, int mood, bool exterior, ColorPage &page)
{
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    QSqlRecord record;
    const int result = searchSegment(access, QStringLiteral("*"), segment, mood, exterior, record);
    if (result == Ok)
        page = pageWithRows(access, record, kPageRowsSql);
    return result;
}

int adjacentPage(const QUuid &uuid, int pageIndex, bool backwards, int mood, bool exterior,
                 ColorPage &page)
{
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    for (const Step step : {Step::Forward, Step::Wrap}) {
        QSqlRecord record;
        {
            PreparedQuery query(access.database, adjacentSql(backwards, step, mood, exterior));
            query->bindValue(0, access.id);
            query->bindValue(1, pageIndex);
            bindAdjacentFilter(query, 2, mood, exterior);
            if (!query.exec() || !query->next())
                continue;
            record = query->record();
        }
        page = pageWithRows(access, record, kPageRowsSql);
        return Ok;
    }
    return NothingQualifies;
}

// The card filter of adjacentFilter, for a card already loaded.
bool pageQualifies(const ColorPage &page, int mood, bool exterior)
{
    if (exterior && !page.exterior)
        return false;
    switch (mood) {
    case MoodEvery:
        return true;
    case MoodAll:
        return exterior || !isPaleMood(page.mood);
    default:
        return page.mood == mood;
    }
}

int pageAt(const QUuid &uuid, int pageIndex, ColorPage &page)
{
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    QSqlRecord record;
    {
        PreparedQuery query(access.database, kPageAtSql);
        if (!query.exec({access.id, pageIndex})) {
            const QSqlError error = query->lastError();
            qCDebug(lcDb).noquote() << error.driverText();
            qCDebug(lcDb).noquote() << error.databaseText();
            return Failed;
        }
        if (!query->next())
            return Failed;
        record = query->record();
    }
    page = pageWithRows(access, record, kPageRowsSql);
    return Ok;
}

int pageById(const QUuid &uuid, qint64 pageId, bool withoutRows, ColorPage &page)
{
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    QSqlRecord record;
    {
        PreparedQuery query(access.database, kPageByIdSql);
        if (!query.exec({access.id, pageId}) || !query->next())
            return Failed;
        record = query->record();
    }
    page = withoutRows ? ColorPage(record) : pageWithRows(access, record, kPageRowsInCollectionSql);
    return Ok;
}

} // namespace Corvo::DB
