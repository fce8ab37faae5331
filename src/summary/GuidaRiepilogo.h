#pragma once

#include <QString>
#include <QStringList>

// The help topic of the payment summary.
namespace guidaRiepilogo {

inline QString titolo() { return QStringLiteral("Applicazione Riepilogo versamenti."); }

inline QString testo() {
    const QStringList paragrafi = {
        QStringLiteral("L'applicazione Riepilogo versamenti consente di ottenere un estratto conto dei pagamenti "
                       "effettuati in un qualsiasi intervallo di tempo utilizzando il nome dell'esecutore e/o il "
                       "numero di C/C Postale dell'intestatario come filtri di ricerca. Se non si ricorda il numero di "
                       "C/C Postale dell'intestatario, \u00e8 possibile importarlo dall'archivio anagrafico "
                       "utilizzando l'apposito pulsante."),
        QStringLiteral("Per ottenere il riepilogo dei versamenti eseguiti in un certo intervallo di tempo \u00e8 "
                       "sufficiente fare clic sulla relativa scritta nella schermata di avvio del programma, indicare "
                       "il nome dell'esecutore e il C/C Postale dell'intestatario unitamente alla data di inizio e a "
                       "quella di fine intervallo e premere il pulsante Visualizza riepilogo."),
        QStringLiteral("L'estratto conto che si ottiene visualizza un elenco di tutti i pagamenti effettuati nel "
                       "periodo specificato, riportando per ogni versamento il numero di C/C Postale, la data di "
                       "scadenza, l'importo versato, il nome dell'intestatario, quello dell'esecutore e la causale."),
        QStringLiteral("Per ottenere il riepilogo di tutti i versamenti effettuati, basta lasciare in bianco i campi "
                       "di ricerca. Il riepilogo dei versamenti visualizzato pu\u00f2 essere stampato su carta facendo "
                       "clic sull'apposito pulsante."),
    };
    return paragrafi.join(QStringLiteral("\r\n\r\n"));
}

} // namespace guidaRiepilogo
