#include "TfrmEsecutori.h"

#include "GuidaEsecutori.h"
#include "print/SchedaInformativa.h"
#include "ui/SenzaSpazi.h"
#include "ui/Clock.h"
#include "ui/FileDialogService.h"
#include "ui/EntryForm.h"
#include "ui/MessageService.h"
#include "ui/Picture.h"
#include "ui/ProgramFolder.h"
#include "ui/Shell.h"
#include "ui/TfrmGuida.h"
#include "archive/Archivi.h"
#include "archive/Province.h"
#include "archive/RecordFile.h"
#include "archive/Text.h"
#include "TfrmCarta.h"
#include "TfrmCodFisc.h"
#include "TfrmExpEsecutori.h"
#include "TfrmIban.h"
#include "TfrmImportaSchede.h"
#include "TfrmPartitaIva.h"
#include "TfrmRicontatta.h"
#include "TfrmTrovaEsecutori.h"
#include "ui/ReportOutput.h"
#include "print/Palette.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStandardPaths>
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


// The panel behind the fields: five grey sections with rounded corners.
void disegnaSezioni(QPainter& p) {
    for (const Sezione& s : kSezioni) {
        const QRectF r(8, s.top, 944, altezza(s));
        p.setPen(QPen(palette::frameLine, 1.2));
        p.setBrush(palette::frameFill);
        p.drawRoundedRect(r, 8, 8);
        p.fillRect(QRectF(r.left() + 1, r.top() + 1, 64, r.height() - 2), palette::frameTab);
    }
    // The bottom strip under the status line and the arrows.
    p.setPen(Qt::NoPen);
    p.setBrush(palette::deep);
    p.drawRoundedRect(QRectF(8, 638, 1134, 46), 8, 8);
}

} // namespace

