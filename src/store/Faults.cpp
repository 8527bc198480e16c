#include "store/Faults.h"

#include <sqlite3.h>

#include <cstring>
#include <new>

namespace store {

namespace {

struct Armed {
    FaultOperation operation = FaultOperation::Read;
    FaultKind kind = FaultKind::IoError;
    int remaining = 0;
    bool delivered = false;
};

Armed g_armed;
sqlite3_vfs* g_real = nullptr;

// Our file: the real one follows it in the same allocation (szOsFile is the sum of both).
struct FaultyFile {
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* Real(sqlite3_file* file)
{
    return reinterpret_cast<FaultyFile*>(file)->real;
}

// The code the operation fails with, or SQLITE_OK to let it through.
int Fault(FaultOperation operation)
{
    if (g_armed.remaining == 0 || g_armed.operation != operation || --g_armed.remaining > 0) {
        return SQLITE_OK;
    }
    g_armed.delivered = true;
    switch (g_armed.kind) {
    case FaultKind::DiskFull:
        return SQLITE_FULL;
    case FaultKind::Busy:
        return SQLITE_BUSY;
    case FaultKind::IoError:
        break;
    }
    return operation == FaultOperation::Read    ? SQLITE_IOERR_READ
           : operation == FaultOperation::Write ? SQLITE_IOERR_WRITE
                                                : SQLITE_IOERR_FSYNC;
}

int Close(sqlite3_file* file)
{
    sqlite3_file* real = Real(file);
    int rc = real->pMethods != nullptr ? real->pMethods->xClose(real) : SQLITE_OK;
    return rc;
}

int Read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset)
{
    if (int rc = Fault(FaultOperation::Read); rc != SQLITE_OK) {
        return rc;
    }
    return Real(file)->pMethods->xRead(Real(file), buffer, amount, offset);
}

int Write(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset)
{
    if (int rc = Fault(FaultOperation::Write); rc != SQLITE_OK) {
        return rc;
    }
    return Real(file)->pMethods->xWrite(Real(file), buffer, amount, offset);
}

int Truncate(sqlite3_file* file, sqlite3_int64 size)
{
    return Real(file)->pMethods->xTruncate(Real(file), size);
}

int Sync(sqlite3_file* file, int flags)
{
    if (int rc = Fault(FaultOperation::Sync); rc != SQLITE_OK) {
        return rc;
    }
    return Real(file)->pMethods->xSync(Real(file), flags);
}

int FileSize(sqlite3_file* file, sqlite3_int64* size)
{
    return Real(file)->pMethods->xFileSize(Real(file), size);
}

int Lock(sqlite3_file* file, int level)
{
    return Real(file)->pMethods->xLock(Real(file), level);
}

int Unlock(sqlite3_file* file, int level)
{
    return Real(file)->pMethods->xUnlock(Real(file), level);
}

int CheckReservedLock(sqlite3_file* file, int* result)
{
    return Real(file)->pMethods->xCheckReservedLock(Real(file), result);
}

int FileControl(sqlite3_file* file, int op, void* argument)
{
    return Real(file)->pMethods->xFileControl(Real(file), op, argument);
}

int SectorSize(sqlite3_file* file)
{
    return Real(file)->pMethods->xSectorSize(Real(file));
}

int DeviceCharacteristics(sqlite3_file* file)
{
    return Real(file)->pMethods->xDeviceCharacteristics(Real(file));
}

int ShmMap(sqlite3_file* file, int region, int size, int extend, void volatile** pointer)
{
    return Real(file)->pMethods->xShmMap(Real(file), region, size, extend, pointer);
}

int ShmLock(sqlite3_file* file, int offset, int n, int flags)
{
    return Real(file)->pMethods->xShmLock(Real(file), offset, n, flags);
}

void ShmBarrier(sqlite3_file* file)
{
    Real(file)->pMethods->xShmBarrier(Real(file));
}

int ShmUnmap(sqlite3_file* file, int deleteFlag)
{
    return Real(file)->pMethods->xShmUnmap(Real(file), deleteFlag);
}

// Memory-mapped reads would bypass xRead; they are refused, so SQLite reads through it.
int Fetch(sqlite3_file*, sqlite3_int64, int, void** pointer)
{
    *pointer = nullptr;
    return SQLITE_OK;
}

int Unfetch(sqlite3_file*, sqlite3_int64, void*)
{
    return SQLITE_OK;
}

const sqlite3_io_methods kMethods = {
    3,
    Close,
    Read,
    Write,
    Truncate,
    Sync,
    FileSize,
    Lock,
    Unlock,
    CheckReservedLock,
    FileControl,
    SectorSize,
    DeviceCharacteristics,
    ShmMap,
    ShmLock,
    ShmBarrier,
    ShmUnmap,
    Fetch,
    Unfetch,
};

int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    auto* faulty = reinterpret_cast<FaultyFile*>(file);
    faulty->base.pMethods = nullptr;
    faulty->real = reinterpret_cast<sqlite3_file*>(faulty + 1);
    int rc = g_real->xOpen(g_real, name, faulty->real, flags, outFlags);
    if (faulty->real->pMethods != nullptr) {
        faulty->base.pMethods = &kMethods;
    }
    return rc;
}

int Delete(sqlite3_vfs*, const char* name, int syncDir)
{
    return g_real->xDelete(g_real, name, syncDir);
}

int Access(sqlite3_vfs*, const char* name, int flags, int* result)
{
    return g_real->xAccess(g_real, name, flags, result);
}

int FullPathname(sqlite3_vfs*, const char* name, int size, char* out)
{
    return g_real->xFullPathname(g_real, name, size, out);
}

int Randomness(sqlite3_vfs*, int size, char* out)
{
    return g_real->xRandomness(g_real, size, out);
}

int Sleep(sqlite3_vfs*, int microseconds)
{
    return g_real->xSleep(g_real, microseconds);
}

int CurrentTime(sqlite3_vfs*, double* now)
{
    return g_real->xCurrentTime(g_real, now);
}

int GetLastError(sqlite3_vfs*, int size, char* out)
{
    return g_real->xGetLastError != nullptr ? g_real->xGetLastError(g_real, size, out) : 0;
}

int CurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* now)
{
    return g_real->xCurrentTimeInt64(g_real, now);
}

