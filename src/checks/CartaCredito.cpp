#include "CartaCredito.h"

#include <QVarLengthArray>

int ControllaCarta(const QString& text) {
    // Every digit of the text counts, however many separators the user wrote between groups.
    QVarLengthArray<int, 32> cifre;
    for (QChar c : text)
        if (c >= u'0' && c <= u'9') cifre.append(c.unicode() - u'0');
    if (cifre.isEmpty()) return 0;

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
    const int controllo = (10 - somma % 10) % 10;
    return cifre.last() == controllo ? cifre.first() - 2 : 0;
}

QString TipoCarta(int risultato, const QString& text) {
    switch (risultato) {
    case 1: {
        const QString prefisso = text.left(2);
        if (prefisso == u"30" || prefisso == u"36" || prefisso == u"38")
            return QStringLiteral("Diner's Club / Carte Blanche");
        if (prefisso == u"34" || prefisso == u"37") return QStringLiteral("American Express");
        if (prefisso == u"31" || prefisso == u"33" || prefisso == u"35") return QStringLiteral("JCB");
        return {};
    }
    case 2:
        return QStringLiteral("Visa");
    case 3:
        return QStringLiteral("MasterCard");
    case 4:
        return QStringLiteral("Discover");
    default:
        return {};
    }
}
