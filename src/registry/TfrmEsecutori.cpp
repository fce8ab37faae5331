#include "TfrmEsecutori.h"

#include "GuidaEsecutori.h"
#include "print/SchedaInformativa.h"
#include "ui/SenzaSpazi.h"
#include "ui/TfrmAllegaCartella.h"
#include "ui/Clock.h"
#include "ui/Comandi.h"
#include "ui/EntryForm.h"
#include "ui/MessageService.h"
#include "ui/Picture.h"
#include "ui/ProgramFolder.h"
#include "ui/Shell.h"
#include "ui/TfrmGuida.h"
#include "archive/Archivi.h"
#include "archive/Flags.h"
#include "archive/Text.h"
#include "TfrmCarta.h"
#include "TfrmCodFisc.h"
#include "TfrmIban.h"
#include "TfrmPartitaIva.h"
#include "TfrmRicontatta.h"
#include "TfrmTrovaEsecutori.h"
#include "ui/ReportOutput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>

namespace {

constexpr QSize kPanel(1150, 690);
const QString kTitolo = QStringLiteral(" Versalio - Archivio Anagrafico");
const QString kPronto = QStringLiteral("Pronto per archiviare una nuova scheda...");

// Top and height of the five grey sections, and the rows inside them.
struct Sezione {
    int top, righe;
    const char* picture;
};
constexpr Sezione kSezioni[] = {{8, 3, "sez_persona"},
                                {160, 2, "sez_recapiti"},
                                {268, 2, "sez_codici"},
                                {376, 2, "sez_documento"},
                                {484, 3, "sez_causale"}};
constexpr int kRiga = 44;
int altezza(const Sezione& s) { return 12 + s.righe * kRiga; }
int riga(int sezione, int n) { return kSezioni[sezione].top + 6 + n * kRiga; }

const QStringList kProvince = QStringLiteral(
    "AG AL AN AO AP AQ AR AT AV BA BG BI BL BN BO BR BS BT BZ CA CB CE CH CI CL CN CO CR CS CT CZ EE EN FC FE FG FI "
    "FM FO FR GE GO GR IM IS KR LC LE LI LO LT LU MB MC MD ME MI MN MO MS MT NA NO NU OG OR OT PA PC PD PE PG PI PN "
    "PO PR PT PU PV PZ RA RC RE RG RI RM RN RO SA SI SO SP SR SS SV TA TE TN TO TP TR TS TV UD VA VB VC VE VI VR VT "
    "VV").split(QLatin1Char(' '));

// The panel behind the fields: five grey sections with rounded corners.
class RegistryPanel : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        for (const Sezione& s : kSezioni) {
            const QRectF r(8, s.top, 944, altezza(s));
            p.setPen(QPen(QColor(0x8a, 0x9b, 0xae), 1.2));
            p.setBrush(QColor(0xe6, 0xe9, 0xee));
            p.drawRoundedRect(r, 8, 8);
            p.fillRect(QRectF(r.left() + 1, r.top() + 1, 64, r.height() - 2), QColor(0xd6, 0xdc, 0xe4));
        }
        // The bottom strip under the status line and the arrows.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2f, 0x5f, 0x8f));
        p.drawRoundedRect(QRectF(8, 638, 1134, 46), 8, 8);
    }
};

} // namespace

TfrmEsecutori::TfrmEsecutori(QWidget* parent)
    : Workspace(parent), repScheda(schedaInformativa::layout()) {
    setObjectName(QStringLiteral("frmEsecutori"));
    setWindowTitle(kTitolo);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.svg")));
    caricaImmagini();
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    costruisci();
    m_archivio = std::make_unique<ArchivioSchede<TSchedaAnagrafica>>(
        this, lblPosizione, [] { return archivi::anagrafica(programFolder::path()); },
        [this](const TSchedaAnagrafica& r, qint64 numero) { caricaScheda(r, numero); });
}

