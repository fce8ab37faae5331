#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <optional>

// Dates are always day/month/four-digit year with "/" between the parts, whatever the locale says.
namespace dates {

inline QString format(const QDate& d) { return d.toString(QStringLiteral("dd/MM/yyyy")); }

// Reads day, month and year in that order separated by "/"; the year has four digits, and the day
// must exist in that month of that year (29/02 only in leap years).
std::optional<QDate> parse(const QString& text);

// The same reading of a date as a record stores it (Windows-1252), without decoding it: the day
// as the number yyyymmdd, so that days compare as numbers. Scans over whole archives use it.
std::optional<int> parseDay(QByteArrayView cp1252);
// A date as that number; an invalid date gives a number below every real day's.
int dayNumber(const QDate& d);

} // namespace dates
