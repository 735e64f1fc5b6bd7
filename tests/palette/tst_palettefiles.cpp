#include "engine/db/collectioncatalogue.h"
#include "engine/db/nameorders.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/mypalettemodel.h"
#include "engine/palette/palettefiles.h"
#include "engine/palette/palettexml.h"
#include "engine/palette/scratchpalettestore.h"

#include "palettefixture.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

using Corvo::MyPaletteModel;
using Corvo::PaletteCell;
using Corvo::PaletteFileFormat;

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

std::unique_ptr<MyPaletteModel> scratchModel(Corvo::ScratchPaletteStore **store = nullptr)
{
    auto scratch = std::make_unique<Corvo::ScratchPaletteStore>();
    if (store != nullptr)
        *store = scratch.get();
    return std::make_unique<MyPaletteModel>(std::move(scratch));
}

QByteArray chipElement(int row, int column, const QUuid &collection, int pageIndex, int rowIndex,
                       const QByteArray &code)
{
    return "<chip row=\"" + QByteArray::number(row) + "\" col=\"" + QByteArray::number(column) +
           "\"><entry uuid-of-collection=\"" + collection.toString().toLatin1() +
           "\" page-index=\"" + QByteArray::number(pageIndex) + "\" row-index=\"" +
           QByteArray::number(rowIndex) + "\" color-code=\"" + code + "\"/></chip>";
}

QByteArray palette(const QByteArray &version, const QByteArray &system, const QByteArray &chips,
                   const QByteArray &description = "Loaded")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<velmora-palette version=\"" + version +
           "\" system=\"" + system + "\"><description>" + description + "</description><chips>" +
           chips + "</chips></velmora-palette>\n";
}

QByteArray nordlysChip(int row, int column, int card, int chip, const QByteArray &code = {})
{
    return chipElement(row, column, PaletteFixture::nordlys(), card, chip,
                       code.isEmpty() ? "NL-" + QByteArray::number(card * 10 + chip) : code);
}

constexpr int kCells = MyPaletteModel::kColumns * MyPaletteModel::kRows;
constexpr int kCraftedChips = 2400;
// The size of the crafted version 2 file that took a minute to load before lookups were
// bounded.
constexpr int kFoundByFuzzingChips = 24000;

QByteArray version2Chip(int cell, const QByteArray &text)
{
    return "<chip row=\"" + QByteArray::number(cell / MyPaletteModel::kColumns) + "\" col=\"" +
           QByteArray::number(cell % MyPaletteModel::kColumns) + "\">" + text + "</chip>";
}

// The fixture's twelve Nordlys codes spread over the 24 cells, each code in two cells.
QString realCode(int cell)
{
    return QStringLiteral("NL-%1%2").arg(cell % 3 + 1).arg(cell % 4 + 1);
}

QByteArray realChips(int version)
{
    QByteArray chips;
    for (int cell = 0; cell < kCells; ++cell)
        chips += version == 2
                     ? version2Chip(cell, realCode(cell).toLatin1())
                     : nordlysChip(cell / MyPaletteModel::kColumns, cell % MyPaletteModel::kColumns,
                                   cell % 3 + 1, cell % 4 + 1);
    return chips;
}

// Chips spread over every cell that cannot be found: names no chip carries, or places
// that hold another code or nothing at all (the fixture has cards 1 to 3).
QByteArray unknownChips(int version, bool allEqual, int count = kCraftedChips)
{
    QByteArray chips;
    for (int i = 0; i < count; ++i) {
        const int cell = i % kCells;
        const QByteArray number = QByteArray::number(allEqual ? 0 : i);
        chips += version == 2
                     ? version2Chip(cell, "unknown " + number)
                     : nordlysChip(cell / MyPaletteModel::kColumns, cell % MyPaletteModel::kColumns,
                                   allEqual ? 9 : i + 1, 1, "x");
    }
    return chips;
}

