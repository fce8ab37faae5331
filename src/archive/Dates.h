#pragma once

#include <QDate>
#include <QString>
#include <optional>

// Dates are always day/month/four-digit year with "/" between the parts, whatever the locale says.
namespace dates {

inline QString format(const QDate& d) { return d.toString(QStringLiteral("dd/MM/yyyy")); }

// Reads day, month and year in that order separated by "/"; the day must exist in that month of
// that year (29/02 only in leap years). A year of one or two digits is taken in the 2000s.
std::optional<QDate> parse(const QString& text);

} // namespace dates
