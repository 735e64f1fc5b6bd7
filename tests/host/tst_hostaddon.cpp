// The stand-in host running the real add-on module on the demo data.

#include "engine/db/collectionlookups.h"
#include "engine/db/navigationqueries.h"
#include "engine/db/productqueries.h"
#include "engine/palette/palettecell.h"
#include "engine/settings/preferences.h"
#include "host/runner/jsonvalue.h"
#include "tests/ui/demoworld.h"

#include <QImage>
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

Run runHost(const QStringList &arguments, const QString &folder,
            const QProcessEnvironment &environment, const QByteArray &input = QByteArray())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(HOST_PROGRAM), QStringList{"--module", ADDON_MODULE} + arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000)) {
        process.kill();
        return {};
    }
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// The documents of a --json run, one per line.
std::vector<JsonValue> documents(const QByteArray &out)
{
    std::vector<JsonValue> list;
    for (const QByteArray &line : out.split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        auto document = JsonValue::parse(line.toStdString());
        if (!document)
            return {};
        list.push_back(std::move(*document));
    }
    return list;
}

struct Chip
{
    QRgb rgb;
    QString name;
};

} // namespace

class TestHostAddOn : public QObject
{
    Q_OBJECT

private:
    DemoWorld m_world;
    QTemporaryDir m_folder;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        return environment;
    }

    std::vector<JsonValue> runJson(const QStringList &arguments, const QProcessEnvironment &env,
                                   const QString &folder, int exitCode = 0)
    {
        const Run run = runHost(QStringList{"--json"} + arguments, folder, env);
        if (run.exitCode != exitCode) {
            qWarning("exit %d: %s", run.exitCode, run.err.constData());
            return {};
        }
        return documents(run.out);
    }

    // Three chips of the demo in the palette, one of them twice; the colours the export
    // must give, in ascending RGB order, with their names.
    QList<Chip> fillPalette()
    {
        const QUuid main = DemoWorld::mainCollection();
        DemoWorld::clearPreferences();
        DemoWorld::makeCurrent(main);
        const QString prefix = DB::localizedString(main, "archicad.addon.material.prefix");
        QList<Chip> chips;
        const QList<QPair<QPoint, int>> cells{{{0, 0}, 1}, {{5, 3}, 2}, {{2, 1}, 3}, {{3, 1}, 1}};
        for (const auto &[cell, rowIndex] : cells) {
            DB::ColorEntry entry;
            if (DB::rowAt(main, 7, rowIndex, entry) != 0)
                return {};
            Preferences::setMyPaletteEntry(cell.x(), cell.y(),
                                           ItemIndex(main, entry.pageId, entry.id));
            QStringList codes;
            DB::productCodes(main, entry.id, codes);
            QString name = cellForChip(main, entry).label;
            if (!codes.isEmpty())
                name += " - " + codes.join(", ");
            const Chip chip{DB::chipColor(entry).rgb(),
                            prefix.isEmpty() ? name : prefix + " " + name};
            if (std::none_of(chips.begin(), chips.end(),
                             [&](const Chip &c) { return c.rgb == chip.rgb; }))
                chips.append(chip);
        }
        std::sort(chips.begin(), chips.end(), [](const Chip &x, const Chip &y) {
            return std::make_tuple(qRed(x.rgb), qGreen(x.rgb), qBlue(x.rgb)) <
                   std::make_tuple(qRed(y.rgb), qGreen(y.rgb), qBlue(y.rgb));
        });
        return chips;
    }

    static QRgb rgbOf(const JsonValue &rgb)
    {
        const auto c = [&](std::size_t i) { return qRound(rgb.items().at(i).toNumber() * 255); };
        return qRgb(c(0), c(1), c(2));
    }

