#include "StampaEmissione.h"

#include "LayoutBollettino.h"

namespace emissione {

PreparedReport stampa(Report& layout, const QList<TSchedaBollettino>& bollettini, const QDateTime& adesso) {
    PreparedReport out;
    for (const TSchedaBollettino& b : bollettini) {
        layoutBollettino::fill(layout, b);
        layout.prepare(adesso);
        if (out.pages.isEmpty()) {
            out.name = layout.prepared().name;
            out.layout = layout.prepared().layout;
        }
        out.pages.append(layout.prepared().pages);
    }
    return out;
}

PdfProperties proprietaPdf() {
    return {QStringLiteral("Bollettino Postale"), QStringLiteral("Bollettini postali Mod. CH8 Bis"),
            QStringLiteral("Versalio"), QStringLiteral("Versalio")};
}

bool pdfA4(const QList<TSchedaBollettino>& bollettini, const QString& percorso, const QDateTime& adesso,
           QString* errore) {
    Report report = layoutBollettino::graphReport();
    PdfExport pdf(percorso, proprietaPdf(), PdfExport::Replace::OnlyPdf);
    for (const TSchedaBollettino& b : bollettini) {
        layoutBollettino::fill(report, b);
        report.prepare(adesso);
        if (!pdf.add(report.prepared())) {
            if (errore) *errore = pdf.errorString();
            return false;
        }
    }
    if (pdf.finish()) return true;
    if (errore) *errore = pdf.errorString();
    return false;
}

} // namespace emissione