sqlite3_vfs* Registered()
{
    static sqlite3_vfs* vfs = [] {
        g_real = sqlite3_vfs_find(nullptr);
        static sqlite3_vfs faulty{};
        faulty.iVersion = 2;
        faulty.szOsFile = static_cast<int>(sizeof(FaultyFile)) + g_real->szOsFile;
        faulty.mxPathname = g_real->mxPathname;
        faulty.zName = "kelo-faulty";
        faulty.xOpen = Open;
        faulty.xDelete = Delete;
        faulty.xAccess = Access;
        faulty.xFullPathname = FullPathname;
        faulty.xDlOpen = nullptr;
        faulty.xDlError = nullptr;
        faulty.xDlSym = nullptr;
        faulty.xDlClose = nullptr;
        faulty.xRandomness = Randomness;
        faulty.xSleep = Sleep;
        faulty.xCurrentTime = CurrentTime;
        faulty.xGetLastError = GetLastError;
        faulty.xCurrentTimeInt64 = CurrentTimeInt64;
        sqlite3_vfs_register(&faulty, 0);
        return &faulty;
    }();
    return vfs;
}

} // namespace

const char* FaultyVfsName()
{
    return Registered()->zName;
}

void ArmFault(FaultOperation operation, int n, FaultKind kind)
{
    g_armed = {operation, kind, n, false};
}

bool FaultDelivered()
{
    return g_armed.delivered;
}

} // namespace store
