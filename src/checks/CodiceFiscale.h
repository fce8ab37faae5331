#pragma once

#include <QString>

// True when the 16th character of a natural person's tax code is the check letter computed from
// the first fifteen. The code is expected in capitals; any other length, or any character other
// than A-Z and 0-9 among the first fifteen, gives false.
bool ControllaCodFisc(const QString& code);
