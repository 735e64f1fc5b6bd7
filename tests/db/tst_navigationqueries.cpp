#include "queryfixture.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "tools/tintwell/authoring/collectionfilewriter.h"

#include <QtTest>

using namespace Corvo::DB;

class NavigationQueriesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void unusableCollectionsPassTheirErrorOn_data();
    void unusableCollectionsPassTheirErrorOn();
    void pageAtLoadsRowsSortedByRowIndex();
    void pageAtOutOfRangeIsMissing_data();
    void pageAtOutOfRangeIsMissing();
    void sharedPageBelongsToBothCollections();
    void pageByIdWithAndWithoutRows();
    void rowByIdOnlyFindsRowsOfTheCollection();
    void rowAtFindsByPosition();
    void rowLabTableListsEveryChip();
    void segmentsAreDistinctAndSorted();
    void segmentSearches_data();
    void segmentSearches();
    void nearestSegmentKeepsTheRequestWhenNothingQualifies();
    void adjacentPageSteps_data();
    void adjacentPageSteps();
    void pageQualifiesAsRollingDoes();
    void adjacentPageNeverReturnsTheCurrentPage();
    void hasExteriorPages();
    void findRowByCode_data();
    void findRowByCode();
    void findRowByCodeOnSharedPageNamesTheHitsCollection();
    void findRowByRgb_data();
    void findRowByRgb();
    void crossCollectionSearchWorksBeforeAnyCollectionWasUsed();
    void crossCollectionSearchWithoutTheSystemWideCollectionFindsNothing();
    void invalidColourNamesNoChip();
    void rowsWhosePageVanishedAreMissing();
    void cardsLoadWithoutChipsWhenTheRowStatementFails();
    void brokenPageTableFailsQuietly();
    void schemaChangedWhileTheFileIsOpen();

private:
    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<QueryFixture> m_fixture;
};

void NavigationQueriesTest::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_fixture = std::make_unique<QueryFixture>(*m_environment);
    QVERIFY2(m_fixture->isValid(), qPrintable(m_fixture->error()));
}

void NavigationQueriesTest::cleanup()
{
    m_fixture.reset();
    m_environment.reset();
}

void NavigationQueriesTest::unusableCollectionsPassTheirErrorOn_data()
{
    QTest::addColumn<QUuid>("uuid");
    QTest::addColumn<int>("expected");
    QTest::newRow("null") << QUuid() << int(NullCollection);
    QTest::newRow("unknown") << QUuid::createUuid() << int(NotCatalogued);
    QTest::newRow("enabled with 2") << QueryFixture::uuidC() << int(NotCatalogued);
    QTest::newRow("disabled") << QueryFixture::uuidD() << int(NotCatalogued);
}

void NavigationQueriesTest::unusableCollectionsPassTheirErrorOn()
{
    QFETCH(QUuid, uuid);
    QFETCH(int, expected);
    ColorPage page;
    ColorEntry entry;
    QList<int> found{1};
    QList<LabSample> samples{LabSample()};
    int segment = 0;
    int pageIndex = 0;
    QCOMPARE(pageAt(uuid, 1, page), expected);
    QCOMPARE(pageById(uuid, m_fixture->page("p1"), false, page), expected);
    QCOMPARE(adjacentPage(uuid, 1, false, kAllMoods, false, page), expected);
    QCOMPARE(firstPageOfSegment(uuid, 1, kAllMoods, false, page), expected);
    QCOMPARE(page.id, qint64(0));
    QCOMPARE(rowById(uuid, m_fixture->row("p1r1"), entry), expected);
    QCOMPARE(entry.id, qint64(-1));
    QCOMPARE(rowAt(uuid, 1, 1, entry), expected);
    QCOMPARE(segments(uuid, found), expected);
    QVERIFY(found.isEmpty());
    QCOMPARE(rowLabTable(uuid, samples), expected);
    QVERIFY(samples.isEmpty());
    QCOMPARE(nearestSegment(uuid, 4, kAllMoods, false, segment), expected);
    QCOMPARE(segment, 4);
    QCOMPARE(firstPageIndexOfSegment(uuid, 4, kAllMoods, false, pageIndex), expected);
    QCOMPARE(pageIndex, -1);
}

