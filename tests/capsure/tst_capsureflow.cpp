#include "fixturefiles.h"
#include "tests/ui/demoworld.h"

#include "engine/capsure/capsureimport.h"
#include "engine/capsure/capsurewatch.h"
#include "engine/capsure/cxf3reader.h"
#include "engine/colour/colorscience.h"
#include "engine/db/capsurequeries.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/settings/preferences.h"
#include "platform/platform.h"
#include "ui/capsureselectdialog.h"
#include "ui/capsureselectlayout.h"
#include "ui/collectionselectwidget.h"
#include "ui/imagebutton.h"
#include "ui/taskbutton.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QSaveFile>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <unistd.h>

using Corvo::CapsureCandidate;
using Corvo::CapsureSelectDialog;
using Corvo::CapsureWatch;
using Corvo::CollectionSelectWidget;

namespace {

const QUuid kNoCapsure(QStringLiteral("{ca95e0f1-0000-4000-8000-000000000001}"));
const QUuid kSubFolder(QStringLiteral("{ca95e0f1-0000-4000-8000-000000000002}"));
const QUuid kLateFolder(QStringLiteral("{ca95e0f1-0000-4000-8000-000000000003}"));

// The deck's own settings: the folder under the common application-data folder.
QString demoFolder()
{
    return Corvo::Platform::commonAppDataFolder() + QStringLiteral("/Velmora/Capsure");
}

QString demoFile()
{
    return demoFolder() + QStringLiteral("/Capsure.cxf");
}

bool writeFixture(const QString &path)
{
    const auto setting = [](Tintwell::CollectionFileWriter &w, qint64 id, const char *name,
                            const char *value) {
        return w.addSetting(id, QString::fromLatin1(name), QString::fromLatin1(value));
    };
    return FixtureFiles::writeCollectionFile(
        path,
        {FixtureFiles::collection(71, kNoCapsure.toString(), QStringLiteral("CAPOFF"), 71),
         FixtureFiles::collection(72, kSubFolder.toString(), QStringLiteral("CAPSUB"), 72),
         FixtureFiles::collection(73, kLateFolder.toString(), QStringLiteral("CAPLATE"), 73)},
        false, [&](Tintwell::CollectionFileWriter &w) {
            return setting(w, 71, "capsure.folder.to.watch.windows",
                           "%PROGRAMDATA%/Velmora/Capsure") &&
                   setting(w, 71, "capsure.filename.to.watch", "Capsure.cxf") &&
                   setting(w, 72, "capsure.enabled", "1") &&
                   setting(w, 72, "capsure.folder.to.watch.windows", "%programdata%\\sub") &&
                   setting(w, 72, "capsure.filename.to.watch", "m.cxf") &&
                   setting(w, 73, "capsure.enabled", "1") &&
                   setting(w, 73, "capsure.folder.to.watch.windows",
                           "%PROGRAMDATA%/Later/Device") &&
                   setting(w, 73, "capsure.filename.to.watch", "late.cxf");
        });
}

// The measuring conditions (D65, 2°) the measurements below may name.
const QByteArray kD65Conditions =
    "<cc:ColorSpecificationCollection><cc:ColorSpecification Id=\"CS65\"><cc:TristimulusSpec>"
    "<cc:Illuminant>D65</cc:Illuminant><cc:Observer>2_Degree</cc:Observer>"
    "</cc:TristimulusSpec></cc:ColorSpecification></cc:ColorSpecificationCollection>";

// An object with a name (none when empty) and colour values (none when empty).
QByteArray object(const QString &name, const QByteArray &values = {})
{
    const QByteArray named = name.isEmpty() ? QByteArray() : " Name=\"" + name.toUtf8() + "\"";
    return "<cc:Object ObjectType=\"Target\"" + named + " Id=\"1\"><cc:ColorValues>" + values +
           "</cc:ColorValues></cc:Object>\n";
}

QByteArray document(const QByteArray &objects)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<cc:CxF xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\">\n"
           "<cc:Resources><cc:ObjectCollection>\n" +
           objects + "</cc:ObjectCollection>" + kD65Conditions + "</cc:Resources>\n</cc:CxF>\n";
}

// A measurement as the device writes it, naming the colours.
QByteArray measurement(const QStringList &names)
{
    QByteArray objects;
    for (const QString &name : names)
        objects += object(name);
    return document(objects);
}

QByteArray number(double value)
{
    return QByteArray::number(value, 'g', 12);
}