TfrmEsecutori::TfrmEsecutori(QWidget* parent)
    : SchedaWorkspace(disegnaSezioni, kPanel, QStringLiteral("esecutori"),
                      [] { return archivi::anagrafica(programFolder::path()); }, parent),
      repScheda(schedaInformativa::layout()) {
    setObjectName(QStringLiteral("frmEsecutori"));
    setWindowTitle(kTitolo);
    infoBar(QRect(16, 642, 690, 38),
                      QStringLiteral("QLabel { color: white; font-weight: bold; padding-left: 8px; }"), kPronto);
    for (int i = 0; i < 5; ++i) {
        const Sezione& s = kSezioni[i];
        auto* img = new Picture(QStringLiteral("imgSezione%1").arg(i + 1),
                                QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(s.picture)), panContainer);
        img->setGeometry(16, s.top + (altezza(s) - 48) / 2, 48, 48);
        form->clearsHints(img);
    }

    int y = riga(0, 0);
    txtEsecutore = campoSotto("Esecutore", 34, QStringLiteral("Cognome e nome o ragione sociale:"), 80, y, 300);
    label(QStringLiteral("Data di nascita:"), QRect(392, y, 160, 16), 8);
    txtGG = field("GG", 2, QRect(392, y + 16, 34, 24), QStringLiteral("Giorno di nascita"));
    txtMM = field("MM", 2, QRect(430, y + 16, 34, 24), QStringLiteral("Mese di nascita"));
    txtAA = field("AA", 2, QRect(468, y + 16, 34, 24), QStringLiteral("Anno di nascita"));
    txtComuneNasc = campoSotto("ComuneNasc", 50, QStringLiteral("Comune di nascita:"), 516, y, 330);
    txtProvNasc = provincia("ProvNasc", 858, y);
    y = riga(0, 1);
    txtSesso = campoSotto("Sesso", 1, QStringLiteral("Sesso:"), 80, y, 44);
    txtRecapito = campoSotto("Recapito", 50, QStringLiteral("Recapito preferenziale:"), 136, y, 340);
    txtIndirizzoRes =
        campoSotto("IndirizzoRes", 23, QStringLiteral("Residente in Via / Piazza e numero civico:"), 488, y, 358);
    txtProvRes = provincia("ProvRes", 858, y);
    y = riga(0, 2);
    txtComuneRes = campoSotto("ComuneRes", 17, QStringLiteral("Comune di residenza:"), 80, y, 260);
    txtCapRes = campoSotto("CapRes", 5, QStringLiteral("CAP:"), 352, y, 80);
    txtCategoria = campoSotto("Categoria", 50, QStringLiteral("Categoria di appartenenza:"), 444, y, 484);

    y = riga(1, 0);
    txtTelCasa = campoSotto("TelCasa", 30, QStringLiteral("Tel. casa:"), 80, y, 276);
    txtTelUff = campoSotto("TelUff", 30, QStringLiteral("Tel. ufficio:"), 368, y, 276);
    txtTelCel = campoSotto("TelCel", 30, QStringLiteral("Tel. cellulare:"), 656, y, 272);
    y = riga(1, 1);
    txtFax = campoSotto("Fax", 30, QStringLiteral("Fax:"), 80, y, 276);
    txtEmail = campoSotto("Email", 50, QStringLiteral("E-mail:"), 368, y, 520);
    btnEmail = controlla("btnEmail", "btn_email", QStringLiteral("Invia una e-mail all'indirizzo indicato."), 896, y);

    y = riga(2, 0);
    txtCodFisc = campoSotto("CodFisc", 16, QStringLiteral("Codice fiscale:"), 80, y, 240);
    btnCodFisc = controlla("btnCodFisc", "btn_controlla", QStringLiteral("Controlla il codice fiscale."), 326, y);
    txtCarta = campoSotto("Carta", 30, QStringLiteral("Carta di credito n."), 372, y, 300);
    btnCarta = controlla("btnCarta", "btn_controlla", QStringLiteral("Controlla il numero di carta di credito."), 678, y);
    txtScadeCarta = campoSotto("ScadeCarta", 30, QStringLiteral("Scadenza:"), 724, y, 204);
    y = riga(2, 1);
    txtPartitaIva = campoSotto("PartitaIva", 11, QStringLiteral("Partita IVA:"), 80, y, 240);
    btnPartitaIva =
        controlla("btnPartitaIva", "btn_controlla", QStringLiteral("Controlla il numero di partita IVA."), 326, y);
    txtIban = campoSotto("Iban", 27, QStringLiteral("IBAN:"), 372, y, 300);
    btnIban = controlla("btnIban", "btn_controlla", QStringLiteral("Controlla l'IBAN."), 678, y);

    y = riga(3, 0);
    txtTipoDoc = campoSotto("TipoDoc", 50, QStringLiteral("Tipo documento:"), 80, y, 276);
    txtNumDoc = campoSotto("NumDoc", 50, QStringLiteral("Numero documento:"), 368, y, 276);
    txtEnteRil = campoSotto("EnteRil", 50, QStringLiteral("Ente di rilascio:"), 656, y, 272);
    y = riga(3, 1);
    txtDataRil = campoSotto("DataRil", 10, QStringLiteral("Data rilascio (gg/mm/aaaa):"), 80, y, 200);
    txtDataSca = campoSotto("DataSca", 10, QStringLiteral("Data scadenza (gg/mm/aaaa):"), 292, y, 200);
    txtCCP = campoSotto("CCP", 12, QStringLiteral("C/C Postale n."), 504, y, 200);

    y = riga(4, 0);
    txtCausale01 = campoSotto("Causale01", 250, QStringLiteral("Causale (rigo 1):"), 80, y, 848);
    y = riga(4, 1);
    txtCausale02 = campoSotto("Causale02", 250, QStringLiteral("Causale (rigo 2):"), 80, y, 848);
    y = riga(4, 2);
    txtNote = campoSotto("Note", 250, QStringLiteral("Note:"), 80, y, 660);
    chkRicontatta = checkBox("Ricontatta", QStringLiteral("Da ricontattare"), QRect(760, y + 16, 168, 24));
    form->hint(chkRicontatta, QStringLiteral("Annota che il beneficiario o l'esecutore \u00e8 da ricontattare per "
                                             "questioni in sospeso."));

    commandColumn(
        &cmdFile, "cmdFile",
        {
            {&cmdAnteprima, "cmdAnteprima", "Anteprima", "cmd_anteprima",
             QStringLiteral("Visualizza l'anteprima di stampa.")},
            {&cmdStampa, "cmdStampa", "Stampa", "cmd_stampa", QStringLiteral("Stampa la scheda corrente.")},
            {&cmdPDF, "cmdPDF", "Crea PDF", "cmd_pdf", QStringLiteral("Esporta la scheda in formato PDF.")},
            {&cmdRicontatta, "cmdRicontatta", "Da ricontattare", "cmd_ricontatta",
             QStringLiteral("Visualizza l'elenco dei beneficiari o esecutori da ricontattare.")},
            {&cmdImporta, "cmdImporta", "Importa schede", "cmd_importa",
             QStringLiteral("Importa nuove schede da un file CSV salvato con un foglio di calcolo.")},
        },
        "Esporta archivio", QPoint(964, 8), 48);
    arrows(QPoint(902, 640), QSize(40, 42), QSize(60, 34));
    connect(cmdFile, &QToolButton::clicked, this, &TfrmEsecutori::cmdFileClick);
    connect(cmdAnteprima, &QToolButton::clicked, this, &TfrmEsecutori::cmdAnteprimaClick);
    connect(cmdStampa, &QToolButton::clicked, this, &TfrmEsecutori::cmdStampaClick);
    connect(cmdPDF, &QToolButton::clicked, this, &TfrmEsecutori::cmdPDFClick);
    connect(btnEmail, &QToolButton::clicked, this, &TfrmEsecutori::btnEmailClick);
    connect(btnCodFisc, &QToolButton::clicked, this, &TfrmEsecutori::btnCodFiscClick);
    connect(btnPartitaIva, &QToolButton::clicked, this, &TfrmEsecutori::btnPartitaIvaClick);
    connect(btnCarta, &QToolButton::clicked, this, &TfrmEsecutori::btnCartaClick);
    connect(btnIban, &QToolButton::clicked, this, &TfrmEsecutori::btnIbanClick);
    connect(cmdRicontatta, &QToolButton::clicked, this, &TfrmEsecutori::cmdRicontattaClick);
    connect(cmdImporta, &QToolButton::clicked, this, &TfrmEsecutori::cmdImportaClick);

    // Typing rules, focus frames, the Enter ring (all the fields, in record order) and the tab order.
    const QList<QWidget*> ring = {txtEsecutore, txtGG,         txtMM,         txtAA,        txtComuneNasc, txtProvNasc,
                                  txtSesso,     txtRecapito,   txtIndirizzoRes, txtProvRes, txtComuneRes,  txtCapRes,
                                  txtCategoria, txtTelCasa,    txtTelUff,     txtTelCel,    txtFax,        txtEmail,
                                  txtCodFisc,   txtCarta,      txtScadeCarta, txtPartitaIva, txtIban,      txtTipoDoc,
                                  txtNumDoc,    txtEnteRil,    txtDataRil,    txtDataSca,   txtCCP,        txtCausale01,
                                  txtCausale02, txtNote};
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
    campiIniziali(txtEsecutore, txtEsecutore);
}

