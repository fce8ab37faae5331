#pragma once

#include <QString>

// What a check dialog tells the user about the text in its field. The dialogs show it, and
// versalio-tool prints it, so both always agree.
struct Verdetto {
    enum Esito {
        Valido,     // information box, then the dialog closes
        Errato,     // warning box, then the dialog closes
        Incompleto, // wrong length or nothing typed: warning box, the dialog stays open
    };
    Esito esito;
    QString messaggio; // the box's text, verbatim
    // Valido: the issuing VAT office or the card network, when known. Incompleto: what is missing,
    // in a few words. Errato: empty.
    QString dettaglio;
};

// Each takes the text exactly as its field holds it.
Verdetto verdettoCodFisc(const QString& campo);
Verdetto verdettoPartitaIva(const QString& campo);
Verdetto verdettoCarta(const QString& campo);
Verdetto verdettoIban(const QString& campo);
