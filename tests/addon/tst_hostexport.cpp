// Handing the palette to the host: the export map, and the materials and pen tables the
// stand-in host's project receives through the service table.

#include "addon/exportmap.h"
#include "addon/hostconnection.h"
#include "addon/hostexport.h"
#include "engine/db/collectionlookups.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/productqueries.h"
#include "engine/palette/palettecell.h"
#include "host/runner/projectstore.h"
#include "tests/ui/demoworld.h"

#include <QTest>

using namespace Corvo;
using HostRunner::ProjectStore;

namespace {

// The services of a host whose project is a real ProjectStore.
ProjectStore *g_project = nullptr;

int32_t getAttribute(void *, void *record)
{
    return g_project->getAttribute(record);
}
int32_t createAttribute(void *, void *record, void *definition)
{
    return g_project->createAttribute(record, definition);
}
int32_t modifyAttribute(void *, void *record, void *definition)
{
    return g_project->modifyAttribute(record, definition);
}

void connectHost(ProjectStore &project)
{
    g_project = &project;
    std::array<unsigned char, HostApi::kServiceTableBytes> table{};
    HostServices services{};
    services.size = sizeof services;
    services.getAttribute = getAttribute;
    services.createAttribute = createAttribute;
    services.modifyAttribute = modifyAttribute;
    std::memcpy(table.data(), &services, sizeof services);
    HostConnection::instance().setServiceTable(table.data());
}

PaletteCell cell(QRgb rgb, const QString &label)
{
    PaletteCell c;
    c.rowId = 1;
    c.color = QColor::fromRgb(rgb);
    c.label = label;
    return c;
}

QStringList entries(const ExportMap &map)
{
    QStringList list;
    for (const auto &[color, name] : map)
        list << QStringLiteral("%1,%2,%3 %4")
                    .arg(color.red)
                    .arg(color.green)
                    .arg(color.blue)
                    .arg(name);
    return list;
}

} // namespace

class TestHostExport : public QObject
{
    Q_OBJECT

private slots:
    void init() { HostConnection::instance().reset(); }

    void exportMap_data()
    {
        QTest::addColumn<QList<PaletteCell>>("cells");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("ascending RGB, not palette order")
            << QList<PaletteCell>{cell(0x0a0000, "B"), cell(0x000a00, "A"), PaletteCell(),
                                  cell(0x00000a, "C")}
            << QStringList{"0,0,10 C", "0,10,0 A", "10,0,0 B"};
        QTest::newRow("same RGB: the first cell names it")
            << QList<PaletteCell>{cell(0x102030, "First"), cell(0x102030, "Second")}
            << QStringList{"16,32,48 First"};
        QTest::newRow("same name, other colour: kept with its hex")
            << QList<PaletteCell>{cell(0x102030, "Twin"), cell(0xabcdef, "Twin")}
            << QStringList{"16,32,48 Twin", "171,205,239 Twin (#ABCDEF)"};
        QTest::newRow("empty palette")
            << QList<PaletteCell>{PaletteCell(), PaletteCell()} << QStringList();
    }

    void exportMap()
    {
        QFETCH(QList<PaletteCell>, cells);
        QFETCH(QStringList, expected);
        QCOMPARE(entries(buildExportMap(cells, false)), expected);
    }

    void productCodesFromTheCellsOwnCollection()
    {
        DemoWorld world;
        QVERIFY(world.isValid());
        // The last-used collection is another one: the codes still come from the chip's.
        DemoWorld::makeCurrent(DemoWorld::lustrelCollection());
        DB::ColorEntry entry;
        QCOMPARE(DB::rowAt(DemoWorld::mainCollection(), 1, 1, entry), 0);
        QStringList codes;
        QCOMPARE(DB::productCodes(DemoWorld::mainCollection(), entry.id, codes), 0);
        QVERIFY(!codes.isEmpty());
        const PaletteCell chip = cellForChip(DemoWorld::mainCollection(), entry);
        const ExportMap map = buildExportMap({chip}, true);
        QCOMPARE(map.begin()->second, chip.label + " - " + codes.join(", "));
    }

