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

const QUuid uuidA(QStringLiteral("{C0200000-0000-4000-8000-00000000000A}"));
const QUuid uuidB(QStringLiteral("{C0200000-0000-4000-8000-00000000000B}"));
const QUuid uuidC(QStringLiteral("{C0200000-0000-4000-8000-00000000000C}"));

struct DeckChip
{
    qint64 collection;
    int pageIndex;
    int rowIndex;
    const char *code;
    QColor color;
};

// Three chips share one colour, two of them in ALPHA; GAMMA is offered without chips.
const DeckChip deckChips[] = {
    {1, 1, 1, "A-RED", QColor(200, 30, 30)},     {1, 1, 2, "A-GREEN", QColor(12, 200, 10)},
    {1, 1, 3, "A-TWIN1", QColor(100, 100, 200)}, {1, 2, 1, "A-TWIN2", QColor(100, 100, 200)},
    {1, 2, 2, "A-GREY", QColor(129, 128, 128)},  {2, 1, 1, "B-BLUE", QColor(20, 40, 200)},
    {2, 1, 2, "B-TWIN", QColor(100, 100, 200)},
};

QString buildDeck(const QString &path)
{
    Tintwell::CollectionFileWriter writer;
    if (!writer.create(path) || !writer.addSystemWideCollection())
        return writer.lastError();
    const std::pair<qint64, QUuid> collections[] = {{1, uuidA}, {2, uuidB}, {3, uuidC}};
    const char *const systemIds[] = {"ALPHA", "BETA", "GAMMA"};
    for (const auto &[id, uuid] : collections) {
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

class TestNearestCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void listsNearestChips_data();
    void listsNearestChips();
    void describesEachChip();
    void printsReadableLines();
    void reportsNoChips();
    void refusesBadUsage_data();
    void refusesBadUsage();

private:
    int run(const QStringList &arguments);

    std::unique_ptr<TestEnvironment> m_environment;
    QString m_out;
    QString m_err;
};

void TestNearestCommands::initTestCase()
{
    m_environment = std::make_unique<TestEnvironment>();
    const QString error = buildDeck(m_environment->collectionFile(QStringLiteral("deck.db")));
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TestNearestCommands::cleanupTestCase()
{
    m_environment.reset();
}

int TestNearestCommands::run(const QStringList &arguments)
{
    m_out.clear();
    m_err.clear();
    QTextStream out(&m_out);
    QTextStream err(&m_err);
    const QStringList line =
        QStringList{"nearest", "--data", m_environment->dataFolder()} + arguments;
    const int status = Tintwell::runCommandLine(line, out, err);
    out.flush();
    err.flush();
    return status;
}

void TestNearestCommands::listsNearestChips_data()
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

void TestNearestCommands::listsNearestChips()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, codes);

    QCOMPARE(run(arguments + QStringList{"--json"}), 0);
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

void TestNearestCommands::describesEachChip()
{
    QCOMPARE(run({"--all", "--rgb", "20,40,201", "--count", "1", "--json"}), 0);
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

void TestNearestCommands::printsReadableLines()
{
    QCOMPARE(run({"ALPHA", "--rgb", "12 200 10", "--count", "2"}), 0);
    const QStringList lines = m_out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines.first().startsWith(QStringLiteral("0.0000  A-GREEN  #0CC80A  card 1 chip 2")),
             qPrintable(lines.first()));
    QVERIFY(lines.first().contains(uuidA.toString()));
    QVERIFY(m_err.isEmpty());
}

void TestNearestCommands::reportsNoChips()
{
    QCOMPARE(run({"GAMMA", "--rgb", "1,2,3", "--json"}), 1);
    QCOMPARE(QJsonDocument::fromJson(m_out.toUtf8()).array(), QJsonArray());
    QCOMPARE(run({"GAMMA", "--rgb", "1,2,3"}), 1);
    QVERIFY(m_out.isEmpty());
    QCOMPARE(m_err.count(u'\n'), 1);
}

void TestNearestCommands::refusesBadUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::newRow("no collection") << QStringList{"--rgb", "1,2,3"} << 2;
    QTest::newRow("no colour") << QStringList{"ALPHA"} << 2;
    QTest::newRow("two channels") << QStringList{"ALPHA", "--rgb", "1,2"} << 2;
    QTest::newRow("channel beyond 8 bits") << QStringList{"ALPHA", "--rgb", "256,0,0"} << 2;
    QTest::newRow("count of 0") << QStringList{"ALPHA", "--rgb", "1,2,3", "--count", "0"} << 2;
    QTest::newRow("count not a number")
        << QStringList{"--all", "--rgb", "1,2,3", "--count", "many"} << 2;
    QTest::newRow("unknown collection") << QStringList{"NOSUCH", "--rgb", "1,2,3"} << 1;
}

void TestNearestCommands::refusesBadUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QCOMPARE(run(arguments + QStringList{"--json"}), status);
    QVERIFY(m_out.isEmpty());
    QCOMPARE(m_err.count(u'\n'), 1);
    QVERIFY(m_err.startsWith(QStringLiteral("tintwell nearest: ")));
}

QTEST_MAIN(TestNearestCommands)
#include "tst_nearestcommands.moc"