QByteArray labValues(const Corvo::Lab &lab, const QByteArray &conditionsId = {})
{
    const QByteArray reference =
        conditionsId.isEmpty() ? QByteArray() : " ColorSpecification=\"" + conditionsId + "\"";
    return "<cc:ColorCIELab" + reference + "><cc:L>" + number(lab.l) + "</cc:L><cc:A>" +
           number(lab.a) + "</cc:A><cc:B>" + number(lab.b) + "</cc:B></cc:ColorCIELab>";
}

QByteArray rgbValues(const Corvo::DB::ColorEntry &chip)
{
    return "<cc:ColorSRGB><cc:R>" + number(chip.red) + "</cc:R><cc:G>" + number(chip.green) +
           "</cc:G><cc:B>" + number(chip.blue) + "</cc:B></cc:ColorSRGB>";
}

Corvo::Lab storedLab(const Corvo::DB::ColorEntry &chip)
{
    return {chip.l, chip.a, chip.b};
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

bool appendFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::Append) && file.write(bytes) == bytes.size();
}

// A device that writes a new file and renames it over the old one.
bool replaceFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// The first chips of the collection's cards, in deck order.
QList<Corvo::DB::ColorEntry> demoChips(const QUuid &collection, int count)
{
    QList<Corvo::DB::ColorEntry> chips;
    for (int index = 1; chips.size() < count && index < 100; ++index) {
        Corvo::DB::ColorPage page;
        if (Corvo::DB::pageAt(collection, index, page) != Corvo::DB::Ok)
            continue;
        for (const Corvo::DB::ColorEntry &entry : page.rows) {
            if (chips.size() < count && !entry.code.isEmpty())
                chips.append(entry);
        }
    }
    return chips;
}

QStringList codesOf(const QList<Corvo::DB::ColorEntry> &chips)
{
    QStringList codes;
    for (const Corvo::DB::ColorEntry &chip : chips)
        codes.append(chip.code);
    return codes;
}

QStringList codesOf(const QList<CapsureCandidate> &candidates)
{
    QStringList codes;
    for (const CapsureCandidate &candidate : candidates)
        codes.append(candidate.entry.code);
    return codes;
}

QStringList keysOf(const QList<CapsureCandidate> &candidates)
{
    QStringList keys;
    for (const CapsureCandidate &candidate : candidates)
        keys.append(QString::number(candidate.entry.id) + QLatin1Char('@') +
                    QString::number(candidate.entry.collectionId));
    return keys;
}

// The import as it was before all names were looked up at once: capsureMatches name by
// name, each chip filed once under its collection, the collections in priority order.
QStringList oneLookUpPerName(const QStringList &names)
{
    QList<qint64> priorities;
    if (Corvo::DB::capsureCollectionIds(priorities) != Corvo::DB::Ok)
        return {QStringLiteral("failed")};
    QHash<qint64, QList<qint64>> filed;
    for (const QString &name : names) {
        QList<Corvo::DB::ColorEntry> matches;
        if (Corvo::DB::capsureMatches(name, matches) != Corvo::DB::Ok)
            return {QStringLiteral("failed")};
        for (const Corvo::DB::ColorEntry &entry : matches) {
            QList<qint64> &rows = filed[entry.collectionId];
            if (!rows.contains(entry.id))
                rows.append(entry.id);
        }
    }
    QStringList keys;
    for (const qint64 collection : priorities) {
        for (const qint64 row : filed.value(collection))
            keys.append(QString::number(row) + QLatin1Char('@') + QString::number(collection));
    }
    return keys;
}

// The picker's part of the flow: the watch feeding the selector, both in a shown window.
struct Picker
{
    QWidget window;
    CollectionSelectWidget *selector;
    CapsureWatch watch;
    QSignalSpy reports{&watch, &CapsureWatch::onCapsureFileChanged};

    Picker()
    {
        window.resize(800, 600);
        selector = new CollectionSelectWidget(&window);
        selector->move(0, 71);
        QObject::connect(&watch, &CapsureWatch::onCapsureFileChanged, selector,
                         &CollectionSelectWidget::capsureFileChanged);
        window.show();
    }

    Corvo::ImageButton *button() const { return selector->capsureButton(); }
    bool buttonShown() const { return button()->isVisible(); }

    // Clicks the Capsure button; `act` runs on the dialog from inside its event loop. True
    // when a dialog was shown.
    bool clickButton(const std::function<void(CapsureSelectDialog &)> &act)
    {
        bool shown = false;
        QTimer::singleShot(0, selector, [&] {
            auto *dialog = selector->findChild<CapsureSelectDialog *>();
            if (dialog && dialog->isVisible()) {
                shown = true;
                act(*dialog);
            }
        });
        QTest::mouseClick(button(), Qt::LeftButton);
        // Without a dialog the check above runs here.
        QCoreApplication::processEvents();
        return shown;
    }
};

