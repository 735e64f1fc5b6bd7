#include "testenvironment.h"

#include "engine/db/collectioncatalogue.h"
#include "tools/tintwell/cli/commandline.h"
#include "tools/tintwell/import/swatchfilereader.h"
#include "tools/tintwell/import/swatchreadcontext.h"

#include <QDataStream>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

namespace {

const QString kExamples = QStringLiteral(TINTWELL_SWATCH_EXAMPLES);
const QString kConnection = QStringLiteral("tst_tintwellimport");

struct AseColour
{
    QString name;
    QByteArray model;
    QList<float> values;
};

QByteArray aseName(const QString &name)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << quint16(name.size() + 1);
    for (const QChar unit : name)
        stream << quint16(unit.unicode());
    stream << quint16(0);
    return bytes;
}

// A swatch exchange file of one group; version 2 for a file the reader must refuse.
QByteArray aseFile(const QList<AseColour> &colours, quint16 version = 1)
{
    QByteArray file("ASEF");
    QDataStream stream(&file, QIODevice::Append);
    stream.setFloatingPointPrecision(QDataStream::SinglePrecision);
    stream << version << quint16(0) << quint32(colours.size() + 2);
    const QByteArray group = aseName(QStringLiteral("Samples"));
    stream << quint16(0xC001) << quint32(group.size());
    stream.writeRawData(group.constData(), int(group.size()));
    for (const AseColour &colour : colours) {
        QByteArray body = aseName(colour.name) + colour.model;
        QDataStream values(&body, QIODevice::Append);
        values.setFloatingPointPrecision(QDataStream::SinglePrecision);
        for (const float value : colour.values)
            values << value;
        values << quint16(2);
        stream << quint16(0x0001) << quint32(body.size());
        stream.writeRawData(body.constData(), int(body.size()));
    }
    stream << quint16(0xC002) << quint32(0);
    return file;
}

QString hexOf(int red, int green, int blue)
{
    return QStringLiteral("#%1%2%3")
        .arg(red, 2, 16, QLatin1Char('0'))
        .arg(green, 2, 16, QLatin1Char('0'))
        .arg(blue, 2, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace

// "tintwell import": swatch files of four kinds become collections the picker offers, with
// cards, moods, schemes and a look of their own; bad rows are reported with their place,
// and bad files leave nothing behind.
class TintwellImportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void examplesBecomeCollections_data();
    void examplesBecomeCollections();
    void readersTakeEveryColourModel_data();
    void readersTakeEveryColourModel();
    void cardsFollowGroupsElseHue_data();
    void cardsFollowGroupsElseHue();
    void badRowsAreReportedWithTheirPlace_data();
    void badRowsAreReportedWithTheirPlace();
    void badFilesAreRefusedAndKeepTheOldOutput_data();
    void badFilesAreRefusedAndKeepTheOldOutput();
    void repeatedCodesAreMadeUnique();
    void sourceFolderBuildsTheSameCollection();

private:
    int run(const QStringList &arguments);
    QString writeFile(const QString &name, const QByteArray &bytes);
    QString importOne(const QString &file, const QStringList &options = {});
    QSqlQuery query(const QString &file, const QString &sql);

    std::unique_ptr<TestEnvironment> m_environment;
    QString m_out;
    QString m_err;
    int m_files = 0;
};

int TintwellImportTest::run(const QStringList &arguments)
{
    m_out.clear();
    m_err.clear();
    QTextStream out(&m_out);
    QTextStream err(&m_err);
    return Tintwell::runCommandLine(arguments, out, err);
}

QString TintwellImportTest::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(m_environment->root()).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

// The output file of a successful import, or an empty text.
QString TintwellImportTest::importOne(const QString &file, const QStringList &options)
{
    const QString out =
        m_environment->collectionFile(QStringLiteral("import-%1.db").arg(++m_files));
    if (run(QStringList{QStringLiteral("import"), file} + options + QStringList{out}) != 0) {
        qWarning("%s", qPrintable(m_err));
        return {};
    }
    return out;
}

QSqlQuery TintwellImportTest::query(const QString &file, const QString &sql)
{
    {
        QSqlDatabase database =
            QSqlDatabase::contains(kConnection)
                ? QSqlDatabase::database(kConnection, false)
                : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
        database.close();
        database.setDatabaseName(file);
        database.open();
    }
    QSqlQuery result(QSqlDatabase::database(kConnection));
    if (!result.exec(sql))
        qWarning("%s", qPrintable(sql));
    return result;
}

void TintwellImportTest::initTestCase()
{
    m_environment = std::make_unique<TestEnvironment>();
    QVERIFY(m_environment->isValid());
}

void TintwellImportTest::cleanupTestCase()
{
    if (QSqlDatabase::contains(kConnection)) {
        QSqlDatabase::database(kConnection, false).close();
        QSqlDatabase::removeDatabase(kConnection);
    }
    m_environment.reset();
}

void TintwellImportTest::examplesBecomeCollections_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("colours");
    QTest::addColumn<int>("skipped");
    QTest::addColumn<bool>("hasProducts");
    QTest::newRow("csv") << QStringLiteral("harbour-paints.csv") << 29 << 1 << true;
    QTest::newRow("gpl") << QStringLiteral("meadow.gpl") << 54 << 0 << false;
    QTest::newRow("ase") << QStringLiteral("studio.ase") << 20 << 0 << false;
    QTest::newRow("cxf3") << QStringLiteral("site-survey.cxf") << 13 << 1 << false;
}

