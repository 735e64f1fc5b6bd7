#include "testenvironment.h"

#include "tools/tintwell/cli/commandline.h"
#include "tools/tintwell/validation/filevalidator.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace {

const QString kExampleSource = QStringLiteral(TINTWELL_EXAMPLE_SOURCE);
const QString kEditConnection = QStringLiteral("tst_tintwellvalidate-edit");

// The view as first written: a priority that is no number ranks first (CAST gives 0).
const char kCarelessView[] =
    "CREATE VIEW CAPSURE_COLLECTION_IDS_BY_PRIORITY AS SELECT S.COLLECTION_ID, "
    "COALESCE(CAST(S.VALUE AS INTEGER), 999) AS PRIORITY FROM SETTING S WHERE S.NAME = "
    "'capsure.priority' AND S.COLLECTION_ID IN (SELECT S2.COLLECTION_ID FROM SETTING S2 WHERE "
    "S2.NAME = 'capsure.enabled' COLLATE NOCASE AND CAST(S2.VALUE AS INTEGER) = 1) ORDER BY "
    "PRIORITY ASC";

} // namespace

// "tintwell validate" on files broken on purpose: each breach is reported with where it
// is and what is wrong, and nothing crashes.
class TintwellValidateTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exampleIsValid();
    void reportsBreaches_data();
    void reportsBreaches();
    void themeImagesMayHaveMorePixelsButNotAnotherShape_data();
    void themeImagesMayHaveMorePixelsButNotAnotherShape();
    void reportsFilesThatAreNotDatabases_data();
    void reportsFilesThatAreNotDatabases();
    void warningsAloneKeepTheFileValid();
    void jsonReportAndExitCodes();
    void unreadableFileIsBadInput();

private:
    QString copyOfExample(const QString &name);
    void edit(const QString &file, const QStringList &statements);

    QTemporaryDir m_folder;
    QString m_example;
};

void TintwellValidateTest::initTestCase()
{
    QVERIFY(m_folder.isValid());
    m_example = m_folder.filePath(QStringLiteral("example.db"));
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    QCOMPARE(Tintwell::runCommandLine({QStringLiteral("build"), kExampleSource, m_example},
                                      outStream, errStream),
             0);
}

QString TintwellValidateTest::copyOfExample(const QString &name)
{
    const QString copy = m_folder.filePath(name + QStringLiteral(".db"));
    QFile::remove(copy);
    QFile::copy(m_example, copy);
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return copy;
}

void TintwellValidateTest::edit(const QString &file, const QStringList &statements)
{
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kEditConnection);
        database.setDatabaseName(file);
        QVERIFY(database.open());
        QSqlQuery query(database);
        for (const QString &statement : statements)
            QVERIFY2(query.exec(statement),
                     qPrintable(statement + QStringLiteral(": ") + query.lastError().text()));
        database.close();
    }
    QSqlDatabase::removeDatabase(kEditConnection);
}

void TintwellValidateTest::exampleIsValid()
{
    Tintwell::FileValidator validator;
    QVERIFY(validator.validate(m_example));
    QVERIFY(!validator.problems().hasErrors());
}

