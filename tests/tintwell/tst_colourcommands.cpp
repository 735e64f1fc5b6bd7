#include "engine/colour/colorscience.h"
#include "testenvironment.h"
#include "tools/tintwell/authoring/collectionfilewriter.h"
#include "tools/tintwell/cli/commandline.h"

#include <QColor>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <memory>

namespace {

const QUuid uuidA(QStringLiteral("{C0100000-0000-4000-8000-00000000000A}"));
const QUuid uuidB(QStringLiteral("{C0100000-0000-4000-8000-00000000000B}"));

struct DeckChip
{
    qint64 collection;
    int pageIndex;
    int rowIndex;
    const char *code;
    QColor color;
};

const DeckChip deckChips[] = {
    {1, 1, 1, "A-RED", QColor(200, 30, 30)},
    {1, 1, 2, "A-GREEN", QColor(12, 200, 10)},
    {1, 2, 1, "A-GREY", QColor(129, 128, 128)},
    {2, 1, 1, "B-BLUE", QColor(20, 40, 200)},
};

QString buildDeck(const QString &path)
{
    Tintwell::CollectionFileWriter writer;
    if (!writer.create(path) || !writer.addSystemWideCollection())
        return writer.lastError();
    for (const auto &[id, uuid] : {std::pair{qint64(1), uuidA}, std::pair{qint64(2), uuidB}}) {
        Tintwell::CollectionFields fields;
        fields.id = id;
        fields.uuid = uuid;
        fields.systemId = id == 1 ? QStringLiteral("ALPHA") : QStringLiteral("BETA");
        fields.name = fields.systemId;
        fields.order = int(id);
        if (!writer.addCollection(fields) ||
            !writer.addSetting(id, QStringLiteral("collection.enabled"), QStringLiteral("1")))
            return writer.lastError();
    }
    QHash<QPair<qint64, int>, qint64> pages;
    for (const DeckChip &chip : deckChips) {
        const QPair<qint64, int> key(chip.collection, chip.pageIndex);
        if (!pages.contains(key)) {
            Tintwell::PageFields page;
            page.pageIndex = chip.pageIndex;
            const auto pageId = writer.addPage(chip.collection, page);
            if (!pageId)
                return writer.lastError();
            pages.insert(key, *pageId);
        }
        const Corvo::Lab lab = Corvo::labFromColor(chip.color);
        Tintwell::RowFields row;
        row.pageId = pages.value(key);
        row.rowIndex = chip.rowIndex;
        row.code = QString::fromLatin1(chip.code);
        row.red = chip.color.red();
        row.green = chip.color.green();
        row.blue = chip.color.blue();
        row.l = lab.l;
        row.a = lab.a;
        row.b = lab.b;
        if (!writer.addRow(chip.collection, row))
            return writer.lastError();
    }
    return writer.close() ? QString() : writer.lastError();
}

} // namespace

class TestColourCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void labGivesCielab_data();
    void labGivesCielab();
    void deltaEGivesDifference();
    void refusesBadNumbers_data();
    void refusesBadNumbers();
    void matchRunsTheCascade_data();
    void matchRunsTheCascade();
    void matchReportsNoChip();
    void matchPrintsReadableLine();
    void matchFindsDemoChips();

private:
    int run(const QStringList &arguments);
    QJsonObject jsonObject() const;

    std::unique_ptr<TestEnvironment> m_environment;
    QString m_out;
    QString m_err;
};

