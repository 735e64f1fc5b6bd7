#include "demoworld.h"
#include "fixturefiles.h"
#include "ui/interfacefonts.h"
#include "ui/startchipdrag.h"
#include "ui/themeimage.h"

#include <QFontDatabase>
#include <QTest>
#include <QtEndian>

using Corvo::ChipOrigin;
using Corvo::InterfaceFonts::FontFace;

Q_DECLARE_METATYPE(Corvo::ChipOrigin)

namespace {

const QUuid kDamagedDeck(QStringLiteral("{7e1d2c3b-4a59-4f68-8e77-9d0c1b2a3f46}"));

// A bitmap header that claims 50,000 x 50,000 pixels, followed by almost nothing.
QByteArray hugeBitmapHeader()
{
    QByteArray bytes(54, '\0');
    char *data = bytes.data();
    data[0] = 'B';
    data[1] = 'M';
    qToLittleEndian<quint32>(54, data + 10);
    qToLittleEndian<quint32>(40, data + 14);
    qToLittleEndian<qint32>(50000, data + 18);
    qToLittleEndian<qint32>(50000, data + 22);
    qToLittleEndian<quint16>(1, data + 26);
    qToLittleEndian<quint16>(24, data + 28);
    return bytes + QByteArray(16, '\x7f');
}

} // namespace

class TestInterfaceFonts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void parseFaceList_data();
    void parseFaceList();
    void chooseFace_data();
    void chooseFace();
    void pointSizeForClass_data();
    void pointSizeForClass();
    void providersUseTheChosenFace();
    void themeImagesAtTheDeviceRatio_data();
    void themeImagesAtTheDeviceRatio();
    void dragStartsOnlyForChips_data();
    void dragStartsOnlyForChips();

private:
    std::unique_ptr<DemoWorld> m_world;
};

void TestInterfaceFonts::initTestCase()
{
    m_world = std::make_unique<DemoWorld>();
    QVERIFY(m_world->isValid());
    QVERIFY(FixtureFiles::writeCollectionFile(
        m_world->environment().collectionFile(QStringLiteral("damaged.db")),
        {FixtureFiles::collection(1, kDamagedDeck.toString(), QStringLiteral("damaged"), 5)}, false,
        [](Tintwell::CollectionFileWriter &writer) {
            return writer.addThemeItem(1, QStringLiteral("image.mto"), "not an image at all") &&
                   writer.addThemeItem(1, QStringLiteral("image.huge"), hugeBitmapHeader());
        }));
    TestEnvironment::resetCatalogue();
}

void TestInterfaceFonts::parseFaceList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<FontFace>>("faces");
    const QList<FontFace> fallback{{"Myriad Pro", 10}, {"Arial", 8}};
    QTest::newRow("two faces") << "DejaVu Sans,9;Arial,8"
                               << QList<FontFace>{{"DejaVu Sans", 9}, {"Arial", 8}};
    QTest::newRow("blanks and a comma in the name")
        << " Noto Sans , 11 ;Foo, Bar,7" << QList<FontFace>{{"Noto Sans", 11}, {"Foo, Bar", 7}};
    QTest::newRow("unusable entries dropped")
        << ",9;Arial,0;Verdana,-2;Tahoma,x;Helvetica,12" << QList<FontFace>{{"Helvetica", 12}};
    QTest::newRow("nothing usable") << ";;,;Arial" << fallback;
    QTest::newRow("empty") << "" << fallback;
    QTest::newRow("a face twice") << "Arial,8;Tahoma,9;Arial,10" << fallback;
}

void TestInterfaceFonts::parseFaceList()
{
    QFETCH(QString, text);
    QFETCH(QList<FontFace>, faces);
    QCOMPARE(Corvo::InterfaceFonts::parseFaceList(text), faces);
}

void TestInterfaceFonts::chooseFace_data()
{
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("size");
    QTest::newRow("first offered") << QStringList{"Myriad Pro", "Arial"} << "Myriad Pro" << 10;
    QTest::newRow("only the second") << QStringList{"Arial"} << "Arial" << 8;
    QTest::newRow("none: system font at the last size") << QStringList{} << "System" << 8;
}

void TestInterfaceFonts::chooseFace()
{
    QFETCH(QStringList, offered);
    QFETCH(QString, family);
    QFETCH(int, size);
    const FontFace face = Corvo::InterfaceFonts::chooseFace(
        Corvo::InterfaceFonts::parseFaceList(QString()),
        [&offered](const QString &name) { return offered.contains(name); },
        QStringLiteral("System"));
    QCOMPARE(face.family, family);
    QCOMPARE(face.pointSize, size);
}