void accept(CapsureSelectDialog &dialog)
{
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
}

void reject(CapsureSelectDialog &dialog)
{
    dialog.reject();
}

} // namespace

class TestCapsureFlow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void resolvesTheFolderSetting_data();
    void resolvesTheFolderSetting();
    void armsOnTheCollectionsSettings_data();
    void armsOnTheCollectionsSettings();
    void deviceWritesRewritesAndDeletes();
    void halfWrittenFileRestsUntilTheNextWrite();
    void folderCreatedAfterArming();
    void collectionWithoutCapsureHidesTheButton();
    void importOrdersCollectionsByPriority();
    void oneCollectionGivesBareCodes();
    void sameColourNamedTwiceIsListedOnce();
    void candidatesAsOneLookUpPerName_data();
    void candidatesAsOneLookUpPerName();
    void filesWithoutCandidates_data();
    void filesWithoutCandidates();
    void fileIsNeverWritten();
    void dialogPreviewAndOk();
    void dialogAcceptGivesTheEntry();
    void dialogWithoutCandidates();
    void dialogWidth_data();
    void dialogWidth();
    void dialogFitsItsLongestEntry();
    void dialogShowsDifferences_data();
    void dialogShowsDifferences();
    void nearestChipsWhenNoNameMatches_data();
    void nearestChipsWhenNoNameMatches();
    void cancellingChangesNothing();

private:
    std::unique_ptr<DemoWorld> m_world;
};

void TestCapsureFlow::initTestCase()
{
    m_world = std::make_unique<DemoWorld>();
    QVERIFY(m_world->isValid());
    QVERIFY(writeFixture(m_world->environment().collectionFile(QStringLiteral("capsure.db"))));
    TestEnvironment::resetCatalogue();
}

void TestCapsureFlow::init()
{
    DemoWorld::clearPreferences();
    DemoWorld::makeCurrent(DemoWorld::mainCollection());
    QVERIFY(QDir().mkpath(demoFolder()));
}

void TestCapsureFlow::cleanup()
{
    QDir(demoFolder()).removeRecursively();
    QDir(Corvo::Platform::commonAppDataFolder() + QStringLiteral("/Later")).removeRecursively();
}

void TestCapsureFlow::resolvesTheFolderSetting_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("folder");
    QTest::newRow("token in capitals") << "%PROGRAMDATA%/Velmora/Capsure"
                                       << "/common/Velmora/Capsure";
    QTest::newRow("token in lower case, backslashes") << "%programdata%\\sub"
                                                      << "/common/sub";
    QTest::newRow("token in mixed case") << "%ProgramData%\\a\\b\\"
                                         << "/common/a/b/";
    QTest::newRow("no token") << "/srv/capsure"
                              << "/srv/capsure";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCapsureFlow::resolvesTheFolderSetting()
{
    QFETCH(QString, setting);
    QTEST(Corvo::resolvedCapsureFolder(setting, QStringLiteral("/common")), "folder");
}

void TestCapsureFlow::armsOnTheCollectionsSettings_data()
{
    const QString common = Corvo::Platform::commonAppDataFolder();
    QTest::addColumn<QUuid>("collection");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("file");
    QTest::newRow("demo deck") << DemoWorld::mainCollection() << demoFolder() << demoFile();
    QTest::newRow("lower-case token and a sub-folder")
        << kSubFolder << common + "/sub" << common + "/sub/m.cxf";
    QTest::newRow("Capsure off") << kNoCapsure << QString() << QString();
    QTest::newRow("unknown collection") << QUuid::createUuid() << QString() << QString();
}

void TestCapsureFlow::armsOnTheCollectionsSettings()
{
    QFETCH(QUuid, collection);
    QFETCH(QString, file);
    CapsureWatch watch;
    QSignalSpy reports(&watch, &CapsureWatch::onCapsureFileChanged);
    watch.arm(collection);
    QTEST(watch.folder(), "folder");
    QCOMPARE(watch.filePath(), file);
    QCOMPARE(reports.count(), 1);
    QCOMPARE(reports.at(0).at(0).toString(), file);
}

