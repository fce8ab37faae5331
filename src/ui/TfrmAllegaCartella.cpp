#include "TfrmAllegaCartella.h"

#include "FileDialogService.h"
#include "MessageService.h"
#include "Picture.h"
#include "ProgramFolder.h"
#include "Shell.h"
#include "archive/Text.h"
#include "print/Palette.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryFile>

#include <filesystem>

namespace {

constexpr int kMaxNome = 250;
const QString kCartella = QStringLiteral("Documenti_Allegati");

// The banner: a paper clip and the three steps of the dialog.
class Banner : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, width(), 0);
        g.setColorAt(0, palette::deep);
        g.setColorAt(1, palette::steel);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
        QIcon(QStringLiteral(":/pictures/cmd_allega.svg")).paint(&p, QRect(14, (height() - 56) / 2, 56, 56));
        p.setPen(Qt::white);
        QFont f = font();
        f.setBold(true);
        p.setFont(f);
        const QString righe[] = {
            QStringLiteral("1. Scegliere con Sfoglia... i file da allegare alla scheda corrente."),
            QStringLiteral("2. Fare clic su Applica e chiudi e poi su Salva per salvare le modifiche."),
            QStringLiteral("3. Per aprire un file allegato premere Apri."),
        };
        const int h = (height() - 16) / 3;
        for (int i = 0; i < 3; ++i)
            p.drawText(QRect(84, 8 + i * h, width() - 96, h), Qt::AlignVCenter | Qt::AlignLeft, righe[i]);
    }
};

// Copies `from` over `to` so that a failure at any point leaves `to` as it was. The copy is made
// under a short temporary name (a long name plus a suffix could pass the file system's limit) and
// then renamed over the target in one step.
bool copia(const QString& from, const QString& to) {
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) return false;
    QTemporaryFile tmp(QFileInfo(to).dir().filePath(QStringLiteral("allegato_XXXXXX.tmp")));
    if (!tmp.open()) return false;
    while (!in.atEnd()) {
        const QByteArray buffer = in.read(1 << 20);
        if (buffer.isEmpty() && in.error() != QFileDevice::NoError) return false;
        if (tmp.write(buffer) != buffer.size()) return false;
    }
    if (in.error() != QFileDevice::NoError || !tmp.flush()) return false;
    tmp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                       QFileDevice::ReadOther);
    tmp.close();
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(tmp.fileName().toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), ec);
    if (ec) return false;
    tmp.setAutoRemove(false);
    return true;
}

void copiaNonRiuscita(QWidget* parent) {
    msg::error(parent, QStringLiteral("Attenzione: non \u00e8 stato possibile copiare il file nella cartella dei "
                                      "documenti allegati.\r\n\r\nAccertarsi di possedere i privilegi di scrittura "
                                      "nella cartella di installazione del programma."));
}

} // namespace

TfrmAllegaCartella::TfrmAllegaCartella(const PortaAllegati& porta) : QDialog(porta.finestra), m_porta(porta) {
    costruisci();
    lblMemory->setText(porta.modo);
    for (int i = 0; i < 3; ++i) {
        m_file[i]->setText(text::trimmed(porta.etichette[2 * i]->text()));
        m_desc[i]->setText(text::trimmed(porta.etichette[2 * i + 1]->text()));
    }
}

