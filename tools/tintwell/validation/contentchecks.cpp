#include "tools/tintwell/validation/contentchecks.h"

#include "engine/colour/colorscience.h"
#include "tools/tintwell/validation/validationcontext.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRegularExpression>
#include <QSet>

#include <cmath>

namespace Tintwell::ContentChecks {

namespace {

constexpr qint64 kSystemWideId = 0;
const QString kSystemWideUuid = QStringLiteral("{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}");
constexpr double kLabTolerance = 1.0;
constexpr int kFirstMood = 1;
constexpr int kLastMood = 6;

// Checked without converting to an integer: a stored value far outside qint64 cannot be
// converted at all.
bool isWholeNumber(const QVariant &value, qint64 minimum, qint64 maximum)
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok && number >= static_cast<double>(minimum) && number <= static_cast<double>(maximum) &&
           std::trunc(number) == number;
}

bool inRange(const QVariant &value, double minimum, double maximum)
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok && number >= minimum && number <= maximum;
}

// Every row the statement yields is one offender; its first column names it.
void reportRows(ValidationContext &context, const QString &table, const QString &sql,
                const std::function<QString(const QList<QVariant> &)> &describe, bool error = true)
{
    OffenderReport report(context.problems(), error);
    context.forEachRow(QStringLiteral("table %1").arg(table), sql, {},
                       [&](const QList<QVariant> &row) {
                           report.add(QStringLiteral("table %1").arg(table), describe(row));
                       });
}

bool tablesPresent(const ValidationContext &context, const QStringList &tables)
{
    return std::all_of(tables.cbegin(), tables.cend(),
                       [&](const QString &table) { return context.hasTable(table); });
}

} // namespace

void checkCollections(ValidationContext &context)
{
    static const QRegularExpression uuidForm(QStringLiteral(
        "^\\{[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}\\}$"));
    static const QRegularExpression systemIdForm(
        QStringLiteral("^(?=.{1,32}$)[^\\s\\p{Cc}](.*[^\\s\\p{Cc}])?$"));
    ProblemList &problems = context.problems();
    QHash<QString, qint64> uuids;
    QHash<QString, qint64> systemIds;
    int systemWide = 0;
    for (const CollectionEntry &collection : context.collections()) {
        const QString where = context.collectionLabel(collection.id);
        const bool allF = collection.uuid.compare(kSystemWideUuid, Qt::CaseInsensitive) == 0;
        if (collection.id == kSystemWideId) {
            ++systemWide;
            if (!allF)
                problems.error(where, QStringLiteral("the system-wide collection (ID 0) must "
                                                     "have the UUID %1, not \"%2\"")
                                          .arg(kSystemWideUuid, collection.uuid));
        } else if (allF) {
            problems.error(where, QStringLiteral("only the collection with ID 0 may carry the "
                                                 "system-wide UUID"));
        }
        if (!uuidForm.match(collection.uuid).hasMatch())
            problems.error(where, QStringLiteral("UUID \"%1\" is not in the braced "
                                                 "38-character form")
                                      .arg(collection.uuid));
        const QString uuidKey = collection.uuid.toUpper();
        if (uuids.contains(uuidKey))
            problems.error(
                where, QStringLiteral("UUID %1 is also used by %2")
                           .arg(collection.uuid, context.collectionLabel(uuids.value(uuidKey))));
        uuids.insert(uuidKey, collection.id);
        if (collection.systemId.trimmed().isEmpty())
            problems.error(where, QStringLiteral("SYSTEMID is empty"));
        else if (!systemIdForm.match(collection.systemId).hasMatch())
            problems.error(where, QStringLiteral("SYSTEMID \"%1\" is not 1 to 32 characters "
                                                 "without blanks at either end or control "
                                                 "characters; palette files name the "
                                                 "collection by it")
                                      .arg(collection.systemId));
        const QString systemIdKey = collection.systemId.toUpper();
        if (systemIds.contains(systemIdKey))
            problems.error(where, QStringLiteral("SYSTEMID \"%1\" is also used by %2 (letter "
                                                 "case does not count)")
                                      .arg(collection.systemId,
                                           context.collectionLabel(systemIds.value(systemIdKey))));
        systemIds.insert(systemIdKey, collection.id);
    }
    if (systemWide == 0)
        problems.error(
            QStringLiteral("table COLLECTION"),
            QStringLiteral("no system-wide collection (ID 0, UUID %1)").arg(kSystemWideUuid));
    else if (systemWide > 1)
        problems.error(QStringLiteral("table COLLECTION"),
                       QStringLiteral("%1 collections have ID 0; a file holds exactly one "
                                      "system-wide collection")
                           .arg(systemWide));
    reportRows(
        context, QStringLiteral("COLLECTION"),
        QStringLiteral("SELECT \"ORDER\", GROUP_CONCAT(SYSTEMID, ', ') FROM COLLECTION "
                       "WHERE ID <> 0 GROUP BY \"ORDER\" HAVING COUNT(*) > 1"),
        [](const QList<QVariant> &row) {
            return QStringLiteral("collections %1 share ORDER %2: the list offers only "
                                  "one of them")
                .arg(row.at(1).toString(), row.at(0).toString());
        },
        false);
    if (context.hasTable(QStringLiteral("SETTING")) &&
        context.scalar(QStringLiteral("SELECT COUNT(*) FROM SETTING WHERE COLLECTION_ID <> 0 "
                                      "AND NAME = 'collection.enabled' COLLATE NOCASE AND "
                                      "VALUE_INDEX = 0 AND CAST(VALUE AS TEXT) = '1'"))
                .toLongLong() == 0)
        problems.warning(QStringLiteral("table SETTING"),
                         QStringLiteral("no collection has \"collection.enabled\" 1: the "
                                        "picker offers nothing from this file"));
}

