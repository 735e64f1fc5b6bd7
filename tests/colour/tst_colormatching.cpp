#include "engine/colour/colormatching.h"

#include "engine/db/navigationqueries.h"
#include "engine/palette/chipdragdata.h"
#include "engine/palette/droppedcolormatch.h"
#include "engine/settings/collectionsettings.h"
#include "testenvironment.h"
#include "tools/tintwell/authoring/collectionfilewriter.h"

#include <QColor>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <random>

using Corvo::ColorMatch;
using Corvo::Lab;
using Corvo::DB::LabSample;

Q_DECLARE_METATYPE(Corvo::Lab)

namespace {

// The deck: A is the usual current collection (default threshold), B another enabled one,
// C and E differ from A only in their thresholds, D is disabled, F stores CIELAB values
// that do not belong to its chip's RGB.
struct Chip
{
    const char *code;
    QColor rgb;
    std::optional<QColor> storedLabOf; // the colour whose CIELAB is stored, when not rgb
};

struct DeckCollection
{
    qint64 id;
    const char *uuid;
    const char *enabled;
    std::optional<QString> deltaIntervals;
    QList<Chip> chips;
};

const QColor dropGrey(128, 128, 128);
const QColor chipGrey(129, 128, 128);

QUuid uuidOf(char letter)
{
    return QUuid(QStringLiteral("{%1A000000-0000-4000-8000-000000000000}").arg(letter));
}

// deltaE2000 between the dropped grey and the chip grey, written exactly.
QString exactGreyDifference()
{
    const double difference =
        Corvo::deltaE2000(Corvo::labFromColor(dropGrey), Corvo::labFromColor(chipGrey));
    return QString::number(difference, 'g', 17);
}

QList<DeckCollection> deck()
{
    return {
        {1,
         "{AA000000-0000-4000-8000-000000000000}",
         "1",
         std::nullopt,
         {{"A-GREY", chipGrey, {}},
          {"A-GREEN", QColor(12, 200, 10), {}},
          {"A-RED", QColor(200, 30, 30), {}}}},
        {2,
         "{BA000000-0000-4000-8000-000000000000}",
         "1",
         std::nullopt,
         {{"B-BLUE", QColor(20, 40, 200), {}}, {"B-TWIN", QColor(200, 30, 30), {}}}},
        {3,
         "{CA000000-0000-4000-8000-000000000000}",
         "1",
         QStringLiteral("1,5"),
         {{"C-GREY", chipGrey, {}}}},
        {4,
         "{DA000000-0000-4000-8000-000000000000}",
         "0",
         std::nullopt,
         {{"D-PINK", QColor(250, 150, 200), {}}}},
        {5,
         "{EA000000-0000-4000-8000-000000000000}",
         "1",
         exactGreyDifference(),
         {{"E-GREY", chipGrey, {}}}},
        {6,
         "{FA000000-0000-4000-8000-000000000000}",
         "1",
         std::nullopt,
         {{"F-ODD", QColor(0, 0, 255), QColor(90, 90, 90)}}},
    };
}

QString buildDeck(const QString &path)
{
    Tintwell::CollectionFileWriter writer;
    if (!writer.create(path) || !writer.beginTransaction() || !writer.addSystemWideCollection())
        return writer.lastError();
    for (const DeckCollection &collection : deck()) {
        Tintwell::CollectionFields fields;
        fields.id = collection.id;
        fields.uuid = QUuid(QString::fromLatin1(collection.uuid));
        fields.systemId = QString::fromLatin1(collection.uuid).mid(1, 2);
        fields.name = fields.systemId;
        fields.order = int(collection.id);
        if (!writer.addCollection(fields) ||
            !writer.addSetting(collection.id, QStringLiteral("collection.enabled"),
                               QString::fromLatin1(collection.enabled)))
            return writer.lastError();
        if (collection.deltaIntervals &&
            !writer.addSetting(collection.id, QStringLiteral("cie2000.delta.intervals"),
                               *collection.deltaIntervals))
            return writer.lastError();
        Tintwell::PageFields page;
        const auto pageId = writer.addPage(collection.id, page);
        if (!pageId)
            return writer.lastError();
        int rowIndex = 1;
        for (const Chip &chip : collection.chips) {
            const Lab lab = Corvo::labFromColor(chip.storedLabOf.value_or(chip.rgb));
            Tintwell::RowFields row;
            row.pageId = *pageId;
            row.rowIndex = rowIndex++;
            row.code = QString::fromLatin1(chip.code);
            row.red = chip.rgb.red();
            row.green = chip.rgb.green();
            row.blue = chip.rgb.blue();
            row.l = lab.l;
            row.a = lab.a;
            row.b = lab.b;
            if (!writer.addRow(collection.id, row))
                return writer.lastError();
        }
    }
    if (!writer.commit() || !writer.close())
        return writer.lastError();
    return QString();
}

QList<LabSample> samples(const QList<Lab> &labs)
{
    QList<LabSample> index;
    qint64 rowId = 1;
    for (const Lab &lab : labs)
        index.append({lab.l, lab.a, lab.b, rowId++});
    return index;
}

// Every difference, stably sorted, the first count kept: what the search must give.
QList<ColorMatch> plainScan(const Lab &reference, const QList<LabSample> &index, int count)
{
    QList<ColorMatch> all;
    for (const LabSample &sample : index)
        all.append({Corvo::deltaE2000(reference, {sample.l, sample.a, sample.b}), sample.rowId});
    std::stable_sort(all.begin(), all.end(), [](const ColorMatch &one, const ColorMatch &two) {
        return one.deltaE < two.deltaE;
    });
    return all.mid(0, count);
}

QVariantMap freeColor(const QColor &color, const QString &name1 = QString(),
                      const QString &name2 = QString())
{
    return Corvo::freeColorPayload(color, name1, name2);
}

} // namespace

