#include "engine/palette/chipdrag.h"
#include "engine/palette/chipdragdata.h"

#include "testenvironment.h"
#include "tools/tintwell/authoring/collectionfilewriter.h"

#include <QFont>
#include <QImage>
#include <QMimeData>
#include <QTest>

#include <memory>

using Corvo::ChipOrigin;

Q_DECLARE_METATYPE(Corvo::ChipOrigin)

namespace {

const QUuid deckUuid(QStringLiteral("{5EED0000-0000-4000-8000-000000000001}"));
const QUuid otherUuid(QStringLiteral("{5EED0000-0000-4000-8000-000000000002}"));

std::unique_ptr<QMimeData> mimeWith(const QByteArray &data,
                                    const QString &type = Corvo::chipMimeType)
{
    auto mime = std::make_unique<QMimeData>();
    mime->setData(type, data);
    return mime;
}

} // namespace

class TestChipDragData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void writesChipPayload();
    void writesFreeColourPayload();
    void readsOrigin_data();
    void readsOrigin();
    void decodesColour_data();
    void decodesColour();
    void decodesNames_data();
    void decodesNames();
    void decodesChip_data();
    void decodesChip();
    void receiversAcceptOrigins_data();
    void receiversAcceptOrigins();
    void dragPixmapShowsColourAndCode();

private:
    std::unique_ptr<TestEnvironment> m_environment;
    qint64 m_rowId = 0;
    qint64 m_otherRowId = 0;
};

void TestChipDragData::initTestCase()
{
    m_environment = std::make_unique<TestEnvironment>();
    Tintwell::CollectionFileWriter writer;
    QVERIFY(writer.create(m_environment->collectionFile(QStringLiteral("deck.db"))));
    QVERIFY(writer.addSystemWideCollection());
    for (const auto &[id, uuid] :
         {std::pair{qint64(1), deckUuid}, std::pair{qint64(2), otherUuid}}) {
        Tintwell::CollectionFields fields;
        fields.id = id;
        fields.uuid = uuid;
        fields.systemId = QStringLiteral("S%1").arg(id);
        fields.name = fields.systemId;
        fields.order = int(id);
        QVERIFY(writer.addCollection(fields));
        QVERIFY(writer.addSetting(id, QStringLiteral("collection.enabled"), QStringLiteral("1")));
        const auto page = writer.addPage(id, Tintwell::PageFields());
        QVERIFY(page);
        Tintwell::RowFields row;
        row.pageId = *page;
        row.code = QStringLiteral("CODE-%1").arg(id);
        row.red = 200;
        row.green = 100;
        row.blue = 50;
        const auto rowId = writer.addRow(id, row);
        QVERIFY(rowId);
        (id == 1 ? m_rowId : m_otherRowId) = *rowId;
    }
    QVERIFY2(writer.close(), qPrintable(writer.lastError()));
}

void TestChipDragData::cleanupTestCase()
{
    m_environment.reset();
}

void TestChipDragData::writesChipPayload()
{
    const auto mime = Corvo::chipMimeData(
        Corvo::chipPayload(ChipOrigin::CardRoller, deckUuid, qint64(5000000000)));
    QVERIFY(mime);
    QCOMPARE(mime->formats(), QStringList{Corvo::chipMimeType});
    QCOMPARE(mime->data(Corvo::chipMimeType),
             QByteArray("{ \"collectuionUuid\" : \"{5eed0000-0000-4000-8000-000000000001}\", "
                        "\"colorId\" : 5000000000, \"from\" : 1 }"));
}

void TestChipDragData::writesFreeColourPayload()
{
    const auto mime = Corvo::chipMimeData(Corvo::freeColorPayload(
        QColor(255, 0, 128, 10), QStringLiteral("Rose \"Deep\""), QStringLiteral("R-12")));
    QVERIFY(mime);
    QCOMPARE(mime->data(Corvo::chipMimeType),
             QByteArray("{ \"colorName1\" : \"Rose \\\"Deep\\\"\", \"colorName2\" : \"R-12\", "
                        "\"colorRgb\" : 4294901888, \"from\" : 4 }"));
    QCOMPARE(Corvo::decodeColor(mime.get()), std::optional<QColor>(QColor(255, 0, 128)));
    QCOMPARE(Corvo::chipOrigin(mime.get()), ChipOrigin::FreeColor);
}