void TintwellValidateTest::reportsBreaches_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<bool>("error");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("what");

    QTest::newRow("missing table")
        << QStringList{QStringLiteral("DROP TABLE TEXTURE_MAP")} << true
        << QStringLiteral("table TEXTURE_MAP") << QStringLiteral("missing");
    QTest::newRow("missing column")
        << QStringList{QStringLiteral("ALTER TABLE \"ROW\" DROP COLUMN EXTRA9")} << true
        << QStringLiteral("table ROW") << QStringLiteral("EXTRA9");
    QTest::newRow("missing view") << QStringList{QStringLiteral(
                                         "DROP VIEW CAPSURE_COLLECTION_IDS_BY_PRIORITY")}
                                  << true
                                  << QStringLiteral("view CAPSURE_COLLECTION_IDS_BY_PRIORITY")
                                  << QStringLiteral("missing");
    QTest::newRow("view that ranks text first")
        << QStringList{QStringLiteral("DROP VIEW CAPSURE_COLLECTION_IDS_BY_PRIORITY"),
                       QString::fromLatin1(kCarelessView)}
        << true << QStringLiteral("view CAPSURE_COLLECTION_IDS_BY_PRIORITY")
        << QStringLiteral("2:0");
    QTest::newRow("no system-wide collection")
        << QStringList{QStringLiteral("DELETE FROM COLLECTION WHERE ID = 0")} << true
        << QStringLiteral("table COLLECTION") << QStringLiteral("no system-wide collection");
    QTest::newRow("second all-F collection")
        << QStringList{QStringLiteral("CREATE TABLE C2 AS SELECT * FROM COLLECTION"),
                       QStringLiteral("DROP TABLE COLLECTION"),
                       QStringLiteral("ALTER TABLE C2 RENAME TO COLLECTION"),
                       QStringLiteral("INSERT INTO COLLECTION VALUES (5, "
                                      "'{ffffffff-ffff-ffff-ffff-ffffffffffff}', 'COPY', 1, "
                                      "'Copy', 5)")}
        << true << QStringLiteral("collection COPY (ID 5)")
        << QStringLiteral("only the collection with ID 0");
    QTest::newRow("second collection with ID 0")
        << QStringList{QStringLiteral("CREATE TABLE C2 AS SELECT * FROM COLLECTION"),
                       QStringLiteral("DROP TABLE COLLECTION"),
                       QStringLiteral("ALTER TABLE C2 RENAME TO COLLECTION"),
                       QStringLiteral("UPDATE COLLECTION SET ID = 0 WHERE SYSTEMID = 'HARBOUR'")}
        << true << QStringLiteral("table COLLECTION") << QStringLiteral("2 collections have ID 0");
    QTest::newRow("repeated uuid")
        << QStringList{QStringLiteral("CREATE TABLE C2 AS SELECT * FROM COLLECTION"),
                       QStringLiteral("DROP TABLE COLLECTION"),
                       QStringLiteral("ALTER TABLE C2 RENAME TO COLLECTION"),
                       QStringLiteral(
                           "INSERT INTO COLLECTION (ID, UUID, SYSTEMID, NAME, \"ORDER\") "
                           "SELECT 7, LOWER(UUID), 'TWIN', 'Twin', 7 FROM COLLECTION "
                           "WHERE ID = 1")}
        << true << QStringLiteral("collection TWIN (ID 7)") << QStringLiteral("also used by");
    QTest::newRow("repeated system id in another case")
        << QStringList{QStringLiteral("CREATE TABLE C2 AS SELECT * FROM COLLECTION"),
                       QStringLiteral("DROP TABLE COLLECTION"),
                       QStringLiteral("ALTER TABLE C2 RENAME TO COLLECTION"),
                       QStringLiteral(
                           "INSERT INTO COLLECTION (ID, UUID, SYSTEMID, NAME, \"ORDER\") "
                           "VALUES (7, '{00000000-0000-4000-8000-000000000007}', "
                           "'harbour', 'Twin', 7)")}
        << true << QStringLiteral("collection harbour (ID 7)")
        << QStringLiteral("letter case does not count");
    QTest::newRow("uuid not braced")
        << QStringList{QStringLiteral("UPDATE COLLECTION SET UUID = "
                                      "'2b7e5a10-9c3d-4f61-8e24-0a5b6c7d8e9f' WHERE ID = 1")}
        << true << QStringLiteral("collection HARBOUR (ID 1)")
        << QStringLiteral("braced 38-character form");
    QTest::newRow("system id with a trailing blank")
        << QStringList{QStringLiteral("UPDATE COLLECTION SET SYSTEMID = 'HARBOUR ' WHERE ID = 1")}
        << true << QStringLiteral("collection HARBOUR  (ID 1)") << QStringLiteral("without blanks");
    QTest::newRow("duplicate page index")
        << QStringList{QStringLiteral("DROP INDEX UNQ_PAGE_INDEX_IN_COLLECTION"),
                       QStringLiteral("UPDATE PAGE SET PAGE_INDEX = 2 WHERE PAGE_INDEX = 3")}
        << true << QStringLiteral("collection HARBOUR (ID 1)")
        << QStringLiteral("PAGE_INDEX 2 is used by more than one card");
    QTest::newRow("duplicate row index")
        << QStringList{QStringLiteral("UPDATE \"ROW\" SET ROW_INDEX = 1 WHERE CODE = 'HB 102'")}
        << true << QStringLiteral("card 1") << QStringLiteral("ROW_INDEX 1 is used by more");
    QTest::newRow("chip without a segment")
        << QStringList{QStringLiteral("CREATE TABLE R2 AS SELECT * FROM \"ROW\""),
                       QStringLiteral("DROP TABLE \"ROW\""),
                       QStringLiteral("ALTER TABLE R2 RENAME TO \"ROW\""),
                       QStringLiteral("UPDATE \"ROW\" SET SEGMENT = NULL WHERE CODE = 'HB 102'")}
        << true << QStringLiteral("\"HB 102\"") << QStringLiteral("SEGMENT is not above 0");
    QTest::newRow("row index gap")
        << QStringList{QStringLiteral("UPDATE \"ROW\" SET ROW_INDEX = 9 WHERE CODE = 'HB 105'")}
        << false << QStringLiteral("card 1") << QStringLiteral("not exactly 1 to 5");
    QTest::newRow("page outside every collection")
        << QStringList{QStringLiteral("INSERT INTO PAGE (COLLECTION_ID, NAME, PAGE_INDEX, "
                                      "SEGMENT, MOOD) VALUES (1, 'Loose', 9, 1, 3)")}
        << false << QStringLiteral("table PAGE") << QStringLiteral("belongs to no collection");
    QTest::newRow("page mapped twice")
        << QStringList{QStringLiteral("INSERT INTO COLLECTION_PAGE_MAP SELECT * FROM "
                                      "COLLECTION_PAGE_MAP LIMIT 1")}
        << true << QStringLiteral("table COLLECTION_PAGE_MAP") << QStringLiteral("2 times");
    QTest::newRow("map names a missing page")
        << QStringList{QStringLiteral("INSERT INTO COLLECTION_PAGE_MAP VALUES (1, 999)")} << true
        << QStringLiteral("table COLLECTION_PAGE_MAP") << QStringLiteral("page ID 999");
    QTest::newRow("scheme names a missing chip")
        << QStringList{QStringLiteral("UPDATE ROW_SCHEME_MAP SET SCHEME_ROW_ID = 4242 WHERE "
                                      "ROWID = 1")}
        << true << QStringLiteral("table ROW_SCHEME_MAP") << QStringLiteral("row ID 4242");
    QTest::newRow("scheme of a chip of another collection")
        << QStringList{QStringLiteral("UPDATE ROW_SCHEME_MAP SET COLLECTION_ID = 0")} << true
        << QStringLiteral("table ROW_SCHEME_MAP") << QStringLiteral("does not belong to");
    QTest::newRow("scheme not a multiple of the card length")
        << QStringList{QStringLiteral("DELETE FROM ROW_SCHEME_MAP WHERE ROWID = 1")} << false
        << QStringLiteral("chip 3 \"HB 103\"") << QStringLiteral("not a multiple");
    QTest::newRow("card scheme names a missing page")
        << QStringList{QStringLiteral("UPDATE PAGE_SCHEME SET SCHEME_PAGE_ID = 999 WHERE ROWID = "
                                      "1")}
        << true << QStringLiteral("table PAGE_SCHEME") << QStringLiteral("page ID 999");
    QTest::newRow("chip card scheme of a missing chip")
        << QStringList{QStringLiteral("UPDATE ROW_TO_PAGE_SCHEME SET ROW_ID = 888 WHERE ROWID = "
                                      "1")}
        << true << QStringLiteral("table ROW_TO_PAGE_SCHEME") << QStringLiteral("row ID 888");
    QTest::newRow("chip scheme of a kind beyond 8")
        << QStringList{QStringLiteral("UPDATE ROW_SCHEME_MAP SET SCHEME_ID = 12")} << true
        << QStringLiteral("table ROW_SCHEME_MAP") << QStringLiteral("scheme 12");
    QTest::newRow("trend group of a missing collection")
        << QStringList{QStringLiteral("UPDATE VISTARA_GROUP SET COLLECTION_ID = 9")} << true
        << QStringLiteral("table VISTARA_GROUP") << QStringLiteral("collection ID 9");
    QTest::newRow("trend entry names a missing chip")
        << QStringList{QStringLiteral("UPDATE VISTARA_ENTRY SET ROW_ID = 777 WHERE ROW_ID IS NOT "
                                      "NULL")}
        << true << QStringLiteral("table VISTARA_ENTRY") << QStringLiteral("row ID 777");
    QTest::newRow("product map names a missing product")
        << QStringList{QStringLiteral("INSERT INTO ROW_PRODUCT_MAP VALUES (1, 1, 55)")} << true
        << QStringLiteral("table ROW_PRODUCT_MAP") << QStringLiteral("product ID 55");
    QTest::newRow("product group map names a missing group")
        << QStringList{QStringLiteral("INSERT INTO ROW_PRODUCT_GROUP_MAP (COLLECTION_ID, ROW_ID, "
                                      "PRODUCT_GROUP_ID) VALUES (1, 1, 77)")}
        << true << QStringLiteral("table ROW_PRODUCT_GROUP_MAP")
        << QStringLiteral("product group ID 77");
    QTest::newRow("texture more than opaque")
        << QStringList{QStringLiteral("PRAGMA ignore_check_constraints = 1"),
                       QStringLiteral("UPDATE TEXTURE SET BASE_ALPHA = 1.5")}
        << true << QStringLiteral("table TEXTURE") << QStringLiteral("BASE_ALPHA 1.5");
    QTest::newRow("texture on a missing page")
        << QStringList{QStringLiteral("UPDATE TEXTURE_MAP SET PAGE_ID = 99 WHERE ROWID = 1")}
        << true << QStringLiteral("table TEXTURE_MAP") << QStringLiteral("page ID 99");
    QTest::newRow("texts of a missing collection")
        << QStringList{QStringLiteral("INSERT INTO LOCALE (COLLECTION_ID, \"KEY\", STRING) "
                                      "VALUES (9, 'motto', 'Lost')")}
        << false << QStringLiteral("table LOCALE") << QStringLiteral("collection ID 9");
    QTest::newRow("texture that does not decode")
        << QStringList{QStringLiteral("UPDATE TEXTURE SET IMAGE = X'0102'")} << true
        << QStringLiteral("texture ID 1") << QStringLiteral("does not decode");
    QTest::newRow("lab inconsistent with rgb")
        << QStringList{QStringLiteral("UPDATE \"ROW\" SET A = A + 4 WHERE CODE = 'HB 203'")} << true
        << QStringLiteral("chip 3 \"HB 203\"") << QStringLiteral("CIEDE2000");
    QTest::newRow("rgb out of range")
        << QStringList{QStringLiteral("PRAGMA ignore_check_constraints = 1"),
                       QStringLiteral("UPDATE \"ROW\" SET RED = 300 WHERE CODE = 'HB 301'")}
        << true << QStringLiteral("\"HB 301\"") << QStringLiteral("out of range");
    // Far beyond any integer: the check may not convert it to one.
    QTest::newRow("rgb far out of any integer's range")
        << QStringList{QStringLiteral("PRAGMA ignore_check_constraints = 1"),
                       QStringLiteral("UPDATE \"ROW\" SET RED = -1.1e217 WHERE CODE = 'HB 301'")}
        << true << QStringLiteral("\"HB 301\"") << QStringLiteral("out of range");
    QTest::newRow("lightness out of range")
        << QStringList{QStringLiteral("PRAGMA ignore_check_constraints = 1"),
                       QStringLiteral("UPDATE \"ROW\" SET L = 120 WHERE CODE = 'HB 302'")}
        << true << QStringLiteral("\"HB 302\"") << QStringLiteral("out of range");
    QTest::newRow("trend colour out of range")
        << QStringList{QStringLiteral("PRAGMA ignore_check_constraints = 1"),
                       QStringLiteral("UPDATE VISTARA_ENTRY SET GREEN = -4 WHERE ROWID = 1")}
        << true << QStringLiteral("table VISTARA_ENTRY") << QStringLiteral("out of range");
    QTest::newRow("chip mood outside 1 to 6")
        << QStringList{QStringLiteral("UPDATE \"ROW\" SET MOOD = 9 WHERE CODE = 'HB 102'")} << true
        << QStringLiteral("\"HB 102\"") << QStringLiteral("MOOD 9");
    QTest::newRow("mood outside 1 to 6")
        << QStringList{QStringLiteral("UPDATE PAGE SET MOOD = 0 WHERE PAGE_INDEX = 2")} << true
        << QStringLiteral("card 2") << QStringLiteral("MOOD 0");
    QTest::newRow("card type nobody knows")
        << QStringList{QStringLiteral("UPDATE SETTING SET VALUE = 'square' WHERE NAME = "
                                      "'card.type'")}
        << true << QStringLiteral("setting \"card.type\"") << QStringLiteral("square");
    QTest::newRow("chips per card that is no number")
        << QStringList{QStringLiteral("UPDATE SETTING SET VALUE = 'seven' WHERE NAME = "
                                      "'max.chips.on.a.page'")}
        << true << QStringLiteral("setting \"max.chips.on.a.page\"")
        << QStringLiteral("not a whole number");
    QTest::newRow("delta intervals without a positive number")
        << QStringList{QStringLiteral("UPDATE SETTING SET VALUE = '0,-1,abc' WHERE NAME = "
                                      "'cie2000.delta.intervals'")}
        << true << QStringLiteral("setting \"cie2000.delta.intervals\"")
        << QStringLiteral("no positive number");
    QTest::newRow("verdict limits out of order")
        << QStringList{QStringLiteral(
               "INSERT INTO SETTING (COLLECTION_ID, NAME, VALUE) SELECT COLLECTION_ID, "
               "'project.colors.verdict.limits', '1,3,2' FROM SETTING WHERE NAME = "
               "'cie2000.delta.intervals'")}
        << true << QStringLiteral("setting \"project.colors.verdict.limits\"")
        << QStringLiteral("not three increasing");
    QTest::newRow("scheme kind nobody knows")
        << QStringList{QStringLiteral("UPDATE SETTING SET VALUE = 'loud' WHERE NAME = 'schemes' "
                                      "AND VALUE_INDEX = 0")}
        << true << QStringLiteral("setting \"schemes\"") << QStringLiteral("\"loud\" is none of");
    QTest::newRow("flag that is no number")
        << QStringList{QStringLiteral("UPDATE SETTING SET VALUE = 'yes' WHERE NAME = "
                                      "'mood.visible'")}
        << true << QStringLiteral("setting \"mood.visible\"") << QStringLiteral("\"yes\"");
    QTest::newRow("tab page stored as a number")
        << QStringList{QStringLiteral("UPDATE SETTING SET VALUE = X'38' WHERE NAME = "
                                      "'tab.bar.page' AND VALUE_INDEX = 1")}
        << true << QStringLiteral("setting \"tab.bar.page\"") << QStringLiteral("as text");
    QTest::newRow("texture size of one number")
        << QStringList{QStringLiteral("UPDATE SETTING SET VALUE = '148' WHERE NAME = "
                                      "'texture.size'")}
        << true << QStringLiteral("setting \"texture.size\"") << QStringLiteral("\"148\"");
    QTest::newRow("capsure priority that is no integer")
        << QStringList{QStringLiteral("UPDATE SETTING SET VALUE = 'first' WHERE NAME = "
                                      "'capsure.priority'")}
        << false << QStringLiteral("setting \"capsure.priority\"") << QStringLiteral("ranks last");
    QTest::newRow("font face listed twice")
        << QStringList{QStringLiteral("UPDATE SETTING SET VALUE = 'DejaVu Sans,9;Noto Sans,9;"
                                      "DejaVu Sans,10' WHERE NAME = "
                                      "'list.of.preferred.font.faces'")}
        << false << QStringLiteral("setting \"list.of.preferred.font.faces\"")
        << QStringLiteral("\"DejaVu Sans\" is listed twice");
    QTest::newRow("display order names a missing column")
        << QStringList{QStringLiteral("ALTER TABLE PAGE DROP COLUMN NAME9"),
                       QStringLiteral("UPDATE SETTING SET VALUE = '9' WHERE NAME = "
                                      "'page.name.display.order'")}
        << false << QStringLiteral("setting \"page.name.display.order\"")
        << QStringLiteral("PAGE.NAME9");
    QTest::newRow("missing translation key")
        << QStringList{QStringLiteral(
               "DELETE FROM LOCALE WHERE \"KEY\" = 'mypalette.palette.save'")}
        << true << QStringLiteral("collection HARBOUR (ID 1)")
        << QStringLiteral("mypalette.palette.save");
    QTest::newRow("theme image that does not decode")
        << QStringList{QStringLiteral("UPDATE THEME SET ITEM_DATA = X'89504E47' WHERE ITEM_KEY = "
                                      "'image.banner'")}
        << true << QStringLiteral("theme item \"image.banner\"")
        << QStringLiteral("does not decode");
    QTest::newRow("theme image of another shape")
        << QStringList{QStringLiteral("UPDATE THEME SET ITEM_DATA = (SELECT IMAGE FROM TEXTURE "
                                      "LIMIT 1) WHERE ITEM_KEY = 'image.banner'")}
        << false << QStringLiteral("theme item \"image.banner\"")
        << QStringLiteral("148 x 96 pixels; the picker draws it at 800 x 70");
    QTest::newRow("theme colour that is no colour")
        << QStringList{QStringLiteral("UPDATE THEME SET ITEM_DATA = CAST('blue-ish' AS BLOB) "
                                      "WHERE ITEM_KEY = 'color.widget.collectionselector.text'")}
        << true << QStringLiteral("color.widget.collectionselector.text")
        << QStringLiteral("not a colour");
    QTest::newRow("name that looks like markup")
        << QStringList{QStringLiteral("UPDATE \"ROW\" SET NAME1 = 'Red <i>deep</i>' WHERE CODE = "
                                      "'HB 404'")}
        << false << QStringLiteral("\"HB 404\"") << QStringLiteral("looks like markup");
}

