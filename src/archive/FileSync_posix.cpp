#include "FileSync.h"

#include <QFile>
#include <QFileDevice>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

bool syncToDisk(QFileDevice& file) {
    int rc;
    do rc = ::fsync(file.handle());
    while (rc == -1 && errno == EINTR);
    // EINVAL: a file system that cannot sync at all; that is no failure of this write.
    return rc == 0 || errno == EINVAL;
}

bool syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    int rc;
    do rc = ::fsync(fd);
    while (rc == -1 && errno == EINTR);
    const bool ok = rc == 0 || errno == EINVAL;
    ::close(fd);
    return ok;
}
