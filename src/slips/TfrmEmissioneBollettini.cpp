#include "TfrmEmissioneBollettini.h"

#include "GuidaEmissione.h"
#include "ImmaginiStampaBollettino.h"
#include "TfrmCalendario.h"
#include "TfrmStampaEmissione.h"
#include "registry/DestinoScheda.h"
#include "registry/TfrmTrovaEsecutori.h"
#include "ui/AvvisiArchivio.h"
#include "ui/Comandi.h"
#include "ui/EntryForm.h"
#include "ui/ListaRecords.h"
#include "ui/MessageService.h"
#include "ui/PannelliElenco.h"
#include "ui/ProgramFolder.h"
#include "ui/TfrmGuida.h"
#include "ui/Workspace.h"
#include "archive/Amounts.h"
#include "archive/ArchiveError.h"
#include "archive/Archivi.h"
#include "queries/Elenco.h"
#include "archive/GiornaleLotto.h"
#include "print/Palette.h"

#include <QEvent>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace {

constexpr QSize kDimensione(1200, 690);
constexpr int kSinistra = 16, kDestra = 612, kColonna = 572;
const QString kStile = palette::sheet(QStringLiteral("color: @ink;"));

// The picker writes the chosen card's account, holder, address and reason into these fields.
class DestinoEmissione : public DestinoScheda {
public:
    explicit DestinoEmissione(QHash<QString, QLineEdit*> campi) : m_campi(std::move(campi)) {}
    void impostaCampo(const QString& campo, const QString& valore) override {
        if (QLineEdit* e = m_campi.value(campo)) e->setText(valore);
    }
    void caricaScheda(const TSchedaAnagrafica&, qint64) override {}

private:
    QHash<QString, QLineEdit*> m_campi;
};



} // namespace