void NavigationQueriesTest::pageAtLoadsRowsSortedByRowIndex()
{
    ColorPage page;
    QCOMPARE(pageAt(QueryFixture::uuidA(), 3, page), int(Ok));
    QCOMPARE(page.id, m_fixture->page("p3"));
    QCOMPARE(page.pageIndex, 3);
    QCOMPARE(page.segment, 5);
    QCOMPARE(page.mood, 5);
    QVERIFY(page.exterior);
    QCOMPARE(page.names.value(0), QStringLiteral("Card 3"));
    QCOMPARE(page.rows.size(), 3);
    for (int position = 0; position < 3; ++position) {
        const ColorEntry &row = page.rows.at(position);
        QCOMPARE(row.rowIndex, position + 1);
        QCOMPARE(row.id, m_fixture->row(QStringLiteral("p3r%1").arg(position + 1)));
        QCOMPARE(row.collectionId, qint64(1));
        QCOMPARE(row.pageId, page.id);
        QCOMPARE(row.names.size(), 10);
    }
}

void NavigationQueriesTest::pageAtOutOfRangeIsMissing_data()
{
    QTest::addColumn<int>("pageIndex");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -3;
    QTest::newRow("past the end") << 8;
    QTest::newRow("another collection's card") << 7;
}

void NavigationQueriesTest::pageAtOutOfRangeIsMissing()
{
    QFETCH(int, pageIndex);
    ColorPage page;
    page.pageIndex = 42;
    QCOMPARE(pageAt(QueryFixture::uuidA(), pageIndex, page), int(Failed));
    QCOMPARE(page.pageIndex, 42); // written only on success
}

void NavigationQueriesTest::sharedPageBelongsToBothCollections()
{
    ColorPage inA;
    ColorPage inB;
    QCOMPARE(pageAt(QueryFixture::uuidA(), 6, inA), int(Ok));
    QCOMPARE(pageAt(QueryFixture::uuidB(), 6, inB), int(Ok));
    QCOMPARE(inA.id, inB.id);
    QCOMPARE(inB.rows.size(), 3);
    // Each collection sees the chips as its own.
    QCOMPARE(inA.rows.first().collectionId, qint64(1));
    QCOMPARE(inB.rows.first().collectionId, qint64(2));
    ColorEntry entry;
    QCOMPARE(rowById(QueryFixture::uuidB(), m_fixture->row("p6r2"), entry), int(Ok));
    QCOMPARE(entry.collectionId, qint64(2));
    QCOMPARE(rowAt(QueryFixture::uuidB(), 6, 2, entry), int(Ok));
    QCOMPARE(entry.id, m_fixture->row("p6r2"));
    QCOMPARE(entry.collectionId, qint64(2));
}

void NavigationQueriesTest::pageByIdWithAndWithoutRows()
{
    ColorPage page;
    QCOMPARE(pageById(QueryFixture::uuidA(), m_fixture->page("p2"), true, page), int(Ok));
    QCOMPARE(page.pageIndex, 2);
    QVERIFY(page.rows.isEmpty());
    QCOMPARE(pageById(QueryFixture::uuidA(), m_fixture->page("p2"), false, page), int(Ok));
    QCOMPARE(page.rows.size(), 3);
    QCOMPARE(page.rows.at(0).rowIndex, 1);
    QCOMPARE(page.rows.at(2).rowIndex, 3);
    QCOMPARE(page.rows.at(0).collectionId, qint64(1));
    QCOMPARE(pageById(QueryFixture::uuidA(), m_fixture->page("p7"), false, page), int(Failed));
    QCOMPARE(pageById(QueryFixture::uuidA(), 999999, true, page), int(Failed));
}