void TfrmEsecutori::costruisci() {
    panContainer = new RegistryPanel(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->resize(kPanel);
    QWidget* pan = panContainer;

    panInfo = new QLabel(kPronto, pan);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setGeometry(16, 642, 690, 38);
    panInfo->setStyleSheet(QStringLiteral("QLabel { color: white; font-weight: bold; padding-left: 8px; }"));
    form = new EntryForm(this, panInfo);
    form->clearsHints(pan);
    form->clearsHints(this);

    for (int i = 0; i < 5; ++i) {
        const Sezione& s = kSezioni[i];
        auto* img = new Picture(QStringLiteral("imgSezione%1").arg(i + 1),
                                QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(s.picture)), pan);
        img->setGeometry(16, s.top + (altezza(s) - 48) / 2, 48, 48);
        form->clearsHints(img);
    }

    auto label = [this, pan](const QString& text, int x, int y, int w) {
        auto* l = new QLabel(text, pan);
        QFont f = l->font();
        f.setBold(true);
        f.setPointSizeF(8);
        l->setFont(f);
        l->setStyleSheet(QStringLiteral("color: #1f3f5f;"));
        l->setGeometry(x, y, w, 16);
        form->clearsHints(l);
        return l;
    };
    auto edit = [&](const char* name, int capacity, const QString& caption, int x, int y, int w) {
        auto* e = new QLineEdit(pan);
        e->setObjectName(QLatin1String(name));
        e->setMaxLength(capacity);
        e->setGeometry(x, y + 16, w, 24);
        if (!caption.isEmpty()) label(caption, x, y, w + 40);
        return e;
    };
    auto provincia = [&](const char* name, int x, int y) {
        auto* c = new QComboBox(pan);
        c->setObjectName(QLatin1String(name));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setCompleter(nullptr);
        c->addItems(kProvince);
        c->setMaxVisibleItems(16);
        c->lineEdit()->setMaxLength(2);
        c->setGeometry(x, y + 16, 70, 24);
        c->setCurrentIndex(-1);
        c->setEditText(QString());
        label(QStringLiteral("Prov."), x, y, 70);
        return c;
    };
    auto piccolo = [&](const char* name, const char* picture, int x, int y) {
        auto* b = new QToolButton(pan);
        b->setObjectName(QLatin1String(name));
        b->setIcon(QIcon(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(picture))));
        b->setIconSize(QSize(22, 22));
        b->setAutoRaise(true);
        b->setCursor(Qt::PointingHandCursor);
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(x, y + 14, 28, 28);
        return b;
    };

    int y = riga(0, 0);
    txtEsecutore = edit("txtEsecutore", 34, QStringLiteral("Cognome e nome o ragione sociale:"), 80, y, 300);
    label(QStringLiteral("Data di nascita:"), 392, y, 120);
    txtGG = edit("txtGG", 2, QString(), 392, y, 34);
    txtMM = edit("txtMM", 2, QString(), 430, y, 34);
    txtAA = edit("txtAA", 2, QString(), 468, y, 34);
    txtComuneNasc = edit("txtComuneNasc", 50, QStringLiteral("Comune di nascita:"), 516, y, 330);
    txtProvNasc = provincia("txtProvNasc", 858, y);
    y = riga(0, 1);
    txtSesso = edit("txtSesso", 1, QStringLiteral("Sesso:"), 80, y, 44);
    txtRecapito = edit("txtRecapito", 50, QStringLiteral("Recapito preferenziale:"), 136, y, 340);
    txtIndirizzoRes =
        edit("txtIndirizzoRes", 23, QStringLiteral("Residente in Via / Piazza e numero civico:"), 488, y, 358);
    txtProvRes = provincia("txtProvRes", 858, y);
    y = riga(0, 2);
    txtComuneRes = edit("txtComuneRes", 17, QStringLiteral("Comune di residenza:"), 80, y, 260);
    txtCapRes = edit("txtCapRes", 5, QStringLiteral("CAP:"), 352, y, 80);
    txtCategoria = edit("txtCategoria", 50, QStringLiteral("Categoria di appartenenza:"), 444, y, 484);

    y = riga(1, 0);
    txtTelCasa = edit("txtTelCasa", 30, QStringLiteral("Tel. casa:"), 80, y, 276);
    txtTelUff = edit("txtTelUff", 30, QStringLiteral("Tel. ufficio:"), 368, y, 276);
    txtTelCel = edit("txtTelCel", 30, QStringLiteral("Tel. cellulare:"), 656, y, 272);
    y = riga(1, 1);
    txtFax = edit("txtFax", 30, QStringLiteral("Fax:"), 80, y, 276);
    txtEmail = edit("txtEmail", 50, QStringLiteral("E-mail:"), 368, y, 520);
    btnEmail = piccolo("btnEmail", "btn_email", 896, y);

    y = riga(2, 0);
    txtCodFisc = edit("txtCodFisc", 16, QStringLiteral("Codice fiscale:"), 80, y, 240);
    btnCodFisc = piccolo("btnCodFisc", "btn_controlla", 326, y);
    txtCarta = edit("txtCarta", 30, QStringLiteral("Carta di credito n."), 372, y, 300);
    btnCarta = piccolo("btnCarta", "btn_controlla", 678, y);
    txtScadeCarta = edit("txtScadeCarta", 30, QStringLiteral("Scadenza:"), 724, y, 204);
    y = riga(2, 1);
    txtPartitaIva = edit("txtPartitaIva", 11, QStringLiteral("Partita IVA:"), 80, y, 240);
    btnPartitaIva = piccolo("btnPartitaIva", "btn_controlla", 326, y);
    txtIban = edit("txtIban", 27, QStringLiteral("IBAN:"), 372, y, 300);
    btnIban = piccolo("btnIban", "btn_controlla", 678, y);

    y = riga(3, 0);
    txtTipoDoc = edit("txtTipoDoc", 50, QStringLiteral("Tipo documento:"), 80, y, 276);
    txtNumDoc = edit("txtNumDoc", 50, QStringLiteral("Numero documento:"), 368, y, 276);
    txtEnteRil = edit("txtEnteRil", 50, QStringLiteral("Ente di rilascio:"), 656, y, 272);
    y = riga(3, 1);
    txtDataRil = edit("txtDataRil", 10, QStringLiteral("Data rilascio (gg/mm/aaaa):"), 80, y, 200);
    txtDataSca = edit("txtDataSca", 10, QStringLiteral("Data scadenza (gg/mm/aaaa):"), 292, y, 200);
    txtCCP = edit("txtCCP", 12, QStringLiteral("C/C Postale n."), 504, y, 200);

    y = riga(4, 0);
    txtCausale01 = edit("txtCausale01", 250, QStringLiteral("Causale (rigo 1):"), 80, y, 848);
    y = riga(4, 1);
    txtCausale02 = edit("txtCausale02", 250, QStringLiteral("Causale (rigo 2):"), 80, y, 848);
    y = riga(4, 2);
    txtNote = edit("txtNote", 250, QStringLiteral("Note:"), 80, y, 660);
    chkRicontatta = new QCheckBox(QStringLiteral("Da ricontattare"), pan);
    chkRicontatta->setObjectName(QStringLiteral("chkRicontatta"));
    QFont cf = chkRicontatta->font();
    cf.setBold(true);
    chkRicontatta->setFont(cf);
    chkRicontatta->setStyleSheet(QStringLiteral("color: #1f3f5f;"));
    chkRicontatta->setGeometry(760, y + 16, 168, 24);

    for (const char* n : {"lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03"}) {
        auto* l = new QLabel(pan);
        l->setObjectName(QLatin1String(n));
        l->hide();
    }
    lblFile01 = pan->findChild<QLabel*>(QStringLiteral("lblFile01"));
    lblFile02 = pan->findChild<QLabel*>(QStringLiteral("lblFile02"));
    lblFile03 = pan->findChild<QLabel*>(QStringLiteral("lblFile03"));
    lblDesc01 = pan->findChild<QLabel*>(QStringLiteral("lblDesc01"));
    lblDesc02 = pan->findChild<QLabel*>(QStringLiteral("lblDesc02"));
    lblDesc03 = pan->findChild<QLabel*>(QStringLiteral("lblDesc03"));

    m_campi = {{"Esecutore", txtEsecutore},   {"GG", txtGG},
               {"MM", txtMM},                 {"AA", txtAA},
               {"ComuneNasc", txtComuneNasc}, {"ProvNasc", txtProvNasc},
               {"Sesso", txtSesso},           {"Recapito", txtRecapito},
               {"IndirizzoRes", txtIndirizzoRes}, {"ProvRes", txtProvRes},
               {"ComuneRes", txtComuneRes},   {"CapRes", txtCapRes},
               {"Categoria", txtCategoria},   {"TelCasa", txtTelCasa},
               {"TelUff", txtTelUff},         {"TelCel", txtTelCel},
               {"Fax", txtFax},               {"Email", txtEmail},
               {"CodFisc", txtCodFisc},       {"Carta", txtCarta},
               {"ScadeCarta", txtScadeCarta}, {"PartitaIva", txtPartitaIva},
               {"Iban", txtIban},             {"TipoDoc", txtTipoDoc},
               {"NumDoc", txtNumDoc},         {"EnteRil", txtEnteRil},
               {"DataRil", txtDataRil},       {"DataSca", txtDataSca},
               {"CCP", txtCCP},               {"Causale01", txtCausale01},
               {"Causale02", txtCausale02},   {"Note", txtNote}};

    // The command column, with the information bar's description of each.
    colonnaComandi(pan, form,
                   {
                       comandi::nuovo(&cmdNuovo),
                       comandi::duplica(&cmdDuplica),
                       comandi::salva(&cmdSalva),
                       comandi::allega(&cmdFile, "cmdFile"),
                       comandi::trova(&cmdTrova),
                       {&cmdAnteprima, "cmdAnteprima", "Anteprima", "cmd_anteprima",
                        QStringLiteral("Visualizza l'anteprima di stampa.")},
                       {&cmdStampa, "cmdStampa", "Stampa", "cmd_stampa", QStringLiteral("Stampa la scheda corrente.")},
                       {&cmdPDF, "cmdPDF", "Crea PDF", "cmd_pdf", QStringLiteral("Esporta la scheda in formato PDF.")},
                       {&cmdRicontatta, "cmdRicontatta", "Da ricontattare", "cmd_ricontatta",
                        QStringLiteral("Visualizza l'elenco dei beneficiari o esecutori da ricontattare.")},
                       comandi::esporta(&cmdEsporta, "Esporta archivio"),
                       comandi::guida(&cmdGuida),
                       comandi::esci(&cmdEsci),
                   },
                   QPoint(964, 8), 52);
    barraNavigazione(pan, form, {&cmdPrimo, &cmdIndietro, &cmdAvanti, &cmdUltimo, &lblPosizione}, QPoint(902, 640),
                     QSize(40, 42), QSize(60, 34));

    form->hint(btnEmail, QStringLiteral("Invia una e-mail all'indirizzo indicato."));
    form->hint(btnCodFisc, QStringLiteral("Controlla il codice fiscale."));
    form->hint(btnPartitaIva, QStringLiteral("Controlla il numero di partita IVA."));
    form->hint(btnCarta, QStringLiteral("Controlla il numero di carta di credito."));
    form->hint(btnIban, QStringLiteral("Controlla l'IBAN."));
    form->hint(chkRicontatta, QStringLiteral("Annota che il beneficiario o l'esecutore \u00e8 da ricontattare per "
                                             "questioni in sospeso."));

    // Typing rules, focus frames, the Enter ring and the tab order.
    QList<QWidget*> ring;
    for (const auto& [name, w] : m_campi) ring.append(w);
    for (int i = 0; i < ring.size(); ++i) {
        form->addFrame(ring[i]);
        form->addEnter(ring[i], ring[(i + 1) % ring.size()]);
    }
    for (QLineEdit* f : {txtEsecutore, txtGG, txtMM, txtAA, txtSesso, txtIndirizzoRes, txtComuneRes, txtCapRes})
        form->upperCase(f);
    for (QLineEdit* f : {txtCodFisc, txtIban}) form->upperCase(f, true);
    senzaSpazi(txtIban);
    for (QLineEdit* f : {txtCarta, txtPartitaIva, txtCCP}) form->digitsOnly(f);
    for (QComboBox* c : {txtProvNasc, txtProvRes}) {
        form->upperCase(c->lineEdit(), true);
        c->installEventFilter(this);
    }
    txtEmail->installEventFilter(this);
    connect(txtEmail, &QLineEdit::textEdited, this, &TfrmEsecutori::txtEmailTyping);
    QList<QWidget*> tabs = ring;
    tabs.append(chkRicontatta);
    for (int i = 0; i + 1 < tabs.size(); ++i) setTabOrder(tabs[i], tabs[i + 1]);

    connect(cmdNuovo, &QToolButton::clicked, this, &TfrmEsecutori::cmdNuovoClick);
    connect(cmdDuplica, &QToolButton::clicked, this, &TfrmEsecutori::cmdDuplicaClick);
    connect(cmdSalva, &QToolButton::clicked, this, &TfrmEsecutori::cmdSalvaClick);
    connect(cmdFile, &QToolButton::clicked, this, &TfrmEsecutori::cmdFileClick);
    connect(cmdAnteprima, &QToolButton::clicked, this, &TfrmEsecutori::cmdAnteprimaClick);
    connect(cmdStampa, &QToolButton::clicked, this, &TfrmEsecutori::cmdStampaClick);
    connect(cmdPDF, &QToolButton::clicked, this, &TfrmEsecutori::cmdPDFClick);
    connect(cmdGuida, &QToolButton::clicked, this, &TfrmEsecutori::cmdGuidaClick);
    connect(cmdEsci, &QToolButton::clicked, this, &QWidget::close);
    connect(cmdPrimo, &QToolButton::clicked, this, &TfrmEsecutori::cmdPrimoClick);
    connect(cmdIndietro, &QToolButton::clicked, this, &TfrmEsecutori::cmdIndietroClick);
    connect(cmdAvanti, &QToolButton::clicked, this, &TfrmEsecutori::cmdAvantiClick);
    connect(cmdUltimo, &QToolButton::clicked, this, &TfrmEsecutori::cmdUltimoClick);
    connect(btnEmail, &QToolButton::clicked, this, &TfrmEsecutori::btnEmailClick);
    connect(btnCodFisc, &QToolButton::clicked, this, &TfrmEsecutori::btnCodFiscClick);
    connect(btnPartitaIva, &QToolButton::clicked, this, &TfrmEsecutori::btnPartitaIvaClick);
    connect(btnCarta, &QToolButton::clicked, this, &TfrmEsecutori::btnCartaClick);
    connect(btnIban, &QToolButton::clicked, this, &TfrmEsecutori::btnIbanClick);
    connect(cmdTrova, &QToolButton::clicked, this, &TfrmEsecutori::cmdTrovaClick);
    connect(cmdRicontatta, &QToolButton::clicked, this, &TfrmEsecutori::cmdRicontattaClick);
    // Esporta archivio opens a screen that is not part of this window.
}

