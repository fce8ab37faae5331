#pragma once

#include <QString>

// Luhn check of a payment card number written with or without separators. Only the digits 0-9 of
// the text count; everything else is skipped. Returns 0 when the check digit is wrong or there
// are no digits, otherwise the first digit minus 2: 1, 2, 3, 4 for numbers beginning with 3, 4,
// 5, 6. Any other value (-2, -1, 0, 5, 6, 7) is not a payment card.
int ControllaCarta(const QString& text);

// The card network for a result of ControllaCarta and the number as shown: for result 1 the
// first two characters of the text tell the network apart. Empty when no network is known.
QString TipoCarta(int risultato, const QString& text);