void NavigationQueriesTest::rowByIdOnlyFindsRowsOfTheCollection()
{
    ColorEntry entry;
    QCOMPARE(rowById(QueryFixture::uuidA(), m_fixture->row("p2r1"), entry), int(Ok));
    QCOMPARE(entry.code, QStringLiteral("P2R1"));
    QCOMPARE(entry.names.value(0), QStringLiteral("Blå"));
    QCOMPARE(entry.extras.value(0), QStringLiteral("Extra p2r1"));
    QCOMPARE(entry.collectionId, qint64(1));
    QCOMPARE(entry.mood, 2);
    // A chip of B's own card is not A's.
    QCOMPARE(rowById(QueryFixture::uuidA(), m_fixture->row("p7r1"), entry), int(Failed));
    QCOMPARE(entry.id, qint64(-1));
    QCOMPARE(entry.code, QString());
    QCOMPARE(rowById(QueryFixture::uuidA(), 0, entry), int(Failed));
    QCOMPARE(rowById(QueryFixture::uuidA(), -5, entry), int(Failed));
}

void NavigationQueriesTest::rowAtFindsByPosition()
{
    ColorEntry entry;
    QCOMPARE(rowAt(QueryFixture::uuidA(), 4, 2, entry), int(Ok));
    QCOMPARE(entry.id, m_fixture->row("p4r2"));
    QVERIFY(entry.neutral);
    QCOMPARE(entry.rowIndex, 2);
    QCOMPARE(entry.segment, 7);
    QCOMPARE(rowAt(QueryFixture::uuidA(), 4, 4, entry), int(Failed));
    QCOMPARE(entry.id, qint64(-1));
    QCOMPARE(rowAt(QueryFixture::uuidA(), 7, 1, entry), int(Failed));
}

void NavigationQueriesTest::rowLabTableListsEveryChip()
{
    QList<LabSample> samples;
    QCOMPARE(rowLabTable(QueryFixture::uuidA(), samples), int(Ok));
    QCOMPARE(samples.size(), 18);
    ColorEntry entry;
    for (const LabSample &sample : samples) {
        QCOMPARE(rowById(QueryFixture::uuidA(), sample.rowId, entry), int(Ok));
        QCOMPARE(sample.l, entry.l);
        QCOMPARE(sample.a, 1.5);
        QCOMPARE(sample.b, -2.5);
    }
    QCOMPARE(rowLabTable(QueryFixture::uuidE(), samples), int(Ok));
    QVERIFY(samples.isEmpty());
}

void NavigationQueriesTest::segmentsAreDistinctAndSorted()
{
    QList<int> found;
    QCOMPARE(segments(QueryFixture::uuidA(), found), int(Ok));
    QCOMPARE(found, QList<int>({2, 3, 5, 7, 9}));
    QCOMPARE(segments(QueryFixture::uuidB(), found), int(Ok));
    QCOMPARE(found, QList<int>({3, 4}));
    QCOMPARE(segments(QueryFixture::uuidE(), found), int(Failed));
    QVERIFY(found.isEmpty());
}

// Cards of A: 1 (seg 2, fresh), 2 (seg 2, warm, ext), 3 (seg 5, offwhite, ext),
// 4 (seg 7, neutral), 5 (seg 9, fresh, ext), 6 (seg 3, rich).
void NavigationQueriesTest::segmentSearches_data()
{
    QTest::addColumn<int>("segment");
    QTest::addColumn<int>("mood");
    QTest::addColumn<bool>("exterior");
    QTest::addColumn<int>("expectedSegment");
    QTest::addColumn<int>("expectedPage");
    QTest::newRow("exact segment, lowest index wins") << 2 << kAllMoods << false << 2 << 1;
    QTest::newRow("mood picks the second card") << 2 << 2 << false << 2 << 2;
    QTest::newRow("next segment up skips offwhite and neutral")
        << 4 << kAllMoods << false << 9 << 5;
    QTest::newRow("above the highest wraps to the start") << 10 << kAllMoods << false << 2 << 1;
    QTest::newRow("wrap with a mood") << 10 << 4 << false << 3 << 6;
    QTest::newRow("offwhite asked for itself") << 1 << 5 << false << 5 << 3;
    QTest::newRow("all moods and exterior skip offwhite") << 3 << kAllMoods << true << 9 << 5;
    QTest::newRow("exterior wraps") << 10 << kAllMoods << true << 2 << 2;
}

