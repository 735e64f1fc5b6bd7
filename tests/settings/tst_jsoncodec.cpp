#include "engine/settings/jsoncodec.h"

#include <QLocale>
#include <QPoint>
#include <QTest>
#include <QUuid>

#include <limits>

namespace {

QVariant parsed(const QString &text, bool &ok)
{
    return Corvo::parseJson(text, ok);
}

QByteArray written(const QVariant &value)
{
    bool ok = false;
    const QByteArray text = Corvo::serializeJson(value, ok);
    return ok ? text : QByteArrayLiteral("<failed>");
}

QString nested(const QString &open, const QString &inner, const QString &close, int depth)
{
    return open.repeated(depth) + inner + close.repeated(depth);
}

} // namespace

class TestJsonCodec : public QObject
{
    Q_OBJECT

private slots:
    void readsValues_data();
    void readsValues();
    void readsNesting_data();
    void readsNesting();
    void refusesBytesThatAreNotUtf8_data();
    void refusesBytesThatAreNotUtf8();
    void writesValues_data();
    void writesValues();
    void failsOnValuesWithoutText_data();
    void failsOnValuesWithoutText();
    void writesChipPayloadByteForByte();
    void readsWrittenValuesBack_data();
    void readsWrittenValuesBack();
    void surrogatesSurviveParseWriteParse_data();
    void surrogatesSurviveParseWriteParse();
    void ignoresTheLocale();
};

void TestJsonCodec::readsValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<bool>("expectedOk");

    const QVariant null;
    QTest::newRow("missing commas, repeated commas")
        << "[1 2 ,, 3]" << QVariant(QVariantList{quint64(1), quint64(2), quint64(3)}) << true;
    QTest::newRow("unterminated list") << "[1, 2" << QVariant(QVariantList()) << false;
    QTest::newRow("empty map") << "{}" << QVariant(QVariantMap()) << true;
    QTest::newRow("negative integer") << "-5" << QVariant(qint64(-5)) << true;
    QTest::newRow("unsigned integer") << "5" << QVariant(quint64(5)) << true;
    QTest::newRow("real") << "5.0" << QVariant(5.0) << true;
    QTest::newRow("exponent without point") << "1e5" << QVariant(100000.0) << true;
    QTest::newRow("written large real") << "1e+21" << QVariant(1e21) << true;
    QTest::newRow("negative exponent") << "-2E-3" << QVariant(-0.002) << true;
    QTest::newRow("exponent with point") << "1.5e3" << QVariant(1500.0) << true;
    QTest::newRow("rest ignored") << "true false" << QVariant(true) << true;
    QTest::newRow("false") << "  false" << QVariant(false) << true;
    QTest::newRow("null") << "null" << null << true;
    QTest::newRow("null then junk") << "nullx" << null << true;
    QTest::newRow("empty text") << "" << null << true;
    QTest::newRow("whitespace only") << " \t\r\n" << null << false;
    QTest::newRow("truncated word") << "nul" << null << false;
    QTest::newRow("unknown word") << "yes" << null << false;
    QTest::newRow("closing bracket") << "]" << null << false;
    QTest::newRow("repeated key keeps last")
        << R"({"a":1,"a":2})" << QVariant(QVariantMap{{"a", quint64(2)}}) << true;
    QTest::newRow("leading and trailing commas")
        << R"({,,"a":1,})" << QVariant(QVariantMap{{"a", quint64(1)}}) << true;
    QTest::newRow("key read whatever its first character")
        << R"({1abc":2})" << QVariant(QVariantMap{{"abc", quint64(2)}}) << true;
    QTest::newRow("unknown escape dropped")
        << R"("a\xb")" << QVariant(QStringLiteral("ab")) << true;
    QTest::newRow("unicode escape") << R"("\u00e9")" << QVariant(QStringLiteral("\u00e9")) << true;
    QTest::newRow("surrogate pair escapes")
        << R"("\ud83c\udfa8")" << QVariant(QString::fromUtf8("\xF0\x9F\x8E\xA8")) << true;
    QTest::newRow("unicode escape not hex")
        << R"("\u00zz!")" << QVariant(QString(QChar(0)) + u'!') << true;
    QTest::newRow("short unicode escape") << R"("\u12")" << null << false;
    QTest::newRow("plain escapes")
        << R"("\"\\\/\b\f\n\r\t")" << QVariant(QStringLiteral("\"\\/\b\f\n\r\t")) << true;
    QTest::newRow("unterminated string") << R"("abc)" << null << false;
    QTest::newRow("backslash at the end") << R"("abc\)" << null << false;
    QTest::newRow("missing colon") << R"({"a" 1})" << QVariant(QVariantMap()) << false;
    QTest::newRow("missing value") << R"({"a":})" << QVariant(QVariantMap()) << false;
    QTest::newRow("unterminated map") << R"({"a":1)" << QVariant(QVariantMap()) << false;
    QTest::newRow("truncated key") << R"({"a)" << QVariant(QVariantMap()) << false;
    QTest::newRow("broken value inside list") << "[1, nul]" << QVariant(QVariantList()) << false;
    QTest::newRow("real overflow reads as 0") << "1e400" << QVariant(0.0) << true;
    QTest::newRow("integer overflow reads as 0")
        << "99999999999999999999999" << QVariant(quint64(0)) << true;
    QTest::newRow("lone minus reads as 0") << "-" << QVariant(qint64(0)) << true;
    QTest::newRow("two minus signs read as 0") << "--5" << QVariant(qint64(0)) << true;
    QTest::newRow("nested values")
        << R"({"a":[1,{"b":null}],"c":"d"})"
        << QVariant(QVariantMap{{"a", QVariantList{quint64(1), QVariantMap{{"b", QVariant()}}}},
                                {"c", QStringLiteral("d")}})
        << true;
}

