#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>

// Text rules shared by every screen and record: Qt's own trimming, case and encoding
// helpers differ from what the archives and the forms need, so these are the only ones used.
namespace text {

// Removes characters with codes 0 to 32 at both ends (QString::trimmed() also strips U+00A0
// and keeps U+0001).
QString trimmed(const QString& s);

// Upper-cases only a-z: accented letters stay as they are and the length never changes.
QString upperAZ(const QString& s);

// Compares folding only A-Z to a-z; everything else compares by code.
int compareAZ(const QString& a, const QString& b);
bool containsAZ(const QString& haystack, const QString& needle);

// Windows-1252, both ways. A character the code page cannot hold becomes '?'.
QByteArray toCp1252(const QString& s);
QString fromCp1252(const char* data, int size);
inline QString fromCp1252(QByteArrayView b) { return fromCp1252(b.data(), int(b.size())); }
bool fitsCp1252(const QString& s);

// True when every character is one of 0-9.
bool isDigits(const QString& s);

// Messages keep "\n\r\n\r" and "\r\n\r\n" as stored; on screen each of those runs is a line break.
QString forDisplay(const QString& message);

// The same rules on Windows-1252 text as the records store it. Every byte is one character and
// decoding never merges two bytes, so these give exactly what the rules above give on the decoded
// text, without decoding it: the long lists and scans work on the stored bytes.
namespace bytes {
inline QByteArrayView trimmed(QByteArrayView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
    return s.sliced(b, e - b);
}
bool containsAZ(QByteArrayView haystack, QByteArrayView needle);
// Each byte's place in the order compareAZ() gives the decoded characters; A-Z and a-z share one.
// Comparing two texts rank by rank, then by length, is compareAZ() on their decoded forms.
const std::array<std::uint8_t, 256>& ranksAZ();
} // namespace bytes

} // namespace text
