#include "engine/colour/colorvalue.h"

#include <QColor>
#include <QTest>

#include <optional>

class TestColorValue : public QObject
{
    Q_OBJECT

private slots:
    void readsColours_data();
    void readsColours();
    void refusesOtherTexts_data();
    void refusesOtherTexts();
};

void TestColorValue::readsColours_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("color");
    QTest::newRow("hash and six digits") << "#1A2B3C" << QColor(0x1a, 0x2b, 0x3c);
    QTest::newRow("six digits, lower case") << "1a2b3c" << QColor(0x1a, 0x2b, 0x3c);
    QTest::newRow("hash and three digits") << "#F80" << QColor(0xff, 0x88, 0x00);
    QTest::newRow("blank after the hash") << "  # 00ff7f " << QColor(0, 255, 127);
    QTest::newRow("commas") << "12,34,56" << QColor(12, 34, 56);
    QTest::newRow("commas with blanks") << " 0 , 128 ,255 " << QColor(0, 128, 255);
    QTest::newRow("blanks") << "255 0\t9" << QColor(255, 0, 9);
    QTest::newRow("leading zeros") << "007 010 255" << QColor(7, 10, 255);
    QTest::newRow("rgb()") << "rgb(1, 2, 3)" << QColor(1, 2, 3);
    QTest::newRow("RGB () upper case") << "RGB ( 200 ,100,0 )" << QColor(200, 100, 0);
    QTest::newRow("digits only read as hex") << "123456" << QColor(0x12, 0x34, 0x56);
}

void TestColorValue::readsColours()
{
    QFETCH(QString, text);
    QFETCH(QColor, color);
    const std::optional<QColor> read = Corvo::colorFromText(text);
    QVERIFY(read);
    QCOMPARE(*read, color);
}

void TestColorValue::refusesOtherTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("a name") << "Sage";
    QTest::newRow("three digits without hash") << "F80";
    QTest::newRow("five digits") << "#12345";
    QTest::newRow("seven digits") << "#1234567";
    QTest::newRow("not hex") << "#12345G";
    QTest::newRow("two hashes") << "##123456";
    QTest::newRow("blank inside hex") << "#12 3456";
    QTest::newRow("channel above 255") << "256,0,0";
    QTest::newRow("huge channel") << "99999999999,0,0";
    QTest::newRow("negative channel") << "-1 0 0";
    QTest::newRow("fraction") << "1.5,2,3";
    QTest::newRow("two channels") << "1,2";
    QTest::newRow("four channels") << "1,2,3,4";
    QTest::newRow("mixed separators") << "1, 2 3";
    QTest::newRow("rgb without parenthesis") << "rgb(1,2,3";
    QTest::newRow("rgb with blanks only") << "rgb(1 2 3)";
    QTest::newRow("rgba") << "rgba(1,2,3,4)";
}

void TestColorValue::refusesOtherTexts()
{
    QFETCH(QString, text);
    QVERIFY(!Corvo::colorFromText(text));
}

QTEST_APPLESS_MAIN(TestColorValue)
#include "tst_colorvalue.moc"
