// The stand-in host's support library, its project file and its record handling.

#include "host/api/gsroot.h"
#include "host/api/hostapi.h"
#include "host/runner/jsonvalue.h"
#include "host/runner/projectstore.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <vector>

using HostRunner::JsonValue;
using HostRunner::ProjectStore;

namespace {

// A string list in the host's format: a 32-bit byte count, then NUL-terminated strings.
QByteArray stringList(const QList<QByteArray> &strings)
{
    QByteArray body;
    for (const QByteArray &s : strings)
        body += s + '\0';
    const uint32_t count = uint32_t(body.size());
    return QByteArray(reinterpret_cast<const char *>(&count), sizeof count) + body;
}

QByteArray attributeRecord(int32_t type, const QByteArray &name)
{
    QByteArray record(int(HostApi::kAttributeRecordBytes), '\0');
    HostApi::write<int32_t>(record.data(), HostApi::kAttributeTypeOffset, type);
    std::memcpy(record.data() + HostApi::kAttributeNameOffset, name.constData(),
                size_t(name.size()));
    return record;
}

QByteArray materialRecord(const QByteArray &name, double red)
{
    QByteArray record = attributeRecord(kAttributeMaterial, name);
    HostApi::write<int32_t>(record.data(), HostApi::kMaterialKindOffset, 1);
    HostApi::write<double>(record.data(), HostApi::kMaterialSurfaceOffset, red);
    return record;
}

// A definition record holding a pen table whose first pen has the colour and description.
struct PenDefinition
{
    QByteArray record = QByteArray(int(HostApi::kDefinitionRecordBytes), '\0');
    GSHandle pens = BMAllocateHandle(GSSize(HostApi::kPenTableBytes), kAllocateClear, 0);

    PenDefinition(double red, const QByteArray &description)
    {
        for (int i = 0; i < HostApi::kPenCount; ++i) {
            char *pen = *pens + size_t(i) * HostApi::kPenRecordBytes;
            HostApi::write<int32_t>(pen, HostApi::kPenKindOffset, 1);
            HostApi::write<int16_t>(pen, HostApi::kPenIndexOffset, int16_t(i + 1));
            for (size_t c = 0; c < 3; ++c)
                HostApi::write<double>(pen, HostApi::kPenColorOffset + 8 * c,
                                       i == 0 && c == 0 ? red : 1.0);
            HostApi::write<double>(pen, HostApi::kPenWidthOffset, i == 0 ? 0.25 : 0.0);
        }
        std::memcpy(*pens + HostApi::kPenDescriptionOffset, description.constData(),
                    size_t(description.size()));
        HostApi::write<GSHandle>(record.data(), HostApi::kPenTableHandleOffset, pens);
    }
    ~PenDefinition() { BMKillHandle(&pens); }
};

} // namespace

class TestHostSupport : public QObject
{
    Q_OBJECT

private slots:
    void handles()
    {
        GSHandle handle = BMAllocateHandle(64, kAllocateClear, 0);
        QVERIFY(handle && *handle);
        QCOMPARE(BMGetHandleSize(handle), GSSize(64));
        QCOMPARE(QByteArray(*handle, 64), QByteArray(64, '\0'));
        BNFillMemory(*handle, 64, 0xAB);
        QCOMPARE(uchar((*handle)[63]), uchar(0xAB));
        const BMHandleStatistics before = BMGetHandleStatistics();
        GSHandle copy = handle;
        BMKillHandle(&handle);
        QVERIFY(!handle);
        BMKillHandle(&handle); // twice is harmless
        QCOMPARE(BMGetHandleStatistics().live, before.live - 1);
        // A handle released already is told apart: not freed again, and counted.
        QCOMPARE(BMGetHandleSize(copy), GSSize(0));
        BMKillHandle(&copy);
        QVERIFY(copy);
        QCOMPARE(BMGetHandleStatistics().badReleases, before.badReleases + 1);
        QCOMPARE(BMGetHandleSize(nullptr), GSSize(0));
        QVERIFY(!BMAllocateHandle(-1, 0, 0));
    }

    void stringLists_data()
    {
        QTest::addColumn<QByteArray>("resource");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("registers");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QByteArray>("text");
        const QByteArray menu = stringList({"Velmora", "Color Picker^22800"});
        QTest::newRow("first") << menu << 1 << true << true << QByteArray("Velmora");
        QTest::newRow("second") << menu << 2 << true << true << QByteArray("Color Picker^22800");
        QTest::newRow("past the end") << menu << 3 << true << false << QByteArray();
        QTest::newRow("index 0") << menu << 0 << true << false << QByteArray();
        QTest::newRow("empty strings") << stringList({"", ""}) << 2 << true << true << QByteArray();
        QTest::newRow("count beyond data")
            << QByteArray("\xff\0\0\0a\0", 6) << 1 << false << false << QByteArray();
        QTest::newRow("unterminated")
            << QByteArray("\x01\0\0\0a", 5) << 1 << false << false << QByteArray();
        QTest::newRow("too short")
            << QByteArray("\x01\0", 2) << 1 << false << false << QByteArray();
        const QByteArray longText(400, 'x');
        QTest::newRow("cut to the buffer")
            << stringList({longText}) << 1 << true << true << longText.left(255);
    }

