#include "demoworld.h"
#include "fixturefiles.h"

#include "engine/db/collectioncatalogue.h"
#include "ui/capsureselectlayout.h"
#include "ui/collectionselectlayout.h"
#include "ui/collectionselectwidget.h"
#include "ui/dropdownbutton.h"
#include "ui/imagebutton.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProxyStyle>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using Corvo::CapsureSelectLayout;
using Corvo::CollectionSelectLayout;
using Corvo::CollectionSelectWidget;

namespace {

const QUuid kOnly(QStringLiteral("{5e1ec70a-0000-4000-8000-000000000001}"));
const QUuid kUnknown(QStringLiteral("{5e1ec70a-0000-4000-8000-0000000000ff}"));
const QPoint kSelectorPlace(0, 71);

// Lists activate items on a single click on some platforms: then one click reports a
// click and an activation.
class SingleClickStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ItemView_ActivateItemOnSingleClick)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The selector inside a main-widget-like parent that takes the focus on a click, with an
// edit box elsewhere.
struct Host
{
    QWidget window;
    CollectionSelectWidget *selector;
    QLineEdit *edit;

    Host()
    {
        window.resize(800, 600);
        window.setFocusPolicy(Qt::StrongFocus);
        selector = new CollectionSelectWidget(&window);
        selector->move(kSelectorPlace);
        edit = new QLineEdit(&window);
        edit->setGeometry(300, 400, 200, 24);
        window.show();
        window.activateWindow();
    }

    QListWidget *list() const { return selector->listWidget(); }
    void openList() const { QTest::mouseClick(selector->dropDownButton(), Qt::LeftButton); }
    QPoint centreOfRow(int row) const { return list()->visualItemRect(list()->item(row)).center(); }
};

} // namespace

class TestCollectionSelect : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void layout_data();
    void layout();
    void listPlace_data();
    void listPlace();
    void dialogLayout_data();
    void dialogLayout();
    void listHoldsEveryCollection();
    void dropDownOpensTheListOnTheCurrentCollection();
    void clickEmitsOnce_data();
    void clickEmitsOnce();
    void clickOutsideClosesWithoutSwitching();
    void returnActivatesOnce();
    void arrowAndEscapeCloseWithoutSwitching();
    void keyboardOpensTheList();
    void switchReloadsNameAndAccessibleText();
    void unknownCollectionPaintsTheBar();
    void singleCollectionHasNoDropDown();

private:
    std::unique_ptr<DemoWorld> m_world;
};

void TestCollectionSelect::initTestCase()
{
    m_world = std::make_unique<DemoWorld>();
    QVERIFY(m_world->isValid());
}

void TestCollectionSelect::init()
{
    DemoWorld::clearPreferences();
    DemoWorld::makeCurrent(DemoWorld::mainCollection());
}

void TestCollectionSelect::layout_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("dropDown");
    QTest::addColumn<bool>("capsure");
    QTest::addColumn<QRect>("dropDownRect");
    QTest::addColumn<QRect>("capsureRect");
    QTest::addColumn<QRect>("nameRect");

    const QSize bar = CollectionSelectLayout::kSize;
    QTest::newRow("both buttons, Capsure flush right, arrow 3 px left of it")
        << bar << true << true << QRect(191, 5, 20, 20) << QRect(214, 5, 20, 20)
        << QRect(4, 0, 183, 30);
    QTest::newRow("arrow alone, flush right")
        << bar << true << false << QRect(214, 5, 20, 20) << QRect() << QRect(4, 0, 206, 30);
    QTest::newRow("one collection with a measurement")
        << bar << false << true << QRect() << QRect(214, 5, 20, 20) << QRect(4, 0, 206, 30);
    QTest::newRow("one collection: the name over the whole bar")
        << bar << false << false << QRect() << QRect() << QRect(0, 0, 234, 30);
    QTest::newRow("odd height still centres the buttons")
        << QSize(234, 31) << true << false << QRect(214, 5, 20, 20) << QRect()
        << QRect(4, 0, 206, 31);
    QTest::newRow("too narrow for a name") << QSize(30, 30) << true << true << QRect(-13, 5, 20, 20)
                                           << QRect(10, 5, 20, 20) << QRect(4, 0, 0, 30);
}

void TestCollectionSelect::layout()
{
    QFETCH(QSize, size);
    QFETCH(bool, dropDown);
    QFETCH(bool, capsure);
    const CollectionSelectLayout layout(size, dropDown, capsure);
    QTEST(layout.dropDownRect(), "dropDownRect");
    QTEST(layout.capsureRect(), "capsureRect");
    QTEST(layout.nameRect(), "nameRect");
}

void TestCollectionSelect::listPlace_data()
{
    QTest::addColumn<QRect>("selector");
    QTest::addColumn<QRect>("list");
    QTest::newRow("in the picker") << QRect(0, 71, 234, 30) << QRect(0, 101, 234, 128);
    QTest::newRow("elsewhere") << QRect(12, 40, 234, 30) << QRect(12, 70, 234, 128);
}

