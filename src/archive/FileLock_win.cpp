#include "FileLock.h"

#include "ArchiveError.h"

#include <QFile>
#include <io.h>
#include <windows.h>

namespace {
HANDLE osHandle(QFile& f) { return reinterpret_cast<HANDLE>(_get_osfhandle(f.handle())); }
} // namespace

FileLock::FileLock(QFile& file, Kind kind) : m_file(file) {
    OVERLAPPED ov{};
    const DWORD flags = kind == Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0;
    if (!LockFileEx(osHandle(file), flags, 0, MAXDWORD, MAXDWORD, &ov))
        throw ArchiveError(QStringLiteral("cannot lock %1").arg(file.fileName()));
}

FileLock::~FileLock() {
    OVERLAPPED ov{};
    UnlockFileEx(osHandle(m_file), 0, MAXDWORD, MAXDWORD, &ov);
}