    void stringLists()
    {
        QFETCH(QByteArray, resource);
        QFETCH(int, index);
        const GSResource entry{kResourceStringList, 32000, resource.constData(),
                               int32_t(resource.size())};
        const GSResModule before = RSGetActiveModule();
        const GSResModule module = RSAddModule(&entry, 1);
        QFETCH(bool, registers);
        QCOMPARE(module != kInvalidResModule, registers);
        QCOMPARE(RSGetActiveModule(), before);
        if (module == kInvalidResModule)
            return;
        char buffer[256] = "garbage";
        QFETCH(bool, found);
        QCOMPARE(RSGetIndString_ParamAdapter(buffer, sizeof buffer, 32000, index, module), found);
        QFETCH(QByteArray, text);
        QCOMPARE(QByteArray(buffer), text);
        RSRemoveModule(module);
        QVERIFY(!RSGetIndString_ParamAdapter(buffer, sizeof buffer, 32000, 1, module));
    }

    void activeModule()
    {
        const QByteArray first = stringList({"first"});
        const QByteArray second = stringList({"second"});
        const GSResource a{kResourceStringList, 7, first.constData(), int32_t(first.size())};
        const GSResource b{kResourceStringList, 7, second.constData(), int32_t(second.size())};
        const GSResModule ma = RSAddModule(&a, 1);
        const GSResModule mb = RSAddModule(&b, 1);
        char buffer[32];
        const GSResModule previous = RSSetActiveModule(ma);
        QVERIFY(RSGetIndString_ParamAdapter(buffer, sizeof buffer, 7, 1, kInvalidResModule));
        QCOMPARE(QByteArray(buffer), QByteArray("first"));
        QVERIFY(RSGetIndString_ParamAdapter(buffer, sizeof buffer, 7, 1, kAnyResModule));
        QCOMPARE(QByteArray(buffer), QByteArray("second")); // the latest module first
        QCOMPARE(RSSetActiveModule(previous), ma);
        RSRemoveModule(mb);
        RSRemoveModule(ma);
    }

