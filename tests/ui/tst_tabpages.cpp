#include "demoworld.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/productqueries.h"
#include "engine/db/texturequeries.h"
#include "engine/palette/chipdragdata.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "fixturefiles.h"
#include "ui/productswidget.h"
#include "ui/textureslayout.h"
#include "ui/texturesviewport.h"
#include "ui/textureswidget.h"
#include "ui/texturetinting.h"
#include "ui/viewportscrollarea.h"
#include "ui/vistaralayout.h"
#include "ui/vistaraviewport.h"
#include "ui/vistarawidget.h"

#include <QBuffer>
#include <QDrag>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include <memory>

using namespace Corvo;

Q_DECLARE_METATYPE(QList<Corvo::VistaraLayoutGroup>)

namespace {

// The picker's place for the three views.
constexpr QSize kViewSize(565, 226);

// Products by name with a code, without one and without a name; two textures, one of
// bytes that are no picture; trend groups whose order needs the ID to break a tie.
const QUuid kProducts(QStringLiteral("{3c9d1e20-5a7b-4c11-8e42-00000000c051}"));
// No product mode (product groups, one without a name); a card without textures.
const QUuid kGroups(QStringLiteral("{3c9d1e20-5a7b-4c11-8e42-00000000c052}"));

const QColor kChipOne(200, 100, 50);

QByteArray whitePng(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

std::optional<qint64> addCard(Tintwell::CollectionFileWriter &w, qint64 collection,
                              const QList<std::pair<QString, QColor>> &chips, QList<qint64> &rowIds)
{
    Tintwell::PageFields page;
    page.pageIndex = 1;
    page.segment = 1;
    page.mood = 1;
    page.names = {QStringLiteral("Card")};
    const auto pageId = w.addPage(collection, page);
    if (!pageId)
        return std::nullopt;
    for (int index = 0; index < chips.size(); ++index) {
        Tintwell::RowFields row;
        row.pageId = *pageId;
        row.rowIndex = index + 1;
        row.code = chips.at(index).first;
        row.red = chips.at(index).second.red();
        row.green = chips.at(index).second.green();
        row.blue = chips.at(index).second.blue();
        const auto rowId = w.addRow(collection, row);
        if (!rowId)
            return std::nullopt;
        rowIds.append(*rowId);
    }
    return pageId;
}

bool addProducts(Tintwell::CollectionFileWriter &w, qint64 rowId)
{
    const auto coded = w.addProduct(QStringLiteral("Alpha Paint"), QStringLiteral("AP-1"));
    const auto nameless = w.addProduct(QString());
    const auto bare = w.addProduct(QStringLiteral("Bare Paint"));
    return coded && nameless && bare && w.mapRowProduct(51, rowId, *coded) &&
           w.mapRowProduct(51, rowId, *nameless) && w.mapRowProduct(51, rowId, *bare);
}

bool addTextures(Tintwell::CollectionFileWriter &w, qint64 pageId)
{
    const auto white = w.addTexture({51, QStringLiteral("White"), whitePng({148, 96}), 1.0});
    const auto broken = w.addTexture({51, QStringLiteral("Broken"), "not a picture", 1.0});
    return white && broken && w.mapTexture(*broken, pageId, 1.0, QStringLiteral("Broken")) &&
           w.mapTexture(*white, pageId, 1.0, QStringLiteral("White wash"));
}

bool addTrends(Tintwell::CollectionFileWriter &w)
{
    const auto second = w.addVistaraGroup(51, QStringLiteral("Second"), true, 2);
    const auto first = w.addVistaraGroup(51, QStringLiteral("First"), false, 1);
    const auto alsoFirst = w.addVistaraGroup(51, QStringLiteral("Also first"), true, 1);
    if (!second || !first || !alsoFirst)
        return false;
    Tintwell::VistaraEntryFields salt{
        *second, std::nullopt, QStringLiteral("Salt & Pepper"), QString(), 1, 2, 3, 1};
    Tintwell::VistaraEntryFields blank{*second, std::nullopt, QString(), QString(), 9, 9, 9, 2};
    return w.addVistaraEntry(51, salt) && w.addVistaraEntry(51, blank);
}

bool writeFixture(const QString &path)
{
    return FixtureFiles::writeCollectionFile(
        path,
        {FixtureFiles::collection(51, kProducts.toString(), QStringLiteral("TPA"), 51),
         FixtureFiles::collection(52, kGroups.toString(), QStringLiteral("TPB"), 52)},
        false, [](Tintwell::CollectionFileWriter &w) {
            QList<qint64> rows;
            const auto page = addCard(
                w, 51, {{QStringLiteral("TP 1"), kChipOne}, {QStringLiteral("TP 2"), Qt::blue}},
                rows);
            QList<qint64> groupRows;
            const auto groupPage = addCard(w, 52, {{QStringLiteral("TB 1"), Qt::gray}}, groupRows);
            if (!page || !groupPage)
                return false;
            const auto named = w.addProductGroup(QStringLiteral("Group One"));
            const auto unnamed = w.addProductGroup(QString());
            return w.addSetting(51, QStringLiteral("product.groups.mode"),
                                QStringLiteral("Products")) &&
                   w.addSetting(51, QStringLiteral("texture.size"), QStringLiteral("148,96")) &&
                   addProducts(w, rows.at(0)) && addTextures(w, *page) && addTrends(w) && named &&
                   unnamed && w.mapRowProductGroup(52, groupRows.at(0), *named) &&
                   w.mapRowProductGroup(52, groupRows.at(0), *unnamed);
        });
}

void select(const QUuid &collection, int pageIndex, int rowIndex)
{
    DemoWorld::makeCurrent(collection);
    Preferences::setPageIndex(collection, pageIndex);
    Preferences::setRowIndex(collection, rowIndex);
}

template <typename View>
std::unique_ptr<View> shownView()
{
    auto view = std::make_unique<View>();
    view->resize(kViewSize);
    view->show();
    return view;
}

DB::ColorEntry chipOf(const QUuid &collection, int pageIndex, int rowIndex)
{
    DB::ColorEntry entry;
    DB::rowAt(collection, pageIndex, rowIndex, entry);
    return entry;
}

void sendMouse(QWidget *widget, QEvent::Type type, const QPoint &point, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, point, widget->mapToGlobal(point), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

int groupIndex(const VistaraScene &scene, const QString &name)
{
    for (int index = 0; index < scene.groups.size(); ++index) {
        if (scene.groups.at(index).name == name)
            return index;
    }
    return -1;
}

QStringList groupNames(const VistaraScene &scene)
{
    QStringList names;
    for (const VistaraShownGroup &group : scene.groups)
        names.append(group.name);
    return names;
}

} // namespace

class TestTabPages : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void tintChannel_data();
    void tintChannel();
    void tintedImageIsOpaque();
    void tileCacheKeepsEachTintOnce();
    void texturesLayout_data();
    void texturesLayout();
    void vistaraLayout_data();
    void vistaraLayout();

    void vistaraGroupsInOrderWithSharedOnes();
    void headerClickTogglesAndSurvivesRestart();
    void chipPressAndMoveDragsAFreeColour();
    void toolTipShowsTheTexts();
    void vistaraWithoutGroups();

    void productsInBothModes_data();
    void productsInBothModes();
    void productSeparatorDefault();
    void productsOfAMissingRow();
    void productsReloadOnlyWhileShown();

    void texturesOfTheCard();
    void texturesPaintTinted();
    void texturesWithoutTheRowUseRed();
    void texturesOfAMissingCardShowTheHeader();

private:
    std::unique_ptr<DemoWorld> m_world;
};

void TestTabPages::initTestCase()
{
    m_world = std::make_unique<DemoWorld>();
    QVERIFY(m_world->isValid());
    QVERIFY(writeFixture(m_world->environment().collectionFile(QStringLiteral("tabpages.db"))));
    TestEnvironment::resetCatalogue();
}

void TestTabPages::init()
{
    DemoWorld::clearPreferences();
    DemoWorld::makeCurrent(DemoWorld::mainCollection());
}

void TestTabPages::tintChannel_data()
{
    QTest::addColumn<int>("texture");
    QTest::addColumn<int>("tint");
    QTest::addColumn<double>("alpha");
    QTest::addColumn<int>("output");
    QTest::newRow("alpha 0: the texture times itself") << 200 << 50 << 0.0 << 156;
    QTest::newRow("alpha 0, white") << 255 << 0 << 0.0 << 254;
    QTest::newRow("alpha 0, black") << 0 << 255 << 0.0 << 0;
    QTest::newRow("alpha 1: white times the tint, red") << 255 << 200 << 1.0 << 199;
    QTest::newRow("alpha 1: white times the tint, green") << 255 << 100 << 1.0 << 99;
    QTest::newRow("alpha 1: white times the tint, blue") << 255 << 50 << 1.0 << 49;
    QTest::newRow("alpha 1, mid grey") << 128 << 255 << 1.0 << 127;
    QTest::newRow("half way") << 100 << 200 << 0.5 << 58;
    QTest::newRow("alpha above 1 counts as 1") << 255 << 200 << 1.5 << 199;
    QTest::newRow("alpha below 0 counts as 0") << 200 << 50 << -0.5 << 156;
}

void TestTabPages::tintChannel()
{
    QFETCH(int, texture);
    QFETCH(int, tint);
    QFETCH(double, alpha);
    QFETCH(int, output);
    QCOMPARE(Corvo::tintChannel(texture, tint, alpha), output);
}

void TestTabPages::tintedImageIsOpaque()
{
    QImage white(4, 3, QImage::Format_ARGB32);
    white.fill(QColor(255, 255, 255, 10));
    const QImage tinted = tintImage(white, kChipOne, 1.0);
    QCOMPARE(tinted.format(), QImage::Format_ARGB32);
    QCOMPARE(tinted.size(), QSize(4, 3));
    QCOMPARE(tinted.pixel(3, 2), qRgba(199, 99, 49, 255));
    QVERIFY(tintImage(QImage(), kChipOne, 1.0).isNull());
    // A tile fills its size, cut to it rather than stretched.
    const QImage tile = tintedTile(white, kChipOne, 1.0, QSize(8, 2));
    QCOMPARE(tile.size(), QSize(8, 2));
    QCOMPARE(tile.pixel(7, 1), qRgba(199, 99, 49, 255));
}

void TestTabPages::tileCacheKeepsEachTintOnce()
{
    QImage white(10, 10, QImage::Format_RGB32);
    white.fill(Qt::white);
    TintedTileCache cache;
    cache.tile(1, white, kChipOne, 1.0, QSize(5, 5));
    cache.tile(1, white, kChipOne, 1.0, QSize(5, 5));
    QCOMPARE(cache.count(), 1);
    cache.tile(1, white, Qt::blue, 1.0, QSize(5, 5));
    cache.tile(1, white, kChipOne, 0.5, QSize(5, 5));
    cache.tile(1, white, kChipOne, 1.0, QSize(10, 10));
    QCOMPARE(cache.count(), 4);
    QVERIFY(cache.tile(2, QImage(), kChipOne, 1.0, QSize(5, 5)).isNull());
    QCOMPARE(cache.count(), 4);
    for (int id = 10; id < 10 + 2 * TintedTileCache::kMaxTiles; ++id)
        cache.tile(id, white, kChipOne, 1.0, QSize(5, 5));
    QCOMPARE(cache.count(), TintedTileCache::kMaxTiles);
    cache.clear();
    QCOMPARE(cache.count(), 0);
}

void TestTabPages::texturesLayout_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QSize>("tile");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<QRect>>("tiles");
    QTest::addColumn<int>("height");

