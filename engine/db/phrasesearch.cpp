#include "engine/db/phrasesearch.h"

#include "engine/db/collectionaccess.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/nameorders.h"
#include "engine/db/preparedquery.h"
#include "engine/db/sqlfunctions.h"

#include <QSqlRecord>

#include <algorithm>
#include <vector>

namespace Corvo::DB {

namespace {

// The searchable texts are read in one pass over the collection's cards and one over its
// chips, and repeats are dropped after sorting: a DISTINCT over a UNION of the columns
// built temporary trees of every text, most of the time on a large deck.
const QString kPageNameTextsSql =
    QStringLiteral("SELECT %1 FROM PAGE P JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID "
                   "WHERE CMAP.COLLECTION_ID = ?");
const QString kRowTextsSql = QStringLiteral(
    "SELECT %1 FROM COLLECTION_PAGE_MAP CMAP JOIN PAGE P ON P.ID = CMAP.PAGE_ID JOIN \"ROW\" R "
    "ON R.PAGE_ID = P.ID WHERE CMAP.COLLECTION_ID = ?");

// Both phrase statements bind the collection ID and then the phrase once per "?".
const QString kCardOrChipSql = QStringLiteral(
    "SELECT     P.SEGMENT AS PAGE_SEGMENT,     P.PAGE_INDEX,     R.ROW_INDEX,     P.MOOD AS "
    "PAGE_MOOD,     P.EXTERIOR AS PAGE_EXTERIOR,     (? IN (%1)) AS IS_PAGE FROM     \"ROW\" "
    "R     JOIN PAGE P ON R.PAGE_ID = P.ID     JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = "
    "CMAP.PAGE_ID WHERE     CMAP.COLLECTION_ID = ?     AND ? IN (%2) LIMIT     1 ");
const QString kChipOnlySql = QStringLiteral(
    "SELECT     P.SEGMENT AS PAGE_SEGMENT,     P.PAGE_INDEX,     R.ROW_INDEX,     P.MOOD AS "
    "PAGE_MOOD,     P.EXTERIOR AS PAGE_EXTERIOR,     0 AS IS_PAGE FROM     \"ROW\" R     JOIN "
    "PAGE P ON R.PAGE_ID = P.ID     JOIN COLLECTION_PAGE_MAP CMAP ON P.ID = CMAP.PAGE_ID WHERE "
    "    CMAP.COLLECTION_ID = ?     AND ? IN (%1) LIMIT     1 ");

bool isNameColumn(int column)
{
    return column >= 0 && column <= 9;
}

// One text per searched column; entries outside 0 to 9 are skipped, repeats repeat.
QStringList columnTexts(const QList<int> &order, const QString &pattern)
{
    QStringList texts;
    for (const int column : order) {
        if (isNameColumn(column))
            texts.append(pattern.arg(column));
    }
    return texts;
}

// The database upper-cases with the same Unicode rules as QString::toUpper, so "blå"
// finds "Blå"; SQLite's own UPPER() only folds ASCII.
QString upperColumn(const QString &column)
{
    return QLatin1String(kUnicodeUpperFunction) + QLatin1Char('(') + column + QLatin1Char(')');
}

QString upperColumns(const QList<int> &order, const QString &table)
{
    QStringList columns;
    for (const QString &column : columnTexts(order, table + QStringLiteral(".NAME%1")))
        columns.append(upperColumn(column));
    return columns.join(QLatin1Char(','));
}

// Blank texts are no suggestions: SQLite's TRIM() removes spaces only, so do the same.
bool isBlank(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == QLatin1Char(' '); });
}

// Appends every text of the statement's columns that is not blank; false when it failed.
bool collectTexts(const CollectionAccess &access, const QString &sql, QStringList &texts)
{
    QStringList read;
    if (!appendTexts(access.database, sql, access.id, read))
        return false;
    for (QString &text : read) {
        if (!isBlank(text))
            texts.append(std::move(text));
    }
    return true;
}

// One UTF-16 unit of a text folded to case as QString::compare(Qt::CaseInsensitive) folds
// it: the low half of a surrogate pair stands for the folded pair, the high half for itself.
quint64 foldedUnit(const QString &text, qsizetype i)
{
    const char16_t unit = text.at(i).unicode();
    if (unit < 0x80)
        return unit >= u'A' && unit <= u'Z' ? unit + (u'a' - u'A') : unit;
    if (QChar::isLowSurrogate(unit) && i > 0 && text.at(i - 1).isHighSurrogate()) {
        const char32_t pair = QChar::surrogateToUcs4(text.at(i - 1).unicode(), unit);
        return QChar::lowSurrogate(QChar::toCaseFolded(pair));
    }
    return QChar::toCaseFolded(unit);
}

