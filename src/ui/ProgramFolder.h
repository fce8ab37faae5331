#pragma once

#include <QString>

// The folder of the running executable, ending with a separator: every file of the program lives
// there. Tests point it at a temporary folder.
namespace programFolder {
QString path();
void setForTests(const QString& folder); // empty restores the executable's folder
} // namespace programFolder
