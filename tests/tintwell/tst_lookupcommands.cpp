#include "tests/db/queryfixture.h"

#include "tools/tintwell/cli/commandline.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

// The read-only look-ups of the collection tool, run in-process on a purpose-built deck.
class LookupCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void collectionsInOfferedOrder();
    void pageByIndex();
    void adjacentPages_data();
    void adjacentPages();
    void segment();
    void search_data();
    void search();
    void suggest();
    void badUsage_data();
    void badUsage();
    void readableOutput();

private:
    int run(const QStringList &arguments);
    QJsonDocument json() const { return QJsonDocument::fromJson(m_out.toUtf8()); }

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<QueryFixture> m_fixture;
    QString m_out;
    QString m_err;
};

void LookupCommandsTest::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_fixture = std::make_unique<QueryFixture>(*m_environment);
    QVERIFY2(m_fixture->isValid(), qPrintable(m_fixture->error()));
}

void LookupCommandsTest::cleanup()
{
    m_fixture.reset();
    m_environment.reset();
}

int LookupCommandsTest::run(const QStringList &arguments)
{
    m_out.clear();
    m_err.clear();
    QTextStream out(&m_out);
    QTextStream err(&m_err);
    // The data folder goes before the arguments, which may end the options with "--".
    QStringList line = arguments.mid(0, 1);
    line << QStringLiteral("--data") << m_environment->dataFolder() << arguments.mid(1);
    const int status = Tintwell::runCommandLine(line, out, err);
    out.flush();
    err.flush();
    return status;
}

void LookupCommandsTest::collectionsInOfferedOrder()
{
    QCOMPARE(run({"collections", "--json"}), 0);
    const QJsonArray array = json().array();
    QCOMPARE(array.size(), 3);
    QStringList systemIds;
    for (const QJsonValue &value : array)
        systemIds.append(value[QLatin1String("systemId")].toString());
    QCOMPARE(systemIds, QStringList({"A", "B", "E"}));
    const QJsonObject first = array.first().toObject();
    QCOMPARE(QUuid::fromString(first.value(QLatin1String("uuid")).toString()),
             QueryFixture::uuidA());
    QCOMPARE(first.value(QLatin1String("name")).toString(), QStringLiteral("Alpha & Co"));
    QCOMPARE(first.value(QLatin1String("id")).toInt(), 1);
    QCOMPARE(first.value(QLatin1String("order")).toInt(), 1);
    QCOMPARE(first.value(QLatin1String("file")).toString(), m_fixture->path);
}

void LookupCommandsTest::pageByIndex()
{
    QCOMPARE(run({"page", "a", "--index", "3", "--json"}), 0);
    const QJsonObject page = json().object();
    QCOMPARE(page.value(QLatin1String("result")).toInt(), 0);
    QCOMPARE(page.value(QLatin1String("pageIndex")).toInt(), 3);
    QCOMPARE(page.value(QLatin1String("segment")).toInt(), 5);
    QCOMPARE(page.value(QLatin1String("exterior")).toBool(), true);
    QCOMPARE(page.value(QLatin1String("names")).toArray().size(), 10);
    const QJsonArray rows = page.value(QLatin1String("rows")).toArray();
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0)[QLatin1String("rowIndex")].toInt(), 1);
    QCOMPARE(rows.at(0)[QLatin1String("code")].toString(), QStringLiteral("P3R1"));
    QCOMPARE(rows.at(0)[QLatin1String("rgb")].toArray().size(), 3);
    QCOMPARE(rows.at(0)[QLatin1String("extras")].toArray().size(), 10);

    QCOMPARE(run({"page", QueryFixture::uuidA().toString(), "--index", "99", "--json"}), 1);
    QCOMPARE(json().object().value(QLatin1String("result")).toInt(), -1);
}

void LookupCommandsTest::adjacentPages_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("expected");
    QTest::newRow("next") << QStringList{"--index", "2", "--next"} << 5;
    QTest::newRow("previous wraps") << QStringList{"--index", "1", "--previous"} << 6;
    QTest::newRow("mood") << QStringList{"--index", "1", "--next", "--mood", "1"} << 5;
    QTest::newRow("exterior") << QStringList{"--index", "2", "--next", "--exterior"} << 3;
}

