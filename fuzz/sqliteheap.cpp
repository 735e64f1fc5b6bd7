#include "fuzz/sqliteheap.h"

#include <sqlite3.h>

#include <cstddef>
#include <cstring>

// The C library's allocator, which the sanitizer does not replace.
extern "C" void *__libc_malloc(size_t size);
extern "C" void *__libc_realloc(void *pointer, size_t size);
extern "C" void __libc_free(void *pointer);

namespace {

// Each block starts with its size, kept in a header that keeps SQLite's alignment.
constexpr size_t kHeader = 16;

char *blockOf(void *pointer)
{
    return static_cast<char *>(pointer) - kHeader;
}

void *payloadOf(void *block, int size)
{
    if (block == nullptr)
        return nullptr;
    std::memcpy(block, &size, sizeof size);
    return static_cast<char *>(block) + kHeader;
}

void *allocate(int size)
{
    return payloadOf(__libc_malloc(size_t(size) + kHeader), size);
}

void release(void *pointer)
{
    __libc_free(blockOf(pointer));
}

void *reallocate(void *pointer, int size)
{
    return payloadOf(__libc_realloc(blockOf(pointer), size_t(size) + kHeader), size);
}

int sizeOf(void *pointer)
{
    int size = 0;
    std::memcpy(&size, blockOf(pointer), sizeof size);
    return size;
}

int roundUp(int size)
{
    return (size + 7) & ~7;
}

int initialise(void *)
{
    return SQLITE_OK;
}

void shutDown(void *) {}

} // namespace

bool SqliteHeap::install()
{
    static const sqlite3_mem_methods methods = {allocate, release,    reallocate, sizeOf,
                                                roundUp,  initialise, shutDown,   nullptr};
    if (sqlite3_config(SQLITE_CONFIG_SINGLETHREAD) != SQLITE_OK ||
        sqlite3_config(SQLITE_CONFIG_MALLOC, &methods) != SQLITE_OK)
        return false;
    sqlite3_hard_heap_limit64(kLimitBytes);
    return true;
}
