#include "FileLock.h"

#include "ArchiveError.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>

namespace {
bool setLock(int fd, short type) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0; // the whole file, however long it grows
    int rc;
    do rc = ::fcntl(fd, F_SETLKW, &fl);
    while (rc == -1 && errno == EINTR);
    // A file system without lock support (some network shares) still lets the program work alone.
    return rc == 0 || errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS;
}
} // namespace

FileLock::FileLock(QFile& file, Kind kind) : m_file(file) {
    if (!setLock(file.handle(), kind == Exclusive ? F_WRLCK : F_RDLCK))
        throw ArchiveError(QStringLiteral("cannot lock %1").arg(file.fileName()));
}

FileLock::~FileLock() { setLock(m_file.handle(), F_UNLCK); }