TfrmEmissioneBollettini::TfrmEmissioneBollettini(const QString& archivio, QWidget* parent)
    : QDialog(parent), m_archivio(archivio) {
    setObjectName(QStringLiteral("frmEmissioneBollettini"));
    setWindowTitle(QStringLiteral(" Emissione bollettini per un gruppo di esecutori"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(kDimensione);
    m_form = new EntryForm(this, nullptr);

    pannelliElenco::icona(this, QStringLiteral("imgEmissione"), QStringLiteral(":/pictures/cmd_emissione.svg"));
    const QList<QLabel*> righe = pannelliElenco::istruzioni(
        this,
        {QStringLiteral("Emissione dei bollettini per un gruppo di esecutori dell'archivio anagrafico."),
         QStringLiteral("Immettere nei filtri una o pi\u00f9 parole consecutive presenti nelle schede e premere Cerca; "
                        "togliere il segno di spunta agli esecutori da escludere."),
         QStringLiteral("Indicare il beneficiario, l'importo, la data di scadenza e la causale, controllare "
                        "l'anteprima e premere Emetti bollettini.")});
    for (QLabel* l : righe) l->setFixedWidth(1090);
    m_fascia = std::max(84, righe.last()->geometry().bottom() + 12);

    costruisciFiltri();
    costruisciBollettino();
    costruisciAnteprima();

    const int y = kDimensione.height() - 48;
    btnGuida = pannelliElenco::pulsante(this, "btnGuida", QStringLiteral("Guida"), QRect(kDestra, y, 110, 34));
    btnGuida->setIcon(QIcon(QStringLiteral(":/pictures/cmd_guida.svg")));
    btnAnnulla = pannelliElenco::pulsante(this, "btnAnnulla", QStringLiteral("Chiudi"), QRect(892, y, 120, 34));
    btnAnnulla->setIcon(QIcon(QStringLiteral(":/pictures/cmd_esci.svg")));
    btnEmetti =
        pannelliElenco::pulsante(this, "btnEmetti", QStringLiteral("Emetti bollettini"), QRect(1024, y, 160, 34));
    btnEmetti->setIcon(QIcon(QStringLiteral(":/pictures/cmd_emissione.svg")));
    // Enter on a focused button presses it; the fields' Enter only moves the focus, so no button is
    // the dialog's default.
    for (QPushButton* b : {btnCerca, btnTutte, btnNessuna, btnGuida, btnAnnulla, btnEmetti}) b->setAutoDefault(true);
    connect(btnGuida, &QPushButton::clicked, this, &TfrmEmissioneBollettini::btnGuidaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnEmetti, &QPushButton::clicked, this, &TfrmEmissioneBollettini::btnEmettiClick);

    // Tab goes through the filters, the list, then the slip's fields in the order Enter takes.
    QList<QWidget*> tabs;
    for (QLineEdit* f : filtri) tabs << f;
    tabs << btnCerca << lstEsecutori << btnTutte << btnNessuna << txtCCP << txtImporto << txtCents << impIntestatario << txtIntestatario
         << txtIndirizzoInt << txtCausale01 << txtCausale02 << txtDataScade << btnEmetti << btnAnnulla << btnGuida;
    for (int i = 0; i + 1 < tabs.size(); ++i) setTabOrder(tabs[i], tabs[i + 1]);

    aggiornaConteggio();
    aggiornaAnteprima();
    EntryForm::focusField(filtri.first());
}

void TfrmEmissioneBollettini::costruisciFiltri() {
    panelFields::label(this, QStringLiteral("ESECUTORI DALL'ARCHIVIO ANAGRAFICO"), QRect(kSinistra, m_fascia + 8, kColonna, 22))
        ->setObjectName(QStringLiteral("lblEsecutori"));
    const QList<std::pair<QString, QString>> campi = {
        {QStringLiteral("Esecutore"), QStringLiteral("Cognome e nome:")},
        {QStringLiteral("Categoria"), QStringLiteral("Categoria di appartenenza:")},
        {QStringLiteral("PartitaIva"), QStringLiteral("Partita IVA:")},
        {QStringLiteral("CodFisc"), QStringLiteral("Codice fiscale:")},
        {QStringLiteral("ComuneNasc"), QStringLiteral("Comune / Stato estero di nascita")},
        {QStringLiteral("ComuneRes"), QStringLiteral("Comune di residenza:")},
        {QStringLiteral("NumDoc"), QStringLiteral("Numero documento:")},
        {QStringLiteral("CCP"), QStringLiteral("C/C Postale n.")},
        {QStringLiteral("Causale01"), QStringLiteral("Causale (rigo 1):")},
        {QStringLiteral("Note"), QStringLiteral("Note:")}};
    // Two columns of five, each label above its field, as in the registry search.
    const int top = m_fascia + 36, passo = 48, larghezza = (kColonna - 16) / 2;
    for (int i = 0; i < campi.size(); ++i) {
        const int x = kSinistra + (i < 5 ? 0 : larghezza + 16), y = top + (i % 5) * passo;
        QLabel* l = panelFields::label(this, campi[i].second, QRect(x, y, larghezza, 18));
        l->setObjectName(QStringLiteral("lblFiltro") + campi[i].first);
        QLineEdit* e = panelFields::field(this, QStringLiteral("txtFiltro") + campi[i].first, 32767, QRect(x, y + 19, larghezza, 26),
                             campi[i].second);
        l->setBuddy(e);
        filtri.append(e);
        m_form->addFrame(e);
    }
    const int sotto = top + 5 * passo + 6;
    btnCerca = pannelliElenco::pulsante(this, "btnCerca", QStringLiteral("Cerca"),
                                        QRect(kSinistra + kColonna - 120, sotto, 120, 32));
    btnCerca->setIcon(QIcon(QStringLiteral(":/pictures/cmd_trova.svg")));
    connect(btnCerca, &QPushButton::clicked, this, &TfrmEmissioneBollettini::btnCercaClick);
    for (int i = 0; i < filtri.size(); ++i) m_form->addEnter(filtri[i], i + 1 < filtri.size() ? static_cast<QWidget*>(filtri[i + 1]) : btnCerca);

    lblSelezionate = panelFields::label(this, QString(), QRect(kSinistra, sotto, kColonna - 130, 32));
    lblSelezionate->setObjectName(QStringLiteral("lblSelezionate"));

    lstEsecutori = new ListaRecords(this);
    lstEsecutori->setObjectName(QStringLiteral("lstEsecutori"));
    lstEsecutori->setAccessibleName(QStringLiteral("Esecutori a cui emettere i bollettini"));
    lstEsecutori->modello()->conSpunte(true);
    const int lista = sotto + 40;
    lstEsecutori->setGeometry(kSinistra, lista, kColonna, kDimensione.height() - 56 - lista);
    connect(lstEsecutori->modello(), &ModelloElenco::spunteCambiate, this, [this] {
        aggiornaConteggio();
        aggiornaAnteprima();
    });
    connect(lstEsecutori->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { aggiornaAnteprima(); });
    // Enter or a double click on a card ticks or unticks it.
    connect(lstEsecutori, &ListaRecords::richiestaCaricamento, this, [this] {
        const int r = lstEsecutori->rigaSelezionata();
        if (r >= 0) lstEsecutori->modello()->spunta(r, !lstEsecutori->modello()->spuntata(r));
    });

    const int y = kDimensione.height() - 48;
    btnTutte = pannelliElenco::pulsante(this, "btnTutte", QStringLiteral("Seleziona tutti"), QRect(kSinistra, y, 150, 34));
    btnNessuna =
        pannelliElenco::pulsante(this, "btnNessuna", QStringLiteral("Deseleziona tutti"), QRect(kSinistra + 160, y, 150, 34));
    connect(btnTutte, &QPushButton::clicked, this, [this] { lstEsecutori->modello()->spuntaTutte(true); });
    connect(btnNessuna, &QPushButton::clicked, this, [this] { lstEsecutori->modello()->spuntaTutte(false); });
}

void TfrmEmissioneBollettini::costruisciBollettino() {
    panelFields::label(this, QStringLiteral("BOLLETTINO DA EMETTERE"), QRect(kDestra, m_fascia + 8, kColonna, 22))
        ->setObjectName(QStringLiteral("lblBollettino"));
    const int h = 28, x = kDestra + 130, largo = kColonna - 130;
    int y = m_fascia + 36;
    txtCCP = panelFields::field(this, QStringLiteral("txtCCP"), 12, QRect(x, y, 150, h), QStringLiteral("sul C/C n."));
    panelFields::label(this, QStringLiteral("sul C/C n."), QRect(kDestra, y, 125, h))->setBuddy(txtCCP);
    panelFields::label(this, QStringLiteral("di Euro"), QRect(x + 166, y, 60, h));
    txtImporto = panelFields::field(this, QStringLiteral("txtImporto"), 8, QRect(x + 230, y, 120, h), QStringLiteral("Importo in euro"));
    panelFields::label(this, QStringLiteral(","), QRect(x + 354, y, 10, h));
    txtCents = panelFields::field(this, QStringLiteral("txtCents"), 2, QRect(x + 366, y, 46, h), QStringLiteral("Centesimi"));
    txtCents->setText(QStringLiteral("00"));
    txtImporto->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtCents->setAlignment(Qt::AlignCenter);

    y += 38;
    panelFields::label(this, QStringLiteral("INTESTATO A:"), QRect(kDestra, y, 100, h));
    pulsantiImmagine(this, m_form,
                     {{&impIntestatario, "impIntestatario", "", "imp_anagrafica",
                       QStringLiteral("Importa i dati dell'intestatario dall'archivio anagrafico."),
                       QRect(kDestra + 100, y + 1, 26, 26)}});
    impIntestatario->setFocusPolicy(Qt::TabFocus); // in this dialog the keyboard reaches it too
    m_form->enterPresses(impIntestatario);
    connect(impIntestatario, &QToolButton::clicked, this, &TfrmEmissioneBollettini::impIntestatarioClick);
    txtIntestatario = panelFields::field(this, QStringLiteral("txtIntestatario"), 34, QRect(x, y, largo, h), QStringLiteral("INTESTATO A"));
    y += 32;
    txtIndirizzoInt = panelFields::field(this, QStringLiteral("txtIndirizzoInt"), 34, QRect(x, y, largo, h),
                            QStringLiteral("Indirizzo dell'intestatario"));
    y += 38;
    txtCausale01 = panelFields::field(this, QStringLiteral("txtCausale01"), 250, QRect(x, y, largo, h), QStringLiteral("CAUSALE"));
    panelFields::label(this, QStringLiteral("CAUSALE:"), QRect(kDestra, y, 125, h))->setBuddy(txtCausale01);
    y += 32;
    txtCausale02 =
        panelFields::field(this, QStringLiteral("txtCausale02"), 250, QRect(x, y, largo, h), QStringLiteral("Causale, secondo rigo"));
    y += 38;
    txtDataScade = panelFields::field(this, QStringLiteral("txtDataScade"), 10, QRect(x, y, 120, h), QStringLiteral("Data scadenza"));
    panelFields::label(this, QStringLiteral("Data scadenza:"), QRect(kDestra, y, 125, h))->setBuddy(txtDataScade);
    panelFields::label(this, QStringLiteral("premere un tasto per aprire il calendario"), QRect(x + 132, y, largo - 132, h), 0, false)
        ->setObjectName(QStringLiteral("lblSuggerimentoData"));
    m_carta = QRect(kDestra, y + h + 14, kColonna, kDimensione.height() - 56 - (y + h + 14));

    // The workspace's Enter ring, typing rules and frames.
    const QList<QLineEdit*> anello = {txtCCP,          txtImporto,   txtCents,     txtIntestatario,
                                      txtIndirizzoInt, txtCausale01, txtCausale02, txtDataScade};
    for (int i = 0; i + 1 < anello.size(); ++i) m_form->addEnter(anello[i], anello[i + 1]);
    for (QLineEdit* f : anello) {
        m_form->addFrame(f);
        connect(f, &QLineEdit::textChanged, this, [this] { aggiornaAnteprima(); });
    }
    for (QLineEdit* f : {txtCCP, txtImporto, txtCents}) m_form->digitsOnly(f);
    for (QLineEdit* f : {txtIntestatario, txtIndirizzoInt}) m_form->upperCase(f);
    txtCents->installEventFilter(this);
    // As in the slip workspace: the due date is chosen on the calendar.
    m_form->pickedDate(txtDataScade, [this] {
        TfrmCalendario calendario(this, txtDataScade);
        calendario.lblMemory->setText(QStringLiteral("datascade"));
        if (calendario.exec() == QDialog::Accepted) EntryForm::focusField(btnEmetti);
    });
}

void TfrmEmissioneBollettini::costruisciAnteprima() {
    lblAnteprima = new QLabel(this);
    lblAnteprima->setObjectName(QStringLiteral("lblAnteprima"));
    QFont f = lblAnteprima->font();
    f.setBold(true);
    lblAnteprima->setFont(f);
    lblAnteprima->setStyleSheet(QStringLiteral("color: white;"));
    const QRect carta = m_carta;
    lblAnteprima->setGeometry(carta.left() + 14, carta.top(), carta.width() - 28, 30);

    QLabel** righe[] = {&lblAnteprimaCCP,       &lblAnteprimaLettere,   &lblAnteprimaIntestatario,
                        &lblAnteprimaCausale,   &lblAnteprimaEsecutore, &lblAnteprimaIndirizzo,
                        &lblAnteprimaScadenza};
    const char* nomi[] = {"lblAnteprimaCCP",       "lblAnteprimaLettere",   "lblAnteprimaIntestatario",
                          "lblAnteprimaCausale",   "lblAnteprimaEsecutore", "lblAnteprimaIndirizzo",
                          "lblAnteprimaScadenza"};
    int y = carta.top() + 38;
    for (int i = 0; i < 7; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(nomi[i]));
        l->setStyleSheet(kStile);
        l->setTextFormat(Qt::RichText);
        l->setWordWrap(true);
        const int alto = i == 2 || i == 3 ? 40 : 22; // holder and reason take two lines
        l->setGeometry(carta.left() + 14, y, carta.width() - 28, alto);
        y += alto + 4;
        *righe[i] = l;
    }
    lblAnteprimaImporto = new QLabel(this);
    lblAnteprimaImporto->setObjectName(QStringLiteral("lblAnteprimaImporto"));
    lblAnteprimaImporto->setStyleSheet(kStile);
    lblAnteprimaImporto->setTextFormat(Qt::RichText);
    lblAnteprimaImporto->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblAnteprimaImporto->setGeometry(carta.left() + 300, carta.top() + 38, carta.width() - 314, 22);
}

void TfrmEmissioneBollettini::paintEvent(QPaintEvent*) {
    pannelliElenco::sfondo(this, m_fascia);
    QPainter p(this);
    p.setPen(palette::rule);
    p.drawLine(kDestra - 12, m_fascia + 12, kDestra - 12, height() - 12);
    p.setRenderHint(QPainter::Antialiasing);
    immaginiStampaBollettino::carta(p, m_carta, QString(), palette::deep);
}

bool TfrmEmissioneBollettini::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtCents && event->type() == QEvent::FocusOut) centsLasciati();
    return QDialog::eventFilter(watched, event);
}