void TfrmEsecutori::resizeEvent(QResizeEvent*) { centra(panContainer, this); }

QString TfrmEsecutori::testo(QWidget* campo) const {
    if (auto* c = qobject_cast<QComboBox*>(campo)) return c->currentText();
    return static_cast<QLineEdit*>(campo)->text();
}

void TfrmEsecutori::imposta(QWidget* campo, const QString& valore) {
    if (auto* c = qobject_cast<QComboBox*>(campo)) {
        c->setCurrentIndex(-1);
        c->setEditText(valore);
    } else {
        static_cast<QLineEdit*>(campo)->setText(valore);
    }
}

void TfrmEsecutori::mostra() {
    setWindowTitle(kTitolo);
    svuota();
    panInfo->setText(kPronto);
    showMaximized();
    activateWindow();
    txtEsecutore->setFocus(Qt::OtherFocusReason);
}

void TfrmEsecutori::svuota() {
    for (const auto& [name, w] : m_campi) imposta(w, QString());
    chkRicontatta->setChecked(false);
    for (QLabel* l : {lblFile01, lblFile02, lblFile03, lblDesc01, lblDesc02, lblDesc03, lblPosizione}) l->clear();
}

void TfrmEsecutori::cmdNuovoClick() {
    svuota();
    txtEsecutore->setFocus(Qt::OtherFocusReason);
}

