#include "TfrmMenuRiepCosti.h"

#include "GuidaRiepilogo.h"
#include "TfrmRiepCosti.h"
#include "archive/Archivi.h"
#include "queries/Riepilogo.h"
#include "archive/Text.h"
#include "registry/DestinoScheda.h"
#include "registry/TfrmTrovaEsecutori.h"
#include "ui/Clock.h"
#include "ui/Comandi.h"
#include "ui/EntryForm.h"
#include "ui/MessageService.h"
#include "ui/Picture.h"
#include "ui/ProgramFolder.h"
#include "ui/TfrmGuida.h"
#include "print/Palette.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace {

constexpr QSize kPanel(960, 478);
const QString kTitolo = QStringLiteral(" Versalio - Riepilogo versamenti");

const QStringList kMesi = {QStringLiteral("Gennaio"),   QStringLiteral("Febbraio"), QStringLiteral("Marzo"),
                           QStringLiteral("Aprile"),    QStringLiteral("Maggio"),   QStringLiteral("Giugno"),
                           QStringLiteral("Luglio"),    QStringLiteral("Agosto"),   QStringLiteral("Settembre"),
                           QStringLiteral("Ottobre"),   QStringLiteral("Novembre"), QStringLiteral("Dicembre")};

QStringList giorni() {
    QStringList out;
    for (int g = 1; g <= 31; ++g) out << QStringLiteral("%1").arg(g, 2, 10, QLatin1Char('0'));
    return out;
}

// The month's two digits, from its name in any case; empty for a text that names no month.
QString numeroMese(const QString& nome) {
    const QString cercato = text::trimmed(nome).toLower();
    for (int i = 0; i < kMesi.size(); ++i)
        if (kMesi[i].toLower() == cercato) return QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
    return QString();
}

// The panel behind the fields: the title band and the grey section of the filters.
class Pannello : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 8, 0, 80);
        g.setColorAt(0, palette::steel);
        g.setColorAt(1, palette::deep);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(QRectF(8, 8, 944, 72), 8, 8);
        p.setPen(QPen(palette::frameLine, 1.2));
        p.setBrush(palette::frameFill);
        p.drawRoundedRect(QRectF(8, 92, 944, 146), 8, 8);
    }
};

QLabel* etichetta(QWidget* parent, const QString& testo, QRect geometry, QWidget* campo = nullptr) {
    auto* l = new QLabel(testo, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setStyleSheet(palette::sheet(QStringLiteral("color: @ink;")));
    l->setGeometry(geometry);
    if (campo) l->setBuddy(campo);
    return l;
}

QLabel* istruzione(QWidget* parent, const char* nome, const QString& testo, QRect geometry) {
    auto* l = new QLabel(testo, parent);
    l->setObjectName(QLatin1String(nome));
    l->setWordWrap(true);
    l->setStyleSheet(palette::sheet(QStringLiteral("color: @ink;")));
    l->setGeometry(geometry);
    return l;
}

QLabel* nascosta(QWidget* parent, const char* nome) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(nome));
    l->hide();
    return l;
}

QString senzaDuePunti(const QString& s) {
    QString t = s.trimmed();
    while (t.endsWith(QLatin1Char(':'))) t.chop(1);
    return t;
}

} // namespace

