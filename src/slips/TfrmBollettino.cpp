#include "TfrmBollettino.h"

#include "GuidaBollettini.h"
#include "ImmaginiStampaBollettino.h"
#include "TfrmCalendario.h"
#include "ui/Clock.h"
#include "ui/EntryForm.h"
#include "ui/MessageService.h"
#include "ui/Picture.h"
#include "ui/ProgramFolder.h"
#include "ui/TfrmGuida.h"
#include "archive/Amounts.h"
#include "archive/Archivi.h"
#include "archive/Dates.h"
#include "archive/ImportoInLettere.h"
#include "archive/Text.h"
#include "TfrmStampaBolBis.h"
#include "TfrmStampaBolBis_A4.h"
#include "TfrmDaSaldare.h"
#include "TfrmEmissioneBollettini.h"
#include "TfrmExpBollettini.h"
#include "TfrmScadute.h"
#include "TfrmTrovaBollettini.h"
#include "registry/TfrmTrovaEsecutori.h"
#include "print/Palette.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>

namespace {

constexpr QSize kPanel(1150, 660);
const QString kTitolo = QStringLiteral(" Versalio - Compilazione e stampa bollettini postali");

// The slip card behind the fields, drawn like a paper slip.
void disegnaScheda(QPainter& p) {
    auto card = [&p](QRectF r, const QString& title, QColor band) { immaginiStampaBollettino::carta(p, r, title, band); };
    card(QRectF(8, 8, 944, 432), QStringLiteral("BOLLETTINO DI CONTO CORRENTE POSTALE  \u2022  TD 123"),
         palette::deep);
    card(QRectF(8, 452, 944, 150), QStringLiteral("DATI DI ARCHIVIO"), palette::steel);
    // The euro sign before the amount, as on the paper slip.
    p.setPen(palette::deep);
    QFont e = p.font();
    e.setPointSize(18);
    e.setBold(true);
    p.setFont(e);
    p.drawText(QRectF(596, 52, 30, 34), Qt::AlignCenter, QStringLiteral("\u20ac"));
}

} // namespace

