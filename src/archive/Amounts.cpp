#include "Amounts.h"

#include "Text.h"

namespace amounts {

std::optional<qint64> parse(const QString& input) {
    QString s = text::trimmed(input);
    bool negative = false;
    if (s.startsWith(QLatin1Char('-'))) {
        negative = true;
        s.remove(0, 1);
    }
    qsizetype sep = -1;
    for (qsizetype i = 0; i < s.size() && sep < 0; ++i)
        if (s[i] == u',' || s[i] == u'.') sep = i;
    const QString whole = sep < 0 ? s : s.left(sep);
    const QString frac = sep < 0 ? QString() : s.mid(sep + 1);
    if (whole.isEmpty() || whole.size() > 14 || !text::isDigits(whole)) return std::nullopt;
    if (sep >= 0 && (frac.isEmpty() || frac.size() > 4 || !text::isDigits(frac))) return std::nullopt;
    qint64 value = whole.toLongLong() * kUnit;
    if (!frac.isEmpty()) value += QString(frac).leftJustified(4, QLatin1Char('0')).toLongLong();
    return negative ? -value : value;
}

} // namespace amounts