void TestColourCommands::initTestCase()
{
    m_environment = std::make_unique<TestEnvironment>();
    const QString error = buildDeck(m_environment->collectionFile(QStringLiteral("deck.db")));
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TestColourCommands::cleanupTestCase()
{
    m_environment.reset();
}

int TestColourCommands::run(const QStringList &arguments)
{
    m_out.clear();
    m_err.clear();
    QTextStream out(&m_out);
    QTextStream err(&m_err);
    QStringList line = arguments.mid(0, 1);
    line << QStringLiteral("--data") << m_environment->dataFolder() << arguments.mid(1);
    const int status = Tintwell::runCommandLine(line, out, err);
    out.flush();
    err.flush();
    return status;
}

QJsonObject TestColourCommands::jsonObject() const
{
    return QJsonDocument::fromJson(m_out.toUtf8()).object();
}

void TestColourCommands::labGivesCielab_data()
{
    QTest::addColumn<QStringList>("channels");
    QTest::addColumn<QString>("readable");
    QTest::newRow("black") << QStringList{"0", "0", "0"} << "L 0.0000  a 0.0000  b 0.0000\n";
    QTest::newRow("red") << QStringList{"255", "0", "0"} << "L 53.2329  a 80.1093  b 67.2201\n";
    QTest::newRow("white") << QStringList{"255", "255", "255"}
                           << "L 100.0000  a 0.0053  b -0.0104\n";
}

void TestColourCommands::labGivesCielab()
{
    QFETCH(QStringList, channels);
    QFETCH(QString, readable);

    QCOMPARE(run(QStringList{"lab"} + channels), 0);
    QCOMPARE(m_out, readable);
    QCOMPARE(run(QStringList{"lab"} + channels + QStringList{"--json"}), 0);
    const QJsonObject lab = jsonObject();
    const Corvo::Lab expected = Corvo::labFromColor(
        QColor(channels.at(0).toInt(), channels.at(1).toInt(), channels.at(2).toInt()));
    QCOMPARE(lab.value("l").toDouble(), expected.l);
    QCOMPARE(lab.value("a").toDouble(), expected.a);
    QCOMPARE(lab.value("b").toDouble(), expected.b);
}

void TestColourCommands::deltaEGivesDifference()
{
    const QStringList pair{"deltae", "50", "2.5", "0", "73", "25", "-18"};
    QCOMPARE(run(pair), 0);
    QCOMPARE(m_out, QStringLiteral("27.1492\n"));
    QCOMPARE(run(pair + QStringList{"--json"}), 0);
    QVERIFY(qAbs(jsonObject().value("deltaE").toDouble() - 27.1492) < 0.00005);
}

void TestColourCommands::refusesBadNumbers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("channel above 255") << QStringList{"lab", "256", "0", "0"};
    QTest::newRow("negative channel") << QStringList{"lab", "-1", "0", "0"};
    QTest::newRow("fractional channel") << QStringList{"lab", "1.5", "0", "0"};
    QTest::newRow("channel not a number") << QStringList{"lab", "red", "0", "0"};
    QTest::newRow("two channels") << QStringList{"lab", "1", "2"};
    QTest::newRow("difference of text") << QStringList{"deltae", "50", "a", "0", "1", "2", "3"};
    QTest::newRow("infinite lightness") << QStringList{"deltae", "1e999", "0", "0", "1", "2", "3"};
    QTest::newRow("not a number") << QStringList{"deltae", "nan", "0", "0", "1", "2", "3"};
    QTest::newRow("match without colour") << QStringList{"match", "ALPHA"};
    QTest::newRow("match with two channels") << QStringList{"match", "ALPHA", "--rgb", "1,2"};
    QTest::newRow("match beyond 8 bits") << QStringList{"match", "ALPHA", "--rgb", "300,0,0"};
}

void TestColourCommands::refusesBadNumbers()
{
    QFETCH(QStringList, arguments);
    QCOMPARE(run(arguments + QStringList{"--json"}), 2);
    QVERIFY(m_out.isEmpty());
    QCOMPARE(m_err.count(u'\n'), 1);
    QVERIFY(m_err.startsWith(QStringLiteral("tintwell ")));
}

void TestColourCommands::matchRunsTheCascade_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QUuid>("collection");
    QTest::addColumn<int>("pageIndex");
    QTest::addColumn<int>("rowIndex");

    QTest::newRow("nearest under the threshold")
        << QStringList{"ALPHA", "--rgb", "10,200,10"} << "A-GREEN" << uuidA << 1 << 2;
    QTest::newRow("exact colour in another collection")
        << QStringList{"alpha", "--rgb", "20,40,200"} << "B-BLUE" << uuidB << 1 << 1;
    QTest::newRow("code before colour")
        << QStringList{uuidB.toString(), "--rgb", "20,40,200", "--name1", "a-grey"} << "A-GREY"
        << uuidA << 2 << 1;
    QTest::newRow("second name") << QStringList{"BETA", "--rgb",   "1,1,1", "--name1",
                                                " ",    "--name2", "A-RED"}
                                 << "A-RED" << uuidA << 1 << 1;
}

