#pragma once

#include <QDir>
#include <QString>

// Names of the program's files inside its folder.
namespace archivi {

// A yearly slip archive: the year as typed, then ".bol".
inline QString annuale(const QString& folder, const QString& year) {
    return QDir(folder).filePath(year + QStringLiteral(".bol"));
}
inline QString anagrafica(const QString& folder) { return QDir(folder).filePath(QStringLiteral("Esecutori.pro")); }

} // namespace archivi
