#include "engine/palette/palettexml.h"

#include <QTest>

using Corvo::PaletteFileContents;
using Corvo::PaletteXmlChip;

namespace {

const QUuid kCollection =
    QUuid::fromString(QStringLiteral("{6f1c2d3e-4a5b-4c6d-8e9f-a0b1c2d3e4f5}"));

QByteArray paletteDocument(const QByteArray &rootAttributes, const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<velmora-palette " + rootAttributes + ">" +
           body + "</velmora-palette>\n";
}

QByteArray version3(const QByteArray &body)
{
    return paletteDocument("version=\"3.0\" system=\"multi-collection\"", body);
}

QByteArray chip(const QByteArray &row, const QByteArray &column, const QByteArray &code)
{
    return "<chip row=\"" + row + "\" col=\"" + column +
           "\"><entry uuid-of-collection=\"{6F1C2D3E-4A5B-4C6D-8E9F-A0B1C2D3E4F5}\" "
           "page-index=\"12\" row-index=\"3\" color-code=\"" +
           code + "\"/></chip>";
}

} // namespace

class TestPaletteXml : public QObject
{
    Q_OBJECT

private slots:
    void writesTheLayoutByteForByte();
    void writesAnEmptyPalette();
    void roundTrips();
    void dropsCharactersXmlForbids_data();
    void dropsCharactersXmlForbids();
    void acceptsOnlyMajorDotZero_data();
    void acceptsOnlyMajorDotZero();
    void readsChipsInsideTheGrid_data();
    void readsChipsInsideTheGrid();
    void readsVersion2Chips();
    void readsAThousandChips();
    void readsUpToTheSizeLimit_data();
    void readsUpToTheSizeLimit();
    void refusesUnreadableDocuments_data();
    void refusesUnreadableDocuments();
};

void TestPaletteXml::writesTheLayoutByteForByte()
{
    const QList<PaletteXmlChip> chips{{1, 0, kCollection, 12, 3, QStringLiteral("SW 7005")},
                                      {5, 3, kCollection, 140, 7, QStringLiteral("A&\"<1")}};
    const QByteArray expected =
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<velmora-palette version=\"3.0\" system=\"multi-collection\">\n"
        "\t<description>Kitchen &amp; hall</description>\n"
        "\t<chips>\n"
        "\t\t<chip row=\"0\" col=\"1\">\n"
        "\t\t\t<entry uuid-of-collection=\"{6f1c2d3e-4a5b-4c6d-8e9f-a0b1c2d3e4f5}\" "
        "page-index=\"12\" row-index=\"3\" color-code=\"SW 7005\"/>\n"
        "\t\t</chip>\n"
        "\t\t<chip row=\"3\" col=\"5\">\n"
        "\t\t\t<entry uuid-of-collection=\"{6f1c2d3e-4a5b-4c6d-8e9f-a0b1c2d3e4f5}\" "
        "page-index=\"140\" row-index=\"7\" color-code=\"A&amp;&quot;&lt;1\"/>\n"
        "\t\t</chip>\n"
        "\t</chips>\n"
        "</velmora-palette>\n";
    QCOMPARE(Corvo::paletteXmlDocument(QStringLiteral("Kitchen & hall"), chips), expected);
}

void TestPaletteXml::writesAnEmptyPalette()
{
    const QByteArray expected = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                "<velmora-palette version=\"3.0\" system=\"multi-collection\">\n"
                                "\t<description/>\n"
                                "\t<chips>\n"
                                "\t</chips>\n"
                                "</velmora-palette>\n";
    const QByteArray document = Corvo::paletteXmlDocument(QString(), {});
    QCOMPARE(document, expected);
    const std::optional<PaletteFileContents> contents = Corvo::readPaletteXml(document);
    QVERIFY(contents);
    QCOMPARE(contents->description, QString());
    QVERIFY(contents->chips.isEmpty());
}

void TestPaletteXml::roundTrips()
{
    const QString description = QStringLiteral("Blå fjord – \"north\" <rooms> & 🎨\ttab");
    QList<PaletteXmlChip> chips;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 6; ++column)
            chips.append({column, row, kCollection, row * 6 + column + 1, column + 1,
                          QStringLiteral("C-%1").arg(row * 6 + column)});
    const QByteArray document = Corvo::paletteXmlDocument(description, chips);
    const std::optional<PaletteFileContents> contents = Corvo::readPaletteXml(document);
    QVERIFY(contents);
    QCOMPARE(contents->majorVersion, 3);
    QCOMPARE(contents->system, QStringLiteral("multi-collection"));
    QCOMPARE(contents->description, description);
    QCOMPARE(contents->chips.size(), chips.size());
    for (qsizetype i = 0; i < chips.size(); ++i) {
        const Corvo::PaletteFileChip &read = contents->chips.at(i);
        QVERIFY(read.hasEntry);
        QCOMPARE(read.column, chips.at(i).column);
        QCOMPARE(read.row, chips.at(i).row);
        QCOMPARE(read.collection, kCollection);
        QCOMPARE(read.pageIndex, chips.at(i).pageIndex);
        QCOMPARE(read.rowIndex, chips.at(i).rowIndex);
        QCOMPARE(read.colorCode, chips.at(i).colorCode);
    }
}

