#include "FileSync.h"

#include <QFileDevice>
#include <cerrno>
#include <unistd.h>

bool syncToDisk(QFileDevice& file) {
    int rc;
    do rc = ::fsync(file.handle());
    while (rc == -1 && errno == EINTR);
    // EINVAL: a file system that cannot sync at all; that is no failure of this write.
    return rc == 0 || errno == EINVAL;
}