QHash<QString, QString> TfrmEsecutori::valoriSchermo() const {
    QHash<QString, QString> v;
    for (const auto& [name, w] : m_campi) v.insert(name, testo(w));
    v.insert(QStringLiteral("Ricontatta"), flags::of(chkRicontatta->isChecked()));
    const std::pair<const char*, QLabel*> allegati[] = {{"File01", lblFile01}, {"File02", lblFile02},
                                                        {"File03", lblFile03}, {"Desc01", lblDesc01},
                                                        {"Desc02", lblDesc02}, {"Desc03", lblDesc03}};
    for (const auto& [name, l] : allegati) v.insert(QLatin1String(name), l->text());
    return v;
}

void TfrmEsecutori::caricaScheda(const TSchedaAnagrafica& r, qint64 numero) {
    QHash<QString, QString> v;
    forEachField(r, [&v](const char* name, const auto& field) { v.insert(QLatin1String(name), field.get()); });
    for (const auto& [name, w] : m_campi) imposta(w, v.value(name));
    const QString ricontatta = v.value(QStringLiteral("Ricontatta"));
    if (ricontatta == flags::si) chkRicontatta->setChecked(true);
    else if (ricontatta == flags::no) chkRicontatta->setChecked(false);
    lblFile01->setText(v.value(QStringLiteral("File01")));
    lblFile02->setText(v.value(QStringLiteral("File02")));
    lblFile03->setText(v.value(QStringLiteral("File03")));
    lblDesc01->setText(v.value(QStringLiteral("Desc01")));
    lblDesc02->setText(v.value(QStringLiteral("Desc02")));
    lblDesc03->setText(v.value(QStringLiteral("Desc03")));
    lblPosizione->setText(QString::number(numero));
}

