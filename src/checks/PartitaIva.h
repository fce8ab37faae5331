#pragma once

#include <QString>

// True when the text is exactly 11 digits 0-9 and the last is the check digit of the first ten.
bool ControllaPartitaIva(const QString& number);

// The provincial VAT office for a three-digit office code (digits 8 to 10 of a VAT number), or an
// empty text when the code is not one of the known offices.
QString UfficioIva(const QString& code);
