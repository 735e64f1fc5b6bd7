// The picker only ever reads collection files: after a session through every view, a
// drop, palette files saved and loaded, a Capsure import and an export through the host,
// every collection file and its folder are exactly as before, with nothing beside them.

#include "faultworld.h"
#include "unprivilegedrun.h"

#include "engine/db/navigationqueries.h"
#include "engine/palette/chipdragdata.h"
#include "engine/palette/mypalettemodel.h"
#include "engine/settings/preferences.h"
#include "platform/platform.h"
#include "ui/capsureselectdialog.h"
#include "ui/collectionselectwidget.h"
#include "ui/imagebutton.h"
#include "ui/mainwidget.h"
#include "ui/similarcolorsmenu.h"
#include "ui/taskbutton.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QMimeData>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>

#include <memory>

using namespace Corvo;

namespace {

// Every entry below the data folder with its size, modification time and checksum.
QStringList snapshot(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        QString entry = QDir(folder).relativeFilePath(path);
        if (info.isFile()) {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            entry += QStringLiteral(" %1 %2 %3")
                         .arg(info.size())
                         .arg(info.lastModified().toMSecsSinceEpoch())
                         .arg(QString::fromLatin1(
                             QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                 .toHex()));
        }
        entries.append(entry);
    }
    entries.sort();
    return entries;
}

// Switches a collection file to the write-ahead log, as another tool may leave it.
bool useWriteAheadLog(const QString &path)
{
    const QString name = QStringLiteral("write-ahead-log");
    bool switched = false;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(path);
        QSqlQuery query(database);
        switched = database.open() && query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) &&
                   query.next() && query.value(0).toString() == QStringLiteral("wal");
        query.finish();
        database.close();
    }
    QSqlDatabase::removeDatabase(name);
    return switched;
}

QByteArray measurement(const QString &name)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<cc:CxF xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\">\n"
           "<cc:Resources><cc:ObjectCollection>\n"
           "<cc:Object ObjectType=\"Target\" Name=\"" +
           name.toUtf8() +
           "\" Id=\"1\"><cc:ColorValues><cc:ColorCIELab><cc:L>50</cc:L><cc:A>1</cc:A>"
           "<cc:B>2</cc:B></cc:ColorCIELab></cc:ColorValues></cc:Object>\n"
           "</cc:ObjectCollection></cc:Resources>\n</cc:CxF>\n";
}

// Every view, every filter, every scheme kind and every tab, in each collection.
void visitEverything(MainWidget &widget, const QList<QUuid> &collections)
{
    for (const QUuid &collection : collections) {
        widget.collectionChangedInteractively(collection);
        for (int segment = 1; segment <= 12; ++segment)
            widget.segmentChangedInteractivelyByWheel(segment);
        for (int mood = MoodFresh; mood <= MoodAll; ++mood)
            widget.moodFilterChangedInteractively(Mood(mood));
        for (const bool on : {true, false}) {
            widget.exteriorFilterChangedInteractively(on);
            widget.showMtoChangedInteractively(on);
        }
        widget.rollCards(Forward);
        widget.rollCards(Backward);
        widget.pageChangedInteractively(2);
        widget.rowChangedInteractively(2);
        widget.searchForPhrase(QStringLiteral("Sage"));
        widget.searchForPhrase(QStringLiteral("no such colour"));
        widget.searchForPhrase(QStringLiteral("rgb(160, 82, 45)"));
        for (const TabBarPage page :
             {PageOfProducts, PageOfVistara, PageOfTextures, PageOfColorSchemes}) {
            widget.tabPageSelected(page);
            widget.repaint();
        }
        for (int kind = SchemeHarmonic; kind <= SchemeNaturalNeutral; ++kind) {
            widget.schemeKindChangedInteractively(SchemeKind(kind));
            widget.schemeNeutralSubKindChangedInteractively(SchemeKind(kind));
            widget.repaint();
        }
    }
}

bool dropChip(MainWidget &widget, const QUuid &collection, const QPoint &cell)
{
    DB::ColorEntry entry;
    if (DB::rowAt(collection, 1, 1, entry) != 0)
        return false;
    const std::unique_ptr<QMimeData> mime =
        chipMimeData(chipPayload(ChipOrigin::CardRoller, collection, entry.id));
    widget.paletteModel()->setDropTarget(cell);
    widget.paletteModel()->drop(mime.get());
    return widget.paletteModel()->cell(cell).isFilled();
}

// A file dialog that answers the path, with the filter of its extension chosen.
MainWidget::FileDialog choosing(const QString &path)
{
    return [path](QWidget *, const QString &, const QString &, const QString &filters,
                  QString *selected) {
        const QString pattern = QStringLiteral("*.") + QFileInfo(path).suffix();
        for (const QString &filter : filters.split(QStringLiteral(";;"))) {
            if (filter.contains(pattern))
                *selected = filter;
        }
        return path;
    };
}