QByteArray craftedFile(int version, const QByteArray &chips)
{
    return version == 2 ? palette("2.0", "NL", chips) : palette("3.0", "multi-collection", chips);
}

} // namespace

class TestPaletteFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void roundTripsThroughXml();
    void savesTheTextList();
    void emptyPaletteSaves();
    void saveSkipsChipsThatCannotBeReadBack();
    void saveFailureKeepsThePreviousFile();
    void savedDescriptionAlwaysLoads();
    void loadChecksVersionAndSystem_data();
    void loadChecksVersionAndSystem();
    void loadResolvesChips_data();
    void loadResolvesChips();
    void laterChipsWinTheirCell();
    void loadsAThousandChips();
    void loadsVersion2ByPhrase();
    void loadsVersion2AsTheFirstUseOfTheDatabase();
    void craftedFilesAreLookedUpBoundedly_data();
    void craftedFilesAreLookedUpBoundedly();
    void unreadableFilesChangeNothing_data();
    void unreadableFilesChangeNothing();
    void missingFileDoesNothing();
    void scratchModelLeavesPreferencesAlone();

private:
    QString path(const QString &name) const { return m_environment->root() + '/' + name; }
    void fill(MyPaletteModel &model, const QPoint &cell, const QUuid &collection,
              const QString &code) const;
    // A scratch palette holding two chips and a description, to see what a load changes.
    std::unique_ptr<MyPaletteModel> filledScratchModel() const;

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<PaletteFixture> m_fixture;
};

void TestPaletteFiles::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_fixture = std::make_unique<PaletteFixture>(*m_environment);
    QVERIFY2(m_fixture->isValid(), qPrintable(m_fixture->error()));
}

void TestPaletteFiles::cleanup()
{
    m_fixture.reset();
    m_environment.reset();
}

void TestPaletteFiles::fill(MyPaletteModel &model, const QPoint &cell, const QUuid &collection,
                            const QString &code) const
{
    Corvo::DB::ColorEntry entry;
    QCOMPARE(Corvo::DB::rowById(collection, m_fixture->row(code), entry), int(Corvo::DB::Ok));
    model.setDropTarget(cell);
    QVERIFY(model.dropChip(collection, entry));
}

std::unique_ptr<MyPaletteModel> TestPaletteFiles::filledScratchModel() const
{
    auto model = scratchModel();
    model->reload(PaletteFixture::nordlys());
    fill(*model, QPoint(3, 2), PaletteFixture::nordlys(), QStringLiteral("NL-32"));
    fill(*model, QPoint(4, 3), PaletteFixture::terra(), QStringLiteral("TR-13"));
    model->setDescription(QStringLiteral("Before"));
    return model;
}

void TestPaletteFiles::roundTripsThroughXml()
{
    MyPaletteModel model;
    model.reload(PaletteFixture::nordlys());
    fill(model, QPoint(0, 0), PaletteFixture::nordlys(), QStringLiteral("NL-11"));
    fill(model, QPoint(5, 0), PaletteFixture::terra(), QStringLiteral("TR-23"));
    fill(model, QPoint(2, 1), PaletteFixture::nordlys(), QStringLiteral("NL-23"));
    fill(model, QPoint(5, 3), PaletteFixture::nordlys(), QStringLiteral("NL-34"));
    model.select(QPoint(2, 1), Qt::NoModifier);
    model.setDescription(QStringLiteral("Stue & kjøkken <nord>"));
    const QString first = path(QStringLiteral("first.palette"));
    QVERIFY(model.savePaletteTo(PaletteFileFormat::Xml, first));
    QVERIFY(fileBytes(first).startsWith(QByteArray(kByteOrderMark + "<?xml")));

    auto loaded = scratchModel();
    loaded->reload(PaletteFixture::terra());
    QSignalSpy changed(loaded.get(), &MyPaletteModel::myPaletteChanged);
    loaded->loadPaletteFrom(first);
    QVERIFY(changed.size() >= 1);
    QCOMPARE(loaded->cells(), model.cells());
    QCOMPARE(loaded->description(), model.description());
    QVERIFY2(loaded->selection().isEmpty(), "the selection is not part of the file");

    const QString second = path(QStringLiteral("second.palette"));
    QVERIFY(loaded->savePaletteTo(PaletteFileFormat::Xml, second));
    QCOMPARE(fileBytes(second), fileBytes(first));
}

