#include "Iban.h"

#include "archive/Text.h"

int ModuloIban(const QString& text) {
    QString s = text::upperAZ(text);
    // Users often copy the word "IBAN" along with the code. Only a leading one is the word: the
    // account part of a real IBAN may contain those four letters and must be judged whole.
    if (s.startsWith(QLatin1String("IBAN"))) s.remove(0, 4);
    if (s.isEmpty()) return 0;
    s = s.mid(4) + s.left(4);

    // Digit by digit is the same remainder as dividing the whole number, and never overflows.
    int resto = 0;
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9') {
            resto = (resto * 10 + (u - u'0')) % 97;
        } else if (u >= u'A' && u <= u'Z') {
            resto = (resto * 100 + (u - u'A' + 10)) % 97;
        } else {
            return 0;
        }
    }
    return resto;
}

bool ControllaIban(const QString& text) {
    QString s = text;
    s.remove(QLatin1Char(' '));
    return ModuloIban(s) == 1;
}