TfrmMenuRiepCosti::TfrmMenuRiepCosti(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmMenuRiepCosti"));
    setWindowTitle(kTitolo);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.svg")));
    caricaImmagini();

    m_panel = new Pannello(this);
    m_panel->setObjectName(QStringLiteral("panContainer"));
    m_panel->resize(kPanel);
    m_form = new EntryForm(this, nullptr);

    auto* icona = new Picture(QStringLiteral("imgRiepilogo"), QStringLiteral(":/pictures/cmd_trova.svg"), m_panel);
    icona->setGeometry(24, 20, 48, 48);
    auto* titolo = new QLabel(QStringLiteral("Riepilogo versamenti"), m_panel);
    titolo->setObjectName(QStringLiteral("lblTitolo"));
    QFont tf = titolo->font();
    tf.setPointSize(16);
    tf.setBold(true);
    titolo->setFont(tf);
    titolo->setStyleSheet(QStringLiteral("color: white;"));
    titolo->setGeometry(88, 14, 700, 32);
    auto* primo = istruzione(m_panel, "lblIstruzioni1",
                             QStringLiteral("Indicare l'anno solare di interesse, il nome dell'Esecutore e il C/C "
                                            "Postale dell'Intestatario."),
                             QRect(88, 48, 780, 24));
    primo->setStyleSheet(QStringLiteral("color: white;"));
    imgGuida = new Picture(QStringLiteral("imgGuida"), QStringLiteral(":/pictures/icon_guida.svg"), m_panel, true);
    imgGuida->setGeometry(896, 22, 44, 44);
    imgGuida->setToolTip(QStringLiteral("Guida"));

    auto campo = [this](const char* nome, int capacita, QRect geometry) {
        auto* e = new QLineEdit(m_panel);
        e->setObjectName(QLatin1String(nome));
        e->setMaxLength(capacita);
        e->setGeometry(geometry);
        return e;
    };
    txtAnno = campo("txtAnno", 4, QRect(276, 108, 90, 28));
    txtEsecutore = campo("txtEsecutore", 50, QRect(276, 150, 420, 28));
    txtCCP = campo("txtCCP", 12, QRect(276, 192, 200, 28));
    const std::pair<QLineEdit*, const char*> etichette[] = {{txtAnno, "Anno:"},
                                                            {txtEsecutore, "Cognome e nome Esecutore:"},
                                                            {txtCCP, "C/C Postale Intestatario:"}};
    for (const auto& [e, testo] : etichette) {
        etichetta(m_panel, QString::fromUtf8(testo), QRect(28, e->y(), 240, 28), e);
        e->setAccessibleName(senzaDuePunti(QString::fromUtf8(testo)));
    }
    txtAnno->setAlignment(Qt::AlignCenter);
    pulsantiImmagine(m_panel, m_form,
                     {{&impCodTariffa, "impCodTariffa", "", "imp_anagrafica",
                       QStringLiteral("Importa il C/C Postale dell'intestatario dall'archivio anagrafico."),
                       QRect(484, 193, 26, 26)}});
    impCodTariffa->setToolTip(QStringLiteral("Importa il C/C Postale dall'archivio anagrafico"));
    impCodTariffa->setAccessibleName(impCodTariffa->toolTip());

    istruzione(m_panel, "lblIstruzioni2",
               QStringLiteral("Per ottenere il riepilogo di tutti i versamenti effettuati nell'intervallo di tempo, "
                              "lasciare in bianco i campi di testo."),
               QRect(16, 248, 930, 22));
    istruzione(m_panel, "lblIstruzioni3",
               QStringLiteral("Indicare l'intervallo di tempo relativo al periodo da riepilogare in base alla data di "
                              "scadenza dei versamenti."),
               QRect(16, 272, 930, 22));

    // The two ends of the interval, both in the year typed above.
    struct Estremo {
        const char* titolo;
        const char* gruppo;
        int x;
        QComboBox **giorno, **mese;
        QLabel** anno;
        const char *nomeGiorno, *nomeMese, *nomeAnno;
        const char* detto;
    };
    const Estremo estremi[] = {
        {" Data inizio intervallo: ", "grpInizio", 8, &txtGiornoInizio, &txtMeseInizio, &lblAnnoInizio,
         "txtGiornoInizio", "txtMeseInizio", "lblAnnoInizio", "inizio"},
        {" Data fine intervallo: ", "grpFine", 486, &txtGiornoFine, &txtMeseFine, &lblAnnoFine, "txtGiornoFine",
         "txtMeseFine", "lblAnnoFine", "fine"},
    };
    for (const Estremo& e : estremi) {
        auto* g = new QGroupBox(QString::fromUtf8(e.titolo), m_panel);
        g->setObjectName(QLatin1String(e.gruppo));
        g->setGeometry(e.x, 306, 466, 92);
        g->setStyleSheet(palette::sheet(QStringLiteral("QGroupBox { font-weight: bold; color: @ink; border: 1px solid @frameLine; "
                                        "border-radius: 8px; margin-top: 10px; background: @frameFill; }"
                                        "QGroupBox::title { subcontrol-origin: margin; left: 12px; padding: 0 4px; }")));
        const QString detto = QLatin1String(e.detto);
        *e.giorno = elenco(g, e.nomeGiorno, giorni(), QStringLiteral("Giorno di ") + detto + QStringLiteral(" intervallo"));
        *e.mese = elenco(g, e.nomeMese, kMesi, QStringLiteral("Mese di ") + detto + QStringLiteral(" intervallo"));
        (*e.giorno)->setGeometry(82, 40, 72, 28);
        (*e.mese)->setGeometry(224, 40, 140, 28);
        etichetta(g, QStringLiteral("Giorno:"), QRect(20, 40, 60, 28), *e.giorno);
        etichetta(g, QStringLiteral("Mese:"), QRect(172, 40, 50, 28), *e.mese);
        etichetta(g, QStringLiteral("Anno:"), QRect(378, 40, 44, 28));
        *e.anno = new QLabel(g);
        (*e.anno)->setObjectName(QLatin1String(e.nomeAnno));
        (*e.anno)->setGeometry(420, 40, 36, 28);
        (*e.anno)->setStyleSheet(palette::sheet(QStringLiteral("color: @plain;")));
    }

    lblAttendere = new QLabel(QStringLiteral("Caricamento riepilogo in corso. Attendere..."), m_panel);
    lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    QFont af = lblAttendere->font();
    af.setBold(true);
    af.setPointSize(11);
    lblAttendere->setFont(af);
    lblAttendere->setStyleSheet(palette::sheet(QStringLiteral("color: @alert;")));
    lblAttendere->setGeometry(16, 426, 560, 36);
    lblAttendere->hide();

    auto pulsante = [this](const char* nome, const QString& testo, const char* immagine, QRect geometry) {
        auto* b = new QPushButton(testo, m_panel);
        b->setObjectName(QLatin1String(nome));
        b->setAccessibleName(testo);
        b->setIcon(QIcon(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(immagine))));
        b->setIconSize(QSize(22, 22));
        b->setCursor(Qt::PointingHandCursor);
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
        b->setGeometry(geometry);
        return b;
    };
    btnEsci = pulsante("btnEsci", QStringLiteral("Esci"), "cmd_esci", QRect(604, 424, 140, 40));
    btnVisualizza = pulsante("btnVisualizza", QStringLiteral("Visualizza riepilogo"), "cmd_trova", QRect(756, 424, 196, 40));
    btnVisualizza->setAutoDefault(true); // Enter on the focused button runs the request
    btnEsci->setAutoDefault(true);

    lblDataInizio = nascosta(m_panel, "lblDataInizio");
    lblDataFine = nascosta(m_panel, "lblDataFine");
    lblFile = nascosta(m_panel, "lblFile");

    // Typing rules, focus frames, the Enter chain to the button, and the tab order.
    m_form->digitsOnly(txtAnno);
    m_form->upperCase(txtEsecutore);
    m_form->upperCase(txtCCP, true);
    const QList<QWidget*> catena = {txtAnno,       txtEsecutore,  txtCCP,      txtGiornoInizio,
                                    txtMeseInizio, txtGiornoFine, txtMeseFine, btnVisualizza};
    for (int i = 0; i + 1 < catena.size(); ++i) {
        m_form->addFrame(catena[i]);
        m_form->addEnter(catena[i], catena[i + 1]);
    }
    for (int i = 0; i + 1 < catena.size(); ++i) setTabOrder(catena[i], catena[i + 1]);
    setTabOrder(btnVisualizza, btnEsci);
    setTabOrder(btnEsci, imgGuida);

    connect(txtAnno, &QLineEdit::textChanged, this, &TfrmMenuRiepCosti::txtAnnoChange);
    connect(impCodTariffa, &QToolButton::clicked, this, &TfrmMenuRiepCosti::impCodTariffaClick);
    connect(imgGuida, &Picture::clicked, this, &TfrmMenuRiepCosti::imgGuidaClick);
    connect(btnEsci, &QPushButton::clicked, this, &QWidget::close);
    // The note shows as soon as the button goes down, before the scan keeps the screen busy.
    connect(btnVisualizza, &QPushButton::pressed, this, [this] {
        lblAttendere->show();
        lblAttendere->repaint();
    });
    connect(btnVisualizza, &QPushButton::clicked, this, &TfrmMenuRiepCosti::btnVisualizzaClick);
}

