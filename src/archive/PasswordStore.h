#pragma once

#include <QString>

// The access password, kept enciphered in "unins000.dll" in the program folder: despite its name
// an INI text file, section "Accesso", key "Valore". The plain password is stored in capitals
// (a-z only) and trimmed.
namespace passwordStore {

inline const QString kFileName = QStringLiteral("unins000.dll");
inline const QString kSection = QStringLiteral("Accesso");
inline const QString kKey = QStringLiteral("Valore");

// The word the help gives for the first access; the delivered store holds it in capitals.
inline const QString kPrimoAccesso = QStringLiteral("chiavediaccess");

// `folder` ends with a separator, as the program folder does.
inline QString path(const QString& folder) { return folder + kFileName; }

struct Lettura {
    enum Esito {
        Letta,      // `password` holds the stored password
        Assente,    // no file, no key or an empty value: no password could ever match
        Illeggibile // the file cannot be read, or its value is not hexadecimal text
    };
    Esito esito;
    QString password;
};
Lettura leggi(const QString& folder);

// What the login and the change form compare and store: a-z in capitals, trimmed.
QString normalizza(const QString& typed);

enum class Rifiuto {
    Nessuno,
    Vuota,
    TroppoLunga,       // over 255 characters: the cipher's counters are eight bits wide
    CarattereNonAmmesso // a code above 255 would lose its high bits
};
// Whether `password` (already normalised) survives the cipher and can be stored.
Rifiuto verifica(const QString& password);

// Stores `password` (already normalised and accepted by verifica). The file is replaced whole
// only once the new one is complete: a failure leaves the old password in force and says why.
bool scrivi(const QString& folder, const QString& password, QString* error = nullptr);

} // namespace passwordStore
