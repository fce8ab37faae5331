#include "TfrmRiepCosti.h"

#include "GuidaRiepilogo.h"
#include "archive/ArchiveError.h"
#include "queries/Riepilogo.h"
#include "archive/Text.h"
#include "print/RiepilogoSchede.h"
#include "ui/Clock.h"
#include "ui/ListaRecords.h"
#include "ui/MessageService.h"
#include "ui/PannelloRisultati.h"
#include "ui/Picture.h"
#include "ui/ReportOutput.h"
#include "ui/TfrmGuida.h"
#include "print/Palette.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kTitoloStampa = QStringLiteral("Riepilogo versamenti");

QLabel* etichetta(QWidget* parent, const char* nome, const QString& testo, qreal punti = 0) {
    auto* l = new QLabel(testo, parent);
    l->setObjectName(QLatin1String(nome));
    QFont f = l->font();
    f.setBold(true);
    if (punti > 0) f.setPointSizeF(punti);
    l->setFont(f);
    l->setStyleSheet(palette::sheet(QStringLiteral("color: @ink;")));
    return l;
}

QString testoScartati(int n) {
    if (n == 1)
        return QStringLiteral("Attenzione: 1 bollettino non leggibile (data di scadenza o importo) non \u00e8 compreso "
                              "nel riepilogo n\u00e9 nel totale.");
    return QStringLiteral("Attenzione: %1 bollettini non leggibili (data di scadenza o importo) non sono compresi nel "
                          "riepilogo n\u00e9 nel totale.")
        .arg(n);
}

} // namespace

TfrmRiepCosti::TfrmRiepCosti(const RichiestaRiepilogo& richiesta, QString* chiaveTrova, QWidget* parent)
    : QDialog(parent), m_richiesta(richiesta) {
    setObjectName(QStringLiteral("frmRiepCosti"));
    setWindowTitle(QStringLiteral(" Versalio - Riepilogo versamenti"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.svg")));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setMinimumSize(920, 600);
    resize(1100, 680);
    setWindowState(Qt::WindowMaximized);
    caricaImmagini();

    panContainer = new PannelloRisultati(this, false);
    if (chiaveTrova) panContainer->conservaChiaveIn(chiaveTrova);
    txtTrova = panContainer->txtTrova;
    btnTrova = panContainer->btnTrova;
    lstRecords = panContainer->lstRecords;
    btnStampa = panContainer->btnStampa;
    btnEsci = panContainer->btnChiudi;
    // Nothing is loaded from this list.
    panContainer->lblDoppioClic->hide();
    btnStampa->setText(QStringLiteral("Stampa riepilogo"));
    btnStampa->setAccessibleName(btnStampa->text());
    btnEsci->setObjectName(QStringLiteral("btnEsci"));
    btnEsci->setText(QStringLiteral("Esci"));
    btnEsci->setAccessibleName(btnEsci->text());

    imgGuida = new Picture(QStringLiteral("imgGuida"), QStringLiteral(":/pictures/icon_guida.svg"), panContainer, true);
    imgGuida->setToolTip(QStringLiteral("Guida"));

    m_etichettaEsecutore = etichetta(panContainer, "lblEsecutore", QStringLiteral("Esecutore selezionato:"), 11);
    const QString esecutore = text::trimmed(richiesta.esecutore);
    titTipologia = etichetta(panContainer, "titTipologia", esecutore.isEmpty() ? QStringLiteral("- - -") : esecutore, 13);
    titTipologia->setStyleSheet(palette::sheet(QStringLiteral("color: @alert;")));
    titTipologia->setTextFormat(Qt::PlainText);
    m_etichettaEsecutore->setBuddy(titTipologia);

    m_etichettaIntervallo =
        etichetta(panContainer, "lblEtichettaIntervallo", QStringLiteral("Intervallo selezionato:"), 11);
    lblIntervallo = etichetta(panContainer, "lblIntervallo", QStringLiteral("Dal gg/mm/aaaa al gg/mm/aaaa"), 11);
    lblIntervallo->setStyleSheet(palette::sheet(QStringLiteral("color: @plain;")));
    m_etichettaTotale = etichetta(panContainer, "lblEtichettaTotale", QStringLiteral("Totale importi versati:"), 11);
    m_etichettaTotale->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblTotCosti = etichetta(panContainer, "lblTotCosti", QStringLiteral("0,00"), 13);
    lblTotCosti->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblTotCosti->setStyleSheet(palette::sheet(QStringLiteral("QLabel { background: white; border: 1px solid @frameLine; border-radius: "
                                              "4px; padding-right: 10px; color: @ink; }")));
    lblTotCosti->setAccessibleName(QStringLiteral("Totale importi versati"));
    lblScartati = etichetta(panContainer, "lblScartati", QString());
    lblScartati->setStyleSheet(palette::sheet(QStringLiteral("color: @alert;")));
    lblScartati->hide();

    setTabOrder(btnEsci, imgGuida);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmRiepCosti::btnStampaClick);
    connect(btnEsci, &QPushButton::clicked, this, &QDialog::reject);
    connect(imgGuida, &Picture::clicked, this, &TfrmRiepCosti::imgGuidaClick);
    disponi();
}

void TfrmRiepCosti::disponi() {
    const int w = width(), h = height();
    panContainer->setGeometry(0, 0, w, h);
    imgGuida->setGeometry(w - 64, 14, 44, 44);
    // The band ends a little under the find box; the body follows.
    const int corpo = txtTrova->geometry().bottom() + 12;
    m_etichettaEsecutore->setGeometry(20, corpo + 12, 200, 28);
    titTipologia->setGeometry(222, corpo + 12, w - 242, 28);
    const int lista = corpo + 48;
    lstRecords->setGeometry(20, lista, w - 40, h - lista - 118);
    const int riga = h - 106;
    m_etichettaIntervallo->setGeometry(20, riga, 210, 30);
    lblIntervallo->setGeometry(232, riga, 440, 30);
    m_etichettaTotale->setGeometry(w - 460, riga, 220, 30);
    lblTotCosti->setGeometry(w - 230, riga, 210, 30);
    lblScartati->setGeometry(20, h - 74, w - 40, 22);
    btnStampa->setGeometry(w - 352, h - 48, 190, 36);
    btnEsci->setGeometry(w - 150, h - 48, 130, 36);
}

void TfrmRiepCosti::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    disponi();
}

