// Project colours end to end: a project seeded through the stand-in host's own commands,
// the real add-on making the ticked rows exact, and what the project file holds after.

#include "addon/projectcolouroutputs.h"
#include "engine/db/collectioncatalogue.h"
#include "engine/db/navigationqueries.h"
#include "engine/palette/projectcolourmatcher.h"
#include "host/runner/jsonvalue.h"
#include "tests/ui/demoworld.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using HostRunner::JsonValue;
using namespace Corvo;

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

QString rgbText(const QColor &colour)
{
    return QStringLiteral("%1,%2,%3").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

QColor colourOf(const JsonValue &rgb)
{
    const auto c = [&](std::size_t i) { return qRound(rgb.items().at(i).toNumber() * 255); };
    return QColor(c(0), c(1), c(2));
}

// The materials by name and the pens of the table, as the project file holds them.
struct Project
{
    std::map<std::string, std::string> materials;
    std::vector<std::string> pens;
    std::map<std::string, QColor> colours;
};

} // namespace

class TestProjectColoursFlow : public QObject
{
    Q_OBJECT

private:
    DemoWorld m_world;
    QTemporaryDir m_folder;
    QString m_project;

    Run runHost(const QStringList &arguments, const QByteArray &verdicts = QByteArray())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("HUEPORT_DEBUG_LOG", m_folder.filePath("debug.log"));
        if (!verdicts.isEmpty())
            environment.insert("HUEPORT_COLOURS", verdicts);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(HOST_PROGRAM),
                      QStringList{"--module", ADDON_MODULE, "--project", m_project} + arguments);
        process.closeWriteChannel();
        if (!process.waitForFinished(120000)) {
            process.kill();
            return {};
        }
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    bool seed(const QString &command, const QString &name, const QString &colours)
    {
        const Run run = runHost({command, name, colours});
        if (run.exitCode != 0)
            qWarning("%s", run.err.constData());
        return run.exitCode == 0;
    }

    Project readProject() const
    {
        QFile file(m_project);
        Project project;
        if (!file.open(QIODevice::ReadOnly))
            return project;
        const auto document = JsonValue::parse(file.readAll().toStdString());
        if (!document)
            return project;
        for (const JsonValue &material : (*document)["materials"].items()) {
            project.materials[material["name"].toString()] = material.serialize();
            project.colours[material["name"].toString()] = colourOf(material["rgb"]);
        }
        for (const JsonValue &table : (*document)["penTables"].items()) {
            for (const JsonValue &pen : table["pens"].items())
                project.pens.push_back(pen.serialize());
        }
        return project;
    }

    static DB::ColorEntry chip(int page, int row)
    {
        DB::ColorEntry entry;
        DB::rowAt(DemoWorld::mainCollection(), page, row, entry);
        return entry;
    }

    // A colour near the chip whose nearest chip is still that one, with a close verdict.
    static QColor slightlyOff(const ProjectColourMatcher &matcher, const QColor &chip)
    {
        for (int step = 1; step < 12; ++step) {
            const QColor off(qMin(255, chip.red() + step), chip.green(),
                             qMax(0, chip.blue() - step));
            const ProjectColourMatch match = matcher.match(off);
            if (match.verdict == ColourVerdict::Close && match.chipColour == chip)
                return off;
        }
        return QColor();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_world.isValid());
        DemoWorld::clearPreferences();
        DemoWorld::makeCurrent(DemoWorld::mainCollection());
        m_project = m_folder.filePath("project.json");
    }

    // Exact, close and far materials, a name an export would give, a name shared by a
    // material and a pen table, and pens: exact and close rows change, the rest stays.
    void makeExactChangesJustTheTickedRows()
    {
        const ProjectColourMatcher matcher(DB::orderedCollections());
        const QColor exactChip = DB::chipColor(chip(7, 1));
        const QColor takenChip = DB::chipColor(chip(7, 2));
        const QColor renamedChip = DB::chipColor(chip(9, 3));
        const QColor offTaken = slightlyOff(matcher, takenChip);
        const QColor offRenamed = slightlyOff(matcher, renamedChip);
        QVERIFY(offTaken.isValid() && offRenamed.isValid());
        const QString takenName = ProjectColourOutputs::exportName(matcher.match(takenChip));
        const QString renamedName = ProjectColourOutputs::exportName(matcher.match(renamedChip));

        QVERIFY(seed("add-material", "Exact", rgbText(exactChip)));
        QVERIFY(seed("add-material", takenName, rgbText(takenChip)));
        QVERIFY(seed("add-material", "Hall", rgbText(offTaken)));
        QVERIFY(seed("add-material", "Porch", rgbText(offRenamed)));
        QVERIFY(seed("add-material", "Neon", "0,255,0"));
        QVERIFY(
            seed("add-pens", "Hall", rgbText(exactChip) + ";" + rgbText(offRenamed) + ";0,255,0"));
        const Project before = readProject();

        const Run run = runHost({"--json", "colours"}, "exact:close");
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const auto document = JsonValue::parse(run.out.toStdString());
        QVERIFY2(document, run.out.constData());
        QCOMPARE((*document)["modified"].items().size(), size_t(5));
        const JsonValue &hall = (*document)["modified"].items()[2];
        QCOMPARE(hall["before"]["name"].toString(), std::string("Hall"));
        QCOMPARE(colourOf(hall["before"]["rgb"]), offTaken);

        const Project after = readProject();
        // The name an export gives belongs to another material: Hall keeps its own.
        QCOMPARE(after.colours.at("Hall"), takenChip);
        QCOMPARE(after.colours.at(renamedName.toStdString()), renamedChip);
        QVERIFY(!after.materials.count("Porch"));
        QCOMPARE(after.materials.at("Neon"), before.materials.at("Neon"));
        QCOMPARE(after.materials.at(takenName.toStdString()),
                 before.materials.at(takenName.toStdString()));
        // An exact row ticked keeps its colour and takes the export's name.
        const QString exactName = ProjectColourOutputs::exportName(matcher.match(exactChip));
        QVERIFY(!after.materials.count("Exact"));
        QCOMPARE(after.colours.at(exactName.toStdString()), exactChip);
        QCOMPARE(after.pens.size(), before.pens.size());
        for (std::size_t i = 0; i < after.pens.size(); ++i) {
            if (i != 0 && i != 1)
                QCOMPARE(after.pens[i], before.pens[i]);
        }
        const auto pen = JsonValue::parse(after.pens[1]);
        QCOMPARE(colourOf((*pen)["rgb"]), renamedChip);
        QCOMPARE(QString::fromStdString((*pen)["description"].toString()), renamedName);
        QCOMPARE((*pen)["width"].toNumber(), 0.25);

        // Nothing is close or near any more.
        const Run again = runHost({"--json", "colours"}, "close:near");
        QVERIFY2(again.exitCode == 0, again.err.constData());
        const auto second = JsonValue::parse(again.out.toStdString());
        QVERIFY(second && (*second)["modified"].items().empty());
    }

    // An older host's table: the command is offered disabled and cannot run.
    void olderServiceTable()
    {
        const Run menus = runHost({"--json", "--services-version", "1", "menus"});
        QCOMPARE(menus.exitCode, 0);
        const auto document = JsonValue::parse(menus.out.toStdString());
        QVERIFY(document);
        const auto &items = (*document)["menus"].items();
        QCOMPARE(items.size(), size_t(3));
        QVERIFY(items[0]["enabled"].toBool());
        QVERIFY(!items[2]["enabled"].toBool());
        QFile log(m_folder.filePath("debug.log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains("cannot list attributes"));
        const QByteArray project = [this] {
            QFile file(m_project);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        const Run colours = runHost({"--services-version", "1", "colours"}, "exact:close");
        QCOMPARE(colours.exitCode, 1);
        QVERIFY2(colours.err.contains("disabled"), colours.err.constData());
        QFile file(m_project);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), project);
    }

    void seedingRefusesBadInput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("says");
        QTest::newRow("two channels")
            << QStringList{"add-material", "A", "1,2"} << QByteArray("not a colour");
        QTest::newRow("channel too big")
            << QStringList{"add-material", "A", "1,2,256"} << QByteArray("not a colour");
        QTest::newRow("pens not colours")
            << QStringList{"add-pens", "T", "1,2,3;x"} << QByteArray("not a list");
        QTest::newRow("name too long") << QStringList{"add-pens", QString(256, 'n'), "1,2,3"}
                                       << QByteArray("longer than 255 bytes");
        QTest::newRow("name taken")
            << QStringList{"add-material", "Neon", "1,2,3"} << QByteArray("already");
    }

    void seedingRefusesBadInput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, says);
        QFile file(m_project);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        const Run run = runHost(arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(says), run.err.constData());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }
};

QTEST_MAIN(TestProjectColoursFlow)
#include "tst_projectcoloursflow.moc"
