#include "host/runner/projectseed.h"

#include "host/api/gsroot.h"
#include "host/api/hostapi.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace HostRunner::ProjectSeed {

namespace {

// The constant material fields an export writes.
constexpr int32_t kMaterialKind = 1;
constexpr int16_t kMaterialParameters[] = {90, 90, 15, 60};
constexpr double kSeededPenWidth = 0.25;

using Colour = std::array<int, 3>;

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

void writeRgb(void *block, std::size_t offset, const Colour &colour)
{
    for (std::size_t i = 0; i < 3; ++i)
        HostApi::write<double>(block, offset + 8 * i, colour[i] / 255.0);
}

struct Records
{
    std::vector<unsigned char> attribute =
        std::vector<unsigned char>(HostApi::kAttributeRecordBytes);
    std::vector<unsigned char> definition =
        std::vector<unsigned char>(HostApi::kDefinitionRecordBytes);
    GSHandle pens = nullptr;

    Records(int32_t type, const std::string &name)
    {
        HostApi::write<int32_t>(attribute.data(), HostApi::kAttributeTypeOffset, type);
        std::memcpy(attribute.data() + HostApi::kAttributeNameOffset, name.data(), name.size());
    }
    ~Records() { BMKillHandle(&pens); }
    Records(const Records &) = delete;
    Records &operator=(const Records &) = delete;
};

// A name the attribute record holds whole, with its terminator.
bool fits(const std::string &name, std::string &error)
{
    if (name.size() < HostApi::kAttributeNameBytes)
        return true;
    error =
        "the name is longer than " + std::to_string(HostApi::kAttributeNameBytes - 1) + " bytes";
    return false;
}

bool created(ProjectStore &project, Records &records, const std::string &kind,
             const std::string &name, std::string &error)
{
    const int32_t result =
        project.createAttribute(records.attribute.data(), records.definition.data());
    if (result == kHostNoError)
        return true;
    error = result == kHostAttributeNameExists
                ? "the project has a " + kind + " named \"" + name + "\" already"
                : "the " + kind + " \"" + name + "\" was not created";
    return false;
}

} // namespace

std::optional<Colour> parseColour(const std::string &text)
{
    const std::vector<std::string> parts = split(text, ',');
    if (parts.size() != 3)
        return std::nullopt;
    Colour colour{};
    for (std::size_t i = 0; i < 3; ++i) {
        const char *end = parts[i].data() + parts[i].size();
        const auto result = std::from_chars(parts[i].data(), end, colour[i]);
        if (parts[i].empty() || result.ec != std::errc() || result.ptr != end || colour[i] < 0 ||
            colour[i] > 255)
            return std::nullopt;
    }
    return colour;
}

std::optional<std::vector<Colour>> parseColours(const std::string &text)
{
    std::vector<Colour> colours;
    for (const std::string &part : split(text, ';')) {
        const auto colour = parseColour(part);
        if (!colour)
            return std::nullopt;
        colours.push_back(*colour);
    }
    if (colours.size() > std::size_t(HostApi::kPenCount))
        return std::nullopt;
    return colours;
}

bool addMaterial(ProjectStore &project, const std::string &name, const std::string &colour,
                 std::string &error)
{
    const auto rgb = parseColour(colour);
    if (!fits(name, error))
        return false;
    if (!rgb) {
        error = "\"" + colour + "\" is not a colour R,G,B with channels 0 to 255";
        return false;
    }
    Records records(kAttributeMaterial, name);
    void *record = records.attribute.data();
    HostApi::write<int32_t>(record, HostApi::kMaterialKindOffset, kMaterialKind);
    for (std::size_t i = 0; i < std::size(kMaterialParameters); ++i)
        HostApi::write<int16_t>(record, HostApi::kMaterialShortOffsets[i], kMaterialParameters[i]);
    writeRgb(record, HostApi::kMaterialSurfaceOffset, *rgb);
    writeRgb(record, HostApi::kMaterialSecondColorOffset, {255, 255, 255});
    return created(project, records, "material", name, error);
}

bool addPens(ProjectStore &project, const std::string &name, const std::string &colours,
             std::string &error)
{
    const auto rgbs = parseColours(colours);
    if (!fits(name, error))
        return false;
    if (!rgbs) {
        error = "\"" + colours + "\" is not a list of up to 255 colours R,G,B;R,G,B...";
        return false;
    }
    Records records(kAttributePenTable, name);
    records.pens = BMAllocateHandle(GSSize(HostApi::kPenTableBytes), kAllocateClear, 0);
    if (!records.pens) {
        error = "no memory for the pens";
        return false;
    }
    for (int index = 1; index <= HostApi::kPenCount; ++index) {
        char *pen = *records.pens + std::size_t(index - 1) * HostApi::kPenRecordBytes;
        const bool coloured = std::size_t(index) <= rgbs->size();
        HostApi::write<int32_t>(pen, HostApi::kPenKindOffset, 1);
        HostApi::write<int16_t>(pen, HostApi::kPenIndexOffset, int16_t(index));
        writeRgb(pen, HostApi::kPenColorOffset,
                 coloured ? (*rgbs)[std::size_t(index) - 1] : Colour{255, 255, 255});
        HostApi::write<double>(pen, HostApi::kPenWidthOffset, coloured ? kSeededPenWidth : 0.0);
    }
    HostApi::write<GSHandle>(records.definition.data(), HostApi::kPenTableHandleOffset,
                             records.pens);
    return created(project, records, "pen table", name, error);
}

} // namespace HostRunner::ProjectSeed