    void fieldText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("fits") << "Sage" << 8 << QByteArray("Sage");
        QTest::newRow("cut for the terminator") << "Sage" << 4 << QByteArray("Sag");
        QTest::newRow("two-byte letter not split")
            << QString::fromUtf8("Gr\xc3\xbcn") << 4 << QByteArray("Gr");
        QTest::newRow("two-byte letter fits")
            << QString::fromUtf8("Gr\xc3\xbcn") << 5 << QByteArray("Gr\xc3\xbc");
        QTest::newRow("surrogate pair not split")
            << QString::fromUtf8("a\xf0\x9f\x8e\xa8") << 5 << QByteArray("a");
        QTest::newRow("no room") << "x" << 1 << QByteArray();
    }

    void fieldText()
    {
        QFETCH(QString, text);
        QFETCH(int, capacity);
        QFETCH(QByteArray, expected);
        QCOMPARE(HostExport::fieldText(text, capacity), expected);
    }

    void materials()
    {
        ProjectStore project;
        connectHost(project);
        const ExportMap first = buildExportMap({cell(0xff0000, "Red")}, false);
        QCOMPARE(HostExport::createMaterials(first, "Velmora"), 1);
        // An existing material of that name is left alone; new colours are added.
        const ExportMap second =
            buildExportMap({cell(0x00ff00, "Red"), cell(0x0000ff, "Blue")}, false);
        QCOMPARE(HostExport::createMaterials(second, "Velmora"), 1);
        QCOMPARE(HostExport::createMaterials(second, QString()), 2);
        QCOMPARE(project.materials().size(), size_t(4));
        const ProjectStore::Material &red = project.materials()[0];
        QCOMPARE(red.name, std::string("Velmora Red"));
        QCOMPARE(red.surface, (ProjectStore::Rgb{1.0, 0.0, 0.0}));
        QCOMPARE(red.kind, 1);
        QCOMPARE(red.parameters, (std::array<int16_t, 4>{90, 90, 15, 60}));
        QCOMPARE(red.secondColor, (ProjectStore::Rgb{1.0, 1.0, 1.0}));
        QCOMPARE(project.materials()[1].name, std::string("Velmora Blue"));
        QCOMPARE(project.materials()[2].name, std::string("Blue")); // no leading blank
    }

    void penTable()
    {
        ProjectStore project;
        connectHost(project);
        const ExportMap map = buildExportMap(
            {cell(0x336699, "One"), cell(0x112233, "Two"), cell(0xffffff, "Three")}, false);
        QVERIFY(HostExport::createPenTable(map, "Hall", "P", "Unnamed"));
        QCOMPARE(project.penTables().size(), size_t(1));
        const ProjectStore::PenTable &table = project.penTables()[0];
        QCOMPARE(table.name, std::string("Hall"));
        QCOMPARE(table.pens.size(), size_t(255));
        QCOMPARE(table.pens[0].description, std::string("P Two"));
        QCOMPARE(table.pens[0].color,
                 (ProjectStore::Rgb{0x11 / 255.0, 0x22 / 255.0, 0x33 / 255.0}));
        QCOMPARE(table.pens[0].width, 0.25);
        QCOMPARE(table.pens[2].width, 0.25);
        QCOMPARE(table.pens[3].width, 0.0);
        QCOMPARE(table.pens[254].index, int16_t(255));
        QCOMPARE(table.pens[254].color, (ProjectStore::Rgb{1.0, 1.0, 1.0}));
        // The same name again overwrites the table.
        const ExportMap black = buildExportMap({cell(0x000000, "Black")}, false);
        QVERIFY(HostExport::createPenTable(black, "Hall", "", "Unnamed"));
        QCOMPARE(project.penTables().size(), size_t(1));
        QCOMPARE(project.penTables()[0].pens[0].description, std::string("Black"));
        QCOMPARE(project.penTables()[0].pens[1].width, 0.0);
    }

    // A set without a name takes the first free number and never replaces a table.
    void unnamedPenTables()
    {
        ProjectStore project;
        connectHost(project);
        const ExportMap map = buildExportMap({cell(0x336699, "One")}, false);
        QVERIFY(HostExport::createPenTable(map, QString(), "", "My Palette"));
        QVERIFY(HostExport::createPenTable(map, " ", "", "My Palette"));
        QVERIFY(HostExport::createPenTable(map, "My Palette 4", "", "My Palette"));
        QVERIFY(HostExport::createPenTable(map, QString(), "", "My Palette"));
        QStringList names;
        for (const ProjectStore::PenTable &table : project.penTables())
            names << QString::fromStdString(table.name);
        QCOMPARE(names,
                 QStringList({"My Palette 1", "My Palette 2", "My Palette 4", "My Palette 3"}));
        // A long base is cut so that the number always fits the field.
        const QString name = HostExport::unusedPenTableName(QString(300, 'x'));
        QVERIFY(name.endsWith(" 1"));
        QCOMPARE(HostExport::fieldText(name, int(HostApi::kAttributeNameBytes)), name.toUtf8());
    }

    // The prefix is looked up at each export, for the collection in use then.
    void prefixFollowsTheCollection()
    {
        DemoWorld world;
        QVERIFY(world.isValid());
        const char *key = "archicad.addon.material.prefix";
        DemoWorld::makeCurrent(DemoWorld::mainCollection());
        QCOMPARE(HostExport::materialPrefix(),
                 DB::localizedString(DemoWorld::mainCollection(), key));
        DemoWorld::makeCurrent(DemoWorld::lustrelCollection());
        const QString lustrel = DB::localizedString(DemoWorld::lustrelCollection(), key);
        QVERIFY(lustrel != DB::localizedString(DemoWorld::mainCollection(), key));
        QCOMPARE(HostExport::materialPrefix(), lustrel);
        QCOMPARE(HostExport::defaultPenSetName(), QString("My Palette"));
    }

    // A host that refuses every attribute call: nothing is created and nothing breaks.
    void hostRefusesEverything()
    {
        std::array<unsigned char, HostApi::kServiceTableBytes> table{};
        HostServices services{};
        services.getAttribute = [](void *, void *) -> int32_t { return kHostGeneralError; };
        services.createAttribute = [](void *, void *, void *) -> int32_t {
            return kHostGeneralError;
        };
        services.modifyAttribute = [](void *, void *, void *) -> int32_t {
            return kHostGeneralError;
        };
        std::memcpy(table.data(), &services, sizeof services);
        HostConnection::instance().setServiceTable(table.data());
        const ExportMap map =
            buildExportMap({cell(0xff0000, "Red"), cell(0x00ff00, "Green")}, false);
        QCOMPARE(HostExport::createMaterials(map, "x"), 0);
        QVERIFY(!HostExport::createPenTable(map, "Set", "x", "Unnamed"));
    }

    void withoutServiceTable()
    {
        const ExportMap map = buildExportMap({cell(0xff0000, "Red")}, false);
        QCOMPARE(HostExport::createMaterials(map, "x"), 0);
        QVERIFY(!HostExport::createPenTable(map, "Set", "x", "Unnamed"));
        QCOMPARE(HostConnection::instance().requestResidency(), kHostServiceMissing);
        QVERIFY(!HostConnection::instance().mainWindow());
    }
};

QTEST_MAIN(TestHostExport)
#include "tst_hostexport.moc"