TfrmBollettino::TfrmBollettino(QWidget* parent)
    : SchedaWorkspace(disegnaScheda, kPanel, QStringLiteral("bollettino"), [this] { return lblFile->text(); }, parent) {
    setObjectName(QStringLiteral("frmBollettino"));
    setWindowTitle(kTitolo);
    infoBar(QRect(8, 614, 700, 38),
                      palette::sheet(QStringLiteral("QLabel { background: @note; border: 1px solid @rule; border-radius: 4px; "
                                     "padding-left: 10px; color: @ink; }")),
                      QStringLiteral("Pronto per archiviare una nuova scheda..."));

    const int h = 28;
    txtCCP = field("CCP", 12, QRect(118, 56, 200, h), label(QStringLiteral("sul C/C n."), QRect(30, 56, 85, h)));
    label(QStringLiteral("di Euro"), QRect(530, 56, 60, h));
    txtImporto = field("Importo", 8, QRect(628, 56, 160, h), QStringLiteral("Importo in euro"));
    label(QStringLiteral(","), QRect(793, 56, 10, h));
    txtCents = field("Cents", 2, QRect(806, 56, 50, h), QStringLiteral("Centesimi"));
    txtImpLettere = field("ImpLettere", 250, QRect(185, 104, 603, h),
                          label(QStringLiteral("Importo in lettere:"), QRect(30, 104, 150, h)));
    label(QStringLiteral("/"), QRect(793, 104, 10, h));
    txtCentLettere = field("CentLettere", 2, QRect(806, 104, 50, h), QStringLiteral("Centesimi in lettere"));
    txtIntestatario = field("Intestatario", 34, QRect(185, 156, 450, h),
                            label(QStringLiteral("INTESTATO A:"), QRect(30, 156, 110, h)));
    txtIndirizzoInt = field("IndirizzoInt", 34, QRect(185, 196, 450, h), QStringLiteral("Indirizzo dell'intestatario"));
    txtCausale01 =
        field("Causale01", 250, QRect(185, 246, 750, h), label(QStringLiteral("CAUSALE:"), QRect(30, 246, 110, h)));
    txtCausale02 = field("Causale02", 250, QRect(185, 286, 750, h), QStringLiteral("Causale, secondo rigo"));
    txtEsecutore = field("Esecutore", 23, QRect(185, 336, 330, h),
                         label(QStringLiteral("ESEGUITO DA:"), QRect(30, 336, 110, h)));
    txtIndirizzoRes = field("IndirizzoRes", 23, QRect(185, 386, 330, h),
                            label(QStringLiteral("VIA - PIAZZA:"), QRect(30, 386, 110, h)));
    txtCapRes = field("CapRes", 5, QRect(578, 386, 80, h), label(QStringLiteral("CAP:"), QRect(536, 386, 40, h)));
    txtComuneRes = field("ComuneRes", 17, QRect(762, 386, 173, h),
                         label(QStringLiteral("LOCALITA':"), QRect(676, 386, 84, h)));
    txtDataScade = field("DataScade", 10, QRect(150, 492, 120, h),
                         label(QStringLiteral("Data scadenza:"), QRect(30, 492, 120, h)));
    txtDataPaga = field("DataPaga", 10, QRect(437, 492, 120, h),
                        label(QStringLiteral("Data versamento:"), QRect(300, 492, 135, h)));
    chkSaldato = checkBox("Saldato", QStringLiteral("Saldato"), QRect(600, 492, 120, h));
    txtTimbro = field("Timbro", 250, QRect(265, 530, 670, h),
                      label(QStringLiteral("Estremi timbro Ufficio Postale:"), QRect(30, 530, 235, h)));
    txtNote = field("Note", 250, QRect(265, 566, 670, h), label(QStringLiteral("Note:"), QRect(30, 566, 235, h)));
    // The amount as stored ("150,00"), and the year's archive: hidden, read by other screens.
    txtIntero = new QLabel(panContainer);
    txtIntero->setObjectName(QStringLiteral("txtIntero"));
    txtIntero->hide();
    bind(QStringLiteral("Intero"), txtIntero, QStringLiteral("0,00"));
    bind(QStringLiteral("Cents"), txtCents, QStringLiteral("00"));
    bind(QStringLiteral("CentLettere"), txtCentLettere, QStringLiteral("00"));
    lblFile = new QLabel(panContainer);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->hide();

    commandColumn(
        &cmdAllega, "cmdAllega",
        {
            {&cmdStampa_su_Modulo, "cmdStampa_su_Modulo", "Stampa su modulo", "cmd_stampa_modulo",
             QStringLiteral("Stampa i dati del bollettino su modulo originale.")},
            {&cmdStampa_su_A4, "cmdStampa_su_A4", "Stampa su A4", "cmd_stampa_a4",
             QStringLiteral("Stampa i dati e la grafica del bollettino su foglio A4.")},
            {&cmdDaSaldare, "cmdDaSaldare", "Da saldare", "cmd_dasaldare",
             QStringLiteral("Visualizza l'elenco dei bollettini non saldati.")},
            {&cmdScaduti, "cmdScaduti", "Scaduti", "cmd_scaduti",
             QStringLiteral("Visualizza l'elenco dei bollettini scaduti e non ancora saldati.")},
            {&cmdEmissione, "cmdEmissione", "Emissione bollettini", "cmd_emissione",
             QStringLiteral("Emette in una volta sola i bollettini di un gruppo di esecutori dell'archivio anagrafico.")},
        },
        "Esporta", QPoint(964, 8), 46); // thirteen commands above the arrows
    arrows(QPoint(730, 612), QSize(42, 42), QSize(90, 42));
    pulsantiImmagine(
        panContainer, form,
        {
            {&impIntestatario, "impIntestatario", "", "imp_anagrafica",
             QStringLiteral("Importa i dati dell'intestatario dall'archivio anagrafico."), QRect(146, 158, 26, 26)},
            {&impEsecutore, "impEsecutore", "", "imp_anagrafica",
             QStringLiteral("Importa i dati dell'esecutore dall'archivio anagrafico."), QRect(146, 338, 26, 26)},
        });
    form->hint(chkSaldato, QStringLiteral("Annota che il bollettino \u00e8 stato saldato."));
    connect(cmdAllega, &QToolButton::clicked, this, &TfrmBollettino::cmdAllegaClick);
    connect(cmdStampa_su_Modulo, &QToolButton::clicked, this, &TfrmBollettino::cmdStampa_su_ModuloClick);
    connect(cmdStampa_su_A4, &QToolButton::clicked, this, &TfrmBollettino::cmdStampa_su_A4Click);
    connect(cmdDaSaldare, &QToolButton::clicked, this, &TfrmBollettino::cmdDaSaldareClick);
    connect(cmdScaduti, &QToolButton::clicked, this, &TfrmBollettino::cmdScadutiClick);
    connect(cmdEmissione, &QToolButton::clicked, this, &TfrmBollettino::cmdEmissioneClick);
    connect(impIntestatario, &QToolButton::clicked, this, &TfrmBollettino::impIntestatarioClick);
    connect(impEsecutore, &QToolButton::clicked, this, &TfrmBollettino::impEsecutoreClick);

    // The words are written by the program; the expiry date is chosen on the calendar.
    for (QLineEdit* ro : {txtImpLettere, txtCentLettere}) {
        ro->setReadOnly(true);
        ro->setStyleSheet(palette::sheet(QStringLiteral("QLineEdit { background: @fixedFill; color: @fixedInk; }")));
    }
    txtImporto->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QLineEdit* c : {txtCents, txtCentLettere, txtDataPaga}) c->setAlignment(Qt::AlignCenter);
    form->pickedDate(txtDataScade, [this] { apriCalendario(); });

    // Enter ring, frames, typing rules, tab order.
    const QList<QLineEdit*> ring = {txtCCP,       txtImporto,  txtCents,     txtIntestatario, txtIndirizzoInt,
                                    txtCausale01, txtCausale02, txtEsecutore, txtIndirizzoRes, txtCapRes,
                                    txtComuneRes, txtDataScade};
    for (int i = 0; i + 1 < ring.size(); ++i) form->addEnter(ring[i], ring[i + 1]);
    form->addEnter(txtDataPaga, txtTimbro);
    form->addEnter(txtTimbro, txtNote);
    form->addEnter(txtNote, txtCCP);
    for (QLineEdit* f : ring) form->addFrame(f);
    for (QLineEdit* f : {txtDataPaga, txtTimbro, txtNote}) form->addFrame(f);
    for (QLineEdit* f : {txtCCP, txtImporto, txtCents}) form->digitsOnly(f);
    for (QLineEdit* f : {txtIntestatario, txtIndirizzoInt, txtEsecutore, txtIndirizzoRes, txtComuneRes})
        form->upperCase(f);
    form->upperCase(txtCapRes, true);
    const QList<QWidget*> tabs = {txtCCP,       txtImporto,   txtCents,     txtImpLettere, txtCentLettere,
                                  txtIntestatario, txtIndirizzoInt, txtCausale01, txtCausale02, txtEsecutore,
                                  txtIndirizzoRes, txtCapRes, txtComuneRes, txtDataScade, txtDataPaga,
                                  txtTimbro,    txtNote,      chkSaldato};
    for (int i = 0; i + 1 < tabs.size(); ++i) setTabOrder(tabs[i], tabs[i + 1]);
    campiIniziali(txtCCP, txtImporto);

    for (QObject* o : {txtImporto, txtCents}) o->installEventFilter(this);
    connect(txtImporto, &QLineEdit::textEdited, this, &TfrmBollettino::txtImportoKeyUp);
    connect(txtCents, &QLineEdit::textEdited, this, &TfrmBollettino::txtCentsKeyUp);

    costruisciAnno();
    panContainer->hide();
}

