#pragma once

#include <QString>

// The remainder (0 to 96) of the IBAN's check number: the text in capitals, a leading word "IBAN"
// dropped, its first four characters moved to the end and every letter A-Z written as 10-35,
// divided by 97. Gives 0 when the text holds anything but letters A-Z (in either case) and
// digits 0-9, or nothing at all.
int ModuloIban(const QString& text);

// True when the text, without its blanks, has the remainder 1.
bool ControllaIban(const QString& text);