void TestCapsureFlow::deviceWritesRewritesAndDeletes()
{
    const QList<Corvo::DB::ColorEntry> chips = demoChips(DemoWorld::mainCollection(), 2);
    QCOMPARE(chips.size(), 2);
    Picker picker;
    picker.watch.arm(DemoWorld::mainCollection());
    QCOMPARE(picker.watch.watchedPaths(), QStringList{demoFolder()});
    QVERIFY(!picker.buttonShown());

    QVERIFY(writeFile(demoFile(), measurement({chips.at(0).code})));
    QTRY_VERIFY(picker.buttonShown());
    QVERIFY(picker.button()->isPulsing());
    QCOMPARE(picker.selector->pendingCapsureFile(), demoFile());
    QTRY_VERIFY(picker.watch.watchedPaths().contains(demoFile()));
    QCOMPARE(picker.selector->selectorLayout().capsureRect(), QRect(214, 5, 20, 20));
    QCOMPARE(picker.button()->geometry(), QRect(214, 5, 20, 20));

    // Looked at, it stops pulsing; a new measurement draws the eye again.
    QVERIFY(picker.clickButton(reject));
    QVERIFY(!picker.button()->isPulsing());
    QVERIFY(replaceFile(demoFile(), measurement({chips.at(1).code})));
    QTRY_VERIFY(picker.button()->isPulsing());
    QTRY_VERIFY(picker.watch.watchedPaths().contains(demoFile()));
    for (const QList<QVariant> &report : picker.reports)
        QCOMPARE(report.at(0).toString(), demoFile());

    QVERIFY(QFile::remove(demoFile()));
    QTRY_VERIFY(!picker.buttonShown());
    QVERIFY(!picker.button()->isPulsing());
    QCOMPARE(picker.selector->selectorLayout().capsureRect(), QRect());

    QVERIFY(writeFile(demoFile(), measurement({chips.at(0).code})));
    QTRY_VERIFY(picker.buttonShown());
    QVERIFY(picker.button()->isPulsing());
}

void TestCapsureFlow::halfWrittenFileRestsUntilTheNextWrite()
{
    const QList<Corvo::DB::ColorEntry> chips = demoChips(DemoWorld::mainCollection(), 1);
    QCOMPARE(chips.size(), 1);
    const QByteArray whole = measurement({chips.at(0).code});
    const qsizetype half = whole.size() / 2;
    Picker picker;
    QSignalSpy chosen(picker.selector, &CollectionSelectWidget::capsureItemSelectedInteractively);
    picker.watch.arm(DemoWorld::mainCollection());
    QVERIFY(writeFile(demoFile(), whole.left(half)));
    QTRY_VERIFY(picker.buttonShown());

    // A click that reads no measurement ends the pulse, so the button no longer promises
    // what it cannot give; the device's next write starts it again.
    QVERIFY(!picker.clickButton(accept));
    QVERIFY(!picker.button()->isPulsing());
    QVERIFY(picker.buttonShown());

    const qsizetype reported = picker.reports.count();
    QVERIFY(appendFile(demoFile(), whole.mid(half)));
    QTRY_VERIFY(picker.reports.count() > reported);
    QVERIFY(picker.button()->isPulsing());
    QVERIFY(picker.clickButton(accept));
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toUuid(), DemoWorld::mainCollection());
    const auto entry = chosen.at(0).at(1).value<Corvo::DB::ColorEntry>();
    QCOMPARE(entry.id, chips.at(0).id);
    QCOMPARE(entry.pageId, chips.at(0).pageId);
    QVERIFY(!picker.button()->isPulsing());
}

void TestCapsureFlow::folderCreatedAfterArming()
{
    const QString common = Corvo::Platform::commonAppDataFolder();
    const QString folder = common + QStringLiteral("/Later/Device");
    Picker picker;
    picker.watch.arm(kLateFolder);
    QCOMPARE(picker.watch.folder(), folder);
    QCOMPARE(picker.watch.watchedPaths(), QStringList{common});

    QVERIFY(QDir().mkdir(common + QStringLiteral("/Later")));
    QTRY_COMPARE(picker.watch.watchedPaths(), QStringList{common + QStringLiteral("/Later")});
    QVERIFY(QDir().mkdir(folder));
    QTRY_COMPARE(picker.watch.watchedPaths(), QStringList{folder});
    QVERIFY(!picker.buttonShown());

    QVERIFY(writeFile(picker.watch.filePath(), measurement({QStringLiteral("ANY")})));
    QTRY_VERIFY(picker.buttonShown());
    QVERIFY(picker.button()->isPulsing());

    // The device's folder removed again: the watch falls back to the folder above.
    QVERIFY(QDir(folder).removeRecursively());
    QTRY_VERIFY(!picker.buttonShown());
    QTRY_COMPARE(picker.watch.watchedPaths(), QStringList{common + QStringLiteral("/Later")});
}