// The user asks for the colours of the other collections nearest to a chip and takes one.
bool jumpToSimilarColour(MainWidget &widget, const QUuid &collection)
{
    DB::ColorEntry chip;
    if (DB::rowAt(collection, 2, 1, chip) != 0)
        return false;
    SimilarColorsMenu menu(collection, chip);
    QObject::connect(&menu, &SimilarColorsMenu::similarColorChosen, &widget,
                     &MainWidget::capsureItemSelectedInteractively);
    if (menu.actions().isEmpty() || !menu.actions().first()->isEnabled())
        return false;
    menu.actions().first()->trigger();
    return Preferences::uuidOfLastUsedCollection() != collection;
}

// The Capsure device writes a measurement; the user takes the colour it offers.
bool importFromCapsure(MainWidget &widget, const QString &code)
{
    const QString file =
        Platform::commonAppDataFolder() + QStringLiteral("/Velmora/Capsure/Capsure.cxf");
    QDir().mkpath(QFileInfo(file).path());
    QFile device(file);
    if (!device.open(QIODevice::WriteOnly) || device.write(measurement(code)) < 0)
        return false;
    device.close();
    auto *selector = widget.findChild<CollectionSelectWidget *>();
    QSignalSpy chosen(selector, &CollectionSelectWidget::capsureItemSelectedInteractively);
    if (!QTest::qWaitFor([&] { return selector->capsureButton()->isVisible(); }))
        return false;
    QTimer::singleShot(0, selector, [selector] {
        if (auto *dialog = selector->findChild<CapsureSelectDialog *>())
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    QTest::mouseClick(selector->capsureButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    return chosen.count() == 1;
}

// The stand-in host runs the picker command of the real add-on and exports the palette.
bool exportThroughHost(const QString &folder)
{
    QProcess host;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HUEPORT_EXPORT"), QStringLiteral("materials"));
    host.setProcessEnvironment(environment);
    host.setWorkingDirectory(folder);
    host.start(QStringLiteral(HOST_PROGRAM),
               {QStringLiteral("--module"), QStringLiteral(ADDON_MODULE), QStringLiteral("--json"),
                QStringLiteral("picker")});
    if (!host.waitForFinished(60000)) {
        host.kill();
        return false;
    }
    return host.exitCode() == 0 && host.readAllStandardOutput().contains("\"material\"");
}

} // namespace

class TestNeverWrites : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FaultWorld> m_world;

private slots:
    void initTestCase()
    {
        m_world = std::make_unique<FaultWorld>();
        QVERIFY(m_world->isValid());
    }

    void collectionFilesUntouched_data()
    {
        QTest::addColumn<bool>("writeAheadLog");
        // In this order: the second session finds the files as the first one left them.
        QTest::newRow("rollback journal") << false;
        QTest::newRow("write-ahead log") << true;
    }

    void collectionFilesUntouched()
    {
        QFETCH(bool, writeAheadLog);
        FaultWorld &world = *m_world;
        FaultWorld::forgetConnections();
        if (writeAheadLog) {
            QVERIFY(useWriteAheadLog(world.demoFile()));
            QVERIFY(useWriteAheadLog(world.spareFile()));
        }
        const QString data = world.environment().dataFolder();
        const QStringList before = snapshot(data);
        QCOMPARE(before.filter(QStringLiteral(".db ")).size(), 2);
        QTemporaryDir work(world.environment().root() + QStringLiteral("/work-XXXXXX"));

        DemoWorld::clearPreferences();
        DemoWorld::makeCurrent(DemoWorld::mainCollection());
        {
            MainWidget widget;
            widget.show();
            visitEverything(widget, {DemoWorld::lustrelCollection(), FaultWorld::spareCollection(),
                                     DemoWorld::mainCollection()});
            QVERIFY(dropChip(widget, DemoWorld::mainCollection(), QPoint(0, 0)));
            QVERIFY(dropChip(widget, DemoWorld::lustrelCollection(), QPoint(1, 0)));
            widget.zoomMyPaletteClicked();
            widget.unzoomMyPaletteClicked();

            const QString palette = work.filePath(QStringLiteral("hall.palette"));
            widget.setFileDialogs(choosing(palette), choosing(palette));
            widget.saveButtonClicked();
            const QStringList others{QStringLiteral("txt"), QStringLiteral("gpl"),
                                     QStringLiteral("ase"), QStringLiteral("css"),
                                     QStringLiteral("csv")};
            for (const QString &suffix : others) {
                const QString path = work.filePath(QStringLiteral("hall.") + suffix);
                widget.setFileDialogs(choosing(path), {});
                widget.saveButtonClicked();
                QVERIFY2(QFileInfo(path).size() > 0, qPrintable(path));
            }
            widget.paletteModel()->clear();
            widget.setFileDialogs({}, choosing(palette));
            widget.loadButtonClicked();
            QVERIFY(widget.paletteModel()->cell(QPoint(1, 0)).isFilled());
            QVERIFY(jumpToSimilarColour(widget, DemoWorld::mainCollection()));

            DB::ColorEntry measured;
            QCOMPARE(DB::rowAt(DemoWorld::mainCollection(), 3, 1, measured), 0);
            QVERIFY(importFromCapsure(widget, measured.code));
            widget.grab();
        }
        QVERIFY(exportThroughHost(work.path()));

        QCOMPARE(snapshot(data).join(QLatin1Char('\n')), before.join(QLatin1Char('\n')));
    }
};

FAULTS_TEST_MAIN(TestNeverWrites)
#include "tst_neverwrites.moc"
