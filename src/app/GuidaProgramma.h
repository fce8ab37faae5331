#pragma once

#include "archive/PasswordStore.h"

#include <QString>
#include <QStringList>

// The overview shown by the start screen's help picture.
namespace guidaProgramma {

inline QString titolo() { return QStringLiteral("Uno sguardo a Versalio."); }

inline QString testo() {
    const QStringList p = {
        QStringLiteral("Versalio \u00e8 un semplice strumento per compilare e stampare i bollettini postali di conto "
                       "corrente a due sezioni, con un ambiente di lavoro che mostra e stampa il riepilogo dei "
                       "versamenti effettuati in un qualsiasi periodo da tutti gli esecutori o da uno solo, con il "
                       "totale degli importi."),
        QStringLiteral("I bollettini supportati sono quelli della serie TD 123 Mod. CH 8 Bis emessi da Poste Italiane, "
                       "con conto corrente fino a dodici cifre. Si possono stampare sui moduli in bianco disponibili "
                       "presso qualsiasi ufficio postale oppure su comuni fogli A4, che riproducono anche la grafica "
                       "del bollettino."),
        QStringLiteral("La compilazione \u00e8 pi\u00f9 veloce grazie all'importazione degli intestatari e degli "
                       "esecutori dall'archivio anagrafico, che conserva per ciascuno il numero di conto corrente e la "
                       "causale del versamento."),
        QStringLiteral("Per la stampa sui moduli in bianco \u00e8 disponibile una schermata di impostazione dei margini "
                       "per le stampanti che ne hanno bisogno; il bollettino in bianco va inserito nel cassetto dei "
                       "fogli A4 con le guide accostate al modulo."),
        QStringLiteral("I bollettini sono conservati in archivi annuali: si indica un anno solare e si preme Apri; poi "
                       "si preme Nuovo, si compilano o si importano i dati e si preme Salva. Il pulsante Duplica copia "
                       "un bollettino gi\u00e0 salvato in una nuova scheda."),
        QStringLiteral("Quando un bollettino \u00e8 stato pagato si mette il segno di spunta sulla casella Saldato e si "
                       "preme Salva. Il pulsante Da saldare elenca tutti i bollettini non saldati, il pulsante Scaduti "
                       "quelli scaduti e non ancora saldati."),
        QStringLiteral("Il pulsante Trova cerca i bollettini con pi\u00f9 filtri contemporaneamente, ciascuno fatto di "
                       "una o pi\u00f9 parole consecutive: per esempio tutti i bollettini che scadono in una certa data, "
                       "quelli pagati da un esecutore, quelli intestati a un beneficiario o quelli con una certa "
                       "causale."),
        QStringLiteral("L'archivio anagrafico velocizza la compilazione dei bollettini e serve anche da rubrica, con "
                       "l'invio di messaggi di posta elettronica e il controllo del codice fiscale, della partita IVA, "
                       "del numero della carta di credito e dell'IBAN."),
        QStringLiteral("Ogni scheda anagrafica raccoglie nome, data e luogo di nascita, residenza, categoria, numeri di "
                       "telefono di casa, dell'ufficio e del cellulare, fax, indirizzo di posta elettronica, recapito "
                       "preferenziale, codice fiscale, partita IVA, numero e scadenza della carta di credito e IBAN."),
        QStringLiteral("La scheda contiene anche gli estremi di un documento di identit\u00e0, il numero di conto "
                       "corrente e la causale da riportare sul bollettino e il campo libero Note."),
        QStringLiteral("Per aggiungere una scheda si preme Nuovo, si compilano i campi e si preme Salva; per "
                       "modificarne una la si richiama con le frecce o con la ricerca, la si modifica e si preme "
                       "Salva."),
        QStringLiteral("Le questioni in sospeso si annotano nelle note; la casella Da ricontattare inserisce la scheda "
                       "nell'elenco delle persone da ricontattare, mostrato dal pulsante Da ricontattare."),
        QStringLiteral("Il pulsante Duplica serve a creare pi\u00f9 schede della stessa persona, per esempio per "
                       "versamenti con causali diverse."),
        QStringLiteral("Le schede si trovano con pi\u00f9 filtri contemporaneamente, per esempio tutte le persone da "
                       "ricontattare che hanno una certa parola nelle note."),
        QStringLiteral("Con Allega file si possono collegare a ogni scheda fino a tre file di qualsiasi tipo, ciascuno "
                       "con la propria descrizione, da aprire in ogni momento con il pulsante Apri."),
        QStringLiteral("I pulsanti di controllo verificano codice fiscale, numero della carta di credito, IBAN e "
                       "partita IVA (di una partita IVA valida viene indicato anche l'ufficio provinciale che l'ha "
                       "rilasciata); il pulsante della posta elettronica apre il programma di posta con l'indirizzo "
                       "gi\u00e0 compilato."),
        QStringLiteral("Ogni scheda pu\u00f2 essere stampata o salvata in formato PDF, e l'intero archivio anagrafico "
                       "pu\u00f2 essere esportato in un file di Microsoft Excel."),
        QStringLiteral("Il riepilogo dei versamenti \u00e8 un prospetto dei pagamenti di un qualsiasi periodo, filtrati "
                       "per esecutore e/o per numero di conto corrente dell'intestatario, importabili dall'archivio "
                       "anagrafico."),
        QStringLiteral("Per ottenerlo si fa clic sulla sua immagine nella schermata iniziale, si indicano esecutore, "
                       "conto corrente e le date di inizio e di fine del periodo e si preme Visualizza riepilogo."),
        QStringLiteral("Per ogni versamento il prospetto mostra numero di conto corrente, data di scadenza, importo, "
                       "intestatario, esecutore e causale."),
        QStringLiteral("Lasciando vuoti i campi di ricerca si ottengono tutti i versamenti del periodo; il prospetto "
                       "pu\u00f2 essere stampato."),
        QStringLiteral("Il programma pu\u00f2 funzionare in una rete locale per condividere gli archivi tra pi\u00f9 "
                       "postazioni di lavoro."),
        QStringLiteral("Entrambi gli archivi possono essere esportati in Microsoft Excel, per consegnare i dati a chi "
                       "non utilizza il programma."),
        QStringLiteral("L'accesso al software \u00e8 protetto da una password aggiornabile dall'utente che pu\u00f2 "
                       "essere cambiata tutte le volte che si desidera. Per il primo accesso al programma,"
                       " bisogna utilizzare la parola chiave \"") +
            passwordStore::kPrimoAccesso + QStringLiteral("\" (scritta senza le virgolette)."),
        QStringLiteral("Il programma funziona anche da una chiavetta USB: basta copiare la cartella del programma e "
                       "avviarlo da l\u00ec; la copia della cartella \u00e8 anche il modo pi\u00f9 rapido per fare una "
                       "copia di sicurezza di tutti gli archivi."),
        QStringLiteral("Versalio \u00e8 pensato per enti, associazioni e privati cittadini che vogliono compilare e "
                       "stampare i bollettini in pochi secondi e tenere traccia dei propri versamenti, quasi senza "
                       "tempo di apprendimento."),
    };
    return p.join(QStringLiteral("\r\n\r\n"));
}

} // namespace guidaProgramma