// The case-insensitive order of two texts whose first `from` units fold alike.
int compareFoldedFrom(const QString &x, const QString &y, qsizetype from)
{
    const qsizetype common = std::min(x.size(), y.size());
    for (qsizetype i = from; i < common; ++i) {
        const quint64 a = foldedUnit(x, i);
        const quint64 b = foldedUnit(y, i);
        if (a != b)
            return a < b ? -1 : 1;
    }
    return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
}

// A text with its first eight units folded to case and packed into two numbers that
// compare as the units do: most comparisons of the sort end there.
struct SortedText
{
    static constexpr qsizetype kPrefixUnits = 8;

    explicit SortedText(QString &&original) : text(std::move(original))
    {
        for (qsizetype i = 0; i < kPrefixUnits; ++i) {
            const quint64 unit = i < text.size() ? foldedUnit(text, i) : 0u;
            head = (head << 16) | (tail >> 48);
            tail = (tail << 16) | unit;
        }
    }

    bool operator<(const SortedText &other) const
    {
        if (head != other.head)
            return head < other.head;
        if (tail != other.tail)
            return tail < other.tail;
        const int order = compareFoldedFrom(text, other.text, kPrefixUnits);
        return order != 0 ? order < 0 : text < other.text;
    }

    quint64 head = 0;
    quint64 tail = 0;
    QString text;
};

// Sorts by case-insensitive comparison, ties by exact comparison, and drops repeats, which
// the order puts side by side.
void sortWithoutRepeats(QStringList &texts)
{
    std::vector<SortedText> sorted;
    sorted.reserve(texts.size());
    for (QString &text : texts)
        sorted.emplace_back(std::move(text));
    std::sort(sorted.begin(), sorted.end());
    texts.clear();
    for (SortedText &entry : sorted) {
        if (texts.isEmpty() || texts.constLast() != entry.text)
            texts.append(std::move(entry.text));
    }
}

} // namespace

int searchSuggestions(const QUuid &uuid, QStringList &suggestions)
{
    suggestions.clear();
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    const NameOrders &orders = currentNameOrders();
    const QStringList pageColumns = columnTexts(orders.pageNameSearch, QStringLiteral("P.NAME%1"));
    const QStringList rowColumns = columnTexts(orders.rowNameSearch, QStringLiteral("R.NAME%1"))
                                   << QStringLiteral("R.CODE");
    bool ran = true;
    if (!pageColumns.isEmpty()) {
        ran = collectTexts(access, kPageNameTextsSql.arg(pageColumns.join(u',')), suggestions);
    }
    if (!ran || !collectTexts(access, kRowTextsSql.arg(rowColumns.join(u',')), suggestions))
        suggestions.clear();
    sortWithoutRepeats(suggestions);
    return suggestions.isEmpty() ? Failed : Ok;
}

int findPhrase(const QUuid &uuid, const QString &phrase, PhraseMatch &match)
{
    match = PhraseMatch();
    CollectionAccess access;
    const int connected = accessCollection(uuid, access);
    if (connected < 0)
        return connected;
    // A blank phrase would name every card or chip stored without a name.
    if (phrase.trimmed().isEmpty())
        return NothingQualifies;
    const NameOrders &orders = currentNameOrders();
    const QString pageColumns = upperColumns(orders.pageNameSearch, QStringLiteral("P"));
    QStringList allColumns;
    if (!pageColumns.isEmpty())
        allColumns.append(pageColumns);
    const QString rowColumns = upperColumns(orders.rowNameSearch, QStringLiteral("R"));
    if (!rowColumns.isEmpty())
        allColumns.append(rowColumns);
    allColumns.append(upperColumn(QStringLiteral("R.CODE")));
    const QString fullColumns = allColumns.join(QLatin1Char(','));
    const QString upperPhrase = phrase.toUpper();

    const bool searchesCards = !pageColumns.isEmpty();
    PreparedQuery query(access.database, searchesCards
                                             ? kCardOrChipSql.arg(pageColumns, fullColumns)
                                             : kChipOnlySql.arg(fullColumns));
    const bool ran = searchesCards ? query.exec({upperPhrase, access.id, upperPhrase})
                                   : query.exec({access.id, upperPhrase});
    if (!ran)
        return Failed;
    if (!query->next())
        return NothingQualifies;
    const QSqlRecord record = query->record();
    match.pageIndex = record.value(QStringLiteral("PAGE_INDEX")).toInt();
    match.segment = record.value(QStringLiteral("PAGE_SEGMENT")).toInt();
    match.mood = record.value(QStringLiteral("PAGE_MOOD")).toInt();
    match.exterior = record.value(QStringLiteral("PAGE_EXTERIOR")).toLongLong() != 0;
    if (record.value(QStringLiteral("IS_PAGE")).toInt() == 0)
        match.rowIndex = record.value(QStringLiteral("ROW_INDEX")).toInt();
    return Ok;
}

} // namespace Corvo::DB