void TfrmEmissioneBollettini::centsLasciati() {
    const QString cents = amounts::cents(txtCents->text());
    if (cents != txtCents->text()) txtCents->setText(cents);
}

emissione::Dati TfrmEmissioneBollettini::dati() const {
    return {{txtCCP->text(), txtIntestatario->text(), txtIndirizzoInt->text(), txtCausale01->text(),
             txtCausale02->text()},
            txtImporto->text(),
            txtCents->text(),
            txtDataScade->text()};
}

QList<emissione::Esecutore> TfrmEmissioneBollettini::spuntati() const {
    QList<emissione::Esecutore> out;
    for (int i = 0; i < m_esecutori.size(); ++i)
        if (lstEsecutori->modello()->spuntata(i)) out.append(m_esecutori[i]);
    return out;
}

void TfrmEmissioneBollettini::btnCercaClick() {
    QList<std::pair<QString, QString>> testi;
    for (QLineEdit* e : filtri) testi.append({e->objectName().mid(9), e->text()});
    FiltriTesto f;
    elenchi::filtriSchede(testi, f);
    QList<emissione::Esecutore> trovati;
    try {
        trovati = emissione::esecutori(archivi::anagrafica(programFolder::path()), f, elenchi::Accesso::ReadWrite);
    } catch (const ArchiveError&) {
        avvisiArchivio::mostra(this);
        msg::warning(this, kTestoAccesso);
        return;
    }
    avvisiArchivio::mostra(this); // an import that a crash cut short, undone by this search
    m_esecutori = trovati;
    m_cercato = true;
    Elenco elenco;
    for (const emissione::Esecutore& e : m_esecutori) elenco.aggiungi(e.riga, e.posizione);
    lstEsecutori->modello()->imposta(std::move(elenco));
    if (!m_esecutori.isEmpty()) lstEsecutori->selezionaRiga(0);
    aggiornaConteggio();
    aggiornaAnteprima();
    lstEsecutori->setFocus(Qt::OtherFocusReason);
}