    // Header: a 20 px line with 6 px above and below.
    QTest::newRow("three centred columns")
        << 565 << QSize(148, 96) << 3
        << QList<QRect>{{44, 32, 148, 96}, {208, 32, 148, 96}, {372, 32, 148, 96}} << 32 + 112;
    QTest::newRow("a fourth tile starts a row a tile and a caption lower")
        << 565 << QSize(148, 96) << 4
        << QList<QRect>{{44, 32, 148, 96},
                        {208, 32, 148, 96},
                        {372, 32, 148, 96},
                        {44, 144, 148, 96}}
        << 32 + 2 * 112;
    QTest::newRow("larger tiles") << 700 << QSize(200, 100) << 2
                                  << QList<QRect>{{34, 32, 200, 100}, {250, 32, 200, 100}}
                                  << 32 + 116;
    QTest::newRow("too narrow: the first column stays in view")
        << 300 << QSize(148, 96) << 1 << QList<QRect>{{2, 32, 148, 96}} << 32 + 112;
    QTest::newRow("no textures: only the header")
        << 565 << QSize(148, 96) << 0 << QList<QRect>() << 32;
}

void TestTabPages::texturesLayout()
{
    QFETCH(int, width);
    QFETCH(QSize, tile);
    QFETCH(int, count);
    QFETCH(QList<QRect>, tiles);
    QFETCH(int, height);
    const TexturesLayout layout(width, tile, count, 20);
    QList<QRect> found;
    for (int index = 0; index < layout.count(); ++index) {
        found.append(layout.tileRect(index));
        QCOMPARE(layout.captionRect(index),
                 QRect(tiles.at(index).bottomLeft() + QPoint(0, 1),
                       QSize(tile.width(), TexturesLayout::kCaptionHeight)));
        QCOMPARE(layout.tileAt(tiles.at(index).center()), index);
    }
    QCOMPARE(found, tiles);
    QCOMPARE(layout.contentHeight(), height);
    QCOMPARE(layout.headerRect().height(), 32);
    QCOMPARE(layout.tileAt(QPoint(1, 1)), -1);
}