void TestPaletteXml::dropsCharactersXmlForbids_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");

    QTest::newRow("control characters, DEL stays")
        << QString(QStringLiteral("a") + QChar(0x01) + QStringLiteral("b") + QChar(0x1f) +
                   QStringLiteral("c") + QChar(0x7f) + QStringLiteral("d"))
        << QString(QStringLiteral("abc") + QChar(0x7f) + QStringLiteral("d"));
    QTest::newRow("tab, line feed, carriage return stay")
        << QStringLiteral("a\tb\nc\rd") << QStringLiteral("a\tb\nc\rd");
    QTest::newRow("NUL") << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b"))
                         << QStringLiteral("ab");
    QTest::newRow("non-characters U+FFFE and U+FFFF")
        << QString(QStringLiteral("a") + QChar(0xfffe) + QChar(0xffff) + QStringLiteral("b"))
        << QStringLiteral("ab");
    QTest::newRow("lone surrogates")
        << QString(QChar(0xd800) + QStringLiteral("a") + QChar(0xdc00)) << QStringLiteral("a");
    QTest::newRow("a pair outside the basic plane stays")
        << QStringLiteral("🎨x") << QStringLiteral("🎨x");
}

void TestPaletteXml::dropsCharactersXmlForbids()
{
    QFETCH(QString, text);
    QFETCH(QString, kept);
    QCOMPARE(Corvo::withoutXmlForbiddenCharacters(text), kept);
    const QList<PaletteXmlChip> chips{{0, 0, kCollection, 1, 1, text}};
    const std::optional<PaletteFileContents> contents =
        Corvo::readPaletteXml(Corvo::paletteXmlDocument(text, chips));
    QVERIFY2(contents, "a saved palette always loads again");
    QCOMPARE(contents->chips.size(), 1);
}

void TestPaletteXml::acceptsOnlyMajorDotZero_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<int>("major");

    QTest::newRow("3.0") << QByteArray("3.0") << 3;
    QTest::newRow("03.00") << QByteArray("03.00") << 3;
    QTest::newRow("2.0") << QByteArray("2.0") << 2;
    QTest::newRow("4.0, for the caller to refuse") << QByteArray("4.0") << 4;
    QTest::newRow("empty parts are dropped") << QByteArray("3..0.") << 3;
    QTest::newRow("3.1") << QByteArray("3.1") << -1;
    QTest::newRow("3 without a minor part") << QByteArray("3") << -1;
    QTest::newRow("3.0.0") << QByteArray("3.0.0") << -1;
    QTest::newRow("minor not a number") << QByteArray("3.x") << -1;
    QTest::newRow("empty") << QByteArray("") << -1;
}

void TestPaletteXml::acceptsOnlyMajorDotZero()
{
    QFETCH(QByteArray, version);
    QFETCH(int, major);
    const std::optional<PaletteFileContents> contents = Corvo::readPaletteXml(
        paletteDocument("version=\"" + version + "\" system=\"MULTI-COLLECTION\"", "<chips/>"));
    QCOMPARE(contents.has_value(), major >= 0);
    if (contents) {
        QCOMPARE(contents->majorVersion, major);
        QCOMPARE(contents->system, QStringLiteral("MULTI-COLLECTION"));
    }
}

void TestPaletteXml::readsChipsInsideTheGrid_data()
{
    QTest::addColumn<QByteArray>("chips");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");

    QTest::newRow("corner") << chip("3", "5", "X") << 1 << 5 << 3;
    QTest::newRow("row 4 is outside") << chip("4", "0", "X") << 0 << 0 << 0;
    QTest::newRow("column 6 is outside") << chip("0", "6", "X") << 0 << 0 << 0;
    QTest::newRow("negative row") << chip("-1", "0", "X") << 0 << 0 << 0;
    QTest::newRow("row x reads as row 0") << chip("x", "2", "X") << 1 << 2 << 0;
    QTest::newRow("missing attributes read as 0")
        << QByteArray("<chip><entry page-index=\"1\"/></chip>") << 1 << 0 << 0;
    QTest::newRow("huge number") << chip("99999999999999999999", "0", "X") << 1 << 0 << 0;
}

void TestPaletteXml::readsChipsInsideTheGrid()
{
    QFETCH(QByteArray, chips);
    QFETCH(int, count);
    QFETCH(int, column);
    QFETCH(int, row);
    const std::optional<PaletteFileContents> contents =
        Corvo::readPaletteXml(version3("<chips>" + chips + "</chips>"));
    QVERIFY(contents);
    QCOMPARE(contents->chips.size(), count);
    if (count == 1) {
        QCOMPARE(contents->chips.first().column, column);
        QCOMPARE(contents->chips.first().row, row);
    }
}