void TfrmAllegaCartella::costruisci() {
    setObjectName(QStringLiteral("frmAllegaCartella"));
    setWindowTitle(QStringLiteral(" Allega file"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    setFixedSize(600, 520);
    setStyleSheet(palette::sheet(QStringLiteral("QDialog#frmAllegaCartella { background: @page; }")));
    caricaImmagini();

    auto* banner = new Banner(this);
    banner->setObjectName(QStringLiteral("imgBanner"));
    banner->setGeometry(12, 12, 576, 90);

    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    QList<QWidget*> tabs;
    for (int i = 0; i < 3; ++i) {
        const int top = 114 + i * 122;
        auto* cornice = new QLabel(this);
        cornice->setObjectName(QStringLiteral("panSlot%1").arg(i + 1));
        cornice->setGeometry(12, top, 576, 112);
        cornice->setStyleSheet(palette::sheet(QStringLiteral("QLabel { background: @frameFill; border: 1px solid @frameLine; "
                                              "border-radius: 6px; }")));
        const QString n = QStringLiteral("0%1").arg(i + 1);
        auto* lblNome = new QLabel(QStringLiteral("Nome %1\u00b0 file allegato:").arg(i + 1), this);
        lblNome->setGeometry(24, top + 8, 400, 18);
        auto* file = new QLineEdit(this);
        file->setObjectName(QStringLiteral("txtFile") + n);
        file->setReadOnly(true);
        file->setGeometry(24, top + 28, 326, 26);
        file->setStyleSheet(palette::sheet(QStringLiteral("QLineEdit { background: @shownFill; }")));
        auto* gomma = new Picture(QStringLiteral("imgCancella") + n, QStringLiteral(":/pictures/pic_gomma.svg"), this,
                                  true);
        gomma->setGeometry(356, top + 29, 24, 24);
        gomma->setToolTip(QStringLiteral("Rimuove il file dalla scheda."));
        auto* sfoglia = new QPushButton(QStringLiteral("Sfoglia..."), this);
        sfoglia->setObjectName(QStringLiteral("btnSfoglia") + n);
        sfoglia->setGeometry(388, top + 27, 96, 28);
        auto* apri = new QPushButton(QStringLiteral("Apri"), this);
        apri->setObjectName(QStringLiteral("btnApri") + n);
        apri->setGeometry(490, top + 27, 86, 28);
        apri->setEnabled(false);
        lblNome->setBuddy(file);
        const QString quale = QStringLiteral(" %1\u00b0 file allegato").arg(i + 1);
        sfoglia->setAccessibleName(QStringLiteral("Sfoglia") + quale);
        apri->setAccessibleName(QStringLiteral("Apri") + quale);
        gomma->setAccessibleName(QStringLiteral("Rimuovi") + quale);
        auto* lblDesc = new QLabel(QStringLiteral("Descrizione %1\u00b0 file allegato:").arg(i + 1), this);
        lblDesc->setGeometry(24, top + 58, 400, 18);
        auto* desc = new QLineEdit(this);
        desc->setObjectName(QStringLiteral("txtDesc") + n);
        desc->setMaxLength(kMaxNome);
        desc->setGeometry(24, top + 78, 552, 26);
        lblDesc->setBuddy(desc);
        for (QLabel* l : {lblNome, lblDesc}) l->setStyleSheet(palette::sheet(QStringLiteral("QLabel { color: @ink; }")));

        m_file[i] = file;
        m_desc[i] = desc;
        m_apri[i] = apri;
        connect(file, &QLineEdit::textChanged, apri,
                [apri](const QString& t) { apri->setEnabled(!text::trimmed(t).isEmpty()); });
        connect(sfoglia, &QPushButton::clicked, this, [this, i] { btnSfogliaClick(i); });
        connect(apri, &QPushButton::clicked, this, [this, i] { btnApriClick(i); });
        connect(gomma, &Picture::clicked, this, [this, i] { imgCancellaClick(i); });
        tabs << file << sfoglia << apri << desc;

        QPushButton** sf[] = {&btnSfoglia01, &btnSfoglia02, &btnSfoglia03};
        QPushButton** ap[] = {&btnApri01, &btnApri02, &btnApri03};
        Picture** go[] = {&imgCancella01, &imgCancella02, &imgCancella03};
        *sf[i] = sfoglia;
        *ap[i] = apri;
        *go[i] = gomma;
    }
    txtFile01 = m_file[0];
    txtFile02 = m_file[1];
    txtFile03 = m_file[2];
    txtDesc01 = m_desc[0];
    txtDesc02 = m_desc[1];
    txtDesc03 = m_desc[2];

    btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    btnAnnulla->setGeometry(296, 480, 120, 30);
    btnApplica = new QPushButton(QStringLiteral("Applica e chiudi"), this);
    btnApplica->setObjectName(QStringLiteral("btnApplica"));
    btnApplica->setGeometry(428, 480, 160, 30);
    btnApplica->setDefault(true);
    connect(btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmAllegaCartella::btnAnnullaClick);
    tabs << btnApplica << btnAnnulla;
    for (int i = 0; i + 1 < tabs.size(); ++i) setTabOrder(tabs[i], tabs[i + 1]);
}

QString TfrmAllegaCartella::cartella() {
    return QDir::toNativeSeparators(QDir(programFolder::path()).filePath(kCartella));
}

bool TfrmAllegaCartella::nomeSicuro(const QString& nome) {
    if (nome.isEmpty() || nome == QLatin1String(".") || nome == QLatin1String("..")) return false;
    if (nome.contains(QLatin1Char('/')) || nome.contains(QLatin1Char('\\'))) return false;
#ifdef Q_OS_WIN
    if (nome.contains(QLatin1Char(':'))) return false; // a drive, or an alternate data stream
#endif
    const QDir dir(cartella());
    return QDir::cleanPath(QFileInfo(dir.filePath(nome)).absolutePath()) == QDir::cleanPath(dir.absolutePath());
}

void TfrmAllegaCartella::btnSfogliaClick(int slot) {
    const QString scelto = fileDialog::openFile(this, QStringLiteral("Selezionare il file da allegare:"), QString(),
                                                QStringLiteral("Tutti i file (*.*)"));
    if (scelto.isEmpty()) return; // the user closed the file dialog
    const QString nome = QFileInfo(scelto).fileName();
    // The name is all the card keeps: it must come back from the record as the very same name.
    if (nome.size() > kMaxNome || !text::fitsCp1252(nome) || text::trimmed(nome) != nome || !nomeSicuro(nome)) {
        msg::warning(this, QStringLiteral("Attenzione: il nome del file scelto \u00e8 troppo lungo o contiene "
                                          "caratteri non ammessi.\r\n\r\nRinominare il file con un nome di al "
                                          "massimo 250 caratteri e ripetere l'operazione."));
        return;
    }
    QDir dir(cartella());
    const QString target = dir.filePath(nome);
    const QFileInfo origine(scelto), destinazione(target);
    // The file already in the attachments folder: nothing to copy, and nothing to lose.
    if (destinazione.exists() && origine.canonicalFilePath() == destinazione.canonicalFilePath()) {
        m_file[slot]->setText(nome);
        return;
    }
    if (!dir.mkpath(QStringLiteral("."))) return copiaNonRiuscita(this);
    if (destinazione.exists()) {
        if (!destinazione.isFile()) return copiaNonRiuscita(this);
        if (!msg::question(this, QStringLiteral("Attenzione: nella cartella dei documenti allegati \u00e8 presente un "
                                                "file con lo stesso nome.\r\n\r\nSi vuole sovrascrivere il file "
                                                "esistente?"))) {
            m_file[slot]->setText(nome); // the slot now refers to the file already there
            return;
        }
    }
    if (!copia(scelto, target)) return copiaNonRiuscita(this);
    m_file[slot]->setText(nome);
}

void TfrmAllegaCartella::btnApriClick(int slot) {
    const QString nome = text::trimmed(m_file[slot]->text());
    if (nome.isEmpty()) return;
    if (!nomeSicuro(nome)) {
        msg::warning(this, QStringLiteral("Attenzione: il nome del file allegato non \u00e8 valido."));
        return;
    }
    TMisc::Open(QLatin1Char('"') + QDir::toNativeSeparators(QDir(cartella()).filePath(nome)) + QLatin1Char('"'));
}

void TfrmAllegaCartella::imgCancellaClick(int slot) { m_file[slot]->clear(); }

void TfrmAllegaCartella::btnApplicaClick() {
    for (int i = 0; i < 3; ++i) {
        m_porta.etichette[2 * i]->setText(text::trimmed(m_file[i]->text()));
        m_porta.etichette[2 * i + 1]->setText(text::trimmed(m_desc[i]->text()));
    }
    accept();
}

void TfrmAllegaCartella::btnAnnullaClick() { reject(); }
