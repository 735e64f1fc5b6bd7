#include "queryfixture.h"

#include "engine/db/capsurequeries.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/nameorders.h"
#include "engine/db/productqueries.h"
#include "engine/db/texturequeries.h"
#include "engine/db/vistaraqueries.h"

#include <QtTest>

using namespace Corvo::DB;

// Trend groups, products, textures and the Capsure look-ups.
class SideQueriesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void vistaraGroupsIncludeTheFilesSharedGroups();
    void productNamesAndCodes();
    void productGroupNames();
    void productsOfAChipWithoutAny();
    void texturesIncludeTheFilesSharedOnes();
    void texturePlacementsOfACard();
    void unusableCollectionsGiveEmptyOutputs();
    void capsureCollectionIdsByPriority();
    void capsureMatches_data();
    void capsureMatches();
    void capsureMatchesOnASharedCardNameEachCollection();
    void capsureMatchesFollowTheCurrentSearchOrder();
    void capsureMatchesOfEachAsOneLookUpPerText_data();
    void capsureMatchesOfEachAsOneLookUpPerText();
    void productsWithoutTheCodeColumn();
    void productColumnsChangedWhileTheFileIsOpen();
    void trendGroupsWhoseEntriesCannotBeRead();
    void brokenFilesFailQuietly_data();
    void brokenFilesFailQuietly();

private:
    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<QueryFixture> m_fixture;
};

void SideQueriesTest::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_fixture = std::make_unique<QueryFixture>(*m_environment);
    QVERIFY2(m_fixture->isValid(), qPrintable(m_fixture->error()));
    loadNameOrders(QueryFixture::uuidA());
}

void SideQueriesTest::cleanup()
{
    m_fixture.reset();
    m_environment.reset();
}

void SideQueriesTest::vistaraGroupsIncludeTheFilesSharedGroups()
{
    QHash<qint64, VistaraGroup> groups;
    QCOMPARE(vistaraGroups(QueryFixture::uuidA(), groups), int(Ok));
    QCOMPARE(groups.size(), 2);
    QStringList names;
    for (const VistaraGroup &group : groups)
        names.append(group.name);
    names.sort();
    QCOMPARE(names, QStringList({"Spring", "Year"}));
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        const VistaraGroup &group = it.value();
        QCOMPARE(it.key(), group.id);
        if (group.name != QLatin1String("Spring")) {
            QVERIFY(group.entries.isEmpty());
            continue;
        }
        QVERIFY(group.defaultOpen);
        QCOMPARE(group.order, 2);
        QCOMPARE(group.entries.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(group.entries.at(i).order, i + 1);
        QCOMPARE(group.entries.at(0).rowId, m_fixture->row("p1r1"));
        QCOMPARE(group.entries.at(1).rowId, qint64(0));
        QCOMPARE(group.entries.at(2).color, QColor(3, 0, 0));
    }
    QCOMPARE(vistaraGroups(QueryFixture::uuidE(), groups), int(Ok));
    QCOMPARE(groups.size(), 1);
}

void SideQueriesTest::productNamesAndCodes()
{
    const qint64 chip = m_fixture->row("p1r1");
    QStringList names;
    QCOMPARE(productNames(QueryFixture::uuidA(), chip, QStringLiteral(" / "), names), int(Ok));
    names.sort();
    QCOMPARE(names, QStringList({"Gloss", "Matt / M1", "Satin"}));
    QStringList codes;
    QCOMPARE(productCodes(QueryFixture::uuidA(), chip, codes), int(Ok));
    QCOMPARE(codes, QStringList({"M1"}));
}

void SideQueriesTest::productGroupNames()
{
    QStringList names;
    QCOMPARE(Corvo::DB::productGroupNames(QueryFixture::uuidA(), m_fixture->row("p1r1"), names),
             int(Ok));
    names.sort();
    QCOMPARE(names, QStringList({"", "Interior"}));
}

void SideQueriesTest::productsOfAChipWithoutAny()
{
    QStringList names{QStringLiteral("stale")};
    QCOMPARE(
        productNames(QueryFixture::uuidA(), m_fixture->row("p2r2"), QStringLiteral(": "), names),
        int(Ok));
    QVERIFY(names.isEmpty());
    QCOMPARE(productCodes(QueryFixture::uuidA(), -1, names), int(Ok));
    QVERIFY(names.isEmpty());
}

