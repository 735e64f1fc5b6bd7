#include "host/runner/projectstore.h"

#include "host/api/gsroot.h"
#include "host/api/hostapi.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

namespace HostRunner {

namespace {

constexpr char kFormat[] = "hueport-project";
constexpr int kVersion = 1;

// Pens a file does not list.
const ProjectStore::Pen kFillerPen{1, 0, {1.0, 1.0, 1.0}, 0.0, {}};

std::string nameOf(const void *attributeRecord)
{
    const std::size_t length = HostApi::textLength(attributeRecord, HostApi::kAttributeNameOffset,
                                                   HostApi::kAttributeNameBytes);
    return validUtf8(HostApi::textField(attributeRecord, HostApi::kAttributeNameOffset), length);
}

ProjectStore::Rgb readRgb(const void *block, std::size_t offset)
{
    return {HostApi::read<double>(block, offset), HostApi::read<double>(block, offset + 8),
            HostApi::read<double>(block, offset + 16)};
}

void writeRgb(void *block, std::size_t offset, const ProjectStore::Rgb &rgb)
{
    for (std::size_t i = 0; i < 3; ++i)
        HostApi::write<double>(block, offset + 8 * i, rgb[i]);
}

ProjectStore::Material materialFrom(const void *record)
{
    ProjectStore::Material material;
    material.name = nameOf(record);
    material.kind = HostApi::read<int32_t>(record, HostApi::kMaterialKindOffset);
    for (std::size_t i = 0; i < material.parameters.size(); ++i)
        material.parameters[i] = HostApi::read<int16_t>(record, HostApi::kMaterialShortOffsets[i]);
    material.surface = readRgb(record, HostApi::kMaterialSurfaceOffset);
    material.secondColor = readRgb(record, HostApi::kMaterialSecondColorOffset);
    return material;
}

JsonValue rgbJson(const ProjectStore::Rgb &rgb)
{
    return JsonValue::array({rgb[0], rgb[1], rgb[2]});
}

std::optional<ProjectStore::Rgb> rgbFrom(const JsonValue &value)
{
    if (value.kind() != JsonValue::Kind::Array || value.items().size() != 3)
        return std::nullopt;
    ProjectStore::Rgb rgb{};
    for (std::size_t i = 0; i < 3; ++i) {
        if (value.items()[i].kind() != JsonValue::Kind::Number)
            return std::nullopt;
        rgb[i] = value.items()[i].toNumber();
    }
    return rgb;
}

bool isText(const JsonValue &value)
{
    return value.kind() == JsonValue::Kind::String;
}

bool isNumber(const JsonValue &value)
{
    return value.kind() == JsonValue::Kind::Number;
}

std::optional<ProjectStore::Material> materialFromJson(const JsonValue &value)
{
    const auto surface = rgbFrom(value["rgb"]);
    const auto second = rgbFrom(value["secondColor"]);
    const JsonValue &parameters = value["parameters"];
    if (value["type"].toString() != "material" || !isText(value["name"]) ||
        !isNumber(value["kind"]) || !surface || !second || parameters.items().size() != 4)
        return std::nullopt;
    ProjectStore::Material material;
    material.name = value["name"].toString();
    material.kind = static_cast<int32_t>(value["kind"].toNumber());
    for (std::size_t i = 0; i < 4; ++i) {
        if (!isNumber(parameters.items()[i]))
            return std::nullopt;
        material.parameters[i] = static_cast<int16_t>(parameters.items()[i].toNumber());
    }
    material.surface = *surface;
    material.secondColor = *second;
    return material;
}

std::optional<ProjectStore::PenTable> penTableFromJson(const JsonValue &value)
{
    if (value["type"].toString() != "penTable" || !isText(value["name"]) ||
        value["pens"].kind() != JsonValue::Kind::Array)
        return std::nullopt;
    const auto &items = value["pens"].items();
    if (items.size() > std::size_t(HostApi::kPenCount))
        return std::nullopt;
    ProjectStore::PenTable table;
    table.name = value["name"].toString();
    for (int position = 1; position <= HostApi::kPenCount; ++position) {
        ProjectStore::Pen pen = kFillerPen;
        pen.index = static_cast<int16_t>(position);
        table.pens.push_back(pen);
    }
    // The pens in the order of their positions, each with the index the add-on gave it.
    for (std::size_t position = 0; position < items.size(); ++position) {
        const JsonValue &item = items[position];
        const auto color = rgbFrom(item["rgb"]);
        const double index = item["index"].toNumber();
        if (!isNumber(item["index"]) || index < INT16_MIN || index > INT16_MAX || !color ||
            !isNumber(item["width"]) || !isNumber(item["kind"]) || !isText(item["description"]))
            return std::nullopt;
        ProjectStore::Pen &pen = table.pens[position];
        pen.index = static_cast<int16_t>(index);
        pen.kind = static_cast<int32_t>(item["kind"].toNumber());
        pen.color = *color;
        pen.width = item["width"].toNumber();
        pen.description = item["description"].toString();
    }
    return table;
}

} // namespace

void writeMaterialRecord(void *record, const ProjectStore::Material &material)
{
    HostApi::write<int32_t>(record, HostApi::kMaterialKindOffset, material.kind);
    for (std::size_t i = 0; i < material.parameters.size(); ++i)
        HostApi::write<int16_t>(record, HostApi::kMaterialShortOffsets[i], material.parameters[i]);
    writeRgb(record, HostApi::kMaterialSurfaceOffset, material.surface);
    writeRgb(record, HostApi::kMaterialSecondColorOffset, material.secondColor);
}

std::string validUtf8(const char *bytes, std::size_t length)
{
    static const char kReplacement[] = "\xEF\xBF\xBD";
    std::string out;
    std::size_t i = 0;
    while (i < length) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t size = lead < 0x80                   ? 1
                           : lead >= 0xC2 && lead < 0xE0 ? 2
                           : lead >= 0xE0 && lead < 0xF0 ? 3
                           : lead >= 0xF0 && lead < 0xF5 ? 4
                                                         : 0;
        bool valid = size > 0 && i + size <= length;
        for (std::size_t k = 1; valid && k < size; ++k)
            valid = (static_cast<unsigned char>(bytes[i + k]) & 0xC0) == 0x80;
        if (valid && size >= 3) {
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            // Overlong forms, surrogates and code points beyond U+10FFFF.
            valid = !(lead == 0xE0 && second < 0xA0) && !(lead == 0xED && second >= 0xA0) &&
                    !(lead == 0xF0 && second < 0x90) && !(lead == 0xF4 && second >= 0x90);
        }
        if (valid) {
            out.append(bytes + i, size);
            i += size;
        } else {
            out += kReplacement;
            ++i;
        }
    }
    return out;
}