void TestChipDragData::readsOrigin_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<ChipOrigin>("expected");

    QTest::newRow("card roller") << QByteArray(R"({"from":1})") << ChipOrigin::CardRoller;
    QTest::newRow("chip view") << QByteArray(R"({"from":2})") << ChipOrigin::ChipView;
    QTest::newRow("palette") << QByteArray(R"({"from":3})") << ChipOrigin::Palette;
    QTest::newRow("free colour") << QByteArray(R"({"from":4})") << ChipOrigin::FreeColor;
    QTest::newRow("integral real") << QByteArray(R"({"from":2.0})") << ChipOrigin::ChipView;
    QTest::newRow("zero") << QByteArray(R"({"from":0})") << ChipOrigin::None;
    QTest::newRow("five") << QByteArray(R"({"from":5})") << ChipOrigin::None;
    QTest::newRow("negative") << QByteArray(R"({"from":-1})") << ChipOrigin::None;
    QTest::newRow("wraps to 1 in 32 bits")
        << QByteArray(R"({"from":4294967297})") << ChipOrigin::None;
    QTest::newRow("fraction") << QByteArray(R"({"from":2.5})") << ChipOrigin::None;
    QTest::newRow("text") << QByteArray(R"({"from":"2"})") << ChipOrigin::None;
    QTest::newRow("boolean") << QByteArray(R"({"from":true})") << ChipOrigin::None;
    QTest::newRow("absent") << QByteArray(R"({"colorId":1})") << ChipOrigin::None;
    QTest::newRow("list") << QByteArray("[1]") << ChipOrigin::None;
    QTest::newRow("truncated") << QByteArray(R"({"from":2)") << ChipOrigin::None;
    QTest::newRow("not UTF-8") << QByteArray("{\"from\":2,\"colorName1\":\"\xE9\"}")
                               << ChipOrigin::None;
    QTest::newRow("empty") << QByteArray() << ChipOrigin::None;
    QTest::newRow("deeply nested") << QByteArray(100000, '{') << ChipOrigin::None;
}

void TestChipDragData::readsOrigin()
{
    QFETCH(QByteArray, data);
    QFETCH(ChipOrigin, expected);
    QCOMPARE(Corvo::chipOrigin(mimeWith(data).get()), expected);
}

void TestChipDragData::decodesColour_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QColor>("expected");

    const QColor none;
    QTest::newRow("opaque") << QByteArray(R"({"colorRgb":4279246896})") << QColor(16, 32, 48);
    QTest::newRow("alpha ignored") << QByteArray(R"({"colorRgb":1056816})") << QColor(16, 32, 48);
    QTest::newRow("largest") << QByteArray(R"({"colorRgb":4294967295})") << QColor(Qt::white);
    QTest::newRow("zero") << QByteArray(R"({"colorRgb":0})") << QColor(Qt::black);
    QTest::newRow("as real") << QByteArray(R"({"colorRgb":1.6711680e7})") << QColor(Qt::red);
    QTest::newRow("beyond 32 bits") << QByteArray(R"({"colorRgb":4294967296})") << none;
    QTest::newRow("negative") << QByteArray(R"({"colorRgb":-16777216})") << none;
    QTest::newRow("fraction") << QByteArray(R"({"colorRgb":255.5})") << none;
    QTest::newRow("text") << QByteArray(R"({"colorRgb":"#ff0000"})") << none;
    QTest::newRow("absent") << QByteArray(R"({"from":4})") << none;
    QTest::newRow("not JSON") << QByteArray("colorRgb=255") << none;
}

void TestChipDragData::decodesColour()
{
    QFETCH(QByteArray, data);
    QFETCH(QColor, expected);
    const std::optional<QColor> color = Corvo::decodeColor(mimeWith(data).get());
    QCOMPARE(color.has_value(), expected.isValid());
    if (color)
        QCOMPARE(*color, expected);
}

void TestChipDragData::decodesNames_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("name1");
    QTest::addColumn<QString>("name2");

    QTest::newRow("both") << QByteArray(R"({"colorName1":"Sea \u00e9","colorName2":"S-1"})")
                          << QStringLiteral("Sea \u00e9") << "S-1";
    QTest::newRow("one missing") << QByteArray(R"({"colorName2":"S-1"})") << QString() << "S-1";
    QTest::newRow("not text") << QByteArray(R"({"colorName1":12,"colorName2":[1]})") << QString()
                              << QString();
    QTest::newRow("not JSON") << QByteArray("{\"colorName1\":") << QString() << QString();
}

void TestChipDragData::decodesNames()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, name1);
    QFETCH(QString, name2);
    const Corvo::ChipNames names = Corvo::decodeNames(mimeWith(data).get());
    QCOMPARE(names.name1, name1);
    QCOMPARE(names.name2, name2);
}

