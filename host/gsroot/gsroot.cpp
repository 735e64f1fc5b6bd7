#include "host/api/gsroot.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

// A relocatable block: the handle points at `data`, the first member.
struct Block
{
    char *data;
    GSSize size;
};

// Every live block, so that a handle the add-on never had, or released already, is told
// apart instead of being freed again.
struct HandleRegistry
{
    std::mutex mutex;
    std::unordered_set<const Block *> live;
    int64_t badReleases = 0;
};

// Never destroyed: handles an add-on forgot stay reachable to the end of the process, so
// the host's own report names them and a leak checker does not count them a second time.
HandleRegistry &handles()
{
    static HandleRegistry *instance = new HandleRegistry;
    return *instance;
}

const Block *liveBlock(HandleRegistry &h, GSHandle handle)
{
    const auto *block = reinterpret_cast<const Block *>(handle);
    return handle && h.live.count(block) ? block : nullptr;
}

struct StoredResource
{
    uint32_t type;
    int32_t id;
    std::vector<char> bytes;
};

struct ResourceRegistry
{
    std::mutex mutex;
    std::map<GSResModule, std::vector<StoredResource>> modules;
    GSResModule nextModule = 1;
    GSResModule active = kInvalidResModule;
};

ResourceRegistry &registry()
{
    static ResourceRegistry instance;
    return instance;
}

// The strings of a string list: a 32-bit byte count, then that many bytes of
// NUL-terminated strings.
bool splitStringList(const std::vector<char> &bytes, std::vector<std::string> *strings)
{
    uint32_t count = 0;
    if (bytes.size() < sizeof count)
        return false;
    std::memcpy(&count, bytes.data(), sizeof count);
    if (count > bytes.size() - sizeof count)
        return false;
    const char *at = bytes.data() + sizeof count;
    const char *end = at + count;
    while (at < end) {
        const void *terminator = std::memchr(at, '\0', static_cast<std::size_t>(end - at));
        if (!terminator)
            return false;
        const char *stop = static_cast<const char *>(terminator);
        if (strings)
            strings->emplace_back(at, stop);
        at = stop + 1;
    }
    return true;
}

const StoredResource *findResource(ResourceRegistry &r, uint32_t type, int32_t id,
                                   GSResModule module)
{
    const auto inModule =
        [&](const std::vector<StoredResource> &resources) -> const StoredResource * {
        for (const StoredResource &resource : resources) {
            if (resource.type == type && resource.id == id)
                return &resource;
        }
        return nullptr;
    };
    if (module == kAnyResModule) {
        for (auto it = r.modules.rbegin(); it != r.modules.rend(); ++it) {
            if (const StoredResource *found = inModule(it->second))
                return found;
        }
        return nullptr;
    }
    const auto it = r.modules.find(module == kInvalidResModule ? r.active : module);
    return it == r.modules.end() ? nullptr : inModule(it->second);
}

// The diagnostic output: the file HUEPORT_DEBUG_LOG names (appended to), or standard
// error when it names none or "-", so that the terminal shows the host's own lines only.
std::FILE *debugOutput()
{
    static std::FILE *const output = [] {
        const char *path = std::getenv("HUEPORT_DEBUG_LOG");
        const bool toFile = path && *path && std::strcmp(path, "-") != 0;
        std::FILE *file = toFile ? std::fopen(path, "a") : nullptr;
        return file ? file : stderr;
    }();
    return output;
}

} // namespace

