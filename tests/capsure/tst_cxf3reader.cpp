#include "engine/capsure/cxf3reader.h"

#include <QTest>

#include <cmath>

using Corvo::readCxf3ObjectNames;

Q_DECLARE_METATYPE(Corvo::Lab)

namespace {

const QByteArray kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// A measurement as the device writes it: core objects with colour values.
QByteArray measurement(
    const QByteArray &objects,
    const QByteArray &rootAttributes = "xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\"")
{
    return kDeclaration + "<cc:CxF " + rootAttributes + ">\n<cc:Resources><cc:ObjectCollection>\n" +
           objects + "\n</cc:ObjectCollection></cc:Resources>\n</cc:CxF>\n";
}

QByteArray object(const QByteArray &name)
{
    return "<cc:Object ObjectType=\"Target\" Name=\"" + name +
           "\" Id=\"1\"><cc:ColorValues><cc:ColorCIELab><cc:L>50.1</cc:L><cc:A>2</cc:A>"
           "<cc:B>-3</cc:B></cc:ColorCIELab></cc:ColorValues></cc:Object>";
}

QByteArray repeated(char c, qsizetype count)
{
    return QByteArray(count, c);
}

// A measurement of one object "A", padded to the given size with comments of at most a
// megabyte (libxml2 refuses a single comment or text over ten).
QByteArray measurementOfSize(qsizetype size)
{
    constexpr qsizetype kComment = 1024 * 1024;
    constexpr qsizetype kMarkup = 7; // "<!--" and "-->"
    qsizetype left = size - measurement(object("A")).size();
    QByteArray padding;
    while (left >= kComment) {
        padding += "<!--" + repeated('x', kComment - kMarkup) + "-->";
        left -= kComment;
    }
    padding +=
        left >= kMarkup ? "<!--" + repeated('x', left - kMarkup) + "-->" : repeated(' ', left);
    return measurement(object("A") + padding);
}

QByteArray lab(const QByteArray &l, const QByteArray &a, const QByteArray &b,
               const QByteArray &conditionsId = {})
{
    const QByteArray reference =
        conditionsId.isEmpty() ? QByteArray() : " ColorSpecification=\"" + conditionsId + "\"";
    return "<cc:ColorCIELab" + reference + "><cc:L>" + l + "</cc:L><cc:A>" + a + "</cc:A><cc:B>" +
           b + "</cc:B></cc:ColorCIELab>";
}

QByteArray rgb(const QByteArray &r, const QByteArray &g, const QByteArray &b)
{
    return "<cc:ColorSRGB><cc:R>" + r + "</cc:R><cc:G>" + g + "</cc:G><cc:B>" + b +
           "</cc:B></cc:ColorSRGB>";
}

QByteArray conditions(const QByteArray &id, const QByteArray &illuminant,
                      const QByteArray &observer)
{
    return "<cc:ColorSpecification Id=\"" + id + "\"><cc:TristimulusSpec><cc:Illuminant>" +
           illuminant + "</cc:Illuminant><cc:Observer>" + observer +
           "</cc:Observer></cc:TristimulusSpec></cc:ColorSpecification>";
}

// One object with the colour values, and the measuring conditions the file defines.
QByteArray measuredObject(const QByteArray &values)
{
    return kDeclaration +
           "<cc:CxF xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\"><cc:Resources>"
           "<cc:ObjectCollection><cc:Object Name=\"M\"><cc:ColorValues>" +
           values +
           "</cc:ColorValues></cc:Object></cc:ObjectCollection>"
           "<cc:ColorSpecificationCollection>" +
           conditions("CS65", "D65", "2_Degree") + conditions("CS65T", "D65", "10_Degree") +
           conditions("CSX", "F12", "2_Degree") + conditions("CSO", "D50", "20_Degree") +
           "</cc:ColorSpecificationCollection></cc:Resources></cc:CxF>";
}

QString numbers(double first, double second, double third)
{
    return QStringLiteral("%1 %2 %3").arg(first).arg(second).arg(third);
}

// "lab L A B; rgb R G B; ILLUMINANT OBSERVER", with "-" for what the object lacks.
QString summary(const Corvo::Cxf3Measurement &m)
{
    return QStringLiteral("lab %1; rgb %2; %3 %4")
        .arg(m.lab ? numbers(m.lab->l, m.lab->a, m.lab->b) : QStringLiteral("-"),
             m.rgb ? numbers(m.rgb->red, m.rgb->green, m.rgb->blue) : QStringLiteral("-"),
             m.illuminant.isEmpty() ? QStringLiteral("-") : m.illuminant,
             m.observer.isEmpty() ? QStringLiteral("-") : m.observer);
}

} // namespace