void TfrmEsecutori::cmdPrimoClick() { m_archivio->primo(); }
void TfrmEsecutori::cmdUltimoClick() { m_archivio->ultimo(); }
void TfrmEsecutori::cmdAvantiClick() { m_archivio->avanti(); }
void TfrmEsecutori::cmdIndietroClick() { m_archivio->indietro(); }

void TfrmEsecutori::cmdSalvaClick() {
    if (text::trimmed(txtEsecutore->text()).isEmpty()) {
        msg::warning(this, QStringLiteral("Attenzione: per salvare la scheda \u00e8 necessario indicare il nome "
                                          "dell'esecutore o beneficiario."));
        txtEsecutore->setFocus(Qt::OtherFocusReason);
        return;
    }
    TSchedaAnagrafica r;
    const QHash<QString, QString> v = valoriSchermo();
    forEachField(r, [&v](const char* name, auto& field) { field.set(v.value(QLatin1String(name))); });

    m_archivio->salva(r, MessageService::Error);
}

void TfrmEsecutori::cmdDuplicaClick() {
    if (!m_archivio->duplica({lblFile01, lblFile02, lblFile03, lblDesc01, lblDesc02, lblDesc03})) return;
    txtEsecutore->setFocus(Qt::OtherFocusReason);
    m_archivio->duplicato();
}