QComboBox* TfrmMenuRiepCosti::elenco(QWidget* parent, const char* nome, const QStringList& voci,
                                     const QString& nomeAccessibile) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(nome));
    c->addItems(voci);
    c->setMaxVisibleItems(12);
    c->setCurrentIndex(-1);
    c->setAccessibleName(nomeAccessibile);
    c->installEventFilter(this);
    return c;
}

void TfrmMenuRiepCosti::mostra() {
    setWindowTitle(kTitolo);
    txtEsecutore->clear();
    txtCCP->clear();
    for (QComboBox* c : {txtGiornoInizio, txtMeseInizio, txtGiornoFine, txtMeseFine}) c->setCurrentIndex(-1);
    txtAnno->setText(QString::number(Clock::today().year()));
    lblAttendere->hide();
    showMaximized();
    activateWindow();
    EntryForm::focusField(txtEsecutore);
}

void TfrmMenuRiepCosti::txtAnnoChange() {
    const QString anno = text::trimmed(txtAnno->text());
    lblAnnoInizio->setText(anno);
    lblAnnoFine->setText(anno);
}

bool TfrmMenuRiepCosti::txtElencoKeyDown(QComboBox* elenco, QKeyEvent* key) {
    if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) {
        elenco->setCurrentIndex(-1);
        return true;
    }
    // Typed characters would pick an entry by its first letters: values come from the list alone.
    // The keys that open the list and move in it (arrows, F4, Space) still work, so the keyboard
    // can choose too.
    const QString t = key->text();
    return !t.isEmpty() && t[0].isPrint() && t != QLatin1String(" ");
}