void TintwellValidateTest::reportsBreaches()
{
    QFETCH(QStringList, statements);
    QFETCH(bool, error);
    QFETCH(QString, where);
    QFETCH(QString, what);
    const QString file = copyOfExample(
        QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-')));
    edit(file, statements);
    Tintwell::FileValidator validator;
    QVERIFY(validator.validate(file));
    QString report;
    bool found = false;
    for (const Tintwell::Problem &problem : validator.problems().problems()) {
        report += problem.where + QStringLiteral(": ") + problem.what + QLatin1Char('\n');
        const bool isError = problem.severity == Tintwell::Problem::Severity::Error;
        if (isError == error && problem.where.contains(where) && problem.what.contains(what))
            found = true;
    }
    QVERIFY2(found, qPrintable(report));
    QCOMPARE(validator.problems().hasErrors(), error);
}

void TintwellValidateTest::themeImagesMayHaveMorePixelsButNotAnotherShape_data()
{
    // The picker draws image.banner at 800 x 70.
    QTest::addColumn<QSize>("stored");
    QTest::addColumn<bool>("warned");
    QTest::newRow("drawn size") << QSize(800, 70) << false;
    QTest::newRow("twice the drawn size") << QSize(1600, 140) << false;
    QTest::newRow("three times the drawn size") << QSize(2400, 210) << false;
    QTest::newRow("twice as wide only") << QSize(1600, 70) << true;
}

void TintwellValidateTest::themeImagesMayHaveMorePixelsButNotAnotherShape()
{
    QFETCH(QSize, stored);
    QFETCH(bool, warned);
    QImage banner(stored, QImage::Format_RGB32);
    banner.fill(QColor(40, 90, 120));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(banner.save(&buffer, "PNG"));
    const QString file =
        copyOfExample(QStringLiteral("banner-%1x%2").arg(stored.width()).arg(stored.height()));
    edit(file, {QStringLiteral("UPDATE THEME SET ITEM_DATA = X'%1' WHERE ITEM_KEY = "
                               "'image.banner'")
                    .arg(QString::fromLatin1(png.toHex()))});
    Tintwell::FileValidator validator;
    QVERIFY(validator.validate(file));
    QString report;
    for (const Tintwell::Problem &problem : validator.problems().problems()) {
        if (problem.where.contains(QLatin1String("theme item \"image.banner\"")))
            report += problem.what;
    }
    QCOMPARE(!report.isEmpty(), warned);
    if (warned)
        QVERIFY2(report.contains(QStringLiteral("%1 x %2 pixels; the picker draws it at 800 x 70")
                                     .arg(stored.width())
                                     .arg(stored.height())),
                 qPrintable(report));
    QVERIFY(!validator.problems().hasErrors());
}

void TintwellValidateTest::reportsFilesThatAreNotDatabases_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("what");
    QFile example(m_example);
    QVERIFY(example.open(QIODevice::ReadOnly));
    const QByteArray bytes = example.readAll();
    QTest::newRow("empty") << QByteArray() << QStringLiteral("not an SQLite database");
    QTest::newRow("text") << QByteArray("name,hex\nRed,#ff0000\n")
                          << QStringLiteral("not an SQLite database");
    QTest::newRow("header only") << bytes.left(60) << QStringLiteral("truncated");
    QTest::newRow("cut in half") << bytes.left(bytes.size() / 2) << QStringLiteral("truncated");
    QByteArray scrambled = bytes;
    for (qsizetype i = 4096; i < scrambled.size(); i += 7)
        scrambled[i] = static_cast<char>(scrambled.at(i) ^ 0x5A);
    QTest::newRow("scrambled pages") << scrambled << QStringLiteral("");
}

