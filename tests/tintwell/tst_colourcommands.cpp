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
const QUuid uuidC(QStringLiteral("{C0100000-0000-4000-8000-00000000000C}"));

struct DeckChip
{
    qint64 collection;
    int pageIndex;
    int rowIndex;
    const char *code;
    QColor color;
};

// Three chips share one colour, two of them in ALPHA; GAMMA is enabled without chips.
const DeckChip deckChips[] = {
    {1, 1, 1, "A-RED", QColor(200, 30, 30)},     {1, 1, 2, "A-GREEN", QColor(12, 200, 10)},
    {1, 1, 3, "A-TWIN1", QColor(100, 100, 200)}, {1, 2, 1, "A-GREY", QColor(129, 128, 128)},
    {1, 2, 2, "A-TWIN2", QColor(100, 100, 200)}, {2, 1, 1, "B-BLUE", QColor(20, 40, 200)},
    {2, 1, 2, "B-TWIN", QColor(100, 100, 200)},
};

QString buildDeck(const QString &path)
{
    Tintwell::CollectionFileWriter writer;
    if (!writer.create(path) || !writer.addSystemWideCollection())
        return writer.lastError();
    const char *const systemIds[] = {"ALPHA", "BETA", "GAMMA"};
    for (const auto &[id, uuid] :
         {std::pair{qint64(1), uuidA}, std::pair{qint64(2), uuidB}, std::pair{qint64(3), uuidC}}) {
        Tintwell::CollectionFields fields;
        fields.id = id;
        fields.uuid = uuid;
        fields.systemId = QString::fromLatin1(systemIds[id - 1]);
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
    void nearestListsChips_data();
    void nearestListsChips();
    void nearestDescribesEachChip();
    void nearestPrintsReadableLines();
    void nearestReportsNoChips();

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
    QTest::newRow("nearest without collection") << QStringList{"nearest", "--rgb", "1,2,3"};
    QTest::newRow("nearest without colour") << QStringList{"nearest", "ALPHA"};
    QTest::newRow("nearest with two channels") << QStringList{"nearest", "ALPHA", "--rgb", "1,2"};
    QTest::newRow("nearest beyond 8 bits") << QStringList{"nearest", "--all", "--rgb", "256,0,0"};
    QTest::newRow("nearest count of 0")
        << QStringList{"nearest", "ALPHA", "--rgb", "1,2,3", "--count", "0"};
    QTest::newRow("nearest count not a number")
        << QStringList{"nearest", "--all", "--rgb", "1,2,3", "--count", "many"};
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

void TestColourCommands::nearestListsChips_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("codes");

    QTest::newRow("equal differences in database order")
        << QStringList{"ALPHA", "--rgb", "100,100,200", "--count", "2"}
        << QStringList{"A-TWIN1", "A-TWIN2"};
    QTest::newRow("all collections, ties in collection order")
        << QStringList{"--all", "--rgb", "100,100,200", "--count", "3"}
        << QStringList{"A-TWIN1", "A-TWIN2", "B-TWIN"};
    QTest::newRow("five by default")
        << QStringList{"--all", "--rgb", "100,100,200"}
        << QStringList{"A-TWIN1", "A-TWIN2", "B-TWIN", "B-BLUE", "A-GREY"};
    QTest::newRow("fewer chips than asked for")
        << QStringList{"beta", "--rgb", "20,40,200", "--count", "9"}
        << QStringList{"B-BLUE", "B-TWIN"};
    QTest::newRow("by UUID, with the other colour forms")
        << QStringList{uuidA.toString(), "--rgb", "#0CC80A", "--count", "1"}
        << QStringList{"A-GREEN"};
    QTest::newRow("a named collection with --all searches all")
        << QStringList{"GAMMA", "--all", "--rgb", "20,40,200", "--count", "1"}
        << QStringList{"B-BLUE"};
}

void TestColourCommands::nearestListsChips()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, codes);

    QCOMPARE(run(QStringList{"nearest"} + arguments + QStringList{"--json"}), 0);
    const QJsonArray chips = QJsonDocument::fromJson(m_out.toUtf8()).array();
    QStringList found;
    double previous = 0.0;
    for (const QJsonValue &value : chips) {
        const QJsonObject chip = value.toObject();
        found.append(chip.value("code").toString());
        QVERIFY(chip.value("deltaE").toDouble() >= previous);
        previous = chip.value("deltaE").toDouble();
    }
    QCOMPARE(found, codes);
}

void TestColourCommands::nearestDescribesEachChip()
{
    QCOMPARE(run({"nearest", "--all", "--rgb", "20,40,201", "--count", "1", "--json"}), 0);
    const QJsonArray chips = QJsonDocument::fromJson(m_out.toUtf8()).array();
    QCOMPARE(chips.size(), 1);
    const QJsonObject chip = chips.first().toObject();
    QCOMPARE(QUuid::fromString(chip.value("collection").toString()), uuidB);
    QCOMPARE(chip.value("pageIndex").toInt(), 1);
    QCOMPARE(chip.value("rowIndex").toInt(), 1);
    QVERIFY(chip.value("rowId").toInteger() > 0);
    QCOMPARE(chip.value("rgb").toArray(), QJsonArray({20, 40, 200}));
    const double expected = Corvo::deltaE2000(Corvo::labFromColor(QColor(20, 40, 201)),
                                              Corvo::labFromColor(QColor(20, 40, 200)));
    QCOMPARE(chip.value("deltaE").toDouble(), expected);
    QCOMPARE(chip.keys().size(), 7);
}

void TestColourCommands::nearestPrintsReadableLines()
{
    QCOMPARE(run({"nearest", "ALPHA", "--rgb", "12 200 10", "--count", "2"}), 0);
    const QStringList lines = m_out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines.first().startsWith(QStringLiteral("0.0000  A-GREEN  #0CC80A  card 1 chip 2")),
             qPrintable(lines.first()));
    QVERIFY(lines.first().contains(uuidA.toString()));
    QVERIFY(m_err.isEmpty());
}

void TestColourCommands::nearestReportsNoChips()
{
    QCOMPARE(run({"nearest", "GAMMA", "--rgb", "1,2,3", "--json"}), 1);
    QCOMPARE(QJsonDocument::fromJson(m_out.toUtf8()).array(), QJsonArray());
    QCOMPARE(run({"nearest", "GAMMA", "--rgb", "1,2,3"}), 1);
    QVERIFY(m_out.isEmpty());
    QCOMPARE(m_err.count(u'\n'), 1);
}

QTEST_MAIN(TestColourCommands)
#include "tst_colourcommands.moc"
