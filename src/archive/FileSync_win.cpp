#include "FileSync.h"

#include <QFileDevice>
#include <io.h>
#include <windows.h>

bool syncToDisk(QFileDevice& file) {
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()))) != 0;
}

// NTFS keeps its names in its own journal; a folder cannot be flushed like a file.
bool syncFolder(const QString&) { return true; }

// Windows starts writing a file's pages back on its own soon after they are written.
void startWriteBack(QFileDevice&, long long, long long) {}

void preallocate(QFileDevice&, long long) {}

// A file held open here could not be replaced at all.
ReplacedFile::ReplacedFile(const QString&) {}
ReplacedFile::~ReplacedFile() {}