void TestPaletteFiles::savesTheTextList()
{
    auto model = scratchModel();
    model->reload(PaletteFixture::nordlys());
    fill(*model, QPoint(4, 1), PaletteFixture::terra(), QStringLiteral("TR-12"));
    fill(*model, QPoint(1, 0), PaletteFixture::nordlys(), QStringLiteral("NL-23"));
    fill(*model, QPoint(0, 3), PaletteFixture::nordlys(), QStringLiteral("NL-11"));
    const QString text = path(QStringLiteral("palette.txt"));
    QVERIFY(model->savePaletteTo(PaletteFileFormat::Text, text));
    QCOMPARE(fileBytes(text), kByteOrderMark + "Nordlys & Co : NL-23\n"
                                               "Terra : TR-12\n"
                                               "Nordlys & Co : NL-11\n");
}

void TestPaletteFiles::emptyPaletteSaves()
{
    auto model = scratchModel();
    model->reload(PaletteFixture::nordlys());
    const QString xml = path(QStringLiteral("empty.palette"));
    QVERIFY(model->savePaletteTo(PaletteFileFormat::Xml, xml));
    QVERIFY(fileBytes(xml).contains("<chips>\n\t</chips>"));
    QVERIFY(!fileBytes(xml).contains("<chip "));

    const QString text = path(QStringLiteral("empty.txt"));
    QVERIFY(!model->savePaletteTo(PaletteFileFormat::Text, text));
    QVERIFY2(!QFile::exists(text), "an empty text list is not created");
    QVERIFY(writeBytes(text, "kept\n"));
    QVERIFY(!model->savePaletteTo(PaletteFileFormat::Text, text));
    QCOMPARE(fileBytes(text), QByteArray("kept\n"));
}

void TestPaletteFiles::saveSkipsChipsThatCannotBeReadBack()
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmora"),
                    QStringLiteral("Tintwell"));
    store.beginGroup(QStringLiteral("MyPalette"));
    // The stored card is another card than the chip's own.
    store.setValue(QStringLiteral("(0,0).Entry"),
                   Corvo::ItemIndex(PaletteFixture::nordlys(), m_fixture->page("NL-p1"),
                                    m_fixture->row(QStringLiteral("NL-21")))
                       .toString());
    store.setValue(QStringLiteral("(0,1).Entry"),
                   Corvo::ItemIndex(PaletteFixture::nordlys(), m_fixture->page("NL-p3"),
                                    m_fixture->row(QStringLiteral("NL-31")))
                       .toString());
    store.sync();
    MyPaletteModel model;
    model.reload(PaletteFixture::nordlys());
    QVERIFY(model.cell(QPoint(0, 0)).isFilled());
    const QString xml = path(QStringLiteral("skips.palette"));
    QVERIFY(model.savePaletteTo(PaletteFileFormat::Xml, xml));
    const QByteArray bytes = fileBytes(xml);
    QVERIFY(!bytes.contains("NL-21"));
    QVERIFY(bytes.contains("<chip row=\"0\" col=\"1\">"));
    QVERIFY(bytes.contains("page-index=\"3\" row-index=\"1\" color-code=\"NL-31\""));
}