bool TfrmMenuRiepCosti::eventFilter(QObject* watched, QEvent* event) {
    auto* elenco = qobject_cast<QComboBox*>(watched);
    if (elenco && event->type() == QEvent::KeyPress && txtElencoKeyDown(elenco, static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void TfrmMenuRiepCosti::rifiuta(bool avviso, const QString& testo, QWidget* campo) {
    lblAttendere->hide();
    if (avviso) msg::warning(this, testo);
    else msg::plain(this, testo);
    if (campo) EntryForm::focusField(campo);
}

void TfrmMenuRiepCosti::btnVisualizzaClick() {
    lblAttendere->show();
    lblDataInizio->clear();
    lblDataFine->clear();
    // The year becomes part of a file name, so four digits however it got into the field.
    const QString anno = txtAnno->text();
    if (anno.size() != 4 || !text::isDigits(anno))
        return rifiuta(true, QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."), txtAnno);
    const std::pair<QComboBox*, const char*> richiesti[] = {
        {txtGiornoInizio, "Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata."},
        {txtMeseInizio, "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata."},
        {txtGiornoFine, "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata."},
        {txtMeseFine, "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata."},
    };
    for (const auto& [elenco, testo] : richiesti)
        if (text::trimmed(elenco->currentText()).isEmpty()) return rifiuta(true, QString::fromUtf8(testo), elenco);

    auto data = [](QComboBox* giorno, QComboBox* mese, QLabel* anno) {
        return text::trimmed(giorno->currentText()) + QLatin1Char('/') + numeroMese(mese->currentText()) +
               QLatin1Char('/') + text::trimmed(anno->text());
    };
    const QString inizio = data(txtGiornoInizio, txtMeseInizio, lblAnnoInizio);
    const QString fine = data(txtGiornoFine, txtMeseFine, lblAnnoFine);
    lblDataInizio->setText(inizio);
    int passo = 0;
    const QString perche = riepilogo::controllaIntervallo(inizio, fine, &passo);
    if (passo != 4) lblDataFine->setText(fine);
    if (!perche.isEmpty())
        return rifiuta(false, perche, passo == 4 ? txtGiornoInizio : passo == 5 ? txtGiornoFine : nullptr);

    lblFile->setText(archivi::annuale(programFolder::path(), text::trimmed(anno)));
    TfrmRiepCosti riepilogo({lblFile->text(), inizio, fine, txtEsecutore->text(), txtCCP->text()}, &m_chiaveTrova, this);
    if (riepilogo.calcola()) riepilogo.exec();
    lblAttendere->hide();
}

void TfrmMenuRiepCosti::impCodTariffaClick() {
    // The picker writes the card's account into this screen's txtCCP.
    DestinoFinestra destino(m_panel);
    TfrmTrovaEsecutori picker(this, destino);
    picker.lblMemory->setText(QStringLiteral("riepilogo"));
    picker.exec();
    // The account field keeps its rule whatever put the text there.
    const QString ccp = text::upperAZ(text::trimmed(txtCCP->text()));
    if (ccp != txtCCP->text()) txtCCP->setText(ccp);
}

void TfrmMenuRiepCosti::imgGuidaClick() { mostraGuida(this, guidaRiepilogo::titolo(), guidaRiepilogo::testo()); }

void TfrmMenuRiepCosti::closeEvent(QCloseEvent* e) {
    e->ignore();
    hide();
    emit chiuso();
}

void TfrmMenuRiepCosti::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, palette::steel);
    g.setColorAt(1, Qt::white);
    p.fillRect(rect(), g);
}

void TfrmMenuRiepCosti::resizeEvent(QResizeEvent*) {
    m_panel->move(std::max(0, (width() - kPanel.width()) / 2), std::max(0, (height() - kPanel.height()) / 2));
}
