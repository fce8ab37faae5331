#include "FileSync.h"

#include <QFileDevice>
#include <io.h>
#include <windows.h>

bool syncToDisk(QFileDevice& file) {
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()))) != 0;
}

// NTFS keeps its names in its own journal; a folder cannot be flushed like a file.
bool syncFolder(const QString&) { return true; }
