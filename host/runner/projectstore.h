#pragma once

#include "host/runner/jsonvalue.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace HostRunner {

// The project's attributes that add-ons create: surface materials and pen tables, kept in
// a JSON file between runs. It answers the attribute services from the host's records.
class ProjectStore
{
public:
    using Rgb = std::array<double, 3>;

    struct Material
    {
        std::string name;
        int32_t kind = 0;
        std::array<int16_t, 4> parameters{};
        Rgb surface{};
        Rgb secondColor{};
    };

    struct Pen
    {
        int32_t kind = 0;
        int16_t index = 0;
        Rgb color{};
        double width = 0;
        std::string description;
    };

    struct PenTable
    {
        std::string name;
        std::vector<Pen> pens;
    };

    enum class ChangeKind { Created, Modified };
    struct Change
    {
        ChangeKind kind;
        int32_t type;
        std::string name;
        JsonValue before; // a modified attribute as it was
    };

    // Nothing, and `error` set, when the file exists but is not a project file.
    static std::optional<ProjectStore> load(const std::string &path, std::string &error);
    // Written through a temporary file and renamed, so a failed write keeps the old file.
    bool save(const std::string &path, std::string &error) const;

    int32_t getAttribute(void *attributeRecord) const;
    int32_t createAttribute(const void *attributeRecord, const void *definitionRecord);
    int32_t modifyAttribute(const void *attributeRecord, const void *definitionRecord);

    const std::vector<Material> &materials() const { return m_materials; }
    const std::vector<PenTable> &penTables() const { return m_penTables; }
    // What the services changed since the last call.
    std::vector<Change> takeChanges();

    // The file's form, which the host's reports use too: a material's "rgb" and every pen of
    // a pen table in the order of its positions, each with the index the add-on wrote.
    JsonValue toJson() const;
    // The attribute as the project holds it now.
    JsonValue attributeJson(int32_t type, const std::string &name) const;
    static std::optional<ProjectStore> fromJson(const JsonValue &document);

private:
    // The attribute at a position from 1, or null.
    template <typename T>
    static T *at(std::vector<T> &list, int32_t index);
    Material *findMaterial(const std::string &name);
    PenTable *findPenTable(const std::string &name);
    static JsonValue materialJson(const Material &material);
    static JsonValue penTableJson(const PenTable &table);
    static std::optional<PenTable> penTableFrom(const void *attributeRecord,
                                                const void *definitionRecord);

    std::vector<Material> m_materials;
    std::vector<PenTable> m_penTables;
    std::vector<Change> m_changes;
};

// A material's fields of the attribute record, as get attribute answers them.
void writeMaterialRecord(void *record, const ProjectStore::Material &material);

// The bytes as UTF-8, every malformed sequence replaced by U+FFFD.
std::string validUtf8(const char *bytes, std::size_t length);

} // namespace HostRunner