void TestCapsureFlow::collectionWithoutCapsureHidesTheButton()
{
    QVERIFY(writeFile(demoFile(), measurement({QStringLiteral("ANY")})));
    Picker picker;
    picker.watch.arm(DemoWorld::mainCollection());
    QVERIFY(picker.buttonShown());
    QVERIFY(picker.button()->isPulsing());
    picker.watch.arm(kNoCapsure);
    QVERIFY(!picker.buttonShown());
    QVERIFY(picker.watch.watchedPaths().isEmpty());
    QCOMPARE(picker.reports.last().at(0).toString(), QString());
    // Files changing in a folder no longer watched are not reported.
    const qsizetype reported = picker.reports.count();
    QVERIFY(replaceFile(demoFile(), measurement({QStringLiteral("OTHER")})));
    QTest::qWait(200);
    QCOMPARE(picker.reports.count(), reported);
}

void TestCapsureFlow::importOrdersCollectionsByPriority()
{
    const QList<Corvo::DB::ColorEntry> metallic = demoChips(DemoWorld::lustrelCollection(), 1);
    const QList<Corvo::DB::ColorEntry> main = demoChips(DemoWorld::mainCollection(), 2);
    QCOMPARE(metallic.size(), 1);
    QCOMPARE(main.size(), 2);
    QVERIFY(writeFile(demoFile(),
                      measurement({metallic.at(0).code, main.at(0).code, main.at(1).code})));
    const QList<CapsureCandidate> candidates = Corvo::importCapsureFile(demoFile());
    // Priority 1 before priority 2, whatever the order of the names.
    QCOMPARE(codesOf(candidates),
             QStringList({main.at(0).code, main.at(1).code, metallic.at(0).code}));
    QCOMPARE(candidates.at(0).collection, DemoWorld::mainCollection());
    QCOMPARE(candidates.at(2).collection, DemoWorld::lustrelCollection());
    QCOMPARE(CapsureSelectDialog::itemTexts(candidates),
             QStringList({main.at(0).code + " (Velmora Colour Collection)",
                          main.at(1).code + " (Velmora Colour Collection)",
                          metallic.at(0).code + " (Lustrel Metallics)"}));
}

void TestCapsureFlow::oneCollectionGivesBareCodes()
{
    const QList<Corvo::DB::ColorEntry> main = demoChips(DemoWorld::mainCollection(), 3);
    QCOMPARE(main.size(), 3);
    const QList<CapsureCandidate> candidates = Corvo::capsureCandidates(codesOf(main));
    QCOMPARE(codesOf(candidates), codesOf(main));
    QCOMPARE(CapsureSelectDialog::itemTexts(candidates), codesOf(main));
}

void TestCapsureFlow::sameColourNamedTwiceIsListedOnce()
{
    const QList<Corvo::DB::ColorEntry> main = demoChips(DemoWorld::mainCollection(), 1);
    QCOMPARE(main.size(), 1);
    QVERIFY(!main.at(0).names.value(0).isEmpty());
    const QStringList names{main.at(0).code, main.at(0).code.toLower(), main.at(0).names.at(0)};
    const QList<CapsureCandidate> candidates = Corvo::capsureCandidates(names);
    QCOMPARE(candidates.size(), 1);
    QCOMPARE(candidates.at(0).entry.id, main.at(0).id);
}

void TestCapsureFlow::candidatesAsOneLookUpPerName_data()
{
    QTest::addColumn<QStringList>("names");
    const QStringList metallic = codesOf(demoChips(DemoWorld::lustrelCollection(), 2));
    const QStringList main = codesOf(demoChips(DemoWorld::mainCollection(), 2));
    QTest::newRow("codes of both collections") << (metallic + main);
    QTest::newRow("colour words in both collections")
        << QStringList{"amber", "Bright Blue", "AQUA", "azure"};
    QTest::newRow("repeats and blanks")
        << QStringList{"Blue", "", "bright blue", "  ", "BLUE", main.value(0), "blue"};
    QTest::newRow("quotes") << QStringList{"Amber's", "o'clock", "') OR 1=1 --", "Amber"};
}

void TestCapsureFlow::candidatesAsOneLookUpPerName()
{
    QFETCH(QStringList, names);
    const QStringList expected = oneLookUpPerName(names);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(keysOf(Corvo::capsureCandidates(names)), expected);
}

void TestCapsureFlow::filesWithoutCandidates_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("empty file") << "empty";
    QTest::newRow("not a CxF3 document") << "text";
    QTest::newRow("enormous") << "enormous";
    QTest::newRow("unreadable") << "unreadable";
    QTest::newRow("a folder under the file's name") << "folder";
    QTest::newRow("names matching nothing") << "unmatched";
    QTest::newRow("blank names") << "blank";
}

