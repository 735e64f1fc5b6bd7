// hueport-host as people and scripts run it, before any add-on is involved.

#include "host/runner/jsonvalue.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run runHost(const QStringList &arguments, const QString &folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(HOST_PROGRAM), arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000))
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestHostProgram : public QObject
{
    Q_OBJECT

private slots:
    void commandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("says");
        QTest::newRow("help") << QStringList{"--help"} << 0 << QByteArray("usage: hueport-host");
        QTest::newRow("unknown command")
            << QStringList{"draw"} << 2 << QByteArray("unknown command \"draw\"");
        QTest::newRow("unknown option")
            << QStringList{"--fast"} << 2 << QByteArray("unknown option");
        QTest::newRow("value missing")
            << QStringList{"--module"} << 2 << QByteArray("--module needs a value");
        QTest::newRow("log missing")
            << QStringList{"--debug-log"} << 2 << QByteArray("--debug-log needs a value");
        QTest::newRow("no module")
            << QStringList{"--module", "missing.apx", "menus"} << 1 << QByteArray("missing.apx");
        QTest::newRow("not an add-on")
            << QStringList{"--module", "/bin/sh", "picker"} << 1 << QByteArray("/bin/sh");
    }

    void commandLines()
    {
        QTemporaryDir folder;
        QFETCH(QStringList, arguments);
        const Run run = runHost(arguments, folder.path());
        QFETCH(int, exitCode);
        QCOMPARE(run.exitCode, exitCode);
        QFETCH(QByteArray, says);
        const QByteArray said = run.out + run.err;
        QVERIFY2(said.contains(says), said.constData());
    }

    void jsonReportsTheProblem()
    {
        QTemporaryDir folder;
        const Run run = runHost({"--json", "--module", "missing.apx", "menus"}, folder.path());
        QCOMPARE(run.exitCode, 1);
        const auto document = HostRunner::JsonValue::parse(run.out.toStdString());
        QVERIFY2(document, run.out.constData());
        QCOMPARE((*document)["command"].toString(), std::string("start"));
        QVERIFY(!(*document)["error"].toString().empty());
        // The project file is created even when the add-on cannot be loaded.
        QVERIFY(readAll(folder.filePath("hueport-project.json")).contains("\"hueport-project\""));
    }

    void badProjectFileIsKept_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("not JSON") << QByteArray("{\"materials\": [");
        QTest::newRow("empty") << QByteArray();
    }

    void badProjectFileIsKept()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("mine.json");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QFETCH(QByteArray, contents);
        file.write(contents);
        file.close();
        const QByteArray before = readAll(path);
        const Run run = runHost({"--project", path, "menus"}, folder.path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("not a project file"));
        QCOMPARE(readAll(path), before);
    }
};

QTEST_GUILESS_MAIN(TestHostProgram)
#include "tst_hostprogram.moc"