void TestPaletteFiles::saveFailureKeepsThePreviousFile()
{
    auto model = filledScratchModel();
    QVERIFY(!model->savePaletteTo(PaletteFileFormat::Xml,
                                  path(QStringLiteral("no/such/folder/x.palette"))));
    const QString folder = path(QStringLiteral("a-folder.palette"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(!model->savePaletteTo(PaletteFileFormat::Xml, folder));
    QVERIFY(QFileInfo(folder).isDir());

    const QString existing = path(QStringLiteral("existing.palette"));
    QVERIFY(writeBytes(existing, "previous"));
    QVERIFY(model->savePaletteTo(PaletteFileFormat::Xml, existing));
    const QStringList leftovers =
        QDir(m_environment->root()).entryList({QStringLiteral("existing.palette*")});
    QCOMPARE(leftovers, QStringList{QStringLiteral("existing.palette")});
}

void TestPaletteFiles::savedDescriptionAlwaysLoads()
{
    auto model = filledScratchModel();
    model->setDescription(QString(QStringLiteral("Line") + QChar(0x0b) + QStringLiteral("feed") +
                                  QChar(0x01) + QChar(0xd800) + QStringLiteral(" ok")));
    const QString xml = path(QStringLiteral("forbidden.palette"));
    QVERIFY(model->savePaletteTo(PaletteFileFormat::Xml, xml));
    auto loaded = scratchModel();
    loaded->loadPaletteFrom(xml);
    QCOMPARE(loaded->description(), QStringLiteral("Linefeed ok"));
    QCOMPARE(loaded->cells(), model->cells());
}

void TestPaletteFiles::loadChecksVersionAndSystem_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QByteArray>("system");
    QTest::addColumn<bool>("loads");

    QTest::newRow("3.0") << QByteArray("3.0") << QByteArray("multi-collection") << true;
    QTest::newRow("03.00") << QByteArray("03.00") << QByteArray("multi-collection") << true;
    QTest::newRow("system in capitals")
        << QByteArray("3.0") << QByteArray("MULTI-COLLECTION") << true;
    QTest::newRow("3.1") << QByteArray("3.1") << QByteArray("multi-collection") << false;
    QTest::newRow("3") << QByteArray("3") << QByteArray("multi-collection") << false;
    QTest::newRow("4.0") << QByteArray("4.0") << QByteArray("multi-collection") << false;
    QTest::newRow("1.0") << QByteArray("1.0") << QByteArray("multi-collection") << false;
    QTest::newRow("version 3 naming one collection")
        << QByteArray("3.0") << QByteArray("NL") << false;
    QTest::newRow("version 2 of a collection not installed")
        << QByteArray("2.0") << QByteArray("XX") << false;
}

void TestPaletteFiles::loadChecksVersionAndSystem()
{
    QFETCH(QByteArray, version);
    QFETCH(QByteArray, system);
    QFETCH(bool, loads);
    const QString file = path(QStringLiteral("checked.palette"));
    QVERIFY(writeBytes(file, palette(version, system, nordlysChip(0, 0, 1, 2))));
    auto model = filledScratchModel();
    const QList<PaletteCell> before = model->cells();
    QSignalSpy changed(model.get(), &MyPaletteModel::myPaletteChanged);
    QCOMPARE(model->loadPaletteFrom(file), loads);
    QVERIFY2(changed.size() >= 1, "a file that opens always ends in myPaletteChanged()");
    if (loads) {
        QCOMPARE(model->description(), QStringLiteral("Loaded"));
        QCOMPARE(model->rowId(0, 0), m_fixture->row(QStringLiteral("NL-12")));
        QVERIFY(!model->cell(QPoint(3, 2)).isFilled());
    } else {
        QCOMPARE(model->description(), QStringLiteral("Before"));
        QCOMPARE(model->cells(), before);
    }
}

void TestPaletteFiles::loadResolvesChips_data()
{
    QTest::addColumn<QByteArray>("chip");
    QTest::addColumn<QPoint>("cell");
    QTest::addColumn<QString>("code");

    QTest::newRow("a chip") << nordlysChip(2, 4, 3, 3) << QPoint(4, 2) << "NL-33";
    QTest::newRow("code differing in letter case")
        << nordlysChip(1, 1, 1, 4, "nl-14") << QPoint(1, 1) << "NL-14";
    QTest::newRow("another code at that place")
        << nordlysChip(1, 1, 1, 4, "NL-13") << QPoint(-1, -1) << "";
    QTest::newRow("card out of range") << nordlysChip(1, 1, 9, 1, "NL-91") << QPoint(-1, -1) << "";
    QTest::newRow("collection not installed")
        << chipElement(0, 0, PaletteFixture::notInstalled(), 1, 1, "NL-11") << QPoint(-1, -1) << "";
    QTest::newRow("no collection")
        << QByteArray("<chip row=\"0\" col=\"0\"><entry page-index=\"1\" row-index=\"1\" "
                      "color-code=\"NL-11\"/></chip>")
        << QPoint(-1, -1) << "";
    QTest::newRow("row 4") << nordlysChip(4, 0, 1, 1) << QPoint(-1, -1) << "";
    QTest::newRow("column 6") << nordlysChip(0, 6, 1, 1) << QPoint(-1, -1) << "";
    QTest::newRow("row x reads as row 0")
        << QByteArray("<chip row=\"x\" col=\"3\"><entry uuid-of-collection=\"" +
                      PaletteFixture::terra().toString().toLatin1() +
                      "\" page-index=\"2\" row-index=\"1\" color-code=\"TR-21\"/></chip>")
        << QPoint(3, 0) << "TR-21";
    QTest::newRow("a chip holding text instead of an entry")
        << QByteArray("<chip row=\"0\" col=\"0\">NL-11</chip>") << QPoint(-1, -1) << "";
    QTest::newRow("huge attribute value")
        << nordlysChip(0, 0, 1, 1, QByteArray(1024 * 1024, 'N')) << QPoint(-1, -1) << "";
}

void TestPaletteFiles::loadResolvesChips()
{
    QFETCH(QByteArray, chip);
    QFETCH(QPoint, cell);
    QFETCH(QString, code);
    const QString file = path(QStringLiteral("chips.palette"));
    QVERIFY(writeBytes(file, palette("3.0", "multi-collection", chip)));
    auto model = filledScratchModel();
    model->loadPaletteFrom(file);
    QCOMPARE(model->description(), QStringLiteral("Loaded"));
    if (!MyPaletteModel::containsCell(cell)) {
        QVERIFY(model->isEmpty());
        return;
    }
    const PaletteCell loaded = model->cell(cell);
    QCOMPARE(loaded.rowId, m_fixture->row(code));
    QCOMPARE(loaded.label.section(QLatin1Char(' '), 0, 0), code);
    QCOMPARE(loaded.color.alpha(), 255);
}

void TestPaletteFiles::laterChipsWinTheirCell()
{
    const QString file = path(QStringLiteral("later.palette"));
    QVERIFY(
        writeBytes(file, palette("3.0", "multi-collection",
                                 nordlysChip(0, 0, 1, 1) + nordlysChip(0, 0, 2, 2) +
                                     nordlysChip(1, 1, 3, 1) + nordlysChip(1, 1, 3, 2, "gone"))));
    auto model = scratchModel();
    model->loadPaletteFrom(file);
    QCOMPARE(model->rowId(0, 0), m_fixture->row(QStringLiteral("NL-22")));
    QVERIFY2(model->rowId(1, 1) == m_fixture->row(QStringLiteral("NL-31")),
             "a later chip that cannot be found does not empty the cell");
}

void TestPaletteFiles::loadsAThousandChips()
{
    QByteArray chips;
    for (int i = 0; i < 1000; ++i)
        chips += nordlysChip(i % 4, i % 6, i % 3 + 1, i % 4 + 1);
    const QString file = path(QStringLiteral("thousand.palette"));
    QVERIFY(writeBytes(file, palette("3.0", "multi-collection", chips)));
    auto model = scratchModel();
    model->loadPaletteFrom(file);
    // The last chip of cell (column 5, row 3) is i = 995: card 3, chip 4.
    QCOMPARE(model->rowId(5, 3), m_fixture->row(QStringLiteral("NL-34")));
    int filled = 0;
    for (const PaletteCell &cell : model->cells())
        filled += cell.isFilled() ? 1 : 0;
    QCOMPARE(filled, 12);
}

void TestPaletteFiles::loadsVersion2ByPhrase()
{
    Corvo::DB::loadNameOrders(PaletteFixture::nordlys());
    const QString file = path(QStringLiteral("old.palette"));
    QVERIFY(writeBytes(file, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                             "<velmora-palette version=\"2.0\" system=\"nl\">"
                             "<description>Old</description><chips>"
                             "<chip row=\"0\" col=\"0\">nl-24</chip>"
                             "<chip row=\"0\" col=\"1\">Fjord 31</chip>"
                             "<chip row=\"0\" col=\"2\">Nothing</chip>"
                             "<chip row=\"0\" col=\"3\"></chip>"
                             "</chips></velmora-palette>"));
    auto model = scratchModel();
    model->loadPaletteFrom(file);
    QCOMPARE(model->description(), QStringLiteral("Old"));
    QCOMPARE(model->rowId(0, 0), m_fixture->row(QStringLiteral("NL-24")));
    QCOMPARE(model->cell(QPoint(0, 0)).collection, PaletteFixture::nordlys());
    QCOMPARE(model->rowId(1, 0), m_fixture->row(QStringLiteral("NL-31")));
    QVERIFY(!model->cell(QPoint(2, 0)).isFilled());
    QVERIFY(!model->cell(QPoint(3, 0)).isFilled());
}

void TestPaletteFiles::loadsVersion2AsTheFirstUseOfTheDatabase()
{
    TestEnvironment::resetCatalogue();
    const std::optional<Corvo::ResolvedPalette> loaded = Corvo::resolvePaletteDocument(
        palette("2.0", "nl", version2Chip(0, "NL-24") + version2Chip(1, "nl-31")));
    QVERIFY(loaded.has_value());
    QCOMPARE(loaded->cells.size(), 2);
    QCOMPARE(loaded->cells.at(0).second.rowId, m_fixture->row(QStringLiteral("NL-24")));
    QCOMPARE(loaded->cells.at(1).second.rowId, m_fixture->row(QStringLiteral("NL-31")));
}

// Each cell takes its last chip that can be found; thousands of chips that cannot be
// found cost at most a few look-ups per cell, and equal chips one look-up in all.
void TestPaletteFiles::craftedFilesAreLookedUpBoundedly_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QByteArray>("chips");
    QTest::addColumn<bool>("realChipsLoad");
    QTest::addColumn<int>("lookups");

    constexpr int distinctRealChips = 12;
    constexpr int bound = kCells * Corvo::kPaletteLookupsPerCell;
    for (const int version : {2, 3}) {
        QTest::addRow("v%d unknown chips before the real ones", version)
            << version << unknownChips(version, false) + realChips(version) << true
            << distinctRealChips;
        QTest::addRow("v%d equal unknown chips after the real ones", version)
            << version << realChips(version) + unknownChips(version, true) << true
            << 1 + distinctRealChips;
        QTest::addRow("v%d distinct unknown chips after the real ones", version)
            << version << realChips(version) + unknownChips(version, false) << false << bound;
    }
    QTest::newRow("v2 24,000 distinct unknown chips after the real ones")
        << 2 << realChips(2) + unknownChips(2, false, kFoundByFuzzingChips) << false << bound;
}

