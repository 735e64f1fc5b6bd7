#include "queryfixture.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/schemequeries.h"

#include <QtTest>

using namespace Corvo::DB;

// Chip p1r1 is card 1's first chip; p4r2 is neutral; p6r1 is rich (mood 4).
class SchemeQueriesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void schemeRowsInSchemeOrder();
    void gates_data();
    void gates();
    void rowPositionOutOfRange_data();
    void rowPositionOutOfRange();
    void unusableCollectionsAndCards();
    void schemePageRowsPageByPage();
    void contrastRowsMergeOrder();
    void contrastRowsWithContrastOnly();
    void schemePagesSkipCardsOutsideTheCollection();
    void complementaryNeutralPages();
    void brokenFilesFailQuietly_data();
    void brokenFilesFailQuietly();

private:
    QStringList names(const QList<ColorEntry> &entries) const;

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<QueryFixture> m_fixture;
};

void SchemeQueriesTest::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_fixture = std::make_unique<QueryFixture>(*m_environment);
    QVERIFY2(m_fixture->isValid(), qPrintable(m_fixture->error()));
}

void SchemeQueriesTest::cleanup()
{
    m_fixture.reset();
    m_environment.reset();
}

QStringList SchemeQueriesTest::names(const QList<ColorEntry> &entries) const
{
    QStringList found;
    for (const ColorEntry &entry : entries)
        found.append(m_fixture->rows.key(entry.id));
    return found;
}

void SchemeQueriesTest::schemeRowsInSchemeOrder()
{
    QList<ColorEntry> entries;
    QCOMPARE(schemeRows(QueryFixture::uuidA(), Scheme::Harmonic, 1, 1, entries), int(Ok));
    QCOMPARE(names(entries), QStringList({"p2r3", "p2r2", "p2r1"}));
    QCOMPARE(entries.at(0).rowIndex, 1); // the position in the scheme
    QCOMPARE(entries.at(1).rowIndex, 5);
    QCOMPARE(entries.at(0).collectionId, qint64(1));
    QCOMPARE(entries.at(0).code, QStringLiteral("P2R3"));
    QCOMPARE(entries.at(2).names.value(0), QStringLiteral("Blå"));
    // B's scheme rows for the same chip are B's alone.
    QCOMPARE(schemeRows(QueryFixture::uuidA(), Scheme::Dynamic, 1, 1, entries), int(Ok));
    QVERIFY(entries.isEmpty());
}

void SchemeQueriesTest::gates_data()
{
    QTest::addColumn<int>("scheme");
    QTest::addColumn<int>("pageIndex");
    QTest::addColumn<int>("rowPosition");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("dramatic, plain chip") << Scheme::Dramatic << 1 << 1 << QStringList();
    QTest::newRow("dramatic, neutral chip") << Scheme::Dramatic << 4 << 2 << QStringList{"p3r2"};
    QTest::newRow("complementary neutral, fresh chip")
        << Scheme::ComplementaryNeutral << 1 << 1 << QStringList();
    QTest::newRow("complementary neutral, rich chip")
        << Scheme::ComplementaryNeutral << 6 << 1 << QStringList{"p5r1"};
}

void SchemeQueriesTest::gates()
{
    QFETCH(int, scheme);
    QFETCH(int, pageIndex);
    QFETCH(int, rowPosition);
    QFETCH(QStringList, expected);
    QList<ColorEntry> entries{ColorEntry()};
    QCOMPARE(schemeRows(QueryFixture::uuidA(), scheme, pageIndex, rowPosition, entries), int(Ok));
    QCOMPARE(names(entries), expected);
}

void SchemeQueriesTest::rowPositionOutOfRange_data()
{
    QTest::addColumn<int>("rowPosition");
    QTest::newRow("zero") << 0;
    QTest::newRow("one past the last chip") << 4;
    QTest::newRow("negative") << -1;
}

