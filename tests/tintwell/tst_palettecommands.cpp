#include "tests/palette/palettefixture.h"

#include "tools/tintwell/cli/commandline.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QtTest>

namespace {

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray paletteFile(const QByteArray &chips)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><velmora-palette version=\"3.0\" "
           "system=\"multi-collection\"><description>Hall &amp; stairs</description><chips>" +
           chips + "</chips></velmora-palette>";
}

QByteArray chip(int row, int column, const QUuid &collection, int card, int chipIndex,
                const QByteArray &code)
{
    return "<chip row=\"" + QByteArray::number(row) + "\" col=\"" + QByteArray::number(column) +
           "\"><entry uuid-of-collection=\"" + collection.toString().toLatin1() +
           "\" page-index=\"" + QByteArray::number(card) + "\" row-index=\"" +
           QByteArray::number(chipIndex) + "\" color-code=\"" + code + "\"/></chip>";
}

} // namespace

// The palette and measurement commands of the collection tool, run in-process.
class PaletteCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsALoadedPalette();
    void writesThePaletteBack();
    void emptyPaletteWritesNoTextList();
    void exportsThePalette_data();
    void exportsThePalette();
    void refusesFilesItCannotRead_data();
    void refusesFilesItCannotRead();
    void leavesThePreferencesAlone();
    void listsMeasurementNames();
    void measurementWithoutNames();
    void listsMeasurementValues();

private:
    int run(const QStringList &arguments);
    QString path(const QString &name) const { return m_environment->root() + '/' + name; }
    QJsonDocument json() const { return QJsonDocument::fromJson(m_out.toUtf8()); }

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<PaletteFixture> m_fixture;
    QString m_out;
    QString m_err;
};

void PaletteCommandsTest::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_fixture = std::make_unique<PaletteFixture>(*m_environment);
    QVERIFY2(m_fixture->isValid(), qPrintable(m_fixture->error()));
    QVERIFY(writeBytes(path(QStringLiteral("two.palette")),
                       paletteFile(chip(0, 1, PaletteFixture::nordlys(), 2, 1, "NL-21") +
                                   chip(3, 5, PaletteFixture::terra(), 1, 3, "TR-13") +
                                   chip(1, 1, PaletteFixture::notInstalled(), 1, 1, "X"))));
}

void PaletteCommandsTest::cleanup()
{
    m_fixture.reset();
    m_environment.reset();
}

int PaletteCommandsTest::run(const QStringList &arguments)
{
    m_out.clear();
    m_err.clear();
    QTextStream out(&m_out);
    QTextStream err(&m_err);
    const int status = Tintwell::runCommandLine(
        arguments + QStringList{QStringLiteral("--data"), m_environment->dataFolder()}, out, err);
    out.flush();
    err.flush();
    return status;
}

void PaletteCommandsTest::listsALoadedPalette()
{
    QCOMPARE(run({"palette", path("two.palette"), "--json"}), 0);
    const QJsonObject palette = json().object();
    QCOMPARE(palette.value("description").toString(), QStringLiteral("Hall & stairs"));
    const QJsonArray cells = palette.value("cells").toArray();
    QCOMPARE(cells.size(), 2);
    const QJsonObject first = cells.at(0).toObject();
    QCOMPARE(first.value("row").toInt(), 0);
    QCOMPARE(first.value("col").toInt(), 1);
    QCOMPARE(QUuid::fromString(first.value("collection").toString()), PaletteFixture::nordlys());
    QCOMPARE(first.value("pageId").toInteger(), m_fixture->page("NL-p2"));
    QCOMPARE(first.value("rowId").toInteger(), m_fixture->row("NL-21"));
    QCOMPARE(first.value("code").toString(), QStringLiteral("NL-21"));
    QCOMPARE(first.value("label").toString(), QStringLiteral("NL-21 - Blå 21"));
    QCOMPARE(first.value("rgb").toArray().size(), 3);
    const QJsonObject second = cells.at(1).toObject();
    QCOMPARE(second.value("row").toInt(), 3);
    QCOMPARE(second.value("col").toInt(), 5);
    QCOMPARE(second.value("label").toString(), QStringLiteral("TR-13"));

    QCOMPARE(run({"palette", path("two.palette")}), 0);
    QVERIFY(m_out.contains(QStringLiteral("Hall & stairs")));
    QVERIFY(m_out.contains(QStringLiteral("NL-21 - Blå 21")));
}