void NavigationQueriesTest::segmentSearches()
{
    QFETCH(int, segment);
    QFETCH(int, mood);
    QFETCH(bool, exterior);
    QFETCH(int, expectedSegment);
    QFETCH(int, expectedPage);
    const QUuid uuid = QueryFixture::uuidA();
    int found = -1;
    QCOMPARE(nearestSegment(uuid, segment, mood, exterior, found), int(Ok));
    QCOMPARE(found, expectedSegment);
    int pageIndex = 0;
    QCOMPARE(firstPageIndexOfSegment(uuid, segment, mood, exterior, pageIndex), int(Ok));
    QCOMPARE(pageIndex, expectedPage);
    ColorPage page;
    QCOMPARE(firstPageOfSegment(uuid, segment, mood, exterior, page), int(Ok));
    QCOMPARE(page.pageIndex, expectedPage);
    QCOMPARE(page.segment, expectedSegment);
    QCOMPARE(page.rows.size(), 3);
    QCOMPARE(page.rows.at(1).rowIndex, 2);
}

void NavigationQueriesTest::nearestSegmentKeepsTheRequestWhenNothingQualifies()
{
    const QUuid uuid = QueryFixture::uuidA();
    for (const int mood : {3, 99, -1}) {
        int found = -1;
        QCOMPARE(nearestSegment(uuid, 4, mood, false, found), int(NothingQualifies));
        QCOMPARE(found, 4);
        int pageIndex = 7;
        QCOMPARE(firstPageIndexOfSegment(uuid, 4, mood, false, pageIndex), int(NothingQualifies));
        QCOMPARE(pageIndex, -1);
        ColorPage page;
        page.pageIndex = 42;
        QCOMPARE(firstPageOfSegment(uuid, 4, mood, false, page), int(NothingQualifies));
        QCOMPARE(page.pageIndex, 42);
    }
    // Rich cards exist, but none outdoors.
    int found = -1;
    QCOMPARE(nearestSegment(uuid, 1, 4, true, found), int(NothingQualifies));
    ColorPage page;
    QCOMPARE(firstPageOfSegment(QueryFixture::uuidE(), 1, kAllMoods, false, page),
             int(NothingQualifies));
}

void NavigationQueriesTest::adjacentPageSteps_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<int>("mood");
    QTest::addColumn<bool>("exterior");
    QTest::addColumn<int>("expected");
    QTest::newRow("next") << 1 << false << kAllMoods << false << 2;
    QTest::newRow("next skips offwhite and neutral") << 2 << false << kAllMoods << false << 5;
    QTest::newRow("forward from the last wraps to the first")
        << 6 << false << kAllMoods << false << 1;
    QTest::newRow("backward from the first wraps to the last")
        << 1 << true << kAllMoods << false << 6;
    QTest::newRow("previous") << 5 << true << kAllMoods << false << 2;
    QTest::newRow("by mood") << 1 << false << 1 << false << 5;
    QTest::newRow("by mood, wrapping") << 5 << false << 1 << false << 1;
    QTest::newRow("all moods outdoors steps onto offwhite") << 2 << false << kAllMoods << true << 3;
    QTest::newRow("all moods outdoors backwards wraps") << 2 << true << kAllMoods << true << 5;
    QTest::newRow("a mood outdoors") << 2 << false << 1 << true << 5;
    QTest::newRow("from an index not in the deck") << 100 << false << kAllMoods << false << 1;
    QTest::newRow("every mood takes offwhite and neutral")
        << 2 << false << int(Corvo::MoodEvery) << false << 3;
}