void SchemeQueriesTest::rowPositionOutOfRange()
{
    QFETCH(int, rowPosition);
    const QUuid uuid = QueryFixture::uuidA();
    QList<ColorEntry> entries{ColorEntry()};
    QCOMPARE(schemeRows(uuid, Scheme::Harmonic, 1, rowPosition, entries), int(OutOfRange));
    QVERIFY(entries.isEmpty());
    entries = {ColorEntry()};
    QCOMPARE(schemePageRows(uuid, Scheme::Dynamic, 1, rowPosition, entries), int(OutOfRange));
    QVERIFY(entries.isEmpty());
    entries = {ColorEntry()};
    QCOMPARE(contrastRows(uuid, 1, rowPosition, entries), int(OutOfRange));
    QVERIFY(entries.isEmpty());
}

void SchemeQueriesTest::unusableCollectionsAndCards()
{
    QList<ColorEntry> entries{ColorEntry()};
    QCOMPARE(schemeRows(QUuid(), Scheme::Harmonic, 1, 1, entries), int(NullCollection));
    QVERIFY(entries.isEmpty());
    QCOMPARE(contrastRows(QueryFixture::uuidD(), 1, 1, entries), int(NotCatalogued));
    QCOMPARE(schemePageRows(QueryFixture::uuidA(), Scheme::Dynamic, 99, 1, entries), int(Failed));
    QList<ColorPage> pages{ColorPage()};
    QCOMPARE(schemePages(QUuid::createUuid(), 1, 6, pages), int(NotCatalogued));
    QVERIFY(pages.isEmpty());
}

void SchemeQueriesTest::schemePageRowsPageByPage()
{
    QList<ColorEntry> entries;
    QCOMPARE(schemePageRows(QueryFixture::uuidA(), Scheme::Dynamic, 1, 1, entries), int(Ok));
    QCOMPARE(names(entries), QStringList({"p2r1", "p2r2", "p2r3", "p3r1", "p3r2", "p3r3"}));
    QCOMPARE(entries.at(0).pageOrder, 1);
    QCOMPARE(entries.at(5).pageOrder, 2);
    QCOMPARE(entries.at(4).rowIndex, 2);
    QCOMPARE(entries.at(4).collectionId, qint64(1));
    QCOMPARE(schemePageRows(QueryFixture::uuidA(), Scheme::Dramatic, 1, 1, entries), int(Ok));
    QVERIFY(entries.isEmpty());
}

void SchemeQueriesTest::contrastRowsMergeOrder()
{
    QList<ColorEntry> entries;
    QCOMPARE(contrastRows(QueryFixture::uuidA(), 1, 1, entries), int(Ok));
    QCOMPARE(entries.size(), 5);
    // Wide contrast group 0, contrast group 0, wide contrast group 1, then the rest.
    QCOMPARE(names(entries).mid(0, 3), QStringList({"p6r2", "p5r1", "p6r1"}));
    QCOMPARE(entries.at(0).pageOrder, -1);
    QCOMPARE(entries.at(1).pageOrder, 0);
    QCOMPARE(entries.at(2).pageOrder, 1);
    QCOMPARE(entries.at(3).pageOrder, 100);
    QCOMPARE(entries.at(4).pageOrder, 100);
    const QStringList rest = names(entries).mid(3);
    QVERIFY(rest.contains(QStringLiteral("p5r2")));
    QVERIFY(rest.contains(QStringLiteral("p5r3")));
}

void SchemeQueriesTest::contrastRowsWithContrastOnly()
{
    QList<ColorEntry> entries;
    QCOMPARE(contrastRows(QueryFixture::uuidA(), 1, 2, entries), int(Ok));
    QCOMPARE(names(entries), QStringList({"p6r2", "p6r3"}));
    QCOMPARE(entries.at(0).pageOrder, 0);
    QCOMPARE(entries.at(1).pageOrder, 100);
}

void SchemeQueriesTest::schemePagesSkipCardsOutsideTheCollection()
{
    QList<ColorPage> pages;
    QCOMPARE(schemePages(QueryFixture::uuidA(), 1, Scheme::Neutral, pages), int(Ok));
    // Card 7 belongs to B only and is skipped.
    QCOMPARE(pages.size(), 2);
    QList<int> indexes;
    for (const ColorPage &page : pages) {
        indexes.append(page.pageIndex);
        QCOMPARE(page.rows.size(), 3);
        QCOMPARE(page.rows.at(0).rowIndex, 1);
    }
    std::sort(indexes.begin(), indexes.end());
    QCOMPARE(indexes, QList<int>({4, 5}));
    QCOMPARE(schemePages(QueryFixture::uuidA(), 2, Scheme::Neutral, pages), int(Ok));
    QVERIFY(pages.isEmpty());
    QCOMPARE(schemePages(QueryFixture::uuidB(), 1, Scheme::Neutral, pages), int(Ok));
    QVERIFY(pages.isEmpty());
}

