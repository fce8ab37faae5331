#pragma once

#include <QString>

#include <optional>

// The cipher of the access password: each character becomes two upper-case hexadecimal digits,
// scrambled by a 16-bit key that advances with every enciphered byte. Only the low eight bits of
// a character take part, so a text round-trips exactly when every code is at most 255.
namespace cifrario {

QString Cripta(const QString& plain);

// The plain text of `hex`; nothing when a pair of characters is not a hexadecimal number.
// A last unpaired character is ignored.
std::optional<QString> Decripta(const QString& hex);

} // namespace cifrario
