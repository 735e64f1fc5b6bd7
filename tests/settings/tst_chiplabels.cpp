#include "tests/db/queryfixture.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/nameorders.h"
#include "engine/db/navigationqueries.h"
#include "engine/settings/chiplabels.h"
#include "engine/settings/collectionsettings.h"
#include "tools/tintwell/authoring/collectionfilewriter.h"

#include <QtTest>

using namespace Corvo;

class ChipLabelsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void toolTip_data();
    void toolTip();
    void plainToolTipIsNotEscaped();
    void missingChipsHaveNoToolTip();
    void toolTipUsesTheChipsOwnCollection();
    void cardNamesFollowThePageDisplayOrder();
    void chipLabel_data();
    void chipLabel();
    void changedOrderShowsAfterASettingsReload_data();
    void changedOrderShowsAfterASettingsReload();
    void pageDisplayName_data();
    void pageDisplayName();

private:
    void setFlags(qint64 collectionId, const QStringList &keys);

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<QueryFixture> m_fixture;
};

void ChipLabelsTest::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_fixture = std::make_unique<QueryFixture>(*m_environment);
    QVERIFY2(m_fixture->isValid(), qPrintable(m_fixture->error()));
    CollectionSettings::resetCache();
}

void ChipLabelsTest::cleanup()
{
    CollectionSettings::resetCache();
    m_fixture.reset();
    m_environment.reset();
}

void ChipLabelsTest::setFlags(qint64 collectionId, const QStringList &keys)
{
    Tintwell::CollectionFileWriter writer;
    QVERIFY(writer.open(m_fixture->path));
    for (const QString &key : keys)
        QVERIFY2(writer.addSetting(collectionId, key, QStringLiteral("1")),
                 qPrintable(writer.lastError()));
    CollectionSettings::resetCache();
}

// Chip p1r1 of A: code P1R1, names "Name p1r1", "Alt p1r1", "Third p1r1", extra
// "Extra p1r1", card 1 "Card 1". A shows NAME2 before NAME0, EXTRA0 and card NAME0.
void ChipLabelsTest::toolTip_data()
{
    QTest::addColumn<QString>("chip");
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QString>("body");
    QTest::newRow("no flags") << "p1r1" << QStringList() << "";
    QTest::newRow("older code key")
        << "p1r1" << QStringList{"color.tooltip.show.color.code"} << "P1R1";
    QTest::newRow("names in display order")
        << "p1r1" << QStringList{"color.tooltip.show.row.name"} << "Third p1r1<br/>Name p1r1";
    QTest::newRow("empty name skipped")
        << "p1r2" << QStringList{"color.tooltip.show.color.name"} << "Name p1r2";
    QTest::newRow("auxiliary in italics, code not")
        << "p1r1" << QStringList{"color.tooltip.show.row.code", "color.tooltip.show.auxiliary"}
        << "P1R1<br/><span style=\"font-style:italic;\">Extra p1r1</span>";
    QTest::newRow("indexes after names")
        << "p2r3"
        << QStringList{"color.tooltip.show.row.row.index", "color.tooltip.show.page.index",
                       "color.tooltip.show.row.name", "color.tooltip.show.card.name"}
        << "Card 2<br/>Third p2r3<br/>Name p2r3<br/>2<br/>3";
    QTest::newRow("every line in order")
        << "p1r1"
        << QStringList{"color.tooltip.show.collection.name",    "color.tooltip.show.page.name",
                       "color.tooltip.show.row.code",           "color.tooltip.show.row.name",
                       "color.tooltip.show.row.auxiliary.info", "color.tooltip.show.page.index",
                       "color.tooltip.show.row.row.index"}
        << "Alpha &amp; Co<br/>Card 1<br/>P1R1<br/>Third p1r1<br/>Name p1r1<br/><span "
           "style=\"font-style:italic;\">Extra p1r1</span><br/>1<br/>1";
    QTest::newRow("stored markup is escaped")
        << "p4r2" << QStringList{"color.tooltip.show.row.name", "color.tooltip.show.row.code"}
        << "Black &amp; Tan &lt;b&gt;";
    QTest::newRow("code with a quote")
        << "p1r3" << QStringList{"color.tooltip.show.row.code"} << "O'BRIEN 1";
}

void ChipLabelsTest::toolTip()
{
    QFETCH(QString, chip);
    QFETCH(QStringList, flags);
    QFETCH(QString, body);
    setFlags(1, flags);
    const QString expected = QStringLiteral("<div style=\"margin:2px;\">%1</div>").arg(body);
    QCOMPARE(chipToolTip(QueryFixture::uuidA(), m_fixture->row(chip)), expected);
}

void ChipLabelsTest::plainToolTipIsNotEscaped()
{
    setFlags(1, {"color.tooltip.show.row.name", "color.tooltip.show.collection.name",
                 "color.tooltip.show.auxiliary"});
    QCOMPARE(chipToolTip(QueryFixture::uuidA(), m_fixture->row("p4r2"), false),
             QStringLiteral("Alpha & Co\nBlack & Tan <b>\nExtra p4r2"));
}

void ChipLabelsTest::missingChipsHaveNoToolTip()
{
    setFlags(1, {"color.tooltip.show.row.code"});
    QCOMPARE(chipToolTip(QueryFixture::uuidA(), 999999), QString());
    QCOMPARE(chipToolTip(QueryFixture::uuidA(), m_fixture->row("p7r1")), QString());
    QCOMPARE(chipToolTip(QUuid(), m_fixture->row("p1r1")), QString());
    QCOMPARE(chipToolTip(QUuid::createUuid(), m_fixture->row("p1r1")), QString());
}

