#include "FileLock.h"

#include <QFile>
#include <io.h>
#include <windows.h>

namespace {
HANDLE osHandle(QFile& f) { return reinterpret_cast<HANDLE>(_get_osfhandle(f.handle())); }
} // namespace

FileLock::Attempt FileLock::tryLock(QFile& file, Kind kind) {
    OVERLAPPED ov{};
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (kind == Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    if (LockFileEx(osHandle(file), flags, 0, MAXDWORD, MAXDWORD, &ov)) return Attempt::Granted;
    switch (GetLastError()) {
    case ERROR_LOCK_VIOLATION:
    case ERROR_IO_PENDING: return Attempt::Busy;
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION: return Attempt::Unsupported;
    default: return Attempt::Failed;
    }
}

void FileLock::unlock(QFile& file) {
    OVERLAPPED ov{};
    UnlockFileEx(osHandle(file), 0, MAXDWORD, MAXDWORD, &ov);
}
