#include "host/runner/recordchecks.h"

#include <map>

namespace HostRunner::RecordChecks {

namespace {

// A field an add-on may set; the bytes of a text field after its terminator stay zero.
struct Field
{
    std::size_t offset;
    std::size_t width;
    const char *textName; // null for a value
};

const Field kType{HostApi::kAttributeTypeOffset, 4, nullptr};
const Field kName{HostApi::kAttributeNameOffset, HostApi::kAttributeNameBytes, "name"};
const std::vector<Field> kQueryFields{kType, kName};
const std::vector<Field> kMaterialFields{
    kType,
    kName,
    {HostApi::kMaterialKindOffset, 4, nullptr},
    {HostApi::kMaterialShortOffsets[0], 2, nullptr},
    {HostApi::kMaterialShortOffsets[1], 2, nullptr},
    {HostApi::kMaterialShortOffsets[2], 2, nullptr},
    {HostApi::kMaterialShortOffsets[3], 2, nullptr},
    {HostApi::kMaterialSurfaceOffset, 24, nullptr},
    {HostApi::kMaterialSecondColorOffset, 24, nullptr},
};
const std::vector<Field> kPenTableDefinition{{HostApi::kPenTableHandleOffset, 8, nullptr}};
const std::vector<Field> kPenFields{
    {HostApi::kPenKindOffset, 4, nullptr},
    {HostApi::kPenIndexOffset, 2, nullptr},
    {HostApi::kPenColorOffset, 24, nullptr},
    {HostApi::kPenWidthOffset, 8, nullptr},
    {HostApi::kPenDescriptionOffset, HostApi::kPenDescriptionBytes, "description"},
};
const std::vector<Field> kExportFields{
    {HostApi::kExportVersionOffset, 4, nullptr},     {HostApi::kCheckEnvironmentOffset, 8, nullptr},
    {HostApi::kRegisterInterfaceOffset, 8, nullptr}, {HostApi::kInitializeOffset, 8, nullptr},
    {HostApi::kFreeDataOffset, 8, nullptr},          {HostApi::kExportApiLevelOffset, 4, nullptr},
};
const std::vector<Field> kEnvironmentFields{
    {offsetof(HostEnvironmentRecord, addOnName), sizeof HostEnvironmentRecord::addOnName,
     "add-on name"},
    {offsetof(HostEnvironmentRecord, addOnDescription),
     sizeof HostEnvironmentRecord::addOnDescription, "add-on description"},
};

// The block against its fields: unterminated texts, then set bytes that no field covers.
std::vector<std::string> checkBlock(const void *block, std::size_t size,
                                    const std::vector<Field> &fields, const std::string &what)
{
    std::vector<std::string> problems;
    const auto *bytes = static_cast<const unsigned char *>(block);
    std::vector<bool> covered(size, false);
    for (const Field &field : fields) {
        std::size_t used = field.width;
        if (field.textName) {
            used = HostApi::textLength(block, field.offset, field.width);
            if (used == field.width)
                problems.push_back(what + ": the " + field.textName +
                                   " is not terminated within its " + std::to_string(field.width) +
                                   " bytes");
        }
        for (std::size_t i = field.offset; i < field.offset + used && i < size; ++i)
            covered[i] = true;
    }
    std::size_t stray = 0;
    std::size_t first = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] != 0 && !covered[i] && stray++ == 0)
            first = i;
    }
    if (stray > 0)
        problems.push_back(what + " is not zero-filled: " + std::to_string(stray) +
                           " bytes outside its fields are set, the first at offset " +
                           std::to_string(first));
    return problems;
}

} // namespace

std::vector<std::string> attributeRecord(const void *record, AttributeUse use)
{
    const auto type = HostApi::read<int32_t>(record, HostApi::kAttributeTypeOffset);
    std::vector<Field> fields =
        use != AttributeUse::Query && type == kAttributeMaterial ? kMaterialFields : kQueryFields;
    if (use == AttributeUse::Modification)
        fields.push_back({HostApi::kAttributeIndexOffset, 4, nullptr});
    return checkBlock(record, HostApi::kAttributeRecordBytes, fields, "the attribute record");
}

std::vector<std::string> definitionRecord(const void *record, int32_t type)
{
    return checkBlock(record, HostApi::kDefinitionRecordBytes,
                      type == kAttributePenTable ? kPenTableDefinition : std::vector<Field>{},
                      "the definition record");
}

std::vector<std::string> penTable(const char *pens)
{
    // The same problem of many pens is one line, naming the first of them.
    std::map<std::string, std::pair<std::string, int>> byKind;
    std::vector<std::string> order;
    const auto note = [&](const std::string &kind, const std::string &line) {
        auto [it, isNew] = byKind.try_emplace(kind, line, 0);
        ++it->second.second;
        if (isNew)
            order.push_back(kind);
    };
    for (int position = 1; position <= HostApi::kPenCount; ++position) {
        const char *pen = pens + std::size_t(position - 1) * HostApi::kPenRecordBytes;
        const std::string name = "pen " + std::to_string(position);
        const auto index = HostApi::read<int16_t>(pen, HostApi::kPenIndexOffset);
        if (index != position)
            note("index", name + " carries the index " + std::to_string(index));
        for (const std::string &problem :
             checkBlock(pen, HostApi::kPenRecordBytes, kPenFields, name))
            note(problem.substr(name.size(), problem.find(':', name.size() + 1) - name.size()),
                 problem);
    }
    std::vector<std::string> problems;
    for (const std::string &kind : order) {
        const auto &[line, count] = byKind[kind];
        problems.push_back(
            count > 1 ? line + " (and " + std::to_string(count - 1) + " more pens alike)" : line);
    }
    return problems;
}

std::vector<std::string> exportRecord(const void *record)
{
    return checkBlock(record, HostApi::kExportRecordBytes, kExportFields, "the export record");
}

std::vector<std::string> environmentRecord(const HostEnvironmentRecord &record)
{
    return checkBlock(&record, sizeof record, kEnvironmentFields, "the environment record");
}

} // namespace HostRunner::RecordChecks