void SideQueriesTest::texturesIncludeTheFilesSharedOnes()
{
    QHash<qint64, Texture> found;
    QCOMPARE(textures(QueryFixture::uuidA(), found), int(Ok));
    QCOMPARE(found.size(), 2);
    const Texture shared = found.value(m_fixture->textures.value(QStringLiteral("shared")));
    QCOMPARE(shared.name, QStringLiteral("Plaster"));
    QCOMPARE(shared.baseAlpha, 0.5);
    QCOMPARE(shared.image.size(), QSize(4, 4));
    const Texture broken = found.value(m_fixture->textures.value(QStringLiteral("ofA")));
    QVERIFY(broken.isValid());
    QVERIFY(broken.image.isNull());
    QCOMPARE(broken.collectionId, qint64(1));
}

void SideQueriesTest::texturePlacementsOfACard()
{
    QList<TexturePlacement> placements;
    QCOMPARE(texturePlacements(QueryFixture::uuidA(), m_fixture->page("p1"), placements), int(Ok));
    QCOMPARE(placements.size(), 2);
    for (const TexturePlacement &placement : placements) {
        QCOMPARE(placement.pageId, m_fixture->page("p1"));
        if (placement.textureId == m_fixture->textures.value(QStringLiteral("shared"))) {
            QCOMPARE(placement.alpha, 0.25);
            QCOMPARE(placement.name, QStringLiteral("Plaster wall"));
        }
    }
    QCOMPARE(texturePlacements(QueryFixture::uuidA(), m_fixture->page("p2"), placements), int(Ok));
    QVERIFY(placements.isEmpty());
}

void SideQueriesTest::unusableCollectionsGiveEmptyOutputs()
{
    const QUuid unknown = QUuid::createUuid();
    QHash<qint64, VistaraGroup> groups{{1, VistaraGroup()}};
    QCOMPARE(vistaraGroups(unknown, groups), int(NotCatalogued));
    QVERIFY(groups.isEmpty());
    QStringList texts{QStringLiteral("stale")};
    QCOMPARE(productNames(QUuid(), 1, QStringLiteral(": "), texts), int(NullCollection));
    QVERIFY(texts.isEmpty());
    texts = {QStringLiteral("stale")};
    QCOMPARE(productCodes(unknown, 1, texts), int(NotCatalogued));
    QVERIFY(texts.isEmpty());
    texts = {QStringLiteral("stale")};
    QCOMPARE(Corvo::DB::productGroupNames(unknown, 1, texts), int(NotCatalogued));
    QVERIFY(texts.isEmpty());
    QHash<qint64, Texture> found{{1, Texture()}};
    QCOMPARE(textures(QueryFixture::uuidD(), found), int(NotCatalogued));
    QVERIFY(found.isEmpty());
    QList<TexturePlacement> placements{TexturePlacement()};
    QCOMPARE(texturePlacements(unknown, 1, placements), int(NotCatalogued));
    QVERIFY(placements.isEmpty());
}

void SideQueriesTest::capsureCollectionIdsByPriority()
{
    QList<qint64> ids{99};
    QCOMPARE(capsureCollectionIds(ids), int(Ok));
    // C is enabled for Capsure but has no priority, so it is not listed.
    QCOMPARE(ids, QList<qint64>({2, 1}));
}

void SideQueriesTest::capsureMatches_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("code in lower case") << "p3r1" << QStringList{"p3r1"};
    QTest::newRow("first name") << "NAME P2R2" << QStringList{"p2r2"};
    QTest::newRow("second name") << "alt p2r2" << QStringList{"p2r2"};
    QTest::newRow("name not searched") << "Third p1r1" << QStringList();
    QTest::newRow("non-ASCII in lower case") << "rødgrå" << QStringList{"p2r1"};
    QTest::newRow("code with a quote") << "o'brien 1" << QStringList{"p1r3"};
    QTest::newRow("statement text") << "') OR 1=1 --" << QStringList();
    QTest::newRow("blank would match a chip without code") << " " << QStringList();
    QTest::newRow("collection without priority") << "P8R1" << QStringList();
    QTest::newRow("collection not enabled for Capsure") << "P9R1" << QStringList();
}

void SideQueriesTest::capsureMatches()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QList<ColorEntry> entries{ColorEntry()};
    QCOMPARE(Corvo::DB::capsureMatches(text, entries), int(Ok));
    QStringList found;
    for (const ColorEntry &entry : entries) {
        found.append(m_fixture->rows.key(entry.id));
        QCOMPARE(entry.collectionId, qint64(1));
    }
    QCOMPARE(found, expected);
}

void SideQueriesTest::capsureMatchesOnASharedCardNameEachCollection()
{
    QList<ColorEntry> entries;
    QCOMPARE(Corvo::DB::capsureMatches(QStringLiteral("P6R3"), entries), int(Ok));
    QCOMPARE(entries.size(), 2);
    // B has the higher priority.
    QCOMPARE(entries.at(0).collectionId, qint64(2));
    QCOMPARE(entries.at(1).collectionId, qint64(1));
    QCOMPARE(entries.at(0).id, m_fixture->row("p6r3"));
    QCOMPARE(entries.at(1).id, m_fixture->row("p6r3"));
}

