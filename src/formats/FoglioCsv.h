#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A spreadsheet saved as comma-separated values, the way spreadsheet programs save it in Italy:
// ";" between cells (the Italian locale's choice, since "," is the decimal comma), or "," or a tab;
// cells in double quotes with doubled quotes and line breaks inside; CR LF or LF; UTF-8 with or
// without its mark, UTF-16 with its mark, otherwise Windows-1252.
namespace foglioCsv {

// Larger files are not spreadsheets of persons: a registry of 100 000 cards is a tenth of this.
constexpr qint64 kMassimo = 64 * 1024 * 1024;
// Nor are more rows than the largest registries hold cards; each row becomes a card in memory.
constexpr int kMassimoRighe = 100000;

struct Riga {
    int linea = 0; // the file's line where the row begins, 1-based
    QStringList celle;
};

struct Tabella {
    QString errore; // in Italian; when set, nothing else counts
    QString codifica; // "UTF-8", "UTF-16" or "Windows-1252"
    QChar separatore;
    QList<Riga> righe; // every row, the header included
};

// The text of the file: a UTF-8 or UTF-16 mark decides, then valid UTF-8 is UTF-8 and anything else
// is Windows-1252. `codifica` receives the name of the one used.
QString decodifica(const QByteArray& bytes, QString* codifica = nullptr);

// The rows of `testo` cut at `separatore`. A quote left open runs to the end; `aperta` then
// receives the line where it opened (0 otherwise). Stops after `limite` rows.
QList<Riga> righe(const QString& testo, QChar separatore, int* aperta = nullptr, qsizetype limite = -1);

// Reads a whole file's bytes. The separator is the candidate for which `punteggio` (called with
// the header's cells) is highest; on a tie the one that cuts the header into more cells.
// Refuses, with the reason in `errore`, an empty file, one that is not text, one that is too large
// and one of more than kMassimoRighe rows besides its header.
Tabella leggi(const QByteArray& bytes, int (*punteggio)(const QStringList& intestazione));

} // namespace foglioCsv
