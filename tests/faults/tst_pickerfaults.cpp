// The real picker window under faults of its surroundings: collection files that change
// or vanish under it, folders it may not read, palette saves that cannot complete,
// preferences it cannot use, a measurement file being written, broken theme pictures.
// Each time the window goes on with what it can read, tells the user nothing false and
// loses nothing.

#include "faultworld.h"
#include "unprivilegedrun.h"

#include "engine/db/collectioncatalogue.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/mypalettemodel.h"
#include "engine/settings/preferences.h"
#include "platform/platform.h"
#include "tools/tintwell/demo/demodeck.h"
#include "tools/tintwell/model/deckwriter.h"
#include "tools/tintwell/model/presentationkeys.h"
#include "ui/collectionselectwidget.h"
#include "ui/imagebutton.h"
#include "ui/mainwidget.h"
#include "ui/themeimage.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTimer>

#include <memory>
#include <signal.h>
#include <sys/resource.h>

using namespace Corvo;

namespace {

enum class CollectionFault { Deleted, Emptied, Halved, ReplacedByRename, OverwrittenByAnother };
enum class SaveFault { None, DiskFull, FolderReadOnly, TargetIsFolder };
enum class PreferencesFault { Corrupt, ReadOnly, Folder, FolderReadOnly };

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

bool setMode(const QString &path, QFile::Permissions permissions)
{
    return QFile::setPermissions(path, permissions);
}

const QFile::Permissions kNoAccess;
const QFile::Permissions kReadOnlyFile = QFile::ReadOwner;
const QFile::Permissions kReadOnlyFolder = QFile::ReadOwner | QFile::ExeOwner;
const QFile::Permissions kOwnerFile = QFile::ReadOwner | QFile::WriteOwner;
const QFile::Permissions kOwnerFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

// Any dialog on screen: a fault must not bring up a message the user has to answer.
int shownDialogs()
{
    int shown = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        shown += window->isVisible() && qobject_cast<QDialog *>(window) != nullptr;
    return shown;
}

QMessageBox *shownWarning()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(window);
        if (box && box->isVisible() && box->icon() == QMessageBox::Warning)
            return box;
    }
    return nullptr;
}

// What a user does in the window: every view asked for something once. The filters it
// leaves may hold a single card.
void useEveryView(MainWidget &widget)
{
    widget.rollCards(Forward);
    widget.rollCards(Backward);
    widget.searchForPhrase(QStringLiteral("Sage"));
    widget.segmentChangedInteractivelyByWheel(5);
    widget.moodFilterChangedInteractively(MoodWarm);
    widget.exteriorFilterChangedInteractively(true);
    widget.showMtoChangedInteractively(true);
    widget.pageChangedInteractively(2);
    widget.rowChangedInteractively(1);
    for (const TabBarPage page :
         {PageOfProducts, PageOfVistara, PageOfTextures, PageOfColorSchemes})
        widget.tabPageSelected(page);
    widget.schemeKindChangedInteractively(SchemeContrast);
    widget.schemeNeutralSubKindChangedInteractively(SchemeTonalNeutral);
    widget.repaint();
}

// True when a roll in the collection shown moves to another card: the window still works.
bool rollMoves(MainWidget &widget, const QUuid &collection)
{
    const int before = Preferences::pageIndex(collection);
    widget.rollCards(Forward);
    return Preferences::pageIndex(collection) != before;
}

void damage(CollectionFault fault, const QString &path, const QString &other)
{
    QFile file(path);
    switch (fault) {
    case CollectionFault::Deleted:
        QFile::remove(path);
        break;
    case CollectionFault::Emptied:
        file.resize(0);
        break;
    case CollectionFault::Halved:
        file.resize(file.size() / 2);
        break;
    case CollectionFault::ReplacedByRename: {
        QSaveFile replacement(path);
        const QByteArray bytes = contents(other);
        if (replacement.open(QIODevice::WriteOnly))
            replacement.write(bytes);
        replacement.commit();
        break;
    }
    case CollectionFault::OverwrittenByAnother:
        writeFile(path, contents(other));
        break;
    }
}

