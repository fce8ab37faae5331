#pragma once

#include <QString>

// Yes/no flags are stored as these two texts; anything else in a record is neither.
namespace flags {
inline const QString si = QStringLiteral("S\u00ec");
inline const QString no = QStringLiteral("No");
inline QString of(bool value) { return value ? si : no; }
} // namespace flags
