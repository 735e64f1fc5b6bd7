#pragma once

// SQLite's own memory for the fuzz targets. The system's SQLite is not instrumented and
// is built without its small-allocation cache, so under the sanitizer every one of the
// thousands of allocations that reading a schema makes went through the sanitizer's
// allocator and libFuzzer's hooks: about half of each input's time. Served here by the
// C library's allocator beneath the sanitizer's, with SQLite's mutexes off (the targets
// run on one thread) and a hard limit that takes the place of libFuzzer's malloc limit,
// which no longer sees these allocations. The engine's own memory stays instrumented.
class SqliteHeap
{
public:
    // SQLite answers SQLITE_NOMEM beyond this, as the engine must handle.
    static constexpr long long kLimitBytes = 128LL * 1024 * 1024;

    // Before SQLite's first use; false, with SQLite unchanged, when it is already in use.
    static bool install();
};