void TintwellValidateTest::reportsFilesThatAreNotDatabases()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, what);
    const QString file = m_folder.filePath(QStringLiteral("broken.db"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(content);
    out.close();
    Tintwell::FileValidator validator;
    QVERIFY(validator.validate(file));
    QVERIFY(validator.problems().hasErrors());
    const Tintwell::Problem &first = validator.problems().problems().first();
    QVERIFY2(first.what.contains(what), qPrintable(first.what));
}

void TintwellValidateTest::warningsAloneKeepTheFileValid()
{
    const QString file = copyOfExample(QStringLiteral("warnings"));
    edit(file, {QStringLiteral("UPDATE SETTING SET VALUE = '2x' WHERE NAME = 'capsure.priority'")});
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    QCOMPARE(Tintwell::runCommandLine({QStringLiteral("validate"), file}, outStream, errStream), 0);
    QVERIFY(out.contains(QLatin1String("warning: ")));
    QVERIFY(out.contains(QLatin1String(": valid")));
}

void TintwellValidateTest::jsonReportAndExitCodes()
{
    const QString file = copyOfExample(QStringLiteral("json"));
    edit(file, {QStringLiteral("DELETE FROM COLLECTION WHERE ID = 0")});
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    QCOMPARE(Tintwell::runCommandLine({QStringLiteral("validate"), file, QStringLiteral("--json")},
                                      outStream, errStream),
             1);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(out.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(document.object().value(QStringLiteral("ok")).toBool(true), false);
    const QJsonArray problems = document.object().value(QStringLiteral("problems")).toArray();
    QVERIFY(!problems.isEmpty());
    for (const QJsonValue &problem : problems) {
        QVERIFY(problem.toObject().contains(QStringLiteral("where")));
        QVERIFY(problem.toObject().contains(QStringLiteral("what")));
    }
    QVERIFY(err.isEmpty());
}

void TintwellValidateTest::unreadableFileIsBadInput()
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    for (const QString &path : {m_folder.filePath(QStringLiteral("absent.db")), m_folder.path()}) {
        err.clear();
        QCOMPARE(Tintwell::runCommandLine({QStringLiteral("validate"), path}, outStream, errStream),
                 2);
        QCOMPARE(err.count(QLatin1Char('\n')), 1);
    }
}

QTEST_MAIN(TintwellValidateTest)
#include "tst_tintwellvalidate.moc"