QLineEdit* TfrmEsecutori::campoSotto(const char* nome, int capacita, const QString& titolo, int x, int y, int w) {
    return field(nome, capacita, QRect(x, y + 16, w, 24), label(titolo, QRect(x, y, w + 40, 16), 8));
}

QComboBox* TfrmEsecutori::provincia(const char* nome, int x, int y) {
    QComboBox* c = comboField(nome, province(), 2, QRect(x, y + 16, 70, 24),
                               qstrcmp(nome, "ProvNasc") == 0 ? QStringLiteral("Provincia di nascita")
                                                              : QStringLiteral("Provincia di residenza"));
    c->setMaxVisibleItems(16);
    label(QStringLiteral("Prov."), QRect(x, y, 70, 16), 8);
    return c;
}

QToolButton* TfrmEsecutori::controlla(const char* nome, const char* picture, const QString& hint, int x, int y) {
    QToolButton* b = nullptr;
    pulsantiImmagine(panContainer, form, {{&b, nome, "", picture, hint, QRect(x, y + 14, 28, 28)}});
    return b;
}

void TfrmEsecutori::resizeEvent(QResizeEvent*) { centra(panContainer, this); }

void TfrmEsecutori::mostra() {
    setWindowTitle(kTitolo);
    clear();
    showMaximized();
    activateWindow();
    EntryForm::focusField(txtEsecutore);
}