void TestPaletteFiles::craftedFilesAreLookedUpBoundedly()
{
    QFETCH(int, version);
    QFETCH(QByteArray, chips);
    QFETCH(bool, realChipsLoad);
    QFETCH(int, lookups);

    const std::optional<Corvo::ResolvedPalette> loaded =
        Corvo::resolvePaletteDocument(craftedFile(version, chips));
    QVERIFY(loaded.has_value());
    QCOMPARE(loaded->lookups, lookups);
    QCOMPARE(loaded->cells.size(), realChipsLoad ? kCells : 0);
    for (qsizetype i = 0; i < loaded->cells.size(); ++i) {
        const auto &[position, cell] = loaded->cells.at(i);
        QCOMPARE(position, QPoint(i % MyPaletteModel::kColumns, i / MyPaletteModel::kColumns));
        QCOMPARE(cell.rowId, m_fixture->row(realCode(int(i))));
    }
}

void TestPaletteFiles::unreadableFilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray good = palette("3.0", "multi-collection", nordlysChip(0, 0, 1, 1));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("truncated") << good.left(good.size() - 40);
    QTest::newRow("not XML") << QByteArray("Nordlys & Co : NL-11\n");
    QTest::newRow("not UTF-8") << palette("3.0", "multi-collection", nordlysChip(0, 0, 1, 1),
                                          "K\xf8kken");
    QTest::newRow("entity expansion bomb")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE velmora-palette [<!ENTITY a "
                      "\"aaaaaaaaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
                      "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;"
                      "&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;"
                      "&d;&d;\"><!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]>"
                      "<velmora-palette version=\"3.0\" system=\"multi-collection\">"
                      "<description>&f;&f;&f;&f;</description></velmora-palette>");
    QTest::newRow("external entity")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE velmora-palette [<!ENTITY s SYSTEM "
                      "\"file:///etc/hostname\">]><velmora-palette version=\"3.0\" "
                      "system=\"multi-collection\"><description>&s;</description>"
                      "</velmora-palette>");
    QTest::newRow("larger than any palette")
        << palette("3.0", "multi-collection", nordlysChip(0, 0, 1, 1),
                   QByteArray(Corvo::kMaxPaletteFileBytes, 'x'));
}

