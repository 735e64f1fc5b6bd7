// The stand-in host's attribute list: counting and reading attributes by type and index in
// the records an add-on writes, and modify attribute by index, which can rename.

#include "host/api/gsroot.h"
#include "host/api/hostapi.h"
#include "host/runner/attributeenumeration.h"
#include "host/runner/projectseed.h"

#include <QTest>

#include <cstring>
#include <vector>

using namespace HostRunner;

namespace {

struct Records
{
    std::vector<unsigned char> attribute =
        std::vector<unsigned char>(HostApi::kAttributeRecordBytes, 0xAA);
    std::vector<unsigned char> definition =
        std::vector<unsigned char>(HostApi::kDefinitionRecordBytes, 0xAA);

    GSHandle pens() const
    {
        return HostApi::read<GSHandle>(definition.data(), HostApi::kPenTableHandleOffset);
    }
    std::string name() const
    {
        return HostApi::textField(attribute.data(), HostApi::kAttributeNameOffset);
    }
};

JsonValue material(const std::string &name)
{
    return JsonValue::object({{"type", "material"},
                              {"name", name},
                              {"rgb", JsonValue::array({0.5, 0.5, 0.5})},
                              {"kind", 1},
                              {"parameters", JsonValue::array({90, 90, 15, 60})},
                              {"secondColor", JsonValue::array({1, 1, 1})}});
}

// Sage, a material whose name a record cannot hold whole (only a project file can), and a
// pen table of two pens.
ProjectStore seeded()
{
    const JsonValue document = JsonValue::object(
        {{"format", "hueport-project"},
         {"version", 1},
         {"materials",
          JsonValue::array({material("Sage"), material(std::string(254, 'x') + "\xC3\xA9")})},
         {"penTables", JsonValue::array()}});
    ProjectStore project = ProjectStore::fromJson(document).value_or(ProjectStore());
    std::string error;
    ProjectSeed::addPens(project, "Plan", "10,20,30;40,50,60", error);
    return project;
}

} // namespace

class TestAttributeList : public QObject
{
    Q_OBJECT

private slots:
    void counts_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("count");
        QTest::newRow("materials") << int(kAttributeMaterial) << int(kHostNoError) << 2;
        QTest::newRow("pen tables") << int(kAttributePenTable) << int(kHostNoError) << 1;
        QTest::newRow("unknown type") << 3 << int(kHostGeneralError) << -1;
    }

    void counts()
    {
        const ProjectStore project = seeded();
        QFETCH(int, type);
        int32_t count = -1;
        QTEST(int(AttributeEnumeration::count(project, type, &count)), "result");
        QTEST(int(count), "count");
        QCOMPARE(AttributeEnumeration::count(project, type, nullptr), kHostGeneralError);
    }

    void get_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("first material")
            << int(kAttributeMaterial) << 1 << int(kHostNoError) << QByteArray("Sage");
        QTest::newRow("a long name is cut between characters")
            << int(kAttributeMaterial) << 2 << int(kHostNoError) << QByteArray(254, 'x');
        QTest::newRow("pen table")
            << int(kAttributePenTable) << 1 << int(kHostNoError) << QByteArray("Plan");
        QTest::newRow("index 0") << int(kAttributeMaterial) << 0 << int(kHostAttributeNotFound)
                                 << QByteArray();
        QTest::newRow("past the end")
            << int(kAttributePenTable) << 2 << int(kHostAttributeNotFound) << QByteArray();
        QTest::newRow("unknown type") << 3 << 1 << int(kHostGeneralError) << QByteArray();
    }

    void get()
    {
        const ProjectStore project = seeded();
        QFETCH(int, type);
        QFETCH(int, index);
        QFETCH(int, result);
        Records records;
        QCOMPARE(int(AttributeEnumeration::get(project, type, index, records.attribute.data(),
                                               records.definition.data())),
                 result);
        GSHandle pens = records.pens();
        if (result == kHostNoError) {
            QTEST(QByteArray::fromStdString(records.name()), "name");
            QCOMPARE(
                HostApi::read<int32_t>(records.attribute.data(), HostApi::kAttributeIndexOffset),
                index);
        }
        if (type == kAttributePenTable && result == kHostNoError) {
            QCOMPARE(BMGetHandleSize(pens), GSSize(HostApi::kPenTableBytes));
            QCOMPARE(
                HostApi::read<double>(*pens + HostApi::kPenRecordBytes, HostApi::kPenColorOffset),
                40 / 255.0);
            QCOMPARE(
                HostApi::read<double>(*pens + HostApi::kPenRecordBytes, HostApi::kPenWidthOffset),
                0.25);
            BMKillHandle(&pens);
        } else {
            // Nothing to release: the definition record holds no handle.
            QVERIFY(!pens || result != kHostNoError);
        }
    }

    // Modify by index renames; a name another attribute has is refused and changes nothing.
    void modifyByIndex()
    {
        ProjectStore project = seeded();
        Records records;
        QCOMPARE(AttributeEnumeration::get(project, kAttributeMaterial, 1, records.attribute.data(),
                                           records.definition.data()),
                 kHostNoError);
        std::memset(records.attribute.data() + HostApi::kAttributeNameOffset, 0,
                    HostApi::kAttributeNameBytes);
        std::memcpy(records.attribute.data() + HostApi::kAttributeNameOffset, "Plan", 4);
        QCOMPARE(project.modifyAttribute(records.attribute.data(), records.definition.data()),
                 kHostNoError);
        QCOMPARE(project.materials()[0].name, std::string("Plan"));
        const auto changes = project.takeChanges();
        QCOMPARE(changes.back().before["name"].toString(), std::string("Sage"));

        const std::string other = project.materials()[1].name;
        std::memset(records.attribute.data() + HostApi::kAttributeNameOffset, 0,
                    HostApi::kAttributeNameBytes);
        std::memcpy(records.attribute.data() + HostApi::kAttributeNameOffset, other.data(),
                    other.size());
        QCOMPARE(project.modifyAttribute(records.attribute.data(), records.definition.data()),
                 kHostAttributeNameExists);
        QCOMPARE(project.materials()[0].name, std::string("Plan"));
        HostApi::write<int32_t>(records.attribute.data(), HostApi::kAttributeIndexOffset, 9);
        QCOMPARE(project.modifyAttribute(records.attribute.data(), records.definition.data()),
                 kHostAttributeNotFound);
        QVERIFY(project.takeChanges().empty());
    }
};

QTEST_GUILESS_MAIN(TestAttributeList)
#include "tst_attributelist.moc"
