#pragma once

#include <chrono>

class QFile;

// Holds an advisory lock on a whole open file for its lifetime, so that two copies of the program
// sharing the folder (also over a network) never interleave their writes. Readers take the shared
// lock, writers the exclusive one. A lock that is not granted within waitLimit() (another program
// stuck holding it) is a failure, never an endless wait; meanwhile the program's window keeps
// repainting. The operating system drops the lock if the process dies.
class FileLock {
public:
    enum Kind { Shared, Exclusive };
    FileLock(QFile& file, Kind kind); // throws ArchiveError when the lock cannot be taken in time
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    static std::chrono::milliseconds waitLimit();
    static void setWaitLimit(std::chrono::milliseconds limit); // tests shorten it

private:
    enum class Attempt { Granted, Busy, Unsupported, Failed };
    // One attempt that does not wait; each platform has its own.
    static Attempt tryLock(QFile& file, Kind kind);
    static void unlock(QFile& file);

    QFile& m_file;
    bool m_held = false;
};