// The fixed bytes of an eight-by-eight PNG, for pictures that are broken on purpose.
QByteArray smallPng()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffffu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray bigEndian(quint32 value)
{
    const char bytes[] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    return QByteArray(bytes, sizeof bytes);
}

// A well-formed PNG header announcing a picture of 100000 x 100000 pixels, without the
// pixels: decoding it would need tens of gigabytes.
QByteArray hugeHeaderPng()
{
    const QByteArray header =
        "IHDR" + bigEndian(100000) + bigEndian(100000) + QByteArray("\x08\x06\x00\x00\x00", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + bigEndian(13) + header + bigEndian(crc32(header));
}

QByteArray bogusBytes()
{
    return QByteArray("not a picture at all \x00\xff", 24).repeated(40);
}

// The demo deck with every picture broken, each collection in its own way.
Tintwell::DeckModel deckWithBrokenImages()
{
    Tintwell::DeckModel deck = Tintwell::DemoDeck::build();
    const QStringList colours = Tintwell::PresentationKeys::themeColours();
    const QList<QByteArray> themes{bogusBytes(), hugeHeaderPng()};
    for (qsizetype i = 0; i < deck.collections.size(); ++i) {
        Tintwell::CollectionModel &collection = deck.collections[i];
        for (Tintwell::ThemeItemModel &item : collection.theme) {
            if (!colours.contains(item.first))
                item.second = themes.at(i % themes.size());
        }
        for (Tintwell::TextureModel &texture : collection.textures)
            texture.image = smallPng().left(40);
    }
    return deck;
}

// Stands in for a full disk: files of this process may not grow past a few bytes, and the
// signal that would end the process is ignored, so writes fail with an error instead.
class DiskFull
{
public:
    DiskFull()
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_saved;
        small.rlim_cur = kBytesLeft;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~DiskFull()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        signal(SIGXFSZ, m_savedHandler);
    }
    DiskFull(const DiskFull &) = delete;
    DiskFull &operator=(const DiskFull &) = delete;

private:
    static constexpr rlim_t kBytesLeft = 16;
    rlimit m_saved{};
    sighandler_t m_savedHandler = SIG_DFL;
};

QString preferencesFile(const TestEnvironment &environment)
{
    return environment.configFolder() + QStringLiteral("/") +
           QString::fromLatin1(Preferences::kOrganisation) + QStringLiteral("/") +
           QString::fromLatin1(Preferences::kApplication) + QStringLiteral(".ini");
}

QString capsureFile()
{
    return Platform::commonAppDataFolder() + QStringLiteral("/Velmora/Capsure/Capsure.cxf");
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

} // namespace

Q_DECLARE_METATYPE(CollectionFault)
Q_DECLARE_METATYPE(SaveFault)
Q_DECLARE_METATYPE(PreferencesFault)

