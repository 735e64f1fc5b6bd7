#include "engine/db/collectionaccess.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/colorentry.h"
#include "engine/db/nameorders.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/preparedquery.h"

#include "fixturefiles.h"
#include "testenvironment.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QtTest>

#include <memory>

using namespace Corvo::DB;
using FixtureFiles::collection;
using FixtureFiles::writeCollectionFile;

namespace {

const QString kFirst = QStringLiteral("{a1a1a1a1-0000-4000-8000-000000000001}");
const QString kSecond = QStringLiteral("{b2b2b2b2-0000-4000-8000-000000000002}");
const QString kThird = QStringLiteral("{c3c3c3c3-0000-4000-8000-000000000003}");

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QUuid numberedCollection(const QString &fileName, int number)
{
    return QUuid::createUuidV5(QUuid(kFirst), QStringLiteral("%1-%2").arg(fileName).arg(number));
}

// COUNT collections, each with one chip coded "<file name>-<n>", and the system-wide
// collection unless told otherwise, whose "file.name" setting names the file.
bool writeNumberedFile(const QString &path, int count, bool withSystemWide, int firstOrder)
{
    const QString fileName = QFileInfo(path).fileName();
    QList<Tintwell::CollectionFields> collections;
    for (int n = 1; n <= count; ++n) {
        const QString code = QStringLiteral("%1-%2").arg(fileName).arg(n);
        collections.append(FixtureFiles::collection(n, numberedCollection(fileName, n).toString(),
                                                    code, firstOrder + n));
    }
    return writeCollectionFile(
        path, collections, withSystemWide, [&](Tintwell::CollectionFileWriter &w) {
            bool ok = !withSystemWide || w.addSetting(0, QStringLiteral("file.name"), fileName);
            for (int n = 1; ok && n <= count; ++n) {
                Tintwell::RowFields row;
                const auto page = w.addPage(n, Tintwell::PageFields());
                row.pageId = page.value_or(0);
                row.code = QStringLiteral("%1-%2").arg(fileName).arg(n);
                ok = page && w.addRow(n, row);
            }
            return ok;
        });
}

} // namespace

class CatalogueTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    // The usual file set: the system-wide collection and two collections in one file.
    QString writeStandardFile(const QString &fileName = QStringLiteral("deck.db"))
    {
        const QString path = env->collectionFile(fileName);
        const bool ok = writeCollectionFile(
            path,
            {collection(1, kFirst, QStringLiteral("FIRST"), 2),
             collection(2, kSecond, QStringLiteral("Second"), 1)},
            true, [](Tintwell::CollectionFileWriter &w) {
                return w.addSetting(1, QStringLiteral("max.chips.on.a.page"),
                                    QStringLiteral("7")) &&
                       w.addLocalizedString(1, QStringLiteral("mypalette.palette.save"),
                                            QStringLiteral("Save palette")) &&
                       w.addLocalizedString(1, QStringLiteral("it's.a.key"),
                                            QStringLiteral("quoted")) &&
                       w.addThemeItem(1, QStringLiteral("image.mto"), QByteArray("\x89PNG", 4)) &&
                       w.addThemeItem(1, QStringLiteral("image.o'clock"), QByteArray("q")) &&
                       w.addSetting(1, QStringLiteral("only.later"), QStringLiteral("x"), 1) &&
                       w.addSetting(1, QStringLiteral("quote'd"), QStringLiteral("yes")) &&
                       w.addSetting(1, QStringLiteral("row.name.display.order"),
                                    QStringLiteral("3"), 1) &&
                       w.addSetting(1, QStringLiteral("row.name.display.order"),
                                    QStringLiteral("5"), 0) &&
                       w.addSetting(1, QStringLiteral("row.name.display.order"),
                                    QStringLiteral("0"), 2) &&
                       w.addSetting(1, QStringLiteral("page.name.search.order"),
                                    QStringLiteral("2")) &&
                       w.addSetting(2, QStringLiteral("row.name.display.order"),
                                    QStringLiteral("9"));
            });
        return ok ? path : QString();
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        QVERIFY(env->isValid());
    }

    void cleanup() { env.reset(); }

    void missingDataFolderGivesEmptyCatalogue()
    {
        setDataFolder(env->root() + QStringLiteral("/does/not/exist"));
        QCOMPARE(ensureCatalogue(), kCatalogueEmpty);
        QVERIFY(orderedCollections().isEmpty());
        QCOMPARE(ensureConnection(QUuid(kFirst)), int(NotCatalogued));
    }

    void unusableFilesAreSkipped()
    {
        QVERIFY(
            writeBytes(env->collectionFile(QStringLiteral("garbage.db")), QByteArray(4096, 'x')));
        QVERIFY(writeBytes(env->collectionFile(QStringLiteral("empty.db")), QByteArray()));
        const QString good = writeStandardFile(QStringLiteral("good.db"));
        QVERIFY(!good.isEmpty());
        QFile::copy(good, env->collectionFile(QStringLiteral("truncated.db.tmp")));
        {
            QFile truncated(env->collectionFile(QStringLiteral("truncated.db.tmp")));
            QVERIFY(truncated.open(QIODevice::ReadWrite));
            QVERIFY(truncated.resize(1500));
        }
        QVERIFY(QFile::rename(env->collectionFile(QStringLiteral("truncated.db.tmp")),
                              env->collectionFile(QStringLiteral("a-truncated.db"))));
        QVERIFY(writeCollectionFile(env->collectionFile(QStringLiteral("nocollection.db")), {},
                                    false, [](Tintwell::CollectionFileWriter &w) {
                                        return w.exec(QStringLiteral("DROP TABLE COLLECTION"));
                                    }));
        QDir().mkpath(env->collectionFile(QStringLiteral("folder.db")));

        QCOMPARE(ensureCatalogue(), kCatalogueFilled);
        QCOMPARE(orderedCollections(), QList<QUuid>({QUuid(kSecond), QUuid(kFirst)}));
        QCOMPARE(catalogue().find(QUuid(kFirst))->path, good);
    }

    void onlyBadFilesGiveEmptyCatalogue()
    {
        QVERIFY(writeBytes(env->collectionFile(QStringLiteral("garbage.db")),
                           QByteArray("SQLite format 3\0garbage", 23)));
        QVERIFY(writeCollectionFile(env->collectionFile(QStringLiteral("nocollection.db")), {},
                                    false, [](Tintwell::CollectionFileWriter &w) {
                                        return w.exec(QStringLiteral("DROP TABLE COLLECTION"));
                                    }));
        QCOMPARE(ensureCatalogue(), kCatalogueEmpty);
        QVERIFY(orderedCollections().isEmpty());
    }

    void offeredInOrderWithoutSystemWide()
    {
        QVERIFY(!writeStandardFile().isEmpty());
        QCOMPARE(ensureCatalogue(), kCatalogueFilled);
        QCOMPARE(orderedCollections(), QList<QUuid>({QUuid(kSecond), QUuid(kFirst)}));
        QVERIFY(catalogue().find(systemWideCollectionUuid()) != nullptr);
        QCOMPARE(collectionDbId(systemWideCollectionUuid()), 0);
        QCOMPARE(collectionDbId(QUuid(kFirst)), 1);
        QCOMPARE(collectionDbId(QUuid(kThird)), -1);
    }

    void onlyTheTextOneEnables_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("offered");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("2") << "2" << false;
        QTest::newRow("01") << "01" << false;
        QTest::newRow("1.0") << "1.0" << false;
        QTest::newRow("yes") << "yes" << false;
    }

    void onlyTheTextOneEnables()
    {
        QFETCH(QString, value);
        QFETCH(bool, offered);
        QVERIFY(writeCollectionFile(
            env->collectionFile(QStringLiteral("deck.db")), {}, true,
            [&value](Tintwell::CollectionFileWriter &w) {
                return w.addCollection(collection(1, kFirst, QStringLiteral("FIRST"), 1)) &&
                       w.addSetting(1, QStringLiteral("COLLECTION.ENABLED"), value);
            }));
        QCOMPARE(orderedCollections().contains(QUuid(kFirst)), offered);
        QCOMPARE(ensureConnection(QUuid(kFirst)), offered ? int(Ok) : int(NotCatalogued));
    }

    void firstFileNamingAUuidWins()
    {
        QVERIFY(writeCollectionFile(env->collectionFile(QStringLiteral("b.db")),
                                    {collection(5, kFirst, QStringLiteral("FROM_B"), 1)}));
        QVERIFY(writeCollectionFile(env->collectionFile(QStringLiteral("a.db")),
                                    {collection(7, kFirst, QStringLiteral("FROM_A"), 1)}, false));
        QCOMPARE(ensureCatalogue(), kCatalogueFilled);
        const CollectionInfo *info = catalogue().find(QUuid(kFirst));
        QVERIFY(info != nullptr);
        QCOMPARE(info->systemId, QStringLiteral("FROM_A"));
        QCOMPARE(info->id, 7);
        QVERIFY(info->path.endsWith(QStringLiteral("/a.db")));
    }

    // Every imported file carries the system-wide collection as well. The file that adds
    // the most collections keeps answering the searches across collections and serving
    // the system-wide settings, whatever the other files are called.
    void systemWideCollectionFromTheLargestFile_data()
    {
        QTest::addColumn<QStringList>("files"); // name:collections[:without system-wide]
        QTest::addColumn<QString>("source");
        QTest::newRow("one file") << QStringList{"velmora.db:2"} << "velmora.db";
        QTest::newRow("import alone") << QStringList{"acme.db:1"} << "acme.db";
        QTest::newRow("import sorts first")
            << QStringList{"acme.db:1", "velmora.db:2"} << "velmora.db";
        QTest::newRow("imports either side")
            << QStringList{"acme.db:1", "velmora.db:2", "zinc.db:1"} << "velmora.db";
        QTest::newRow("equal: first by name") << QStringList{"a.db:2", "b.db:2"} << "a.db";
        QTest::newRow("largest file lacks it")
            << QStringList{"big.db:5:without", "acme.db:1", "velmora.db:2"} << "velmora.db";
    }

    void systemWideCollectionFromTheLargestFile()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, source);
        int collections = 0;
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QStringList fields = files.at(i).split(u':');
            const int count = fields.at(1).toInt();
            QVERIFY(writeNumberedFile(env->collectionFile(fields.at(0)), count, fields.size() < 3,
                                      int(i) * 100));
            collections += count;
        }
        QCOMPARE(ensureCatalogue(), kCatalogueFilled);
        QCOMPARE(catalogue().find(systemWideCollectionUuid())->path, env->collectionFile(source));
        QCOMPARE(settingValue(systemWideCollectionUuid(), QStringLiteral("file.name")).toString(),
                 source);
        ColorEntry entry;
        QUuid found;
        QCOMPARE(findRowByCode(source + QStringLiteral("-1"), entry, &found), int(Ok));
        QCOMPARE(found, numberedCollection(source, 1));
        QCOMPARE(orderedCollections().size(), collections);
    }

    void equalOrdersOfferOneButKeepBothUsable()
    {
        QVERIFY(writeCollectionFile(env->collectionFile(QStringLiteral("a.db")),
                                    {collection(1, kFirst, QStringLiteral("ONE"), 3)}));
        QVERIFY(writeCollectionFile(env->collectionFile(QStringLiteral("b.db")),
                                    {collection(1, kSecond, QStringLiteral("TWO"), 3)}, false));
        // The same answer on every run: the one found later is offered.
        QCOMPARE(orderedCollections(), QList<QUuid>({QUuid(kSecond)}));
        QCOMPARE(ensureConnection(QUuid(kFirst)), int(Ok));
        QCOMPARE(ensureConnection(QUuid(kSecond)), int(Ok));
    }

    void collectionsOfOneFileShareOneConnection()
    {
        const QString path = writeStandardFile();
        QCOMPARE(ensureConnection(QUuid(kFirst)), int(Ok));
        QCOMPARE(ensureConnection(QUuid(kSecond)), int(Ok));
        QCOMPARE(QSqlDatabase::connectionNames().count(path), 1);
        QVERIFY(!QSqlDatabase::contains(QStringLiteral("collectionEnumerator")));
        QVERIFY(!QSqlDatabase::contains(QStringLiteral("tmpCheckAvailability")));
        QCOMPARE(collectionConnection(QUuid(kFirst)).connectionName(), path);
    }

    void connectionErrors()
    {
        QVERIFY(!writeStandardFile().isEmpty());
        QCOMPARE(ensureConnection(QUuid()), int(NullCollection));
        QCOMPARE(ensureConnection(QUuid(kThird)), int(NotCatalogued));
        QSharedPointer<Corvo::DB::Collection> record;
        QCOMPARE(collectionRecord(QUuid(), record), int(NullCollection));
        QCOMPARE(collectionRecord(QUuid(kThird), record), int(NotCatalogued));
        QVERIFY(record.isNull());
    }

    void fileAddedLaterIsFoundOnFirstUse()
    {
        QVERIFY(!writeStandardFile().isEmpty());
        QCOMPARE(ensureCatalogue(), kCatalogueFilled);
        QVERIFY(writeCollectionFile(env->collectionFile(QStringLiteral("later.db")),
                                    {collection(1, kThird, QStringLiteral("LATER"), 9)}, false));
        QCOMPARE(ensureConnection(QUuid(kThird)), int(Ok));
        QCOMPARE(settingValue(QUuid(kThird), QStringLiteral("collection.enabled")).toString(),
                 QStringLiteral("1"));
    }

    void fileRemovedAfterCataloguingFallsBack()
    {
        const QString path = writeStandardFile();
        QCOMPARE(ensureCatalogue(), kCatalogueFilled);
        QVERIFY(QFile::remove(path));
        QCOMPARE(ensureConnection(QUuid(kFirst)), int(FileUnavailable));
        // Opening read-only must not have created an empty file in its place.
        QVERIFY(!QFile::exists(path));
        QCOMPARE(settingValue(QUuid(kFirst), QStringLiteral("max.chips.on.a.page"), 42).toInt(),
                 42);
        QVERIFY(settingValues(QUuid(kFirst), QStringLiteral("max.chips.on.a.page")).isEmpty());
        QCOMPARE(localizedString(QUuid(kFirst), QStringLiteral("mypalette.palette.save")),
                 QStringLiteral("mypalette.palette.save"));
        QByteArray bytes("stale");
        QCOMPARE(themeItem(QUuid(kFirst), QStringLiteral("image.mto"), bytes),
                 int(FileUnavailable));
        QVERIFY(bytes.isEmpty());
        // Still listed: entries are never removed.
        QVERIFY(orderedCollections().contains(QUuid(kFirst)));
    }

    void collectionRecordByAnyLetterCase()
    {
        QVERIFY(writeCollectionFile(
            env->collectionFile(QStringLiteral("deck.db")), {}, true,
            [](Tintwell::CollectionFileWriter &w) {
                return w.exec(QStringLiteral("INSERT INTO COLLECTION (ID, UUID, SYSTEMID, VERSION, "
                                             "NAME, \"ORDER\") "
                                             "VALUES (1, ?, 'LOW', 4, 'Lower case', 1)"),
                              {kFirst.toLower()}) &&
                       w.addSetting(1, QStringLiteral("collection.enabled"), QStringLiteral("1"));
            }));
        QSharedPointer<Corvo::DB::Collection> record;
        QCOMPARE(collectionRecord(QUuid(kFirst.toUpper()), record), int(Ok));
        QVERIFY(!record.isNull());
        QCOMPARE(record->systemId, QStringLiteral("LOW"));
        QCOMPARE(record->version, 4);
        QCOMPARE(record->name, QStringLiteral("Lower case"));
    }

    void systemIdLookupIgnoresCase()
    {
        QVERIFY(!writeStandardFile().isEmpty());
        QCOMPARE(ensureCatalogue(), kCatalogueFilled);
        QUuid found;
        QCOMPARE(collectionUuidBySystemId(QStringLiteral("second"), found), int(Ok));
        QCOMPARE(found, QUuid(kSecond));
        QCOMPARE(collectionUuidBySystemId(QStringLiteral("virtual"), found), int(Ok));
        QCOMPARE(found, systemWideCollectionUuid());
        found = QUuid();
        QCOMPARE(collectionUuidBySystemId(QStringLiteral("NOPE"), found), int(Failed));
        QVERIFY(found.isNull());
    }

    // Each look-up as the first use of the database in the process, as when a palette
    // file is opened before anything else touched a collection.
    void lookUpsScanAFreshCatalogue_data()
    {
        QTest::addColumn<QString>("lookUp");
        QTest::newRow("system id") << QStringLiteral("systemId");
        QTest::newRow("database id") << QStringLiteral("dbId");
        QTest::newRow("system-wide file's uuid") << QStringLiteral("systemWideFile");
    }

    void lookUpsScanAFreshCatalogue()
    {
        QFETCH(QString, lookUp);
        QVERIFY(!writeStandardFile().isEmpty());
        QVERIFY(catalogue().isEmpty());
        if (lookUp == QStringLiteral("systemId")) {
            QUuid found;
            QCOMPARE(collectionUuidBySystemId(QStringLiteral("first"), found), int(Ok));
            QCOMPARE(found, QUuid(kFirst));
        } else if (lookUp == QStringLiteral("dbId")) {
            QCOMPARE(collectionDbId(QUuid(kSecond)), 2);
        } else {
            QCOMPARE(collectionUuidInSystemWideFile(2), QUuid(kSecond));
        }
    }

    void systemIdOfALaterFileIsFound()
    {
        QVERIFY(!writeStandardFile().isEmpty());
        QCOMPARE(ensureCatalogue(), kCatalogueFilled);
        QVERIFY(writeCollectionFile(env->collectionFile(QStringLiteral("later.db")),
                                    {collection(3, kThird, QStringLiteral("LATER"), 3)}, false));
        QUuid found;
        QCOMPARE(collectionUuidBySystemId(QStringLiteral("later"), found), int(Ok));
        QCOMPARE(found, QUuid(kThird));
    }

    void translationsAndThemeItems()
    {
        QVERIFY(!writeStandardFile().isEmpty());
        const QUuid first(kFirst);
        QCOMPARE(localizedString(first, QStringLiteral("MYPALETTE.palette.save")),
                 QStringLiteral("Save palette"));
        QCOMPARE(localizedString(first, QStringLiteral("no.such.key")),
                 QStringLiteral("no.such.key"));
        // Keys are bound values: a quote is an ordinary character.
        QCOMPARE(localizedString(first, QStringLiteral("it's.a.key")), QStringLiteral("quoted"));
        QCOMPARE(localizedString(QUuid(kSecond), QStringLiteral("mypalette.palette.save")),
                 QStringLiteral("mypalette.palette.save"));

        QByteArray bytes;
        QCOMPARE(themeItem(first, QStringLiteral("IMAGE.MTO"), bytes), int(Ok));
        QCOMPARE(bytes, QByteArray("\x89PNG", 4));
        QCOMPARE(themeItem(first, QStringLiteral("image.o'clock"), bytes), int(Ok));
        QCOMPARE(bytes, QByteArray("q"));
        QCOMPARE(themeItem(first, QStringLiteral("image.none"), bytes), int(Failed));
        QVERIFY(bytes.isEmpty());
    }

    void settingLookups()
    {
        QVERIFY(!writeStandardFile().isEmpty());
        const QUuid first(kFirst);
        QCOMPARE(settingValue(first, QStringLiteral("MAX.CHIPS.ON.A.PAGE")).toString(),
                 QStringLiteral("7"));
        QCOMPARE(
            settingValue(first, QStringLiteral("only.later"), QStringLiteral("dflt")).toString(),
            QStringLiteral("dflt"));
        QCOMPARE(settingValue(first, QStringLiteral("quote'd")).toString(), QStringLiteral("yes"));
        QVERIFY(!settingValue(QUuid(kSecond), QStringLiteral("max.chips.on.a.page")).isValid());

        const QVariantList order = settingValues(first, QStringLiteral("row.name.display.order"));
        QCOMPARE(order,
                 QVariantList({QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("0")}));
        QVERIFY(settingValues(first, QStringLiteral("absent")).isEmpty());
    }

    void nameOrders()
    {
        QVERIFY(!writeStandardFile().isEmpty());
        loadNameOrders(QUuid(kFirst));
        QCOMPARE(currentNameOrders().rowNameDisplay, QList<int>({5, 3, 0}));
        QCOMPARE(currentNameOrders().pageNameSearch, QList<int>({2}));
        QVERIFY(currentNameOrders().rowExtraDisplay.isEmpty());
        QCOMPARE(readNameOrders(QUuid(kSecond)).rowNameDisplay, QList<int>({9}));
        loadNameOrders(QUuid(kThird));
        QVERIFY(currentNameOrders().rowNameDisplay.isEmpty());
        QVERIFY(currentNameOrders().pageNameSearch.isEmpty());
    }

    void fileChangedUnderAnOpenConnection()
    {
        const QString path = writeStandardFile();
        QSharedPointer<Corvo::DB::Collection> record;
        QCOMPARE(collectionRecord(QUuid(kFirst), record), int(Ok));
        {
            Tintwell::CollectionFileWriter writer;
            QVERIFY(writer.open(path));
            QVERIFY(writer.exec(QStringLiteral("DROP INDEX UNQ_SYSTEMID")));
            QVERIFY(writer.exec(QStringLiteral("ALTER TABLE COLLECTION DROP COLUMN VERSION")));
            QVERIFY(writer.exec(QStringLiteral("ALTER TABLE COLLECTION ADD COLUMN NOTE text")));
            QVERIFY(
                writer.exec(QStringLiteral("UPDATE COLLECTION SET NAME = 'Renamed' WHERE ID = 1")));
        }
        // Statements that read every column are prepared afresh for the new layout.
        QCOMPARE(collectionRecord(QUuid(kFirst), record), int(Ok));
        QCOMPARE(record->name, QStringLiteral("Renamed"));
        QCOMPARE(record->systemId, QStringLiteral("FIRST"));
        QCOMPARE(record->version, 0);
        QCOMPARE(record->order, 2);
        QCOMPARE(settingValue(QUuid(kFirst), QStringLiteral("max.chips.on.a.page")).toString(),
                 QStringLiteral("7"));
    }

    void statementInUseOutlivesItsCache()
    {
        QVERIFY(!writeStandardFile().isEmpty());
        QCOMPARE(ensureConnection(QUuid(kFirst)), int(Ok));
        const QSqlDatabase db = collectionConnection(QUuid(kFirst));
        PreparedQuery query(db, QStringLiteral("SELECT ID FROM COLLECTION ORDER BY ID"));
        QVERIFY(query.exec());
        QVERIFY(query->next());
        PreparedQuery::forgetConnection(db.connectionName());
        QVERIFY(query->next());
        QCOMPARE(query->value(0).toInt(), 1);
        // The same text is prepared again for a new user while the old one still reads.
        PreparedQuery again(db, QStringLiteral("SELECT ID FROM COLLECTION ORDER BY ID"));
        QVERIFY(again.exec());
        QVERIFY(again->next());
        QCOMPARE(again->value(0).toInt(), 0);
    }

    void filesAreNeverWritten()
    {
        const QString path = writeStandardFile();
        const QByteArray before = fileHash(path);
        QCOMPARE(ensureCatalogue(), kCatalogueFilled);
        QCOMPARE(ensureConnection(QUuid(kFirst)), int(Ok));
        settingValue(QUuid(kFirst), QStringLiteral("max.chips.on.a.page"));
        localizedString(QUuid(kFirst), QStringLiteral("mypalette.palette.save"));
        loadNameOrders(QUuid(kFirst));
        QCOMPARE(fileHash(path), before);
        const QStringList leftovers =
            QDir(env->resourcesFolder())
                .entryList({QStringLiteral("*-journal"), QStringLiteral("*-wal")}, QDir::Files);
        QVERIFY(leftovers.isEmpty());
    }
};

QTEST_GUILESS_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