std::optional<ProjectStore> ProjectStore::load(const std::string &path, std::string &error)
{
    std::error_code status;
    if (!std::filesystem::exists(path, status) && !status)
        return ProjectStore();
    std::ifstream file(path, std::ios::binary);
    if (!file || std::filesystem::is_directory(path, status)) {
        error = path + ": cannot be read";
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) {
        error = path + ": cannot be read";
        return std::nullopt;
    }
    const auto document = JsonValue::parse(text.str());
    auto store = document ? fromJson(*document) : std::nullopt;
    if (!store)
        error = path + ": not a project file of this host";
    return store;
}

bool ProjectStore::save(const std::string &path, std::string &error) const
{
    const std::string temporary = path + ".saving";
    const std::string text = toJson().serialize();
    std::FILE *file = std::fopen(temporary.c_str(), "wb");
    bool written = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file && std::fclose(file) != 0)
        written = false;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

int32_t ProjectStore::getAttribute(void *attributeRecord) const
{
    if (!attributeRecord)
        return kHostGeneralError;
    const int32_t type = HostApi::read<int32_t>(attributeRecord, HostApi::kAttributeTypeOffset);
    const std::string name = nameOf(attributeRecord);
    auto *self = const_cast<ProjectStore *>(this);
    if (type == kAttributeMaterial) {
        if (const Material *material = self->findMaterial(name)) {
            writeMaterialRecord(attributeRecord, *material);
            HostApi::write<int32_t>(attributeRecord, HostApi::kAttributeIndexOffset,
                                    int32_t(material - m_materials.data()) + 1);
            return kHostNoError;
        }
    } else if (type == kAttributePenTable) {
        if (const PenTable *table = self->findPenTable(name)) {
            HostApi::write<int32_t>(attributeRecord, HostApi::kAttributeIndexOffset,
                                    int32_t(table - m_penTables.data()) + 1);
            return kHostNoError;
        }
    }
    return kHostAttributeNotFound;
}

