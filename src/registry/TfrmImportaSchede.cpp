#include "TfrmImportaSchede.h"

#include "archive/GiornaleLotto.h"
#include "checks/AvvisiScheda.h"
#include "ui/AvvisiArchivio.h"
#include "ui/Comandi.h"
#include "ui/EntryForm.h"
#include "ui/MessageService.h"
#include "ui/Picture.h"
#include "ui/TfrmGuida.h"
#include "print/Palette.h"

#include <QBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QToolButton>

namespace {

const QString kPronto = QStringLiteral("Anteprima dell'importazione: controllare le righe, poi premere Importa.");

enum Colonna { Riga, Esito, Nome, CodFisc, Comune, Motivo, Colonne };

QString separatore(QChar s) {
    if (s == QLatin1Char('\t')) return QStringLiteral("tabulazione");
    if (s == QLatin1Char(';')) return QStringLiteral("punto e virgola");
    return QStringLiteral("virgola");
}

QString plurale(int n, const char* uno, const char* molti) {
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? uno : molti));
}

} // namespace

ModelloImportazione::ModelloImportazione(const importazioneSchede::Piano& piano, QObject* parent)
    : QAbstractTableModel(parent), m_piano(piano) {}

void ModelloImportazione::aggiorna() {
    beginResetModel();
    endResetModel();
}

int ModelloImportazione::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_piano.righe.size());
}

int ModelloImportazione::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Colonne; }

QVariant ModelloImportazione::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const importazioneSchede::Riga& r = m_piano.righe[index.row()];
    const QString motivo = r.accettata() ? r.avvisi.join(QLatin1Char(' ')) : r.rifiuto;
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case Riga: return r.linea;
        case Esito:
            if (!r.accettata()) return QStringLiteral("Rifiutata");
            if (r.posizione > 0) return QStringLiteral("Aggiunta (n. %1)").arg(r.posizione);
            return r.avvisi.isEmpty() ? QStringLiteral("Da aggiungere") : QStringLiteral("Con avviso");
        case Nome: return r.nome.isEmpty() ? QStringLiteral("(senza nome)") : r.nome;
        case CodFisc: return r.scheda.CodFisc.get();
        case Comune: {
            const QString prov = r.scheda.ProvRes.get();
            return r.scheda.ComuneRes.get() + (prov.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(prov));
        }
        case Motivo: return motivo;
        }
    }
    if (role == Qt::BackgroundRole) {
        if (!r.accettata()) return palette::alertFill;
        if (!r.avvisi.isEmpty()) return palette::warnFill;
    }
    if (role == Qt::ForegroundRole && index.column() == Esito)
        return !r.accettata() ? palette::alert : palette::done;
    if (role == Qt::FontRole && index.column() == Nome && r.nome.isEmpty()) {
        QFont f;
        f.setItalic(true);
        return f;
    }
    return {};
}

QVariant ModelloImportazione::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList titoli = {"Riga",           "Esito", "Cognome e nome", "Codice fiscale", "Comune di residenza",
                                       "Motivo del rifiuto o avviso"};
    return titoli.value(section);
}

