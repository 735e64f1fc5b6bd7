#include "engine/capsure/cxf3reader.h"

#include <QTest>

using Corvo::readCxf3ObjectNames;

namespace {

const QByteArray kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// A measurement as the device writes it: core objects with colour values that the
// reader must ignore.
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
        << ("\xEF\xBB\xBF" + measurement(object("A"))) << QStringList{"A"};
    QTest::newRow("an external DTD is neither loaded nor needed")
        << (kDeclaration +
            "<!DOCTYPE cc:CxF SYSTEM \"http://colorexchangeformat.invalid/cxf.dtd\">"
            "<cc:CxF xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\">" +
            object("A") + "</cc:CxF>")
        << QStringList{"A"};
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

QTEST_GUILESS_MAIN(TestCxf3Reader)
#include "tst_cxf3reader.moc"