class TestPickerFaults : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FaultWorld> m_world;

    std::unique_ptr<MainWidget> openPicker(const QUuid &collection)
    {
        DemoWorld::makeCurrent(collection);
        auto widget = std::make_unique<MainWidget>();
        widget->show();
        return widget;
    }

    // Two chips of the main collection in the palette, the second one only when asked.
    static bool fillPalette(MainWidget &widget, int chips)
    {
        for (int row = 1; row <= chips; ++row) {
            DB::ColorEntry entry;
            if (DB::rowAt(DemoWorld::mainCollection(), 1, row, entry) != 0)
                return false;
            widget.paletteModel()->setDropTarget(QPoint(row, 0));
            if (!widget.paletteModel()->dropChip(DemoWorld::mainCollection(), entry))
                return false;
        }
        return true;
    }

    static void saveTo(MainWidget &widget, const QString &path)
    {
        widget.setFileDialogs([&](QWidget *, const QString &, const QString &, const QString &,
                                  QString *) { return path; },
                              {});
        widget.saveButtonClicked();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(geteuid() != 0, "permission faults need a process without root");
        m_world = std::make_unique<FaultWorld>();
        QVERIFY(m_world->isValid());
    }

    void init() { QVERIFY(m_world->restore()); }

    void cleanup()
    {
        const QString resources = m_world->environment().resourcesFolder();
        setMode(resources, kOwnerFolder);
        setMode(m_world->demoFile(), kOwnerFile);
        QFile::remove(resources + QStringLiteral("/velmora-broken.db"));
        QDir(QFileInfo(capsureFile()).path()).removeRecursively();
        const QString preferences = preferencesFile(m_world->environment());
        setMode(QFileInfo(preferences).path(), kOwnerFolder);
        if (QFileInfo(preferences).isDir())
            QDir(preferences).removeRecursively();
        setMode(preferences, kOwnerFile);
    }

    void collectionFileChangesUnderTheWindow_data()
    {
        QTest::addColumn<CollectionFault>("fault");
        QTest::addColumn<bool>("stillRolls");
        // An open file lives on until its last reader lets go, whatever its name now holds;
        // another collection written into it is read as what it now holds.
        QTest::newRow("deleted") << CollectionFault::Deleted << true;
        QTest::newRow("emptied") << CollectionFault::Emptied << false;
        QTest::newRow("cut in half") << CollectionFault::Halved << false;
        QTest::newRow("replaced by rename") << CollectionFault::ReplacedByRename << true;
        QTest::newRow("overwritten by another collection")
            << CollectionFault::OverwrittenByAnother << true;
    }

    void collectionFileChangesUnderTheWindow()
    {
        QFETCH(CollectionFault, fault);
        QFETCH(bool, stillRolls);
        auto widget = openPicker(DemoWorld::mainCollection());
        QVERIFY(rollMoves(*widget, DemoWorld::mainCollection()));
        damage(fault, m_world->demoFile(), m_world->spareFile());
        const QByteArray damaged = contents(m_world->demoFile());

        useEveryView(*widget);
        QCOMPARE(rollMoves(*widget, DemoWorld::mainCollection()), stillRolls);
        widget->collectionChangedInteractively(DemoWorld::lustrelCollection());
        widget->rollCards(Forward);
        widget->collectionChangedInteractively(FaultWorld::spareCollection());
        QCOMPARE(Preferences::uuidOfLastUsedCollection(), FaultWorld::spareCollection());
        QVERIFY(rollMoves(*widget, FaultWorld::spareCollection()));

        QVERIFY(widget->isEnabled());
        QCOMPARE(shownDialogs(), 0);
        QCOMPARE(contents(m_world->demoFile()), damaged);
    }

    void unreadableData_data()
    {
        QTest::addColumn<bool>("wholeFolder");
        QTest::addColumn<bool>("whileOpen");
        QTest::newRow("folder, before the window opens") << true << false;
        QTest::newRow("folder, while the window is open") << true << true;
        QTest::newRow("demo file, before the window opens") << false << false;
        QTest::newRow("demo file, while the window is open") << false << true;
    }

    // An unreadable demo file leaves the spare collection; an unreadable folder leaves the
    // window with nothing to show, but still a window.
    void unreadableData()
    {
        QFETCH(bool, wholeFolder);
        QFETCH(bool, whileOpen);
        const QString target =
            wholeFolder ? m_world->environment().resourcesFolder() : m_world->demoFile();
        std::unique_ptr<MainWidget> widget;
        if (whileOpen)
            widget = openPicker(DemoWorld::mainCollection());
        QVERIFY(setMode(target, kNoAccess));
        if (!whileOpen) {
            FaultWorld::forgetConnections();
            widget = openPicker(DemoWorld::mainCollection());
            const QList<QUuid> offered = DB::orderedCollections();
            QCOMPARE(offered,
                     wholeFolder ? QList<QUuid>() : QList<QUuid>{FaultWorld::spareCollection()});
            if (!wholeFolder)
                QCOMPARE(Preferences::uuidOfLastUsedCollection(), FaultWorld::spareCollection());
        }
        useEveryView(*widget);
        widget->collectionChangedInteractively(FaultWorld::spareCollection());
        QCOMPARE(rollMoves(*widget, FaultWorld::spareCollection()), !wholeFolder || whileOpen);
        widget->collectionChangedInteractively(DemoWorld::lustrelCollection());
        useEveryView(*widget);
        QVERIFY(widget->isEnabled());
        QCOMPARE(shownDialogs(), 0);
    }

    void paletteSave_data()
    {
        QTest::addColumn<SaveFault>("fault");
        QTest::newRow("no fault") << SaveFault::None;
        QTest::newRow("disk full") << SaveFault::DiskFull;
        QTest::newRow("folder read-only") << SaveFault::FolderReadOnly;
        QTest::newRow("target is a folder") << SaveFault::TargetIsFolder;
    }

    // A save that cannot complete keeps the previous file byte for byte, leaves nothing
    // beside it and says so; a save that completes says nothing.
    void paletteSave()
    {
        QFETCH(SaveFault, fault);
        QTemporaryDir folder(m_world->environment().root() + QStringLiteral("/save-XXXXXX"));
        const QString path = folder.filePath(QStringLiteral("hall.palette"));
        auto widget = openPicker(DemoWorld::mainCollection());
        QVERIFY(fillPalette(*widget, 1));
        if (fault == SaveFault::TargetIsFolder)
            QVERIFY(QDir().mkpath(path));
        else
            saveTo(*widget, path);
        QCOMPARE(shownDialogs(), 0);
        const QByteArray previous = contents(path);
        QVERIFY(fillPalette(*widget, 2));

        if (fault == SaveFault::FolderReadOnly)
            QVERIFY(setMode(folder.path(), kReadOnlyFolder));
        {
            std::unique_ptr<DiskFull> full;
            if (fault == SaveFault::DiskFull)
                full = std::make_unique<DiskFull>();
            saveTo(*widget, path);
        }
        setMode(folder.path(), kOwnerFolder);

        QCOMPARE(
            QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{QStringLiteral("hall.palette")});
        if (fault == SaveFault::None) {
            QVERIFY(contents(path) != previous);
            QCOMPARE(shownDialogs(), 0);
            return;
        }
        QCOMPARE(contents(path), previous);
        QMessageBox *warning = shownWarning();
        QVERIFY(warning);
        QVERIFY(warning->text().contains(QStringLiteral("hall.palette")));
        warning->accept();
        QCOMPARE(shownDialogs(), 0);
    }

    void preferencesUnusable_data()
    {
        QTest::addColumn<PreferencesFault>("fault");
        QTest::newRow("corrupt") << PreferencesFault::Corrupt;
        QTest::newRow("read-only") << PreferencesFault::ReadOnly;
        QTest::newRow("a folder") << PreferencesFault::Folder;
        QTest::newRow("its folder read-only") << PreferencesFault::FolderReadOnly;
    }

    // The window opens on what it can read and works for this session; whatever stands
    // where the preferences belong is left as it is.
    void preferencesUnusable()
    {
        QFETCH(PreferencesFault, fault);
        const QString file = preferencesFile(m_world->environment());
        const QString folder = QFileInfo(file).path();
        // What an earlier session left: the Lustrel collection on its third card.
        Preferences::setUuidOfLastUsedCollection(DemoWorld::lustrelCollection());
        Preferences::setPageIndex(DemoWorld::lustrelCollection(), 3);
        switch (fault) {
        case PreferencesFault::Corrupt:
            QVERIFY(
                writeFile(file, QByteArray("\x00\xff[Gen\neral\n=\x01%%\\\n[", 20).repeated(50)));
            break;
        case PreferencesFault::ReadOnly:
            QVERIFY(setMode(file, kReadOnlyFile));
            break;
        case PreferencesFault::Folder:
            QVERIFY(QFile::remove(file));
            QVERIFY(QDir().mkpath(file + QStringLiteral("/inside")));
            break;
        case PreferencesFault::FolderReadOnly:
            QVERIFY(setMode(folder, kReadOnlyFolder));
            break;
        }
        const QByteArray before = contents(file);
        Preferences::forgetCachedLastUsedCollection();

        auto widget = std::make_unique<MainWidget>();
        widget->show();
        const QUuid shown = Preferences::uuidOfLastUsedCollection();
        QVERIFY(DB::orderedCollections().contains(shown));
        if (fault == PreferencesFault::ReadOnly || fault == PreferencesFault::FolderReadOnly)
            QCOMPARE(shown, DemoWorld::lustrelCollection());
        QVERIFY(rollMoves(*widget, shown));
        useEveryView(*widget);
        QVERIFY(fillPalette(*widget, 2));
        QCOMPARE(widget->paletteModel()->isEmpty(), false);
        widget->collectionChangedInteractively(FaultWorld::spareCollection());
        QCOMPARE(Preferences::uuidOfLastUsedCollection(), FaultWorld::spareCollection());
        QVERIFY(rollMoves(*widget, FaultWorld::spareCollection()));
        QVERIFY(widget->isEnabled());
        QCOMPARE(shownDialogs(), 0);
        widget.reset();

        if (fault == PreferencesFault::Folder)
            QVERIFY(QFileInfo(file).isDir());
        else if (fault != PreferencesFault::Corrupt)
            QCOMPARE(contents(file), before);
    }

    void capsureFileBeingWritten_data()
    {
        QTest::addColumn<int>("writtenPercent");
        QTest::addColumn<bool>("readable");
        QTest::newRow("just created") << 0 << true;
        QTest::newRow("header written") << 10 << true;
        QTest::newRow("half written") << 50 << true;
        QTest::newRow("all but the end") << 97 << true;
        QTest::newRow("written, not yet readable") << 100 << false;
    }

    // Until the file is complete and readable the button offers nothing and asks nothing;
    // then it offers the measured colour. The file is never changed.
    void capsureFileBeingWritten()
    {
        QFETCH(int, writtenPercent);
        QFETCH(bool, readable);
        DB::ColorEntry chip;
        QCOMPARE(DB::rowAt(DemoWorld::mainCollection(), 1, 1, chip), 0);
        const QByteArray whole = measurement(chip.code);
        QVERIFY(QDir().mkpath(QFileInfo(capsureFile()).path()));
        auto widget = openPicker(DemoWorld::mainCollection());
        auto *selector = widget->findChild<CollectionSelectWidget *>();
        QSignalSpy chosen(selector, &CollectionSelectWidget::capsureItemSelectedInteractively);

        const QByteArray written = whole.left(whole.size() * writtenPercent / 100);
        QVERIFY(writeFile(capsureFile(), written));
        if (!readable)
            QVERIFY(setMode(capsureFile(), kNoAccess));
        QTest::qWait(50);
        if (selector->capsureButton()->isVisible())
            QTest::mouseClick(selector->capsureButton(), Qt::LeftButton);
        QCOMPARE(shownDialogs(), 0);
        QCOMPARE(chosen.count(), 0);
        QCOMPARE(selector->capsureButton()->isVisible(), readable);

        QVERIFY(setMode(capsureFile(), kOwnerFile));
        QVERIFY(writeFile(capsureFile(), whole));
        QTRY_VERIFY(selector->capsureButton()->isVisible());
        bool offered = false;
        QTimer::singleShot(0, selector, [&] {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                auto *dialog = qobject_cast<QDialog *>(window);
                if (dialog && dialog->isVisible()) {
                    offered = true;
                    dialog->reject();
                }
            }
        });
        QTest::mouseClick(selector->capsureButton(), Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(offered);
        QCOMPARE(contents(capsureFile()), whole);
    }

    // The main collection's theme pictures are bogus bytes, the Lustrel collection's
    // announce a huge picture, every texture is cut off: the window draws without them
    // and works.
    void brokenPictures()
    {
        // Sorted before the demo file, so its collections are the ones the picker finds.
        const QString path =
            m_world->environment().collectionFile(QStringLiteral("velmora-broken.db"));
        Tintwell::DeckWriter writer;
        QVERIFY(writer.write(deckWithBrokenImages(), path));
        FaultWorld::forgetConnections();
        auto widget = openPicker(DemoWorld::mainCollection());
        for (const QUuid &collection :
             {DemoWorld::mainCollection(), DemoWorld::lustrelCollection()}) {
            widget->collectionChangedInteractively(collection);
            for (const Tintwell::PresentationKeys::ThemeImage &image :
                 Tintwell::PresentationKeys::themeImages())
                QVERIFY2(themeImage(collection, image.key).isNull(), qPrintable(image.key));
            QVERIFY(rollMoves(*widget, collection));
            useEveryView(*widget);
        }
        widget->zoomMyPaletteClicked();
        widget->grab();
        QVERIFY(widget->isEnabled());
        QCOMPARE(shownDialogs(), 0);
    }
};

FAULTS_TEST_MAIN(TestPickerFaults)
#include "tst_pickerfaults.moc"