void TfrmEsecutori::cmdFileClick() {
    TfrmAllegaCartella dlg(allegati());
    dlg.exec();
}

void TfrmEsecutori::cmdGuidaClick() { mostraGuida(this, guidaEsecutori::titolo(), guidaEsecutori::testo()); }

void TfrmEsecutori::btnEmailClick() {
    TMisc::Open(QStringLiteral("\"mailto:") + text::trimmed(txtEmail->text()) + QLatin1Char('"'));
}

void TfrmEsecutori::btnCodFiscClick() {
    const QString t = text::trimmed(txtCodFisc->text());
    // Eleven digits in the tax code field are a firm's tax code, which is its VAT number.
    if (!t.isEmpty() && text::isDigits(t)) {
        TfrmPartitaIva dlg(this, t);
        dlg.exec();
    } else {
        TfrmCodFisc dlg(this, t);
        dlg.exec();
    }
}

void TfrmEsecutori::btnPartitaIvaClick() {
    TfrmPartitaIva dlg(this, text::trimmed(txtPartitaIva->text()));
    dlg.exec();
}

void TfrmEsecutori::btnCartaClick() {
    TfrmCarta dlg(this, text::trimmed(txtCarta->text()));
    dlg.exec();
}

void TfrmEsecutori::btnIbanClick() {
    TfrmIban dlg(this, text::trimmed(txtIban->text()));
    dlg.exec();
}