extern "C" {

GSHandle BMAllocateHandle(GSSize size, int32_t flags, int16_t)
{
    if (size < 0)
        return nullptr;
    auto *block = static_cast<Block *>(std::malloc(sizeof(Block)));
    if (!block)
        return nullptr;
    const std::size_t bytes = static_cast<std::size_t>(size);
    block->data = static_cast<char *>((flags & kAllocateClear) ? std::calloc(bytes ? bytes : 1, 1)
                                                               : std::malloc(bytes ? bytes : 1));
    if (!block->data) {
        std::free(block);
        return nullptr;
    }
    block->size = size;
    HandleRegistry &h = handles();
    std::lock_guard<std::mutex> lock(h.mutex);
    h.live.insert(block);
    return &block->data;
}

void BMKillHandle(GSHandle *handle)
{
    if (!handle || !*handle)
        return;
    HandleRegistry &h = handles();
    std::lock_guard<std::mutex> lock(h.mutex);
    const Block *block = liveBlock(h, *handle);
    if (!block) {
        ++h.badReleases;
        return;
    }
    h.live.erase(block);
    std::free(block->data);
    std::free(const_cast<Block *>(block));
    *handle = nullptr;
}

GSSize BMGetHandleSize(GSHandle handle)
{
    HandleRegistry &h = handles();
    std::lock_guard<std::mutex> lock(h.mutex);
    const Block *block = liveBlock(h, handle);
    return block ? block->size : 0;
}

BMHandleStatistics BMGetHandleStatistics(void)
{
    HandleRegistry &h = handles();
    std::lock_guard<std::mutex> lock(h.mutex);
    return {static_cast<int64_t>(h.live.size()), h.badReleases};
}

void BNFillMemory(void *destination, GSSize size, unsigned char value)
{
    if (destination && size > 0)
        std::memset(destination, value, static_cast<std::size_t>(size));
}

GSResModule RSAddModule(const GSResource *resources, int32_t count)
{
    if (count < 0 || (count > 0 && !resources))
        return kInvalidResModule;
    std::vector<StoredResource> stored;
    for (int32_t i = 0; i < count; ++i) {
        const GSResource &resource = resources[i];
        if (resource.size < 0 || (resource.size > 0 && !resource.data))
            return kInvalidResModule;
        const char *data = static_cast<const char *>(resource.data);
        StoredResource copy{resource.type, resource.id,
                            std::vector<char>(data, data + resource.size)};
        if (copy.type == kResourceStringList && !splitStringList(copy.bytes, nullptr))
            return kInvalidResModule;
        stored.push_back(std::move(copy));
    }
    ResourceRegistry &r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    const GSResModule module = r.nextModule++;
    r.modules.emplace(module, std::move(stored));
    return module;
}

void RSRemoveModule(GSResModule module)
{
    ResourceRegistry &r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.modules.erase(module);
    if (r.active == module)
        r.active = kInvalidResModule;
}

GSResModule RSGetActiveModule(void)
{
    ResourceRegistry &r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.active;
}

GSResModule RSSetActiveModule(GSResModule module)
{
    ResourceRegistry &r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    const GSResModule previous = r.active;
    r.active = module;
    return previous;
}

bool RSGetIndString_ParamAdapter(char *buffer, int32_t bufferSize, int32_t resId, int32_t index,
                                 GSResModule module)
{
    if (!buffer || bufferSize <= 0)
        return false;
    buffer[0] = '\0';
    ResourceRegistry &r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    const StoredResource *list = findResource(r, kResourceStringList, resId, module);
    std::vector<std::string> strings;
    if (!list || !splitStringList(list->bytes, &strings) || index < 1 ||
        static_cast<std::size_t>(index) > strings.size())
        return false;
    const std::string &text = strings[static_cast<std::size_t>(index) - 1];
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(bufferSize) - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return true;
}

const void *RSLoadResource(uint32_t type, int32_t resId, GSResModule module, int32_t *size)
{
    ResourceRegistry &r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    const StoredResource *resource = findResource(r, type, resId, module);
    if (size)
        *size = resource ? static_cast<int32_t>(resource->bytes.size()) : 0;
    return resource ? resource->bytes.data() : nullptr;
}

void DBPrintf(const char *format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    std::FILE *output = debugOutput();
    std::vfprintf(output, format, arguments);
    va_end(arguments);
    std::fflush(output);
}

} // extern "C"

namespace GS {

void *NewOperator(std::size_t size)
{
    return std::malloc(size ? size : 1);
}

void DeleteOperator(void *pointer)
{
    std::free(pointer);
}

} // namespace GS