const Elenco& TfrmRiepCosti::elenco() const { return panContainer->elenco(); }

bool TfrmRiepCosti::calcola() {
    if (m_calcolato) return m_letto;
    m_calcolato = true;
    const riepilogo::Richiesta q{riepilogo::leggiData(m_richiesta.dataInizio), riepilogo::leggiData(m_richiesta.dataFine),
                                 m_richiesta.esecutore, m_richiesta.ccp};
    riepilogo::Risultato r;
    // The summary only reads: an archive that exists is opened for reading, so one on a read-only
    // copy still gives its summary; only a year without an archive gets an empty one.
    const bool esiste = QFileInfo::exists(m_richiesta.file);
    try {
        riepilogo::calcola(m_richiesta.file, q, r,
                           esiste ? RecordFileBase::Access::ReadOnly : RecordFileBase::Access::ReadWrite);
    } catch (const ArchiveError&) {
        if (esiste || QFileInfo::exists(m_richiesta.file)) {
            // Neither part of the lines nor a total that leaves slips out: the user is told instead.
            panContainer->svuota();
            msg::plain(parentWidget() ? parentWidget() : this, kArchivioNonAccessibile);
            return false;
        }
        // No archive for the year and none can be made here: there is nothing to list.
        r = riepilogo::Risultato();
    }
    const QString totale = riepilogo::totale(r);
    m_scartati = r.scartati;
    panContainer->mostra(std::move(r.elenco));
    lblIntervallo->setText(QStringLiteral("Dal   ") + m_richiesta.dataInizio + QStringLiteral("   al   ") +
                           m_richiesta.dataFine);
    lblTotCosti->setText(totale);
    lblScartati->setText(testoScartati(m_scartati));
    lblScartati->setVisible(m_scartati > 0);
    m_letto = true;
    return true;
}

void TfrmRiepCosti::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!calcola()) {
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmRiepCosti::done(int r) {
    panContainer->svuota();
    QDialog::done(r);
}

void TfrmRiepCosti::btnTrovaClick() { panContainer->btnTrovaClick(); }

void TfrmRiepCosti::btnStampaClick() {
    if (elenco().isEmpty()) {
        msg::warning(this, QStringLiteral("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce."));
        return;
    }
    if (!msg::question(this, QStringLiteral("Si vuole stampare il presente riepilogo?"))) return;
    QStringList extra = {QStringLiteral("- - - - - - - - - - - - - - - -"),
                         QStringLiteral("INTERVALLO SELEZIONATO:  ") + text::trimmed(lblIntervallo->text()),
                         QStringLiteral("TOTALE IMPORTI VERSATI:  \u20ac ") + text::trimmed(lblTotCosti->text())};
    if (m_scartati > 0)
        extra << QStringLiteral("BOLLETTINI NON LEGGIBILI, ESCLUSI DAL RIEPILOGO:  %1").arg(m_scartati);
    Report r = riepilogoSchede::layout();
    if (!reportOutput::prepara(this, [&] {
            riepilogoSchede::riempi(r, kTitoloStampa, elenco().righe(), extra);
            r.prepare(Clock::now());
        }))
        return;
    reportOutput::print(this, r);
}

void TfrmRiepCosti::imgGuidaClick() { mostraGuida(this, guidaRiepilogo::titolo(), guidaRiepilogo::testo()); }
