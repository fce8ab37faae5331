#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// Amounts are written with a decimal comma and no thousands separator; a fixed-point value counts
// ten-thousandths of a euro.
namespace amounts {

constexpr qint64 kUnit = 10000;

// "1234", "12,50", "12.50", "-5": at most four decimals, at most 14 integer digits.
std::optional<qint64> parse(const QString& text);
// The same reading of an amount as a record stores it (Windows-1252), without decoding it.
std::optional<qint64> parse(QByteArrayView cp1252);

} // namespace amounts
