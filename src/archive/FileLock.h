#pragma once

class QFile;

// Holds an advisory lock on a whole open file for its lifetime, so that two copies of the program
// sharing the folder (also over a network) never interleave their writes. Readers take the shared
// lock, writers the exclusive one; both wait for the other side. The operating system drops the
// lock if the process dies.
class FileLock {
public:
    enum Kind { Shared, Exclusive };
    FileLock(QFile& file, Kind kind); // throws ArchiveError when the lock cannot be taken
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    QFile& m_file;
};
