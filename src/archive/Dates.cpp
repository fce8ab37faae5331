#include "Dates.h"

#include "Text.h"

#include <algorithm>
#include <limits>

namespace dates {

namespace {

// At most `massimo` digits 0-9 up to the next "/" or the end; the value, and `t` moved past them.
bool cifre(QByteArrayView& t, int massimo, int& valore, int& quante) {
    valore = 0;
    quante = 0;
    while (quante < t.size() && t[quante] != '/') {
        const char c = t[quante];
        if (c < '0' || c > '9' || ++quante > massimo) return false;
        valore = valore * 10 + (c - '0');
    }
    t = t.sliced(quante);
    return quante > 0;
}

bool bisestile(int anno) { return anno % 4 == 0 && (anno % 100 != 0 || anno % 400 == 0); }

} // namespace

std::optional<int> parseDay(QByteArrayView input) {
    QByteArrayView t = text::bytes::trimmed(input);
    int giorno, mese, anno, n;
    if (!cifre(t, 2, giorno, n) || t.isEmpty()) return std::nullopt;
    t = t.sliced(1);
    if (!cifre(t, 2, mese, n) || t.isEmpty()) return std::nullopt;
    t = t.sliced(1);
    // The year is written whole: "01/01/99" could be 1999 or 2099, so it is no date.
    if (!cifre(t, 4, anno, n) || n != 4 || !t.isEmpty()) return std::nullopt;
    static constexpr int kGiorni[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (anno < 1 || mese < 1 || mese > 12 || giorno < 1) return std::nullopt;
    if (giorno > kGiorni[mese - 1] + int(mese == 2 && bisestile(anno))) return std::nullopt;
    return anno * 10000 + mese * 100 + giorno;
}

int dayNumber(const QDate& d) {
    if (!d.isValid()) return std::numeric_limits<int>::min();
    // Years far outside what a record can hold keep their place at either end.
    return std::clamp(d.year(), -200000, 200000) * 10000 + d.month() * 100 + d.day();
}

std::optional<QDate> parse(const QString& input) {
    // A character Windows-1252 cannot hold becomes "?", which no date holds either.
    const auto giorno = parseDay(text::toCp1252(input));
    if (!giorno) return std::nullopt;
    return QDate(*giorno / 10000, *giorno / 100 % 100, *giorno % 100);
}

} // namespace dates
