#pragma once

#include <QString>

// The messages of the password windows.
namespace messaggiAccesso {

inline const QString kPasswordErrata = QStringLiteral("Attenzione: password errata.");
inline const QString kErroreLettura =
    QStringLiteral("Attenzione: si \u00e8 verificato un errore durante la procedura di lettura della password. "
                   "Si consiglia di reinstallare il software.");
inline const QString kVecchiaErrata = QStringLiteral("Attenzione: vecchia password errata.");
inline const QString kNonConfermata =
    QStringLiteral("Attenzione: la nuova password non \u00e8 stata confermata correttamente. E' necessario "
                   "reinserire entrambi i valori.");
inline const QString kModificata = QStringLiteral("Modifica della password completata con successo.");
inline const QString kErroreModifica =
    QStringLiteral("Attenzione: si \u00e8 verificato un errore durante la procedura di modifica della password. "
                   "Si consiglia di reinstallare il software.");

// Without a stored password nothing typed could ever match: say so instead of "password errata".
inline const QString kArchivioAssente = QStringLiteral(
    "Attenzione: il file della password \"unins000.dll\" manca dalla cartella del programma oppure \u00e8 "
    "danneggiato, perci\u00f2 nessuna password pu\u00f2 essere accettata.\n\r\n\r"
    "Per ripristinarlo copiare nella cartella del programma il file unins000.dll da una copia di sicurezza "
    "della cartella oppure da una nuova installazione del software; in questo secondo caso la password torna "
    "a essere quella del primo accesso indicata nella guida.");

// The cipher holds 255 characters of codes 0 to 255: anything else would not match at the next login.
inline const QString kTroppoLunga =
    QStringLiteral("Attenzione: la nuova password pu\u00f2 contenere al massimo 255 caratteri. E' necessario "
                   "reinserire entrambi i valori.");
inline QString carattereNonAmmesso(const QString& c) {
    return QStringLiteral("Attenzione: la nuova password contiene il carattere \"%1\", che non pu\u00f2 essere "
                          "memorizzato. Sono ammessi lettere, cifre, lettere accentate e i segni di "
                          "punteggiatura comuni. E' necessario reinserire entrambi i valori.")
        .arg(c);
}

// A program folder that takes no new file, told on the password window before a first save fails.
inline QString cartellaNonScrivibile(const QString& cartella, const QString& motivo) {
    return QStringLiteral("Attenzione: in questa cartella gli archivi non potranno essere salvati, perch\u00e9 %1.\n"
                          "Cartella: %2\n"
                          "Copiare la cartella del programma in un disco o in una cartella in cui si pu\u00f2 "
                          "scrivere (ad esempio la cartella personale) e avviare il programma da l\u00ec.")
        .arg(motivo, cartella);
}

} // namespace messaggiAccesso