class TestColorMatching : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void nearestColorsRanksAndCuts();
    void nearestColorsKeepsIndexOrderForTies();
    void nearestColorsWithoutRoomOrEntries_data();
    void nearestColorsWithoutRoomOrEntries();
    void nearestColorsSkipsValuesThatAreNotNumbers();
    void nearestColorsEqualsPlainScan_data();
    void nearestColorsEqualsPlainScan();

    void matchDroppedColor_data();
    void matchDroppedColor();
    void namedChipWinsOverItsColour();
    void matchJudgesByDisplayedColour();

private:
    QList<LabSample> indexOf(char letter) const;

    std::unique_ptr<TestEnvironment> m_environment;
};

void TestColorMatching::initTestCase()
{
    m_environment = std::make_unique<TestEnvironment>();
    const QString error = buildDeck(m_environment->collectionFile(QStringLiteral("deck.db")));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    Corvo::CollectionSettings::resetCache();
}

void TestColorMatching::cleanupTestCase()
{
    Corvo::CollectionSettings::resetCache();
    m_environment.reset();
}

QList<LabSample> TestColorMatching::indexOf(char letter) const
{
    QList<LabSample> index;
    Corvo::DB::rowLabTable(uuidOf(letter), index);
    return index;
}

void TestColorMatching::nearestColorsRanksAndCuts()
{
    const Lab grey = Corvo::labFromColor(dropGrey);
    const QList<LabSample> index = samples({Corvo::labFromColor(Qt::red), grey});
    const QList<ColorMatch> matches = Corvo::nearestColors(grey, index, 3);
    QCOMPARE(matches.size(), 2);
    QCOMPARE(matches.at(0).rowId, qint64(2));
    QCOMPARE(matches.at(0).deltaE, 0.0);
    QCOMPARE(matches.at(1).rowId, qint64(1));
    QVERIFY(matches.at(1).deltaE > 0.0);

    const QList<ColorMatch> best = Corvo::nearestColors(grey, index, 1);
    QCOMPARE(best.size(), 1);
    QCOMPARE(best.first().rowId, qint64(2));
}

