#include "Text.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace text {

namespace {

// 0x80-0x9F of Windows-1252; 0 marks the five unassigned bytes, which decode to the C1 control
// of the same value (as Windows itself does) and are never produced by encoding.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int encodeOne(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    if (c < 0xA0 && kHigh[c - 0x80] == 0) return c; // the unassigned bytes round-trip
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c && c != 0) return 0x80 + i;
    return -1;
}

bool isBlank(QChar c) { return c.unicode() <= 32; }

QChar lowerAZ(QChar c) { return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + 32) : c; }

} // namespace

QString trimmed(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b])) ++b;
    while (e > b && isBlank(s[e - 1])) --e;
    return s.mid(b, e - b);
}

QString upperAZ(const QString& s) {
    QString r = s;
    for (QChar& c : r)
        if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 32);
    return r;
}

int compareAZ(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = lowerAZ(a[i]).unicode(), y = lowerAZ(b[i]).unicode();
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool containsAZ(const QString& haystack, const QString& needle) {
    if (needle.isEmpty()) return true;
    const qsizetype last = haystack.size() - needle.size();
    for (qsizetype i = 0; i <= last; ++i) {
        qsizetype j = 0;
        while (j < needle.size() && lowerAZ(haystack[i + j]) == lowerAZ(needle[j])) ++j;
        if (j == needle.size()) return true;
    }
    return false;
}

QByteArray toCp1252(const QString& s) {
    QByteArray out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        const int b = encodeOne(c);
        // A pair of surrogates is one character and becomes one '?'.
        if (b < 0 && QChar::isHighSurrogate(c) && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ++i;
        out.append(b < 0 ? '?' : char(b));
    }
    return out;
}

QString fromCp1252(const char* data, int size) {
    QString out(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        char16_t c = b;
        if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] != 0) c = kHigh[b - 0x80];
        out[i] = QChar(c);
    }
    return out;
}

bool fitsCp1252(const QString& s) {
    for (QChar c : s)
        if (encodeOne(c.unicode()) < 0) return false;
    return true;
}

bool isDigits(const QString& s) {
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

QString forDisplay(const QString& message) {
    QString r = message;
    r.replace(QLatin1String("\n\r\n\r"), QLatin1String("\n\n"));
    r.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    r.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return r;
}

namespace bytes {

namespace {
unsigned char lowerAZ(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }
} // namespace

bool containsAZ(QByteArrayView haystack, QByteArrayView needle) {
    if (needle.isEmpty()) return true;
    const auto* h = reinterpret_cast<const unsigned char*>(haystack.data());
    const auto* n = reinterpret_cast<const unsigned char*>(needle.data());
    const qsizetype last = haystack.size() - needle.size();
    for (qsizetype i = 0; i <= last; ++i) {
        qsizetype j = 0;
        while (j < needle.size() && lowerAZ(h[i + j]) == lowerAZ(n[j])) ++j;
        if (j == needle.size()) return true;
    }
    return false;
}

const std::array<std::uint8_t, 256>& ranksAZ() {
    static const std::array<std::uint8_t, 256> ranks = [] {
        // Each byte stands for the character it decodes to, A-Z folded; ranks follow that order.
        std::array<char16_t, 256> folded;
        for (int i = 0; i < 256; ++i) {
            const char c = char(i);
            folded[i] = text::lowerAZ(fromCp1252(&c, 1)[0]).unicode();
        }
        std::array<int, 256> order;
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&](int x, int y) { return folded[x] < folded[y]; });
        std::array<std::uint8_t, 256> r{};
        int rank = 0;
        for (int k = 0; k < 256; ++k) {
            if (k > 0 && folded[order[k]] != folded[order[k - 1]]) ++rank;
            r[order[k]] = std::uint8_t(rank);
        }
        return r;
    }();
    return ranks;
}

} // namespace bytes

} // namespace text