void TintwellImportTest::examplesBecomeCollections()
{
    QFETCH(QString, file);
    QFETCH(int, colours);
    QFETCH(int, skipped);
    QFETCH(bool, hasProducts);
    const QString out = importOne(QDir(kExamples).filePath(file), {QStringLiteral("--json")});
    QVERIFY(!out.isEmpty());
    const QJsonObject report = QJsonDocument::fromJson(m_out.toUtf8()).object();
    QCOMPARE(report.value(QStringLiteral("colours")).toInt(), colours);
    QCOMPARE(report.value(QStringLiteral("skipped")).toArray().size(), skipped);

    QCOMPARE(run({QStringLiteral("validate"), out, QStringLiteral("--json")}), 0);
    QVERIFY2(QJsonDocument::fromJson(m_out.toUtf8())
                 .object()
                 .value(QStringLiteral("problems"))
                 .toArray()
                 .isEmpty(),
             qPrintable(m_out));
    TestEnvironment::resetCatalogue();
    const QUuid uuid(report.value(QStringLiteral("uuid")).toString());
    QVERIFY(Corvo::DB::orderedCollections().contains(uuid));

    // Every chip: its LRV, a mood, and all eight schemes in whole rows of seven.
    QSqlQuery chips = query(out, QStringLiteral("SELECT COUNT(*), SUM(EXTRA0 LIKE 'LRV %'), "
                                                "SUM(MOOD BETWEEN 1 AND 6) FROM \"ROW\""));
    QVERIFY(chips.next());
    QCOMPARE(chips.value(0).toInt(), colours);
    QCOMPARE(chips.value(1).toInt(), colours);
    QCOMPARE(chips.value(2).toInt(), colours);
    QSqlQuery schemes = query(out, QStringLiteral("SELECT COUNT(*) FROM (SELECT ROW_ID, "
                                                  "SCHEME_ID, COUNT(*) AS N FROM ROW_SCHEME_MAP "
                                                  "GROUP BY ROW_ID, SCHEME_ID HAVING N % 7 = 0)"));
    QVERIFY(schemes.next());
    QCOMPARE(schemes.value(0).toInt(), colours * 8);
    // Cards run light to dark.
    QSqlQuery order = query(out, QStringLiteral("SELECT COUNT(*) FROM \"ROW\" R JOIN \"ROW\" S ON "
                                                "S.PAGE_ID = R.PAGE_ID AND S.ROW_INDEX = "
                                                "R.ROW_INDEX + 1 WHERE S.L > R.L"));
    QVERIFY(order.next());
    QCOMPARE(order.value(0).toInt(), 0);
    QSqlQuery products = query(out, QStringLiteral("SELECT COUNT(*) FROM ROW_PRODUCT_MAP"));
    QVERIFY(products.next());
    QCOMPARE(products.value(0).toInt() > 0, hasProducts);
    QSqlQuery banner =
        query(out, QStringLiteral("SELECT ITEM_DATA FROM THEME WHERE ITEM_KEY = 'image.banner'"));
    QVERIFY(banner.next());
    QVERIFY(!QImage::fromData(banner.value(0).toByteArray()).isNull());
}