void NavigationQueriesTest::adjacentPageSteps()
{
    QFETCH(int, from);
    QFETCH(bool, backwards);
    QFETCH(int, mood);
    QFETCH(bool, exterior);
    QFETCH(int, expected);
    ColorPage page;
    QCOMPARE(Corvo::DB::adjacentPage(QueryFixture::uuidA(), from, backwards, mood, exterior, page),
             int(Ok));
    QCOMPARE(page.pageIndex, expected);
    QCOMPARE(page.rows.size(), 3);
    QCOMPARE(page.rows.at(0).rowIndex, 1);
}

void NavigationQueriesTest::adjacentPageNeverReturnsTheCurrentPage()
{
    ColorPage page;
    page.pageIndex = 42;
    // Only card 6 is rich.
    QCOMPARE(adjacentPage(QueryFixture::uuidA(), 6, false, 4, false, page), int(NothingQualifies));
    QCOMPARE(adjacentPage(QueryFixture::uuidA(), 6, true, 4, false, page), int(NothingQualifies));
    QCOMPARE(adjacentPage(QueryFixture::uuidA(), 1, false, 3, false, page), int(NothingQualifies));
    QCOMPARE(adjacentPage(QueryFixture::uuidE(), 1, false, kAllMoods, false, page),
             int(NothingQualifies));
    QCOMPARE(page.pageIndex, 42);
}

// The cards a deck rolls through are the cards pageQualifies admits, for every filter.
void NavigationQueriesTest::pageQualifiesAsRollingDoes()
{
    const QUuid uuid = QueryFixture::uuidA();
    QList<ColorPage> cards;
    ColorPage page;
    for (int index = 1; pageAt(uuid, index, page) == Ok; ++index)
        cards.append(page);
    QVERIFY(cards.size() > 1);
    for (int mood = Corvo::MoodEvery; mood <= kAllMoods; ++mood) {
        for (const bool exterior : {false, true}) {
            QSet<int> rolled;
            for (const ColorPage &card : cards) {
                if (adjacentPage(uuid, card.pageIndex, false, mood, exterior, page) == Ok)
                    rolled.insert(page.pageIndex);
            }
            QSet<int> admitted;
            for (const ColorPage &card : cards) {
                if (pageQualifies(card, mood, exterior))
                    admitted.insert(card.pageIndex);
            }
            QVERIFY2(rolled == admitted,
                     qPrintable(QStringLiteral("mood %1, exterior %2").arg(mood).arg(exterior)));
        }
    }
}

void NavigationQueriesTest::hasExteriorPages()
{
    QVERIFY(Corvo::DB::hasExteriorPages(QueryFixture::uuidA(), 1));
    QVERIFY(Corvo::DB::hasExteriorPages(QueryFixture::uuidA(), 5));
    QVERIFY(!Corvo::DB::hasExteriorPages(QueryFixture::uuidA(), 4));
    QVERIFY(!Corvo::DB::hasExteriorPages(QueryFixture::uuidA(), kAllMoods));
    QVERIFY(Corvo::DB::hasExteriorPages(QUuid::createUuid(), 4));
}

void NavigationQueriesTest::findRowByCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QUuid>("collection");
    QTest::newRow("as stored") << "P3R2"
                               << "p3r2" << QueryFixture::uuidA();
    QTest::newRow("any letter case") << "p3r2"
                                     << "p3r2" << QueryFixture::uuidA();
    QTest::newRow("with a quote") << "o'brien 1"
                                  << "p1r3" << QueryFixture::uuidA();
    QTest::newRow("own card of B") << "P7R3"
                                   << "p7r3" << QueryFixture::uuidB();
    // C is searched (enabled with 2) but not catalogued, so its hit cannot be shown.
    QTest::newRow("collection enabled with 2") << "P8R1"
                                               << "" << QUuid();
    QTest::newRow("disabled collection") << "P9R1"
                                         << "" << QUuid();
    QTest::newRow("injection") << "' OR 1=1 --"
                               << "" << QUuid();
    QTest::newRow("empty") << ""
                           << "" << QUuid();
    QTest::newRow("blank would match a chip without code") << "  "
                                                           << "" << QUuid();
    QTest::newRow("prefix only") << "P3R"
                                 << "" << QUuid();
}

