// The stand-in host holds an add-on to its contract: a module that breaks one rule at a
// time is caught, reported and failed.

#include "host/runner/jsonvalue.h"

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

Run runHost(const QString &rule, const QStringList &arguments, const QString &folder)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HUEPORT_MISBEHAVE", rule);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(HOST_PROGRAM),
                  QStringList{"--module", MISBEHAVING_MODULE} + arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000))
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// Every breach the documents of a --json run list.
std::vector<JsonValue> breachesOf(const QByteArray &out)
{
    std::vector<JsonValue> breaches;
    for (const QByteArray &line : out.split('\n')) {
        const auto document = JsonValue::parse(line.toStdString());
        if (document) {
            const auto &items = (*document)["breaches"].items();
            breaches.insert(breaches.end(), items.begin(), items.end());
        }
    }
    return breaches;
}

} // namespace

class TestHostContract : public QObject
{
    Q_OBJECT

private slots:
    void eachBreachIsCaught_data()
    {
        QTest::addColumn<QString>("during");
        QTest::addColumn<QString>("service");
        QTest::addColumn<QString>("text");
        const QString command = "command Misbehave";
        QTest::newRow("no context") << command << "residency request"
                                    << "called without the host context";
        QTest::newRow("another context") << command << "get attribute"
                                         << "called with a context other than the host's";
        QTest::newRow("context before initialise")
            << "register-interface"
            << "register menu"
            << "called with a context before initialise handed one over";
        QTest::newRow("menu registered during initialise")
            << "initialise"
            << "register menu"
            << "called during initialise; allowed only during register-interface";
        QTest::newRow("handler for an unregistered menu")
            << "initialise"
            << "install menu handler"
            << "called for menu 7001, which register-interface did not register";
        QTest::newRow("attribute outside a command")
            << "initialise"
            << "get attribute"
            << "called during initialise; allowed only during a menu command";
        QTest::newRow("residency value") << command << "residency request"
                                         << "called with 0; the host knows only 1";
        QTest::newRow("attribute record not zero-filled")
            << command << "create attribute"
            << "the attribute record is not zero-filled: 1 bytes outside its fields are set, "
               "the first at offset 900";
        QTest::newRow("definition record not zero-filled")
            << command << "create attribute"
            << "the definition record is not zero-filled: 1 bytes outside its fields are set, "
               "the first at offset 200";
        QTest::newRow("pens not cleared")
            << command << "create attribute"
            << "pen 10 is not zero-filled: 1 bytes outside its fields are set, the first at "
               "offset 100";
        QTest::newRow("name unterminated")
            << command << "create attribute"
            << "the attribute record: the name is not terminated within its 256 bytes";
        QTest::newRow("pen description unterminated")
            << command << "create attribute"
            << "pen 2: the description is not terminated within its 128 bytes";
        QTest::newRow("export record not zeroed")
            << "loading"
            << "GetExportedFuncAddrs"
            << "the export record is not zero-filled: 80 bytes outside its fields are set, the "
               "first at offset 4";
        QTest::newRow("environment unterminated")
            << "check-environment"
            << "check-environment"
            << "the environment record: the add-on name is not terminated within its 256 bytes";
        QTest::newRow("pen index") << command << "create attribute"
                                   << "pen 1 carries the index 0 (and 254 more pens alike)";
        QTest::newRow("handle forgotten") << "unload"
                                          << "memory handles"
                                          << "handles the add-on allocated and never released: 1";
        QTest::newRow("handle released twice")
            << "unload"
            << "memory handles"
            << "releases of handles that were not live (released before, or never "
               "allocated): 1";
        QTest::newRow("call after free-data") << "unload"
                                              << "residency request"
                                              << "called after free-data";
    }

    void eachBreachIsCaught()
    {
        QTemporaryDir folder;
        const Run run = runHost(QTest::currentDataTag(), {"--json", "picker"}, folder.path());
        QCOMPARE(run.exitCode, 3);
        const auto breaches = breachesOf(run.out);
        QCOMPARE(breaches.size(), size_t(1));
        QFETCH(QString, during);
        QFETCH(QString, service);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(breaches[0]["during"].toString()), during);
        QCOMPARE(QString::fromStdString(breaches[0]["service"].toString()), service);
        QCOMPARE(QString::fromStdString(breaches[0]["text"].toString()), text);
        QVERIFY2(run.err.contains(text.toUtf8()), run.err.constData());
    }

    void soundModulePasses()
    {
        QTemporaryDir folder;
        const Run run = runHost("none", {"--json", "picker"}, folder.path());
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QVERIFY(breachesOf(run.out).empty());
        QVERIFY(run.out.contains("\"breaches\":[]"));
        QVERIFY2(!run.err.contains("breach"), run.err.constData());
    }

    // In text, the breach and the count are said on standard error; the table keeps the
    // indexes the add-on wrote, so the fault shows in the project too.
    void textRunAndTheStoredTable()
    {
        QTemporaryDir folder;
        const Run run = runHost("pen index", {"picker"}, folder.path());
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.err.contains("hueport-host: contract breach during command Misbehave: "
                                  "create attribute pen 1 carries the index 0"),
                 run.err.constData());
        QVERIFY(run.err.contains("breached the host's contract 1 times"));
        QFile file(folder.filePath("hueport-project.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto project = JsonValue::parse(file.readAll().toStdString());
        QVERIFY(project);
        const auto &pens = (*project)["penTables"].items().at(0)["pens"].items();
        QCOMPARE(pens.at(0)["index"].toNumber(), 0.0);
        QCOMPARE(pens.at(254)["index"].toNumber(), 254.0);
    }
};

QTEST_GUILESS_MAIN(TestHostContract)
#include "tst_hostcontract.moc"