void LookupCommandsTest::adjacentPages()
{
    QFETCH(QStringList, options);
    QFETCH(int, expected);
    QCOMPARE(run(QStringList{"page", "A", "--json"} + options), 0);
    QCOMPARE(json().object().value(QLatin1String("pageIndex")).toInt(), expected);
}

void LookupCommandsTest::segment()
{
    QCOMPARE(run({"segment", "A", "--segment", "4", "--json"}), 0);
    QJsonObject answer = json().object();
    QCOMPARE(answer.value(QLatin1String("result")).toInt(), 0);
    QCOMPARE(answer.value(QLatin1String("segment")).toInt(), 9);
    QCOMPARE(answer.value(QLatin1String("pageIndex")).toInt(), 5);
    QCOMPARE(run({"segment", "A", "--segment", "4", "--mood", "3", "--json"}), 1);
    answer = json().object();
    QCOMPARE(answer.value(QLatin1String("result")).toInt(), -6);
    QCOMPARE(answer.value(QLatin1String("segment")).toInt(), 4);
    QCOMPARE(answer.value(QLatin1String("pageIndex")).toInt(), -1);
}

void LookupCommandsTest::search_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("pageIndex");
    QTest::addColumn<int>("rowIndex");
    QTest::newRow("card") << "card 2" << 0 << 2 << -1;
    QTest::newRow("chip") << "blå" << 0 << 2 << 1;
    QTest::newRow("missing") << "nothing" << 1 << -1 << -1;
}

void LookupCommandsTest::search()
{
    QFETCH(QString, phrase);
    QFETCH(int, status);
    QCOMPARE(run({"search", "A", "--json", "--", phrase}), status);
    const QJsonObject answer = json().object();
    QTEST(answer.value(QLatin1String("pageIndex")).toInt(), "pageIndex");
    QTEST(answer.value(QLatin1String("rowIndex")).toInt(), "rowIndex");
    QCOMPARE(answer.value(QLatin1String("result")).toInt(), status == 0 ? 0 : -6);
}

void LookupCommandsTest::suggest()
{
    QCOMPARE(run({"suggest", "B", "--json"}), 0);
    QCOMPARE(json().array().size(), 12);
    QCOMPARE(run({"suggest", "E", "--json"}), 1);
    QVERIFY(json().array().isEmpty());
    QCOMPARE(run({"suggest", "E"}), 1);
    QVERIFY(m_out.isEmpty());
    QCOMPARE(m_err.count(QLatin1Char('\n')), 1);
}

void LookupCommandsTest::badUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::newRow("index missing") << QStringList{"page", "A"} << 2;
    QTest::newRow("index not a number") << QStringList{"page", "A", "--index", "x"} << 2;
    QTest::newRow("both directions")
        << QStringList{"page", "A", "--index", "1", "--next", "--previous"} << 2;
    QTest::newRow("filter without a direction")
        << QStringList{"page", "A", "--index", "1", "--mood", "2"} << 2;
    QTest::newRow("mood not a number")
        << QStringList{"segment", "A", "--segment", "1", "--mood", "warm"} << 2;
    QTest::newRow("unknown collection") << QStringList{"page", "Z", "--index", "1"} << 1;
    QTest::newRow("disabled collection") << QStringList{"suggest", "D"} << 1;
}

void LookupCommandsTest::badUsage()
{
    QFETCH(QStringList, arguments);
    QTEST(run(arguments), "status");
    QVERIFY(m_out.isEmpty());
    QCOMPARE(m_err.count(QLatin1Char('\n')), 1);
    QVERIFY(m_err.startsWith(QStringLiteral("tintwell ")));
}

void LookupCommandsTest::readableOutput()
{
    QCOMPARE(run({"page", "A", "--index", "2"}), 0);
    QVERIFY2(m_out.startsWith(QStringLiteral("card 2 \"Card 2\"")), qPrintable(m_out));
    QVERIFY(m_out.contains(QStringLiteral("  1  P2R1  #")));
    QVERIFY(m_out.contains(QStringLiteral("Blå")));
    QCOMPARE(run({"search", "A", "o'brien 1"}), 0);
    QCOMPARE(m_out, QStringLiteral("chip 3 of card 1: segment 2, mood fresh, exterior no\n"));
    QCOMPARE(run({"collections"}), 0);
    QCOMPARE(m_out.count(QLatin1Char('\n')), 3);
}

QTEST_GUILESS_MAIN(LookupCommandsTest)
#include "tst_lookupcommands.moc"