void NavigationQueriesTest::findRowByCode()
{
    QFETCH(QString, code);
    QFETCH(QString, expected);
    QFETCH(QUuid, collection);
    ColorEntry entry;
    QUuid found = QUuid::createUuid();
    const int result = Corvo::DB::findRowByCode(code, entry, &found);
    if (expected.isEmpty()) {
        QCOMPARE(result, int(Failed));
        QCOMPARE(entry.id, qint64(-1));
        QVERIFY(found.isNull());
        return;
    }
    QCOMPARE(result, int(Ok));
    QCOMPARE(entry.id, m_fixture->row(expected));
    QCOMPARE(found, collection);
    QCOMPARE(entry.collectionId, collectionDbId(collection));
}

void NavigationQueriesTest::findRowByCodeOnSharedPageNamesTheHitsCollection()
{
    ColorEntry entry;
    QUuid found;
    QCOMPARE(Corvo::DB::findRowByCode(QStringLiteral("p6r1"), entry, &found), int(Ok));
    QCOMPARE(entry.id, m_fixture->row("p6r1"));
    QVERIFY(found == QueryFixture::uuidA() || found == QueryFixture::uuidB());
    QCOMPARE(entry.collectionId, collectionDbId(found));
    QCOMPARE(Corvo::DB::findRowByCode(QStringLiteral("P1R1"), entry), int(Ok));
}

void NavigationQueriesTest::findRowByRgb_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("expected");
    // Chips are coloured (10 + 3k, 11 + 3k, 12 + 3k) in the order they were stored.
    QTest::newRow("first chip stored") << QColor(10, 11, 12) << "p3r3";
    QTest::newRow("fourth chip stored") << QColor(19, 20, 21) << "p1r3";
    QTest::newRow("colour only in a collection enabled with 2") << QColor(250, 1, 2) << "";
    QTest::newRow("no such colour") << QColor(0, 0, 0) << "";
}

void NavigationQueriesTest::findRowByRgb()
{
    QFETCH(QColor, colour);
    QFETCH(QString, expected);
    ColorEntry entry;
    QUuid found;
    const int result = Corvo::DB::findRowByRgb(colour, entry, &found);
    if (expected.isEmpty()) {
        QCOMPARE(result, int(Failed));
        QVERIFY(found.isNull());
        return;
    }
    QCOMPARE(result, int(Ok));
    QCOMPARE(entry.id, m_fixture->row(expected));
    QCOMPARE(entry.red, colour.red());
    QCOMPARE(found, QueryFixture::uuidA());
    QCOMPARE(entry.collectionId, qint64(1));
}

void NavigationQueriesTest::crossCollectionSearchWorksBeforeAnyCollectionWasUsed()
{
    TestEnvironment::resetCatalogue();
    ColorEntry entry;
    QCOMPARE(Corvo::DB::findRowByRgb(QColor(10, 11, 12), entry), int(Ok));
    TestEnvironment::resetCatalogue();
    QCOMPARE(Corvo::DB::findRowByCode(QStringLiteral("p7r1"), entry), int(Ok));
    QCOMPARE(entry.collectionId, qint64(2));
}

