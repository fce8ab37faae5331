#include "Crypt.h"

namespace {

constexpr quint16 kStart = 2839;
constexpr quint16 kMultiplier = 30411;
constexpr quint16 kAddend = 28537;

// The key advances with the enciphered byte in both directions: that makes one the inverse of the other.
quint16 advance(quint16 key, quint8 enciphered) {
    return quint16((quint32(enciphered) + key) * kMultiplier + kAddend);
}

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    return -1;
}

} // namespace

namespace cifrario {

QString Cripta(const QString& plain) {
    static const char kDigits[] = "0123456789ABCDEF";
    QString hex;
    hex.reserve(plain.size() * 2);
    quint16 key = kStart;
    for (QChar c : plain) {
        const quint8 b = quint8((c.unicode() & 0xFF) ^ (key >> 8));
        hex += QLatin1Char(kDigits[b >> 4]);
        hex += QLatin1Char(kDigits[b & 0xF]);
        key = advance(key, b);
    }
    return hex;
}

std::optional<QString> Decripta(const QString& hex) {
    QString plain;
    plain.reserve(hex.size() / 2);
    quint16 key = kStart;
    for (qsizetype i = 0; i + 1 < hex.size(); i += 2) {
        const int high = hexDigit(hex[i]), low = hexDigit(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        const quint8 b = quint8(high * 16 + low);
        plain += QChar(char16_t(b ^ (key >> 8)));
        key = advance(key, b);
    }
    return plain;
}

} // namespace cifrario
