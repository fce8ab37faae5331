#include "ReportOutput.h"

#include "ReportPreviewDialog.h"
#include "MessageService.h"

#include <QPrintDialog>
#include <QPrinter>

namespace {

class QtReportOutput : public ReportOutput {
public:
    bool print(QWidget* parent, const PreparedReport& report) override {
        return reportOutput::printWithDialog(parent, report);
    }
    void preview(QWidget* parent, const PreparedReport& report) override {
        ReportPreviewDialog dialog(report, parent);
        dialog.exec();
    }
};

QtReportOutput g_qt;
ReportOutput* g_current = nullptr;

} // namespace

ReportOutput& ReportOutput::instance() { return g_current ? *g_current : g_qt; }
void ReportOutput::install(ReportOutput* output) { g_current = output; }

namespace reportOutput {

bool prepara(QWidget* parent, const std::function<void()>& riempi) {
    try {
        riempi();
        return true;
    } catch (const ReportError&) {
        msg::error(parent, QStringLiteral("Attenzione: non \u00e8 stato possibile preparare la stampa."));
        return false;
    }
}

bool printWithDialog(QWidget* parent, const PreparedReport& report) {
    QPrinter printer(QPrinter::HighResolution);
    // The page is printed whole and the layout places everything itself, margins included (they
    // may be negative); the printer's own margins must not move it again.
    printer.setFullPage(true);
    printer.setPageLayout(report.layout);
    printer.setDocName(report.name);
    printer.setFromTo(1, int(report.pages.size()));

    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral(" Stampa"));
    dialog.setMinMax(1, int(report.pages.size()));
    if (dialog.exec() != QDialog::Accepted) return false;

    int first = 0, last = -1;
    if (printer.printRange() == QPrinter::PageRange) {
        first = printer.fromPage() - 1;
        last = printer.toPage() - 1;
    }
    if (!report.paint(printer, nullptr, first, last)) {
        msg::error(parent, QStringLiteral("Attenzione: non è stato possibile avviare la stampa.\n\r\n\r"
                                          "Verificare che la stampante selezionata sia disponibile."));
        return false;
    }
    return true;
}

} // namespace reportOutput
