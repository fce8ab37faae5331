#include "ReportPreviewDialog.h"

#include "ReportOutput.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

ReportPreviewDialog::ReportPreviewDialog(const PreparedReport& report, QWidget* parent)
    : QDialog(parent), m_report(report), m_printer(QPrinter::HighResolution) {
    setObjectName(QStringLiteral("frmAnteprima"));
    setWindowTitle(QStringLiteral(" Anteprima di stampa - %1").arg(report.name));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);

    m_printer.setFullPage(true);
    m_printer.setPageLayout(report.layout);
    m_preview = new QPrintPreviewWidget(&m_printer, this);
    m_preview->setObjectName(QStringLiteral("prvPagine"));
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        m_report.paint(*printer);
    });
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &ReportPreviewDialog::updatePageLabel);

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto button = [&](const char* name, const QString& text, QStyle::StandardPixmap icon, void (ReportPreviewDialog::*slot)(),
                      const QKeySequence& key = {}) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QLatin1String(name));
        b->setText(text);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        if (!key.isEmpty()) b->setShortcut(key);
        connect(b, &QToolButton::clicked, this, slot);
        bar->addWidget(b);
        return b;
    };
    button("btnStampa", QStringLiteral("Stampa"), QStyle::SP_DialogOkButton, &ReportPreviewDialog::btnStampaClick,
           QKeySequence::Print)
        ->setIcon(QFile::exists(QStringLiteral(":/pictures/cmd_stampa.svg"))
                      ? QIcon(QStringLiteral(":/pictures/cmd_stampa.svg"))
                      : QIcon::fromTheme(QStringLiteral("document-print"), style()->standardIcon(QStyle::SP_DialogOkButton)));
    bar->addSeparator();
    button("btnZoomPiu", QStringLiteral("Ingrandisci"), QStyle::SP_ArrowUp, &ReportPreviewDialog::btnZoomPiuClick,
           QKeySequence::ZoomIn);
    button("btnZoomMeno", QStringLiteral("Riduci"), QStyle::SP_ArrowDown, &ReportPreviewDialog::btnZoomMenoClick,
           QKeySequence::ZoomOut);
    button("btnPaginaIntera", QStringLiteral("Pagina intera"), QStyle::SP_FileDialogContentsView,
           &ReportPreviewDialog::btnPaginaInteraClick);
    button("btnLarghezza", QStringLiteral("Larghezza pagina"), QStyle::SP_FileDialogDetailedView,
           &ReportPreviewDialog::btnLarghezzaClick);
    bar->addSeparator();
    button("btnPrecedente", QString(), QStyle::SP_ArrowLeft, &ReportPreviewDialog::btnPrecedenteClick,
           QKeySequence(Qt::Key_PageUp))
        ->setToolTip(QStringLiteral("Pagina precedente"));
    m_lblPagina = new QLabel(bar);
    m_lblPagina->setObjectName(QStringLiteral("lblPagina"));
    bar->addWidget(m_lblPagina);
    button("btnSuccessiva", QString(), QStyle::SP_ArrowRight, &ReportPreviewDialog::btnSuccessivaClick,
           QKeySequence(Qt::Key_PageDown))
        ->setToolTip(QStringLiteral("Pagina successiva"));
    bar->addSeparator();
    m_btnSchermoIntero = button("btnSchermoIntero", QStringLiteral("Schermo intero"), QStyle::SP_TitleBarMaxButton,
                                &ReportPreviewDialog::btnSchermoInteroClick, QKeySequence(Qt::Key_F11));
    m_btnSchermoIntero->setCheckable(true);
    button("btnChiudi", QStringLiteral("Chiudi"), QStyle::SP_DialogCloseButton, &ReportPreviewDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_preview, 1);

    const QRect screen = (parent ? parent->screen() : QDialog::screen())->availableGeometry();
    resize(screen.width() * 4 / 5, screen.height() * 5 / 6);
    m_preview->fitInView();
    updatePageLabel();
}

void ReportPreviewDialog::updatePageLabel() {
    m_lblPagina->setText(
        QStringLiteral(" Pagina %1 di %2 ").arg(m_preview->currentPage()).arg(std::max(1, m_preview->pageCount())));
}

void ReportPreviewDialog::btnStampaClick() { ReportOutput::instance().print(this, m_report); }
void ReportPreviewDialog::btnZoomPiuClick() { m_preview->zoomIn(); }
void ReportPreviewDialog::btnZoomMenoClick() { m_preview->zoomOut(); }
void ReportPreviewDialog::btnPaginaInteraClick() { m_preview->fitInView(); }
void ReportPreviewDialog::btnLarghezzaClick() { m_preview->fitToWidth(); }

void ReportPreviewDialog::btnPrecedenteClick() {
    m_preview->setCurrentPage(m_preview->currentPage() - 1);
    updatePageLabel();
}

void ReportPreviewDialog::btnSuccessivaClick() {
    m_preview->setCurrentPage(m_preview->currentPage() + 1);
    updatePageLabel();
}

void ReportPreviewDialog::btnSchermoInteroClick() {
    if (isFullScreen()) showNormal();
    else showFullScreen();
    m_btnSchermoIntero->setChecked(isFullScreen());
}