void TfrmBollettino::costruisciAnno() {
    panAvvio = new QWidget(this);
    panAvvio->setObjectName(QStringLiteral("panAvvio"));
    panAvvio->resize(kPanel);

    auto* titolo = new Picture(QStringLiteral("imgTitolo"), QStringLiteral(":/pictures/title.svg"), panAvvio);
    titolo->setGeometry(275, 120, 600, 70);
    auto* prompt = new QLabel(QStringLiteral("Indicare l'anno solare e premere Apri."), panAvvio);
    prompt->setObjectName(QStringLiteral("lblAnno"));
    QFont pf = prompt->font();
    pf.setPointSize(16);
    prompt->setFont(pf);
    prompt->setAlignment(Qt::AlignCenter);
    prompt->setGeometry(275, 240, 600, 40);

    txtAnno = new QLineEdit(panAvvio);
    txtAnno->setObjectName(QStringLiteral("txtAnno"));
    txtAnno->setMaxLength(4);
    txtAnno->setAccessibleName(QStringLiteral("Anno solare"));
    QFont af = txtAnno->font();
    af.setPointSize(28);
    af.setBold(true);
    txtAnno->setFont(af);
    txtAnno->setAlignment(Qt::AlignCenter);
    txtAnno->setGeometry(440, 300, 150, 60);

    btnApri = new QPushButton(QStringLiteral("Apri"), panAvvio);
    btnApri->setObjectName(QStringLiteral("btnApri"));
    btnApri->setAutoDefault(true); // Enter on the focused button opens the year
    QFont bf = btnApri->font();
    bf.setPointSize(14);
    bf.setBold(true);
    btnApri->setFont(bf);
    btnApri->setGeometry(605, 305, 110, 50);
    connect(btnApri, &QPushButton::clicked, this, &TfrmBollettino::btnApriClick);

    imgGuida = new Picture(QStringLiteral("imgGuida"), QStringLiteral(":/pictures/icon_guida.svg"), panAvvio, true);
    imgGuida->setGeometry(520, 420, 48, 48);
    imgGuida->setToolTip(QStringLiteral("Guida"));
    imgEsci = new Picture(QStringLiteral("imgEsci"), QStringLiteral(":/pictures/icon_esci.svg"), panAvvio, true);
    imgEsci->setGeometry(582, 420, 48, 48);
    imgEsci->setToolTip(QStringLiteral("Esci"));
    connect(imgGuida, &Picture::clicked, this, &TfrmBollettino::cmdGuidaClick);
    connect(imgEsci, &Picture::clicked, this, &QWidget::close);

    form->digitsOnly(txtAnno);
    form->addEnter(txtAnno, btnApri);
    form->clearsHints(panAvvio);
}

