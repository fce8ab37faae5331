#include "FileSync.h"

#include <QFileDevice>
#include <io.h>
#include <windows.h>

bool syncToDisk(QFileDevice& file) {
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()))) != 0;
}