    void json_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("object") << QByteArray("{\"a\": [1, 2.5, -3e2], \"b\": null, \"c\": true}")
                                << true;
        QTest::newRow("escapes") << QByteArray(
                                        "[\"\\\"\\\\\\/\\b\\f\\n\\r\\t\\u00e9\\ud83c\\udfa8\"]")
                                 << true;
        QTest::newRow("lone surrogate") << QByteArray("[\"\\udfa8\"]") << false;
        QTest::newRow("trailing comma") << QByteArray("[1,]") << false;
        QTest::newRow("two values") << QByteArray("1 2") << false;
        QTest::newRow("control character") << QByteArray("[\"a\x01\"]") << false;
        QTest::newRow("unterminated") << QByteArray("{\"a\": \"b") << false;
        QTest::newRow("too deep") << QByteArray(100, '[') + QByteArray(100, ']') << false;
        QTest::newRow("empty") << QByteArray() << false;
    }

    void json()
    {
        QFETCH(QByteArray, text);
        const auto value = JsonValue::parse(text.toStdString());
        QFETCH(bool, valid);
        QCOMPARE(value.has_value(), valid);
        if (!value)
            return;
        // What is written reads back the same.
        const std::string written = value->serialize();
        const auto again = JsonValue::parse(written);
        QVERIFY(again);
        QCOMPARE(again->serialize(), written);
    }

    void attributes()
    {
        ProjectStore store;
        QByteArray blue = materialRecord("Blue", 0.5);
        QCOMPARE(store.getAttribute(blue.data()), kHostAttributeNotFound);
        QCOMPARE(store.createAttribute(blue.constData(), nullptr), kHostNoError);
        QByteArray again = materialRecord("Blue", 0.9);
        QCOMPARE(store.createAttribute(again.constData(), nullptr), kHostAttributeNameExists);
        QByteArray query = attributeRecord(kAttributeMaterial, "Blue");
        QCOMPARE(store.getAttribute(query.data()), kHostNoError);
        QCOMPARE(HostApi::read<double>(query.constData(), HostApi::kMaterialSurfaceOffset), 0.5);
        // A pen table needs its pens; a definition without them is refused.
        QByteArray table = attributeRecord(kAttributePenTable, "");
        QByteArray emptyDefinition(int(HostApi::kDefinitionRecordBytes), '\0');
        QCOMPARE(store.createAttribute(table.constData(), emptyDefinition.constData()),
                 kHostGeneralError);
        PenDefinition pens(0.25, "Pen one");
        QCOMPARE(store.modifyAttribute(table.constData(), pens.record.constData()),
                 kHostAttributeNotFound);
        QCOMPARE(store.createAttribute(table.constData(), pens.record.constData()), kHostNoError);
        PenDefinition other(0.75, "Pen one again");
        QCOMPARE(store.modifyAttribute(table.constData(), other.record.constData()), kHostNoError);
        QCOMPARE(store.penTables().size(), size_t(1));
        QCOMPARE(store.penTables()[0].pens.size(), size_t(HostApi::kPenCount));
        QCOMPARE(store.penTables()[0].pens[0].color[0], 0.75);
        QCOMPARE(store.penTables()[0].pens[0].description, std::string("Pen one again"));
        const auto changes = store.takeChanges();
        QCOMPARE(changes.size(), size_t(3));
        QVERIFY(changes[2].kind == ProjectStore::ChangeKind::Modified);
        QVERIFY(store.takeChanges().empty());
    }

    void projectFile()
    {
        QTemporaryDir folder;
        const std::string path = folder.filePath("project.json").toStdString();
        std::string error;
        auto store = ProjectStore::load(path, error);
        QVERIFY(store && store->materials().empty()); // a missing file is an empty project
        QByteArray name = materialRecord("Gr\xc3\xbcn \"quoted\"\n\xff", 0.1);
        QCOMPARE(store->createAttribute(name.constData(), nullptr), kHostNoError);
        PenDefinition pens(0.5, "Only pen");
        // The file keeps the index the add-on wrote, even a wrong one.
        HostApi::write<int16_t>(*pens.pens + 2 * HostApi::kPenRecordBytes, HostApi::kPenIndexOffset,
                                0);
        QByteArray table = attributeRecord(kAttributePenTable, "Set");
        QCOMPARE(store->createAttribute(table.constData(), pens.record.constData()), kHostNoError);
        QVERIFY(store->save(path, error));
        const auto loaded = ProjectStore::load(path, error);
        QVERIFY(loaded);
        QCOMPARE(loaded->materials().size(), size_t(1));
        // Malformed bytes of a name become U+FFFD, so the file stays valid UTF-8.
        QCOMPARE(loaded->materials()[0].name, std::string("Gr\xc3\xbcn \"quoted\"\n\xef\xbf\xbd"));
        QCOMPARE(loaded->penTables()[0].pens[0].description, std::string("Only pen"));
        QCOMPARE(loaded->penTables()[0].pens[254].width, 0.0);
        QCOMPARE(loaded->penTables()[0].pens[2].index, int16_t(0));
        QCOMPARE(loaded->penTables()[0].pens[3].index, int16_t(4));
        QCOMPARE(loaded->toJson().serialize(), store->toJson().serialize());
    }

    void badProjectFiles_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("not JSON") << QByteArray("{bad");
        QTest::newRow("other format") << QByteArray("{\"format\": \"other\", \"version\": 1}");
        QTest::newRow("pen index beyond 16 bits")
            << QByteArray("{\"format\": \"hueport-project\", \"version\": 1, \"materials\": [],"
                          "\"penTables\": [{\"type\": \"penTable\", \"name\": \"x\", \"pens\": "
                          "[{\"index\": 40000, \"kind\": 1,"
                          "\"rgb\": [1, 1, 1], \"width\": 0, \"description\": \"\"}]}]}");
        QByteArray pens;
        for (int i = 0; i < 256; ++i)
            pens += QByteArray(i ? "," : "") +
                    "{\"index\": 1, \"kind\": 1, \"rgb\": [1, 1, 1], \"width\": 0, "
                    "\"description\": \"\"}";
        QTest::newRow("more pens than a table holds")
            << QByteArray("{\"format\": \"hueport-project\", \"version\": 1, \"materials\": [],"
                          "\"penTables\": [{\"type\": \"penTable\", \"name\": \"x\", "
                          "\"pens\": [") +
                   pens + "]}]}";
        QTest::newRow("material without colour")
            << QByteArray("{\"format\": \"hueport-project\", \"version\": 1,"
                          "\"materials\": [{\"type\": \"material\", \"name\": \"x\", \"kind\": 1, "
                          "\"parameters\": [1, 2, 3, 4]}]}");
    }

    void badProjectFiles()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("project.json");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QFETCH(QByteArray, contents);
        file.write(contents);
        file.close();
        std::string error;
        QVERIFY(!ProjectStore::load(path.toStdString(), error));
        QVERIFY(!error.empty());
        QVERIFY(!ProjectStore::load(folder.path().toStdString(), error)); // a folder
    }
};

QTEST_GUILESS_MAIN(TestHostSupport)
#include "tst_hostsupport.moc"