void TfrmBollettino::resizeEvent(QResizeEvent*) {
    centra(panAvvio, this);
    centra(panContainer, this);
}

void TfrmBollettino::mostra() {
    setWindowTitle(kTitolo);
    panContainer->hide();
    panAvvio->show();
    txtAnno->setText(QString::number(Clock::today().year()));
    clear();
    showMaximized();
    activateWindow();
    EntryForm::focusField(txtAnno);
}

void TfrmBollettino::btnApriClick() {
    const QString anno = txtAnno->text();
    // The year becomes part of a file name, so four digits however it got into the field.
    if (anno.size() != 4 || !text::isDigits(anno)) {
        msg::warning(this, QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        EntryForm::focusField(txtAnno);
        return;
    }
    lblFile->setText(archivi::annuale(programFolder::path(), anno));
    setWindowTitle(kTitolo + QStringLiteral(" anno ") + anno);
    panAvvio->hide();
    panContainer->show();
    cmdNuovoClick();
}

void TfrmBollettino::normalizzaImporto() {
    if (text::trimmed(txtImporto->text()).isEmpty()) txtImporto->setText(QStringLiteral("0"));
    txtCentsExit();
    txtIntero->setText(text::trimmed(txtImporto->text()) + QLatin1Char(',') + text::trimmed(txtCents->text()));
}

void TfrmBollettino::cmdSalvaClick() {
    normalizzaImporto();
    const struct {
        QLineEdit* campo;
        const char* testo;
    } obbligatori[] = {
        {txtCCP, "Attenzione: per salvare la scheda \u00e8 necessario indicare il numero di conto corrente postale."},
        {txtIntestatario, "Attenzione: per salvare la scheda \u00e8 necessario indicare il nome dell'intestatario."},
        {txtEsecutore, "Attenzione: per salvare la scheda \u00e8 necessario indicare il nome dell'esecutore."},
        {txtDataScade,
         "Attenzione: per salvare la scheda \u00e8 necessario indicare la data di scadenza del versamento."},
    };
    for (const auto& o : obbligatori)
        if (!filled(o.campo, QString::fromUtf8(o.testo))) return;
    if (!dates::parse(txtDataScade->text())) {
        msg::warning(this, QStringLiteral("Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda "
                                          "\u00e8 necessario indicare una data valida nel formato gg/mm/anno."));
        EntryForm::focusField(txtDataScade);
        return;
    }

    salvaScheda(MessageService::Warning);
}

void TfrmBollettino::cmdAllegaClick() { openAttachments(); }

void TfrmBollettino::cmdGuidaClick() { mostraGuida(this, guidaBollettini::titolo(), guidaBollettini::testo()); }

void TfrmBollettino::cmdStampa_su_ModuloClick() {
    TfrmStampaBolBis stampa(scheda(), this);
    stampa.exec();
}

void TfrmBollettino::cmdStampa_su_A4Click() {
    TfrmStampaBolBis_A4 stampa(scheda(), this);
    stampa.exec();
}

void TfrmBollettino::txtImportoKeyUp() {
    const QString t = txtImporto->text();
    const auto value = amounts::parse(t);
    txtImpLettere->setText(text::trimmed(t).isEmpty() || !value ? QString() : ImportoInLettere(*value));
}

void TfrmBollettino::txtCentsKeyUp() {
    txtCentLettere->setText(text::trimmed(txtCents->text()).isEmpty() ? QString() : txtCents->text());
}

void TfrmBollettino::txtCentsExit() {
    const QString cents = amounts::cents(txtCents->text());
    if (cents == txtCents->text()) return;
    txtCents->setText(cents);
    txtCentLettere->setText(cents);
}

void TfrmBollettino::apriCalendario() {
    TfrmCalendario calendario(this);
    calendario.lblMemory->setText(QStringLiteral("datascade"));
    calendario.exec();
}

bool TfrmBollettino::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        if (watched == txtImporto) txtImportoKeyUp();
        else if (watched == txtCents) txtCentsKeyUp();
    } else if (event->type() == QEvent::FocusOut && watched == txtCents) {
        txtCentsExit();
    }
    return SchedaWorkspace::eventFilter(watched, event);
}

