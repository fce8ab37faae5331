#pragma once

#include <QString>

// Luhn check of a payment card number written with or without separators. Only the digits 0-9 of
// the text count; everything else is skipped. Returns 0 when the check digit is wrong or there
// are no digits, otherwise the first digit minus 2: 1, 2, 3, 4 for numbers beginning with 3, 4,
// 5, 6. Any other value (-2, -1, 0, 5, 6, 7) is not a payment card by its first digit alone.
int ControllaCarta(const QString& text);

// True when the digits of the text pass the Luhn check digit (and there is at least one).
bool LuhnValido(const QString& text);

// The card network that issues numbers beginning with the leading digits of the text, by the
// networks' current ranges; empty when none is known. Separators are skipped as by ControllaCarta.
QString TipoCarta(const QString& text);