void SideQueriesTest::capsureMatchesFollowTheCurrentSearchOrder()
{
    loadNameOrders(QueryFixture::uuidB());
    QList<ColorEntry> entries;
    QCOMPARE(Corvo::DB::capsureMatches(QStringLiteral("alt p2r2"), entries), int(Ok));
    QVERIFY(entries.isEmpty());
    QCOMPARE(Corvo::DB::capsureMatches(QStringLiteral("name p7r1"), entries), int(Ok));
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.at(0).collectionId, qint64(2));
}

// What the Capsure import did before looking up all names at once: capsureMatches text by
// text, a chip kept where its collection first listed it.
namespace {

QStringList oneLookUpPerText(const QueryFixture &fixture, const QStringList &texts)
{
    QStringList found;
    for (const QString &text : texts) {
        QList<ColorEntry> entries;
        if (Corvo::DB::capsureMatches(text, entries) != Ok)
            return {QStringLiteral("failed")};
        for (const ColorEntry &entry : entries) {
            const QString key =
                fixture.rows.key(entry.id) + QLatin1Char('@') + QString::number(entry.collectionId);
            if (!found.contains(key))
                found.append(key);
        }
    }
    return found;
}

} // namespace

void SideQueriesTest::capsureMatchesOfEachAsOneLookUpPerText_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("count");
    QTest::newRow("several") << QStringList{"p3r1", "NAME P2R2", "rødgrå"} << 3;
    QTest::newRow("repeats in any case")
        << QStringList{"alt p2r2", "P3R1", "p3r1", "NAME P2R2", "P3R1"} << 2;
    QTest::newRow("blanks") << QStringList{"", " ", "p3r1", "\t"} << 1;
    QTest::newRow("only blanks") << QStringList{" ", ""} << 0;
    QTest::newRow("quotes") << QStringList{"o'brien 1", "') OR 1=1 --"} << 1;
    QTest::newRow("found in two collections") << QStringList{"p3r1", "P6R3", "p6r3"} << 3;
    // Two statements; the repeated chip of the second one is not listed again.
    QStringList many{QStringLiteral("p6r3")};
    for (int filler = 0; filler < 600; ++filler)
        many.append(QStringLiteral("none %1").arg(filler));
    many << QStringLiteral("P3R1") << QStringLiteral("P6R3") << QStringLiteral("rødgrå");
    QTest::newRow("more texts than one statement binds") << many << 4;
}

void SideQueriesTest::capsureMatchesOfEachAsOneLookUpPerText()
{
    QFETCH(QStringList, texts);
    QFETCH(int, count);
    QList<ColorEntry> entries{ColorEntry()};
    QCOMPARE(capsureMatchesOfEach(texts, entries), int(Ok));
    QStringList found;
    for (const ColorEntry &entry : entries)
        found.append(m_fixture->rows.key(entry.id) + QLatin1Char('@') +
                     QString::number(entry.collectionId));
    QCOMPARE(found, oneLookUpPerText(*m_fixture, texts));
    QCOMPARE(found.size(), count);
}

void SideQueriesTest::productsWithoutTheCodeColumn()
{
    QVERIFY(m_fixture->alter(QStringLiteral("ALTER TABLE PRODUCT DROP COLUMN PRODUCT_CODE")));
    const qint64 chip = m_fixture->row("p1r1");
    QStringList names;
    QCOMPARE(productNames(QueryFixture::uuidA(), chip, QStringLiteral(" / "), names), int(Ok));
    names.sort();
    QCOMPARE(names, QStringList({"Gloss", "Matt", "Satin"}));
    QStringList codes{QStringLiteral("stale")};
    QCOMPARE(productCodes(QueryFixture::uuidA(), chip, codes), int(Ok));
    QVERIFY(codes.isEmpty());
}

