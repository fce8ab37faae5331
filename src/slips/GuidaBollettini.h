#pragma once

#include <QString>
#include <QStringList>

// The help topic of the slip workspace.
namespace guidaBollettini {

inline QString titolo() { return QStringLiteral("Compilazione e stampa dei bollettini postali."); }

inline QString testo() {
    const QStringList paragrafi = {
        QStringLiteral("I bollettini postali sono salvati in archivi annuali, per cui bisogna, per prima cosa, indicare "
                       "un anno solare e premere il pulsante Apri. Il pulsante Nuovo prepara la schermata per un nuovo "
                       "bollettino, i cui dati possono essere scritti a mano oppure importati dall'archivio anagrafico; "
                       "il pulsante Salva inserisce la scheda in archivio, mentre il pulsante Duplica permette di "
                       "copiare un bollettino gi\u00e0 salvato in una nuova scheda."),
        QStringLiteral("I bollettini supportati sono quelli della serie TD 123 Mod. CH 8 Bis con conto corrente fino a "
                       "dodici cifre emessi da Poste Italiane. Possono essere stampati sui moduli in bianco disponibili "
                       "presso qualsiasi ufficio postale oppure su comuni fogli A4, che riproducono anche la grafica del "
                       "bollettino."),
        QStringLiteral("La compilazione dei bollettini \u00e8 facilitata dalla possibilit\u00e0 di importare i dati "
                       "dall'archivio anagrafico messo a disposizione dal programma, che \u00e8 studiato per "
                       "raccogliere i dati degli intestatari dei conti correnti e degli esecutori dei versamenti, "
                       "ciascuno con il proprio numero di conto corrente e la causale del versamento."),
        QStringLiteral("Quando l'esecutore ha provveduto ad effettuare il pagamento, bisogna richiamare la scheda del "
                       "bollettino, mettere il segno di spunta sulla casella Saldato e premere il pulsante Salva. Il "
                       "pulsante Da saldare mostra l'elenco di tutti i bollettini non ancora saldati, qualunque sia la "
                       "loro data di scadenza, mentre il pulsante Scaduti mostra soltanto quelli scaduti e non ancora "
                       "saldati."),
        QStringLiteral("Per cercare un bollettino in archivio bisogna servirsi del pulsante Trova. La ricerca pu\u00f2 "
                       "usare pi\u00f9 filtri contemporaneamente, ciascuno formato da una o pi\u00f9 parole consecutive "
                       "contenute nei campi di testo: per esempio si possono trovare tutti i bollettini con la stessa "
                       "data di scadenza, quelli dello stesso esecutore, quelli dello stesso intestatario o quelli con "
                       "la stessa causale."),
        QStringLiteral("In fase di stampa del bollettino postale sui modelli originali in bianco, il programma mette a "
                       "disposizione un semplice ambiente per l'impostazione dei margini di stampa, da modificare "
                       "soltanto se la stampante non allinea correttamente i dati nelle caselle del modulo. Il "
                       "bollettino in bianco va inserito nel cassetto utilizzato per i fogli A4, con le guide della "
                       "carta accostate al modulo."),
        QStringLiteral("Ciascun archivio annuale dei bollettini pu\u00f2 essere esportato in un file di Microsoft Excel."),
    };
    return paragrafi.join(QStringLiteral("\r\n\r\n"));
}

} // namespace guidaBollettini