void TestChipDragData::decodesChip_data()
{
    QTest::addColumn<QString>("json");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<QUuid>("expectedCollection");

    const QString uuid = deckUuid.toString();
    QTest::newRow("chip")
        << QStringLiteral(R"({"from":1,"collectuionUuid":"%1","colorId":ROW})").arg(uuid) << true
        << deckUuid;
    QTest::newRow("UUID in capitals without braces")
        << QStringLiteral(R"({"collectuionUuid":"%1","colorId":ROW})")
               .arg(uuid.toUpper().mid(1, 36))
        << true << deckUuid;
    QTest::newRow("row gone")
        << QStringLiteral(R"({"collectuionUuid":"%1","colorId":987654})").arg(uuid) << false
        << deckUuid;
    QTest::newRow("row of another collection")
        << QStringLiteral(R"({"collectuionUuid":"%1","colorId":OTHER})").arg(uuid) << false
        << deckUuid;
    QTest::newRow("no collection")
        << QStringLiteral(R"({"from":1,"colorId":ROW})") << false << QUuid();
    QTest::newRow("collection not a UUID")
        << QStringLiteral(R"({"collectuionUuid":"deck","colorId":ROW})") << false << QUuid();
    QTest::newRow("row ID as text")
        << QStringLiteral(R"({"collectuionUuid":"%1","colorId":"ROW"})").arg(uuid) << false
        << deckUuid;
    QTest::newRow("no row ID") << QStringLiteral(R"({"collectuionUuid":"%1"})").arg(uuid) << false
                               << deckUuid;
    QTest::newRow("truncated")
        << QStringLiteral(R"({"collectuionUuid":"%1","colorId":ROW)").arg(uuid) << false << QUuid();
}

void TestChipDragData::decodesChip()
{
    QFETCH(QString, json);
    QFETCH(bool, expected);
    QFETCH(QUuid, expectedCollection);

    json.replace(QStringLiteral("OTHER"), QString::number(m_otherRowId));
    json.replace(QStringLiteral("ROW"), QString::number(m_rowId));
    QUuid collection = otherUuid;
    Corvo::DB::ColorEntry entry;
    QCOMPARE(Corvo::decodeChip(mimeWith(json.toUtf8()).get(), collection, entry), expected);
    QCOMPARE(collection, expectedCollection);
    if (expected) {
        QCOMPARE(entry.id, m_rowId);
        QCOMPARE(entry.code, QStringLiteral("CODE-1"));
    }
}

void TestChipDragData::receiversAcceptOrigins_data()
{
    QTest::addColumn<ChipOrigin>("origin");
    QTest::addColumn<bool>("palette");
    QTest::addColumn<bool>("zoomedPalette");
    QTest::addColumn<bool>("cardRoller");

    QTest::newRow("none") << ChipOrigin::None << false << false << false;
    QTest::newRow("card roller") << ChipOrigin::CardRoller << true << false << false;
    QTest::newRow("chip view") << ChipOrigin::ChipView << true << false << true;
    QTest::newRow("palette") << ChipOrigin::Palette << false << false << true;
    QTest::newRow("free colour") << ChipOrigin::FreeColor << false << false << true;
}

void TestChipDragData::receiversAcceptOrigins()
{
    QFETCH(ChipOrigin, origin);
    QFETCH(bool, palette);
    QFETCH(bool, zoomedPalette);
    QFETCH(bool, cardRoller);
    QCOMPARE(Corvo::paletteAcceptsChip(origin, false), palette);
    QCOMPARE(Corvo::paletteAcceptsChip(origin, true), zoomedPalette);
    QCOMPARE(Corvo::cardRollerAcceptsChip(origin), cardRoller);
}

void TestChipDragData::dragPixmapShowsColourAndCode()
{
    const QColor colour(40, 120, 200);
    QFont font;
    font.setPixelSize(14);
    const QImage plain = Corvo::chipDragPixmap(colour, QString(), font)
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(plain.size(), QSize(128, 64));
    // The corner pixel is sampled half a pixel into the gradient.
    QVERIFY(plain.pixelColor(0, 0).alpha() >= 253);
    QVERIFY(qAbs(plain.pixelColor(0, 0).red() - colour.red()) <= 2);
    QVERIFY(qAbs(plain.pixelColor(0, 0).blue() - colour.blue()) <= 2);
    // Beyond the gradient's end the colour keeps the last stop's alpha.
    QVERIFY(qAbs(plain.pixelColor(127, 63).alpha() - 160) <= 1);
    QVERIFY(plain.pixelColor(2, 40).alpha() < 255 && plain.pixelColor(2, 40).alpha() > 160);

    const QImage labelled = Corvo::chipDragPixmap(colour, QStringLiteral("WW-88"), font)
                                .toImage()
                                .convertToFormat(QImage::Format_ARGB32);
    auto darkPixels = [](const QImage &image, const QRect &area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += qGray(image.pixel(x, y)) < 30 ? 1 : 0;
        return count;
    };
    QCOMPARE(darkPixels(plain, plain.rect()), 0);
    QVERIFY(darkPixels(labelled, QRect(64, 2, 62, 24)) > 0);
    QCOMPARE(darkPixels(labelled, QRect(0, 0, 40, 64)), 0);
    QCOMPARE(darkPixels(labelled, QRect(0, 40, 128, 24)), 0);
}

QTEST_MAIN(TestChipDragData)
#include "tst_chipdragdata.moc"
