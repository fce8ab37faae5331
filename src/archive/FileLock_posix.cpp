#include "FileLock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>

namespace {
// Open-file-description locks where the system has them: they belong to the open file, not to the
// process, so closing another handle on the same file never drops them, and two handles in one
// process exclude each other as two programs do.
int setLock(int fd, short type) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0; // the whole file, however long it grows
    int rc;
#ifdef F_OFD_SETLK
    do rc = ::fcntl(fd, F_OFD_SETLK, &fl);
    while (rc == -1 && errno == EINTR);
    if (rc == 0 || errno != EINVAL) return rc;
#endif
    do rc = ::fcntl(fd, F_SETLK, &fl);
    while (rc == -1 && errno == EINTR);
    return rc;
}
} // namespace

FileLock::Attempt FileLock::tryLock(QFile& file, Kind kind) {
    if (setLock(file.handle(), kind == Exclusive ? F_WRLCK : F_RDLCK) == 0) return Attempt::Granted;
    switch (errno) {
    case EACCES:
    case EAGAIN: return Attempt::Busy;
    case ENOLCK:
    case EOPNOTSUPP:
    case ENOSYS: return Attempt::Unsupported;
    default: return Attempt::Failed;
    }
}

void FileLock::unlock(QFile& file) { setLock(file.handle(), F_UNLCK); }
