#include "demoworld.h"
#include "fixturefiles.h"

#include "engine/settings/preferences.h"
#include "ui/tabbarlayout.h"
#include "ui/tabbarpainter.h"
#include "ui/tabbarwidget.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using Corvo::TabBarLayout;
using Corvo::TabBarWidget;

namespace {

// Lists textures before schemes and offers textures.
const QUuid kTexturesFirst(QStringLiteral("{7e2a0b10-0000-4000-8000-0000000000b1}"));
// Lists nothing and offers products and trends.
const QUuid kUnlisted(QStringLiteral("{7e2a0b10-0000-4000-8000-0000000000b2}"));
// Lists trends and products but offers neither.
const QUuid kNothingOffered(QStringLiteral("{7e2a0b10-0000-4000-8000-0000000000b3}"));
const QUuid kUnknown(QStringLiteral("{7e2a0b10-0000-4000-8000-0000000000ff}"));

const QSize kBarSize(560, 34);

bool writeTabFixture(const QString &path)
{
    const QString key = QStringLiteral("tab.bar.page");
    return FixtureFiles::writeCollectionFile(
        path,
        {FixtureFiles::collection(31, kTexturesFirst.toString(), QStringLiteral("TABA"), 31),
         FixtureFiles::collection(32, kUnlisted.toString(), QStringLiteral("TABB"), 32),
         FixtureFiles::collection(33, kNothingOffered.toString(), QStringLiteral("TABC"), 33)},
        false, [&key](Tintwell::CollectionFileWriter &w) {
            return w.addSettingList(
                       31, key,
                       {QStringLiteral("PageOfTextures"), QStringLiteral("PageOfColorSchemes")}) &&
                   w.addSetting(31, QStringLiteral("has.textures.page"), QStringLiteral("1")) &&
                   w.addSetting(32, QStringLiteral("has.product.groups.page"),
                                QStringLiteral("1")) &&
                   w.addSetting(32, QStringLiteral("has.vistara.page"), QStringLiteral("1")) &&
                   w.addSettingList(
                       33, key,
                       {QStringLiteral("PageOfVistara"), QStringLiteral("PageOfProducts")});
        });
}

QPoint centreOfTab(const TabBarWidget &widget, int index)
{
    return widget.tabLayout().tabRect(index).center();
}

// A bar of the picker's size on the collection, shown and with the window active.
std::unique_ptr<TabBarWidget> shownBar(const QUuid &collection)
{
    DemoWorld::makeCurrent(collection);
    auto widget = std::make_unique<TabBarWidget>();
    widget->resize(kBarSize);
    widget->show();
    widget->activateWindow();
    return widget;
}

} // namespace

class TestTabBar : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void layout_data();
    void layout();
    void visiblePages_data();
    void visiblePages();
    void tabList_data();
    void tabList();
    void clickEmitsThePage();
    void clickOnTheCurrentTabStillAsks();
    void switchToTabActsOnlyOnShownOtherTabs();
    void shortcutSwitches();
    void arrowKeysAskForTheNeighbour();
    void cursorAndAccessibleText();
    void unknownCollectionShowsOnlySchemes();
    void barWithoutTabsPaintsItsLine();

private:
    std::unique_ptr<DemoWorld> m_world;
};

void TestTabBar::initTestCase()
{
    m_world = std::make_unique<DemoWorld>();
    QVERIFY(m_world->isValid());
    QVERIFY(writeTabFixture(m_world->environment().collectionFile(QStringLiteral("tabs.db"))));
    TestEnvironment::resetCatalogue();
}

void TestTabBar::init()
{
    DemoWorld::clearPreferences();
    DemoWorld::makeCurrent(DemoWorld::mainCollection());
}

void TestTabBar::layout_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<QList<QRect>>("tabs");
    QTest::addColumn<QList<int>>("separatorXs");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("tabAt");

    QTest::newRow("one tab, its left edge")
        << QSize(560, 34) << QList<int>{60} << QList<QRect>{{1, 1, 92, 33}} << QList<int>{93}
        << QPoint(1, 1) << 0;
    QTest::newRow("left line is no tab")
        << QSize(560, 34) << QList<int>{60} << QList<QRect>{{1, 1, 92, 33}} << QList<int>{93}
        << QPoint(0, 10) << -1;
    QTest::newRow("top row is no tab")
        << QSize(560, 34) << QList<int>{60} << QList<QRect>{{1, 1, 92, 33}} << QList<int>{93}
        << QPoint(40, 0) << -1;
    const QList<QRect> three{{1, 1, 82, 33}, {84, 1, 102, 33}, {187, 1, 32, 33}};
    QTest::newRow("three tabs, on a separator") << QSize(560, 34) << QList<int>{50, 70, 0} << three
                                                << QList<int>{83, 186, 219} << QPoint(83, 20) << -1;
    QTest::newRow("three tabs, second's right edge")
        << QSize(560, 34) << QList<int>{50, 70, 0} << three << QList<int>{83, 186, 219}
        << QPoint(185, 33) << 1;
    QTest::newRow("empty caption still has its padding")
        << QSize(560, 34) << QList<int>{50, 70, 0} << three << QList<int>{83, 186, 219}
        << QPoint(200, 10) << 2;
    QTest::newRow("right of the last tab") << QSize(560, 34) << QList<int>{50, 70, 0} << three
                                           << QList<int>{83, 186, 219} << QPoint(300, 10) << -1;
    QTest::newRow("a tab past the right edge is cut off")
        << QSize(100, 20) << QList<int>{50, 70} << QList<QRect>{{1, 1, 82, 19}, {84, 1, 102, 19}}
        << QList<int>{83, 186} << QPoint(120, 10) << -1;
    QTest::newRow("no tabs") << QSize(560, 34) << QList<int>() << QList<QRect>() << QList<int>()
                             << QPoint(10, 10) << -1;
    QTest::newRow("empty size") << QSize(0, 0) << QList<int>{40} << QList<QRect>{{1, 1, 72, 0}}
                                << QList<int>{73} << QPoint(1, 1) << -1;
}