void TfrmEsecutori::riempiScheda(bool conCalce) {
    schedaInformativa::riempi(repScheda, valoriSchermo(),
                              conCalce ? schedaInformativa::calce(Clock::now()) : QString());
    repScheda.prepare(Clock::now());
}

void TfrmEsecutori::cmdStampaClick() {
    riempiScheda(true);
    reportOutput::print(this, repScheda);
}

void TfrmEsecutori::cmdAnteprimaClick() {
    riempiScheda(true);
    reportOutput::preview(this, repScheda);
}

void TfrmEsecutori::cmdPDFClick() {
    // The PDF carries the moment it was made, like a printed card.
    riempiScheda(true);
    const QString path = QDir(programFolder::path()).filePath(QStringLiteral("Esecutore.pdf"));
    if (!exportPdf(repScheda.prepared(), path, schedaInformativa::proprietaPdf())) {
        msg::error(this, QStringLiteral("Attenzione: non \u00e8 stato possibile creare il file PDF.\r\n\r\n"
                                        "Accertarsi che il file Esecutore.pdf non sia aperto in un altro programma e "
                                        "di possedere i privilegi di scrittura nella cartella di installazione del "
                                        "programma."));
        return;
    }
    if (msg::question(this, QStringLiteral("L'esportazione della scheda in PDF \u00e8 terminata con successo.\r\n\r\n"
                                           "Si vuole aprire il file?")))
        TMisc::Open(QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"'));
}

void TfrmEsecutori::txtProvCanFocus(QComboBox* prov) {
    const QString t = prov->currentText();
    prov->setCurrentIndex(-1);
    prov->setEditText(t);
}

void TfrmEsecutori::txtProvExit(QComboBox* prov) {
    const QString t = text::upperAZ(text::trimmed(prov->currentText()));
    if (t != prov->currentText()) prov->setEditText(t);
}

void TfrmEsecutori::txtEmailTyping() {
    const QString t = text::trimmed(txtEmail->text());
    if (t == txtEmail->text()) return;
    const int cursor = txtEmail->cursorPosition() - int(txtEmail->text().indexOf(t.isEmpty() ? txtEmail->text() : t));
    txtEmail->setText(t);
    txtEmail->setCursorPosition(std::clamp(cursor, 0, int(t.size())));
}

bool TfrmEsecutori::eventFilter(QObject* watched, QEvent* event) {
    if (auto* prov = qobject_cast<QComboBox*>(watched); prov && (prov == txtProvNasc || prov == txtProvRes)) {
        if (event->type() == QEvent::FocusIn) txtProvCanFocus(prov);
        else if (event->type() == QEvent::FocusOut) txtProvExit(prov);
    } else if (watched == txtEmail && event->type() == QEvent::FocusOut) {
        txtEmailTyping();
    }
    return Workspace::eventFilter(watched, event);
}

PortaAllegati TfrmEsecutori::allegati() {
    return {this, QStringLiteral("esecutori"), {lblFile01, lblDesc01, lblFile02, lblDesc02, lblFile03, lblDesc03}};
}

void TfrmEsecutori::cmdTrovaClick() {
    DestinoFinestra destino(this, [this](const TSchedaAnagrafica& r, qint64 n) { caricaScheda(r, n); });
    TfrmTrovaEsecutori trova(this, destino);
    trova.lblMemory->setText(QStringLiteral("esecutori"));
    trova.exec();
}

void TfrmEsecutori::cmdRicontattaClick() {
    DestinoFinestra destino(this, [this](const TSchedaAnagrafica& r, qint64 n) { caricaScheda(r, n); });
    TfrmRicontatta elenco(this, destino);
    elenco.exec();
}