void TestColorMatching::nearestColorsKeepsIndexOrderForTies()
{
    const Lab reference{50.0, 10.0, 10.0};
    const Lab same{52.0, 11.0, 9.0};
    const QList<LabSample> index =
        samples({Lab{90.0, 0.0, 0.0}, same, Lab{10.0, -40.0, 5.0}, same, same});
    const QList<ColorMatch> one = Corvo::nearestColors(reference, index, 1);
    QCOMPARE(one.size(), 1);
    QCOMPARE(one.first().rowId, qint64(2));
    const QList<ColorMatch> three = Corvo::nearestColors(reference, index, 3);
    QCOMPARE(three.size(), 3);
    QCOMPARE(three.at(0).rowId, qint64(2));
    QCOMPARE(three.at(1).rowId, qint64(4));
    QCOMPARE(three.at(2).rowId, qint64(5));
}

void TestColorMatching::nearestColorsWithoutRoomOrEntries_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("entries");
    QTest::newRow("count 0") << 0 << 3;
    QTest::newRow("negative count") << -2 << 3;
    QTest::newRow("empty index") << 1 << 0;
}

void TestColorMatching::nearestColorsWithoutRoomOrEntries()
{
    QFETCH(int, count);
    QFETCH(int, entries);
    const QList<LabSample> index = samples(QList<Lab>(entries, Lab{50.0, 1.0, 1.0}));
    QVERIFY(Corvo::nearestColors(Lab{50.0, 0.0, 0.0}, index, count).isEmpty());
}

void TestColorMatching::nearestColorsSkipsValuesThatAreNotNumbers()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const QList<LabSample> index = samples(
        {Lab{nan, 0.0, 0.0}, Lab{60.0, 5.0, 5.0}, Lab{50.0, nan, 1.0}, Lab{40.0, 0.0, 0.0}});
    const QList<ColorMatch> matches = Corvo::nearestColors(Lab{50.0, 0.0, 0.0}, index, 4);
    QCOMPARE(matches.size(), 2);
    QCOMPARE(matches.at(0).rowId, qint64(4));
    QCOMPARE(matches.at(1).rowId, qint64(2));
}

void TestColorMatching::nearestColorsEqualsPlainScan_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("coarse");
    QTest::addColumn<double>("ceiling");
    const double none = std::numeric_limits<double>::infinity();
    QTest::newRow("1000, n 1") << 1000 << 1 << false << none;
    QTest::newRow("1000, n 5") << 1000 << 5 << false << none;
    QTest::newRow("5000, n 1, coarse values with ties") << 5000 << 1 << true << none;
    QTest::newRow("5000, n 10, coarse values with ties") << 5000 << 10 << true << none;
    QTest::newRow("300, n 400") << 300 << 400 << false << none;
    QTest::newRow("1000, n 1, below 8") << 1000 << 1 << false << 8.0;
    QTest::newRow("5000, n 10, coarse, below 10") << 5000 << 10 << true << 10.0;
}

