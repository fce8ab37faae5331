#include "Dates.h"

#include "Text.h"

namespace dates {

std::optional<QDate> parse(const QString& input) {
    const QStringList parts = text::trimmed(input).split(QLatin1Char('/'));
    if (parts.size() != 3) return std::nullopt;
    int v[3];
    for (int i = 0; i < 3; ++i) {
        const QString& p = parts[i];
        const int maxLen = i == 2 ? 4 : 2;
        if (p.isEmpty() || p.size() > maxLen || !text::isDigits(p)) return std::nullopt;
        v[i] = p.toInt();
    }
    int year = v[2];
    if (parts[2].size() <= 2) year += 2000;
    const QDate d(year, v[1], v[0]);
    if (!d.isValid() || year < 1) return std::nullopt;
    return d;
}

} // namespace dates