void TestJsonCodec::readsValues()
{
    QFETCH(QString, text);
    QFETCH(QVariant, expected);
    QFETCH(bool, expectedOk);

    bool ok = !expectedOk;
    const QVariant value = parsed(text, ok);
    QCOMPARE(ok, expectedOk);
    QCOMPARE(value.typeId(), expected.typeId());
    QCOMPARE(value, expected);
}

void TestJsonCodec::readsNesting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expectedOk");

    QTest::newRow("lists 256 deep") << nested("[", "1", "]", 256) << true;
    QTest::newRow("lists 257 deep") << nested("[", "1", "]", 257) << false;
    QTest::newRow("maps 256 deep") << nested(R"({"k":)", "1", "}", 256) << true;
    QTest::newRow("maps 257 deep") << nested(R"({"k":)", "1", "}", 257) << false;
    QTest::newRow("100000 open brackets") << QString(100000, u'[') << false;
    QTest::newRow("100000 balanced brackets") << nested("[", "", "]", 100000) << false;
    QTest::newRow("100000 open maps") << QStringLiteral(R"({"k":)").repeated(100000) << false;
}

void TestJsonCodec::readsNesting()
{
    QFETCH(QString, text);
    QFETCH(bool, expectedOk);

    bool ok = !expectedOk;
    const QVariant value = parsed(text, ok);
    QCOMPARE(ok, expectedOk);
    if (!expectedOk)
        return;
    QVariant inner = value;
    int depth = 0;
    while (inner.typeId() == QMetaType::QVariantList || inner.typeId() == QMetaType::QVariantMap) {
        inner = inner.typeId() == QMetaType::QVariantList ? inner.toList().value(0)
                                                          : inner.toMap().value("k");
        ++depth;
    }
    QCOMPARE(depth, 256);
    QCOMPARE(inner, QVariant(quint64(1)));
}

void TestJsonCodec::refusesBytesThatAreNotUtf8_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("expectedOk");

    QTest::newRow("UTF-8") << QByteArray("[\"caf\xC3\xA9\"]") << true;
    QTest::newRow("Latin-1") << QByteArray("[\"caf\xE9\"]") << false;
    QTest::newRow("overlong slash") << QByteArray("\"\xC0\xAF\"") << false;
    QTest::newRow("encoded surrogate") << QByteArray("\"\xED\xA0\x80\"") << false;
    QTest::newRow("cut sequence") << QByteArray("\"\xE2\x82") << false;
    QTest::newRow("UTF-16 with byte-order mark") << QByteArray("\xFF\xFE[\x00]\x00", 6) << false;
}

void TestJsonCodec::refusesBytesThatAreNotUtf8()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, expectedOk);

    bool ok = !expectedOk;
    const QVariant value = Corvo::parseJson(bytes, ok);
    QCOMPARE(ok, expectedOk);
    if (expectedOk)
        QCOMPARE(value, QVariant(QVariantList{QStringLiteral("caf\u00e9")}));
    else
        QVERIFY(!value.isValid());
}

