#pragma once

#include "archive/ArchiveError.h"
#include "archive/RecordFileBase.h"
#include "archive/SchedaAnagrafica.h"

#include <QByteArray>
#include <QList>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

// The import of registry cards from a spreadsheet saved as CSV: the header row names the columns,
// each row becomes a card made as the registry workspace would make it from the same typing, or is
// refused with its reason. Appending is one operation, all or nothing. Nothing here needs a window
// system, so the screen and versalio-tool import alike.
namespace importazioneSchede {

// One column of the file and what the import does with it.
struct Colonna {
    QString titolo;  // as the header says it
    QString campo;   // the record field it fills ("Esecutore", "CodFisc", ...), or one of the
                     // combined columns ("DataNascita", "ComuneProvNasc", "ComuneProvRes", "Cognome", "Nome");
                     // empty when ignored
    QString ignorata; // why it is ignored, in Italian; empty for a column that is read
};

struct Riga {
    int linea = 0;   // where the row begins in the file, 1-based (the header is line 1)
    QString nome;    // the name as the row gives it, for the lists
    TSchedaAnagrafica scheda{}; // the card it makes (meaningful when not refused)
    QString rifiuto; // why it is not imported, in Italian; empty when it is
    QStringList avvisi; // imported all the same, but worth a look
    qint64 posizione = 0; // the card's number once appended

    bool accettata() const { return rifiuto.isEmpty(); }
};

struct Piano {
    QString errore; // the file cannot be imported at all, in Italian
    QString codifica;
    QChar separatore;
    QList<Colonna> colonne;
    QList<Riga> righe; // the rows that hold something; blank rows are only counted
    int vuote = 0;

    int accettate() const;
    int rifiutate() const;
    int conAvvisi() const;
};

// What makes two cards the same person: the name and the tax code, compared as the program's
// lists compare (only A-Z fold case).
QString chiave(const TSchedaAnagrafica& r);
// The keys of the cards in a registry, each with the number of its first card; a missing registry
// has none (and is not created). Opened ReadWrite, the registry is first put back as it was before an
// import that a crash cut short; ReadOnly, the cards of that import are left out.
using Chiavi = QHash<QString, qint64>;
Chiavi chiavi(const QString& registro, RecordFileBase::Access accesso = RecordFileBase::Access::ReadWrite);

// Warnings about a card that is imported all the same (identity numbers that fail their checks).
using Avvisi = std::function<QStringList(const TSchedaAnagrafica&)>;

// The plan for the bytes of a file: columns, and for every row its card or its refusal. `esistenti`
// holds the keys of the cards already in the registry.
Piano prepara(const QByteArray& file, const Chiavi& esistenti, const Avvisi& avvisi = {});

// Reads the file at `path` (refusing one too large before reading it) and prepares its plan.
Piano preparaFile(const QString& path, const Chiavi& esistenti, const Avvisi& avvisi = {});

// Appends the accepted rows of `piano` to the registry under one exclusive lock, checking them
// once more against the registry as it is then (another program may have saved meanwhile: a row
// that has become a duplicate is refused now). Either every remaining row is appended, or none is
// and the file is left exactly as it was. Opens (and so creates) the registry only when there is a
// card to add. Sets each appended row's `posizione`; returns how many were appended. Throws
// ArchiveError.
int importa(const QString& registro, Piano& piano);

// The names of the fields as the registry workspace labels them, for messages.
QString etichetta(const QString& campo);

} // namespace importazioneSchede