void TestCollectionSelect::listPlace()
{
    QFETCH(QRect, selector);
    QTEST(CollectionSelectLayout::listRect(selector), "list");
}

void TestCollectionSelect::dialogLayout_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("fontHeight");
    QTest::addColumn<int>("comboHeight");
    QTest::addColumn<QRect>("combo");
    QTest::addColumn<QRect>("preview");
    QTest::addColumn<QRect>("ok");
    QTest::addColumn<QRect>("label");

    QTest::newRow("fixed size") << QSize(320, 200) << 15 << 24 << QRect(48, 20, 224, 26)
                                << QRect(48, 57, 224, 74) << QRect(120, 142, 80, 22)
                                << QRect(-1, 177, 322, 24);
    QTest::newRow("larger font") << QSize(320, 200) << 20 << 24 << QRect(48, 20, 224, 26)
                                 << QRect(48, 57, 224, 69) << QRect(120, 137, 80, 22)
                                 << QRect(-1, 172, 322, 29);
    QTest::newRow("larger dialog, taller combo box")
        << QSize(400, 300) << 15 << 30 << QRect(48, 20, 304, 32) << QRect(48, 63, 304, 168)
        << QRect(160, 242, 80, 22) << QRect(-1, 277, 402, 24);
    QTest::newRow("too small: the preview collapses")
        << QSize(100, 60) << 15 << 24 << QRect(48, 20, 4, 26) << QRect(48, 57, 4, 0)
        << QRect(10, 2, 80, 22) << QRect(-1, 37, 102, 24);
}

void TestCollectionSelect::dialogLayout()
{
    QFETCH(QSize, size);
    QFETCH(int, fontHeight);
    QFETCH(int, comboHeight);
    const CapsureSelectLayout layout = Corvo::capsureSelectLayout(size, fontHeight, comboHeight);
    QCOMPARE(layout.background, QRect(QPoint(0, 0), size));
    QTEST(layout.comboBox, "combo");
    QTEST(layout.preview, "preview");
    QTEST(layout.okButton, "ok");
    QTEST(layout.label, "label");
}

void TestCollectionSelect::listHoldsEveryCollection()
{
    Host host;
    QListWidget *list = host.list();
    QCOMPARE(list->parentWidget(), &host.window);
    QVERIFY(!list->isVisible());
    const QList<QUuid> collections = Corvo::DB::orderedCollections();
    QCOMPARE(list->count(), collections.size());
    QCOMPARE(list->count(), 2);
    for (int row = 0; row < list->count(); ++row) {
        QCOMPARE(list->item(row)->data(Qt::UserRole).toString(), collections.at(row).toString());
        QCOMPARE(list->item(row)->sizeHint().height(), CollectionSelectLayout::kListItemHeight);
    }
    QCOMPARE(list->item(0)->text(), QStringLiteral("Velmora Colour Collection"));
    QCOMPARE(list->frameShape(), QFrame::NoFrame);
    QCOMPARE(list->styleSheet(),
             QStringLiteral("background-color: qlineargradient(spread:pad,                 "
                            "x1:0.35, y1:1,                 x2:0.65, y2:0,                 "
                            "stop:0 rgba(204, 204, 204, 255),                 "
                            "stop:1 rgba(238, 238, 238, 255)); "));
}

void TestCollectionSelect::dropDownOpensTheListOnTheCurrentCollection()
{
    DemoWorld::makeCurrent(DemoWorld::lustrelCollection());
    Host host;
    QVERIFY(host.selector->dropDownButton());
    QCOMPARE(host.selector->dropDownButton()->geometry(), QRect(214, 5, 20, 20));
    host.openList();
    QListWidget *list = host.list();
    QVERIFY(list->isVisible());
    QCOMPARE(list->geometry(), QRect(0, 101, 234, 128));
    QVERIFY(list->currentItem());
    QCOMPARE(QUuid(list->currentItem()->data(Qt::UserRole).toString()),
             DemoWorld::lustrelCollection());
    QTRY_VERIFY(list->hasFocus());
    QVERIFY(host.selector->dropDownButton()->isListShown());
}

void TestCollectionSelect::clickEmitsOnce_data()
{
    QTest::addColumn<bool>("singleClickActivates");
    QTest::newRow("activation on double click") << false;
    QTest::newRow("activation on single click") << true;
}

void TestCollectionSelect::clickEmitsOnce()
{
    QFETCH(bool, singleClickActivates);
    Host host;
    SingleClickStyle style;
    if (singleClickActivates)
        host.list()->setStyle(&style);
    QSignalSpy spy(host.selector, &CollectionSelectWidget::collectionSelectedInteractively);
    host.openList();
    QTest::mouseClick(host.list()->viewport(), Qt::LeftButton, {}, host.centreOfRow(1));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toUuid(), DemoWorld::lustrelCollection());
    QVERIFY(!host.list()->isVisible());
    QVERIFY(!host.selector->dropDownButton()->isListShown());
    // The selection itself stays with the main widget.
    QCOMPARE(host.selector->collectionName(), QStringLiteral("Velmora Colour Collection"));
}