void TestTabPages::vistaraLayout_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<VistaraLayoutGroup>>("groups");
    QTest::addColumn<QList<QRect>>("headers");
    QTest::addColumn<QList<QRect>>("chips");
    QTest::addColumn<QList<QRect>>("items");
    QTest::addColumn<int>("height");

    // Chips 64 x 48, 12 px header images (headers 21 high), 14 px text lines.
    const VistaraItemTexts both{50, 40};
    const VistaraItemTexts wide{100, std::nullopt};
    const VistaraItemTexts none{std::nullopt, std::nullopt};
    const VistaraItemTexts veryWide{300, 20};
    QTest::newRow("open group: items as wide as their texts, 5 px apart")
        << 300 << QList<VistaraLayoutGroup>{{7, true, {both, wide}}}
        << QList<QRect>{{0, 0, 300, 21}} << QList<QRect>{{6, 21, 64, 48}, {97, 21, 64, 48}}
        << QList<QRect>{{6, 21, 64, 79}, {75, 21, 108, 65}} << 21 + 79 + 10;
    QTest::newRow("wraps 10 px below the tallest item of the row")
        << 150 << QList<VistaraLayoutGroup>{{7, true, {wide, both, none}}}
        << QList<QRect>{{0, 0, 150, 21}}
        << QList<QRect>{{28, 21, 64, 48}, {6, 96, 64, 48}, {75, 96, 64, 48}}
        << QList<QRect>{{6, 21, 108, 65}, {6, 96, 64, 79}, {75, 96, 64, 48}} << 96 + 79 + 10;
    QTest::newRow("closed group: its header only")
        << 300 << QList<VistaraLayoutGroup>{{7, false, {both, wide}}, {8, true, {none}}}
        << QList<QRect>{{0, 0, 300, 21}, {0, 31, 300, 21}} << QList<QRect>{{6, 52, 64, 48}}
        << QList<QRect>{{6, 52, 64, 48}} << 52 + 48 + 10;
    QTest::newRow("texts are cut at two chips' width")
        << 300 << QList<VistaraLayoutGroup>{{7, true, {veryWide}}} << QList<QRect>{{0, 0, 300, 21}}
        << QList<QRect>{{38, 21, 64, 48}} << QList<QRect>{{6, 21, 128, 79}} << 21 + 79 + 10;
    QTest::newRow("open group without entries")
        << 300 << QList<VistaraLayoutGroup>{{7, true, {}}} << QList<QRect>{{0, 0, 300, 21}}
        << QList<QRect>() << QList<QRect>() << 31;
    QTest::newRow("no groups") << 300 << QList<VistaraLayoutGroup>() << QList<QRect>()
                               << QList<QRect>() << QList<QRect>() << 0;
}

