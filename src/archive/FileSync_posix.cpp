#include "FileSync.h"

#include <QFile>
#include <QFileDevice>
#include <QString>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
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

void startWriteBack(QFileDevice& file, long long offset, long long length) {
#ifdef __linux__
    ::sync_file_range(file.handle(), off_t(offset), off_t(length), SYNC_FILE_RANGE_WRITE);
#else
    (void)file, (void)offset, (void)length;
#endif
}

void preallocate(QFileDevice& file, long long length) {
#ifdef __linux__
    if (length > 0) ::fallocate(file.handle(), FALLOC_FL_KEEP_SIZE, 0, off_t(length));
#else
    (void)file, (void)length;
#endif
}

ReplacedFile::ReplacedFile(const QString& path) {
    // Without blocking: a pipe or a device under that name is left alone.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) m_fd = fd;
    else ::close(fd);
}

ReplacedFile::~ReplacedFile() {
    if (m_fd < 0) return;
    try {
        std::thread([fd = m_fd] { ::close(fd); }).detach();
    } catch (const std::system_error&) {
        ::close(m_fd);
    }
}
