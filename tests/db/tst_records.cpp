#include "engine/db/collection.h"
#include "engine/db/colorentry.h"
#include "engine/db/colorpage.h"
#include "engine/db/itemindex.h"
#include "engine/db/texture.h"
#include "engine/db/textureplacement.h"
#include "engine/db/vistaraentry.h"
#include "engine/db/vistaragroup.h"

#include <QBuffer>
#include <QImage>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

using namespace Corvo;
using namespace Corvo::DB;

// Records are filled from real result rows of an in-memory SQLite database, so column
// types and NULLs arrive exactly as the driver delivers them.
class RecordsTest : public QObject
{
    Q_OBJECT

private:
    QSqlRecord row(const QString &select)
    {
        QSqlQuery query(QSqlDatabase::database(QStringLiteral("records")));
        if (!query.exec(select) || !query.next())
            qFatal("statement failed: %s", qPrintable(select));
        return query.record();
    }

private slots:
    void initTestCase()
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("records"));
        db.setDatabaseName(QStringLiteral(":memory:"));
        QVERIFY(db.open());
    }

    void defaultsAndClear()
    {
        ColorEntry entry;
        QCOMPARE(entry.id, -1);
        QCOMPARE(entry.collectionId, -1);
        QCOMPARE(entry.rowIndex, -1);
        QCOMPARE(entry.pageOrder, -1);
        QCOMPARE(entry.red, -1);
        QCOMPARE(entry.mood, 0);
        QCOMPARE(entry.schemePos, -1);
        QVERIFY(entry.names.isEmpty());

        ColorPage page;
        QCOMPARE(page.id, 0);
        QCOMPARE(page.pageIndex, -1);
        QCOMPARE(page.segment, -1);
        QVERIFY(!page.isValid());
        QVERIFY(page.rows.isEmpty());

        VistaraGroup group;
        QVERIFY(group.isValid()); // id 0 until read
        group.clear();
        QVERIFY(!group.isValid());
    }

    void colorEntryReadsEveryColumn()
    {
        const ColorEntry entry(row(QStringLiteral(
            "SELECT 7 AS ID, 3 AS COLLECTION_ID, 11 AS PAGE_ID, 2 AS ROW_INDEX, 1 AS PAGE_ORDER, "
            "'AB-12' AS CODE, 5 AS SEGMENT, 10 AS RED, 20 AS GREEN, 30 AS BLUE, 50.5 AS L, "
            "-3.25 AS A, 7.75 AS B, 1 AS IS_MTO, 1 AS NEUTRAL, 0 AS WHITE, 4 AS MOOD, "
            "2 AS SCHEME_POS, -1 AS NSCHEME_POS, 'Fjord' AS NAME0, 'Blå' AS NAME3, "
            "'LRV 41' AS EXTRA0")));
        QCOMPARE(entry.id, 7);
        QCOMPARE(entry.collectionId, 3);
        QCOMPARE(entry.pageId, 11);
        QCOMPARE(entry.rowIndex, 2);
        QCOMPARE(entry.pageOrder, 1);
        QCOMPARE(entry.code, QStringLiteral("AB-12"));
        QCOMPARE(entry.segment, 5);
        QCOMPARE(entry.red, 10);
        QCOMPARE(entry.green, 20);
        QCOMPARE(entry.blue, 30);
        QCOMPARE(entry.l, 50.5);
        QCOMPARE(entry.a, -3.25);
        QCOMPARE(entry.b, 7.75);
        QVERIFY(entry.isMto);
        QVERIFY(entry.neutral);
        QVERIFY(!entry.white);
        QCOMPARE(entry.mood, 4);
        QCOMPARE(entry.schemePos, 2);
        QCOMPARE(entry.nschemePos, -1);
        QCOMPARE(entry.names.size(), 10);
        QCOMPARE(entry.extras.size(), 10);
        QCOMPARE(entry.names.at(0), QStringLiteral("Fjord"));
        QCOMPARE(entry.names.at(3), QStringLiteral("Blå"));
        QCOMPARE(entry.names.at(1), QString());
        QCOMPARE(entry.extras.at(0), QStringLiteral("LRV 41"));
    }

    void colorEntryWithoutTextColumnsHasTenEmptyTexts()
    {
        const ColorEntry entry(row(QStringLiteral("SELECT 1 AS ID, 2 AS COLLECTION_ID")));
        QCOMPARE(entry.names, QStringList(10, QString()));
        QCOMPARE(entry.extras, QStringList(10, QString()));
    }

    void moodOutsideRangeIsNoMood_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("mood");
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("seven") << "7" << 0;
        QTest::newRow("negative") << "-2" << 0;
        QTest::newRow("text") << "'warm'" << 0;
        QTest::newRow("null") << "NULL" << 0;
        QTest::newRow("one") << "1" << 1;
        QTest::newRow("six") << "6" << 6;
    }

    void moodOutsideRangeIsNoMood()
    {
        QFETCH(QString, value);
        QFETCH(int, mood);
        const QString select = QStringLiteral("SELECT 1 AS ID, 1 AS COLLECTION_ID, %1 AS MOOD, "
                                              "3 AS SEGMENT, 2 AS PAGE_INDEX")
                                   .arg(value);
        QCOMPARE(ColorEntry(row(select)).mood, mood);
        QCOMPARE(ColorPage(row(select)).mood, mood);
    }

    void unconvertibleColumnsKeepDefaults()
    {
        const ColorEntry entry(row(
            QStringLiteral("SELECT 1 AS ID, 'x' AS COLLECTION_ID, 'red' AS RED, NULL AS ROW_INDEX, "
                           "NULL AS NAME0, NULL AS CODE")));
        QCOMPARE(entry.collectionId, -1);
        QCOMPARE(entry.red, -1);
        QCOMPARE(entry.rowIndex, -1);
        QCOMPARE(entry.names.at(0), QString());
        QCOMPARE(entry.code, QString());
    }

    void secondReadLeavesNothingOfTheFirst()
    {
        ColorEntry entry(row(QStringLiteral(
            "SELECT 9 AS ID, 1 AS COLLECTION_ID, 'C1' AS CODE, 3 AS MOOD, 1 AS IS_MTO, "
            "'first' AS NAME5, 4 AS PAGE_ORDER")));
        entry.read(row(QStringLiteral("SELECT 10 AS ID, 2 AS COLLECTION_ID")));
        QCOMPARE(entry.id, 10);
        QCOMPARE(entry.code, QString());
        QCOMPARE(entry.mood, 0);
        QVERIFY(!entry.isMto);
        QCOMPARE(entry.pageOrder, -1);
        QCOMPARE(entry.names.at(5), QString());
        QCOMPARE(entry.names.size(), 10);
    }

    void firstColumnOfANameWins()
    {
        // ROW's columns come first in "SELECT R.*, ..." and win over PAGE's.
        const ColorEntry entry(
            row(QStringLiteral("SELECT 1 AS ID, 1 AS COLLECTION_ID, 4 AS SEGMENT, 9 AS SEGMENT")));
        QCOMPARE(entry.segment, 4);
    }

    void columnNamesMatchExactly()
    {
        const ColorEntry entry(row(QStringLiteral("SELECT 1 AS ID, 1 AS collection_id, 5 AS red")));
        QCOMPARE(entry.collectionId, -1);
        QCOMPARE(entry.red, -1);
    }

    void pageReadsItsColumnsAndSortsRows()
    {
        ColorPage page(row(QStringLiteral(
            "SELECT 4 AS ID, 12 AS PAGE_INDEX, 3 AS SEGMENT, 1 AS EXTERIOR, 2 AS MOOD, "
            "'Harbour' AS NAME0, 'Card 12' AS EXTRA9")));
        QCOMPARE(page.id, 4);
        QCOMPARE(page.pageIndex, 12);
        QCOMPARE(page.segment, 3);
        QVERIFY(page.exterior);
        QCOMPARE(page.mood, 2);
        QVERIFY(page.isValid());
        QCOMPARE(page.names.size(), 10);
        QCOMPARE(page.names.at(0), QStringLiteral("Harbour"));
        QCOMPARE(page.extras.at(9), QStringLiteral("Card 12"));

        for (const int index : {3, 1, 2}) {
            ColorEntry entry;
            entry.rowIndex = index;
            entry.names = QStringList(10, QStringLiteral("name %1").arg(index));
            page.rows.append(entry);
        }
        page.sortRows();
        const ColorPage copy = page;
        QCOMPARE(copy.rows.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(copy.rows.at(i).rowIndex, i + 1);
            QCOMPARE(copy.rows.at(i).names.at(9), QStringLiteral("name %1").arg(i + 1));
        }
    }

    void collectionRecord()
    {
        const Collection c(row(QStringLiteral(
            "SELECT 2 AS ID, 'DEMO' AS SYSTEMID, 3 AS VERSION, "
            "'{1b4e28ba-2fa1-11d2-883f-0016d3cca427}' AS UUID, 'Demo' AS NAME, 5 AS \"ORDER\"")));
        QCOMPARE(c.id, 2);
        QCOMPARE(c.systemId, QStringLiteral("DEMO"));
        QCOMPARE(c.version, 3);
        QCOMPARE(c.uuid, QUuid(QStringLiteral("{1B4E28BA-2FA1-11D2-883F-0016D3CCA427}")));
        QCOMPARE(c.name, QStringLiteral("Demo"));
        QCOMPARE(c.order, 5);
        QVERIFY(c.isValid());

        const Collection broken(row(QStringLiteral("SELECT 2 AS ID, 'not a uuid' AS UUID")));
        QVERIFY(broken.uuid.isNull());
    }

    void vistaraRecords()
    {
        const VistaraEntry entry(row(QStringLiteral(
            "SELECT 3 AS ID, NULL AS ROW_ID, 'Dune' AS NAME_1, 'Trend' AS NAME_2, 200 AS RED, "
            "100 AS GREEN, 50 AS BLUE, 2 AS \"ORDER\"")));
        QCOMPARE(entry.rowId, 0);
        QCOMPARE(entry.name1, QStringLiteral("Dune"));
        QCOMPARE(entry.name2, QStringLiteral("Trend"));
        QCOMPARE(entry.color, QColor(200, 100, 50));
        QCOMPARE(entry.order, 2);
        QVERIFY(entry.isValid());

        const VistaraEntry onlyGreen(row(QStringLiteral("SELECT 4 AS ID, 80 AS GREEN")));
        QCOMPARE(onlyGreen.color, QColor(0, 80, 0));
        const VistaraEntry noColour(row(QStringLiteral("SELECT 5 AS ID")));
        QVERIFY(!noColour.color.isValid());

        const VistaraGroup group(row(
            QStringLiteral("SELECT 8 AS ID, 'Autumn' AS NAME, 1 AS DEFAULT_OPEN, 3 AS \"ORDER\"")));
        QCOMPARE(group.id, 8);
        QCOMPARE(group.name, QStringLiteral("Autumn"));
        QVERIFY(group.defaultOpen);
        QCOMPARE(group.order, 3);
        QVERIFY(group.entries.isEmpty());
    }

    void textureDecodesAnyImageAndToleratesGarbage()
    {
        QImage image(4, 3, QImage::Format_Grayscale8);
        image.fill(128);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");

        QSqlQuery query(QSqlDatabase::database(QStringLiteral("records")));
        QVERIFY(query.prepare(QStringLiteral(
            "SELECT 6 AS ID, 0 AS COLLECTION_ID, 'Linen' AS NAME, 0.4 AS BASE_ALPHA, ? AS IMAGE")));
        query.addBindValue(png);
        QVERIFY(query.exec() && query.next());
        const Texture texture(query.record());
        QCOMPARE(texture.collectionId, 0);
        QCOMPARE(texture.name, QStringLiteral("Linen"));
        QCOMPARE(texture.baseAlpha, 0.4);
        QCOMPARE(texture.image.size(), QSize(4, 3));

        const Texture garbage(
            row(QStringLiteral("SELECT 7 AS ID, 0 AS COLLECTION_ID, X'00010203' AS IMAGE")));
        QVERIFY(garbage.image.isNull());
        QVERIFY(garbage.isValid());

        const TexturePlacement placement(row(QStringLiteral(
            "SELECT 6 AS TEXTURE_ID, 40 AS PAGE_ID, 'wall' AS NAME, 0.75 AS ALPHA")));
        QCOMPARE(placement.textureId, 6);
        QCOMPARE(placement.pageId, 40);
        QCOMPARE(placement.name, QStringLiteral("wall"));
        QCOMPARE(placement.alpha, 0.75);
    }

    void itemIndexRoundTrips()
    {
        const ItemIndex index(QUuid(QStringLiteral("{1b4e28ba-2fa1-11d2-883f-0016d3cca427}")), 12,
                              345);
        const QString text = index.toString();
        QCOMPARE(text, QStringLiteral("ItemIndex({1b4e28ba-2fa1-11d2-883f-0016d3cca427},12,345)"));
        QCOMPARE(ItemIndex::fromString(text), index);
        QVERIFY(index.namesChip());
        QVERIFY(!ItemIndex(QUuid(), 1, 0).namesChip());
    }

    void itemIndexRejectsOtherTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("one part") << "ItemIndex({1b4e28ba-2fa1-11d2-883f-0016d3cca427})";
        QTest::newRow("two parts") << "ItemIndex({1b4e28ba-2fa1-11d2-883f-0016d3cca427},1)";
        QTest::newRow("four parts") << "ItemIndex({1b4e28ba-2fa1-11d2-883f-0016d3cca427},1,2,3)";
        QTest::newRow("prefix case") << "itemindex({1b4e28ba-2fa1-11d2-883f-0016d3cca427},1,2)";
        QTest::newRow("no closing") << "ItemIndex({1b4e28ba-2fa1-11d2-883f-0016d3cca427},1,2";
        QTest::newRow("prefix only") << "ItemIndex()";
    }

    void itemIndexRejectsOtherTexts()
    {
        QFETCH(QString, text);
        const ItemIndex parsed = ItemIndex::fromString(text);
        QVERIFY(parsed.collection.isNull());
        QCOMPARE(parsed.pageId, -1);
        QCOMPARE(parsed.rowId, -1);
    }

    void itemIndexNonNumbersReadAsZero()
    {
        const ItemIndex parsed = ItemIndex::fromString(
            QStringLiteral("ItemIndex({1b4e28ba-2fa1-11d2-883f-0016d3cca427},x,7)"));
        QVERIFY(!parsed.collection.isNull());
        QCOMPARE(parsed.pageId, 0);
        QCOMPARE(parsed.rowId, 7);
    }
};

QTEST_GUILESS_MAIN(RecordsTest)
#include "tst_records.moc"