void TfrmEmissioneBollettini::aggiornaConteggio() {
    const int n = int(m_esecutori.size()), s = lstEsecutori->modello()->spuntate();
    lblSelezionate->setText(n > 0         ? QStringLiteral("Esecutori selezionati: %1 su %2").arg(s).arg(n)
                            : m_cercato ? QStringLiteral("Nessuna scheda corrisponde ai filtri indicati.")
                                        : QStringLiteral("Nessun esecutore in elenco: premere Cerca."));
}

int TfrmEmissioneBollettini::rigaAnteprima() const {
    // The card under the cursor when it is ticked, otherwise the first ticked card.
    const ModelloElenco* m = lstEsecutori->modello();
    const int r = lstEsecutori->rigaSelezionata();
    if (m->spuntata(r)) return r;
    for (int i = 0; i < m_esecutori.size(); ++i)
        if (m->spuntata(i)) return i;
    return -1;
}

std::optional<TSchedaBollettino> TfrmEmissioneBollettini::anteprima() const {
    const int r = rigaAnteprima();
    if (r < 0) return std::nullopt;
    return emissione::bollettino(dati(), m_esecutori[r].scheda);
}

void TfrmEmissioneBollettini::aggiornaAnteprima() {
    const auto b = anteprima();
    auto riga = [](const QString& nome, const QString& valore) {
        return QStringLiteral("<b>%1</b> %2").arg(nome.toHtmlEscaped(), valore.toHtmlEscaped());
    };
    // With no slip to show, the first line holds the hint, over the lines left empty below it.
    QRect primaRiga = lblAnteprimaCCP->geometry();
    primaRiga.setHeight(b ? 22 : 48);
    lblAnteprimaCCP->setGeometry(primaRiga);
    if (!b) {
        lblAnteprima->setText(QStringLiteral("ANTEPRIMA DEL BOLLETTINO"));
        lblAnteprimaCCP->setText(QStringLiteral("Nessun esecutore selezionato: cercare gli esecutori e mettere il "
                                                "segno di spunta su quelli a cui emettere i bollettini."));
        for (QLabel* l : {lblAnteprimaImporto, lblAnteprimaLettere, lblAnteprimaIntestatario, lblAnteprimaCausale,
                          lblAnteprimaEsecutore, lblAnteprimaIndirizzo, lblAnteprimaScadenza})
            l->clear();
        return;
    }
    int numero = 0; // its place among the slips to issue
    for (int i = 0, r = rigaAnteprima(); i <= r; ++i) numero += lstEsecutori->modello()->spuntata(i) ? 1 : 0;
    lblAnteprima->setText(QStringLiteral("ANTEPRIMA DEL BOLLETTINO %1 DI %2")
                              .arg(numero)
                              .arg(lstEsecutori->modello()->spuntate()));
    lblAnteprimaCCP->setText(riga(QStringLiteral("sul C/C n."), b->CCP.get()));
    lblAnteprimaImporto->setText(riga(QStringLiteral("di Euro"), b->Intero.get()));
    lblAnteprimaLettere->setText(
        riga(QStringLiteral("Importo in lettere:"), b->ImpLettere.get() + QLatin1Char('/') + b->CentLettere.get()));
    lblAnteprimaIntestatario->setText(riga(QStringLiteral("INTESTATO A:"), b->Intestatario.get()) + QStringLiteral("<br>") +
                                      b->IndirizzoInt.get().toHtmlEscaped());
    lblAnteprimaCausale->setText(riga(QStringLiteral("CAUSALE:"), b->Causale01.get()) + QStringLiteral("<br>") +
                                 b->Causale02.get().toHtmlEscaped());
    lblAnteprimaEsecutore->setText(riga(QStringLiteral("ESEGUITO DA:"), b->Esecutore.get()));
    lblAnteprimaIndirizzo->setText(riga(QStringLiteral("VIA - PIAZZA:"), b->IndirizzoRes.get()) +
                                   QStringLiteral("&nbsp;&nbsp;&nbsp;") + riga(QStringLiteral("CAP:"), b->CapRes.get()) +
                                   QStringLiteral("&nbsp;&nbsp;&nbsp;") +
                                   riga(QStringLiteral("LOCALITA':"), b->ComuneRes.get()));
    lblAnteprimaScadenza->setText(riga(QStringLiteral("Data scadenza:"), b->DataScade.get()) +
                                  QStringLiteral("&nbsp;&nbsp;&nbsp;") + riga(QStringLiteral("Saldato:"), b->Saldato.get()));
}

