#include "FinestraEsportazione.h"

#include "Comandi.h"
#include "EntryForm.h"
#include "MessageService.h"
#include "Picture.h"
#include "ProgramFolder.h"
#include "Shell.h"
#include "TfrmGuida.h"
#include "print/Palette.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QToolButton>

namespace {

const QString kPronto = QStringLiteral("Esportazione archivio in Microsoft Excel.");
const QString kDomanda = QStringLiteral(
    "L'esportazione dei dati in Excel pu\u00f2 richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kFatto = QStringLiteral(
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
const QString kFallito = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di Excel non sia gi\u00e0 "
    "aperto.");

CelleFoglio righeVuote(const Foglio& f) {
    CelleFoglio c(f);
    c.aggiungiVuote(esportazione::kRigheVuote);
    return c;
}

} // namespace

ModelloFoglio::ModelloFoglio(const Foglio& foglio, QObject* parent)
    : QAbstractTableModel(parent), m_foglio(foglio), m_righe(righeVuote(foglio)) {}

void ModelloFoglio::imposta(CelleFoglio righe) {
    beginResetModel();
    m_righe = righe.isEmpty() ? righeVuote(m_foglio) : std::move(righe);
    endResetModel();
}

int ModelloFoglio::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_righe.righe()); }

int ModelloFoglio::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_foglio.colonne.size()) + 1;
}

QVariant ModelloFoglio::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    if (index.column() == 0) return index.row() + 1;
    return m_righe.testo(index.row(), index.column() - 1);
}

bool ModelloFoglio::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    m_righe.cambia(index.row(), index.column() - 1, value.toString());
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags ModelloFoglio::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() > 0 && m_foglio.colonne[index.column() - 1].modificabile)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant ModelloFoglio::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? QStringLiteral("N.") : m_foglio.colonne[section - 1].titoloGriglia;
}

FinestraEsportazione::FinestraEsportazione(const Foglio& foglio, const QString& caption, Guida guida, QWidget* parent)
    : QDialog(parent), m_foglio(foglio), m_guida(std::move(guida)) {
    caricaImmagini();
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(862, 560);
    setStyleSheet(palette::sheet(QStringLiteral("FinestraEsportazione { background: @page; }")));

    panInfo = new QLabel(kPronto, this);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setGeometry(0, 528, 862, 32);
    panInfo->setIndent(12);
    panInfo->setStyleSheet(palette::sheet(QStringLiteral("QLabel { background: @ink; color: white; font-weight: bold; }")));

    m_form = new EntryForm(this, panInfo);
    pulsantiImmagine(this, m_form,
                     {{&cmdEsporta, "cmdEsporta", "", "cmd_esporta",
                       QStringLiteral("Esporta l'archivio in formato Microsoft Excel."), QRect(12, 8, 48, 48)},
                      {&cmdGuida, "cmdGuida", "", "cmd_guida",
                       QStringLiteral("Visualizza la pagina della guida sensibile al contesto."), QRect(66, 8, 48, 48)},
                      {&cmdEsci, "cmdEsci", "", "cmd_esci", QStringLiteral("Esci da questo ambiente di lavoro."),
                       QRect(120, 8, 48, 48)}});
    // Here the three pictures are the screen's only commands: the keyboard must reach them too.
    const QList<std::pair<QToolButton*, const char*>> nomi = {
        {cmdEsporta, "Esporta archivio"}, {cmdGuida, "Guida"}, {cmdEsci, "Esci"}};
    for (const auto& [b, nome] : nomi) {
        b->setFocusPolicy(Qt::StrongFocus);
        b->setAccessibleName(QString::fromUtf8(nome));
        b->setToolTip(QString::fromUtf8(nome));
    }

    m_modello = new ModelloFoglio(foglio, this);
    grdRecords = new QTableView(this);
    grdRecords->setObjectName(QStringLiteral("grdRecords"));
    grdRecords->setAccessibleName(caption.trimmed());
    grdRecords->setModel(m_modello);
    grdRecords->setGeometry(12, 64, 838, 456);
    grdRecords->setAlternatingRowColors(true);
    grdRecords->verticalHeader()->hide();
    grdRecords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdRecords->verticalHeader()->setDefaultSectionSize(21);
    grdRecords->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grdRecords->horizontalHeader()->setHighlightSections(false);
    grdRecords->setColumnWidth(0, 60);
    for (int i = 0; i < foglio.colonne.size(); ++i) grdRecords->setColumnWidth(i + 1, foglio.colonne[i].larghezzaGriglia);
    grdRecords->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    grdRecords->setStyleSheet(palette::sheet(QStringLiteral("QTableView { background: white; alternate-background-color: @band; "
                                             "gridline-color: @grid; }"
                                             "QHeaderView::section { background: @header; font-weight: bold; "
                                             "padding: 2px 4px; border: none; border-right: 1px solid @grid; "
                                             "border-bottom: 1px solid @grid; }")));
    m_form->clearsHints(this);
    m_form->clearsHints(grdRecords->viewport());
    m_form->clearsHints(panInfo);

    connect(cmdEsporta, &QToolButton::clicked, this, &FinestraEsportazione::cmdEsportaClick);
    connect(cmdGuida, &QToolButton::clicked, this, &FinestraEsportazione::cmdGuidaClick);
    connect(cmdEsci, &QToolButton::clicked, this, &QDialog::reject);
}

QString FinestraEsportazione::percorsoFile() const { return programFolder::path() + m_foglio.nomeFile; }

void FinestraEsportazione::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (m_riempita) return;
    m_riempita = true;
    riempi();
}

void FinestraEsportazione::riempi() {
    CelleFoglio righe(m_foglio);
    bool letto = true;
    try {
        leggi(righe);
    } catch (const ArchiveError&) {
        letto = false;
    }
    m_modello->imposta(std::move(righe));
    // The rows read stay; the user is told the grid may not hold the whole archive.
    if (!letto) msg::warning(this, kTestoAccesso);
}

void FinestraEsportazione::cmdEsportaClick() {
    if (!msg::question(this, kDomanda)) return;
    const QString file = percorsoFile();
    try {
        esportazione::scrivi(file, m_modello->righe(), esportazione::Formato::Xls);
    } catch (const ArchiveError&) {
        msg::plain(this, kFallito);
        return;
    }
    if (msg::question(this, kFatto)) TMisc::Open(QLatin1Char('"') + file + QLatin1Char('"'));
}

void FinestraEsportazione::cmdGuidaClick() {
    mostraGuida(this, m_guida.titolo,
                m_guida.primoParagrafo + QStringLiteral("\r\n\r\n") +
                    QStringLiteral("Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic "
                                   "sull'icona di Excel. Questa operazione crea in tempo reale un file in formato XLS "
                                   "contenente le schede in archivio, che potr\u00e0 essere aperto immediatamente "
                                   "rispondendo affermativamente al messaggio di domanda che appare.") +
                    QStringLiteral("\r\n\r\n") +
                    QStringLiteral("A questo punto \u00e8 sufficiente salvare il file sul proprio disco fisso "
                                   "assegnandogli un nome qualsiasi."));
}
