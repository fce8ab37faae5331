#pragma once

#include "Elenco.h"
#include "archive/RecordFileBase.h"

#include <QDate>
#include <QString>

struct TSchedaBollettino;

// The payment summary: the slips of one yearly archive due within an interval, optionally of one
// payer and/or one account, with their total.
namespace riepilogo {

struct Richiesta {
    QDate inizio, fine;  // both included
    QString esecutore;   // as typed; counts when not blank
    QString ccp;
};

enum class Esito { Escluso, Incluso, Illeggibile };

// A filter counts when its text, trimmed, is not empty; it matches when its text as typed occurs in
// the record's field, only A-Z compared without regard to case. A slip is taken when every counted
// filter matches and its due date lies in the interval. A slip the filters take whose due date or
// amount does not read cannot be judged: it is Illeggibile, and the summary says how many there were.
Esito valuta(const TSchedaBollettino& r, const Richiesta& q, qint64* importo = nullptr);

struct Risultato {
    Elenco elenco;       // the lines, sorted
    qint64 totale = 0;   // in ten-thousandths of a euro, summed exactly
    int scartati = 0;    // slips the filters took that could not be read
};

// Scans the archive once. Throws ArchiveError; what was gathered until then stays in `out`, sorted.
void calcola(const QString& archivio, const Richiesta& q, Risultato& out,
             RecordFileBase::Access accesso = RecordFileBase::Access::ReadWrite);

// The total as the summary shows it: "0,00" when no slip was taken, otherwise the shortest decimal
// form with a comma and at least two decimals (15,50; 300,00; 0,1234).
QString totale(const Risultato& r);
QString formattaTotale(qint64 totale);

// The check of an interval given as two "dd/mm/yyyy" texts: an empty text when both are real dates
// and the end is not before the start, otherwise the message to show. `passo` gets 4 (start),
// 5 (end) or 6 (order) for the failing check.
QString controllaIntervallo(const QString& inizio, const QString& fine, int* passo = nullptr);
// A real calendar date written exactly as "dd/mm/yyyy".
QDate leggiData(const QString& testo);

} // namespace riepilogo