void TestPaletteFiles::unreadableFilesChangeNothing()
{
    QFETCH(QByteArray, bytes);
    const QString file = path(QStringLiteral("bad.palette"));
    QVERIFY(writeBytes(file, bytes));
    auto model = filledScratchModel();
    const QList<PaletteCell> before = model->cells();
    QVERIFY(!model->loadPaletteFrom(file));
    QCOMPARE(model->cells(), before);
    QCOMPARE(model->description(), QStringLiteral("Before"));
}

void TestPaletteFiles::missingFileDoesNothing()
{
    auto model = filledScratchModel();
    QSignalSpy changed(model.get(), &MyPaletteModel::myPaletteChanged);
    model->loadPaletteFrom(path(QStringLiteral("missing.palette")));
    model->loadPaletteFrom(m_environment->root());
    const QString pipe = path(QStringLiteral("pipe.palette"));
    if (::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0)
        QVERIFY2(!model->loadPaletteFrom(pipe), "a pipe is not read, so nothing blocks");
    QCOMPARE(changed.size(), 0);
    QVERIFY(model->cell(QPoint(3, 2)).isFilled());
}

void TestPaletteFiles::scratchModelLeavesPreferencesAlone()
{
    Corvo::ScratchPaletteStore *store = nullptr;
    auto model = scratchModel(&store);
    model->reload(PaletteFixture::nordlys());
    fill(*model, QPoint(1, 1), PaletteFixture::nordlys(), QStringLiteral("NL-11"));
    model->select(QPoint(1, 1), Qt::NoModifier);
    const QString file = path(QStringLiteral("scratch.palette"));
    QVERIFY(writeBytes(file, palette("3.0", "multi-collection", nordlysChip(2, 2, 2, 2))));
    model->loadPaletteFrom(file);
    QCOMPARE(store->entry(2, 2).rowId, m_fixture->row(QStringLiteral("NL-22")));
    QVERIFY(store->isSelected(1, 1));
    QCOMPARE(store->description(), QStringLiteral("Loaded"));
    const QString settingsFile = QSettings(QSettings::IniFormat, QSettings::UserScope,
                                           QStringLiteral("Velmora"), QStringLiteral("Tintwell"))
                                     .fileName();
    QVERIFY(!QFile::exists(settingsFile));
}

QTEST_GUILESS_MAIN(TestPaletteFiles)
#include "tst_palettefiles.moc"