void TestJsonCodec::writesValues_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("null") << QVariant() << QByteArray("null");
    QTest::newRow("null pointer") << QVariant::fromValue(nullptr) << QByteArray("null");
    QTest::newRow("empty list") << QVariant(QVariantList()) << QByteArray("[  ]");
    QTest::newRow("empty map") << QVariant(QVariantMap()) << QByteArray("{  }");
    QTest::newRow("list") << QVariant(QVariantList{1, QStringLiteral("a"), true})
                          << QByteArray(R"([ 1, "a", true ])");
    QTest::newRow("string list") << QVariant(QStringList{"a", "b"})
                                 << QByteArray(R"([ "a", "b" ])");
    QTest::newRow("hash in key order") << QVariant(QVariantHash{{"b", 1}, {"a", 2}, {"c", 3}})
                                       << QByteArray(R"({ "a" : 2, "b" : 1, "c" : 3 })");
    QTest::newRow("whole real") << QVariant(2.0) << QByteArray("2.0");
    QTest::newRow("tenth") << QVariant(0.1) << QByteArray("0.10000000000000000555");
    QTest::newRow("large real") << QVariant(1e21) << QByteArray("1e+21");
    QTest::newRow("small real") << QVariant(1e-7) << QByteArray("9.9999999999999995475e-08");
    QTest::newRow("negative half") << QVariant(-0.5) << QByteArray("-0.5");
    QTest::newRow("float") << QVariant(0.25f) << QByteArray("0.25");
    QTest::newRow("not a number") << QVariant(std::numeric_limits<double>::quiet_NaN())
                                  << QByteArray("null");
    QTest::newRow("infinity") << QVariant(-std::numeric_limits<double>::infinity())
                              << QByteArray("null");
    QTest::newRow("true") << QVariant(true) << QByteArray("true");
    QTest::newRow("false") << QVariant(false) << QByteArray("false");
    QTest::newRow("int") << QVariant(-3) << QByteArray("-3");
    QTest::newRow("unsigned int") << QVariant(7u) << QByteArray("7");
    QTest::newRow("smallest 64-bit")
        << QVariant(std::numeric_limits<qint64>::min()) << QByteArray("-9223372036854775808");
    QTest::newRow("largest unsigned 64-bit")
        << QVariant(std::numeric_limits<quint64>::max()) << QByteArray("18446744073709551615");
    QTest::newRow("byte array") << QVariant(QByteArray("x\"y")) << QByteArray(R"("x\"y")");
    QTest::newRow("named escapes") << QVariant(QStringLiteral("\\ \" \b \f \n \r \t /"))
                                   << QByteArray(R"("\\ \" \b \f \n \r \t /")");
    QTest::newRow("other control characters")
        << QVariant(QString(QChar(0)) + QChar(1) + QChar(0x1f) + QChar(0x7f))
        << QByteArray("\"\\u0000\\u0001\\u001f\x7f\"");
    QTest::newRow("non-ASCII as UTF-8") << QVariant(QString::fromUtf8("\xC3\xA9 \xF0\x9F\x8E\xA8"))
                                        << QByteArray("\"\xC3\xA9 \xF0\x9F\x8E\xA8\"");
    QTest::newRow("lone surrogates as escapes")
        << QVariant(QString(QChar(0xd83c)) + u'x' + QChar(0xdfa8))
        << QByteArray(R"("\ud83cx\udfa8")");
    QTest::newRow("UUID as text") << QVariant(QUuid("{12345678-1234-1234-1234-123456789abc}"))
                                  << QByteArray(R"("{12345678-1234-1234-1234-123456789abc}")");
}

void TestJsonCodec::writesValues()
{
    QFETCH(QVariant, value);
    QFETCH(QByteArray, expected);
    QCOMPARE(written(value), expected);
}

void TestJsonCodec::failsOnValuesWithoutText_data()
{
    QTest::addColumn<QVariant>("value");

    const QVariant point = QVariant(QPoint(1, 2));
    QTest::newRow("point") << point;
    QTest::newRow("point inside a list") << QVariant(QVariantList{1, point});
    QTest::newRow("point inside a map") << QVariant(QVariantMap{{"a", 1}, {"b", point}});

    QVariant deep = 1;
    for (int i = 0; i < 257; ++i)
        deep = QVariantList{deep};
    QTest::newRow("lists 257 deep") << deep;
}