void TestInterfaceFonts::pointSizeForClass_data()
{
    QTest::addColumn<int>("sizeClass");
    QTest::addColumn<int>("size");
    QTest::newRow("two below") << 0 << 8;
    QTest::newRow("one below") << 1 << 9;
    QTest::newRow("base") << 2 << 10;
    QTest::newRow("one above") << 3 << 11;
    QTest::newRow("two above") << 4 << 12;
    QTest::newRow("5 is base") << 5 << 10;
    QTest::newRow("-1 is base") << -1 << 10;
}

void TestInterfaceFonts::pointSizeForClass()
{
    QFETCH(int, sizeClass);
    QFETCH(int, size);
    QCOMPARE(Corvo::InterfaceFonts::pointSizeForClass(10, sizeClass), size);
}

// The demo lists DejaVu Sans first, which the project's scripts install.
void TestInterfaceFonts::providersUseTheChosenFace()
{
    using namespace Corvo::InterfaceFonts;
    if (!QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans")))
        QSKIP("DejaVu Sans is not installed");
    QCOMPARE(family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(baseSize(), 9);
    const QFont boldSmall = bold(kOneStepBelow);
    QCOMPARE(boldSmall.family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(boldSmall.pointSize(), 8);
    QCOMPARE(boldSmall.weight(), QFont::Bold);
    QVERIFY(!boldSmall.italic());
    const QFont italicBase = italic(kBase);
    QVERIFY(italicBase.italic());
    QCOMPARE(italicBase.weight(), QFont::Normal);
    QCOMPARE(regular(kTwoStepsAbove).pointSize(), 11);
    QCOMPARE(regular(kBase).styleStrategy() & QFont::PreferAntialias, QFont::PreferAntialias);
}

void TestInterfaceFonts::themeImagesAtTheDeviceRatio_data()
{
    QTest::addColumn<QUuid>("collection");
    QTest::addColumn<QString>("key");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<bool>("found");
    const QUuid demo = DemoWorld::mainCollection();
    QTest::newRow("ratio 1") << demo << "image.mto" << 1.0 << true;
    QTest::newRow("ratio 2") << demo << "image.mto" << 2.0 << true;
    QTest::newRow("no such key") << demo << "image.nothing.here" << 1.0 << false;
    QTest::newRow("bytes that are no image") << kDamagedDeck << "image.mto" << 1.0 << false;
    QTest::newRow("a header claiming a huge image") << kDamagedDeck << "image.huge" << 1.0 << false;
    QTest::newRow("no such collection") << QUuid::createUuid() << "image.mto" << 1.0 << false;
}

void TestInterfaceFonts::themeImagesAtTheDeviceRatio()
{
    QFETCH(QUuid, collection);
    QFETCH(QString, key);
    QFETCH(qreal, ratio);
    QFETCH(bool, found);
    const QPixmap pixmap = Corvo::themePixmap(collection, key, QSize(96, 50), ratio);
    QCOMPARE(!pixmap.isNull(), found);
    if (found) {
        QCOMPARE(pixmap.size(), QSize(96, 50) * ratio);
        QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(96, 50));
    }
}

void TestInterfaceFonts::dragStartsOnlyForChips_data()
{
    QTest::addColumn<ChipOrigin>("origin");
    QTest::addColumn<bool>("withSource");
    QTest::addColumn<qint64>("rowId");

    QTest::newRow("free colour") << ChipOrigin::FreeColor << true << qint64(7);
    QTest::newRow("no origin") << ChipOrigin::None << true << qint64(7);
    QTest::newRow("no source") << ChipOrigin::CardRoller << false << qint64(7);
    QTest::newRow("no row") << ChipOrigin::Palette << true << qint64(0);
}

void TestInterfaceFonts::dragStartsOnlyForChips()
{
    QFETCH(ChipOrigin, origin);
    QFETCH(bool, withSource);
    QFETCH(qint64, rowId);
    QObject source;
    Corvo::DB::ColorEntry row;
    row.id = rowId;
    QCOMPARE(Corvo::startChipDrag(withSource ? &source : nullptr, origin,
                                  DemoWorld::mainCollection(), row, QFont(), Qt::CopyAction),
             Qt::IgnoreAction);
}

QTEST_MAIN(TestInterfaceFonts)
#include "tst_interfacefonts.moc"