void TfrmEmissioneBollettini::focusSu(emissione::Campo campo) {
    switch (campo) {
    case emissione::Campo::CCP: EntryForm::focusField(txtCCP); break;
    case emissione::Campo::Importo: EntryForm::focusField(txtImporto); break;
    case emissione::Campo::Cents: EntryForm::focusField(txtCents); break;
    case emissione::Campo::Intestatario: EntryForm::focusField(txtIntestatario); break;
    case emissione::Campo::Esecutore: lstEsecutori->setFocus(Qt::OtherFocusReason); break;
    case emissione::Campo::DataScade: EntryForm::focusField(txtDataScade); break;
    }
}

void TfrmEmissioneBollettini::impIntestatarioClick() {
    DestinoEmissione destino({{QStringLiteral("txtCCP"), txtCCP},
                              {QStringLiteral("txtIntestatario"), txtIntestatario},
                              {QStringLiteral("txtIndirizzoInt"), txtIndirizzoInt},
                              {QStringLiteral("txtCausale01"), txtCausale01},
                              {QStringLiteral("txtCausale02"), txtCausale02}});
    TfrmTrovaEsecutori picker(this, destino);
    picker.lblMemory->setText(QStringLiteral("intestatario"));
    picker.exec();
}

void TfrmEmissioneBollettini::btnGuidaClick() { mostraGuida(this, guidaEmissione::titolo(), guidaEmissione::testo()); }

