#include "FinestraElenco.h"

#include "Clock.h"
#include "ListaRecords.h"
#include "MessageService.h"
#include "PannelloRisultati.h"
#include "ReportOutput.h"
#include "archive/ArchiveError.h"
#include "archive/Text.h"
#include "print/RiepilogoSchede.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

FinestraElenco::FinestraElenco(QWidget* parent, const Aspetto& aspetto)
    : QDialog(parent), m_titoloStampa(aspetto.titoloStampa) {
    setWindowTitle(aspetto.caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   (aspetto.pulsantiFinestra ? Qt::WindowCloseButtonHint : Qt::WindowType(0)));
    setFixedSize(862, 560);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.svg")));

    panContainer = new PannelloRisultati(this, aspetto.conConteggio);
    txtTrova = panContainer->txtTrova;
    btnTrova = panContainer->btnTrova;
    lstRecords = panContainer->lstRecords;
    lblTrovate = panContainer->lblTrovate;
    btnStampa = panContainer->btnStampa;
    btnChiudi = panContainer->btnChiudi;

    connect(btnStampa, &QPushButton::clicked, this, &FinestraElenco::btnStampaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &FinestraElenco::btnChiudiClick);
    connect(lstRecords, &ListaRecords::richiestaCaricamento, this, &FinestraElenco::lstRecordsDblClick);
}

const Elenco& FinestraElenco::elenco() const { return panContainer->elenco(); }

void FinestraElenco::btnTrovaClick() { panContainer->btnTrovaClick(); }

void FinestraElenco::btnStampaClick() {
    Report r = riepilogoSchede::layout();
    riepilogoSchede::riempi(r, m_titoloStampa, elenco().righe());
    r.prepare(Clock::now());
    reportOutput::print(this, r);
}

void FinestraElenco::btnChiudiClick() { reject(); }

void FinestraElenco::lstRecordsDblClick() {
    // Whatever goes wrong (no line selected, an archive that cannot be read), the screen closes
    // without a word and what was already loaded stays loaded.
    if (const VoceElenco* v = panContainer->voceSelezionata()) {
        try {
            carica(*v);
        } catch (const std::exception&) {
        }
    }
    accept();
}

void FinestraElenco::mostraElenco(Elenco elenco) { panContainer->mostra(std::move(elenco)); }

void FinestraElenco::mostraRisultati() {
    panContainer->show();
    panContainer->dimenticaChiave();
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void FinestraElenco::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (m_aperta) return;
    m_aperta = true;
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(area.center());
        move(frame.topLeft());
    }
    alMostrare();
}

void FinestraElenco::done(int r) {
    panContainer->svuota();
    m_aperta = false;
    QDialog::done(r);
}

// ---- search screens ----

FinestraRicerca::FinestraRicerca(QWidget* parent, const Aspetto& aspetto, const QList<PannelloFiltri::Campo>& campi)
    : FinestraElenco(parent, aspetto) {
    panAvvio = new PannelloFiltri(this, campi);
    lblConta = panAvvio->lblConta;
    lblAttendere = panAvvio->lblAttendere;
    btnAnnulla = panAvvio->btnAnnulla;
    btnCerca = panAvvio->btnCerca;
    panContainer->hide();
    connect(btnAnnulla, &QPushButton::clicked, this, &FinestraElenco::btnChiudiClick);
    connect(btnCerca, &QPushButton::clicked, this, &FinestraRicerca::btnCercaClick);
}

void FinestraRicerca::alMostrare() {
    if (panAvvio->isVisible() && !panAvvio->filtri.isEmpty()) panAvvio->filtri.first()->setFocus(Qt::OtherFocusReason);
}

void FinestraRicerca::btnCercaClick() {
    panAvvio->mostraAttesa();
    const auto filtri = panAvvio->testi();
    int dati = 0;
    for (const auto& f : filtri)
        if (!text::trimmed(f.second).isEmpty()) ++dati;
    lblConta->setText(QString::number(dati));
    Elenco trovate;
    try {
        cerca(filtri, trovate);
    } catch (const ArchiveError&) {
        lblAttendere->hide();
        msg::plain(this, kTestoAccesso);
        return;
    }
    mostraElenco(std::move(trovate));
    panAvvio->hide();
    mostraRisultati();
}
