#pragma once

class QFileDevice;
class QString;

// Asks the operating system to put what was written to the open file on the disk, so that a
// full disk or a failing network share shows up before the file is taken as written.
bool syncToDisk(QFileDevice& file);

// Asks the operating system to put the folder's list of names on the disk, so that a file just
// created, renamed or removed there stays so after a power cut. Where the system keeps names safe
// on its own, or cannot sync a folder, it does nothing and answers true.
bool syncFolder(const QString& folder);

// Asks the operating system to start putting `length` bytes from `offset` of the open file on the
// disk now, without waiting, so that a later syncToDisk() has less left to wait for. Only a hint:
// where the system has no such request, or refuses it, nothing happens.
void startWriteBack(QFileDevice& file, long long offset, long long length);

// Asks the file system to set aside room for the first `length` bytes of the open file, empty,
// before they are written: writing them then takes less work. The file's size is not changed.
// Only a hint: where the system has no such request, or refuses it, nothing happens.
void preallocate(QFileDevice& file, long long length);

// Holds the file now at `path`, when there is a regular one, until this object goes, and then lets
// it go on a thread of its own. A file replaced by a rename meanwhile has its space given back on
// that thread, not in the rename: replacing a large file then takes no longer than writing a new
// one. Where the system gives that space back at once anyway, it does nothing.
class ReplacedFile {
public:
    explicit ReplacedFile(const QString& path);
    ~ReplacedFile();
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;

private:
    int m_fd = -1;
};