TfrmImportaSchede::TfrmImportaSchede(QWidget* parent, const QString& registro, const QString& file)
    : QDialog(parent), m_registro(registro), m_file(file) {
    caricaImmagini();
    setObjectName(QStringLiteral("frmImportaSchede"));
    setWindowTitle(QStringLiteral(" Importa schede da un foglio di calcolo"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(1300, 660);
    setStyleSheet(palette::sheet(QStringLiteral("TfrmImportaSchede { background: @page; }")));

    panInfo = new QLabel(kPronto, this);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setFixedHeight(32);
    panInfo->setIndent(12);
    panInfo->setStyleSheet(palette::sheet(QStringLiteral("QLabel { background: @ink; color: white; font-weight: bold; }")));
    m_form = new EntryForm(this, panInfo);

    auto* barra = new QWidget(this);
    barra->setFixedSize(172, 56);
    pulsantiImmagine(barra, m_form,
                     {{&cmdImporta, "cmdImporta", "", "cmd_importa",
                       QStringLiteral("Aggiunge all'archivio tutte le schede accettate; le righe rifiutate non "
                                      "vengono importate."),
                       QRect(12, 4, 48, 48)},
                      {&cmdGuida, "cmdGuida", "", "cmd_guida",
                       QStringLiteral("Visualizza la pagina della guida sensibile al contesto."), QRect(66, 4, 48, 48)},
                      {&cmdEsci, "cmdEsci", "", "cmd_esci", QStringLiteral("Esci senza importare."),
                       QRect(120, 4, 48, 48)}});
    // The pictures are the screen's only commands: the keyboard reaches them too.
    const QList<std::pair<QToolButton*, const char*>> nomi = {{cmdImporta, "Importa"}, {cmdGuida, "Guida"}, {cmdEsci, "Esci"}};
    for (const auto& [b, nome] : nomi) {
        b->setFocusPolicy(Qt::StrongFocus);
        m_form->enterPresses(b);
        b->setAccessibleName(QString::fromUtf8(nome));
        b->setToolTip(QString::fromUtf8(nome));
    }

    auto etichetta = [this](const char* nome, bool grassetto, int punti) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(nome));
        QFont f = l->font();
        f.setBold(grassetto);
        if (punti) f.setPointSize(punti);
        l->setFont(f);
        l->setStyleSheet(palette::sheet(QStringLiteral("color: @ink;")));
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->setWordWrap(true);
        m_form->clearsHints(l);
        return l;
    };
    lblFile = etichetta("lblFile", false, 0);
    lblConteggi = etichetta("lblConteggi", true, 11);
    lblColonne = etichetta("lblColonne", false, 0);
    lblDettaglio = etichetta("lblDettaglio", false, 0);
    lblDettaglio->setMinimumHeight(36);
    lblDettaglio->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_modello = new ModelloImportazione(m_piano, this);
    grdRighe = new QTableView(this);
    grdRighe->setObjectName(QStringLiteral("grdRighe"));
    grdRighe->setAccessibleName(QStringLiteral("Anteprima delle righe del file"));
    grdRighe->setModel(m_modello);
    grdRighe->verticalHeader()->hide();
    grdRighe->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdRighe->verticalHeader()->setDefaultSectionSize(21);
    grdRighe->horizontalHeader()->setHighlightSections(false);
    grdRighe->horizontalHeader()->setStretchLastSection(true);
    grdRighe->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdRighe->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdRighe->setWordWrap(false);
    const int larghezze[] = {44, 130, 220, 150, 180};
    for (int i = 0; i < int(std::size(larghezze)); ++i) grdRighe->setColumnWidth(i, larghezze[i]);
    grdRighe->setStyleSheet(palette::sheet(QStringLiteral("QTableView { background: white; gridline-color: @grid; "
                                           "selection-background-color: @rule; selection-color: @ink; }"
                                           "QHeaderView::section { background: @header; font-weight: bold; "
                                           "padding: 2px 4px; border: none; border-right: 1px solid @grid; "
                                           "border-bottom: 1px solid @grid; }")));
    m_form->clearsHints(this);
    m_form->clearsHints(grdRighe->viewport());
    m_form->clearsHints(panInfo);

    auto* testa = new QVBoxLayout;
    testa->setSpacing(2);
    testa->addWidget(lblFile);
    testa->addWidget(lblConteggi);
    auto* alto = new QHBoxLayout;
    alto->addWidget(barra);
    alto->addLayout(testa, 1);
    auto* corpo = new QVBoxLayout;
    corpo->setContentsMargins(12, 4, 12, 8);
    corpo->addLayout(alto);
    corpo->addWidget(lblColonne);
    corpo->addWidget(grdRighe, 1);
    corpo->addWidget(lblDettaglio);
    auto* tutto = new QVBoxLayout(this);
    tutto->setContentsMargins(0, 0, 0, 0);
    tutto->setSpacing(0);
    tutto->addLayout(corpo, 1);
    tutto->addWidget(panInfo);

    connect(grdRighe->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) { grdRigheRowChanged(i.row()); });
    connect(cmdImporta, &QToolButton::clicked, this, &TfrmImportaSchede::cmdImportaClick);
    connect(cmdGuida, &QToolButton::clicked, this, &TfrmImportaSchede::cmdGuidaClick);
    connect(cmdEsci, &QToolButton::clicked, this, &QDialog::reject);
}