void TestCapsureFlow::filesWithoutCandidates()
{
    QFETCH(QString, kind);
    const QString code = demoChips(DemoWorld::mainCollection(), 1).value(0).code;
    QVERIFY(!code.isEmpty());
    if (kind == "empty") {
        QVERIFY(writeFile(demoFile(), {}));
    } else if (kind == "text") {
        QVERIFY(writeFile(demoFile(), code.toUtf8() + "\n"));
    } else if (kind == "enormous") {
        QByteArray bytes = measurement({code});
        bytes.insert(bytes.indexOf("<cc:Resources>"),
                     "<!--" + QByteArray(Corvo::kMaxCxf3Bytes, 'x') + "-->");
        QVERIFY(writeFile(demoFile(), bytes));
    } else if (kind == "unreadable") {
        if (::geteuid() == 0)
            QSKIP("the super-user reads every file");
        QVERIFY(writeFile(demoFile(), measurement({code})));
        QVERIFY(QFile::setPermissions(demoFile(), {}));
    } else if (kind == "folder") {
        QVERIFY(QDir().mkpath(demoFile()));
    } else if (kind == "unmatched") {
        QVERIFY(writeFile(demoFile(), measurement({"NO SUCH COLOUR", "O'BRIEN') OR 1=1 --"})));
    } else {
        QVERIFY(writeFile(demoFile(), measurement({" ", "\t"})));
    }
    QVERIFY(Corvo::importCapsureFile(demoFile()).isEmpty());

    Picker picker;
    QSignalSpy chosen(picker.selector, &CollectionSelectWidget::capsureItemSelectedInteractively);
    picker.selector->capsureFileChanged(demoFile());
    if (picker.buttonShown())
        QVERIFY(!picker.clickButton(accept));
    QCOMPARE(chosen.count(), 0);
}