void checkCards(ValidationContext &context)
{
    if (!tablesPresent(context, {QStringLiteral("PAGE"), QStringLiteral("COLLECTION_PAGE_MAP"),
                                 QStringLiteral("ROW")}))
        return;
    reportRows(context, QStringLiteral("COLLECTION_PAGE_MAP"),
               QStringLiteral("SELECT M.COLLECTION_ID, M.PAGE_ID FROM COLLECTION_PAGE_MAP M "
                              "WHERE M.COLLECTION_ID NOT IN (SELECT ID FROM COLLECTION) OR "
                              "M.PAGE_ID NOT IN (SELECT ID FROM PAGE) OR M.COLLECTION_ID IS "
                              "NULL OR M.PAGE_ID IS NULL"),
               [](const QList<QVariant> &row) {
                   return QStringLiteral("maps page ID %1 to collection ID %2, and one of "
                                         "them does not exist")
                       .arg(row.at(1).toString(), row.at(0).toString());
               });
    reportRows(context, QStringLiteral("COLLECTION_PAGE_MAP"),
               QStringLiteral("SELECT COLLECTION_ID, PAGE_ID, COUNT(*) FROM COLLECTION_PAGE_MAP "
                              "GROUP BY COLLECTION_ID, PAGE_ID HAVING COUNT(*) > 1"),
               [](const QList<QVariant> &row) {
                   return QStringLiteral("maps page ID %2 to collection ID %1 %3 times: the "
                                         "card would show each chip %3 times")
                       .arg(row.at(0).toString(), row.at(1).toString(), row.at(2).toString());
               });
    reportRows(
        context, QStringLiteral("PAGE"),
        QStringLiteral("SELECT ID FROM PAGE WHERE ID NOT IN (SELECT PAGE_ID FROM "
                       "COLLECTION_PAGE_MAP WHERE PAGE_ID IS NOT NULL)"),
        [&](const QList<QVariant> &row) {
            return QStringLiteral("page ID %1 belongs to no collection and is never "
                                  "shown")
                .arg(row.at(0).toString());
        },
        false);
    OffenderReport indexes(context.problems(), true);
    context.forEachRow(
        QStringLiteral("table PAGE"),
        QStringLiteral("SELECT ID, PAGE_INDEX, SEGMENT FROM PAGE WHERE NOT (PAGE_INDEX > 0) OR "
                       "NOT (SEGMENT > 0) OR PAGE_INDEX IS NULL OR SEGMENT IS NULL"),
        {}, [&](const QList<QVariant> &row) {
            indexes.add(context.pageLabel(row.at(0).toLongLong()),
                        QStringLiteral("PAGE_INDEX %1 and SEGMENT %2 must both be above 0")
                            .arg(row.at(1).toString(), row.at(2).toString()));
        });
    OffenderReport duplicatePages(context.problems(), true);
    context.forEachRow(
        QStringLiteral("table PAGE"),
        QStringLiteral("SELECT M.COLLECTION_ID, P.PAGE_INDEX, GROUP_CONCAT(DISTINCT P.ID) FROM "
                       "PAGE P JOIN COLLECTION_PAGE_MAP M ON M.PAGE_ID = P.ID GROUP BY "
                       "M.COLLECTION_ID, P.PAGE_INDEX HAVING COUNT(DISTINCT P.ID) > 1"),
        {}, [&](const QList<QVariant> &row) {
            duplicatePages.add(context.collectionLabel(row.at(0).toLongLong()),
                               QStringLiteral("PAGE_INDEX %1 is used by more than one card "
                                              "(page IDs %2)")
                                   .arg(row.at(1).toString(), row.at(2).toString()));
        });
    reportRows(context, QStringLiteral("ROW"),
               QStringLiteral("SELECT ID, PAGE_ID FROM \"ROW\" WHERE PAGE_ID NOT IN (SELECT ID "
                              "FROM PAGE) OR PAGE_ID IS NULL"),
               [](const QList<QVariant> &row) {
                   return QStringLiteral("row ID %1 lies on page ID %2, which does not exist")
                       .arg(row.at(0).toString(), row.at(1).toString());
               });
    OffenderReport duplicateRows(context.problems(), true);
    context.forEachRow(
        QStringLiteral("table ROW"),
        QStringLiteral("SELECT PAGE_ID, ROW_INDEX, GROUP_CONCAT(CODE, ', ') FROM \"ROW\" GROUP BY "
                       "PAGE_ID, ROW_INDEX HAVING COUNT(*) > 1"),
        {}, [&](const QList<QVariant> &row) {
            duplicateRows.add(context.pageLabel(row.at(0).toLongLong()),
                              QStringLiteral("ROW_INDEX %1 is used by more than one chip (%2)")
                                  .arg(row.at(1).toString(), row.at(2).toString()));
        });
    OffenderReport rowIndexes(context.problems(), true);
    context.forEachRow(QStringLiteral("table ROW"),
                       QStringLiteral("SELECT ID, ROW_INDEX FROM \"ROW\" WHERE NOT (ROW_INDEX > "
                                      "0) OR ROW_INDEX IS NULL OR NOT (SEGMENT > 0) OR SEGMENT "
                                      "IS NULL"),
                       {}, [&](const QList<QVariant> &row) {
                           rowIndexes.add(context.rowLabel(row.at(0).toLongLong()),
                                          QStringLiteral("ROW_INDEX %1 or its SEGMENT is not "
                                                         "above 0")
                                              .arg(row.at(1).toString()));
                       });
    OffenderReport positions(context.problems(), false);
    context.forEachRow(
        QStringLiteral("table ROW"),
        QStringLiteral("SELECT PAGE_ID, MIN(ROW_INDEX), MAX(ROW_INDEX), COUNT(*), COUNT(DISTINCT "
                       "ROW_INDEX) FROM \"ROW\" GROUP BY PAGE_ID HAVING MIN(ROW_INDEX) <> 1 OR "
                       "MAX(ROW_INDEX) <> COUNT(*) OR COUNT(DISTINCT ROW_INDEX) <> COUNT(*)"),
        {}, [&](const QList<QVariant> &row) {
            positions.add(context.pageLabel(row.at(0).toLongLong()),
                          QStringLiteral("the ROW_INDEX values of its %3 chips are not exactly 1 "
                                         "to %3 (lowest %1, highest %2, %4 different): a chip's "
                                         "position and its index disagree")
                              .arg(row.at(1).toString(), row.at(2).toString(), row.at(3).toString(),
                                   row.at(4).toString()));
        });
    if (context.hasColumn(QStringLiteral("ROW"), QStringLiteral("COLLECTION_ID"))) {
        OffenderReport owners(context.problems(), true);
        context.forEachRow(
            QStringLiteral("table ROW"),
            QStringLiteral("SELECT R.ID, R.COLLECTION_ID FROM \"ROW\" R WHERE NOT EXISTS (SELECT "
                           "1 FROM COLLECTION_PAGE_MAP M WHERE M.PAGE_ID = R.PAGE_ID AND "
                           "M.COLLECTION_ID = R.COLLECTION_ID) AND EXISTS (SELECT 1 FROM "
                           "COLLECTION_PAGE_MAP M WHERE M.PAGE_ID = R.PAGE_ID)"),
            {}, [&](const QList<QVariant> &row) {
                owners.add(context.rowLabel(row.at(0).toLongLong()),
                           QStringLiteral("ROW.COLLECTION_ID %1 is not a collection its card "
                                          "belongs to; the records would disagree")
                               .arg(row.at(1).toString()));
            });
    }
}

