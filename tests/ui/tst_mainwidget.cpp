// The main widget on the demo data: where the views stand, how a request of a view changes
// the selection, and the files, links and animations the widget runs itself.

#include "demoworld.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/colorpage.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/mypalettemodel.h"
#include "engine/settings/collectionsettings.h"
#include "engine/settings/preferences.h"
#include "ui/colorschemerlustrelwidget.h"
#include "ui/colorschemerwidget.h"
#include "ui/helplink.h"
#include "ui/mainwidget.h"
#include "ui/mainwidgetlayout.h"
#include "ui/mypalettefullwidget.h"
#include "ui/mypalettewidget.h"
#include "ui/palettefiledialogs.h"
#include "ui/productswidget.h"
#include "ui/searchwidget.h"
#include "ui/taskbutton.h"

#include <QDesktopServices>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Corvo;

namespace {

MainWidgetLayout::Inputs pickerInputs()
{
    MainWidgetLayout::Inputs in;
    in.size = QSize(800, 600);
    in.selector = QSize(234, 30);
    in.wheel = QSize(122, 122);
    in.mood = QSize(134, 68);
    in.search = QSize(210, 26);
    in.leftFooterText = QSize(90, 14);
    in.rightFooterText = QSize(60, 14);
    in.lineHeight = 14;
    in.taskButtons = {{1, false}, {2, false}, {3, true}, {1000, false}};
    return in;
}

// Catches what the widget asks the desktop to open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

} // namespace

class TestMainWidget : public QObject
{
    Q_OBJECT

private:
    DemoWorld m_world;

    std::unique_ptr<MainWidget> freshWidget(const QUuid &collection)
    {
        DemoWorld::clearPreferences();
        DemoWorld::makeCurrent(collection);
        auto widget = std::make_unique<MainWidget>();
        widget->show();
        return widget;
    }

private slots:
    void initTestCase() { QVERIFY(m_world.isValid()); }

    void layout_data()
    {
        QTest::addColumn<bool>("moodVisible");
        QTest::addColumn<QRect>("roller");
        QTest::addColumn<QRect>("palette");
        QTest::newRow("with mood") << true << QRect(12, 317, 210, 224) << QRect(235, 327, 565, 214);
        QTest::newRow("mood hidden")
            << false << QRect(12, 239, 210, 302) << QRect(235, 327, 565, 214);
    }

    void layout()
    {
        QFETCH(bool, moodVisible);
        QFETCH(QRect, roller);
        QFETCH(QRect, palette);
        MainWidgetLayout::Inputs in = pickerInputs();
        in.moodVisible = moodVisible;
        const MainWidgetLayout l = MainWidgetLayout::compute(in);
        QCOMPARE(l.selector, QRect(0, 71, 234, 30));
        QCOMPARE(l.wheel, QRect(56, 111, 122, 122));
        QCOMPARE(l.tabBar, QRect(234, 71, 566, 30));
        QCOMPARE(l.schemer, QRect(235, 101, 565, 226));
        // The content ends a line and 12 px above the bottom; the search bar sits on it.
        QCOMPARE(l.search, QRect(12, 548, 210, 26));
        QCOMPARE(l.roller, roller);
        QCOMPARE(l.palette, palette);
        QCOMPARE(l.leftFooter, QRect(12, 576, 91, 16));
        QCOMPARE(l.rightFooter, QRect(726, 578, 61, 16));
    }

    void taskButtonRow()
    {
        const MainWidgetLayout l = MainWidgetLayout::compute(pickerInputs());
        // 26 px shrinks by 2 px steps to 22; the help square is 20 px inside it.
        const QList<QRect> expected{QRect(247, 550, 169, 22), QRect(420, 550, 169, 22),
                                    QRect(593, 551, 20, 20), QRect(617, 550, 169, 22)};
        QCOMPARE(l.taskButtons, expected);
    }

