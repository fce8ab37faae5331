#pragma once

#include <QByteArray>
#include <QString>

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
inline QString fromCp1252(const QByteArray& b) { return fromCp1252(b.constData(), int(b.size())); }
bool fitsCp1252(const QString& s);

// True when every character is one of 0-9.
bool isDigits(const QString& s);

// Messages keep "\n\r\n\r" and "\r\n\r\n" as stored; on screen each of those runs is a line break.
QString forDisplay(const QString& message);

} // namespace text
