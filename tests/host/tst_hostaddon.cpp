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
    // host's debug print and leave the host's standard error alone.
    void messagesReachTheHostsDebugPrint()
    {
        const QString log = m_folder.filePath("debug.log");
        QFile::remove(log);
        QProcessEnvironment env = environment();
        env.remove("QT_LOGGING_RULES");
        env.insert("HUEPORT_SNAPSHOT", m_folder.filePath("debug.png"));
        env.insert("HUEPORT_DEBUG_LOG", log);
        const Run run = runHost({"picker"}, m_folder.path(), env);
        QCOMPARE(run.exitCode, 0);
        QFile file(log);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray printed = file.readAll();
        QVERIFY2(printed.contains("corvo.db: SELECT") && printed.contains("ROW_SCHEME_MAP"),
                 printed.left(400).constData());
        QVERIFY2(!run.err.contains("corvo.db"), run.err.constData());
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
        // The description starts empty in every window, so the set has no name.
        QCOMPARE(table["name"].toString(), std::string());
        const auto &pens = table["pens"].items();
        QCOMPARE(pens.size(), size_t(255));
        for (int i = 0; i < 255; ++i) {
            QCOMPARE(pens[i]["index"].toNumber(), double(i + 1));
            QCOMPARE(pens[i]["width"].toNumber(), i < 3 ? 0.25 : 0.0);
            QCOMPARE(rgbOf(pens[i]["rgb"]), i < 3 ? chips[i].rgb : qRgb(255, 255, 255));
            QCOMPARE(QString::fromStdString(pens[i]["description"].toString()),
                     i < 3 ? chips[i].name : QString());
        }
        // The same name again: the pen table is overwritten.
        docs = runJson({"picker"}, env, project.path());
        QCOMPARE(docs.at(0)["modified"].items().size(), size_t(1));
        QVERIFY(docs[0]["created"].items().empty());
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