    void helpUrl_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QUrl>("expected");
        QTest::newRow("module folder")
            << "file:///%APP%/Contents/Resources/help/main.html"
            << QUrl::fromLocalFile("/opt/my add-on/Contents/Resources/help/main.html");
        QTest::newRow("token in any case")
            << "file:///%app%/help.html" << QUrl::fromLocalFile("/opt/my add-on/help.html");
        QTest::newRow("web page") << "https://example.com/help" << QUrl("https://example.com/help");
    }

    void helpUrl()
    {
        QFETCH(QString, link);
        QFETCH(QUrl, expected);
        QCOMPARE(Corvo::helpUrl(link, "/opt/my add-on"), expected);
    }

    void filterExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("added") << "/tmp/hall"
                               << "Palette files (*.palette)"
                               << "/tmp/hall.palette";
        QTest::newRow("text") << "/tmp/hall"
                              << "Text files (*.txt)"
                              << "/tmp/hall.txt";
        QTest::newRow("kept") << "/tmp/hall.xml"
                              << "Palette files (*.palette)"
                              << "/tmp/hall.xml";
        QTest::newRow("cancelled") << ""
                                   << "Palette files (*.palette)"
                                   << "";
        QTest::newRow("no pattern") << "/tmp/hall"
                                    << "All files"
                                    << "/tmp/hall";
    }

    void filterExtension()
    {
        QFETCH(QString, path);
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        QCOMPARE(PaletteFileDialogs::withFilterExtension(path, filter), expected);
    }

    void collectionSwitch()
    {
        auto widget = freshWidget(DemoWorld::mainCollection());
        QSignalSpy changed(widget.get(), &MainWidget::selectedCollectionChanged);
        QSignalSpy capsure(widget.get(), &MainWidget::onCapsureFileChanged);
        widget->collectionChangedInteractively(DemoWorld::mainCollection());
        widget->collectionChangedInteractively(QUuid::createUuid());
        QCOMPARE(changed.count(), 0);
        widget->collectionChangedInteractively(DemoWorld::lustrelCollection());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(Preferences::uuidOfLastUsedCollection(), DemoWorld::lustrelCollection());
        QVERIFY(capsure.count() >= 1);
        QVERIFY(widget->isEnabled());
        // A Lustrel collection's schemes page is the Lustrel schemer.
        QCOMPARE(Preferences::tabPageIndex(DemoWorld::lustrelCollection()),
                 int(PageOfColorSchemes));
        QVERIFY(widget->findChild<ColorSchemerLustrelWidget *>()->isVisible());
        QVERIFY(!widget->findChild<ColorSchemerWidget *>()->isVisible());
    }

    // A window opened after its collection was removed shows the first one.
    void lastUsedCollectionGone()
    {
        DemoWorld::clearPreferences();
        Preferences::setUuidOfLastUsedCollection(QUuid::createUuid());
        MainWidget widget;
        QCOMPARE(Preferences::uuidOfLastUsedCollection(), DB::orderedCollections().first());
    }

    void saveNeedsChips()
    {
        auto widget = freshWidget(DemoWorld::mainCollection());
        TaskButton *save = widget->taskButton(MainWidget::kSaveButton);
        QVERIFY(!save->isEnabled());
        DB::ColorEntry entry;
        QCOMPARE(DB::rowAt(DemoWorld::mainCollection(), 1, 1, entry), 0);
        widget->paletteModel()->setDropTarget(QPoint(2, 1));
        QVERIFY(widget->paletteModel()->dropChip(DemoWorld::mainCollection(), entry));
        QVERIFY(save->isEnabled());
        QVERIFY(!widget->taskButton(12345)->isVisible()); // the hidden default button
    }

    void tabShowsItsPage()
    {
        auto widget = freshWidget(DemoWorld::mainCollection());
        auto *products = widget->findChild<ProductsWidget *>();
        QVERIFY(!products->isVisible());
        widget->tabPageSelected(PageOfProducts);
        QVERIFY(products->isVisible());
        QVERIFY(!widget->findChild<ColorSchemerWidget *>()->isVisible());
        QCOMPARE(Preferences::tabPageIndex(DemoWorld::mainCollection()), int(PageOfProducts));
    }

    void saveDialog_data()
    {
        QTest::addColumn<QString>("chosenExtension");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("savedFormat"); // MyPaletteSaveFileFormat afterwards
        const int xml = int(PaletteFileFormat::Xml);
        QTest::newRow("palette file") << ""
                                      << "x.palette" << xml << xml;
        QTest::newRow("text file")
            << "txt"
            << "x.txt" << int(PaletteFileFormat::Text) << int(PaletteFileFormat::Text);
        QTest::newRow("gpl") << "gpl"
                             << "x.gpl" << int(PaletteFileFormat::Gpl) << xml;
        QTest::newRow("ase") << "ase"
                             << "x.ase" << int(PaletteFileFormat::Ase) << xml;
        QTest::newRow("css") << "css"
                             << "x.css" << int(PaletteFileFormat::Css) << xml;
        QTest::newRow("csv") << "csv"
                             << "x.csv" << int(PaletteFileFormat::Csv) << xml;
        QTest::newRow("cancelled") << ""
                                   << "" << -1 << xml;
        // The typed extension wins over the filter left selected.
        QTest::newRow("gpl typed under csv") << "csv"
                                             << "p1.gpl" << int(PaletteFileFormat::Gpl) << xml;
        QTest::newRow("palette typed under ase") << "ase"
                                                 << "p1.Palette" << xml << xml;
        QTest::newRow("other extension keeps the filter")
            << "css"
            << "p1.colours" << int(PaletteFileFormat::Css) << xml;
    }

    // The filters offered, the format saved, and the filter the next save starts with.
    void saveDialog()
    {
        QFETCH(QString, chosenExtension);
        QFETCH(QString, fileName);
        QFETCH(int, format);
        QFETCH(int, savedFormat);
        const QString path =
            fileName.isEmpty() ? QString() : m_world.environment().root() + "/" + fileName;
        auto widget = freshWidget(DemoWorld::mainCollection());
        QStringList offered;
        QString preselected;
        const MainWidget::FileDialog save = [&](QWidget *, const QString &, const QString &,
                                                const QString &filters, QString *selected) {
            offered = filters.split(";;");
            preselected = *selected;
            for (const QString &filter : offered) {
                if (!chosenExtension.isEmpty() && filter.endsWith("(*." + chosenExtension + ")"))
                    *selected = filter;
            }
            return path;
        };
        const MainWidget::FileDialog open = [](QWidget *, const QString &, const QString &,
                                               const QString &,
                                               QString *) { return QString("y.palette"); };
        widget->setFileDialogs(save, open);
        QSignalSpy saves(widget.get(), &MainWidget::savePaletteTo);
        widget->saveButtonClicked();
        // The demo collection allows the text listing; the interchange formats follow it.
        const QStringList extensions{"palette", "txt", "gpl", "ase", "css", "csv"};
        QCOMPARE(offered.size(), extensions.size());
        for (qsizetype i = 0; i < extensions.size(); ++i)
            QVERIFY(offered.at(i).endsWith("(*." + extensions.at(i) + ")"));
        QCOMPARE(saves.count(), format < 0 ? 0 : 1);
        QCOMPARE(Preferences::myPaletteSaveFileFormat(), savedFormat);
        if (format < 0)
            return;
        QCOMPARE(saves.first().at(0).value<PaletteFileFormat>(), PaletteFileFormat(format));
        QCOMPARE(Preferences::myPaletteLastSavePath(), path);
        widget->saveButtonClicked();
        QVERIFY(preselected.endsWith("(*." + extensions.at(format) + ")"));
        // Opening a palette file makes the palette file the first choice again.
        widget->loadButtonClicked();
        QVERIFY(Preferences::myPaletteExportFileFormat().isEmpty());
        widget->saveButtonClicked();
        QVERIFY(preselected.endsWith("(*.palette)"));
    }

    // The footer's pages show the current collection's text, also after a switch.
    void footerPagesFollowTheCollection()
    {
        auto widget = freshWidget(DemoWorld::mainCollection());
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "open");
        widget->linkActivated("links/motto");
        widget->collectionChangedInteractively(DemoWorld::lustrelCollection());
        widget->linkActivated("links/motto");
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(catcher.urls.size(), 2);
        QCOMPARE(catcher.urls.first(), catcher.urls.last());
        QFile page(catcher.urls.last().toLocalFile());
        QVERIFY(page.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(page.readAll()),
                 DB::localizedString(DemoWorld::lustrelCollection(), "motto"));
    }

    // Zooming again while the palette slides out keeps it shown.
    void zoomDuringSlideOut()
    {
        auto widget = freshWidget(DemoWorld::mainCollection());
        auto *full = widget->findChild<MyPaletteFullWidget *>();
        widget->zoomMyPaletteClicked();
        QTRY_COMPARE(full->pos(), QPoint(0, 0));
        widget->unzoomMyPaletteClicked();
        QTest::qWait(MainWidget::kZoomMilliseconds / 3);
        widget->zoomMyPaletteClicked();
        QTRY_COMPARE(full->pos(), QPoint(0, 0));
        QTest::qWait(MainWidget::kZoomMilliseconds);
        QVERIFY(full->isVisible());
        widget->unzoomMyPaletteClicked();
        QTRY_VERIFY(!full->isVisible());
        QCOMPARE(full->pos(), QPoint(-widget->width(), 0));
    }

    void jumpToAColourOfAnotherCollection()
    {
        auto widget = freshWidget(DemoWorld::mainCollection());
        const QUuid lustrel = DemoWorld::lustrelCollection();
        DB::ColorEntry entry;
        QCOMPARE(DB::rowAt(lustrel, 2, 3, entry), 0);
        widget->capsureItemSelectedInteractively(lustrel, entry);
        QCOMPARE(Preferences::uuidOfLastUsedCollection(), lustrel);
        QCOMPARE(Preferences::pageIndex(lustrel), 2);
        QCOMPARE(Preferences::rowIndex(lustrel), 3);
        // An entry whose card cannot be found changes nothing.
        DB::ColorEntry missing = entry;
        missing.pageId = 999999;
        widget->capsureItemSelectedInteractively(DemoWorld::mainCollection(), missing);
        QCOMPARE(Preferences::uuidOfLastUsedCollection(), lustrel);
    }

    // The collection file overwritten under the open window: every request ends quietly
    // and the window goes on.
    void collectionFileDamagedWhileOpen()
    {
        auto widget = freshWidget(DemoWorld::mainCollection());
        QFile file(m_world.environment().dataFolder() + "/Contents/Resources/velmora.db");
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray original = file.readAll();
        QVERIFY(file.seek(0));
        file.write(QByteArray(original.size(), '\x5a'));
        file.flush();
        widget->rollCards(Forward);
        widget->searchForPhrase("Sage");
        widget->segmentChangedInteractivelyByWheel(5);
        widget->tabPageSelected(PageOfTextures);
        widget->collectionChangedInteractively(DemoWorld::lustrelCollection());
        widget->repaint();
        QVERIFY(widget->isEnabled());
        QVERIFY(file.seek(0));
        file.write(original);
        file.close();
    }

    void editBoxFocus()
    {
        auto widget = freshWidget(DemoWorld::mainCollection());
        widget->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(widget.get()));
        QSignalSpy got(widget.get(), &MainWidget::anEditBoxGotFocus);
        QSignalSpy lost(widget.get(), &MainWidget::anEditBoxLostFocus);
        widget->findChild<SearchWidget *>()->lineEdit()->setFocus();
        QTRY_COMPARE(got.count(), 1);
        widget->setFocus();
        QTRY_VERIFY(lost.count() >= 1);
        widget->findChild<MyPaletteWidget *>()->descriptionEdit()->setFocus();
        QTRY_COMPARE(got.count(), 2);
    }
};

QTEST_MAIN(TestMainWidget)
#include "tst_mainwidget.moc"
