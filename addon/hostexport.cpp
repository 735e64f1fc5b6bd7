#include "addon/hostexport.h"

#include "addon/hostconnection.h"
#include "engine/db/collectionlookups.h"
#include "engine/settings/preferences.h"
#include "host/api/gsroot.h"

#include <QList>

#include <cstring>
#include <vector>

namespace Corvo::HostExport {

namespace {

// The constant material fields the host expects; their meaning is the host's.
constexpr int32_t kMaterialKind = 1;
constexpr int16_t kMaterialParameters[] = {90, 90, 15, 60};
constexpr double kMaterialSecondColor[] = {1.0, 1.0, 1.0};
constexpr int32_t kPenKind = 1;
constexpr double kPenWidth = 0.25;
constexpr double kFillerWidth = 0.0;
// Numbers tried for an unnamed pen set before giving up; room is left for the widest.
constexpr int kMaxDefaultNumber = 9999;
constexpr int kNumberBytes = 5;

void writeText(void *block, std::size_t offset, const QString &text, std::size_t capacity)
{
    const QByteArray bytes = fieldText(text, int(capacity));
    std::memcpy(static_cast<char *>(block) + offset, bytes.constData(), std::size_t(bytes.size()));
}

void writeRgb(void *block, std::size_t offset, const double (&rgb)[3])
{
    for (std::size_t i = 0; i < 3; ++i)
        HostApi::write<double>(block, offset + 8 * i, rgb[i]);
}

void writeColor(void *block, std::size_t offset, const ExportColor &color)
{
    const double rgb[3] = {color.red / 255.0, color.green / 255.0, color.blue / 255.0};
    writeRgb(block, offset, rgb);
}

// Zeroed blocks of the host's record sizes.
struct Records
{
    std::vector<unsigned char> attribute =
        std::vector<unsigned char>(HostApi::kAttributeRecordBytes);
    std::vector<unsigned char> definition =
        std::vector<unsigned char>(HostApi::kDefinitionRecordBytes);

    Records(int32_t type, const QString &name)
    {
        BNFillMemory(attribute.data(), GSSize(attribute.size()), 0);
        BNFillMemory(definition.data(), GSSize(definition.size()), 0);
        HostApi::write<int32_t>(attribute.data(), HostApi::kAttributeTypeOffset, type);
        writeText(attribute.data(), HostApi::kAttributeNameOffset, name,
                  HostApi::kAttributeNameBytes);
    }
    ~Records()
    {
        auto handle = HostApi::read<GSHandle>(definition.data(), HostApi::kPenTableHandleOffset);
        BMKillHandle(&handle);
    }
    Records(const Records &) = delete;
    Records &operator=(const Records &) = delete;
};

void fillMaterial(void *record, const ExportColor &color)
{
    HostApi::write<int32_t>(record, HostApi::kMaterialKindOffset, kMaterialKind);
    for (std::size_t i = 0; i < std::size(kMaterialParameters); ++i)
        HostApi::write<int16_t>(record, HostApi::kMaterialShortOffsets[i], kMaterialParameters[i]);
    writeColor(record, HostApi::kMaterialSurfaceOffset, color);
    writeRgb(record, HostApi::kMaterialSecondColorOffset, kMaterialSecondColor);
}

void fillPen(char *pen, int index, const ExportColor *color, const QString &description)
{
    static const double white[3] = {1.0, 1.0, 1.0};
    HostApi::write<int32_t>(pen, HostApi::kPenKindOffset, kPenKind);
    HostApi::write<int16_t>(pen, HostApi::kPenIndexOffset, int16_t(index));
    if (color)
        writeColor(pen, HostApi::kPenColorOffset, *color);
    else
        writeRgb(pen, HostApi::kPenColorOffset, white);
    HostApi::write<double>(pen, HostApi::kPenWidthOffset, color ? kPenWidth : kFillerWidth);
    writeText(pen, HostApi::kPenDescriptionOffset, description, HostApi::kPenDescriptionBytes);
}

} // namespace

QByteArray fieldText(const QString &text, int capacity)
{
    QByteArray bytes;
    if (capacity <= 0)
        return bytes;
    // Whole code points only: a surrogate pair is one character.
    for (int i = 0; i < text.size();) {
        const int length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                ? 2
                : 1;
        const QByteArray character = text.mid(i, length).toUtf8();
        if (text.at(i).unicode() == 0 || bytes.size() + character.size() > capacity - 1)
            break;
        bytes += character;
        i += length;
    }
    return bytes;
}

QString exportName(const QString &prefix, const QString &name)
{
    return prefix.isEmpty() ? name : prefix + QLatin1Char(' ') + name;
}

int createMaterials(const ExportMap &map, const QString &prefix)
{
    const HostConnection &host = HostConnection::instance();
    int created = 0;
    for (const auto &[color, name] : map) {
        Records records(kAttributeMaterial, exportName(prefix, name));
        if (host.getAttribute(records.attribute.data()) != kHostAttributeNotFound)
            continue;
        fillMaterial(records.attribute.data(), color);
        if (host.createAttribute(records.attribute.data(), records.definition.data()) ==
            kHostNoError)
            ++created;
    }
    return created;
}

QString unusedPenTableName(const QString &base)
{
    const QString stem =
        QString::fromUtf8(fieldText(base, int(HostApi::kAttributeNameBytes) - kNumberBytes));
    const HostConnection &host = HostConnection::instance();
    for (int number = 1; number <= kMaxDefaultNumber; ++number) {
        const QString name = stem + QLatin1Char(' ') + QString::number(number);
        Records records(kAttributePenTable, name);
        if (host.getAttribute(records.attribute.data()) != kHostNoError)
            return name;
    }
    return QString();
}

bool createPenTable(const ExportMap &map, const QString &penSetName, const QString &prefix,
                    const QString &defaultName)
{
    const bool named = !penSetName.trimmed().isEmpty();
    const QString tableName = named ? penSetName : unusedPenTableName(defaultName);
    if (tableName.isEmpty())
        return false;
    Records records(kAttributePenTable, tableName);
    GSHandle pens = BMAllocateHandle(GSSize(HostApi::kPenTableBytes), kAllocateClear, 0);
    if (!pens)
        return false;
    HostApi::write<GSHandle>(records.definition.data(), HostApi::kPenTableHandleOffset, pens);
    int index = 1;
    for (const auto &[color, name] : map) {
        if (index > HostApi::kPenCount)
            break;
        fillPen(*pens + std::size_t(index - 1) * HostApi::kPenRecordBytes, index, &color,
                exportName(prefix, name));
        ++index;
    }
    for (; index <= HostApi::kPenCount; ++index)
        fillPen(*pens + std::size_t(index - 1) * HostApi::kPenRecordBytes, index, nullptr,
                QString());
    const HostConnection &host = HostConnection::instance();
    int32_t result = host.createAttribute(records.attribute.data(), records.definition.data());
    // Only a table the user named may replace one of that name.
    if (result == kHostAttributeNameExists && named)
        result = host.modifyAttribute(records.attribute.data(), records.definition.data());
    return result == kHostNoError;
}

QString materialPrefix()
{
    return DB::localizedString(Preferences::uuidOfLastUsedCollection(),
                               QStringLiteral("archicad.addon.material.prefix"));
}

QString defaultPenSetName()
{
    return DB::localizedString(Preferences::uuidOfLastUsedCollection(),
                               QStringLiteral("archicad.addon.penset.default.name"));
}

} // namespace Corvo::HostExport
