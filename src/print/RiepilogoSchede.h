#pragma once

#include "Report.h"

#include <QString>
#include <QStringList>

// The printout of a result list, "Riepilogo schede": A4 landscape, a slate-grey title band on the
// first page, the list's lines in a fixed-width font in one data band that continues over as many
// pages as it needs, and a footer band with the date and time of printing after the last line.
namespace riepilogoSchede {

// Height of one printed line, in report units (3.39 mm).
inline constexpr double kAltezzaRiga = 12.822;

// The layout: bands ReportTitle (txtTitolo), MasterData (txtRiepilogo) and Footer (txtPagina).
Report layout();

// Puts the title and the lines (then the extra lines) into the layout and sizes the data band to
// them. An empty list leaves the title and the footer with nothing between them.
void riempi(Report& report, const QString& titolo, const QStringList& righe, const QStringList& extra = {});

} // namespace riepilogoSchede