void TestColourCommands::matchRunsTheCascade()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, code);
    QFETCH(QUuid, collection);
    QFETCH(int, pageIndex);
    QFETCH(int, rowIndex);

    QCOMPARE(run(QStringList{"match"} + arguments + QStringList{"--json"}), 0);
    const QJsonObject match = jsonObject();
    QCOMPARE(match.value("found").toBool(), true);
    QCOMPARE(match.value("code").toString(), code);
    QCOMPARE(QUuid::fromString(match.value("collection").toString()), collection);
    QCOMPARE(match.value("pageIndex").toInt(), pageIndex);
    QCOMPARE(match.value("rowIndex").toInt(), rowIndex);
    QVERIFY(match.value("rowId").toInteger() > 0);
    QCOMPARE(match.value("rgb").toArray().size(), 3);
}

void TestColourCommands::matchReportsNoChip()
{
    // (128, 128, 128) is 0.5751 from A-GREY: over the default threshold.
    QCOMPARE(run({"match", "ALPHA", "--rgb", "128,128,128", "--json"}), 1);
    QCOMPARE(jsonObject(), QJsonObject({{"found", false}}));
    QCOMPARE(run({"match", "ALPHA", "--rgb", "128,128,128"}), 1);
    QVERIFY(m_out.isEmpty());
    QVERIFY2(m_err.startsWith(QStringLiteral("tintwell match: no chip stands for #808080")),
             qPrintable(m_err));
    QCOMPARE(run({"match", "NOSUCH", "--rgb", "1,2,3"}), 1);
    QCOMPARE(m_err.count(u'\n'), 1);
}

void TestColourCommands::matchPrintsReadableLine()
{
    QCOMPARE(run({"match", "ALPHA", "--rgb", "12,200,10"}), 0);
    QVERIFY2(m_out.startsWith(QStringLiteral("A-GREEN  #0CC80A  card 1 chip 2")),
             qPrintable(m_out));
    QVERIFY(m_out.trimmed().endsWith(QStringLiteral("deltaE 0.0000")));
}

void TestColourCommands::matchFindsDemoChips()
{
    TestEnvironment demo;
    QString buildOutput;
    QTextStream captured(&buildOutput);
    QCOMPARE(Tintwell::runCommandLine({"build", "--demo", demo.dataFolder()}, captured, captured),
             0);
    TestEnvironment::resetCatalogue();

    auto runDemo = [&](const QStringList &arguments) {
        m_out.clear();
        QTextStream stream(&m_out);
        QString errors;
        QTextStream err(&errors);
        const int status = Tintwell::runCommandLine(
            arguments + QStringList{"--data", demo.dataFolder(), "--json"}, stream, err);
        stream.flush();
        return status;
    };
    QCOMPARE(runDemo({"collections"}), 0);
    const QJsonArray collections = QJsonDocument::fromJson(m_out.toUtf8()).array();
    QVERIFY(!collections.isEmpty());
    const QString systemId = collections.first().toObject().value("systemId").toString();

    QCOMPARE(runDemo({"page", systemId, "--index", "1"}), 0);
    const QJsonArray rows = jsonObject().value("rows").toArray();
    QVERIFY(!rows.isEmpty());
    for (const QJsonValue &value : rows) {
        const QJsonObject row = value.toObject();
        const QJsonArray rgb = row.value("rgb").toArray();
        const QString channels = QStringLiteral("%1,%2,%3")
                                     .arg(rgb.at(0).toInt())
                                     .arg(rgb.at(1).toInt())
                                     .arg(rgb.at(2).toInt());
        // By its code, then by its exact colour, the chip is found again.
        QCOMPARE(runDemo({"match", systemId, "--rgb", channels, "--name1",
                          row.value("code").toString()}),
                 0);
        QCOMPARE(jsonObject().value("rowId").toInteger(), row.value("id").toInteger());
        QCOMPARE(runDemo({"match", systemId, "--rgb", channels}), 0);
        QCOMPARE(jsonObject().value("rgb").toArray(), rgb);
        QCOMPARE(jsonObject().value("deltaE").toDouble(), 0.0);
    }
}

QTEST_MAIN(TestColourCommands)
#include "tst_colourcommands.moc"
