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

// The cents of a slip as they are kept, from what was typed in their two-digit field: cut to two,
// "00" when blank, a single digit d read as d0 ("5" is fifty cents).
QString cents(const QString& typed);

} // namespace amounts