bool TfrmImportaSchede::prepara() {
    // The registry is first put back as it was before an import that a crash cut short (and the user
    // told), so that the rows are judged against the cards it really holds.
    try {
        m_piano = importazioneSchede::preparaFile(m_file, importazioneSchede::chiavi(m_registro), avvisiScheda);
    } catch (const ArchiveError&) {
        avvisiArchivio::mostra(this);
        msg::error(this, kTestoAccesso);
        return false;
    }
    avvisiArchivio::mostra(this);
    if (!m_piano.errore.isEmpty()) {
        msg::warning(this, QStringLiteral("Attenzione: il file %1 non pu\u00f2 essere importato.\r\n\r\n%2")
                               .arg(QDir::toNativeSeparators(m_file), m_piano.errore));
        return false;
    }
    if (m_piano.righe.isEmpty()) {
        msg::warning(this, QStringLiteral("Attenzione: il file %1 contiene soltanto la riga dei nomi delle colonne: "
                                          "non c'\u00e8 nessuna scheda da importare.")
                               .arg(QDir::toNativeSeparators(m_file)));
        return false;
    }
    mostraPiano();
    return true;
}

void TfrmImportaSchede::mostraPiano() {
    m_modello->aggiorna();
    lblFile->setText(QStringLiteral("File: %1 (testo %2, separatore: %3)")
                         .arg(QFileInfo(m_file).fileName(), m_piano.codifica, separatore(m_piano.separatore)));
    lblFile->setToolTip(QDir::toNativeSeparators(QFileInfo(m_file).absoluteFilePath()));
    const int si = m_piano.accettate(), no = m_piano.rifiutate(), avvisi = m_piano.conAvvisi();
    QStringList conti;
    conti << (m_prima > 0 ? plurale(si, "scheda aggiunta", "schede aggiunte") : plurale(si, "scheda da aggiungere", "schede da aggiungere"));
    conti << plurale(no, "riga rifiutata", "righe rifiutate");
    if (avvisi) conti << plurale(avvisi, "con avviso", "con avvisi");
    if (m_piano.vuote) conti << plurale(m_piano.vuote, "riga vuota saltata", "righe vuote saltate");
    lblConteggi->setText(conti.join(QStringLiteral(" \u00b7 ")));
    QStringList ignorate;
    for (const importazioneSchede::Colonna& c : m_piano.colonne)
        if (c.campo.isEmpty())
            ignorate << QStringLiteral("%1 (%2)").arg(c.titolo.isEmpty() ? QStringLiteral("senza nome") : c.titolo, c.ignorata);
    lblColonne->setText(ignorate.isEmpty() ? QStringLiteral("Tutte le colonne del file sono state riconosciute.")
                                           : QStringLiteral("Colonne ignorate: ") + ignorate.join(QStringLiteral("; ")));
    cmdImporta->setEnabled(si > 0 && m_prima == 0);
    if (si == 0 && m_prima == 0)
        panInfo->setText(QStringLiteral("Nessuna riga del file pu\u00f2 essere importata: i motivi sono indicati riga per riga."));
    // The first row that needs a look is the one shown in detail.
    int primo = 0;
    for (qsizetype i = 0; i < m_piano.righe.size(); ++i)
        if (!m_piano.righe[i].accettata() || !m_piano.righe[i].avvisi.isEmpty()) {
            primo = int(i);
            break;
        }
    if (!m_piano.righe.isEmpty()) grdRighe->setCurrentIndex(m_modello->index(primo, 0));
    grdRigheRowChanged(grdRighe->currentIndex().row());
}

void TfrmImportaSchede::grdRigheRowChanged(int riga) {
    if (riga < 0 || riga >= m_piano.righe.size()) {
        lblDettaglio->clear();
        return;
    }
    const importazioneSchede::Riga& r = m_piano.righe[riga];
    QString testo = QStringLiteral("Riga %1: ").arg(r.linea);
    if (!r.accettata()) testo += QStringLiteral("rifiutata. ") + r.rifiuto;
    else if (r.posizione > 0) testo += QStringLiteral("aggiunta come scheda n. %1.").arg(r.posizione);
    else testo += QStringLiteral("sar\u00e0 aggiunta all'archivio.");
    if (r.accettata() && !r.avvisi.isEmpty()) testo += QLatin1Char(' ') + r.avvisi.join(QLatin1Char(' '));
    lblDettaglio->setText(testo);
}

