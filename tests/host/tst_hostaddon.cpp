// The stand-in host running the real add-on module on the demo data.

#include "host/runner/jsonvalue.h"
#include "tests/ui/demoworld.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using HostRunner::JsonValue;

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

private slots:
    void initTestCase() { QVERIFY(m_world.isValid()); }

    void handshakeAndMenus()
    {
        const Run run = runHost({"--json", "menus"}, m_folder.path(), environment());
        QCOMPARE(run.exitCode, 0);
        const auto document = JsonValue::parse(run.out.toStdString());
        QVERIFY2(document, run.out.constData());
        const JsonValue &handshake = (*document)["handshake"];
        QCOMPARE(handshake["checkEnvironment"].toNumber(), 1.0);
        QCOMPARE(handshake["name"].toString(), std::string("Velmora Tintwell"));
        QCOMPARE(handshake["description"].toString(), std::string("Velmora Tintwell"));
        QCOMPARE(handshake["registerInterface"].toNumber(), 0.0);
        QCOMPARE(handshake["initialize"].toNumber(), 0.0);
        const auto &menus = (*document)["menus"].items();
        QCOMPARE(menus.size(), size_t(2));
        QCOMPARE(menus[0]["menu"].toString(), std::string("Velmora"));
        QCOMPARE(menus[0]["item"].toString(), std::string("Color Picker"));
        QCOMPARE(menus[0]["menuResId"].toNumber(), 32500.0);
        QCOMPARE(menus[1]["item"].toString(), std::string("About ..."));
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
        const Run run = runHost({"--json", command}, m_folder.path(), env);
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const auto document = JsonValue::parse(run.out.toStdString());
        QVERIFY(document);
        const auto &commands = (*document)["commands"].items();
        QCOMPARE(commands.size(), size_t(1));
        QCOMPARE(commands[0]["result"].toNumber(), 0.0);
        QVERIFY(commands[0]["created"].items().empty());
        QCOMPARE((*document)["residencyRequests"].toNumber(), 1.0);
        const QImage shot(picture);
        QCOMPARE(shot.size(), size);
    }

    // Each command makes its own application object and window, one after the other.
    void severalCommandsAndTheTerminalMenu()
    {
        QProcessEnvironment env = environment();
        env.insert("HUEPORT_SNAPSHOT", m_folder.filePath("any.png"));
        const Run run = runHost({"--json", "picker", "about", "picker"}, m_folder.path(), env);
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const auto document = JsonValue::parse(run.out.toStdString());
        QVERIFY(document);
        QCOMPARE((*document)["commands"].items().size(), size_t(3));
        QCOMPARE((*document)["residencyRequests"].toNumber(), 3.0);

        const Run menu = runHost({}, m_folder.path(), env, "7\n2\nq\n");
        QVERIFY2(menu.exitCode == 0, menu.err.constData());
        QVERIFY(menu.out.contains("No such command: 7"));
        QVERIFY(menu.out.contains("2 (Velmora > About ...): result 0"));
        QVERIFY(menu.out.contains("Choose: "));
    }

    // Without collections the add-on refuses to start and says so to the host alone.
    void noCollections()
    {
        QTemporaryDir empty;
        QProcessEnvironment env = environment();
        env.insert("XDG_DATA_DIRS", empty.path());
        const Run run = runHost({"--json", "menus"}, m_folder.path(), env);
        QCOMPARE(run.exitCode, 1);
        const auto document = JsonValue::parse(run.out.toStdString());
        QVERIFY(document);
        QCOMPARE((*document)["handshake"]["initialize"].toNumber(), -2130313215.0);
        QVERIFY(!run.err.contains("Abnormal"));
    }
};

QTEST_MAIN(TestHostAddOn)
#include "tst_hostaddon.moc"
