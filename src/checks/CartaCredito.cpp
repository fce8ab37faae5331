#include "CartaCredito.h"

#include <QVarLengthArray>

namespace {

// Every digit of the text counts, however many separators the user wrote between groups.
QVarLengthArray<int, 32> cifreDi(const QString& text) {
    QVarLengthArray<int, 32> cifre;
    for (QChar c : text)
        if (c >= u'0' && c <= u'9') cifre.append(c.unicode() - u'0');
    return cifre;
}

// The number formed by the first `n` digits, or -1 when there are fewer.
int prefisso(const QVarLengthArray<int, 32>& cifre, int n) {
    if (cifre.size() < n) return -1;
    int v = 0;
    for (int i = 0; i < n; ++i) v = v * 10 + cifre[i];
    return v;
}

bool luhn(const QVarLengthArray<int, 32>& cifre) {
    if (cifre.isEmpty()) return false;
    // Every second digit leftwards from the one next to the check digit is doubled.
    int somma = 0;
    bool raddoppia = true;
    for (qsizetype i = cifre.size() - 2; i >= 0; --i) {
        int v = cifre[i];
        if (raddoppia) {
            v *= 2;
            if (v >= 10) v -= 9;
        }
        somma += v;
        raddoppia = !raddoppia;
    }
    return cifre.last() == (10 - somma % 10) % 10;
}

} // namespace

bool LuhnValido(const QString& text) { return luhn(cifreDi(text)); }

int ControllaCarta(const QString& text) {
    const auto cifre = cifreDi(text);
    return luhn(cifre) ? cifre.first() - 2 : 0;
}

QString TipoCarta(const QString& text) {
    const auto cifre = cifreDi(text);
    const int due = prefisso(cifre, 2), tre = prefisso(cifre, 3), quattro = prefisso(cifre, 4);
    auto tra = [](int v, int da, int a) { return v >= da && v <= a; };
    if (due == 30 || due == 36 || due == 38) return QStringLiteral("Diner's Club / Carte Blanche");
    if (due == 34 || due == 37) return QStringLiteral("American Express");
    if (due == 31 || due == 33 || due == 35) return QStringLiteral("JCB");
    if (!cifre.isEmpty() && cifre.first() == 4) return QStringLiteral("Visa");
    if (tra(due, 51, 55) || tra(quattro, 2221, 2720)) return QStringLiteral("MasterCard");
    if (quattro == 6011 || tra(tre, 644, 649) || due == 65) return QStringLiteral("Discover");
    if (due == 62) return QStringLiteral("UnionPay");
    if (due == 50 || tra(due, 56, 58) || quattro == 6304 || quattro == 6759 || tra(quattro, 6761, 6763))
        return QStringLiteral("Maestro");
    return {};
}
