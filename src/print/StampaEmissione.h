#pragma once

#include "Report.h"
#include "archive/SchedaBollettino.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The drawing of a batch of slips for a group of the registry (see queries/EmissioneBollettini.h for
// how the batch is built and appended).
namespace emissione {

// The slips as one report, one page each in their order, on the layout given (the blank form with its
// margins already set, or A4): printed through one printer dialog.
PreparedReport stampa(Report& layout, const QList<TSchedaBollettino>& bollettini, const QDateTime& adesso);
// The slips on A4 into one PDF at `percorso`, replacing only an earlier PDF; false with the reason.
bool pdfA4(const QList<TSchedaBollettino>& bollettini, const QString& percorso, const QDateTime& adesso,
           QString* errore = nullptr);
PdfProperties proprietaPdf();

} // namespace emissione