void SchemeQueriesTest::complementaryNeutralPages()
{
    QVERIFY(hasComplementaryNeutralPages(QueryFixture::uuidA(), 1));
    QVERIFY(!hasComplementaryNeutralPages(QueryFixture::uuidA(), 2));
    QVERIFY(!hasComplementaryNeutralPages(QueryFixture::uuidA(), 99));
    QVERIFY(!hasComplementaryNeutralPages(QueryFixture::uuidB(), 1));
    QVERIFY(hasComplementaryNeutralPages(QUuid::createUuid(), 1));
    // Scheme pages of another kind do not count.
    QVERIFY(m_fixture->alter(
        QStringLiteral("INSERT INTO PAGE_SCHEME (COLLECTION_ID, PAGE_ID, SCHEME_PAGE_ID, "
                       "SCHEME_ID, \"ORDER\") VALUES (1, ?, ?, 6, 0)"),
        {m_fixture->page("p2"), m_fixture->page("p4")}));
    QVERIFY(!hasComplementaryNeutralPages(QueryFixture::uuidA(), 2));
}

// Every failure leaves its output empty; a card whose chips cannot be read has no chip at
// any position.
void SchemeQueriesTest::brokenFilesFailQuietly_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pageRows");
    QTest::addColumn<int>("contrast");
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("complementaryNeutral");
    QTest::newRow("no chip schemes")
        << "DROP TABLE ROW_SCHEME_MAP" << int(Failed) << int(Ok) << int(Failed) << int(Ok) << true;
    QTest::newRow("no chip-to-card schemes")
        << "DROP TABLE ROW_TO_PAGE_SCHEME" << int(Ok) << int(Failed) << int(Ok) << int(Ok) << true;
    QTest::newRow("no card schemes")
        << "DROP TABLE PAGE_SCHEME" << int(Ok) << int(Ok) << int(Ok) << int(Failed) << false;
    QTest::newRow("no chips") << "DROP TABLE \"ROW\"" << int(OutOfRange) << int(OutOfRange)
                              << int(OutOfRange) << int(Ok) << true;
    QTest::newRow("no cards") << "DROP TABLE PAGE" << int(Failed) << int(Failed) << int(Failed)
                              << int(Failed) << false;
}

void SchemeQueriesTest::brokenFilesFailQuietly()
{
    QFETCH(QString, damage);
    QVERIFY(m_fixture->alter(damage));
    const QUuid uuid = QueryFixture::uuidA();
    QList<ColorEntry> entries{ColorEntry()};
    const int rows = schemeRows(uuid, Scheme::Harmonic, 1, 1, entries);
    QTEST(rows, "rows");
    QCOMPARE(entries.isEmpty(), rows != Ok);
    entries = {ColorEntry()};
    const int pageRows = schemePageRows(uuid, Scheme::Dynamic, 1, 1, entries);
    QTEST(pageRows, "pageRows");
    QCOMPARE(entries.isEmpty(), pageRows != Ok);
    entries = {ColorEntry()};
    const int contrast = contrastRows(uuid, 1, 1, entries);
    QTEST(contrast, "contrast");
    QCOMPARE(entries.isEmpty(), contrast != Ok);
    QList<ColorPage> pages{ColorPage()};
    const int schemeCards = schemePages(uuid, 1, Scheme::Neutral, pages);
    QTEST(schemeCards, "pages");
    QCOMPARE(pages.isEmpty(), schemeCards != Ok);
    QTEST(hasComplementaryNeutralPages(uuid, 1), "complementaryNeutral");
}

QTEST_GUILESS_MAIN(SchemeQueriesTest)
#include "tst_schemequeries.moc"
