#pragma once

#include <QString>
#include <stdexcept>

// Any failure to reach an archive: open, create, seek, read, write or close. Screens catch it and
// show the access text; the tool prints its detail.
class ArchiveError : public std::runtime_error {
public:
    explicit ArchiveError(const QString& detail) : std::runtime_error(detail.toStdString()) {}
};

// What every screen shows when an archive cannot be reached.
inline const QString kTestoAccesso = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
