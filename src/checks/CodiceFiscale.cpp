#include "CodiceFiscale.h"

#include <array>
#include <optional>

namespace {

// Odd-position values of the tax code, by rank: the digit 0..9 and the letter A..J of the same
// rank share a value, K..Z follow.
constexpr std::array<int, 26> kDispari = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                          20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

// Rank of a character in the tables: digits 0-9, letters 0-25. Everything else, including the
// punctuation between '9' and 'A', has no place in a tax code.
std::optional<int> rango(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'Z') return u - u'A';
    return std::nullopt;
}

} // namespace

bool ControllaCodFisc(const QString& code) {
    if (code.size() != 16) return false;
    int somma = 0;
    for (int i = 0; i < 15; ++i) {
        const auto r = rango(code[i]);
        if (!r) return false;
        // Positions are counted from 1: index 0 is the first, odd, position.
        somma += (i % 2 == 0) ? kDispari[*r] : *r;
    }
    return code[15] == QChar(u'A' + somma % 26);
}
