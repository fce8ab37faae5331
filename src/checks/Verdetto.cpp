#include "Verdetto.h"

#include "CartaCredito.h"
#include "CodiceFiscale.h"
#include "Iban.h"
#include "PartitaIva.h"

#include "archive/Text.h"

Verdetto verdettoCodFisc(const QString& campo) {
    // Not trimmed: a blank inside the 16 characters makes the code wrong, not shorter.
    const QString codice = text::upperAZ(campo);
    if (codice.size() != 16)
        return {Verdetto::Incompleto,
                QStringLiteral(
                    "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."),
                QStringLiteral("servono 16 caratteri")};
    if (ControllaCodFisc(codice))
        return {Verdetto::Valido, QStringLiteral("Il codice fiscale digitato è VALIDO."), {}};
    return {Verdetto::Errato, QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO."), {}};
}

Verdetto verdettoPartitaIva(const QString& campo) {
    const QString numero = text::upperAZ(campo);
    if (numero.size() != 11)
        return {Verdetto::Incompleto,
                QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."),
                QStringLiteral("servono 11 cifre")};
    if (!ControllaPartitaIva(numero))
        return {Verdetto::Errato,
                QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                               "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo "
                               "ha rilasciato."),
                {}};
    const QString codiceUfficio = numero.mid(7, 3);
    const QString ufficio = UfficioIva(codiceUfficio);
    const QString valido = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.");
    if (ufficio.isEmpty()) {
        // A correct number from an office code the table does not know: say so rather than
        // naming an empty office.
        return {Verdetto::Valido,
                valido +
                    QStringLiteral("\r\n\r\nNon è possibile indicare l'Ufficio IVA che lo ha rilasciato: il "
                                   "codice %1 non è tra quelli conosciuti.")
                        .arg(codiceUfficio),
                {}};
    }
    return {Verdetto::Valido,
            valido + QStringLiteral("\r\n\r\nE' stato rilasciato dall'Ufficio IVA del Comune di ") + ufficio +
                QLatin1Char('.'),
            QStringLiteral("Ufficio IVA di ") + ufficio};
}

Verdetto verdettoCarta(const QString& campo) {
    const QString numero = text::trimmed(campo);
    if (numero.isEmpty())
        return {Verdetto::Incompleto,
                QStringLiteral("Attenzione: immettere il numero di carta di credito prima di premere il "
                               "pulsante di controllo."),
                QStringLiteral("nessun numero")};
    // A number is a payment card when its check digit is right and it begins with 3 to 6, or with
    // the 2 of MasterCard's newer range; any other first digit is no card's.
    const int risultato = ControllaCarta(campo);
    const QString tipo = TipoCarta(campo);
    const bool valido = (risultato >= 1 && risultato <= 4) || (LuhnValido(campo) && !tipo.isEmpty());
    if (!valido)
        return {Verdetto::Errato,
                QStringLiteral("Attenzione: il numero digitato risulta ERRATO!\r\n\r\n"
                               "Non è quindi possibile fornire informazioni relative al tipo di carta di "
                               "credito."),
                {}};
    QString messaggio =
        QStringLiteral("Il numero di carta di credito ") + numero + QStringLiteral(" risulta valido.");
    // A correct number whose leading digits name no known network is still worth telling.
    if (!tipo.isEmpty())
        messaggio += QStringLiteral("\r\n\r\nLa carta di credito è del tipo ") + tipo + QLatin1Char('.');
    return {Verdetto::Valido, messaggio, tipo};
}

Verdetto verdettoIban(const QString& campo) {
    const QString iban = text::trimmed(campo);
    // An IBAN is often written in groups of four: without the blanks between them it has its length.
    QString compatto = iban;
    compatto.removeIf([](QChar c) { return c.unicode() <= 32 || c == QChar(0xA0); });
    if (iban.size() != 27 && compatto.size() != 27)
        return {Verdetto::Incompleto,
                QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici."),
                QStringLiteral("servono 27 caratteri")};
    if (ControllaIban(iban)) return {Verdetto::Valido, QStringLiteral("L'IBAN digitato è VALIDO."), {}};
    return {Verdetto::Errato, QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!"), {}};
}