void TintwellImportTest::readersTakeEveryColourModel_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("colours");
    QTest::addColumn<int>("warnings");
    QTest::newRow("csv hex, rgb and Lab; semicolons, decimal comma, byte-order mark")
        << QStringLiteral("a.csv")
        << QByteArray("\xEF\xBB\xBF"
                      "Code;Name;Hex;R;G;B;L;a;b\n"
                      "A1;One;#102030;;;;;;\n"
                      "A2;Two;;200;100;50;;;\n"
                      "A3;Three;;;;;53,2329;80,1093;67,2201\n")
        << QStringList{QStringLiteral("#102030"), QStringLiteral("#C86432"),
                       QStringLiteral("#FF0000")}
        << 0;
    QTest::newRow("gpl with comments and headers")
        << QStringLiteral("b.gpl")
        << QByteArray("GIMP Palette\nName: Test\nColumns: 4\n#\n# a comment\n"
                      "255   0   0\tRed\n  0 128 255 Sky blue\n")
        << QStringList{QStringLiteral("#FF0000"), QStringLiteral("#0080FF")} << 0;
    QTest::newRow("ase rgb, lab, cmyk and grey")
        << QStringLiteral("c.ase")
        << aseFile({{QStringLiteral("rgb"), "RGB ", {1.0f, 0.5f, 0.0f}},
                    {QStringLiteral("lab"), "LAB ", {1.0f, 0.0f, 0.0f}},
                    {QStringLiteral("cmyk"), "CMYK", {0.0f, 1.0f, 1.0f, 0.5f}},
                    {QStringLiteral("grey"), "Gray", {0.2f}}})
        << QStringList{QStringLiteral("#FF8000"), QStringLiteral("#FFFFFF"),
                       QStringLiteral("#800000"), QStringLiteral("#333333")}
        << 1;
    QTest::newRow("cxf3 lab under D65 and srgb")
        << QStringLiteral("d.cxf")
        << QByteArray("<?xml version=\"1.0\"?><cc:CxF "
                      "xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\"><cc:Resources>"
                      "<cc:ObjectCollection><cc:Object Name=\"Lab\"><cc:ColorValues>"
                      "<cc:ColorCIELab ColorSpecification=\"s\"><cc:L>53.2329</cc:L>"
                      "<cc:A>80.1093</cc:A><cc:B>67.2201</cc:B></cc:ColorCIELab>"
                      "</cc:ColorValues></cc:Object><cc:Object Name=\"Rgb\"><cc:ColorValues>"
                      "<cc:ColorSRGB><cc:R>10</cc:R><cc:G>20</cc:G><cc:B>30</cc:B>"
                      "</cc:ColorSRGB></cc:ColorValues></cc:Object></cc:ObjectCollection>"
                      "<cc:ColorSpecificationCollection><cc:ColorSpecification Id=\"s\">"
                      "<cc:TristimulusSpec><cc:Illuminant>D65</cc:Illuminant>"
                      "<cc:Observer>2_Degree</cc:Observer></cc:TristimulusSpec>"
                      "</cc:ColorSpecification></cc:ColorSpecificationCollection>"
                      "</cc:Resources></cc:CxF>")
        << QStringList{QStringLiteral("#FF0000"), QStringLiteral("#0A141E")} << 0;
}

void TintwellImportTest::readersTakeEveryColourModel()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, colours);
    QFETCH(int, warnings);
    Tintwell::SwatchReadContext context(false);
    Tintwell::SwatchFileReader reader;
    QCOMPARE(reader.read(writeFile(name, bytes), context),
             Tintwell::SwatchFileReader::Outcome::Read);
    QStringList read;
    for (const Tintwell::SwatchEntry &entry : context.entries())
        read.append(hexOf(entry.rgb.red, entry.rgb.green, entry.rgb.blue));
    QCOMPARE(read, colours);
    QVERIFY2(context.problems().isEmpty(), qPrintable(context.problems().join(QLatin1Char('\n'))));
    QCOMPARE(context.warnings().size(), warnings);
}