void checkColours(ValidationContext &context)
{
    if (!context.hasTable(QStringLiteral("ROW")))
        return;
    OffenderReport ranges(context.problems(), true);
    OffenderReport lab(context.problems(), true);
    context.forEachRow(
        QStringLiteral("table ROW"),
        QStringLiteral("SELECT ID, RED, GREEN, BLUE, L, A, B FROM \"ROW\""), {},
        [&](const QList<QVariant> &row) {
            const QString where = context.rowLabel(row.at(0).toLongLong());
            const bool rgbOk = isWholeNumber(row.at(1), 0, 255) &&
                               isWholeNumber(row.at(2), 0, 255) && isWholeNumber(row.at(3), 0, 255);
            const bool labOk = inRange(row.at(4), 0.0, 100.0) &&
                               inRange(row.at(5), -128.0, 127.0) &&
                               inRange(row.at(6), -128.0, 127.0);
            if (!rgbOk || !labOk) {
                ranges.add(where, QStringLiteral("RGB (%1, %2, %3) or Lab (%4, %5, %6) out of "
                                                 "range (0-255; L 0-100, a and b -128-127)")
                                      .arg(row.at(1).toString(), row.at(2).toString(),
                                           row.at(3).toString(), row.at(4).toString(),
                                           row.at(5).toString(), row.at(6).toString()));
                return;
            }
            const Corvo::Lab stored{row.at(4).toDouble(), row.at(5).toDouble(),
                                    row.at(6).toDouble()};
            const Corvo::Lab computed = Corvo::labFromColor(
                QColor(row.at(1).toInt(), row.at(2).toInt(), row.at(3).toInt()));
            const double difference = Corvo::deltaE2000(computed, stored);
            if (difference >= kLabTolerance)
                lab.add(where, QStringLiteral("Lab (%1, %2, %3) is not the colour of its RGB "
                                              "(%4, %5, %6), which is Lab (%7, %8, %9): "
                                              "CIEDE2000 %10")
                                   .arg(stored.l, 0, 'f', 2)
                                   .arg(stored.a, 0, 'f', 2)
                                   .arg(stored.b, 0, 'f', 2)
                                   .arg(row.at(1).toInt())
                                   .arg(row.at(2).toInt())
                                   .arg(row.at(3).toInt())
                                   .arg(computed.l, 0, 'f', 2)
                                   .arg(computed.a, 0, 'f', 2)
                                   .arg(computed.b, 0, 'f', 2)
                                   .arg(difference, 0, 'f', 2));
        });
    if (!context.hasTable(QStringLiteral("VISTARA_ENTRY")))
        return;
    reportRows(context, QStringLiteral("VISTARA_ENTRY"),
               QStringLiteral("SELECT ID, RED, GREEN, BLUE FROM VISTARA_ENTRY WHERE NOT (RED "
                              "BETWEEN 0 AND 255 AND GREEN BETWEEN 0 AND 255 AND BLUE BETWEEN 0 "
                              "AND 255)"),
               [](const QList<QVariant> &row) {
                   return QStringLiteral("trend entry ID %1 has RGB (%2, %3, %4) out of range")
                       .arg(row.at(0).toString(), row.at(1).toString(), row.at(2).toString(),
                            row.at(3).toString());
               });
}