void TestTabBar::layout()
{
    QFETCH(QSize, size);
    QFETCH(QList<int>, widths);
    QFETCH(QList<QRect>, tabs);
    QFETCH(QList<int>, separatorXs);
    QFETCH(QPoint, point);
    QFETCH(int, tabAt);
    QList<int> pages;
    for (int index = 0; index < widths.size(); ++index)
        pages.append(1 << index);
    const TabBarLayout layout(size, pages, widths);
    QList<QRect> found;
    QList<int> lines;
    for (int index = 0; index < layout.count(); ++index)
        found.append(layout.tabRect(index));
    for (const QLine &line : layout.separators()) {
        QCOMPARE(line.x1(), line.x2());
        lines.append(line.x1());
    }
    QCOMPARE(found, tabs);
    QCOMPARE(lines, separatorXs);
    QCOMPARE(layout.leftLine(), QLine(0, 0, 0, size.height() - 1));
    QCOMPARE(layout.tabAt(point), tabAt);
}

void TestTabBar::visiblePages_data()
{
    QTest::addColumn<QList<int>>("ordered");
    QTest::addColumn<int>("available");
    QTest::addColumn<QList<int>>("shown");
    QTest::newRow("all offered") << QList<int>{1, 2, 4, 8} << 15 << QList<int>{1, 2, 4, 8};
    QTest::newRow("only offered ones") << QList<int>{1, 2, 4, 8} << 9 << QList<int>{1, 8};
    QTest::newRow("a page listed twice shows once")
        << QList<int>{1, 8, 8} << 15 << QList<int>{1, 8};
    QTest::newRow("values that are no page") << QList<int>{0, 1, 3, 16} << 15 << QList<int>{1};
    QTest::newRow("nothing offered") << QList<int>{1, 2} << 0 << QList<int>();
    QTest::newRow("empty list: all four in order") << QList<int>() << 6 << QList<int>{2, 4};
}

void TestTabBar::visiblePages()
{
    QFETCH(QList<int>, ordered);
    QFETCH(int, available);
    QFETCH(QList<int>, shown);
    QCOMPARE(Corvo::visibleTabPages(ordered, available), shown);
}

void TestTabBar::tabList_data()
{
    QTest::addColumn<QUuid>("collection");
    QTest::addColumn<QList<int>>("pages");
    QTest::newRow("demo: all four") << DemoWorld::mainCollection() << QList<int>{1, 2, 4, 8};
    QTest::newRow("textures listed first: schemes stay first")
        << kTexturesFirst << QList<int>{1, 8};
    // Without a list every page it offers shows, in the usual order.
    QTest::newRow("absent list: every page offered") << kUnlisted << QList<int>{1, 2, 4};
    QTest::newRow("listed but not offered") << kNothingOffered << QList<int>{1};
}

void TestTabBar::tabList()
{
    QFETCH(QUuid, collection);
    QFETCH(QList<int>, pages);
    TabBarWidget widget;
    widget.resize(kBarSize);
    widget.selectedCollectionChanged(collection);
    QCOMPARE(widget.tabLayout().pages(), pages);
}

void TestTabBar::clickEmitsThePage()
{
    auto widget = shownBar(DemoWorld::mainCollection());
    QSignalSpy spy(widget.get(), &TabBarWidget::tabPageSelected);
    QTest::mouseClick(widget.get(), Qt::LeftButton, {}, centreOfTab(*widget, 2));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).value<Corvo::TabBarPage>(), Corvo::PageOfVistara);
    QTest::mouseClick(widget.get(), Qt::RightButton, {}, centreOfTab(*widget, 1));
    QTest::mouseClick(widget.get(), Qt::LeftButton, {}, QPoint(kBarSize.width() - 5, 10));
    QCOMPARE(spy.size(), 1);
    // The widget only asks: the preferences are the main widget's to write.
    QCOMPARE(Corvo::Preferences::tabPageIndex(DemoWorld::mainCollection()), 0);
}

