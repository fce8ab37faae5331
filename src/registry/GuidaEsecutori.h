#pragma once

#include <QString>
#include <QStringList>

// The help topic of the registry workspace.
namespace guidaEsecutori {

inline QString titolo() { return QStringLiteral("Applicazione Archivio Anagrafico."); }

inline QString testo() {
    const QStringList paragrafi = {
        QStringLiteral("L'applicazione Archivio Anagrafico \u00e8 utile per velocizzare la compilazione automatica dei "
                       "bollettini postali, dato che consente di importare nei bollettini i dati degli intestatari dei "
                       "conti correnti e degli esecutori dei versamenti. L'archivio pu\u00f2 essere utilizzato anche "
                       "come una comune rubrica, con la possibilit\u00e0 di inviare e-mail e di controllare il codice "
                       "fiscale, la partita IVA, il numero di carta di credito e l'IBAN di ciascuna persona."),
        QStringLiteral("Nell'archivio anagrafico \u00e8 possibile annotare cognome, nome, data e luogo di nascita, "
                       "sesso, recapito preferenziale, indirizzo di residenza, categoria di appartenenza, numeri di "
                       "telefono e di fax, indirizzo e-mail, codice fiscale, partita IVA, numero e scadenza della "
                       "carta di credito e IBAN di ciascun pagatore o beneficiario."),
        QStringLiteral("La scheda di ogni nominativo consente, inoltre, di registrare gli estremi di un documento di "
                       "identit\u00e0, il numero di conto corrente postale e la causale del versamento da riportare "
                       "sul bollettino; il campo Note permette di aggiungere qualsiasi altra informazione utile."),
        QStringLiteral("Per inserire una scheda in archivio, bisogna fare clic sul pulsante Nuovo, compilare i campi "
                       "desiderati e premere il pulsante Salva. Per modificare una scheda gi\u00e0 presente in "
                       "archivio, bisogna visualizzarla con le frecce di scorrimento o con la funzione Trova, "
                       "apportare le modifiche e premere di nuovo il pulsante Salva."),
        QStringLiteral("Se esistono importanti questioni in sospeso con il pagatore o con il beneficiario, \u00e8 "
                       "possibile annotarle nel campo Note e mettere il segno di spunta sulla casella Da "
                       "ricontattare: il pulsante Da ricontattare mostra l'elenco di tutte le persone da "
                       "ricontattare."),
        QStringLiteral("Il pulsante Duplica \u00e8 utile se si ha bisogno di registrare due o pi\u00f9 schede relative "
                       "allo stesso nominativo, ad esempio con causali di versamento diverse: dopo aver visualizzato "
                       "la scheda da copiare, basta premere Duplica, apportare le modifiche e premere Salva."),
        QStringLiteral("Per trovare le schede dei pagatori o beneficiari in archivio \u00e8 possibile utilizzare uno o "
                       "pi\u00f9 filtri di ricerca contemporaneamente, come il nome, il comune, la categoria o il "
                       "codice fiscale."),
        QStringLiteral("La funzione Allega file consente di abbinare alla scheda di ciascuna persona fino a tre file "
                       "di qualsiasi genere, ad esempio la copia scansionata di un documento di identit\u00e0, "
                       "ciascuno con la propria descrizione; i file allegati possono essere aperti in qualsiasi "
                       "momento con il pulsante Apri."),
        QStringLiteral("Appositi pulsanti consentono di controllare la validit\u00e0 del codice fiscale della persona, "
                       "del numero di partita IVA, del quale viene indicato anche l'ufficio provinciale che lo ha "
                       "rilasciato, del numero di carta di credito e dell'IBAN; il pulsante con la busta avvia il "
                       "programma di posta elettronica per inviare una e-mail all'indirizzo indicato."),
        QStringLiteral("La scheda di ogni singolo nominativo pu\u00f2 essere stampata su carta o salvata in un file "
                       "PDF, mentre l'intero archivio pu\u00f2 essere esportato in un file di Microsoft Excel."),
    };
    return paragrafi.join(QStringLiteral("\r\n\r\n"));
}

} // namespace guidaEsecutori
