#pragma once

#include "print/Report.h"

#include <QDialog>
#include <QPrinter>

class QLabel;
class QPrintPreviewWidget;
class QToolButton;

// The print preview: the prepared pages with print, zoom, page, full-screen and close commands.
class ReportPreviewDialog : public QDialog {
    Q_OBJECT
public:
    ReportPreviewDialog(const PreparedReport& report, QWidget* parent = nullptr);

    QPrintPreviewWidget* previewWidget() const { return m_preview; }

    void btnStampaClick();
    void btnZoomPiuClick();
    void btnZoomMenoClick();
    void btnPaginaInteraClick();
    void btnLarghezzaClick();
    void btnPrecedenteClick();
    void btnSuccessivaClick();
    void btnSchermoInteroClick();

private:
    void updatePageLabel();

    PreparedReport m_report;
    QPrinter m_printer;
    QPrintPreviewWidget* m_preview = nullptr;
    QLabel* m_lblPagina = nullptr;
    QToolButton* m_btnSchermoIntero = nullptr;
};