void NavigationQueriesTest::crossCollectionSearchWithoutTheSystemWideCollectionFindsNothing()
{
    Tintwell::CollectionFileWriter writer;
    QVERIFY(writer.open(m_fixture->path));
    QVERIFY(writer.exec(QStringLiteral("DELETE FROM COLLECTION WHERE ID = 0")));
    QVERIFY(writer.close());
    TestEnvironment::resetCatalogue();
    ColorEntry entry;
    QUuid found = QUuid::createUuid();
    QCOMPARE(Corvo::DB::findRowByCode(QStringLiteral("P3R2"), entry, &found), int(Failed));
    QCOMPARE(entry.id, qint64(-1));
    QVERIFY(found.isNull());
    found = QUuid::createUuid();
    QCOMPARE(Corvo::DB::findRowByRgb(QColor(10, 11, 12), entry, &found), int(Failed));
    QVERIFY(found.isNull());
}

void NavigationQueriesTest::invalidColourNamesNoChip()
{
    Tintwell::CollectionFileWriter writer;
    QVERIFY(writer.open(m_fixture->path));
    QVERIFY(
        writer.exec(QStringLiteral("UPDATE \"ROW\" SET RED = 0, GREEN = 0, BLUE = 0 WHERE ID = ?"),
                    {m_fixture->row("p1r1")}));
    QVERIFY(writer.close());
    ColorEntry entry;
    QCOMPARE(Corvo::DB::findRowByRgb(QColor(0, 0, 0), entry), int(Ok));
    QCOMPARE(entry.id, m_fixture->row("p1r1"));
    QUuid found = QUuid::createUuid();
    QCOMPARE(Corvo::DB::findRowByRgb(QColor(), entry, &found), int(Failed));
    QCOMPARE(entry.id, qint64(-1));
    QVERIFY(found.isNull());
}

void NavigationQueriesTest::rowsWhosePageVanishedAreMissing()
{
    // Foreign keys are not enforced by SQLite unless asked, so a file can hold chips and
    // map entries of a card that is gone.
    Tintwell::CollectionFileWriter writer;
    QVERIFY(writer.open(m_fixture->path));
    QVERIFY(writer.exec(QStringLiteral("DELETE FROM PAGE WHERE ID = ?"), {m_fixture->page("p5")}));
    QVERIFY(writer.close());
    const QUuid uuid = QueryFixture::uuidA();
    ColorEntry entry;
    QCOMPARE(rowById(uuid, m_fixture->row("p5r1"), entry), int(Failed));
    QCOMPARE(rowAt(uuid, 5, 1, entry), int(Failed));
    QCOMPARE(Corvo::DB::findRowByCode(QStringLiteral("P5R1"), entry), int(Failed));
    ColorPage page;
    QCOMPARE(pageAt(uuid, 5, page), int(Failed));
    QCOMPARE(pageById(uuid, m_fixture->page("p5"), false, page), int(Failed));
    QCOMPARE(Corvo::DB::adjacentPage(uuid, 2, false, kAllMoods, false, page), int(Ok));
    QCOMPARE(page.pageIndex, 6);
    QList<int> found;
    QCOMPARE(segments(uuid, found), int(Ok));
    QCOMPARE(found, QList<int>({2, 3, 5, 7}));
    QList<LabSample> samples;
    QCOMPARE(rowLabTable(uuid, samples), int(Ok));
    QCOMPARE(samples.size(), 15);
}

