#include "AvvisiScheda.h"

#include "CodiceFiscale.h"
#include "Iban.h"
#include "PartitaIva.h"
#include "archive/Text.h"

QStringList avvisiScheda(const TSchedaAnagrafica& r) {
    QStringList out;
    const QString cf = text::upperAZ(r.CodFisc.get());
    // Digits alone in the tax code field are a firm's tax code, its VAT number, as the check button
    // of that field judges it.
    if (!cf.isEmpty() && text::isDigits(cf)) {
        if (!ControllaPartitaIva(cf))
            out << QStringLiteral("Il codice fiscale %1 (numerico, di una ditta) non supera il controllo della "
                                  "partita IVA.").arg(cf);
    } else if (!cf.isEmpty() && (cf.size() != 16 || !ControllaCodFisc(cf))) {
        out << (cf.size() != 16 ? QStringLiteral("Il codice fiscale %1 non \u00e8 di 16 caratteri.").arg(cf)
                                : QStringLiteral("Il codice fiscale %1 \u00e8 ERRATO.").arg(cf));
    }
    const QString iva = r.PartitaIva.get();
    if (!iva.isEmpty() && !ControllaPartitaIva(iva))
        out << (iva.size() != 11 ? QStringLiteral("La partita IVA %1 non \u00e8 di 11 cifre.").arg(iva)
                                 : QStringLiteral("La partita IVA %1 \u00e8 ERRATA.").arg(iva));
    const QString iban = r.Iban.get();
    if (!iban.isEmpty() && (iban.size() != 27 || !ControllaIban(iban)))
        out << (iban.size() != 27 ? QStringLiteral("L'IBAN %1 non \u00e8 di 27 caratteri.").arg(iban)
                                  : QStringLiteral("L'IBAN %1 \u00e8 ERRATO.").arg(iban));
    return out;
}