void TestTabPages::vistaraLayout()
{
    QFETCH(int, width);
    QFETCH(QList<VistaraLayoutGroup>, groups);
    QFETCH(QList<QRect>, headers);
    QFETCH(QList<QRect>, chips);
    QFETCH(QList<QRect>, items);
    QFETCH(int, height);
    const VistaraMetrics metrics{QSize(64, 48), QSize(12, 12), 14, 14};
    const VistaraLayout layout(width, metrics, groups);
    QList<QRect> foundHeaders;
    for (int group = 0; group < layout.groupCount(); ++group) {
        foundHeaders.append(layout.headerRect(group));
        QCOMPARE(layout.headerAt(layout.headerRect(group).center()), group);
        QCOMPARE(layout.groupId(group), groups.at(group).id);
    }
    QList<QRect> foundChips;
    QList<QRect> foundItems;
    for (int index = 0; index < layout.items().size(); ++index) {
        foundChips.append(layout.items().at(index).chip);
        foundItems.append(layout.items().at(index).item);
        QCOMPARE(layout.itemAt(layout.items().at(index).chip.center()), index);
    }
    QCOMPARE(foundHeaders, headers);
    QCOMPARE(foundChips, chips);
    QCOMPARE(foundItems, items);
    QCOMPARE(layout.contentHeight(), height);
    QCOMPARE(layout.itemAt(QPoint(1, height - 1)), -1);
}