namespace {
// The search and the lists work on the open year's archive and load into this workspace.
DestinoBollettino destinoElenchi(TfrmBollettino* w) {
    return {w->lblFile->text(), [w](const TSchedaBollettino& r, qint64 p) { w->caricaScheda(r, p); }};
}
// The registry picker writes the chosen card into the slip's fields, as `modo` says.
void importa(TfrmBollettino* w, const QString& modo) {
    DestinoFinestra destino(w);
    TfrmTrovaEsecutori picker(w, destino);
    picker.lblMemory->setText(modo);
    picker.exec();
}
} // namespace

void TfrmBollettino::cmdTrovaClick() {
    TfrmTrovaBollettini trova(this, destinoElenchi(this));
    trova.exec();
}

void TfrmBollettino::cmdEsportaClick() {
    TfrmExpBollettini esporta(lblFile->text(), this);
    esporta.exec();
}

void TfrmBollettino::cmdDaSaldareClick() {
    TfrmDaSaldare elenco(this, destinoElenchi(this));
    elenco.exec();
}

void TfrmBollettino::cmdScadutiClick() {
    TfrmScadute elenco(this, destinoElenchi(this));
    elenco.exec();
}

void TfrmBollettino::cmdEmissioneClick() {
    TfrmEmissioneBollettini emissione(lblFile->text(), this);
    emissione.exec();
}

void TfrmBollettino::impIntestatarioClick() { importa(this, QStringLiteral("intestatario")); }
void TfrmBollettino::impEsecutoreClick() { importa(this, QStringLiteral("esecutore")); }