class TestCxf3Reader : public QObject
{
    Q_OBJECT

private slots:
    void readsNames_data();
    void readsNames();
    void refusesHostileDocuments_data();
    void refusesHostileDocuments();
    void keepsLongNames();
    void readsUpToTheSizeLimit_data();
    void readsUpToTheSizeLimit();
    void readsColourValues_data();
    void readsColourValues();
    void givesTheEngineLab_data();
    void givesTheEngineLab();
    void listsEveryObject();
};

void TestCxf3Reader::readsNames_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("three objects in document order")
        << measurement(object("A") + object("B") + object("C")) << QStringList{"A", "B", "C"};
    QTest::newRow("objects at different depths")
        << measurement(object("A") + "<cc:Group><cc:Deeper>" + object("B") +
                       "</cc:Deeper></cc:Group>" + object("C"))
        << QStringList{"A", "B", "C"};
    QTest::newRow("another prefix for the core namespace")
        << (kDeclaration + "<x:CxF xmlns:x=\"http://colorexchangeformat.com/CxF3-core\">"
                           "<x:Object Name=\"SW 7005\"/></x:CxF>")
        << QStringList{"SW 7005"};
    QTest::newRow("core namespace as the default namespace")
        << (kDeclaration + "<CxF xmlns=\"http://colorexchangeformat.com/CxF3-core\">"
                           "<Object Name=\"Pure White\"/></CxF>")
        << QStringList{"Pure White"};
    QTest::newRow("objects without a namespace")
        << (kDeclaration + "<CxF><Object Name=\"A\"/></CxF>") << QStringList();
    QTest::newRow("objects in another namespace")
        << measurement(object("A"), "xmlns:cc=\"http://colorexchangeformat.com/CxF3-other\"")
        << QStringList();
    QTest::newRow("non-ASCII names stay intact")
        << measurement(object("Blå fjord") + object("Grün") + object("青磁"))
        << QStringList{QStringLiteral("Blå fjord"), QStringLiteral("Grün"), QStringLiteral("青磁")};
    QTest::newRow("escaped characters") << measurement(object("Black &amp; Tan &quot;1&quot;"))
                                        << QStringList{QStringLiteral("Black & Tan \"1\"")};
    QTest::newRow("objects without a name or with an empty one are skipped")
        << measurement("<cc:Object Id=\"1\"/>" + object("") + object("B")) << QStringList{"B"};
    QTest::newRow("names of other elements are not read")
        << measurement("<cc:Sample Name=\"no\"/>" + object("yes")) << QStringList{"yes"};
    QTest::newRow("byte-order mark")
        << ("\xEF\xBB\xBF" + measurement(object("A"))) << QStringList{QStringLiteral("A")};
    QTest::newRow("an external DTD is neither loaded nor needed")
        << (kDeclaration +
            "<!DOCTYPE cc:CxF SYSTEM \"http://colorexchangeformat.invalid/cxf.dtd\">"
            "<cc:CxF xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\">" +
            object("A") + "</cc:CxF>")
        << QStringList{QStringLiteral("A")};
    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("truncated") << measurement(object("A") + object("B")).left(180) << QStringList();
    QTest::newRow("not XML") << QByteArray("L*a*b* 50.0 2.0 -3.0\n") << QStringList();
    QTest::newRow("binary") << QByteArray("\x00\x01\x02\xff\xfe", 5) << QStringList();
    QTest::newRow("not UTF-8") << measurement(object("Bl\xe5")) << QStringList();
    QTest::newRow("Latin-1 declared, still read as UTF-8")
        << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                      "<cc:CxF xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\">"
                      "<cc:Object Name=\"Bl\xe5\"/></cc:CxF>")
        << QStringList();
}

void TestCxf3Reader::readsNames()
{
    QFETCH(QByteArray, document);
    QFETCH(QStringList, names);
    QCOMPARE(readCxf3ObjectNames(document), names);
}