private slots:
    void initTestCase() { QVERIFY(m_world.isValid()); }

    void handshakeAndMenus()
    {
        const Run run = runHost({"--json", "menus"}, m_folder.path(), environment());
        QCOMPARE(run.exitCode, 0);
        const auto docs = documents(run.out);
        QCOMPARE(docs.size(), size_t(1));
        const JsonValue &handshake = docs[0]["handshake"];
        QCOMPARE(handshake["checkEnvironment"].toNumber(), 1.0);
        QCOMPARE(handshake["name"].toString(), std::string("Velmora Tintwell"));
        QCOMPARE(handshake["description"].toString(), std::string("Velmora Tintwell"));
        QCOMPARE(handshake["registerInterface"].toNumber(), 0.0);
        QCOMPARE(handshake["initialize"].toNumber(), 0.0);
        const auto &menus = docs[0]["menus"].items();
        QCOMPARE(menus.size(), size_t(3));
        QCOMPARE(menus[0]["menu"].toString(), std::string("Velmora"));
        QCOMPARE(menus[0]["item"].toString(), std::string("Color Picker"));
        QCOMPARE(menus[0]["menuResId"].toNumber(), 32500.0);
        QCOMPARE(menus[1]["item"].toString(), std::string("About ..."));
        QCOMPARE(menus[2]["item"].toString(), std::string("Project colours"));
        QCOMPARE(menus[2]["menuResId"].toNumber(), 32502.0);
        QVERIFY(menus[2]["enabled"].toBool());
        // Free-data came before the unload.
        QVERIFY2(!run.err.contains("Abnormal"), run.err.constData());
    }

    void commandsShowTheirWindows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QSize>("size");
        QTest::newRow("picker") << "picker" << QSize(800, 600);
        QTest::newRow("about") << "about" << QSize(680, 480);
    }

    void commandsShowTheirWindows()
    {
        QFETCH(QString, command);
        QFETCH(QSize, size);
        const QString picture = m_folder.filePath(command + ".png");
        QProcessEnvironment env = environment();
        env.insert("HUEPORT_SNAPSHOT", picture);
        const auto docs = runJson({command}, env, m_folder.path());
        QCOMPARE(docs.size(), size_t(1));
        QCOMPARE(docs[0]["command"].toString(), command.toStdString());
        QCOMPARE(docs[0]["result"].toNumber(), 0.0);
        QVERIFY(docs[0]["created"].items().empty());
        QCOMPARE(QImage(picture).size(), size);
    }

    // The add-on's Qt messages, the database layer's statements among them, go to the
    // host's debug print, which writes them to a log file and names it in one line; the
    // terminal sees them only when asked for.
    void messagesReachTheHostsDebugLog_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("log"); // empty: standard error
        QTest::newRow("beside the project file")
            << QStringList{"--project", "sub/project.json"} << QString() << "sub/hueport-debug.log";
        QTest::newRow("the variable") << QStringList() << "variable.log"
                                      << "variable.log";
        QTest::newRow("the option over the variable")
            << QStringList{"--debug-log", "option.log"} << "variable.log"
            << "option.log";
        QTest::newRow("standard error")
            << QStringList{"--debug-log", "-"} << QString() << QString();
    }

    void messagesReachTheHostsDebugLog()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, variable);
        QFETCH(QString, log);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkpath("sub"));
        QProcessEnvironment env = environment();
        env.remove("QT_LOGGING_RULES");
        env.remove("HUEPORT_DEBUG_LOG");
        env.insert("HUEPORT_SNAPSHOT", folder.filePath("debug.png"));
        if (!variable.isEmpty())
            env.insert("HUEPORT_DEBUG_LOG", variable);
        const Run run = runHost(arguments + QStringList{"picker"}, folder.path(), env);
        QCOMPARE(run.exitCode, 0);
        QByteArray printed = run.err;
        if (!log.isEmpty()) {
            QFile file(folder.filePath(log));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(log));
            printed = file.readAll();
            QVERIFY2(!run.err.contains("corvo.db"), run.err.constData());
            const QByteArray line = "hueport-host: debug messages written to " + log.toUtf8();
            QVERIFY2(run.err.contains(line), run.err.constData());
        }
        QVERIFY2(printed.contains("corvo.db: SELECT") && printed.contains("ROW_SCHEME_MAP"),
                 printed.left(400).constData());
    }

    // With the debug channel off nothing is written, and no line names a log.
    void quietRunWritesNoLog()
    {
        QTemporaryDir folder;
        QProcessEnvironment env = environment();
        env.remove("HUEPORT_DEBUG_LOG");
        env.insert("HUEPORT_SNAPSHOT", folder.filePath("quiet.png"));
        const Run run = runHost({"picker"}, folder.path(), env);
        QCOMPARE(run.exitCode, 0);
        QVERIFY(!QFile::exists(folder.filePath("hueport-debug.log")));
        QVERIFY2(!run.err.contains("debug"), run.err.constData());
    }

    // Each command makes its own application object and window, one after the other.
    void severalCommandsAndTheTerminalMenu()
    {
        QProcessEnvironment env = environment();
        env.insert("HUEPORT_SNAPSHOT", m_folder.filePath("any.png"));
        QCOMPARE(runJson({"picker", "about", "picker"}, env, m_folder.path()).size(), size_t(3));

        const Run menu = runHost({}, m_folder.path(), env, "7\n2\nq\n");
        QVERIFY2(menu.exitCode == 0, menu.err.constData());
        QVERIFY(menu.out.contains("No such command: 7"));
        QVERIFY(menu.out.contains("2 (Velmora > About ...): result 0"));
        QVERIFY(menu.out.contains("Choose: "));
    }

    void exportMaterials()
    {
        const QList<Chip> chips = fillPalette();
        QCOMPARE(chips.size(), 3);
        QTemporaryDir project;
        QProcessEnvironment env = environment();
        env.insert("HUEPORT_EXPORT", "materials");
        auto docs = runJson({"picker"}, env, project.path());
        QCOMPARE(docs.size(), size_t(1));
        const auto &created = docs[0]["created"].items();
        QCOMPARE(created.size(), size_t(3));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(created[i]["type"].toString(), std::string("material"));
            QCOMPARE(QString::fromStdString(created[i]["name"].toString()), chips[i].name);
            QCOMPARE(rgbOf(created[i]["rgb"]), chips[i].rgb);
        }
        // A second export finds the names in the project and leaves them alone.
        docs = runJson({"picker"}, env, project.path());
        QVERIFY(docs.at(0)["created"].items().empty());
        QVERIFY(docs.at(0)["modified"].items().empty());
    }

    void exportPenTable()
    {
        const QList<Chip> chips = fillPalette();
        QTemporaryDir project;
        QProcessEnvironment env = environment();
        env.insert("HUEPORT_EXPORT", "penset");
        auto docs = runJson({"picker"}, env, project.path());
        QCOMPARE(docs.at(0)["created"].items().size(), size_t(1));
        const JsonValue &table = docs[0]["created"].items()[0];
        QCOMPARE(table["type"].toString(), std::string("penTable"));
        // Nobody named the set: it gets a name of its own.
        QCOMPARE(table["name"].toString(), std::string("My Palette 1"));
        const auto &pens = table["pens"].items();
        QCOMPARE(pens.size(), size_t(255));
        for (int i = 0; i < 255; ++i) {
            QCOMPARE(pens[i]["index"].toNumber(), double(i + 1));
            QCOMPARE(pens[i]["width"].toNumber(), i < 3 ? 0.25 : 0.0);
            QCOMPARE(rgbOf(pens[i]["rgb"]), i < 3 ? chips[i].rgb : qRgb(255, 255, 255));
            QCOMPARE(QString::fromStdString(pens[i]["description"].toString()),
                     i < 3 ? chips[i].name : QString());
        }
    }

    // An unnamed export never replaces a table; one the user named replaces the table of
    // that name. The description comes back in every new window.
    void penTablesTheUserDidNotName()
    {
        fillPalette();
        QTemporaryDir project;
        QProcessEnvironment env = environment();
        env.insert("HUEPORT_EXPORT", "penset");
        QCOMPARE(runJson({"picker"}, env, project.path()).size(), size_t(1));
        auto docs = runJson({"picker"}, env, project.path());
        QCOMPARE(docs.at(0)["created"].items().size(), size_t(1));
        QCOMPARE(docs[0]["created"].items()[0]["name"].toString(), std::string("My Palette 2"));
        QVERIFY(docs[0]["modified"].items().empty());

        Preferences::setMyPaletteDescription("Hall & stairs");
        docs = runJson({"picker", "picker"}, env, project.path());
        QCOMPARE(docs.size(), size_t(2));
        QCOMPARE(docs[0]["created"].items().at(0)["name"].toString(), std::string("Hall & stairs"));
        QCOMPARE(docs[1]["modified"].items().at(0)["name"].toString(),
                 std::string("Hall & stairs"));
        QVERIFY(docs[1]["created"].items().empty());
    }

    // HUEPORT_EXPORT does only what a person could: nothing for an empty palette, and a
    // value that names no export is ignored, with a line on the debug output.
    void exportSwitchStaysHarmless_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("emptyPalette");
        QTest::addColumn<QByteArray>("logged");
        QTest::newRow("empty palette")
            << "penset" << true << QByteArray("The palette is empty: nothing to export");
        QTest::newRow("unknown value")
            << "surfaces" << false
            << QByteArray("HUEPORT_EXPORT=surfaces names no export (materials or penset): "
                          "ignored");
    }

    void exportSwitchStaysHarmless()
    {
        QFETCH(QString, value);
        QFETCH(bool, emptyPalette);
        QFETCH(QByteArray, logged);
        fillPalette();
        if (emptyPalette)
            DemoWorld::clearPreferences();
        QTemporaryDir project;
        const QString log = project.filePath("debug.log");
        QProcessEnvironment env = environment();
        env.insert("HUEPORT_EXPORT", value);
        env.insert("HUEPORT_DEBUG_LOG", log);
        // Without the export, only the photograph closes the window.
        if (!emptyPalette)
            env.insert("HUEPORT_SNAPSHOT", project.filePath("window.png"));
        const auto docs = runJson({"picker"}, env, project.path());
        QCOMPARE(docs.size(), size_t(1));
        QVERIFY(docs[0]["created"].items().empty());
        QFile file(log);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count(logged), 1);
    }

    // Without collections the add-on refuses to start and says so to the host alone.
    void noCollections()
    {
        QTemporaryDir empty;
        QProcessEnvironment env = environment();
        env.insert("XDG_DATA_DIRS", empty.path());
        const Run run = runHost({"--json", "menus"}, m_folder.path(), env);
        QCOMPARE(run.exitCode, 1);
        const auto docs = documents(run.out);
        QCOMPARE(docs.size(), size_t(1));
        QCOMPARE(docs[0]["command"].toString(), std::string("start"));
        QCOMPARE(docs[0]["handshake"]["initialize"].toNumber(), -2130313215.0);
        QVERIFY(!run.err.contains("Abnormal"));
    }
};

QTEST_MAIN(TestHostAddOn)
#include "tst_hostaddon.moc"
