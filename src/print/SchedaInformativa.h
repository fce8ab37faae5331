#pragma once

#include "Report.h"
#include "archive/SchedaAnagrafica.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <utility>

// The one-page printout of a registry card: a title, 24 rows of title and value, and a footer with
// the moment of printing. The values come from the card as the screen shows it.
namespace schedaInformativa {

// The layout `repScheda`: A4 portrait, 10 mm margins, objects named imgLogo, txtTitolo, linSepara01,
// titCampo01..24, txtCampo01..24, linSepara02, txtCalce.
Report layout();

// The 24 rows (title, value) built from the card's fields, keyed by record field name
// ("Esecutore", "GG", ...); each field is trimmed first, a missing one counts as empty.
QList<std::pair<QString, QString>> righe(const QHash<QString, QString>& campi);

// "Stampa eseguita in data dd/mm/yyyy alle ore hh:mm:ss".
QString calce(const QDateTime& momento);

// Sets the orientation, the title, the 24 rows from the card and the footer.
void riempi(Report& report, const TSchedaAnagrafica& scheda, const QString& testoCalce);

// The PDF's document properties.
PdfProperties proprietaPdf();

} // namespace schedaInformativa