void ChipLabelsTest::toolTipUsesTheChipsOwnCollection()
{
    setFlags(1, {"color.tooltip.show.row.name"});
    setFlags(2, {"color.tooltip.show.row.name"});
    DB::loadNameOrders(QueryFixture::uuidB());
    QCOMPARE(chipToolTip(QueryFixture::uuidA(), m_fixture->row("p6r1")),
             QStringLiteral("<div style=\"margin:2px;\">Third p6r1<br/>Name p6r1</div>"));
    DB::loadNameOrders(QueryFixture::uuidA());
    QCOMPARE(chipToolTip(QueryFixture::uuidB(), m_fixture->row("p6r1")),
             QStringLiteral("<div style=\"margin:2px;\">Name p6r1</div>"));
}

void ChipLabelsTest::cardNamesFollowThePageDisplayOrder()
{
    // Neither the search order (0) nor the chip name order (2, 0) gives this line up.
    QVERIFY(m_fixture->alter(QStringLiteral("UPDATE PAGE SET NAME1 = 'Card one' WHERE ID = ?"),
                             {m_fixture->page("p1")}));
    QVERIFY(m_fixture->alter(QStringLiteral("UPDATE SETTING SET VALUE = CASE VALUE_INDEX WHEN 0 "
                                            "THEN '1' ELSE VALUE END WHERE COLLECTION_ID = 1 AND "
                                            "NAME = 'page.name.display.order'")));
    QVERIFY(m_fixture->alter(QStringLiteral("INSERT INTO SETTING (COLLECTION_ID, NAME, VALUE, "
                                            "VALUE_INDEX) VALUES (1, 'page.name.display.order', "
                                            "'0', 1)")));
    setFlags(1, {"color.tooltip.show.page.name"});
    QCOMPARE(chipToolTip(QueryFixture::uuidA(), m_fixture->row("p1r2")),
             QStringLiteral("<div style=\"margin:2px;\">Card one<br/>Card 1</div>"));
}

void ChipLabelsTest::chipLabel_data()
{
    QTest::addColumn<QUuid>("uuid");
    QTest::addColumn<QString>("chip");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first display index") << QueryFixture::uuidA() << "p1r1"
                                         << "P1R1 - Third p1r1";
    QTest::newRow("empty first name") << QueryFixture::uuidA() << "p1r2"
                                      << "P1R2";
    QTest::newRow("another collection's order") << QueryFixture::uuidB() << "p6r1"
                                                << "P6R1 - Name p6r1";
}

void ChipLabelsTest::chipLabel()
{
    QFETCH(QUuid, uuid);
    QFETCH(QString, chip);
    QFETCH(QString, expected);
    DB::ColorEntry entry;
    QCOMPARE(DB::rowById(uuid, m_fixture->row(chip), entry), int(DB::Ok));
    DB::loadNameOrders(QueryFixture::uuidE());
    QCOMPARE(Corvo::chipLabel(uuid, entry), expected);
    // A collection without a display order labels by code alone.
    QCOMPARE(Corvo::chipLabel(QueryFixture::uuidE(), entry), entry.code);
}

void ChipLabelsTest::changedOrderShowsAfterASettingsReload_data()
{
    QTest::addColumn<bool>("switchCollection");
    QTest::newRow("cache emptied") << false;
    QTest::newRow("another collection made current") << true;
}

// The orders are read once per settings reload, so the change shows only after one.
void ChipLabelsTest::changedOrderShowsAfterASettingsReload()
{
    QFETCH(bool, switchCollection);
    setFlags(1, {"color.tooltip.show.row.name"});
    DB::ColorEntry entry;
    QCOMPARE(DB::rowById(QueryFixture::uuidA(), m_fixture->row("p1r1"), entry), int(DB::Ok));
    QCOMPARE(Corvo::chipLabel(QueryFixture::uuidA(), entry), QStringLiteral("P1R1 - Third p1r1"));
    QVERIFY(m_fixture->alter(QStringLiteral("UPDATE SETTING SET VALUE = CASE VALUE_INDEX WHEN 0 "
                                            "THEN '1' ELSE '2' END WHERE COLLECTION_ID = 1 AND "
                                            "NAME = 'row.name.display.order'")));
    QCOMPARE(Corvo::chipLabel(QueryFixture::uuidA(), entry), QStringLiteral("P1R1 - Third p1r1"));
    if (switchCollection)
        CollectionSettings::setCurrentCollection(QueryFixture::uuidB());
    else
        CollectionSettings::resetCache();
    QCOMPARE(Corvo::chipLabel(QueryFixture::uuidA(), entry), QStringLiteral("P1R1 - Alt p1r1"));
    QCOMPARE(chipToolTip(QueryFixture::uuidA(), entry.id),
             QStringLiteral("<div style=\"margin:2px;\">Alt p1r1<br/>Third p1r1</div>"));
}

void ChipLabelsTest::pageDisplayName_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first listed") << QStringList{"Zero", "One"} << QList<int>{1, 0} << "One";
    QTest::newRow("empty skipped") << QStringList{"Zero", ""} << QList<int>{1, 0} << "Zero";
    QTest::newRow("index beyond the names") << QStringList{"Zero"} << QList<int>{7} << "12";
    QTest::newRow("no order") << QStringList{"Zero"} << QList<int>{} << "12";
    QTest::newRow("no names") << QStringList{} << QList<int>{0} << "12";
}

void ChipLabelsTest::pageDisplayName()
{
    QFETCH(QStringList, names);
    QFETCH(QList<int>, order);
    QFETCH(QString, expected);
    DB::ColorPage page;
    page.pageIndex = 12;
    page.names = names;
    QCOMPARE(Corvo::pageDisplayName(order, page), expected);
}

QTEST_GUILESS_MAIN(ChipLabelsTest)
#include "tst_chiplabels.moc"