// The products statement reads "PR.*", so its columns follow the file's schema, which an
// author may change while the picker has the file open.
void SideQueriesTest::productColumnsChangedWhileTheFileIsOpen()
{
    const qint64 chip = m_fixture->row("p1r1");
    QStringList names;
    QCOMPARE(productNames(QueryFixture::uuidA(), chip, QStringLiteral(" / "), names), int(Ok));
    for (int round = 0; round < 3; ++round) {
        QVERIFY(m_fixture->alter(QStringLiteral("ALTER TABLE PRODUCT DROP COLUMN PRODUCT_CODE")));
        QCOMPARE(productNames(QueryFixture::uuidA(), chip, QStringLiteral(" / "), names), int(Ok));
        names.sort();
        QCOMPARE(names, QStringList({"Gloss", "Matt", "Satin"}));
        QVERIFY(
            m_fixture->alter(QStringLiteral("ALTER TABLE PRODUCT ADD COLUMN PRODUCT_CODE text")));
        QVERIFY(m_fixture->alter(
            QStringLiteral("UPDATE PRODUCT SET PRODUCT_CODE = 'M1' WHERE NAME = 'Matt'")));
        QCOMPARE(productNames(QueryFixture::uuidA(), chip, QStringLiteral(" / "), names), int(Ok));
        names.sort();
        QCOMPARE(names, QStringList({"Gloss", "Matt / M1", "Satin"}));
    }
}

void SideQueriesTest::trendGroupsWhoseEntriesCannotBeRead()
{
    QVERIFY(m_fixture->alter(QStringLiteral("DROP TABLE VISTARA_ENTRY")));
    QHash<qint64, VistaraGroup> groups;
    QCOMPARE(vistaraGroups(QueryFixture::uuidA(), groups), int(Ok));
    QCOMPARE(groups.size(), 2);
    for (const VistaraGroup &group : groups)
        QVERIFY(group.entries.isEmpty());
}

// Each damage makes the statements that need the missing table fail with -1 and an empty
// output; the others still answer.
void SideQueriesTest::brokenFilesFailQuietly_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QStringList>("failing");
    QTest::newRow("no trend groups") << "DROP TABLE VISTARA_GROUP" << QStringList{"vistara"};
    QTest::newRow("no products") << "DROP TABLE PRODUCT" << QStringList{"names", "codes"};
    QTest::newRow("no product groups")
        << "DROP TABLE ROW_PRODUCT_GROUP_MAP" << QStringList{"groups"};
    QTest::newRow("no textures") << "DROP TABLE TEXTURE" << QStringList{"textures", "placements"};
    QTest::newRow("no texture placements") << "DROP TABLE TEXTURE_MAP" << QStringList{"placements"};
    QTest::newRow("no Capsure priorities")
        << "DROP VIEW CAPSURE_COLLECTION_IDS_BY_PRIORITY"
        << QStringList{"capsureIds", "capsureMatches", "capsureOfEach"};
}

void SideQueriesTest::brokenFilesFailQuietly()
{
    QFETCH(QString, damage);
    QFETCH(QStringList, failing);
    QVERIFY(m_fixture->alter(damage));
    const QUuid uuid = QueryFixture::uuidA();
    const qint64 chip = m_fixture->row("p1r1");
    auto expect = [&](const char *operation, int result, bool outputEmpty) {
        const bool fails = failing.contains(QLatin1String(operation));
        QVERIFY2(result == (fails ? int(Failed) : int(Ok)), operation);
        QVERIFY2(outputEmpty == fails, operation);
    };
    QHash<qint64, VistaraGroup> groups{{99, VistaraGroup()}};
    int result = vistaraGroups(uuid, groups);
    expect("vistara", result, groups.isEmpty());
    QStringList texts{QStringLiteral("stale")};
    result = productNames(uuid, chip, QStringLiteral(" / "), texts);
    expect("names", result, texts.isEmpty());
    texts = {QStringLiteral("stale")};
    result = productCodes(uuid, chip, texts);
    expect("codes", result, texts.isEmpty());
    texts = {QStringLiteral("stale")};
    result = Corvo::DB::productGroupNames(uuid, chip, texts);
    expect("groups", result, texts.isEmpty());
    QHash<qint64, Texture> found{{99, Texture()}};
    result = textures(uuid, found);
    expect("textures", result, found.isEmpty());
    QList<TexturePlacement> placements{TexturePlacement()};
    result = texturePlacements(uuid, m_fixture->page("p1"), placements);
    expect("placements", result, placements.isEmpty());
    QList<qint64> ids{99};
    result = capsureCollectionIds(ids);
    expect("capsureIds", result, ids.isEmpty());
    QList<ColorEntry> entries{ColorEntry()};
    result = Corvo::DB::capsureMatches(QStringLiteral("P3R1"), entries);
    expect("capsureMatches", result, entries.isEmpty());
    entries = {ColorEntry()};
    result = capsureMatchesOfEach({QStringLiteral("P3R1"), QStringLiteral("P6R3")}, entries);
    expect("capsureOfEach", result, entries.isEmpty());
}

QTEST_GUILESS_MAIN(SideQueriesTest)
#include "tst_sidequeries.moc"