std::optional<ProjectStore::PenTable> ProjectStore::penTableFrom(const void *attributeRecord,
                                                                 const void *definitionRecord)
{
    if (!definitionRecord)
        return std::nullopt;
    const auto handle = HostApi::read<GSHandle>(definitionRecord, HostApi::kPenTableHandleOffset);
    // The size first: it is 0 for anything that is not a live handle.
    if (BMGetHandleSize(handle) < GSSize(HostApi::kPenTableBytes))
        return std::nullopt;
    PenTable table;
    table.name = nameOf(attributeRecord);
    for (int i = 0; i < HostApi::kPenCount; ++i) {
        const char *record = *handle + std::size_t(i) * HostApi::kPenRecordBytes;
        Pen pen;
        pen.kind = HostApi::read<int32_t>(record, HostApi::kPenKindOffset);
        pen.index = HostApi::read<int16_t>(record, HostApi::kPenIndexOffset);
        pen.color = readRgb(record, HostApi::kPenColorOffset);
        pen.width = HostApi::read<double>(record, HostApi::kPenWidthOffset);
        pen.description = validUtf8(record + HostApi::kPenDescriptionOffset,
                                    HostApi::textLength(record, HostApi::kPenDescriptionOffset,
                                                        HostApi::kPenDescriptionBytes));
        table.pens.push_back(pen);
    }
    return table;
}

int32_t ProjectStore::createAttribute(const void *attributeRecord, const void *definitionRecord)
{
    if (!attributeRecord)
        return kHostGeneralError;
    const int32_t type = HostApi::read<int32_t>(attributeRecord, HostApi::kAttributeTypeOffset);
    const std::string name = nameOf(attributeRecord);
    if (type == kAttributeMaterial) {
        if (findMaterial(name))
            return kHostAttributeNameExists;
        m_materials.push_back(materialFrom(attributeRecord));
    } else if (type == kAttributePenTable) {
        if (findPenTable(name))
            return kHostAttributeNameExists;
        auto table = penTableFrom(attributeRecord, definitionRecord);
        if (!table)
            return kHostGeneralError;
        m_penTables.push_back(std::move(*table));
    } else {
        return kHostGeneralError;
    }
    m_changes.push_back({ChangeKind::Created, type, name, JsonValue()});
    return kHostNoError;
}

int32_t ProjectStore::modifyAttribute(const void *attributeRecord, const void *definitionRecord)
{
    if (!attributeRecord)
        return kHostGeneralError;
    const int32_t type = HostApi::read<int32_t>(attributeRecord, HostApi::kAttributeTypeOffset);
    const int32_t index = HostApi::read<int32_t>(attributeRecord, HostApi::kAttributeIndexOffset);
    const std::string name = nameOf(attributeRecord);
    JsonValue before;
    if (type == kAttributeMaterial) {
        Material *material = index > 0 ? at(m_materials, index) : findMaterial(name);
        if (!material)
            return kHostAttributeNotFound;
        if (name != material->name && findMaterial(name))
            return kHostAttributeNameExists;
        before = materialJson(*material);
        *material = materialFrom(attributeRecord);
    } else if (type == kAttributePenTable) {
        PenTable *existing = index > 0 ? at(m_penTables, index) : findPenTable(name);
        if (!existing)
            return kHostAttributeNotFound;
        if (name != existing->name && findPenTable(name))
            return kHostAttributeNameExists;
        auto table = penTableFrom(attributeRecord, definitionRecord);
        if (!table)
            return kHostGeneralError;
        before = penTableJson(*existing);
        *existing = std::move(*table);
    } else {
        return kHostGeneralError;
    }
    m_changes.push_back({ChangeKind::Modified, type, name, std::move(before)});
    return kHostNoError;
}