void TintwellImportTest::cardsFollowGroupsElseHue_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("cards");
    QTest::newRow("groups in file order, in chunks")
        << QByteArray("name,hex,group\nb1,#0000FF,Blues\nr1,#FF0000,Reds\nb2,#000080,Blues\n"
                      "b3,#8080FF,Blues\nr2,#800000,Reds\n")
        << QStringList{QStringLiteral("--chips-per-card"), QStringLiteral("2")}
        << QStringList{QStringLiteral("Blues 1:b1,b2"), QStringLiteral("Blues 2:b3"),
                       QStringLiteral("Reds:r1,r2")};
    QTest::newRow("hue segments round the wheel, neutrals last")
        << QByteArray("name,hex\ngrey,#808080\nblue,#0000FF\nred,#FF0000\nwhite,#FFFFFF\n"
                      "pink,#FF8080\n")
        << QStringList{QStringLiteral("--segments"), QStringLiteral("4")}
        << QStringList{QStringLiteral("Rose:pink,red"), QStringLiteral("Azure:blue"),
                       QStringLiteral("Neutrals:white,grey")};
}

void TintwellImportTest::cardsFollowGroupsElseHue()
{
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, options);
    QFETCH(QStringList, cards);
    const QString out = importOne(writeFile(QStringLiteral("cards.csv"), csv), options);
    QVERIFY(!out.isEmpty());
    QSqlQuery result =
        query(out, QStringLiteral("SELECT P.NAME0 || ':' || GROUP_CONCAT(R.NAME0) FROM PAGE P "
                                  "JOIN (SELECT * FROM \"ROW\" ORDER BY ROW_INDEX) R ON "
                                  "R.PAGE_ID = P.ID GROUP BY P.ID ORDER BY P.PAGE_INDEX"));
    QStringList found;
    while (result.next())
        found.append(result.value(0).toString());
    QCOMPARE(found, cards);
}

void TintwellImportTest::badRowsAreReportedWithTheirPlace_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("place");
    QTest::newRow("csv hex") << QStringLiteral("rows.csv")
                             << QByteArray("code,hex\nA,#FFFFFF\nB,#12345\nC,#000000\n")
                             << QStringLiteral("rows.csv:3: hex \"#12345\"");
    QTest::newRow("csv lrv") << QStringLiteral("rows.csv")
                             << QByteArray("code,hex,lrv\nA,#FFFFFF,\nB,#FF0000,120\nC,#000,5\n")
                             << QStringLiteral("rows.csv:3: lrv \"120\"");
    QTest::newRow("csv quoted line break counts")
        << QStringLiteral("rows.csv")
        << QByteArray("code,name,hex\nA,\"two\nlines\",#FFFFFF\nB,x,blue\nC,y,#000000\n")
        << QStringLiteral("rows.csv:4:");
    QTest::newRow("gpl channel") << QStringLiteral("rows.gpl")
                                 << QByteArray("GIMP Palette\n1 2 3 a\n300 0 0 b\n4 5 6 c\n")
                                 << QStringLiteral("rows.gpl:3:");
}

void TintwellImportTest::badRowsAreReportedWithTheirPlace()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, place);
    const QString file = writeFile(name, bytes);
    QVERIFY(!importOne(file).isEmpty());
    QVERIFY2(m_err.contains(place), qPrintable(m_err));
    QVERIFY2(m_out.contains(QLatin1String("imported 2 colours")), qPrintable(m_out));
    // Strict: the first bad row ends the import, and nothing is written.
    const QString out = m_environment->collectionFile(QStringLiteral("strict.db"));
    QCOMPARE(run({QStringLiteral("import"), file, QStringLiteral("--strict"), out}), 2);
    QVERIFY(m_err.contains(place));
    QVERIFY(!QFile::exists(out));
}

