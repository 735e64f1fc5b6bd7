#include "tools/tintwell/authoring/collectionfilewriter.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

using Tintwell::CollectionFileWriter;

// The layout written by the collection tool: every table the add-on reads, the fixed
// rows, and the Capsure view's ordering.
class CollectionLayoutTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    int fileNumber = 0;

    QString newFile() { return dir.filePath(QStringLiteral("layout%1.db").arg(++fileNumber)); }

    static QSqlDatabase openReadOnly(const QString &path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.setDatabaseName(path);
        db.open();
        return db;
    }

private slots:
    void everyTableAndTheViewExist()
    {
        const QString path = newFile();
        CollectionFileWriter writer;
        QVERIFY2(writer.create(path), qPrintable(writer.lastError()));
        QVERIFY(writer.addSystemWideCollection());
        QVERIFY(writer.close());

        QSqlDatabase db = openReadOnly(path);
        QVERIFY(db.isOpen());
        const QStringList tables = db.tables(QSql::Tables);
        for (const char *name : {"GLOBALSETTING",
                                 "COLLECTION",
                                 "MOOD",
                                 "SCHEME",
                                 "SETTING",
                                 "LOCALE",
                                 "THEME",
                                 "PAGE",
                                 "ROW",
                                 "ROW_NAME",
                                 "PAGE_SCHEME",
                                 "PRODUCT_GROUP",
                                 "PRODUCT",
                                 "PRODUCT_PRODUCT_GROUP_MAP",
                                 "ROW_PRODUCT_MAP",
                                 "ROW_PRODUCT_GROUP_MAP",
                                 "VISTARA_GROUP",
                                 "VISTARA_ENTRY",
                                 "TEXTURE",
                                 "TEXTURE_MAP",
                                 "COLLECTION_PAGE_MAP",
                                 "ROW_SCHEME_MAP",
                                 "ROW_TO_PAGE_SCHEME"})
            QVERIFY2(tables.contains(QLatin1StringView(name)), name);
        QVERIFY(
            db.tables(QSql::Views).contains(QStringLiteral("CAPSURE_COLLECTION_IDS_BY_PRIORITY")));

        const QSqlRecord row = db.record(QStringLiteral("ROW"));
        for (int n = 0; n < 10; ++n) {
            QVERIFY(row.contains(QStringLiteral("NAME%1").arg(n)));
            QVERIFY(row.contains(QStringLiteral("EXTRA%1").arg(n)));
        }
        QVERIFY(row.contains(QStringLiteral("IS_MTO")));
        QVERIFY(db.record(QStringLiteral("PRODUCT")).contains(QStringLiteral("PRODUCT_CODE")));

        QSqlQuery query(db);
        QVERIFY(query.exec(
            QStringLiteral("SELECT ID, UUID, SYSTEMID, VERSION, NAME, \"ORDER\" FROM COLLECTION")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 0);
        QCOMPARE(query.value(1).toString(),
                 QStringLiteral("{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"));
        QCOMPARE(query.value(2).toString(), QStringLiteral("VIRTUAL"));
        QCOMPARE(query.value(3).toInt(), 1);
        QCOMPARE(query.value(4).toString(), QStringLiteral("SystemWide Collection"));
        QCOMPARE(query.value(5).toInt(), 0);
        QVERIFY(query.exec(QStringLiteral("SELECT NAME FROM MOOD ORDER BY ID")));
        QStringList moods;
        while (query.next())
            moods << query.value(0).toString();
        QCOMPARE(moods, QStringList({"fresh", "warm", "calm", "rich", "offwhite", "neutral"}));
        QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM SCHEME")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 8);
    }

    void constraintsRejectImpossibleRows()
    {
        CollectionFileWriter writer;
        QVERIFY(writer.create(newFile()));
        const auto id = writer.addCollection(
            {1, QUuid::createUuid(), QStringLiteral("X"), QStringLiteral("X"), 1, 1});
        QVERIFY(id);
        Tintwell::PageFields page;
        page.pageIndex = 0;
        QVERIFY(!writer.addPage(*id, page));
        page.pageIndex = 1;
        const auto pageId = writer.addPage(*id, page);
        QVERIFY(pageId);
        Tintwell::RowFields row;
        row.pageId = *pageId;
        row.red = 256;
        QVERIFY(!writer.addRow(*id, row));
        row.red = 255;
        row.l = 101;
        QVERIFY(!writer.addRow(*id, row));
        QVERIFY(!writer.lastError().isEmpty());
        row.l = 100;
        QVERIFY(writer.addRow(*id, row));
    }

    void capsurePriorities_data()
    {
        QTest::addColumn<QString>("priority");
        QTest::addColumn<int>("expected");
        QTest::newRow("3") << "3" << 3;
        QTest::newRow("negative") << "-2" << -2;
        QTest::newRow("plus") << "+4" << 4;
        QTest::newRow("padded") << " 7 " << 7;
        QTest::newRow("leading zero") << "007" << 7;
        QTest::newRow("word") << "high" << 999;
        QTest::newRow("empty") << "" << 999;
        QTest::newRow("trailing letters") << "12abc" << 999;
        QTest::newRow("fraction") << "1.5" << 999;
        QTest::newRow("two signs") << "--1" << 999;
        QTest::newRow("sign only") << "-" << 999;
    }

    void capsurePriorities()
    {
        QFETCH(QString, priority);
        QFETCH(int, expected);
        const QString path = newFile();
        {
            CollectionFileWriter writer;
            QVERIFY(writer.create(path));
            QVERIFY(writer.addSystemWideCollection());
            for (const qint64 id : {1, 2}) {
                QVERIFY(
                    writer.addCollection({id, QUuid::createUuid(), QStringLiteral("C%1").arg(id),
                                          QStringLiteral("C"), 1, int(id)}));
                QVERIFY(
                    writer.addSetting(id, QStringLiteral("capsure.enabled"), QStringLiteral("1")));
            }
            QVERIFY(writer.addSetting(1, QStringLiteral("capsure.priority"), priority));
            QVERIFY(
                writer.addSetting(2, QStringLiteral("capsure.priority"), QStringLiteral("500")));
        }
        QSqlDatabase db = openReadOnly(path);
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral(
            "SELECT COLLECTION_ID, PRIORITY FROM CAPSURE_COLLECTION_IDS_BY_PRIORITY")));
        QList<std::pair<int, int>> rows;
        while (query.next())
            rows.append({query.value(0).toInt(), query.value(1).toInt()});
        QCOMPARE(rows.size(), 2);
        const auto own =
            std::find_if(rows.cbegin(), rows.cend(), [](const auto &r) { return r.first == 1; });
        QCOMPARE(own->second, expected);
        // Lowest first: a priority that is not a number never jumps the queue.
        QCOMPARE(rows.first().first, expected < 500 ? 1 : 2);
    }

    void capsureNeedsEnabledAndPriority()
    {
        const QString path = newFile();
        {
            CollectionFileWriter writer;
            QVERIFY(writer.create(path));
            QVERIFY(writer.addSystemWideCollection());
            const QList<std::pair<QString, QString>> collections = {
                {"1", "4"}, {"0", "1"}, {"1", QString()}, {"true", "2"}};
            qint64 id = 0;
            for (const auto &[enabled, priority] : collections) {
                ++id;
                QVERIFY(
                    writer.addCollection({id, QUuid::createUuid(), QStringLiteral("C%1").arg(id),
                                          QStringLiteral("C"), 1, int(id)}));
                QVERIFY(writer.addSetting(id, QStringLiteral("Capsure.Enabled"), enabled));
                if (!priority.isNull())
                    QVERIFY(writer.addSetting(id, QStringLiteral("capsure.priority"), priority));
            }
        }
        QSqlDatabase db = openReadOnly(path);
        QSqlQuery query(db);
        QVERIFY(query.exec(
            QStringLiteral("SELECT COLLECTION_ID FROM CAPSURE_COLLECTION_IDS_BY_PRIORITY")));
        QList<int> ids;
        while (query.next())
            ids.append(query.value(0).toInt());
        QCOMPARE(ids, QList<int>({1}));
    }

    void writerReportsItsFailures()
    {
        CollectionFileWriter writer;
        QVERIFY(!writer.addSystemWideCollection());
        QVERIFY(!writer.lastError().isEmpty());
        QVERIFY(!writer.create(dir.filePath(QStringLiteral("no/such/folder/x.db"))));
        QVERIFY(writer.create(newFile()));
        QVERIFY(writer.addSystemWideCollection());
        QVERIFY(!writer.addSystemWideCollection());
        QVERIFY(writer.lastError().contains(QStringLiteral("UNIQUE")));
    }
};

QTEST_GUILESS_MAIN(CollectionLayoutTest)
#include "tst_collectionlayout.moc"