void PaletteCommandsTest::writesThePaletteBack()
{
    const QString xml = path("back.palette");
    const QString text = path("back.txt");
    QCOMPARE(run({"palette", path("two.palette"), "--save-xml", xml, "--save-text", text}), 0);
    QCOMPARE(fileBytes(text), QByteArray("\xEF\xBB\xBFNordlys & Co : NL-21\nTerra : TR-13\n"));
    const QString again = path("again.palette");
    QCOMPARE(run({"palette", xml, "--save-xml", again}), 0);
    QCOMPARE(fileBytes(again), fileBytes(xml));
    QVERIFY(fileBytes(xml).contains("<description>Hall &amp; stairs</description>"));

    QCOMPARE(run({"palette", xml, "--save-xml", path("no/folder/x.palette")}), 2);
    QVERIFY(m_err.startsWith(QStringLiteral("tintwell palette: cannot write")));
}

void PaletteCommandsTest::emptyPaletteWritesNoTextList()
{
    QVERIFY(writeBytes(path("none.palette"),
                       paletteFile(chip(0, 0, PaletteFixture::notInstalled(), 1, 1, "X"))));
    QCOMPARE(run({"palette", path("none.palette"), "--json", "--save-text", path("none.txt"),
                  "--save-xml", path("none-again.palette")}),
             0);
    QVERIFY(json().object().value("cells").toArray().isEmpty());
    QVERIFY(!QFile::exists(path("none.txt")));
    QVERIFY(fileBytes(path("none-again.palette")).contains("<chips>\n\t</chips>"));
}

void PaletteCommandsTest::exportsThePalette_data()
{
    QTest::addColumn<QStringList>("options"); // "OUT" stands for the output file
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QString>("message");
    QTest::newRow("gpl") << QStringList{"--export", "gpl", "OUT"} << 0
                         << QByteArray("GIMP Palette\nName: Hall & stairs\nColumns: 6\n#\n") << "";
    QTest::newRow("ase") << QStringList{"--export", "ase", "OUT"} << 0
                         << QByteArray("ASEF\0\1\0\0\0\0\0\4", 12) << "";
    QTest::newRow("css") << QStringList{"--export", "css", "OUT"} << 0
                         << QByteArray("/* Hall & stairs */\n:root {\n  --nl-21: #") << "";
    QTest::newRow("csv in capitals")
        << QStringList{"--export=CSV", "OUT"} << 0 << QByteArray("\xEF\xBB\xBFRow,Column,") << "";
    QTest::newRow("unknown format") << QStringList{"--export", "pdf", "OUT"} << 2 << QByteArray()
                                    << "unknown export format \"pdf\"";
    QTest::newRow("no output") << QStringList{"--export", "gpl"} << 2 << QByteArray()
                               << "--export needs an output file";
    QTest::newRow("output without format")
        << QStringList{"OUT"} << 2 << QByteArray() << "names no output without --export";
    QTest::newRow("unwritable") << QStringList{"--export", "css", "OUT/x.css"} << 2 << QByteArray()
                                << "cannot write";
}

void PaletteCommandsTest::exportsThePalette()
{
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QByteArray, start);
    QFETCH(QString, message);
    const QString out = path("exported");
    options.replaceInStrings(QStringLiteral("OUT"), out);
    QCOMPARE(run(QStringList{"palette", path("two.palette")} + options), status);
    QVERIFY2(fileBytes(out).startsWith(start), fileBytes(out).toHex().constData());
    QCOMPARE(QFile::exists(out), status == 0);
    QVERIFY2(m_err.contains(message), qPrintable(m_err));
}

void PaletteCommandsTest::refusesFilesItCannotRead_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    QTest::newRow("not XML") << QByteArray("Nordlys & Co : NL-21\n") << "is not a palette file";
    QTest::newRow("version 3.1") << paletteFile("").replace("3.0", "3.1")
                                 << "is not a palette file";
    QTest::newRow("entity expansion bomb")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE velmora-palette [<!ENTITY a \"aaaa\">"
                      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;\">]>"
                      "<velmora-palette version=\"3.0\" system=\"multi-collection\">"
                      "<description>&c;</description></velmora-palette>")
        << "is not a palette file";
    QTest::newRow("missing") << QByteArray() << "cannot read";
}

void PaletteCommandsTest::refusesFilesItCannotRead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString file = path("bad.palette");
    if (!bytes.isEmpty())
        QVERIFY(writeBytes(file, bytes));
    QCOMPARE(run({"palette", file, "--json"}), 2);
    QVERIFY(m_out.isEmpty());
    QVERIFY2(m_err.contains(message), qPrintable(m_err));
    QCOMPARE(m_err.count(QLatin1Char('\n')), 1);
}

void PaletteCommandsTest::leavesThePreferencesAlone()
{
    QCOMPARE(run({"palette", path("two.palette"), "--save-xml", path("back.palette")}), 0);
    const QSettings preferences(QSettings::IniFormat, QSettings::UserScope,
                                QStringLiteral("Velmora"), QStringLiteral("Tintwell"));
    QVERIFY(!QFile::exists(preferences.fileName()));
}