void TestCapsureFlow::fileIsNeverWritten()
{
    const QList<Corvo::DB::ColorEntry> main = demoChips(DemoWorld::mainCollection(), 3);
    const QByteArray bytes = measurement(codesOf(main));
    QVERIFY(writeFile(demoFile(), bytes));
    const QDateTime past = QDateTime::currentDateTimeUtc().addDays(-3);
    {
        QFile file(demoFile());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(past, QFileDevice::FileModificationTime));
    }
    const QDateTime modified = QFileInfo(demoFile()).lastModified();

    Picker picker;
    QSignalSpy chosen(picker.selector, &CollectionSelectWidget::capsureItemSelectedInteractively);
    picker.watch.arm(DemoWorld::mainCollection());
    QVERIFY(picker.buttonShown());
    QVERIFY(picker.clickButton(accept));
    QCOMPARE(chosen.count(), 1);
    QVERIFY(!Corvo::importCapsureFile(demoFile()).isEmpty());
    QVERIFY(CollectionSelectWidget::isUsableCapsureFile(demoFile()));

    QFile file(demoFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QCOMPARE(QFileInfo(demoFile()).lastModified(), modified);
    // Nothing was created beside it either.
    QCOMPARE(QDir(demoFolder()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Capsure.cxf")});
}

void TestCapsureFlow::dialogPreviewAndOk()
{
    const QList<CapsureCandidate> candidates =
        Corvo::capsureCandidates(codesOf(demoChips(DemoWorld::mainCollection(), 3)));
    QCOMPARE(candidates.size(), 3);
    CapsureSelectDialog dialog(candidates);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Capsure colour match"));
    QVERIFY(!dialog.instructions()->text().isEmpty());
    QCOMPARE(dialog.size(), QSize(320, 200));
    QCOMPARE(dialog.comboBox()->count(), 3);
    QCOMPARE(dialog.comboBox()->currentIndex(), 0);

    const Corvo::DB::ColorEntry &first = candidates.at(0).entry;
    QCOMPARE(dialog.preview()->styleSheet(),
             QStringLiteral("background-color: rgba(%1, %2, %3, 255);")
                 .arg(first.red)
                 .arg(first.green)
                 .arg(first.blue));
    QVERIFY(dialog.okButton()->isEnabled());
    QVERIFY(dialog.okButton()->isDefault());
    QCOMPARE(dialog.selectedCandidate()->entry.id, first.id);

    dialog.comboBox()->setCurrentIndex(2);
    QCOMPARE(dialog.selectedCandidate()->entry.id, candidates.at(2).entry.id);

    dialog.itemSelectionChanged(-1);
    QCOMPARE(dialog.preview()->styleSheet(), QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
    QVERIFY(!dialog.okButton()->isEnabled());
    QVERIFY(!dialog.selectedCandidate());
}

void TestCapsureFlow::dialogAcceptGivesTheEntry()
{
    const QList<CapsureCandidate> candidates =
        Corvo::capsureCandidates(codesOf(demoChips(DemoWorld::mainCollection(), 2)));
    CapsureSelectDialog dialog(candidates);
    dialog.show();
    dialog.comboBox()->setCurrentIndex(1);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.selectedCandidate()->entry.id, candidates.at(1).entry.id);
    QCOMPARE(dialog.selectedCandidate()->collection, DemoWorld::mainCollection());
}

void TestCapsureFlow::dialogWithoutCandidates()
{
    CapsureSelectDialog dialog({});
    QCOMPARE(dialog.comboBox()->currentIndex(), -1);
    QVERIFY(!dialog.okButton()->isEnabled());
    QVERIFY(!dialog.selectedCandidate());
    QCOMPARE(dialog.preview()->styleSheet(), QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
}

void TestCapsureFlow::dialogWidth_data()
{
    QTest::addColumn<int>("comboWidth");
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<int>("width");
    QTest::newRow("short entries keep 320") << 150 << 1000 << 320;
    QTest::newRow("a long entry widens it") << 400 << 1000 << 496;
    QTest::newRow("never beyond the screen") << 2000 << 1000 << 1000;
    QTest::newRow("a tiny screen still gets 320") << 400 << 200 << 320;
}

void TestCapsureFlow::dialogWidth()
{
    QFETCH(int, comboWidth);
    QFETCH(int, screenWidth);
    QFETCH(int, width);
    QCOMPARE(Corvo::capsureSelectDialogWidth(comboWidth, screenWidth), width);
}

// Candidates of two collections, one with a name far too long for any screen: the dialog
// widens within the screen, and every entry still shows which collection it is from.
void TestCapsureFlow::dialogFitsItsLongestEntry()
{
    QList<CapsureCandidate> candidates =
        Corvo::capsureCandidates(codesOf(demoChips(DemoWorld::mainCollection(), 2)));
    QCOMPARE(candidates.size(), 2);
    const QString longName =
        QStringLiteral("Velmora Heritage Metallics ").repeated(8) + QStringLiteral("Last Edition");
    candidates[1].entry.collectionId += 1000;
    candidates[1].collectionName = longName;
    candidates[0].deltaE = 1.87;
    candidates[0].nearest = true;
    CapsureSelectDialog dialog(candidates);
    const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
    QVERIFY(dialog.width() > 320);
    QVERIFY(dialog.width() <= screenWidth);
    QCOMPARE(dialog.height(), 200);
    // Wider than any screen: the name keeps its start and end.
    const QString shown = dialog.comboBox()->itemText(1);
    QVERIFY2(shown.contains(QStringLiteral("(Velmora Heritage")), qPrintable(shown));
    QVERIFY2(shown.endsWith(QStringLiteral("Last Edition)")), qPrintable(shown));
    QVERIFY(dialog.comboBox()->fontMetrics().horizontalAdvance(shown) < dialog.width());
    QVERIFY(dialog.comboBox()->itemText(0).endsWith(QStringLiteral("(Velmora Colour Collection)")));
    QCOMPARE(dialog.comboBox()->itemData(1, Qt::ToolTipRole).toString(),
             CapsureSelectDialog::itemTexts(candidates).at(1));
}

void TestCapsureFlow::dialogShowsDifferences_data()
{
    QTest::addColumn<QByteArray>("values");
    QTest::addColumn<QString>("difference");
    const Corvo::DB::ColorEntry chip = demoChips(DemoWorld::mainCollection(), 1).value(0);
    const Corvo::Lab stored = storedLab(chip);
    const Corvo::Lab lighter{stored.l + 2.0, stored.a, stored.b};
    const QString twoLighter = QString::number(Corvo::deltaE2000(lighter, stored), 'f', 2);
    QTest::newRow("names only") << QByteArray() << QString();
    QTest::newRow("Lab as stored, under D65")
        << labValues(stored, "CS65") << " \u2014 \u0394E 0.00";
    QTest::newRow("the same colour under D50, the default")
        << labValues(Corvo::labAdapted(stored, Corvo::d65White, Corvo::d50White))
        << " \u2014 \u0394E 0.00";
    QTest::newRow("the chip's sRGB") << rgbValues(chip) << " \u2014 \u0394E 0.00";
    QTest::newRow("two units lighter")
        << labValues(lighter, "CS65") << " \u2014 \u0394E " + twoLighter;
    // Stated without naming their conditions, the stored values are taken as D50 and adapted.
    const Corvo::Lab asD50 = Corvo::labAdapted(stored, Corvo::d50White, Corvo::d65White);
    QTest::newRow("D65 values read as D50")
        << labValues(stored)
        << " \u2014 \u0394E " + QString::number(Corvo::deltaE2000(asD50, stored), 'f', 2);
}

void TestCapsureFlow::dialogShowsDifferences()
{
    QFETCH(QByteArray, values);
    QFETCH(QString, difference);
    const Corvo::DB::ColorEntry chip = demoChips(DemoWorld::mainCollection(), 1).value(0);
    QVERIFY(writeFile(demoFile(), document(object(chip.code, values))));
    const QList<CapsureCandidate> candidates = Corvo::importCapsureFile(demoFile());
    QCOMPARE(candidates.size(), 1);
    QVERIFY(!candidates.at(0).nearest);
    CapsureSelectDialog dialog(candidates);
    QCOMPARE(dialog.comboBox()->count(), 1);
    QCOMPARE(dialog.comboBox()->itemText(0), chip.code + difference);
    QCOMPARE(dialog.comboBox()->accessibleName(), QStringLiteral("Matching colours"));
}

void TestCapsureFlow::nearestChipsWhenNoNameMatches_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("a name no chip carries") << "NO SUCH COLOUR";
    QTest::newRow("no name at all") << "";
}

void TestCapsureFlow::nearestChipsWhenNoNameMatches()
{
    QFETCH(QString, name);
    const Corvo::DB::ColorEntry chip = demoChips(DemoWorld::mainCollection(), 5).value(4);
    QVERIFY(writeFile(demoFile(), document(object(name, rgbValues(chip)))));

    const QList<CapsureCandidate> candidates = Corvo::importCapsureFile(demoFile());
    QCOMPARE(candidates.size(), Corvo::kNearestCapsureChips);
    QCOMPARE(candidates.at(0).entry.id, chip.id);
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        QVERIFY(candidates.at(i).nearest);
        QVERIFY(candidates.at(i).deltaE);
        if (i > 0)
            QVERIFY(*candidates.at(i - 1).deltaE <= *candidates.at(i).deltaE);
    }

    Picker picker;
    QSignalSpy chosen(picker.selector, &CollectionSelectWidget::capsureItemSelectedInteractively);
    picker.watch.arm(DemoWorld::mainCollection());
    QVERIFY(picker.buttonShown());
    QVERIFY(picker.button()->isPulsing());
    QStringList texts;
    QString accessibleName;
    QVERIFY(picker.clickButton([&](CapsureSelectDialog &dialog) {
        for (int i = 0; i < dialog.comboBox()->count(); ++i)
            texts.append(dialog.comboBox()->itemText(i));
        accessibleName = dialog.comboBox()->accessibleName();
        accept(dialog);
    }));
    QCOMPARE(texts.size(), Corvo::kNearestCapsureChips);
    QVERIFY2(texts.at(0).startsWith(chip.code + " \u2014 nearest, \u0394E 0.00"),
             qPrintable(texts.at(0)));
    for (const QString &text : texts)
        QVERIFY2(text.contains(" \u2014 nearest, \u0394E "), qPrintable(text));
    QCOMPARE(accessibleName, QStringLiteral("Nearest colours"));
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(1).value<Corvo::DB::ColorEntry>().id, chip.id);
}

void TestCapsureFlow::cancellingChangesNothing()
{
    QVERIFY(
        writeFile(demoFile(), measurement(codesOf(demoChips(DemoWorld::lustrelCollection(), 2)))));
    Picker picker;
    QSignalSpy chosen(picker.selector, &CollectionSelectWidget::capsureItemSelectedInteractively);
    picker.watch.arm(DemoWorld::mainCollection());
    QVERIFY(picker.clickButton([](CapsureSelectDialog &dialog) {
        dialog.comboBox()->setCurrentIndex(1);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    }));
    QCOMPARE(chosen.count(), 0);
    QCOMPARE(Corvo::Preferences::uuidOfLastUsedCollection(), DemoWorld::mainCollection());
    QCOMPARE(picker.selector->collectionName(), QStringLiteral("Velmora Colour Collection"));
    QVERIFY(picker.buttonShown());
}

QTEST_MAIN(TestCapsureFlow)
#include "tst_capsureflow.moc"
