#pragma once

// The host's support library: relocatable memory blocks, string-list resources of the
// loaded modules, debug output and the allocator add-ons use.

#include <cstddef>
#include <cstdint>

#if defined(GSROOT_BUILDING)
#define GSROOT_API __attribute__((visibility("default")))
#else
#define GSROOT_API
#endif

extern "C" {

typedef char **GSHandle;
typedef int64_t GSSize;
typedef int16_t GSResModule;

enum : int32_t { kAllocateClear = 1 };
// kAnyResModule searches every module, the latest added first.
enum : GSResModule { kInvalidResModule = -1, kAnyResModule = -2 };

// Resource types.
enum : uint32_t {
    kResourceStringList = 0x53545223,  // 'STR#': a 32-bit byte count, then NUL-terminated strings
    kResourceIdentifiers = 0x4D444944, // 'MDID': the add-on's two registration identifiers
};

// One resource of a module. The data is copied when the module is added.
struct GSResource
{
    uint32_t type;
    int32_t id;
    const void *data;
    int32_t size;
};

// A cleared block when flags hold kAllocateClear; null for a negative size or no memory.
GSROOT_API GSHandle BMAllocateHandle(GSSize size, int32_t flags, int16_t reserved);
// Frees the block (a null handle is fine) and clears the caller's handle. A handle that is
// not live (released before, or never allocated) is left alone and counted.
GSROOT_API void BMKillHandle(GSHandle *handle);
// The block's size; 0 for a null handle or one that is not live.
GSROOT_API GSSize BMGetHandleSize(GSHandle handle);

// For the host, which holds its add-ons to their handles: the handles live now, and the
// releases so far of handles that were not live.
struct BMHandleStatistics
{
    int64_t live;
    int64_t badReleases;
};
GSROOT_API BMHandleStatistics BMGetHandleStatistics(void);
GSROOT_API void BNFillMemory(void *destination, GSSize size, unsigned char value);

// Registers a module's resources and returns its number, or kInvalidResModule when the
// resources are malformed. The active module stays as it was.
GSROOT_API GSResModule RSAddModule(const GSResource *resources, int32_t count);
GSROOT_API void RSRemoveModule(GSResModule module);
GSROOT_API GSResModule RSGetActiveModule(void);
// Makes a module current (kInvalidResModule: none) and returns the one that was.
GSROOT_API GSResModule RSSetActiveModule(GSResModule module);
// String `index` (from 1) of string list `resId` of the module (kInvalidResModule: the
// active one), cut to fit the buffer; false, and an empty buffer, when there is none.
GSROOT_API bool RSGetIndString_ParamAdapter(char *buffer, int32_t bufferSize, int32_t resId,
                                            int32_t index, GSResModule module);
// The resource's bytes and size, or null; for the host, which shows the add-on's menus.
// The bytes stay valid until the module is removed.
GSROOT_API const void *RSLoadResource(uint32_t type, int32_t resId, GSResModule module,
                                      int32_t *size);

// A debug message on the host's diagnostic output.
GSROOT_API void DBPrintf(const char *format, ...) __attribute__((format(printf, 1, 2)));

} // extern "C"

namespace GS {
GSROOT_API void *NewOperator(std::size_t size);
GSROOT_API void DeleteOperator(void *pointer);
} // namespace GS
