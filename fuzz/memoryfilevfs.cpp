#include "fuzz/memoryfilevfs.h"

#include <sqlite3.h>

#include <QFile>

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr char kVfsName[] = "hueport-fuzz-memory";
constexpr int kSectorSize = 4096;

struct Served
{
    sqlite3_vfs *system = nullptr;
    // The served path as SQLite names it to xOpen: the operating system's full path name.
    QByteArray path;
    QByteArray bytes;
};

Served &served()
{
    static Served state;
    return state;
}

// An open served file: SQLite allocates szOsFile bytes and calls xOpen on them.
struct MemoryFile
{
    sqlite3_file base;
    QByteArray bytes;
};

MemoryFile *memoryFile(sqlite3_file *file)
{
    return reinterpret_cast<MemoryFile *>(file);
}

int closeFile(sqlite3_file *file)
{
    memoryFile(file)->~MemoryFile();
    return SQLITE_OK;
}

// Beyond the end SQLite expects zeros and a short read.
int readFile(sqlite3_file *file, void *buffer, int amount, sqlite3_int64 offset)
{
    const QByteArray &bytes = memoryFile(file)->bytes;
    const sqlite3_int64 available =
        std::clamp<sqlite3_int64>(bytes.size() - offset, 0, sqlite3_int64(amount));
    if (available > 0)
        std::memcpy(buffer, bytes.constData() + offset, size_t(available));
    if (available == amount)
        return SQLITE_OK;
    std::memset(static_cast<char *>(buffer) + available, 0, size_t(amount - available));
    return SQLITE_IOERR_SHORT_READ;
}

int refuseWrite(sqlite3_file *, const void *, int, sqlite3_int64)
{
    return SQLITE_READONLY;
}

int refuseTruncate(sqlite3_file *, sqlite3_int64)
{
    return SQLITE_READONLY;
}

int syncFile(sqlite3_file *, int)
{
    return SQLITE_OK;
}

int fileSize(sqlite3_file *file, sqlite3_int64 *size)
{
    *size = memoryFile(file)->bytes.size();
    return SQLITE_OK;
}

int lockFile(sqlite3_file *, int)
{
    return SQLITE_OK;
}

int checkReservedLock(sqlite3_file *, int *reserved)
{
    *reserved = 0;
    return SQLITE_OK;
}

int fileControl(sqlite3_file *, int, void *)
{
    return SQLITE_NOTFOUND;
}

int sectorSize(sqlite3_file *)
{
    return kSectorSize;
}

int deviceCharacteristics(sqlite3_file *)
{
    return SQLITE_IOCAP_IMMUTABLE;
}

const sqlite3_io_methods kMemoryFileMethods = {
    1,
    closeFile,
    readFile,
    refuseWrite,
    refuseTruncate,
    syncFile,
    fileSize,
    lockFile,
    lockFile,
    checkReservedLock,
    fileControl,
    sectorSize,
    deviceCharacteristics,
};

int openFile(sqlite3_vfs *, const char *name, sqlite3_file *file, int flags, int *outFlags)
{
    Served &state = served();
    if (name == nullptr || (flags & SQLITE_OPEN_MAIN_DB) == 0 || state.path != name)
        return state.system->xOpen(state.system, name, file, flags, outFlags);
    new (memoryFile(file)) MemoryFile{{&kMemoryFileMethods}, state.bytes};
    if (outFlags != nullptr)
        *outFlags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
    return SQLITE_OK;
}

int deleteFile(sqlite3_vfs *, const char *name, int syncDirectory)
{
    return served().system->xDelete(served().system, name, syncDirectory);
}

int accessFile(sqlite3_vfs *, const char *name, int flags, int *result)
{
    return served().system->xAccess(served().system, name, flags, result);
}

int fullPathname(sqlite3_vfs *, const char *name, int size, char *out)
{
    return served().system->xFullPathname(served().system, name, size, out);
}

void *openLibrary(sqlite3_vfs *, const char *name)
{
    return served().system->xDlOpen(served().system, name);
}

void libraryError(sqlite3_vfs *, int size, char *out)
{
    served().system->xDlError(served().system, size, out);
}

void (*librarySymbol(sqlite3_vfs *, void *library, const char *name))(void)
{
    return served().system->xDlSym(served().system, library, name);
}

void closeLibrary(sqlite3_vfs *, void *library)
{
    served().system->xDlClose(served().system, library);
}

int randomness(sqlite3_vfs *, int size, char *out)
{
    return served().system->xRandomness(served().system, size, out);
}

int sleepFor(sqlite3_vfs *, int microseconds)
{
    return served().system->xSleep(served().system, microseconds);
}

int currentTime(sqlite3_vfs *, double *now)
{
    return served().system->xCurrentTime(served().system, now);
}

int lastError(sqlite3_vfs *, int size, char *out)
{
    return served().system->xGetLastError(served().system, size, out);
}

int currentTimeInt64(sqlite3_vfs *, sqlite3_int64 *now)
{
    return served().system->xCurrentTimeInt64(served().system, now);
}

sqlite3_vfs makeVfs(const sqlite3_vfs &system)
{
    sqlite3_vfs vfs{};
    vfs.iVersion = 2;
    vfs.szOsFile = std::max<int>(system.szOsFile, sizeof(MemoryFile));
    vfs.mxPathname = system.mxPathname;
    vfs.zName = kVfsName;
    vfs.xOpen = openFile;
    vfs.xDelete = deleteFile;
    vfs.xAccess = accessFile;
    vfs.xFullPathname = fullPathname;
    vfs.xDlOpen = openLibrary;
    vfs.xDlError = libraryError;
    vfs.xDlSym = librarySymbol;
    vfs.xDlClose = closeLibrary;
    vfs.xRandomness = randomness;
    vfs.xSleep = sleepFor;
    vfs.xCurrentTime = currentTime;
    vfs.xGetLastError = lastError;
    vfs.xCurrentTimeInt64 = currentTimeInt64;
    return vfs;
}

} // namespace

bool MemoryFileVfs::install()
{
    static sqlite3_vfs vfs;
    if (served().system != nullptr)
        return true;
    sqlite3_vfs *system = sqlite3_vfs_find(nullptr);
    if (system == nullptr || system->iVersion < 2)
        return false;
    vfs = makeVfs(*system);
    served().system = system;
    if (sqlite3_vfs_register(&vfs, 1) == SQLITE_OK)
        return true;
    served().system = nullptr;
    return false;
}

void MemoryFileVfs::serve(const QString &path, const QByteArray &bytes)
{
    Served &state = served();
    if (state.system == nullptr)
        return;
    QByteArray full(state.system->mxPathname + 1, '\0');
    if (state.system->xFullPathname(state.system, QFile::encodeName(path).constData(),
                                    int(full.size()), full.data()) != SQLITE_OK)
        return;
    state.path = QByteArray(full.constData());
    state.bytes = bytes;
}