std::vector<ProjectStore::Change> ProjectStore::takeChanges()
{
    return std::exchange(m_changes, {});
}

template <typename T>
T *ProjectStore::at(std::vector<T> &list, int32_t index)
{
    return index >= 1 && std::size_t(index) <= list.size() ? &list[std::size_t(index) - 1]
                                                           : nullptr;
}

ProjectStore::Material *ProjectStore::findMaterial(const std::string &name)
{
    for (Material &material : m_materials) {
        if (material.name == name)
            return &material;
    }
    return nullptr;
}

ProjectStore::PenTable *ProjectStore::findPenTable(const std::string &name)
{
    for (PenTable &table : m_penTables) {
        if (table.name == name)
            return &table;
    }
    return nullptr;
}

JsonValue ProjectStore::materialJson(const Material &material)
{
    JsonValue parameters = JsonValue::array();
    for (const int16_t parameter : material.parameters)
        parameters.append(int(parameter));
    return JsonValue::object({{"type", "material"},
                              {"name", material.name},
                              {"rgb", rgbJson(material.surface)},
                              {"kind", int(material.kind)},
                              {"parameters", parameters},
                              {"secondColor", rgbJson(material.secondColor)}});
}

JsonValue ProjectStore::penTableJson(const PenTable &table)
{
    JsonValue pens = JsonValue::array();
    for (const Pen &pen : table.pens) {
        pens.append(JsonValue::object({{"index", int(pen.index)},
                                       {"rgb", rgbJson(pen.color)},
                                       {"width", pen.width},
                                       {"description", pen.description},
                                       {"kind", int(pen.kind)}}));
    }
    return JsonValue::object({{"type", "penTable"}, {"name", table.name}, {"pens", pens}});
}

JsonValue ProjectStore::attributeJson(int32_t type, const std::string &name) const
{
    auto *self = const_cast<ProjectStore *>(this);
    if (type == kAttributeMaterial) {
        if (const Material *material = self->findMaterial(name))
            return materialJson(*material);
    } else if (type == kAttributePenTable) {
        if (const PenTable *table = self->findPenTable(name))
            return penTableJson(*table);
    }
    return JsonValue::object({{"type", "attribute"}, {"name", name}});
}

JsonValue ProjectStore::toJson() const
{
    JsonValue materials = JsonValue::array();
    for (const Material &material : m_materials)
        materials.append(materialJson(material));
    JsonValue tables = JsonValue::array();
    for (const PenTable &table : m_penTables)
        tables.append(penTableJson(table));
    return JsonValue::object({{"format", kFormat},
                              {"version", kVersion},
                              {"materials", materials},
                              {"penTables", tables}});
}

std::optional<ProjectStore> ProjectStore::fromJson(const JsonValue &document)
{
    if (document["format"].toString() != kFormat || document["version"].toNumber() != kVersion)
        return std::nullopt;
    ProjectStore store;
    for (const JsonValue &item : document["materials"].items()) {
        auto material = materialFromJson(item);
        if (!material)
            return std::nullopt;
        store.m_materials.push_back(std::move(*material));
    }
    for (const JsonValue &item : document["penTables"].items()) {
        auto table = penTableFromJson(item);
        if (!table)
            return std::nullopt;
        store.m_penTables.push_back(std::move(*table));
    }
    return store;
}

} // namespace HostRunner