void TestColorMatching::nearestColorsEqualsPlainScan()
{
    QFETCH(int, entries);
    QFETCH(int, count);
    QFETCH(bool, coarse);
    QFETCH(double, ceiling);

    std::mt19937 random(entries * 31 + count);
    std::uniform_real_distribution<double> lightness(0.0, 100.0);
    std::uniform_real_distribution<double> axis(-90.0, 90.0);
    // Coarse values repeat, so that equal differences and equal bounds occur.
    auto value = [&](double v) { return coarse ? std::round(v / 10.0) * 10.0 : v; };
    QList<Lab> labs;
    for (int i = 0; i < entries; ++i)
        labs.append({value(lightness(random)), value(axis(random)), value(axis(random))});
    const QList<LabSample> index = samples(labs);

    for (int round = 0; round < 50; ++round) {
        const Lab reference{value(lightness(random)), value(axis(random)), value(axis(random))};
        QList<ColorMatch> expected = plainScan(reference, index, count);
        expected.removeIf([&](const ColorMatch &match) { return match.deltaE >= ceiling; });
        const QList<ColorMatch> actual = Corvo::nearestColors(reference, index, count, ceiling);
        QCOMPARE(actual.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QCOMPARE(actual.at(i).rowId, expected.at(i).rowId);
            QCOMPARE(actual.at(i).deltaE, expected.at(i).deltaE);
        }
    }
}

void TestColorMatching::matchDroppedColor_data()
{
    QTest::addColumn<QVariantMap>("payload");
    QTest::addColumn<char>("current");
    QTest::addColumn<QString>("expectedCode");
    QTest::addColumn<char>("expectedCollection");

    const QColor far(255, 255, 0);
    QTest::newRow("code in another collection, other colour")
        << freeColor(far, "B-BLUE") << 'A' << "B-BLUE" << 'B';
    QTest::newRow("code in any letter case") << freeColor(far, "b-blue") << 'A' << "B-BLUE" << 'B';
    QTest::newRow("second name as code")
        << freeColor(far, "Sunny Day", "a-red") << 'B' << "A-RED" << 'A';
    QTest::newRow("first name wins over the second")
        << freeColor(far, "a-red", "B-BLUE") << 'B' << "A-RED" << 'A';
    QTest::newRow("code wins over an exact colour")
        << freeColor(QColor(200, 30, 30), "B-BLUE") << 'A' << "B-BLUE" << 'B';
    QTest::newRow("second name wins over an exact colour")
        << freeColor(QColor(20, 40, 200), "unknown", "A-GREEN") << 'B' << "A-GREEN" << 'A';
    QTest::newRow("blank first name is not a code")
        << freeColor(far, "  \t", "A-GREEN") << 'A' << "A-GREEN" << 'A';
    QTest::newRow("code with a quote")
        << freeColor(QColor(20, 40, 200), "A-RED' OR '1'='1") << 'A' << "B-BLUE" << 'B';
    QTest::newRow("exact colour in another collection")
        << freeColor(QColor(20, 40, 200), "unknown") << 'A' << "B-BLUE" << 'B';
    QTest::newRow("exact colour, first enabled collection")
        << freeColor(QColor(200, 30, 30)) << 'B' << "A-RED" << 'A';
    QTest::newRow("disabled collection's code")
        << freeColor(far, "D-PINK") << 'A' << QString() << ' ';
    QTest::newRow("disabled collection's colour")
        << freeColor(QColor(250, 150, 200)) << 'F' << QString() << ' ';
    QTest::newRow("near grey over default threshold")
        << freeColor(dropGrey) << 'A' << QString() << ' ';
    QTest::newRow("near grey under threshold 1") << freeColor(dropGrey) << 'C' << "C-GREY" << 'C';
    QTest::newRow("difference equal to the threshold")
        << freeColor(dropGrey) << 'E' << QString() << ' ';
    QTest::newRow("near green under default threshold")
        << freeColor(QColor(10, 200, 10)) << 'A' << "A-GREEN" << 'A';
    QTest::newRow("nearest only in the current collection")
        << freeColor(QColor(10, 200, 10)) << 'B' << QString() << ' ';
    QTest::newRow("no colour and no chip")
        << QVariantMap{{"from", 4}, {"colorName1", "A-RED"}} << 'A' << QString() << ' ';
    QTest::newRow("colour as text")
        << QVariantMap{{"from", 4}, {"colorRgb", "4278190080"}, {"colorName1", "A-RED"}} << 'A'
        << QString() << ' ';
    QTest::newRow("negative colour")
        << QVariantMap{{"from", 4}, {"colorRgb", qint64(-1)}, {"colorName1", "A-RED"}} << 'A'
        << QString() << ' ';
    QTest::newRow("colour beyond 32 bits")
        << QVariantMap{{"from", 4}, {"colorRgb", quint64(1) << 40}, {"colorName1", "A-RED"}} << 'A'
        << QString() << ' ';
    QTest::newRow("colour with alpha 0 is still a colour")
        << QVariantMap{{"from", 4}, {"colorRgb", quint64(0x001428C8)}} << 'A' << "B-BLUE" << 'B';
    QTest::newRow("chip that no longer exists, with a colour")
        << QVariantMap{{"from", 2},
                       {"collectuionUuid", uuidOf('A').toString()},
                       {"colorId", 9999},
                       {"colorRgb", quint64(0xFFC81E1E)}}
        << 'B' << "A-RED" << 'A';
    QTest::newRow("chip that no longer exists, no colour")
        << QVariantMap{{"from", 2}, {"collectuionUuid", uuidOf('A').toString()}, {"colorId", 9999}}
        << 'A' << QString() << ' ';
    QTest::newRow("empty payload") << QVariantMap() << 'A' << QString() << ' ';
}