void TestTabPages::vistaraGroupsInOrderWithSharedOnes()
{
    const VistaraWidget demo;
    const QStringList shared{
        QStringLiteral("Vistara 2027: Quiet Earth"), QStringLiteral("Vistara 2027: Coastal Light"),
        QStringLiteral("Vistara 2027: Botanical Studio"), QStringLiteral("Velmora Classics")};
    QCOMPARE(groupNames(demo.vistaraViewport()->scene()), shared);

    // The file's shared groups show in every collection.
    DemoWorld::makeCurrent(DemoWorld::lustrelCollection());
    const VistaraWidget lustrel;
    QCOMPARE(groupNames(lustrel.vistaraViewport()->scene()),
             (QStringList{QStringLiteral("Lustrel Signature Metals"),
                          QStringLiteral("Velmora Classics")}));

    // Equal orders: the lower ID first.
    DemoWorld::makeCurrent(kProducts);
    const VistaraWidget fixture;
    QCOMPARE(groupNames(fixture.vistaraViewport()->scene()),
             (QStringList{QStringLiteral("First"), QStringLiteral("Also first"),
                          QStringLiteral("Second")}));
}

void TestTabPages::headerClickTogglesAndSurvivesRestart()
{
    const QUuid demo = DemoWorld::mainCollection();
    auto widget = shownView<VistaraWidget>();
    VistaraViewport *viewport = widget->vistaraViewport();
    const int coast = groupIndex(viewport->scene(), QStringLiteral("Vistara 2027: Coastal Light"));
    QVERIFY(coast >= 0);
    QVERIFY(!viewport->scene().groups.at(coast).open);
    const qint64 id = viewport->scene().groups.at(coast).id;
    const int closedHeight = viewport->height();
    QCOMPARE(closedHeight, viewport->vistaraLayout().contentHeight());
    QVERIFY(widget->accessibleDescription().contains(
        QStringLiteral("Vistara 2027: Coastal Light (closed)")));
    QTest::mouseMove(viewport, viewport->vistaraLayout().headerRect(coast).center());
    QCOMPARE(viewport->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(viewport,
                     QPoint(2, viewport->vistaraLayout().items().at(0).chip.center().y()));
    QCOMPARE(viewport->cursor().shape(), Qt::ArrowCursor);

    QTest::mouseClick(viewport, Qt::LeftButton, {},
                      viewport->vistaraLayout().headerRect(coast).center());
    QVERIFY(Preferences::vistaraGroupOpenState(demo, id, false));
    QVERIFY(viewport->scene().groups.at(coast).open);
    QVERIFY(viewport->height() > closedHeight);
    QVERIFY(widget->scrollArea()->verticalScrollBar()->maximum() > 0);
    QVERIFY(widget->accessibleDescription().contains(
        QStringLiteral("Vistara 2027: Coastal Light (open, 7 colours)")));
    QCOMPARE(viewport->accessibleDescription(), widget->accessibleDescription());
    QCOMPARE(viewport->accessibleName(), widget->accessibleName());

    // A new view (as after a restart) shows the group as it was left.
    widget = shownView<VistaraWidget>();
    viewport = widget->vistaraViewport();
    QVERIFY(viewport->scene().groups.at(coast).open);
    QTest::mouseClick(viewport, Qt::LeftButton, {},
                      viewport->vistaraLayout().headerRect(coast).center());
    QVERIFY(!Preferences::vistaraGroupOpenState(demo, id, true));
    QCOMPARE(viewport->height(), closedHeight);
    // A right click toggles nothing.
    QTest::mouseClick(viewport, Qt::RightButton, {},
                      viewport->vistaraLayout().headerRect(coast).center());
    QVERIFY(!viewport->scene().groups.at(coast).open);
}

void TestTabPages::chipPressAndMoveDragsAFreeColour()
{
    auto widget = shownView<VistaraWidget>();
    VistaraViewport *viewport = widget->vistaraViewport();
    const VistaraItemGeometry &item = viewport->vistaraLayout().items().at(0);
    const DB::VistaraEntry entry = viewport->scene().groups.at(item.group).entries.at(item.entry);
    QVERIFY(!entry.name1.isEmpty() && !entry.name2.isEmpty());

    const QPoint press = item.chip.center();
    sendMouse(viewport, QEvent::MouseButtonPress, press, Qt::LeftButton);
    // A small move is no drag yet.
    sendMouse(viewport, QEvent::MouseMove, press + QPoint(1, 0), Qt::LeftButton);
    QVERIFY(!viewport->findChild<QDrag *>());
    sendMouse(viewport, QEvent::MouseMove, press + QPoint(30, 0), Qt::LeftButton);
    // The drag ran (it ends at once offscreen) and waits for deletion.
    auto *drag = viewport->findChild<QDrag *>();
    QVERIFY(drag);
    const QMimeData *mime = drag->mimeData();
    QCOMPARE(chipOrigin(mime), ChipOrigin::FreeColor);
    QCOMPARE(decodeColor(mime).value_or(QColor()), entry.color);
    QCOMPARE(decodeNames(mime).name1, entry.name1);
    QCOMPARE(decodeNames(mime).name2, entry.name2);
    QVERIFY(!drag->pixmap().isNull());
    delete drag;

    // A press beside the chips starts nothing.
    const QPoint beside(viewport->width() - 2, item.chip.center().y());
    sendMouse(viewport, QEvent::MouseButtonPress, beside, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, beside - QPoint(40, 0), Qt::LeftButton);
    QVERIFY(!viewport->findChild<QDrag *>());
}

void TestTabPages::toolTipShowsTheTexts()
{
    DB::VistaraEntry entry;
    entry.name1 = QStringLiteral("Quiet Harbour");
    entry.name2 = QStringLiteral("VM 12C3");
    QCOMPARE(vistaraToolTip(entry), QStringLiteral("<div>Quiet Harbour<br/>VM 12C3</div>"));
    entry.name1 = QStringLiteral("Salt & Pepper");
    entry.name2.clear();
    QCOMPARE(vistaraToolTip(entry), QStringLiteral("<div>Salt &amp; Pepper</div>"));
    entry.name1.clear();
    QCOMPARE(vistaraToolTip(entry), QString());

    DemoWorld::makeCurrent(kProducts);
    auto widget = shownView<VistaraWidget>();
    QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
    VistaraViewport *viewport = widget->vistaraViewport();
    const QList<VistaraItemGeometry> &items = viewport->vistaraLayout().items();
    QCOMPARE(items.size(), 2);
    // The entry without texts draws its chip alone.
    QVERIFY(items.at(1).firstText.isNull() && items.at(1).secondText.isNull());
    // As in the other chip views: the pointer over a chip shows its tip at once.
    QTest::mouseMove(viewport, items.at(0).chip.center());
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("<div>Salt &amp; Pepper</div>"));
    QTest::mouseMove(viewport, items.at(1).chip.center());
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestTabPages::vistaraWithoutGroups()
{
    DemoWorld::makeCurrent(kGroups);
    auto widget = shownView<VistaraWidget>();
    QVERIFY(widget->vistaraViewport()->scene().groups.isEmpty());
    QCOMPARE(widget->vistaraViewport()->height(), 0);
    QCOMPARE(widget->accessibleDescription(), QStringLiteral("No trend colours"));
    widget->selectedCollectionChanged(QUuid());
    widget->repaint();
    QVERIFY(!widget->accessibleName().isEmpty());
}

void TestTabPages::productsInBothModes_data()
{
    QTest::addColumn<QUuid>("collection");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("texts");
    // The demo's Products mode with its " | " separator, checked against the query.
    QTest::newRow("demo products") << DemoWorld::mainCollection() << QString() << QStringList();
    QTest::newRow("demo product groups")
        << DemoWorld::lustrelCollection() << QString() << QStringList();
    // A nameless product is left out; one without a code shows its bare name.
    QTest::newRow("products, default separator")
        << kProducts << QStringLiteral("TP 1")
        << QStringList{QStringLiteral("Alpha Paint: AP-1"), QStringLiteral("Bare Paint")};
    QTest::newRow("product groups without a mode setting")
        << kGroups << QStringLiteral("TB 1") << QStringList{QStringLiteral("Group One")};
}

void TestTabPages::productsInBothModes()
{
    QFETCH(QUuid, collection);
    QFETCH(QString, code);
    QFETCH(QStringList, texts);
    select(collection, 1, 1);
    if (code.isEmpty()) {
        const DB::ColorEntry chip = chipOf(collection, 1, 1);
        code = chip.code;
        const bool products =
            CollectionSettings::productGroupsMode(collection) == ProductGroupsMode::Products;
        if (products)
            DB::productNames(collection, chip.id, QStringLiteral(" | "), texts);
        else
            DB::productGroupNames(collection, chip.id, texts);
        QVERIFY(!texts.isEmpty());
        QCOMPARE(texts.first().contains(QStringLiteral(" | ")), products);
    }
    auto widget = shownView<ProductsWidget>();
    QCOMPARE(widget->objectName(), QStringLiteral("ProductsWidget"));
    QCOMPARE(widget->palette().color(QPalette::WindowText), QColor(228, 228, 228));
    QCOMPARE(widget->codeLabel()->text(), code);
    QCOMPARE(widget->itemTexts(), texts);
    QCOMPARE(widget->list()->flow(), QListView::LeftToRight);
    QVERIFY(widget->list()->isWrapping());
    QCOMPARE(widget->list()->selectionMode(), QAbstractItemView::NoSelection);
    QCOMPARE(widget->list()->focusPolicy(), Qt::NoFocus);
    QVERIFY(widget->accessibleDescription().startsWith(code + QStringLiteral(": ")));
}

void TestTabPages::productSeparatorDefault()
{
    QCOMPARE(CollectionSettings::productSeparator(kProducts), QStringLiteral(": "));
    QCOMPARE(CollectionSettings::productSeparator(DemoWorld::mainCollection()),
             QStringLiteral(" | "));
}

void TestTabPages::productsOfAMissingRow()
{
    select(kProducts, 1, 9);
    auto widget = shownView<ProductsWidget>();
    QCOMPARE(widget->codeLabel()->text(), QStringLiteral(" "));
    QCOMPARE(widget->list()->count(), 0);
    QCOMPARE(widget->accessibleDescription(), QStringLiteral("No colour selected"));
    // A card that does not load, and an unknown collection, leave it just as blank.
    Preferences::setPageIndex(kProducts, 40);
    Preferences::setRowIndex(kProducts, 1);
    widget->selectedColorChanged();
    QCOMPARE(widget->codeLabel()->text(), QStringLiteral(" "));
    widget->selectedCollectionChanged(
        QUuid(QStringLiteral("{3c9d1e20-5a7b-4c11-8e42-0000000000ff}")));
    QCOMPARE(widget->list()->count(), 0);
}

void TestTabPages::productsReloadOnlyWhileShown()
{
    select(kProducts, 1, 1);
    ProductsWidget widget;
    widget.resize(kViewSize);
    QCOMPARE(widget.codeLabel()->text(), QStringLiteral(" "));
    widget.show();
    QCOMPARE(widget.codeLabel()->text(), QStringLiteral("TP 1"));
    widget.hide();
    Preferences::setRowIndex(kProducts, 2);
    widget.selectedColorChanged();
    QCOMPARE(widget.codeLabel()->text(), QStringLiteral("TP 1"));
    widget.show();
    QCOMPARE(widget.codeLabel()->text(), QStringLiteral("TP 2"));
    QCOMPARE(widget.list()->count(), 0);
}

void TestTabPages::texturesOfTheCard()
{
    const QUuid demo = DemoWorld::mainCollection();
    select(demo, 1, 2);
    TexturesWidget hidden;
    QVERIFY(hidden.texturesViewport()->textures().isEmpty());

    auto widget = shownView<TexturesWidget>();
    TexturesViewport *viewport = widget->texturesViewport();
    QStringList captions;
    for (const ShownTexture &texture : viewport->textures())
        captions.append(texture.caption);
    // Every placement of the card, in the query's order.
    DB::ColorPage page;
    QCOMPARE(DB::pageAt(demo, 1, page), DB::Ok);
    QList<DB::TexturePlacement> placements;
    QCOMPARE(DB::texturePlacements(demo, page.id, placements), DB::Ok);
    QStringList expected;
    for (const DB::TexturePlacement &placement : placements)
        expected.append(placement.name);
    QCOMPARE(captions.size(), 3);
    QCOMPARE(captions, expected);
    QCOMPARE(viewport->tint(), DB::chipColor(chipOf(demo, 1, 2)));
    QCOMPARE(viewport->texturesLayout().count(), 3);
    QCOMPARE(viewport->height(), viewport->texturesLayout().contentHeight());
    QCOMPARE(viewport->width(), widget->scrollArea()->viewport()->width());
    QVERIFY(widget->accessibleDescription().contains(chipOf(demo, 1, 2).code));

    Preferences::setRowIndex(demo, 3);
    widget->selectedRowChanged();
    QCOMPARE(viewport->tint(), DB::chipColor(chipOf(demo, 1, 3)));
}

void TestTabPages::texturesPaintTinted()
{
    select(kProducts, 1, 1);
    auto widget = shownView<TexturesWidget>();
    TexturesViewport *viewport = widget->texturesViewport();
    // The texture whose bytes are no picture is left out.
    QCOMPARE(viewport->textures().size(), 1);
    QCOMPARE(viewport->textures().at(0).caption, QStringLiteral("White wash"));
    QImage image(viewport->size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    viewport->render(&image);
    const QRect tile = viewport->texturesLayout().tileRect(0);
    QCOMPARE(image.pixelColor(tile.center()), QColor(199, 99, 49));
    // The outline just outside the tile.
    QCOMPARE(image.pixelColor(tile.left() - 1, tile.center().y()), QColor(96, 96, 96));
    QCOMPARE(viewport->cachedTileCount(), 1);
    viewport->render(&image);
    QCOMPARE(viewport->cachedTileCount(), 1);

    Preferences::setRowIndex(kProducts, 2);
    widget->selectedRowChanged();
    viewport->render(&image);
    QCOMPARE(image.pixelColor(tile.center()), QColor(0, 0, 254));
    QCOMPARE(viewport->cachedTileCount(), 2);
    widget->selectedCollectionChanged(kProducts);
    QCOMPARE(viewport->cachedTileCount(), 0);
}

void TestTabPages::texturesWithoutTheRowUseRed()
{
    select(kProducts, 1, 7);
    auto widget = shownView<TexturesWidget>();
    QCOMPARE(widget->texturesViewport()->tint(), QColor(255, 0, 0));
    QCOMPARE(widget->texturesViewport()->textures().size(), 1);
}

void TestTabPages::texturesOfAMissingCardShowTheHeader()
{
    select(DemoWorld::mainCollection(), 999, 1);
    auto widget = shownView<TexturesWidget>();
    TexturesViewport *viewport = widget->texturesViewport();
    QVERIFY(viewport->textures().isEmpty());
    QCOMPARE(viewport->height(), viewport->texturesLayout().headerRect().height());
    QCOMPARE(widget->accessibleDescription(), QStringLiteral("No textures for this card"));
    QCOMPARE(viewport->accessibleDescription(), widget->accessibleDescription());
    QVERIFY(!viewport->accessibleName().isEmpty());
    QImage image(viewport->size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    viewport->render(&image);
    // The header's white text is there.
    bool lit = false;
    for (int x = 0; x < image.width() && !lit; ++x) {
        for (int y = 0; y < image.height() && !lit; ++y)
            lit = qGray(image.pixel(x, y)) > 200;
    }
    QVERIFY(lit);
    // A card without textures also shows only the header.
    select(kGroups, 1, 1);
    widget->selectedCollectionChanged(kGroups);
    QVERIFY(viewport->textures().isEmpty());
}

QTEST_MAIN(TestTabPages)
#include "tst_tabpages.moc"
