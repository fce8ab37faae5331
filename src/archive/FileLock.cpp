#include "FileLock.h"

#include "ArchiveError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <thread>

namespace {
std::chrono::milliseconds g_waitLimit{5000};
constexpr std::chrono::milliseconds kRetry{25};
} // namespace

std::chrono::milliseconds FileLock::waitLimit() { return g_waitLimit; }

void FileLock::setWaitLimit(std::chrono::milliseconds limit) { g_waitLimit = limit; }

FileLock::FileLock(QFile& file, Kind kind) : m_file(file) {
    const QDeadlineTimer deadline(waitLimit());
    for (;;) {
        switch (tryLock(file, kind)) {
        case Attempt::Granted: m_held = true; return;
        // A file system without lock support (some network shares) still lets the program work alone.
        case Attempt::Unsupported: return;
        case Attempt::Failed: throw ArchiveError(QStringLiteral("cannot lock %1").arg(file.fileName()));
        case Attempt::Busy: break;
        }
        if (deadline.hasExpired())
            throw ArchiveError(QStringLiteral("%1 is locked by another program").arg(file.fileName()));
        // The window repaints while waiting; what the user types waits, so no command runs in between.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
        std::this_thread::sleep_for(kRetry);
    }
}

FileLock::~FileLock() {
    if (m_held) unlock(m_file);
}