void PaletteCommandsTest::listsMeasurementNames()
{
    QVERIFY(writeBytes(path("capsure.cxf"),
                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                       "<cc:CxF xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\">"
                       "<cc:Resources><cc:ObjectCollection>"
                       "<cc:Object Name=\"NL-21\" ObjectType=\"Target\" Id=\"1\"/>"
                       "<cc:Object Name=\"Blå 34\" ObjectType=\"Target\" Id=\"2\"/>"
                       "</cc:ObjectCollection></cc:Resources></cc:CxF>"));
    QCOMPARE(run({"cxf3", path("capsure.cxf"), "--json"}), 0);
    QCOMPARE(json().array(), QJsonArray({"NL-21", QStringLiteral("Blå 34")}));
    QCOMPARE(run({"cxf3", path("capsure.cxf")}), 0);
    QCOMPARE(m_out, QStringLiteral("NL-21\nBlå 34\n"));
}

void PaletteCommandsTest::measurementWithoutNames()
{
    QVERIFY(writeBytes(path("plain.cxf"), "<CxF><Object Name=\"A\"/></CxF>"));
    QCOMPARE(run({"cxf3", path("plain.cxf"), "--json"}), 1);
    QCOMPARE(json().array(), QJsonArray());
    QVERIFY(m_err.contains(QStringLiteral("no CxF3 object names")));
    QCOMPARE(run({"cxf3", path("missing.cxf")}), 2);
    QVERIFY(m_err.contains(QStringLiteral("cannot read")));
    QCOMPARE(run({"cxf3", m_environment->root()}), 2);
}

void PaletteCommandsTest::listsMeasurementValues()
{
    QVERIFY(writeBytes(
        path("values.cxf"),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<cc:CxF xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\"><cc:Resources>"
        "<cc:ObjectCollection><cc:Object Name=\"NL-21\"><cc:ColorValues>"
        "<cc:ColorCIELab ColorSpecification=\"CS\"><cc:L>62.5</cc:L><cc:A>-1.25</cc:A>"
        "<cc:B>30</cc:B></cc:ColorCIELab><cc:ColorSRGB><cc:R>200</cc:R><cc:G>nan</cc:G>"
        "<cc:B>0</cc:B></cc:ColorSRGB></cc:ColorValues></cc:Object>"
        "<cc:Object><cc:ColorValues><cc:ColorSRGB><cc:R>1</cc:R><cc:G>2</cc:G><cc:B>3</cc:B>"
        "</cc:ColorSRGB></cc:ColorValues></cc:Object></cc:ObjectCollection>"
        "<cc:ColorSpecificationCollection><cc:ColorSpecification Id=\"CS\"><cc:TristimulusSpec>"
        "<cc:Illuminant>D65</cc:Illuminant><cc:Observer>10_Degree</cc:Observer>"
        "</cc:TristimulusSpec></cc:ColorSpecification></cc:ColorSpecificationCollection>"
        "</cc:Resources></cc:CxF>"));
    QCOMPARE(run({"cxf3", path("values.cxf"), "--measurements", "--json"}), 0);
    const QJsonArray expected{
        QJsonObject{{"name", "NL-21"},
                    {"lab", QJsonArray{62.5, -1.25, 30}},
                    {"rgb", QJsonValue()},
                    {"illuminant", "D65"},
                    {"observer", "10_Degree"}},
        QJsonObject{{"name", ""},
                    {"lab", QJsonValue()},
                    {"rgb", QJsonArray{1, 2, 3}},
                    {"illuminant", QJsonValue()},
                    {"observer", QJsonValue()}},
    };
    QCOMPARE(json().array(), expected);
    QCOMPARE(run({"cxf3", path("values.cxf"), "--measurements"}), 0);
    QCOMPARE(m_out, QStringLiteral("NL-21  Lab 62.5 -1.25 30 (D65 10_Degree)\n"
                                   "(no name)  sRGB 1 2 3\n"));
    // The names alone, as before.
    QCOMPARE(run({"cxf3", path("values.cxf")}), 0);
    QCOMPARE(m_out, QStringLiteral("NL-21\n"));
    QVERIFY(writeBytes(path("empty.cxf"), "<CxF/>"));
    QCOMPARE(run({"cxf3", path("empty.cxf"), "--measurements"}), 1);
    QVERIFY(m_err.contains(QStringLiteral("no CxF3 objects")));
}

QTEST_GUILESS_MAIN(PaletteCommandsTest)
#include "tst_palettecommands.moc"