void checkMoods(ValidationContext &context)
{
    OffenderReport pages(context.problems(), true);
    if (context.hasTable(QStringLiteral("PAGE")))
        context.forEachRow(QStringLiteral("table PAGE"),
                           QStringLiteral("SELECT ID, MOOD FROM PAGE WHERE MOOD IS NULL OR "
                                          "MOOD NOT BETWEEN ? AND ?"),
                           {kFirstMood, kLastMood}, [&](const QList<QVariant> &row) {
                               pages.add(context.pageLabel(row.at(0).toLongLong()),
                                         QStringLiteral("MOOD %1 is none of 1 to 6: only the "
                                                        "all-moods filter shows this card")
                                             .arg(row.at(1).toString()));
                           });
    OffenderReport rows(context.problems(), true);
    if (context.hasTable(QStringLiteral("ROW")))
        context.forEachRow(
            QStringLiteral("table ROW"),
            QStringLiteral("SELECT ID, MOOD FROM \"ROW\" WHERE MOOD IS NULL OR "
                           "MOOD NOT BETWEEN ? AND ?"),
            {kFirstMood, kLastMood}, [&](const QList<QVariant> &row) {
                rows.add(context.rowLabel(row.at(0).toLongLong()),
                         QStringLiteral("MOOD %1 is none of 1 to 6").arg(row.at(1).toString()));
            });
}