void TfrmEsecutori::cmdGuidaClick() { mostraGuida(this, guidaEsecutori::titolo(), guidaEsecutori::testo()); }

void TfrmEsecutori::cmdSalvaClick() {
    if (filled(txtEsecutore, QStringLiteral("Attenzione: per salvare la scheda \u00e8 necessario indicare il nome "
                                               "dell'esecutore o beneficiario.")))
        salvaScheda(MessageService::Error);
}

void TfrmEsecutori::cmdFileClick() { openAttachments(); }

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

bool TfrmEsecutori::riempiScheda() {
    // The printout carries the moment it was made.
    return reportOutput::prepara(this, [this] {
        schedaInformativa::riempi(repScheda, scheda(), schedaInformativa::calce(Clock::now()));
        repScheda.prepare(Clock::now());
    });
}

void TfrmEsecutori::cmdStampaClick() {
    if (riempiScheda()) reportOutput::print(this, repScheda);
}

void TfrmEsecutori::cmdAnteprimaClick() {
    if (riempiScheda()) reportOutput::preview(this, repScheda);
}

void TfrmEsecutori::cmdPDFClick() {
    if (!riempiScheda()) return;
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
    return SchedaWorkspace::eventFilter(watched, event);
}

void TfrmEsecutori::cmdTrovaClick() {
    DestinoFinestra destino(this, [this](const TSchedaAnagrafica& r, qint64 n) { caricaScheda(r, n); });
    TfrmTrovaEsecutori trova(this, destino);
    trova.lblMemory->setText(QStringLiteral("esecutori"));
    trova.exec();
}

void TfrmEsecutori::cmdEsportaClick() {
    TfrmExpEsecutori esporta(this);
    esporta.exec();
}

void TfrmEsecutori::cmdRicontattaClick() {
    DestinoFinestra destino(this, [this](const TSchedaAnagrafica& r, qint64 n) { caricaScheda(r, n); });
    TfrmRicontatta elenco(this, destino);
    elenco.exec();
}

void TfrmEsecutori::cmdImportaClick() {
    const QString file =
        fileDialog::openFile(this, QStringLiteral("Selezionare il file CSV da importare:"),
                             QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                             QStringLiteral("File CSV (*.csv);;Tutti i file (*.*)"));
    if (file.isEmpty()) return;
    const QString registro = archivi::anagrafica(programFolder::path());
    TfrmImportaSchede importa(this, registro, file);
    if (!importa.prepara() || importa.exec() != QDialog::Accepted || importa.primaAggiunta() == 0) return;
    // The first card added is shown, so the arrows go on from there through the others.
    try {
        RecordFile<TSchedaAnagrafica> f(registro);
        caricaScheda(f.read(importa.primaAggiunta() - 1), importa.primaAggiunta());
    } catch (const ArchiveError&) {
        msg::error(this, kTestoAccesso);
    }
}