void TestCxf3Reader::refusesHostileDocuments_data()
{
    QTest::addColumn<QByteArray>("document");

    QByteArray bomb = kDeclaration + "<!DOCTYPE lolz [<!ENTITY lol0 \"lol\">";
    for (int i = 1; i < 12; ++i)
        bomb += QStringLiteral("<!ENTITY lol%1 \"&lol%2;&lol%2;&lol%2;&lol%2;&lol%2;&lol%2;"
                               "&lol%2;&lol%2;&lol%2;&lol%2;\">")
                    .arg(i)
                    .arg(i - 1)
                    .toLatin1();
    QTest::newRow("entity expansion bomb")
        << (bomb + "]><cc:CxF xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\">"
                   "<cc:Object Name=\"&lol11;\">&lol11;</cc:Object></cc:CxF>");
    QTest::newRow("external entity naming a local file")
        << (kDeclaration + "<!DOCTYPE cc:CxF [<!ENTITY secret SYSTEM \"file:///etc/passwd\">]>"
                           "<cc:CxF xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\">"
                           "<cc:Object Name=\"x\">&secret;</cc:Object></cc:CxF>");
    QTest::newRow("external parameter entity")
        << (kDeclaration +
            "<!DOCTYPE cc:CxF [<!ENTITY % remote SYSTEM "
            "\"http://colorexchangeformat.invalid/x.dtd\"> %remote;]>"
            "<cc:CxF xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\">" +
            object("A") + "</cc:CxF>");
    QTest::newRow("internal entity in a name")
        << (kDeclaration +
            "<!DOCTYPE cc:CxF [<!ENTITY n \"Red\">]>"
            "<cc:CxF xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\">" +
            object("&n;") + "</cc:CxF>");
    QTest::newRow("larger than any measurement") << measurement(
        object("A") + "<cc:Pad>" + repeated('x', Corvo::kMaxCxf3Bytes) + "</cc:Pad>");
}

void TestCxf3Reader::refusesHostileDocuments()
{
    QFETCH(QByteArray, document);
    QCOMPARE(readCxf3ObjectNames(document), QStringList());
}

void TestCxf3Reader::keepsLongNames()
{
    const QByteArray name = repeated('n', 1024 * 1024);
    const QStringList names = readCxf3ObjectNames(measurement(object(name) + object("B")));
    QCOMPARE(names.size(), 2);
    QCOMPARE(names.at(0).size(), name.size());
    QCOMPARE(names.at(1), QStringLiteral("B"));
}

void TestCxf3Reader::readsUpToTheSizeLimit_data()
{
    QTest::addColumn<qsizetype>("size");
    QTest::addColumn<bool>("readable");

    QTest::newRow("at the limit") << Corvo::kMaxCxf3Bytes << true;
    QTest::newRow("one byte over") << Corvo::kMaxCxf3Bytes + 1 << false;
}

void TestCxf3Reader::readsUpToTheSizeLimit()
{
    QFETCH(qsizetype, size);
    QFETCH(bool, readable);
    const QByteArray document = measurementOfSize(size);
    QCOMPARE(document.size(), size);
    QCOMPARE(readCxf3ObjectNames(document),
             readable ? QStringList{QStringLiteral("A")} : QStringList());
    QCOMPARE(Corvo::readCxf3Measurements(document).size(), readable ? 1 : 0);
}

void TestCxf3Reader::readsColourValues_data()
{
    QTest::addColumn<QByteArray>("values");
    QTest::addColumn<QString>("read");

    QTest::newRow("Lab naming no conditions")
        << lab("50.5", "2", "-3") << "lab 50.5 2 -3; rgb -; - -";
    QTest::newRow("Lab under D65, 10 degrees")
        << lab("50", "2", "-3", "CS65T") << "lab 50 2 -3; rgb -; D65 10_Degree";
    QTest::newRow("sRGB alone") << rgb("255", "128.5", "0") << "lab -; rgb 255 128.5 0; - -";
    QTest::newRow("both, blanks around the numbers")
        << (rgb(" 1 ", "2", "3") + lab(" 60 ", "-0", "+4", "CS65"))
        << "lab 60 0 4; rgb 1 2 3; D65 2_Degree";
    QTest::newRow("Lab lacking L")
        << QByteArray("<cc:ColorCIELab><cc:A>1</cc:A><cc:B>2</cc:B></cc:ColorCIELab>")
        << "lab -; rgb -; - -";
    QTest::newRow("empty A") << lab("50", "", "2") << "lab -; rgb -; - -";
    QTest::newRow("L not a number") << lab("fifty", "1", "2") << "lab -; rgb -; - -";
    QTest::newRow("L with a unit") << lab("50%", "1", "2") << "lab -; rgb -; - -";
    QTest::newRow("NaN") << lab("50", "nan", "2") << "lab -; rgb -; - -";
    QTest::newRow("infinity") << lab("50", "1", "-inf") << "lab -; rgb -; - -";
    QTest::newRow("huge exponent") << lab("1e999", "1", "2") << "lab -; rgb -; - -";
    QTest::newRow("L above 100") << lab("100.01", "1", "2") << "lab -; rgb -; - -";
    QTest::newRow("negative L") << lab("-1", "1", "2") << "lab -; rgb -; - -";
    QTest::newRow("a beyond any surface colour") << lab("50", "250", "2") << "lab -; rgb -; - -";
    QTest::newRow("channel above 255") << rgb("256", "0", "0") << "lab -; rgb -; - -";
    QTest::newRow("negative channel") << rgb("0", "-1", "0") << "lab -; rgb -; - -";
    QTest::newRow("bad Lab keeps good sRGB")
        << (lab("nan", "1", "2") + rgb("10", "20", "30")) << "lab -; rgb 10 20 30; - -";
    QTest::newRow("a bad Lab names its conditions")
        << lab("x", "1", "2", "CS65T") << "lab -; rgb -; D65 10_Degree";
    QTest::newRow("the first usable Lab counts")
        << (lab("x", "1", "2", "CS65T") + lab("40", "1", "2", "CS65") + lab("30", "0", "0"))
        << "lab 40 1 2; rgb -; D65 2_Degree";
    QTest::newRow("conditions missing from the file")
        << lab("50", "1", "2", "NONE") << "lab 50 1 2; rgb -; - -";
    QTest::newRow("values in another namespace")
        << QByteArray("<x:ColorCIELab xmlns:x=\"urn:other\"><x:L>50</x:L><x:A>1</x:A>"
                      "<x:B>2</x:B></x:ColorCIELab>")
        << "lab -; rgb -; - -";
    QTest::newRow("no values") << QByteArray() << "lab -; rgb -; - -";
}