void checkReferences(ValidationContext &context)
{
    struct Reference
    {
        QStringList tables;
        QString table;
        QString sql;
        QString what;
    };
    // Each statement yields the offending rows with their identifying values; "what"
    // takes them as %1, %2, ...
    const QList<Reference> references = {
        {{QStringLiteral("ROW_SCHEME_MAP"), QStringLiteral("ROW")},
         QStringLiteral("ROW_SCHEME_MAP"),
         QStringLiteral("SELECT M.ROW_ID, M.SCHEME_ID, M.SCHEME_ROW_ID FROM ROW_SCHEME_MAP M "
                        "WHERE M.ROW_ID NOT IN (SELECT ID FROM \"ROW\") OR M.SCHEME_ROW_ID NOT "
                        "IN (SELECT ID FROM \"ROW\") OR M.ROW_ID IS NULL OR M.SCHEME_ROW_ID IS "
                        "NULL"),
         QStringLiteral("scheme %2 of row ID %1 names row ID %3; one of the two chips does not "
                        "exist")},
        {{QStringLiteral("ROW_SCHEME_MAP"), QStringLiteral("ROW"),
          QStringLiteral("COLLECTION_PAGE_MAP")},
         QStringLiteral("ROW_SCHEME_MAP"),
         QStringLiteral("SELECT DISTINCT M.ROW_ID, M.COLLECTION_ID FROM ROW_SCHEME_MAP M JOIN "
                        "\"ROW\" R ON R.ID = M.ROW_ID WHERE NOT EXISTS (SELECT 1 FROM "
                        "COLLECTION_PAGE_MAP C WHERE C.PAGE_ID = R.PAGE_ID AND C.COLLECTION_ID "
                        "= M.COLLECTION_ID)"),
         QStringLiteral("schemes of row ID %1 are filed under collection ID %2, which the chip "
                        "does not belong to")},
        {{QStringLiteral("ROW_SCHEME_MAP")},
         QStringLiteral("ROW_SCHEME_MAP"),
         QStringLiteral("SELECT DISTINCT ROW_ID, SCHEME_ID FROM ROW_SCHEME_MAP WHERE SCHEME_ID "
                        "NOT BETWEEN 1 AND 8 OR SCHEME_ID IS NULL"),
         QStringLiteral("row ID %1 has a scheme %2, which is none of 1 to 8")},
        {{QStringLiteral("PAGE_SCHEME"), QStringLiteral("PAGE")},
         QStringLiteral("PAGE_SCHEME"),
         QStringLiteral("SELECT PAGE_ID, SCHEME_ID, SCHEME_PAGE_ID FROM PAGE_SCHEME WHERE "
                        "PAGE_ID NOT IN (SELECT ID FROM PAGE) OR SCHEME_PAGE_ID NOT IN (SELECT "
                        "ID FROM PAGE) OR SCHEME_ID NOT BETWEEN 1 AND 8"),
         QStringLiteral("card scheme %2 of page ID %1 names page ID %3; a page does not exist "
                        "or the scheme is none of 1 to 8")},
        {{QStringLiteral("ROW_TO_PAGE_SCHEME"), QStringLiteral("ROW"), QStringLiteral("PAGE")},
         QStringLiteral("ROW_TO_PAGE_SCHEME"),
         QStringLiteral("SELECT ROW_ID, SCHEME_ID, SCHEME_PAGE_ID FROM ROW_TO_PAGE_SCHEME WHERE "
                        "ROW_ID NOT IN (SELECT ID FROM \"ROW\") OR SCHEME_PAGE_ID NOT IN "
                        "(SELECT ID FROM PAGE) OR SCHEME_ID NOT BETWEEN 1 AND 8"),
         QStringLiteral("card scheme %2 of row ID %1 names page ID %3; the chip or the page "
                        "does not exist, or the scheme is none of 1 to 8")},
        {{QStringLiteral("VISTARA_GROUP")},
         QStringLiteral("VISTARA_GROUP"),
         QStringLiteral("SELECT ID, COLLECTION_ID FROM VISTARA_GROUP WHERE COLLECTION_ID <> 0 "
                        "AND COLLECTION_ID NOT IN (SELECT ID FROM COLLECTION)"),
         QStringLiteral("trend group ID %1 belongs to collection ID %2, which does not exist")},
        {{QStringLiteral("VISTARA_ENTRY"), QStringLiteral("VISTARA_GROUP"), QStringLiteral("ROW")},
         QStringLiteral("VISTARA_ENTRY"),
         QStringLiteral("SELECT ID, VISTARA_GROUP_ID, ROW_ID FROM VISTARA_ENTRY WHERE "
                        "VISTARA_GROUP_ID NOT IN (SELECT ID FROM VISTARA_GROUP) OR (ROW_ID IS "
                        "NOT NULL AND ROW_ID NOT IN (SELECT ID FROM \"ROW\"))"),
         QStringLiteral("trend entry ID %1 names group ID %2 and row ID %3; one of them does "
                        "not exist")},
        {{QStringLiteral("ROW_PRODUCT_MAP"), QStringLiteral("PRODUCT"), QStringLiteral("ROW")},
         QStringLiteral("ROW_PRODUCT_MAP"),
         QStringLiteral("SELECT ROW_ID, PRODUCT_ID FROM ROW_PRODUCT_MAP WHERE ROW_ID NOT IN "
                        "(SELECT ID FROM \"ROW\") OR PRODUCT_ID NOT IN (SELECT ID FROM "
                        "PRODUCT)"),
         QStringLiteral("row ID %1 is sold as product ID %2; the chip or the product does not "
                        "exist")},
        {{QStringLiteral("ROW_PRODUCT_GROUP_MAP"), QStringLiteral("PRODUCT_GROUP"),
          QStringLiteral("ROW")},
         QStringLiteral("ROW_PRODUCT_GROUP_MAP"),
         QStringLiteral("SELECT ROW_ID, PRODUCT_GROUP_ID FROM ROW_PRODUCT_GROUP_MAP WHERE "
                        "ROW_ID NOT IN (SELECT ID FROM \"ROW\") OR PRODUCT_GROUP_ID NOT IN "
                        "(SELECT ID FROM PRODUCT_GROUP)"),
         QStringLiteral("row ID %1 is in product group ID %2; the chip or the group does not "
                        "exist")},
        {{QStringLiteral("TEXTURE")},
         QStringLiteral("TEXTURE"),
         QStringLiteral("SELECT ID, COLLECTION_ID, BASE_ALPHA FROM TEXTURE WHERE (COLLECTION_ID "
                        "<> 0 AND COLLECTION_ID NOT IN (SELECT ID FROM COLLECTION)) OR NOT "
                        "(BASE_ALPHA BETWEEN 0 AND 1)"),
         QStringLiteral("texture ID %1 belongs to collection ID %2, which does not exist, or "
                        "its BASE_ALPHA %3 lies outside 0 to 1")},
        {{QStringLiteral("TEXTURE_MAP"), QStringLiteral("TEXTURE"), QStringLiteral("PAGE")},
         QStringLiteral("TEXTURE_MAP"),
         QStringLiteral("SELECT TEXTURE_ID, PAGE_ID, ALPHA FROM TEXTURE_MAP WHERE TEXTURE_ID "
                        "NOT IN (SELECT ID FROM TEXTURE) OR PAGE_ID NOT IN (SELECT ID FROM "
                        "PAGE) OR NOT (ALPHA > 0 AND ALPHA <= 1)"),
         QStringLiteral("texture ID %1 on page ID %2 with ALPHA %3: the texture or the page "
                        "does not exist, or ALPHA is not above 0 and at most 1")},
    };
    for (const Reference &reference : references) {
        if (!tablesPresent(context, reference.tables))
            continue;
        reportRows(context, reference.table, reference.sql, [&](const QList<QVariant> &row) {
            QString what = reference.what;
            for (const QVariant &value : row)
                what = what.arg(value.isNull() ? QStringLiteral("NULL") : value.toString());
            return what;
        });
    }
    for (const QString &table :
         {QStringLiteral("SETTING"), QStringLiteral("LOCALE"), QStringLiteral("THEME")}) {
        if (!context.hasTable(table))
            continue;
        reportRows(
            context, table,
            QStringLiteral("SELECT COLLECTION_ID, COUNT(*) FROM \"%1\" WHERE "
                           "COLLECTION_ID NOT IN (SELECT ID FROM COLLECTION) GROUP BY "
                           "COLLECTION_ID")
                .arg(table),
            [](const QList<QVariant> &row) {
                return QStringLiteral("%1 rows belong to collection ID %2, which does "
                                      "not exist; nothing reads them")
                    .arg(row.at(1).toString(), row.at(0).toString());
            },
            false);
    }
    if (!context.hasTable(QStringLiteral("TEXTURE")))
        return;
    OffenderReport images(context.problems(), true);
    context.forEachRow(QStringLiteral("table TEXTURE"),
                       QStringLiteral("SELECT ID, NAME, IMAGE FROM TEXTURE"), {},
                       [&](const QList<QVariant> &row) {
                           if (QImage::fromData(row.at(2).toByteArray()).isNull())
                               images.add(QStringLiteral("texture ID %1 \"%2\"")
                                              .arg(row.at(0).toString(), row.at(1).toString()),
                                          QStringLiteral("IMAGE does not decode as an image"));
                       });
}

