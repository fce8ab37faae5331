#include "Amounts.h"

#include "Text.h"

namespace amounts {

std::optional<qint64> parse(QByteArrayView input) {
    QByteArrayView s = text::bytes::trimmed(input);
    const bool negative = s.startsWith('-');
    if (negative) s = s.sliced(1);
    qint64 value = 0;
    qsizetype i = 0;
    for (; i < s.size() && s[i] != ',' && s[i] != '.'; ++i) {
        if (s[i] < '0' || s[i] > '9' || i >= 14) return std::nullopt;
        value = value * 10 + (s[i] - '0');
    }
    if (i == 0) return std::nullopt;
    value *= kUnit;
    if (i < s.size()) {
        const QByteArrayView frac = s.sliced(i + 1);
        if (frac.isEmpty() || frac.size() > 4) return std::nullopt;
        qint64 f = 0;
        for (char c : frac) {
            if (c < '0' || c > '9') return std::nullopt;
            f = f * 10 + (c - '0');
        }
        for (qsizetype k = frac.size(); k < 4; ++k) f *= 10;
        value += f;
    }
    return negative ? -value : value;
}

std::optional<qint64> parse(const QString& input) {
    // A character Windows-1252 cannot hold becomes "?", which no amount holds either.
    return parse(QByteArrayView(text::toCp1252(input)));
}

QString cents(const QString& typed) {
    const QString c = typed.left(2);
    if (text::trimmed(c).isEmpty()) return QStringLiteral("00");
    if (c.size() == 1) return text::trimmed(c) + QLatin1Char('0');
    return c;
}

} // namespace amounts
