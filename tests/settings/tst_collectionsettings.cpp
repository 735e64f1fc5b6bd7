#include "engine/db/collectioncatalogue.h"
#include "engine/settings/collectionsettings.h"

#include "fixturefiles.h"
#include "testenvironment.h"

#include <QtTest>

#include <functional>
#include <memory>

using namespace Corvo;
using FixtureFiles::collection;
using FixtureFiles::writeCollectionFile;

namespace {

const QUuid kA(QStringLiteral("{a1a1a1a1-0000-4000-8000-000000000001}"));
const QUuid kB(QStringLiteral("{b2b2b2b2-0000-4000-8000-000000000002}"));
const QUuid kMissing(QStringLiteral("{c3c3c3c3-0000-4000-8000-000000000003}"));

struct Setting
{
    qint64 collectionId;
    QString name;
    QVariant value;
    int index = 0;
};
using Settings = QList<Setting>;

// A stored value of a kind other than text; SQLite keeps blobs as they are.
const QVariant kNotText = QVariant(QByteArray("\x01\x02", 2));

} // namespace

Q_DECLARE_METATYPE(Settings)

class CollectionSettingsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    QString path;

    bool writeDeck(const Settings &settings)
    {
        path = env->collectionFile(QStringLiteral("deck.db"));
        return writeCollectionFile(
            path,
            {collection(1, kA.toString(), QStringLiteral("A"), 1),
             collection(2, kB.toString(), QStringLiteral("B"), 2)},
            true, [&settings](Tintwell::CollectionFileWriter &w) {
                for (const Setting &s : settings) {
                    if (!w.addSetting(s.collectionId, s.name, s.value, s.index))
                        return false;
                }
                return true;
            });
    }

    // Changes the file behind the engine's back, as a reinstall would.
    bool rewriteSetting(qint64 collectionId, const QString &name, const QString &value)
    {
        Tintwell::CollectionFileWriter writer;
        return writer.open(path) &&
               writer.exec(
                   QStringLiteral("DELETE FROM SETTING WHERE COLLECTION_ID = ? AND NAME = ?"),
                   {collectionId, name}) &&
               writer.addSetting(collectionId, name, value);
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        CollectionSettings::resetCache();
    }

    void cleanup()
    {
        CollectionSettings::resetCache();
        env.reset();
    }

    void flags_data()
    {
        QTest::addColumn<QString>("accessor");
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<bool>("expected");

        const auto one = [](const char *key, const QVariant &value) {
            return Settings{{1, QLatin1StringView(key), value}};
        };
        QTest::newRow("exterior absent") << "hasExteriorFilter" << Settings() << true;
        QTest::newRow("exterior 0")
            << "hasExteriorFilter" << one("has.exterior.filter", "0") << false;
        QTest::newRow("exterior 1")
            << "hasExteriorFilter" << one("has.exterior.filter", "1") << true;
        QTest::newRow("exterior 2")
            << "hasExteriorFilter" << one("has.exterior.filter", "2") << false;
        QTest::newRow("exterior text")
            << "hasExteriorFilter" << one("has.exterior.filter", "on") << true;
        QTest::newRow("mood absent") << "moodVisible" << Settings() << true;
        QTest::newRow("mood 0") << "moodVisible" << one("mood.visible", "0") << false;
        QTest::newRow("schemes absent") << "hasColorSchemesPage" << Settings() << false;
        QTest::newRow("schemes 1")
            << "hasColorSchemesPage" << one("has.color.schemes.page", "1") << true;
        QTest::newRow("schemes text")
            << "hasColorSchemesPage" << one("has.color.schemes.page", "yes") << true;
        QTest::newRow("schemes 0")
            << "hasColorSchemesPage" << one("has.color.schemes.page", "0") << false;
        QTest::newRow("collection name 1")
            << "showCollectionName" << one("color.tooltip.show.collection.name", "1") << true;
        QTest::newRow("collection name text")
            << "showCollectionName" << one("color.tooltip.show.collection.name", "y") << false;
        QTest::newRow("page index")
            << "showPageIndex" << one("color.tooltip.show.page.index", "1") << true;
        QTest::newRow("row index")
            << "showRowIndex" << one("color.tooltip.show.row.row.index", "1") << true;
        QTest::newRow("product code")
            << "appendProductCode" << one("export.color.name.append.product.code", "1") << true;
        QTest::newRow("capsure") << "capsureEnabled" << one("capsure.enabled", "1") << true;
        QTest::newRow("capsure absent") << "capsureEnabled" << Settings() << false;
        QTest::newRow("card name new")
            << "showCardName" << one("color.tooltip.show.page.name", "1") << true;
        QTest::newRow("card name old")
            << "showCardName" << one("color.tooltip.show.card.name", "1") << true;
        QTest::newRow("card name new wins") << "showCardName"
                                            << Settings{{1, "color.tooltip.show.page.name", "0"},
                                                        {1, "color.tooltip.show.card.name", "1"}}
                                            << false;
        QTest::newRow("color name old")
            << "showColorName" << one("color.tooltip.show.color.name", "1") << true;
        QTest::newRow("color code old")
            << "showColorCode" << one("color.tooltip.show.color.code", "1") << true;
        QTest::newRow("color code new")
            << "showColorCode" << one("color.tooltip.show.row.code", "1") << true;
        QTest::newRow("auxiliary old")
            << "showAuxiliary" << one("color.tooltip.show.auxiliary", "1") << true;
        QTest::newRow("auxiliary new")
            << "showAuxiliary" << one("color.tooltip.show.row.auxiliary.info", "1") << true;
        QTest::newRow("other collection's flag")
            << "showCollectionName" << Settings{{2, "color.tooltip.show.collection.name", "1"}}
            << false;
    }

    void flags()
    {
        QFETCH(QString, accessor);
        QFETCH(Settings, settings);
        QFETCH(bool, expected);
        QVERIFY(writeDeck(settings));
        static const QHash<QString, std::function<bool(const QUuid &)>> accessors = {
            {"hasExteriorFilter", &CollectionSettings::hasExteriorFilter},
            {"moodVisible", &CollectionSettings::moodVisible},
            {"hasColorSchemesPage", &CollectionSettings::hasColorSchemesPage},
            {"showCollectionName", &CollectionSettings::showCollectionName},
            {"showPageIndex", &CollectionSettings::showPageIndex},
            {"showRowIndex", &CollectionSettings::showRowIndex},
            {"appendProductCode", &CollectionSettings::appendProductCode},
            {"capsureEnabled", &CollectionSettings::capsureEnabled},
            {"showCardName", &CollectionSettings::showCardName},
            {"showColorName", &CollectionSettings::showColorName},
            {"showColorCode", &CollectionSettings::showColorCode},
            {"showAuxiliary", &CollectionSettings::showAuxiliary},
        };
        QVERIFY(accessors.contains(accessor));
        QCOMPARE(accessors.value(accessor)(kA), expected);
        // Asked again, from the cache or afresh, the answer stays.
        QCOMPARE(accessors.value(accessor)(kA), expected);
    }

    void numbersAndNames_data()
    {
        QTest::addColumn<QString>("accessor");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value"); // invalid: no row
        QTest::addColumn<int>("expected");

        QTest::newRow("chips absent") << "maxChipsOnAPage"
                                      << "max.chips.on.a.page" << QVariant() << 0;
        QTest::newRow("chips 7") << "maxChipsOnAPage"
                                 << "max.chips.on.a.page" << QVariant("7") << 7;
        QTest::newRow("chips text") << "maxChipsOnAPage"
                                    << "max.chips.on.a.page" << QVariant("seven") << 0;
        QTest::newRow("segments absent") << "numOfSegments"
                                         << "num.of.segments" << QVariant() << 12;
        QTest::newRow("segments 24") << "numOfSegments"
                                     << "num.of.segments" << QVariant("24") << 24;
        QTest::newRow("segments text") << "numOfSegments"
                                       << "num.of.segments" << QVariant("x") << 12;
        QTest::newRow("card normal") << "cardType"
                                     << "card.type" << QVariant("normal") << 1;
        QTest::newRow("card NORMAL") << "cardType"
                                     << "card.type" << QVariant("NORMAL") << 1;
        QTest::newRow("card blank normal") << "cardType"
                                           << "card.type" << QVariant(" normal") << 0;
        QTest::newRow("card lustrel") << "cardType"
                                      << "card.type" << QVariant("Lustrel") << 2;
        QTest::newRow("card other") << "cardType"
                                    << "card.type" << QVariant("glossy") << 0;
        QTest::newRow("card absent") << "cardType"
                                     << "card.type" << QVariant() << 0;
        QTest::newRow("cw") << "segmentOrientation"
                            << "segment.increment.orientation" << QVariant("cw") << 1;
        QTest::newRow("ccw") << "segmentOrientation"
                             << "segment.increment.orientation" << QVariant("CCW") << 2;
        QTest::newRow("orientation other")
            << "segmentOrientation"
            << "segment.increment.orientation" << QVariant("left") << 0;
        QTest::newRow("mode c2c") << "cardMode"
                                  << "mode.card" << QVariant("modecolortocolor") << 1;
        QTest::newRow("mode c2card") << "cardMode"
                                     << "mode.card" << QVariant("ModeColorToCard") << 2;
        QTest::newRow("mode card2card") << "cardMode"
                                        << "mode.card" << QVariant("ModeCardToCard") << 3;
        QTest::newRow("mood normal") << "moodMode"
                                     << "mode.mood" << QVariant("MoodModeNormal") << 1;
        QTest::newRow("mood equals") << "moodMode"
                                     << "mode.mood" << QVariant("moodmodewarmfreshequals") << 2;
        QTest::newRow("products") << "productGroupsMode"
                                  << "product.groups.mode" << QVariant("products") << 1;
        QTest::newRow("groups") << "productGroupsMode"
                                << "product.groups.mode" << QVariant("GroupsWithProductTooltip")
                                << 0;
        QTest::newRow("groups other") << "productGroupsMode"
                                      << "product.groups.mode" << QVariant("x") << 0;
    }

    void numbersAndNames()
    {
        QFETCH(QString, accessor);
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(int, expected);
        QVERIFY(writeDeck(value.isValid() ? Settings{{1, key, value}} : Settings()));
        static const QHash<QString, std::function<int(const QUuid &)>> accessors = {
            {"maxChipsOnAPage", &CollectionSettings::maxChipsOnAPage},
            {"numOfSegments", &CollectionSettings::numOfSegments},
            {"cardType", [](const QUuid &u) { return int(CollectionSettings::cardType(u)); }},
            {"segmentOrientation",
             [](const QUuid &u) { return int(CollectionSettings::segmentOrientation(u)); }},
            {"cardMode", [](const QUuid &u) { return int(CollectionSettings::cardMode(u)); }},
            {"moodMode", [](const QUuid &u) { return int(CollectionSettings::moodMode(u)); }},
            {"productGroupsMode",
             [](const QUuid &u) { return int(CollectionSettings::productGroupsMode(u)); }},
        };
        QVERIFY(accessors.contains(accessor));
        QCOMPARE(accessors.value(accessor)(kA), expected);
    }

    void texts()
    {
        QVERIFY(
            writeDeck({{1, "product.group.productname.productcode.separator:string", " / "},
                       {1, "header.link", "https://example.org/deck"},
                       {1, "help.link", ""},
                       {1, "capsure.filename.to.watch", "measure.cxf"},
                       {1, "capsure.folder.to.watch.windows", "%PROGRAMDATA%\\Velmora\\Capsure"},
                       {1, "first.segment.angle", "15.5"},
                       {2, "help.link", "file:///%APP%/own.html"},
                       {2, "first.segment.angle", "steep"}}));
        QCOMPARE(CollectionSettings::productSeparator(kA), QStringLiteral(" / "));
        QCOMPARE(CollectionSettings::productSeparator(kB), QStringLiteral(": "));
        QCOMPARE(CollectionSettings::headerLink(kA), QStringLiteral("https://example.org/deck"));
        QCOMPARE(CollectionSettings::headerLink(kB), QString());
        QCOMPARE(CollectionSettings::helpLink(kA),
                 QStringLiteral("file:///%APP%/Contents/Resources/help/main.html"));
        QCOMPARE(CollectionSettings::helpLink(kB), QStringLiteral("file:///%APP%/own.html"));
        QCOMPARE(CollectionSettings::capsureFileNameToWatch(kA), QStringLiteral("measure.cxf"));
        QCOMPARE(CollectionSettings::capsureFolderToWatch(kA),
                 QStringLiteral("%PROGRAMDATA%\\Velmora\\Capsure"));
        QCOMPARE(CollectionSettings::capsureFolderToWatch(kB), QString());
        QCOMPARE(CollectionSettings::firstSegmentAngle(kA), 15.5);
        QCOMPARE(CollectionSettings::firstSegmentAngle(kB), 0.0);
    }

    void deltaIntervals_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QList<double>>("expected");
        QTest::newRow("mixed") << QVariant("2.5, ,-1,abc,5") << QList<double>{2.5, 5.0};
        QTest::newRow("zero") << QVariant("0") << QList<double>{0.05};
        QTest::newRow("empty") << QVariant("") << QList<double>{0.05};
        QTest::newRow("absent") << QVariant() << QList<double>{0.05};
        QTest::newRow("two") << QVariant("1,2.25") << QList<double>{1.0, 2.25};
    }

    void deltaIntervals()
    {
        QFETCH(QVariant, value);
        QFETCH(QList<double>, expected);
        QVERIFY(writeDeck(value.isValid() ? Settings{{1, "cie2000.delta.intervals", value}}
                                          : Settings()));
        QCOMPARE(CollectionSettings::deltaIntervals(kA), expected);
        QCOMPARE(CollectionSettings::deltaIntervals(kA), expected);
    }

    void verdictLimits_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QList<double>>("expected");
        const QList<double> defaults{0.5, 2.0, 5.0};
        QTest::newRow("absent") << QVariant() << defaults;
        QTest::newRow("own") << QVariant("0.3, 1.5,4") << QList<double>{0.3, 1.5, 4.0};
        QTest::newRow("two only") << QVariant("1,2") << defaults;
        QTest::newRow("not increasing") << QVariant("1,3,2") << defaults;
        QTest::newRow("a negative one left out") << QVariant("-1,1,2,3") << QList<double>{1, 2, 3};
    }

    void verdictLimits()
    {
        QFETCH(QVariant, value);
        QFETCH(QList<double>, expected);
        QVERIFY(writeDeck(value.isValid() ? Settings{{1, "project.colors.verdict.limits", value}}
                                          : Settings()));
        QCOMPARE(CollectionSettings::verdictLimits(kA), expected);
    }

    void tabBarPages_data()
    {
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("absent") << Settings() << QList<int>{1, 2, 4, 8};
        QTest::newRow("textures, products") << Settings{{1, "tab.bar.page", "PageOfTextures", 0},
                                                        {1, "tab.bar.page", "pageofproducts", 1}}
                                            << QList<int>{1, 8, 2};
        QTest::newRow("schemes, vistara") << Settings{{1, "tab.bar.page", "PageOfColorSchemes", 0},
                                                      {1, "tab.bar.page", "PageOfVistara", 1}}
                                          << QList<int>{1, 4};
        QTest::newRow("schemes later") << Settings{{1, "tab.bar.page", "PageOfTextures", 0},
                                                   {1, "tab.bar.page", "PageOfColorSchemes", 1}}
                                       << QList<int>{1, 8};
        QTest::newRow("trimmed") << Settings{{1, "tab.bar.page", "  PageOfVistara ", 0}}
                                 << QList<int>{1, 4};
        QTest::newRow("not text") << Settings{{1, "tab.bar.page", "PageOfVistara", 0},
                                              {1, "tab.bar.page", kNotText, 1}}
                                  << QList<int>{1, 2, 4, 8};
        QTest::newRow("unknown name")
            << Settings{{1, "tab.bar.page", "PageOfWonders", 0}} << QList<int>{1, 0};
    }

    void tabBarPages()
    {
        QFETCH(Settings, settings);
        QFETCH(QList<int>, expected);
        QVERIFY(writeDeck(settings));
        QCOMPARE(CollectionSettings::tabBarPages(kA), expected);
        QCOMPARE(CollectionSettings::tabBarPages(kA), expected);
    }

    void schemes_data()
    {
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("absent") << Settings() << QList<int>{};
        QTest::newRow("names") << Settings{{1, "schemes", "harmonic", 0},
                                           {1, "schemes", " Wide Contrast ", 1},
                                           {1, "schemes", "natural neutral", 2},
                                           {1, "schemes", "bogus", 3},
                                           {1, "schemes", "harmonic", 4}}
                               << QList<int>{1, 3, 9, 0, 1};
        QTest::newRow("not text stops")
            << Settings{{1, "schemes", "dynamic", 0}, {1, "schemes", kNotText, 1}} << QList<int>{};
    }

    void schemes()
    {
        QFETCH(Settings, settings);
        QFETCH(QList<int>, expected);
        QVERIFY(writeDeck(settings));
        QCOMPARE(CollectionSettings::schemes(kA), expected);
        QCOMPARE(CollectionSettings::schemes(kA), expected);
    }

    void vistaraChipSize_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QSize>("expected");
        const QSize fallback(64, 48);
        QTest::newRow("both") << "80"
                              << "60" << QSize(80, 60);
        QTest::newRow("a word") << "wide"
                                << "60" << fallback;
        QTest::newRow("no width") << "0"
                                  << "60" << fallback;
        QTest::newRow("negative height") << "80"
                                         << "-4" << fallback;
    }

    void vistaraChipSize()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QSize, expected);
        QVERIFY(writeDeck(
            {{1, "widget.vistara.chip.width", width}, {1, "widget.vistara.chip.height", height}}));
        QCOMPARE(CollectionSettings::vistaraChipSize(kA), expected);
        QCOMPARE(CollectionSettings::vistaraChipSize(kMissing), QSize(64, 48));
    }

    void textureSize_data()
    {
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<QSize>("expected");
        const QSize fallback(148, 96);
        QTest::newRow("pair") << Settings{{1, "texture.size", "200,100"}} << QSize(200, 100);
        QTest::newRow("spaced") << Settings{{1, "texture.size", " 200 , 100 "}} << QSize(200, 100);
        QTest::newRow("single") << Settings{{1, "texture.size", "200"}} << fallback;
        QTest::newRow("three") << Settings{{1, "texture.size", "1,2,3"}} << fallback;
        QTest::newRow("words") << Settings{{1, "texture.size", "wide,tall"}} << fallback;
        QTest::newRow("zero width") << Settings{{1, "texture.size", "0,100"}} << fallback;
        QTest::newRow("negative") << Settings{{1, "texture.size", "100,-4"}} << fallback;
        QTest::newRow("system-wide") << Settings{{0, "texture.size", "300,200"}} << QSize(300, 200);
        QTest::newRow("own wins") << Settings{{0, "texture.size", "300,200"},
                                              {1, "texture.size", "20,10"}}
                                  << QSize(20, 10);
        QTest::newRow("absent") << Settings() << fallback;
    }

    void textureSize()
    {
        QFETCH(Settings, settings);
        QFETCH(QSize, expected);
        QVERIFY(writeDeck(settings));
        QCOMPARE(CollectionSettings::textureSize(kA, QSize(148, 96)), expected);
        QCOMPARE(CollectionSettings::textureSize(kA, QSize(148, 96)), expected);
    }

    void paletteTextFormatUsesCallersDefault()
    {
        QVERIFY(writeDeck({{2, "save.palette.text.format", "1"}}));
        QCOMPARE(CollectionSettings::savePaletteTextFormat(kA, false), false);
        QCOMPARE(CollectionSettings::savePaletteTextFormat(kA, true), true);
        QCOMPARE(CollectionSettings::savePaletteTextFormat(kB, false), true);
    }

    void availableTabBarPages_data()
    {
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<int>("expected");
        QTest::newRow("nothing") << Settings() << 1;
        QTest::newRow("everything") << Settings{{0, "has.textures.page", "1"},
                                                {1, "has.textures.page", "1"},
                                                {1, "has.product.groups.page", "1"},
                                                {1, "has.vistara.page", "2"}}
                                    << 15;
        QTest::newRow("textures need the system-wide switch")
            << Settings{{0, "has.textures.page", "0"}, {1, "has.textures.page", "1"}} << 1;
        QTest::newRow("system-wide switch alone") << Settings{{0, "has.textures.page", "1"}} << 1;
        QTest::newRow("products not a number")
            << Settings{{1, "has.product.groups.page", "yes"}} << 1;
    }

    void availableTabBarPages()
    {
        QFETCH(Settings, settings);
        QFETCH(int, expected);
        QVERIFY(writeDeck(settings));
        QCOMPARE(CollectionSettings::availableTabBarPages(kA), expected);
        QCOMPARE(CollectionSettings::availableTabBarPages(kA), expected);
    }

    void exteriorMoods()
    {
        QVERIFY(writeCollectionFile(env->collectionFile(QStringLiteral("deck.db")),
                                    {collection(1, kA.toString(), QStringLiteral("A"), 1)}, true,
                                    [](Tintwell::CollectionFileWriter &w) {
                                        Tintwell::PageFields page;
                                        page.pageIndex = 1;
                                        page.segment = 3;
                                        page.mood = 2;
                                        page.exterior = true;
                                        Tintwell::PageFields inside = page;
                                        inside.pageIndex = 2;
                                        inside.mood = 3;
                                        inside.exterior = false;
                                        return w.addPage(1, page) && w.addPage(1, inside);
                                    }));
        QVERIFY(CollectionSettings::hasPageWithExteriorMood(kA, 2));
        QVERIFY(!CollectionSettings::hasPageWithExteriorMood(kA, 3));
        QVERIFY(!CollectionSettings::hasPageWithExteriorMood(kA, 7));
        QVERIFY(CollectionSettings::hasPageWithExteriorMood(kMissing, 3));
    }

    void cacheBelongsToOneCollection()
    {
        QVERIFY(writeDeck({{1, "max.chips.on.a.page", "7"}, {2, "max.chips.on.a.page", "5"}}));
        QCOMPARE(CollectionSettings::maxChipsOnAPage(kA), 7);
        QCOMPARE(CollectionSettings::maxChipsOnAPage(kB), 5);
        QCOMPARE(CollectionSettings::maxChipsOnAPage(kA), 7);

        // A cached value is served without asking the file again ...
        QVERIFY(rewriteSetting(1, QStringLiteral("max.chips.on.a.page"), QStringLiteral("9")));
        QCOMPARE(CollectionSettings::maxChipsOnAPage(kA), 7);
        // ... until the cache changes hands.
        CollectionSettings::setCurrentCollection(kB);
        CollectionSettings::setCurrentCollection(kA);
        QCOMPARE(CollectionSettings::maxChipsOnAPage(kA), 9);
    }

    void absentValuesAreAskedAgain()
    {
        QVERIFY(writeDeck({}));
        QCOMPARE(CollectionSettings::numOfSegments(kA), 12);
        QVERIFY(rewriteSetting(1, QStringLiteral("num.of.segments"), QStringLiteral("24")));
        QCOMPARE(CollectionSettings::numOfSegments(kA), 24);
    }

    void systemWideReadsKeepTheCache()
    {
        QVERIFY(writeDeck({{1, "max.chips.on.a.page", "7"},
                           {0, "texture.size", "30,20"},
                           {0, "has.textures.page", "1"}}));
        QCOMPARE(CollectionSettings::maxChipsOnAPage(kA), 7);
        QVERIFY(rewriteSetting(1, QStringLiteral("max.chips.on.a.page"), QStringLiteral("9")));
        QCOMPARE(CollectionSettings::textureSize(kA, QSize(1, 1)), QSize(30, 20));
        CollectionSettings::availableTabBarPages(kA);
        QCOMPARE(CollectionSettings::maxChipsOnAPage(kA), 7);
    }

    void unavailableCollectionGivesAbsentValues()
    {
        QVERIFY(writeDeck({{1, "max.chips.on.a.page", "7"}}));
        QCOMPARE(CollectionSettings::maxChipsOnAPage(kMissing), 0);
        QCOMPARE(CollectionSettings::numOfSegments(kMissing), 12);
        QVERIFY(CollectionSettings::hasExteriorFilter(kMissing));
        QCOMPARE(CollectionSettings::tabBarPages(kMissing), (QList<int>{1, 2, 4, 8}));
        QCOMPARE(CollectionSettings::deltaIntervals(kMissing), QList<double>{0.05});
        QCOMPARE(CollectionSettings::availableTabBarPages(QUuid()), 1);
    }
};

QTEST_GUILESS_MAIN(CollectionSettingsTest)
#include "tst_collectionsettings.moc"
