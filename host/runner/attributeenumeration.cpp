#include "host/runner/attributeenumeration.h"

#include "host/api/gsroot.h"
#include "host/api/hostapi.h"

#include <algorithm>
#include <cstring>

namespace HostRunner::AttributeEnumeration {

namespace {

// Cut on a character boundary, so that the field keeps its terminator and valid UTF-8.
void writeText(void *block, std::size_t offset, const std::string &text, std::size_t capacity)
{
    std::size_t length = std::min(text.size(), capacity - 1);
    while (length > 0 && length < text.size() &&
           (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    char *field = static_cast<char *>(block) + offset;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

void writeHeader(void *record, int32_t type, int32_t index, const std::string &name)
{
    std::memset(record, 0, HostApi::kAttributeRecordBytes);
    HostApi::write<int32_t>(record, HostApi::kAttributeTypeOffset, type);
    HostApi::write<int32_t>(record, HostApi::kAttributeIndexOffset, index);
    writeText(record, HostApi::kAttributeNameOffset, name, HostApi::kAttributeNameBytes);
}

void writePen(char *record, const ProjectStore::Pen &pen)
{
    HostApi::write<int32_t>(record, HostApi::kPenKindOffset, pen.kind);
    HostApi::write<int16_t>(record, HostApi::kPenIndexOffset, pen.index);
    for (std::size_t i = 0; i < 3; ++i)
        HostApi::write<double>(record, HostApi::kPenColorOffset + 8 * i, pen.color[i]);
    HostApi::write<double>(record, HostApi::kPenWidthOffset, pen.width);
    writeText(record, HostApi::kPenDescriptionOffset, pen.description,
              HostApi::kPenDescriptionBytes);
}

int32_t getPenTable(const ProjectStore::PenTable &table, int32_t index, void *attributeRecord,
                    void *definitionRecord)
{
    writeHeader(attributeRecord, kAttributePenTable, index, table.name);
    if (!definitionRecord)
        return kHostNoError;
    GSHandle pens = BMAllocateHandle(GSSize(HostApi::kPenTableBytes), kAllocateClear, 0);
    if (!pens)
        return kHostGeneralError;
    for (std::size_t i = 0; i < table.pens.size() && i < std::size_t(HostApi::kPenCount); ++i)
        writePen(*pens + i * HostApi::kPenRecordBytes, table.pens[i]);
    HostApi::write<GSHandle>(definitionRecord, HostApi::kPenTableHandleOffset, pens);
    return kHostNoError;
}

} // namespace

int32_t count(const ProjectStore &project, int32_t type, int32_t *count)
{
    if (!count)
        return kHostGeneralError;
    if (type == kAttributeMaterial)
        *count = int32_t(project.materials().size());
    else if (type == kAttributePenTable)
        *count = int32_t(project.penTables().size());
    else
        return kHostGeneralError;
    return kHostNoError;
}

int32_t get(const ProjectStore &project, int32_t type, int32_t index, void *attributeRecord,
            void *definitionRecord)
{
    if (!attributeRecord)
        return kHostGeneralError;
    if (definitionRecord)
        std::memset(definitionRecord, 0, HostApi::kDefinitionRecordBytes);
    const std::size_t position = std::size_t(index) - 1;
    if (type == kAttributeMaterial) {
        if (index < 1 || position >= project.materials().size())
            return kHostAttributeNotFound;
        const ProjectStore::Material &material = project.materials()[position];
        writeHeader(attributeRecord, type, index, material.name);
        writeMaterialRecord(attributeRecord, material);
        return kHostNoError;
    }
    if (type == kAttributePenTable) {
        if (index < 1 || position >= project.penTables().size())
            return kHostAttributeNotFound;
        return getPenTable(project.penTables()[position], index, attributeRecord, definitionRecord);
    }
    return kHostGeneralError;
}

} // namespace HostRunner::AttributeEnumeration