void TestJsonCodec::failsOnValuesWithoutText()
{
    QFETCH(QVariant, value);
    bool ok = true;
    QVERIFY(Corvo::serializeJson(value, ok).isEmpty());
    QVERIFY(!ok);
}

void TestJsonCodec::writesChipPayloadByteForByte()
{
    const QVariantMap payload{
        {"from", 1},
        {"collectuionUuid", QStringLiteral("{0e3f7d2a-5b1c-4d8e-9f60-7a1b2c3d4e5f}")},
        {"colorId", qint64(4711)},
        {"colorRgb", quint64(0xff8040)},
        {"colorName1", QStringLiteral("Say \"hi\"")},
        {"colorName2", QString::fromUtf8("Caf\xC3\xA9")},
    };
    QCOMPARE(
        written(payload),
        QByteArray("{ \"collectuionUuid\" : \"{0e3f7d2a-5b1c-4d8e-9f60-7a1b2c3d4e5f}\", "
                   "\"colorId\" : 4711, \"colorName1\" : \"Say \\\"hi\\\"\", "
                   "\"colorName2\" : \"Caf\xC3\xA9\", \"colorRgb\" : 16744512, \"from\" : 1 }"));
}

void TestJsonCodec::readsWrittenValuesBack_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("map with quote")
        << QVariant(QVariantMap{{"colorRgb", quint64(255)}, {"colorName1", "a \"b\""}})
        << QVariant(QVariantMap{{"colorRgb", quint64(255)}, {"colorName1", "a \"b\""}});
    QTest::newRow("int comes back unsigned") << QVariant(42) << QVariant(quint64(42));
    QTest::newRow("large real") << QVariant(1e21) << QVariant(1e21);
    QTest::newRow("tiny real") << QVariant(5e-324) << QVariant(5e-324);
    QTest::newRow("real with digits") << QVariant(0.1) << QVariant(0.1);
    QTest::newRow("control characters") << QVariant(QString(QChar(2)) + u"x\n" + QChar(0x1b))
                                        << QVariant(QString(QChar(2)) + u"x\n" + QChar(0x1b));
    QTest::newRow("non-finite as null")
        << QVariant(QVariantList{std::numeric_limits<double>::infinity()})
        << QVariant(QVariantList{QVariant()});
}

void TestJsonCodec::readsWrittenValuesBack()
{
    QFETCH(QVariant, value);
    QFETCH(QVariant, expected);

    bool ok = false;
    const QByteArray text = Corvo::serializeJson(value, ok);
    QVERIFY(ok);
    const QVariant back = Corvo::parseJson(text, ok);
    QVERIFY(ok);
    QCOMPARE(back, expected);
}

void TestJsonCodec::surrogatesSurviveParseWriteParse_data()
{
    QTest::addColumn<QString>("json");

    QTest::newRow("lone high") << QStringLiteral(R"("\ud83c")");
    QTest::newRow("lone low") << QStringLiteral(R"("\udfa8")");
    QTest::newRow("low before high") << QStringLiteral(R"("\udfa8\ud83c")");
    QTest::newRow("high before text") << QStringLiteral(R"("\ud83cab")");
    QTest::newRow("pair") << QStringLiteral(R"("\ud83c\udfa8")");
    QTest::newRow("pair after lone high") << QStringLiteral(R"("\ud83c\ud83c\udfa8")");
    QTest::newRow("chip name in a map") << QStringLiteral(R"({ "colorName1" : "a\udfa8b" })");
}

void TestJsonCodec::surrogatesSurviveParseWriteParse()
{
    QFETCH(QString, json);

    bool ok = false;
    const QVariant first = Corvo::parseJson(json, ok);
    QVERIFY(ok);
    const QByteArray text = Corvo::serializeJson(first, ok);
    QVERIFY(ok);
    QVERIFY(!text.contains('?'));
    const QVariant second = Corvo::parseJson(text, ok);
    QVERIFY(ok);
    QCOMPARE(second, first);
}

void TestJsonCodec::ignoresTheLocale()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray text = written(QVariantList{1.5, 1234567.25});
    bool ok = false;
    const QVariant back = Corvo::parseJson(QByteArray("[2.5]"), ok);
    QLocale::setDefault(previous);

    QCOMPARE(text, QByteArray("[ 1.5, 1234567.25 ]"));
    QVERIFY(ok);
    QCOMPARE(back, QVariant(QVariantList{2.5}));
}

QTEST_GUILESS_MAIN(TestJsonCodec)
#include "tst_jsoncodec.moc"