void TestCollectionSelect::clickOutsideClosesWithoutSwitching()
{
    Host host;
    QSignalSpy spy(host.selector, &CollectionSelectWidget::collectionSelectedInteractively);
    host.openList();
    QTRY_VERIFY(host.list()->hasFocus());
    QTest::mouseClick(&host.window, Qt::LeftButton, {}, QPoint(600, 500));
    QVERIFY(!host.list()->isVisible());
    host.openList();
    QTRY_VERIFY(host.list()->hasFocus());
    QTest::mouseClick(host.edit, Qt::LeftButton);
    QVERIFY(!host.list()->isVisible());
    QCOMPARE(spy.count(), 0);
}

void TestCollectionSelect::returnActivatesOnce()
{
    Host host;
    QSignalSpy spy(host.selector, &CollectionSelectWidget::collectionSelectedInteractively);
    host.openList();
    QTRY_VERIFY(host.list()->hasFocus());
    QTest::keyClick(host.list(), Qt::Key_Down);
    QTest::keyClick(host.list(), Qt::Key_Return);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toUuid(), DemoWorld::lustrelCollection());
    QVERIFY(!host.list()->isVisible());
    QTRY_VERIFY(host.selector->hasFocus());
}

void TestCollectionSelect::arrowAndEscapeCloseWithoutSwitching()
{
    Host host;
    QSignalSpy spy(host.selector, &CollectionSelectWidget::collectionSelectedInteractively);
    host.openList();
    QTRY_VERIFY(host.list()->hasFocus());
    QTest::keyClick(host.list(), Qt::Key_Down);
    host.openList();
    QVERIFY(!host.list()->isVisible());
    host.openList();
    QVERIFY(host.list()->isVisible());
    // Reopened, it shows the current collection again, not the one browsed to.
    QCOMPARE(host.list()->currentRow(), 0);
    QTest::keyClick(host.list(), Qt::Key_Escape);
    QVERIFY(!host.list()->isVisible());
    QCOMPARE(spy.count(), 0);
}

void TestCollectionSelect::keyboardOpensTheList()
{
    Host host;
    host.selector->setFocus();
    QTRY_VERIFY(host.selector->hasFocus());
    QTest::keyClick(host.selector, Qt::Key_Space);
    QVERIFY(host.list()->isVisible());
    QTest::keyClick(host.list(), Qt::Key_Escape);
    QVERIFY(!host.list()->isVisible());
    QTest::keyClick(host.selector, Qt::Key_Down, Qt::AltModifier);
    QVERIFY(host.list()->isVisible());
}

void TestCollectionSelect::switchReloadsNameAndAccessibleText()
{
    Host host;
    QCOMPARE(host.selector->accessibleName(), QStringLiteral("Velmora Colour Collection"));
    QVERIFY(!host.selector->accessibleDescription().isEmpty());
    host.selector->selectedCollectionChanged(DemoWorld::lustrelCollection());
    QCOMPARE(host.selector->collectionName(), QStringLiteral("Lustrel Metallics"));
    QCOMPARE(host.selector->accessibleName(), QStringLiteral("Lustrel Metallics"));
    QVERIFY(!host.selector->grab().isNull());
}

void TestCollectionSelect::unknownCollectionPaintsTheBar()
{
    DemoWorld::makeCurrent(kUnknown);
    Host host;
    QVERIFY(host.selector->collectionName().isEmpty());
    QCOMPARE(host.selector->accessibleName(), QStringLiteral("No collection"));
    QVERIFY(!host.selector->grab().isNull());
    host.openList();
    QVERIFY(host.list()->isVisible());
    QVERIFY(!host.list()->currentItem());
}

void TestCollectionSelect::singleCollectionHasNoDropDown()
{
    {
        TestEnvironment single;
        QVERIFY(FixtureFiles::writeCollectionFile(
            single.collectionFile(QStringLiteral("single.db")),
            {FixtureFiles::collection(1, kOnly.toString(), QStringLiteral("ONLY"), 1,
                                      QStringLiteral("Only Deck"))}));
        DemoWorld::makeCurrent(kOnly);
        Host host;
        QVERIFY(!host.selector->dropDownButton());
        QCOMPARE(host.selector->selectorLayout().nameRect(),
                 QRect(QPoint(0, 0), CollectionSelectLayout::kSize));
        QCOMPARE(host.selector->collectionName(), QStringLiteral("Only Deck"));
        QTest::keyClick(host.selector, Qt::Key_Space);
        QVERIFY(!host.list()->isVisible());
    }
    Corvo::DB::setDataFolder(m_world->environment().dataFolder());
    TestEnvironment::resetCatalogue();
}

QTEST_MAIN(TestCollectionSelect)
#include "tst_collectionselect.moc"
