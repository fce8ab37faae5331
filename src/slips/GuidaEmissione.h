#pragma once

#include <QString>
#include <QStringList>

// The help topic of the batch of slips for a group of payers.
namespace guidaEmissione {

inline QString titolo() { return QStringLiteral("Emissione dei bollettini per un gruppo di esecutori."); }

inline QString testo() {
    const QStringList paragrafi = {
        QStringLiteral("L'emissione dei bollettini prepara in una volta sola un bollettino per ciascun esecutore di un "
                       "gruppo dell'archivio anagrafico, tutti con lo stesso beneficiario, lo stesso importo, la "
                       "stessa data di scadenza e la stessa causale: per esempio le quote associative dell'anno per "
                       "tutti i soci."),
        QStringLiteral("Gli esecutori si scelgono con gli stessi filtri della ricerca nell'archivio anagrafico: si "
                       "scrivono una o pi\u00f9 parole consecutive nei campi che interessano, per esempio la "
                       "categoria di appartenenza, e si preme il pulsante Cerca. Con tutti i filtri vuoti vengono "
                       "elencate tutte le schede. Ogni esecutore dell'elenco ha una casella di spunta: togliendo il "
                       "segno di spunta l'esecutore viene escluso; il tasto Invio o un doppio clic sulla riga "
                       "mettono e tolgono il segno."),
        QStringLiteral("Il beneficiario pu\u00f2 essere importato dall'archivio anagrafico con il pulsante accanto a "
                       "INTESTATO A, che riporta conto corrente, nome, indirizzo e causale, oppure scritto a mano. "
                       "L'importo, i centesimi e la data di scadenza, scelta nel calendario, si indicano come nel "
                       "bollettino singolo."),
        QStringLiteral("L'anteprima mostra uno dei bollettini cos\u00ec come verr\u00e0 salvato, con l'importo in "
                       "lettere: quello dell'esecutore selezionato nell'elenco, oppure il primo da emettere."),
        QStringLiteral("Il pulsante Emetti bollettini, dopo una conferma, inserisce tutti i bollettini nell'archivio "
                       "dell'anno aperto, non saldati, nell'ordine dell'elenco. L'inserimento avviene tutto insieme: "
                       "se l'archivio non \u00e8 raggiungibile o il disco \u00e8 pieno, nessun bollettino viene "
                       "inserito e l'archivio resta com'era. Se il programma si interrompe a met\u00e0 "
                       "dell'inserimento (ad esempio per un'interruzione della corrente), il primo comando che riapre "
                       "l'archivio toglie i bollettini gi\u00e0 scritti e lo riporta com'era: basta ripetere "
                       "l'emissione."),
        QStringLiteral("Subito dopo \u00e8 possibile stampare i nuovi bollettini sui moduli in bianco, con i margini "
                       "di stampa impostati e una sola scelta della stampante, oppure su fogli A4 raccolti nel file "
                       "Bollettini.pdf nella cartella del programma."),
    };
    return paragrafi.join(QStringLiteral("\r\n\r\n"));
}

} // namespace guidaEmissione