void TfrmEmissioneBollettini::btnEmettiClick() {
    centsLasciati();
    const QList<emissione::Esecutore> scelti = spuntati();
    if (scelti.isEmpty()) {
        msg::warning(this, QStringLiteral("Attenzione: nessun esecutore selezionato.\n\r\n\rPremere Cerca e mettere il "
                                          "segno di spunta sugli esecutori a cui emettere i bollettini."));
        EntryForm::focusField(filtri.first());
        return;
    }
    const emissione::Dati d = dati();
    if (const auto problema = emissione::verifica(d)) {
        msg::warning(this, problema->testo);
        focusSu(problema->campo);
        return;
    }
    for (int i = 0; i < m_esecutori.size(); ++i) {
        if (!lstEsecutori->modello()->spuntata(i)) continue;
        if (const auto problema = emissione::verifica(m_esecutori[i].scheda)) {
            msg::warning(this, problema->testo);
            lstEsecutori->selezionaRiga(i);
            focusSu(problema->campo);
            return;
        }
    }
    QList<TSchedaBollettino> bollettini;
    bollettini.reserve(scelti.size());
    for (const emissione::Esecutore& e : scelti) bollettini.append(emissione::bollettino(d, e.scheda));
    const TSchedaBollettino& primo = bollettini.first();
    const QString domanda =
        bollettini.size() == 1
            ? QStringLiteral("Si sta per inserire in archivio un bollettino di %1 euro con scadenza %2, per "
                             "l'esecutore selezionato.\r\n\r\nSi vuole procedere?")
                  .arg(primo.Intero.get(), primo.DataScade.get())
            : QStringLiteral("Si stanno per inserire in archivio %1 bollettini di %2 euro con scadenza %3, uno per "
                             "ciascun esecutore selezionato.\r\n\r\nSi vuole procedere?")
                  .arg(bollettini.size())
                  .arg(primo.Intero.get(), primo.DataScade.get());
    if (!msg::question(this, domanda)) return;
    const QString nessuno = QStringLiteral("\n\r\n\rNessun bollettino \u00e8 stato inserito in archivio.");
    // An earlier batch that a crash cut short is undone first, and said before this one's outcome.
    try {
        m_primo = emissione::accoda(m_archivio, bollettini);
    } catch (const GiornaleLasciato& e) {
        avvisiArchivio::mostra(this, e.avviso.giornale);
        msg::warning(this, e.avviso.testo() + nessuno);
        return;
    } catch (const ArchiveError&) {
        avvisiArchivio::mostra(this);
        msg::warning(this, kTestoAccesso + nessuno);
        return;
    }
    avvisiArchivio::mostra(this);
    m_emessi = bollettini;
    TfrmStampaEmissione stampa(m_emessi, m_primo, this);
    stampa.exec();
    accept();
}