void NavigationQueriesTest::cardsLoadWithoutChipsWhenTheRowStatementFails()
{
    QVERIFY(m_fixture->alter(QStringLiteral("DROP TABLE \"ROW\"")));
    const QUuid uuid = QueryFixture::uuidA();
    ColorPage page;
    QCOMPARE(pageAt(uuid, 3, page), int(Ok));
    QCOMPARE(page.pageIndex, 3);
    QVERIFY(page.rows.isEmpty());
    page = ColorPage();
    QCOMPARE(pageById(uuid, m_fixture->page("p2"), false, page), int(Ok));
    QCOMPARE(page.pageIndex, 2);
    QVERIFY(page.rows.isEmpty());
    page = ColorPage();
    QCOMPARE(Corvo::DB::adjacentPage(uuid, 1, false, kAllMoods, false, page), int(Ok));
    QCOMPARE(page.pageIndex, 2);
    QVERIFY(page.rows.isEmpty());
    page = ColorPage();
    QCOMPARE(firstPageOfSegment(uuid, 9, kAllMoods, false, page), int(Ok));
    QCOMPARE(page.pageIndex, 5);
    QVERIFY(page.rows.isEmpty());
    ColorEntry entry;
    QCOMPARE(rowById(uuid, m_fixture->row("p1r1"), entry), int(Failed));
    QCOMPARE(rowAt(uuid, 1, 1, entry), int(Failed));
    QList<LabSample> samples{LabSample()};
    QCOMPARE(rowLabTable(uuid, samples), int(Ok));
    QVERIFY(samples.isEmpty());
    QCOMPARE(Corvo::DB::findRowByCode(QStringLiteral("P1R1"), entry), int(Failed));
}

void NavigationQueriesTest::brokenPageTableFailsQuietly()
{
    QVERIFY(m_fixture->alter(QStringLiteral("DROP TABLE PAGE")));
    const QUuid uuid = QueryFixture::uuidA();
    ColorPage page;
    page.pageIndex = 42;
    QCOMPARE(pageAt(uuid, 1, page), int(Failed));
    QCOMPARE(pageById(uuid, m_fixture->page("p1"), true, page), int(Failed));
    QCOMPARE(Corvo::DB::adjacentPage(uuid, 1, false, kAllMoods, false, page),
             int(NothingQualifies));
    QCOMPARE(firstPageOfSegment(uuid, 1, kAllMoods, false, page), int(NothingQualifies));
    QCOMPARE(page.pageIndex, 42);
    int segment = 0;
    QCOMPARE(nearestSegment(uuid, 4, kAllMoods, false, segment), int(NothingQualifies));
    QCOMPARE(segment, 4);
    QList<int> found{1};
    QCOMPARE(segments(uuid, found), int(Failed));
    QVERIFY(found.isEmpty());
    QVERIFY(!Corvo::DB::hasExteriorPages(uuid, 1));
}

// An author may alter a collection file while the picker has it open. Statements that
// read "*" then return another number of columns, and every chip must still read right.
void NavigationQueriesTest::schemaChangedWhileTheFileIsOpen()
{
    const QUuid uuid = QueryFixture::uuidA();
    const qint64 firstStored = m_fixture->row("p1r3");
    ColorPage page;
    QCOMPARE(pageAt(uuid, 1, page), int(Ok));
    for (int round = 0; round < 4; ++round) {
        QVERIFY(m_fixture->alter(QStringLiteral("ALTER TABLE \"ROW\" DROP COLUMN IS_MTO")));
        QCOMPARE(pageAt(uuid, 1, page), int(Ok));
        QCOMPARE(page.rows.size(), 3);
        QCOMPARE(page.rows.at(2).id, firstStored);
        QVERIFY(!page.rows.at(2).isMto);
        QVERIFY(m_fixture->alter(QStringLiteral("ALTER TABLE \"ROW\" ADD COLUMN IS_MTO integer")));
        QVERIFY(m_fixture->alter(QStringLiteral("UPDATE \"ROW\" SET IS_MTO = 1 WHERE ID = ?"),
                                 {firstStored}));
        QCOMPARE(pageAt(uuid, 1, page), int(Ok));
        QCOMPARE(page.rows.size(), 3);
        QCOMPARE(page.rows.at(2).code, QStringLiteral("O'BRIEN 1"));
        QVERIFY(page.rows.at(2).isMto);
        QVERIFY(!page.rows.at(1).isMto);
        ColorEntry entry;
        QCOMPARE(rowById(uuid, firstStored, entry), int(Ok));
        QVERIFY(entry.isMto);
    }
}

QTEST_GUILESS_MAIN(NavigationQueriesTest)
#include "tst_navigationqueries.moc"
