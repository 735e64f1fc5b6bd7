#pragma once

// The contract between the host and its add-ons: the service table the host hands over,
// the record the add-on fills with its callbacks, the records both exchange, and the
// result codes. Plain C types only, so that either side may be built by any compiler.

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" {

// Result codes.
enum : int32_t {
    kHostNoError = 0,
    kHostGeneralError = -2130313215,        // 0x81060001
    kHostAttributeNotFound = -2130313113,   // 0x81060067
    kHostAttributeNameExists = -2130312915, // 0x8106012D
    kHostServiceMissing = -2130312313,      // 0x81060387
};

// check-environment's answer for an add-on that wants to be loaded.
enum : int32_t { kAddOnTypeRefused = 0, kAddOnTypeNormal = 1 };

enum : int32_t { kAttributeMaterial = 6, kAttributePenTable = 12 };

// The environment query for the host's main window.
enum : uint32_t { kEnvironmentMainWindow = 0x68574E44 }; // 'hWND'

enum : int32_t { kAllNotifications = -1 };

// Register-menu flags: kMenuItemDisabled shows the item but never runs its command.
enum : int32_t { kMenuItemDisabled = 1 };

// What check-environment fills in.
struct HostEnvironmentRecord
{
    char addOnName[256];
    char addOnDescription[512];
};

// What a menu command receives: the menu's string-list ID and the chosen item (from 1).
struct HostMenuParams
{
    int16_t menuResId;
    int16_t itemIndex;
};

typedef int32_t (*CheckEnvironmentProc)(HostEnvironmentRecord *environment);
typedef int32_t (*RegisterInterfaceProc)(void);
typedef int32_t (*InitializeProc)(void *hostContext);
typedef int32_t (*FreeDataProc)(void);
typedef int32_t (*MenuCommandProc)(const HostMenuParams *params);
typedef int32_t (*NotificationProc)(int32_t notification, void *parameter);

// The host's services. Every call passes the host context first.
struct HostServices
{
    uint32_t size;    // sizeof(HostServices), so that a newer table can be told apart
    uint32_t version; // kHostServicesVersion
    int32_t (*registerMenu)(void *context, int16_t menuResId, int16_t promptResId, int32_t menuCode,
                            int32_t flags);
    int32_t (*installMenuHandler)(void *context, int16_t menuResId, MenuCommandProc handler);
    int32_t (*installNotificationHandler)(void *context, int32_t mask, NotificationProc handler);
    int32_t (*environment)(void *context, uint32_t code, void *result, void *param1, void *param2);
    int32_t (*getAttribute)(void *context, void *attributeRecord);
    int32_t (*createAttribute)(void *context, void *attributeRecord, void *definitionRecord);
    int32_t (*modifyAttribute)(void *context, void *attributeRecord, void *definitionRecord);
    int32_t (*residencyRequest)(void *context, int32_t value);
    // From version 2: the attributes of one type, in the order they were created.
    int32_t (*getAttributeCount)(void *context, int32_t type, int32_t *count);
    // The attribute at `index` (from 1) of its type, its records filled as create attribute
    // takes them; the definition record's handles are the caller's to release.
    int32_t (*getAttributeByIndex)(void *context, int32_t type, int32_t index,
                                   void *attributeRecord, void *definitionRecord);
};

enum : uint32_t { kHostServicesVersion = 2 };
// The first version whose table lists the attributes of a type.
enum : uint32_t { kHostServicesWithAttributeList = 2 };

// Exported by the add-on with C linkage.
typedef int32_t (*SetImportedFuncAddrsProc)(const void *serviceTable);
typedef int32_t (*GetExportedFuncAddrsProc)(void *exportRecord);

} // extern "C"

// Sizes and offsets of the exchanged blocks, and typed access to them.
namespace HostApi {

inline constexpr std::size_t kServiceTableBytes = 3000;
static_assert(sizeof(HostServices) <= kServiceTableBytes, "the table is copied as 3000 bytes");

inline constexpr std::size_t kExportRecordBytes = 120;
inline constexpr std::size_t kExportVersionOffset = 0;
inline constexpr uint32_t kExportVersion = 1114113; // 0x00110001
inline constexpr std::size_t kCheckEnvironmentOffset = 8;
inline constexpr std::size_t kRegisterInterfaceOffset = 16;
inline constexpr std::size_t kInitializeOffset = 24;
inline constexpr std::size_t kFreeDataOffset = 32;
inline constexpr std::size_t kExportApiLevelOffset = 40;
inline constexpr uint32_t kExportApiLevel = 17000;

inline constexpr std::size_t kAttributeRecordBytes = 968;
inline constexpr std::size_t kDefinitionRecordBytes = 216;
inline constexpr std::size_t kAttributeTypeOffset = 0;
// The attribute's position in its type, from 1, as the host reports it; modify attribute
// takes the attribute of this index when it is set (so a name can change), else the one
// of the record's name.
inline constexpr std::size_t kAttributeIndexOffset = 4; // 32-bit
inline constexpr std::size_t kAttributeNameOffset = 8;
inline constexpr std::size_t kAttributeNameBytes = 256; // with its terminator

// Material fields of the attribute record.
inline constexpr std::size_t kMaterialKindOffset = 300;                      // 32-bit
inline constexpr std::size_t kMaterialShortOffsets[] = {304, 306, 308, 312}; // 16-bit each
inline constexpr std::size_t kMaterialSurfaceOffset = 320;                   // three 64-bit floats
inline constexpr std::size_t kMaterialSecondColorOffset = 344;               // three 64-bit floats

// The pen table: a handle at this offset of the definition record, to kPenCount pens.
inline constexpr std::size_t kPenTableHandleOffset = 128;
inline constexpr int kPenCount = 255;
inline constexpr std::size_t kPenRecordBytes = 456;
inline constexpr std::size_t kPenTableBytes = kPenCount * kPenRecordBytes; // 116280
inline constexpr std::size_t kPenKindOffset = 0;                           // 32-bit
inline constexpr std::size_t kPenIndexOffset = 4;                          // 16-bit
inline constexpr std::size_t kPenColorOffset = 296;                        // three 64-bit floats
inline constexpr std::size_t kPenWidthOffset = 320;                        // 64-bit float
inline constexpr std::size_t kPenDescriptionOffset = 328;
inline constexpr std::size_t kPenDescriptionBytes = kPenRecordBytes - kPenDescriptionOffset;

template <typename T>
T read(const void *block, std::size_t offset)
{
    T value;
    std::memcpy(&value, static_cast<const char *>(block) + offset, sizeof value);
    return value;
}

template <typename T>
void write(void *block, std::size_t offset, T value)
{
    std::memcpy(static_cast<char *>(block) + offset, &value, sizeof value);
}

// A text field: the bytes up to the first terminator, or the whole field without one.
inline const char *textField(const void *block, std::size_t offset)
{
    return static_cast<const char *>(block) + offset;
}
inline std::size_t textLength(const void *block, std::size_t offset, std::size_t capacity)
{
    const char *start = textField(block, offset);
    const void *end = std::memchr(start, '\0', capacity);
    return end ? static_cast<std::size_t>(static_cast<const char *>(end) - start) : capacity;
}

} // namespace HostApi
