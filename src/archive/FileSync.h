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