void TintwellImportTest::badFilesAreRefusedAndKeepTheOldOutput_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("size"); // grown to this size, when above 0
    QTest::addColumn<QString>("why");
    QTest::newRow("empty") << QStringLiteral("empty.csv") << QByteArray() << qint64(0)
                           << QStringLiteral("empty.csv: the file is empty");
    QTest::newRow("blank") << QStringLiteral("blank.gpl") << QByteArray(" \n\n") << qint64(0)
                           << QStringLiteral("the file is empty");
    QTest::newRow("header only") << QStringLiteral("header.csv") << QByteArray("code,hex\n")
                                 << qint64(0) << QStringLiteral("no readable colour");
    QTest::newRow("no colour column")
        << QStringLiteral("names.csv") << QByteArray("code,name\nA,B\n") << qint64(0)
        << QStringLiteral("no readable colour");
    QTest::newRow("no usable row")
        << QStringLiteral("bad.gpl") << QByteArray("GIMP Palette\nred green blue\n") << qint64(0)
        << QStringLiteral("no readable colour");
    QTest::newRow("ase version 2")
        << QStringLiteral("v2.ase") << aseFile({{QStringLiteral("x"), "RGB ", {1, 1, 1}}}, 2)
        << qint64(0) << QStringLiteral("no readable colour");
    QTest::newRow("measurements over 16 MiB")
        << QStringLiteral("huge.cxf")
        << QByteArray("<cc:CxF xmlns:cc=\"http://colorexchangeformat.com/CxF3-core\">")
        << qint64(16 * 1024 * 1024 + 1) << QStringLiteral("no readable colour");
    QTest::newRow("over 64 MiB") << QStringLiteral("huge.csv") << QByteArray("code,hex\n")
                                 << qint64(64 * 1024 * 1024 + 1)
                                 << QStringLiteral("larger than 64 MiB");
}

void TintwellImportTest::badFilesAreRefusedAndKeepTheOldOutput()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, size);
    QFETCH(QString, why);
    const QString file = writeFile(name, bytes);
    if (size > 0)
        QVERIFY(QFile(file).resize(size));
    const QString out = writeFile(QStringLiteral("previous.db"), "previous");
    QCOMPARE(run({QStringLiteral("import"), file, out}), 2);
    QVERIFY2(m_err.trimmed().endsWith(why), qPrintable(m_err));
    QVERIFY(m_err.contains(QLatin1String("tintwell import: ")));
    QFile kept(out);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("previous"));
    QCOMPARE(QDir(QFileInfo(out).absolutePath())
                 .entryList({QStringLiteral(".previous.db*")}, QDir::Hidden | QDir::Files),
             QStringList());
    QFile::remove(file);
}

void TintwellImportTest::repeatedCodesAreMadeUnique()
{
    const QString out =
        importOne(writeFile(QStringLiteral("codes.csv"),
                            "code,hex\nAB 1,#FF0000\nab 1,#00FF00\nAB 1,#0000FF\n,#FFFF00\n"),
                  {QStringLiteral("--system-id"), QStringLiteral("dup")});
    QVERIFY(!out.isEmpty());
    QVERIFY2(m_err.contains(QLatin1String("codes.csv:3: code \"ab 1\" repeats codes.csv:2; "
                                          "stored as \"ab 1-2\"")),
             qPrintable(m_err));
    QSqlQuery codes = query(out, QStringLiteral("SELECT CODE FROM \"ROW\" ORDER BY CODE"));
    QStringList found;
    while (codes.next())
        found.append(codes.value(0).toString());
    QCOMPARE(found, (QStringList{QStringLiteral("AB 1"), QStringLiteral("ab 1-2"),
                                 QStringLiteral("AB 1-3"), QStringLiteral("DUP-0004")}));
}

void TintwellImportTest::sourceFolderBuildsTheSameCollection()
{
    const QString csv = QDir(kExamples).filePath(QStringLiteral("harbour-paints.csv"));
    const QString source = QDir(m_environment->root()).filePath(QStringLiteral("harbour-source"));
    QCOMPARE(run({QStringLiteral("import"), csv, QStringLiteral("--name"),
                  QStringLiteral("Harbour"), QStringLiteral("--source"), source}),
             0);
    QVERIFY(QFile::exists(QDir(source).filePath(QStringLiteral("deck.json"))));
    const QString built = QDir(m_environment->root()).filePath(QStringLiteral("built.db"));
    QCOMPARE(run({QStringLiteral("build"), source, built}), 0);
    QCOMPARE(run({QStringLiteral("validate"), built}), 0);
    const QString imported = importOne(csv, {QStringLiteral("--name"), QStringLiteral("Harbour")});
    const QString chips = QStringLiteral("SELECT GROUP_CONCAT(CODE || RED || GREEN || BLUE || "
                                         "MOOD || NAME0 || EXTRA0) FROM \"ROW\"");
    QSqlQuery fromSource = query(built, chips);
    QVERIFY(fromSource.next());
    const QString expected = fromSource.value(0).toString();
    QSqlQuery direct = query(imported, chips);
    QVERIFY(direct.next());
    QCOMPARE(direct.value(0).toString(), expected);
}

QTEST_MAIN(TintwellImportTest)
#include "tst_tintwellimport.moc"