void TestCxf3Reader::readsColourValues()
{
    QFETCH(QByteArray, values);
    const QList<Corvo::Cxf3Measurement> measurements =
        Corvo::readCxf3Measurements(measuredObject(values));
    QCOMPARE(measurements.size(), 1);
    QCOMPARE(measurements.at(0).name, QStringLiteral("M"));
    QTEST(summary(measurements.at(0)), "read");
}

void TestCxf3Reader::givesTheEngineLab_data()
{
    QTest::addColumn<QByteArray>("values");
    QTest::addColumn<bool>("usable");
    QTest::addColumn<Corvo::Lab>("expected");

    // Pure sRGB red: published as Lab 54.29 80.80 69.89 under D50 (Bradford) and
    // 53.24 80.09 67.20 under D65.
    const Corvo::Lab red{53.24, 80.09, 67.20};
    QTest::newRow("D50 assumed: sRGB red") << lab("54.29", "80.80", "69.89") << true << red;
    QTest::newRow("D65, 2 degrees, as stated")
        << lab("53.24", "80.09", "67.20", "CS65") << true << red;
    QTest::newRow("D50 white stays white") << lab("100", "0", "0") << true << Corvo::Lab{100, 0, 0};
    QTest::newRow("sRGB when there is no Lab") << rgb("255", "0", "0") << true << red;
    QTest::newRow("unknown illuminant falls back to sRGB")
        << (lab("10", "10", "10", "CSX") + rgb("255", "0", "0")) << true << red;
    QTest::newRow("unknown observer, no sRGB")
        << lab("10", "10", "10", "CSO") << false << Corvo::Lab{};
    QTest::newRow("unknown illuminant, no sRGB")
        << lab("10", "10", "10", "CSX") << false << Corvo::Lab{};
    QTest::newRow("nothing usable")
        << (lab("nan", "0", "0") + rgb("0", "0", "300")) << false << Corvo::Lab{};
}

void TestCxf3Reader::givesTheEngineLab()
{
    QFETCH(QByteArray, values);
    QFETCH(bool, usable);
    QFETCH(Corvo::Lab, expected);
    const QList<Corvo::Cxf3Measurement> measurements =
        Corvo::readCxf3Measurements(measuredObject(values));
    QCOMPARE(measurements.size(), 1);
    const std::optional<Corvo::Lab> engine = measurements.at(0).engineLab();
    QCOMPARE(engine.has_value(), usable);
    if (!usable)
        return;
    const QString shown = numbers(engine->l, engine->a, engine->b);
    // Two decimals as published, plus the rounding of the input and of the sRGB matrix.
    QVERIFY2(std::fabs(engine->l - expected.l) < 0.025, qPrintable(shown));
    QVERIFY2(std::fabs(engine->a - expected.a) < 0.025, qPrintable(shown));
    QVERIFY2(std::fabs(engine->b - expected.b) < 0.025, qPrintable(shown));
}

void TestCxf3Reader::listsEveryObject()
{
    const QList<Corvo::Cxf3Measurement> measurements = Corvo::readCxf3Measurements(
        measurement(object("A") + "<cc:Object Id=\"2\"/>" + object("")));
    QCOMPARE(measurements.size(), 3);
    QCOMPARE(measurements.at(0).name, QStringLiteral("A"));
    QCOMPARE(summary(measurements.at(0)), QStringLiteral("lab 50.1 2 -3; rgb -; - -"));
    QVERIFY(measurements.at(1).name.isEmpty());
    QVERIFY(!measurements.at(1).lab);
    QVERIFY(measurements.at(2).lab);
    QVERIFY(Corvo::readCxf3Measurements("<not a document").isEmpty());
}

QTEST_GUILESS_MAIN(TestCxf3Reader)
#include "tst_cxf3reader.moc"