void TfrmImportaSchede::cmdImportaClick() {
    const int si = m_piano.accettate(), no = m_piano.rifiutate();
    if (si == 0 || m_prima > 0) return;
    QString domanda = si == 1 ? QStringLiteral("Si vuole aggiungere all'archivio la scheda accettata?")
                              : QStringLiteral("Si vogliono aggiungere all'archivio le %1 schede accettate?").arg(si);
    if (no > 0)
        domanda += no == 1 ? QStringLiteral("\r\n\r\nLa riga rifiutata non verr\u00e0 importata.")
                           : QStringLiteral("\r\n\r\nLe %1 righe rifiutate non verranno importate.").arg(no);
    if (!msg::question(this, domanda)) return;
    int aggiunte = 0;
    const QString nessuna =
        QStringLiteral("\n\r\n\rNessuna scheda \u00e8 stata importata: l'archivio \u00e8 rimasto com'era.");
    try {
        aggiunte = importazioneSchede::importa(m_registro, m_piano);
    } catch (const GiornaleLasciato& e) {
        mostraPiano();
        avvisiArchivio::mostra(this, e.avviso.giornale);
        msg::warning(this, e.avviso.testo() + QStringLiteral("\n\r\n\rNessuna scheda \u00e8 stata importata."));
        return;
    } catch (const ArchiveError&) {
        mostraPiano();
        avvisiArchivio::mostra(this);
        msg::error(this, kTestoAccesso + nessuna);
        return;
    }
    avvisiArchivio::mostra(this);
    qint64 ultima = 0;
    for (const importazioneSchede::Riga& r : m_piano.righe)
        if (r.posizione > 0) {
            if (!m_prima) m_prima = r.posizione;
            ultima = r.posizione;
        }
    mostraPiano();
    QString fatto = aggiunte == 0 ? QStringLiteral("Attenzione: nessuna scheda \u00e8 stata aggiunta.")
                    : aggiunte == 1
                        ? QStringLiteral("La scheda \u00e8 stata inserita in archivio con il numero %1.").arg(m_prima)
                        : QStringLiteral("Le %1 schede sono state inserite in archivio, dalla n. %2 alla n. %3.")
                              .arg(aggiunte)
                              .arg(m_prima)
                              .arg(ultima);
    if (aggiunte < si)
        fatto += si - aggiunte == 1
                     ? QStringLiteral("\r\n\r\nUna scheda, nel frattempo salvata in archivio da un altro utente, \u00e8 "
                                      "stata rifiutata.")
                     : QStringLiteral("\r\n\r\n%1 schede, nel frattempo salvate in archivio da un altro utente, sono "
                                      "state rifiutate.")
                           .arg(si - aggiunte);
    if (aggiunte == 0) {
        msg::warning(this, fatto);
        return;
    }
    msg::information(this, fatto);
    accept();
}

void TfrmImportaSchede::cmdGuidaClick() {
    mostraGuida(
        this, QStringLiteral("Importazione schede da un foglio di calcolo."),
        QStringLiteral(
            "Il pulsante Importa schede consente di aggiungere all'archivio anagrafico, in una sola volta, l'elenco "
            "dei soci, dei clienti o dei pagatori tenuto in un foglio di calcolo (ad esempio, con Libre Office, Open "
            "Office o Microsoft Office).\r\n\r\n"
            "Il foglio deve essere salvato in formato CSV (\"Testo CSV\" oppure \"CSV (delimitato dal separatore di "
            "elenco)\"), con il punto e virgola o la virgola come separatore. La prima riga deve riportare i nomi "
            "delle colonne, ad esempio Cognome e nome (oppure Cognome e Nome), Indirizzo, CAP, Comune di residenza, "
            "Prov., Codice fiscale, E-mail, Categoria: sono riconosciuti anche i nomi delle colonne del file "
            "esportato in Excel dal programma. Le colonne con altri nomi vengono ignorate.\r\n\r\n"
            "Dopo aver scelto il file, la finestra mostra riga per riga le schede che verranno aggiunte e quelle "
            "rifiutate con il motivo: una riga senza nome, un dato pi\u00f9 lungo dello spazio che la scheda gli "
            "riserva, caratteri che l'archivio non pu\u00f2 conservare, oppure una scheda con lo stesso nome e codice "
            "fiscale gi\u00e0 presente in archivio o in una riga precedente del file. I codici fiscali, le partite "
            "IVA e gli IBAN errati vengono importati ugualmente, ma sono segnalati come avvisi.\r\n\r\n"
            "Premendo Importa, tutte le schede accettate vengono aggiunte in coda all'archivio, oppure nessuna se il "
            "sistema non permette di scrivere, o se il programma si interrompe a met\u00e0 (il primo comando "
            "che riapre l'archivio toglie allora le schede gi\u00e0 scritte): l'archivio non resta mai a met\u00e0. "
            "Al termine il programma visualizza la prima delle schede aggiunte."));
}