void TestPaletteXml::readsVersion2Chips()
{
    const std::optional<PaletteFileContents> contents = Corvo::readPaletteXml(paletteDocument(
        "version=\"2.0\" system=\"sw\"",
        "<description>Old</description><chips><chip row=\"1\" col=\"2\">SW 7005</chip>"
        "<chip row=\"0\" col=\"0\"><ENTRY uuid-of-collection=\"" +
            kCollection.toString().toLatin1() +
            "\" page-index=\"4\" row-index=\"2\" color-code=\"y\"/></chip>"
            "<chip row=\"0\" col=\"1\"><other/></chip></chips>"));
    QVERIFY(contents);
    QCOMPARE(contents->majorVersion, 2);
    QCOMPARE(contents->system, QStringLiteral("sw"));
    QCOMPARE(contents->description, QStringLiteral("Old"));
    QCOMPARE(contents->chips.size(), 3);
    QVERIFY(!contents->chips.at(0).hasEntry);
    QCOMPARE(contents->chips.at(0).text, QStringLiteral("SW 7005"));
    QVERIFY2(contents->chips.at(1).hasEntry, "the entry element is matched in any letter case");
    QCOMPARE(contents->chips.at(1).collection, kCollection);
    QCOMPARE(contents->chips.at(1).pageIndex, 4);
    QVERIFY(!contents->chips.at(2).hasEntry);
    QVERIFY(contents->chips.at(2).text.isEmpty());
}

void TestPaletteXml::readsAThousandChips()
{
    QByteArray chips;
    for (int i = 0; i < 1000; ++i)
        chips +=
            chip(QByteArray::number(i % 4), QByteArray::number(i % 6), "C" + QByteArray::number(i));
    const std::optional<PaletteFileContents> contents =
        Corvo::readPaletteXml(version3("<chips>" + chips + "</chips>"));
    QVERIFY(contents);
    QCOMPARE(contents->chips.size(), 1000);
    QCOMPARE(contents->chips.last().colorCode, QStringLiteral("C999"));
}

void TestPaletteXml::readsUpToTheSizeLimit_data()
{
    QTest::addColumn<qsizetype>("size");
    QTest::addColumn<bool>("readable");

    QTest::newRow("at the limit") << Corvo::kMaxPaletteFileBytes << true;
    QTest::newRow("one byte over") << Corvo::kMaxPaletteFileBytes + 1 << false;
}

// A palette whose description fills it to the size.
void TestPaletteXml::readsUpToTheSizeLimit()
{
    QFETCH(qsizetype, size);
    QFETCH(bool, readable);
    const QByteArray chips = "<chips>" + chip("0", "0", "C1") + "</chips>";
    const qsizetype unpadded = version3("<description></description>" + chips).size();
    const QByteArray description(size - unpadded, 'x');
    const QByteArray document = version3("<description>" + description + "</description>" + chips);
    QCOMPARE(document.size(), size);
    const std::optional<PaletteFileContents> contents = Corvo::readPaletteXml(document);
    QCOMPARE(contents.has_value(), readable);
    if (contents) {
        QCOMPARE(contents->description.size(), description.size());
        QCOMPARE(contents->chips.size(), 1);
    }
}

void TestPaletteXml::refusesUnreadableDocuments_data()
{
    QTest::addColumn<QByteArray>("document");

    const QByteArray good =
        version3("<description>d</description><chips>" + chip("0", "0", "X") + "</chips>");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("truncated") << good.left(good.size() / 2);
    QTest::newRow("not XML") << QByteArray("SW 7005\nSW 7006\n");
    QTest::newRow("not UTF-8") << version3("<description>Bl\xe5</description>");
    QTest::newRow("another root") << QByteArray("<palette version=\"3.0\" system=\"multi\"/>");
    QTest::newRow("no version") << paletteDocument("system=\"multi-collection\"", "");
    QTest::newRow("no system") << paletteDocument("version=\"3.0\"", "");
    QTest::newRow("empty system") << paletteDocument("version=\"3.0\" system=\"\"", "");
    QTest::newRow("entity expansion bomb") << QByteArray(
        "<?xml version=\"1.0\"?><!DOCTYPE velmora-palette [<!ENTITY a \"aaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;"
        "&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;"
        "&d;&d;&d;&d;&d;&d;&d;\"><!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\"><!ENTITY g "
        "\"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\"><!ENTITY h \"&g;&g;&g;&g;&g;&g;&g;&g;&g;&g;\">]>"
        "<velmora-palette version=\"3.0\" system=\"multi-collection\">"
        "<description>&h;</description></velmora-palette>");
    QTest::newRow("external entity") << QByteArray(
        "<?xml version=\"1.0\"?><!DOCTYPE velmora-palette [<!ENTITY s SYSTEM "
        "\"file:///etc/passwd\">]><velmora-palette version=\"3.0\" "
        "system=\"multi-collection\"><description>&s;</description></velmora-palette>");
    QTest::newRow("larger than any palette") << version3(
        "<description>" + QByteArray(Corvo::kMaxPaletteFileBytes, 'x') + "</description>");
}

void TestPaletteXml::refusesUnreadableDocuments()
{
    QFETCH(QByteArray, document);
    QVERIFY(!Corvo::readPaletteXml(document));
}

QTEST_GUILESS_MAIN(TestPaletteXml)
#include "tst_palettexml.moc"
