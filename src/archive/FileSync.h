#pragma once

class QFileDevice;

// Asks the operating system to put what was written to the open file on the disk, so that a
// full disk or a failing network share shows up before the file is taken as written.
bool syncToDisk(QFileDevice& file);