void TestTabBar::clickOnTheCurrentTabStillAsks()
{
    Corvo::Preferences::setTabPageIndex(DemoWorld::mainCollection(), Corvo::PageOfProducts);
    auto widget = shownBar(DemoWorld::mainCollection());
    QSignalSpy spy(widget.get(), &TabBarWidget::tabPageSelected);
    QTest::mouseClick(widget.get(), Qt::LeftButton, {}, centreOfTab(*widget, 1));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).value<Corvo::TabBarPage>(), Corvo::PageOfProducts);
}

void TestTabBar::switchToTabActsOnlyOnShownOtherTabs()
{
    Corvo::Preferences::setTabPageIndex(kTexturesFirst, Corvo::PageOfColorSchemes);
    auto widget = shownBar(kTexturesFirst);
    QSignalSpy spy(widget.get(), &TabBarWidget::tabPageSelected);
    widget->switchToTab3();
    widget->switchToTab4();
    widget->switchToTab1(); // already current
    QCOMPARE(spy.size(), 0);
    widget->switchToTab2();
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).value<Corvo::TabBarPage>(), Corvo::PageOfTextures);
    widget->hide();
    widget->switchToTab2();
    QCOMPARE(spy.size(), 1);
}

void TestTabBar::shortcutSwitches()
{
    auto widget = shownBar(kTexturesFirst);
    QVERIFY(QTest::qWaitForWindowActive(widget.get()));
    QSignalSpy spy(widget.get(), &TabBarWidget::tabPageSelected);
    QTest::keySequence(widget.get(), QKeySequence(QStringLiteral("Ctrl+T, Ctrl+3")));
    QCOMPARE(spy.size(), 0);
    QTest::keySequence(widget.get(), QKeySequence(QStringLiteral("Ctrl+T, Ctrl+2")));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).value<Corvo::TabBarPage>(), Corvo::PageOfTextures);
}

void TestTabBar::arrowKeysAskForTheNeighbour()
{
    const QUuid demo = DemoWorld::mainCollection();
    auto widget = shownBar(demo);
    widget->setFocus();
    QSignalSpy spy(widget.get(), &TabBarWidget::tabPageSelected);
    // No current tab yet: either arrow asks for the first.
    QTest::keyClick(widget.get(), Qt::Key_Left);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).value<Corvo::TabBarPage>(), Corvo::PageOfColorSchemes);
    Corvo::Preferences::setTabPageIndex(demo, Corvo::PageOfColorSchemes);
    QTest::keyClick(widget.get(), Qt::Key_Left);
    QCOMPARE(spy.size(), 1);
    QTest::keyClick(widget.get(), Qt::Key_Right);
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(1).at(0).value<Corvo::TabBarPage>(), Corvo::PageOfProducts);
    Corvo::Preferences::setTabPageIndex(demo, Corvo::PageOfTextures);
    QTest::keyClick(widget.get(), Qt::Key_Right);
    QCOMPARE(spy.size(), 2);
    QTest::keyClick(widget.get(), Qt::Key_Left);
    QCOMPARE(spy.at(2).at(0).value<Corvo::TabBarPage>(), Corvo::PageOfVistara);
}

void TestTabBar::cursorAndAccessibleText()
{
    Corvo::Preferences::setTabPageIndex(DemoWorld::mainCollection(), Corvo::PageOfVistara);
    auto widget = shownBar(DemoWorld::mainCollection());
    QTest::mouseMove(widget.get(), centreOfTab(*widget, 0));
    QCOMPARE(widget->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(widget.get(), QPoint(kBarSize.width() - 5, 10));
    QCOMPARE(widget->cursor().shape(), Qt::ArrowCursor);
    widget->selectionChanged();
    QVERIFY(!widget->accessibleName().isEmpty());
    QCOMPARE(widget->accessibleDescription(), QStringLiteral("Current tab: Trends"));
    Corvo::Preferences::setTabPageIndex(DemoWorld::mainCollection(), 0);
    widget->selectionChanged();
    QCOMPARE(widget->accessibleDescription(), QStringLiteral("No tab selected"));
}

void TestTabBar::unknownCollectionShowsOnlySchemes()
{
    auto widget = shownBar(kUnknown);
    QCOMPARE(widget->tabLayout().pages(), QList<int>{Corvo::PageOfColorSchemes});
    widget->repaint();
    QSignalSpy spy(widget.get(), &TabBarWidget::tabPageSelected);
    QTest::mouseClick(widget.get(), Qt::LeftButton, {}, centreOfTab(*widget, 0));
    QCOMPARE(spy.size(), 1);
}

void TestTabBar::barWithoutTabsPaintsItsLine()
{
    // A bar without tabs (no page offered) still paints its left line.
    const TabBarLayout empty(kBarSize, {}, {});
    QImage image(kBarSize, QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    Corvo::paintTabBar(painter, empty, QPixmap(), {}, {Corvo::PageOfProducts, true});
    painter.end();
    QCOMPARE(image.pixelColor(0, 10), QColor(188, 188, 188));
    QCOMPARE(image.pixelColor(40, 10), QColor(Qt::black));
}

QTEST_MAIN(TestTabBar)
#include "tst_tabbar.moc"
