#include "TfrmStampaEmissione.h"

#include "ui/Clock.h"
#include "ui/MessageService.h"
#include "ui/PannelliElenco.h"
#include "ui/Picture.h"
#include "ui/ProgramFolder.h"
#include "ui/ReportOutput.h"
#include "ui/Shell.h"
#include "archive/MarginSettings.h"
#include "print/LayoutBollettino.h"
#include "print/StampaEmissione.h"
#include "print/Palette.h"

#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {

const QString kStile = palette::sheet(QStringLiteral("color: @ink;"));

} // namespace

TfrmStampaEmissione::TfrmStampaEmissione(const QList<TSchedaBollettino>& bollettini, qint64 primo, QWidget* parent)
    : QDialog(parent), m_bollettini(bollettini) {
    setObjectName(QStringLiteral("frmStampaEmissione"));
    setWindowTitle(QStringLiteral(" Stampa dei bollettini emessi"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(560, 250);

    auto* img = new Picture(QStringLiteral("imgStampa"), QStringLiteral(":/pictures/cmd_stampa.svg"), this);
    img->setGeometry(24, 24, 56, 56);
    const qint64 n = bollettini.size();
    auto* testo = new QLabel(
        n == 1 ? QStringLiteral("\u00c8 stato inserito in archivio un bollettino, la scheda n. %1.\n\n"
                                "Il bollettino pu\u00f2 essere stampato sul modulo in bianco, con i margini di stampa "
                                "impostati, oppure su un foglio A4 in un file PDF.")
                     .arg(primo)
               : QStringLiteral("Sono stati inseriti in archivio %1 bollettini, dalla scheda n. %2 alla scheda n. %3.\n\n"
                                "I bollettini possono essere stampati sui moduli in bianco, con i margini di stampa "
                                "impostati, oppure su fogli A4 raccolti in un unico file PDF, nell'ordine dell'elenco.")
                     .arg(n)
                     .arg(primo)
                     .arg(primo + n - 1),
        this);
    testo->setObjectName(QStringLiteral("lblMessaggio"));
    testo->setWordWrap(true);
    testo->setStyleSheet(kStile);
    QFont f = testo->font();
    f.setPointSizeF(f.pointSizeF() * 1.1);
    testo->setFont(f);
    testo->setGeometry(100, 20, 436, 110);

    lblEsito = new QLabel(this);
    lblEsito->setObjectName(QStringLiteral("lblEsito"));
    lblEsito->setStyleSheet(palette::sheet(QStringLiteral("color: @done; font-weight: bold;")));
    lblEsito->setGeometry(100, 134, 436, 40);
    lblEsito->setWordWrap(true);

    btnModulo = pannelliElenco::pulsante(this, "btnModulo", QStringLiteral("Stampa su Mod. in bianco"),
                                         QRect(24, 192, 200, 36));
    btnModulo->setIcon(QIcon(QStringLiteral(":/pictures/cmd_stampa_modulo.svg")));
    btnA4 = pannelliElenco::pulsante(this, "btnA4", QStringLiteral("Crea PDF su foglio A4"), QRect(232, 192, 180, 36));
    btnA4->setIcon(QIcon(QStringLiteral(":/pictures/cmd_pdf.svg")));
    btnChiudi = pannelliElenco::pulsante(this, "btnChiudi", QStringLiteral("Chiudi"), QRect(420, 192, 116, 36));
    btnChiudi->setIcon(QIcon(QStringLiteral(":/pictures/cmd_esci.svg")));
    connect(btnModulo, &QPushButton::clicked, this, &TfrmStampaEmissione::btnModuloClick);
    connect(btnA4, &QPushButton::clicked, this, &TfrmStampaEmissione::btnA4Click);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);
    btnModulo->setFocus();
}

void TfrmStampaEmissione::btnModuloClick() {
    // The margins stored for this printer by the blank-form print dialog.
    const marginiStampa::Texts t = marginiStampa::load(programFolder::path());
    const auto top = marginiStampa::parseMm(t.top), left = marginiStampa::parseMm(t.left);
    if (!top || !left) {
        msg::error(this, marginiStampa::notNumberMessage(!top ? t.top : t.left));
        return;
    }
    Report modulo = layoutBollettino::blankReport();
    modulo.setTopMargin(*top);
    modulo.setLeftMargin(*left);
    PreparedReport pagine;
    if (!reportOutput::prepara(this, [&] { pagine = emissione::stampa(modulo, m_bollettini, Clock::now()); })) return;
    if (ReportOutput::instance().print(this, pagine))
        lblEsito->setText(m_bollettini.size() == 1
                              ? QStringLiteral("Un bollettino inviato alla stampante.")
                              : QStringLiteral("%1 bollettini inviati alla stampante.").arg(m_bollettini.size()));
}

void TfrmStampaEmissione::btnA4Click() {
    const QString percorso = QDir(programFolder::path()).filePath(QStringLiteral("Bollettini.pdf"));
    bool fatto = false;
    if (!reportOutput::prepara(this, [&] { fatto = emissione::pdfA4(m_bollettini, percorso, Clock::now()); })) return;
    if (!fatto) {
        msg::error(this, QStringLiteral("Attenzione: non \u00e8 stato possibile creare il file PDF.\r\n\r\n"
                                        "Accertarsi che il file Bollettini.pdf non sia aperto in un altro programma e "
                                        "di possedere i privilegi di scrittura nella cartella di installazione del "
                                        "programma."));
        return;
    }
    lblEsito->setText(m_bollettini.size() == 1
                          ? QStringLiteral("Un bollettino salvato su foglio A4 nel file Bollettini.pdf.")
                          : QStringLiteral("%1 bollettini salvati su fogli A4 nel file Bollettini.pdf.")
                                .arg(m_bollettini.size()));
    if (msg::question(this, QStringLiteral("La stampa dei bollettini su foglio A4 \u00e8 stata salvata nel file "
                                           "Bollettini.pdf, nella cartella del programma.\r\n\r\nSi vuole aprire il "
                                           "file?")))
        TMisc::Open(QLatin1Char('"') + QDir::toNativeSeparators(percorso) + QLatin1Char('"'));
}