void TestColorMatching::matchDroppedColor()
{
    QFETCH(QVariantMap, payload);
    QFETCH(char, current);
    QFETCH(QString, expectedCode);
    QFETCH(char, expectedCollection);

    const auto match = Corvo::matchDroppedColor(payload, uuidOf(current), indexOf(current));
    if (expectedCode.isEmpty()) {
        QVERIFY2(!match, qPrintable(match ? match->entry.code : QString()));
        return;
    }
    QVERIFY(match.has_value());
    QCOMPARE(match->entry.code, expectedCode);
    QCOMPARE(match->collection, uuidOf(expectedCollection));
}

void TestColorMatching::namedChipWinsOverItsColour()
{
    Corvo::DB::ColorEntry green;
    QCOMPARE(Corvo::DB::findRowByCode(QStringLiteral("A-GREEN"), green), 0);
    QVariantMap payload = Corvo::chipPayload(Corvo::ChipOrigin::ChipView, uuidOf('A'), green.id);
    payload.insert(QStringLiteral("colorRgb"), quint64(0xFF1428C8));
    payload.insert(QStringLiteral("colorName1"), QStringLiteral("B-BLUE"));

    const auto match = Corvo::matchDroppedColor(payload, uuidOf('B'), indexOf('B'));
    QVERIFY(match.has_value());
    QCOMPARE(match->entry.id, green.id);
    QCOMPARE(match->collection, uuidOf('A'));

    // The same chip named under a collection it does not belong to is no chip.
    payload.insert(QStringLiteral("collectuionUuid"), uuidOf('B').toString());
    const auto byColour = Corvo::matchDroppedColor(payload, uuidOf('B'), indexOf('B'));
    QVERIFY(byColour.has_value());
    QCOMPARE(byColour->entry.code, QStringLiteral("B-BLUE"));
}

void TestColorMatching::matchJudgesByDisplayedColour()
{
    // F's only chip stores the CIELAB of (90, 90, 90) but shows pure blue: the index finds
    // it at difference 0, the check against its shown colour refuses it.
    const QList<LabSample> index = indexOf('F');
    QCOMPARE(index.size(), 1);
    const QList<ColorMatch> nearest =
        Corvo::nearestColors(Corvo::labFromColor(QColor(90, 90, 90)), index, 1);
    QCOMPARE(nearest.size(), 1);
    QCOMPARE(nearest.first().deltaE, 0.0);
    QVERIFY(!Corvo::matchDroppedColor(freeColor(QColor(90, 90, 90)), uuidOf('F'), index));
}

QTEST_GUILESS_MAIN(TestColorMatching)
#include "tst_colormatching.moc"