void checkSchemeCounts(ValidationContext &context)
{
    if (!tablesPresent(context, {QStringLiteral("ROW_SCHEME_MAP"), QStringLiteral("SETTING")}))
        return;
    for (const CollectionEntry &collection : context.collections()) {
        const QVariant chips = context.scalar(
            QStringLiteral("SELECT VALUE FROM SETTING WHERE COLLECTION_ID = ? AND NAME = "
                           "'max.chips.on.a.page' COLLATE NOCASE AND VALUE_INDEX = 0"),
            {collection.id});
        bool ok = false;
        const int perRow = chips.toInt(&ok);
        if (!ok || perRow <= 0)
            continue;
        OffenderReport counts(context.problems(), false);
        context.forEachRow(
            QStringLiteral("table ROW_SCHEME_MAP"),
            QStringLiteral("SELECT ROW_ID, SCHEME_ID, COUNT(*) FROM ROW_SCHEME_MAP WHERE "
                           "COLLECTION_ID = ? GROUP BY ROW_ID, SCHEME_ID HAVING COUNT(*) % ? "
                           "<> 0"),
            {collection.id, perRow}, [&](const QList<QVariant> &row) {
                counts.add(context.rowLabel(row.at(0).toLongLong()),
                           QStringLiteral("scheme %1 holds %2 chips, not a multiple of "
                                          "\"max.chips.on.a.page\" %3: the schemer shows none")
                               .arg(row.at(1).toString(), row.at(2).toString())
                               .arg(perRow));
            });
    }
}

} // namespace Tintwell::ContentChecks
