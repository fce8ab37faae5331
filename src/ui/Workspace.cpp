#include "Workspace.h"

#include "EntryForm.h"
#include "MessageService.h"
#include "Picture.h"
#include "archive/Flags.h"
#include "archive/Text.h"
#include "print/Palette.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>

void RecordFields::bind(const QString& nome, QWidget* controllo, const QString& vuoto) {
    for (Campo& c : m_campi)
        if (c.nome == nome) {
            c = {nome, controllo, vuoto};
            return;
        }
    m_campi.append({nome, controllo, vuoto});
}

QWidget* RecordFields::control(const QString& nome) const {
    for (const Campo& c : m_campi)
        if (c.nome == nome) return c.controllo;
    return nullptr;
}

QString RecordFields::text(const QString& nome) const {
    QWidget* w = control(nome);
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    if (auto* b = qobject_cast<QCheckBox*>(w)) return flags::of(b->isChecked());
    return QString();
}

void RecordFields::setText(const QString& nome, const QString& valore) {
    QWidget* w = control(nome);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(valore);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(valore);
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        // The text as it is, even one that is not in the list.
        c->setCurrentIndex(-1);
        c->setEditText(valore);
    } else if (auto* b = qobject_cast<QCheckBox*>(w)) {
        if (valore == flags::si) b->setChecked(true);
        else if (valore == flags::no) b->setChecked(false);
    }
}

void RecordFields::clear() {
    for (const Campo& c : m_campi) {
        if (auto* b = qobject_cast<QCheckBox*>(c.controllo)) b->setChecked(false);
        else setText(c.nome, c.vuoto);
    }
}

namespace {
class Pannello : public QWidget {
public:
    Pannello(Workspace::Sfondo sfondo, QWidget* parent) : QWidget(parent), m_sfondo(sfondo) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        m_sfondo(p);
    }

private:
    Workspace::Sfondo m_sfondo;
};
} // namespace

Workspace::Workspace(Sfondo sfondo, QSize dimensioni, const QString& modo, QWidget* parent)
    : QWidget(parent), panContainer(new Pannello(sfondo, this)), m_modo(modo) {
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.svg")));
    caricaImmagini();
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->resize(dimensioni);
    panContainer->installEventFilter(this);

    panInfo = new QLabel(panContainer);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    form = new EntryForm(this, panInfo);
    form->clearsHints(panContainer);
    form->clearsHints(this);

    const std::pair<QLabel**, const char*> allegati[] = {{&lblFile01, "File01"}, {&lblFile02, "File02"},
                                                         {&lblFile03, "File03"}, {&lblDesc01, "Desc01"},
                                                         {&lblDesc02, "Desc02"}, {&lblDesc03, "Desc03"}};
    for (const auto& [label, nome] : allegati) {
        *label = new QLabel(panContainer);
        (*label)->setObjectName(QStringLiteral("lbl") + QLatin1String(nome));
        (*label)->hide();
        m_campi.bind(QLatin1String(nome), *label);
    }
}

void Workspace::infoBar(QRect geometry, const QString& stile, const QString& pronto) {
    m_pronto = pronto;
    panInfo->setText(pronto);
    panInfo->setGeometry(geometry);
    panInfo->setStyleSheet(stile);
}

QLabel* panelFields::label(QWidget* panel, const QString& testo, QRect geometry, qreal punti, bool grassetto) {
    auto* l = new QLabel(testo, panel);
    QFont f = l->font();
    f.setBold(grassetto);
    if (punti > 0) f.setPointSizeF(punti);
    l->setFont(f);
    l->setStyleSheet(palette::sheet(QStringLiteral("color: @ink;")));
    l->setGeometry(geometry);
    return l;
}

QLineEdit* panelFields::field(QWidget* panel, const QString& nome, int capacita, QRect geometry,
                                const QString& nomeAccessibile) {
    auto* e = new QLineEdit(panel);
    e->setObjectName(nome);
    e->setMaxLength(capacita);
    e->setGeometry(geometry);
    e->setAccessibleName(nomeAccessibile);
    return e;
}

QLabel* Workspace::label(const QString& testo, QRect geometry, qreal punti) {
    QLabel* l = panelFields::label(panContainer, testo, geometry, punti);
    form->clearsHints(l);
    return l;
}

QLineEdit* Workspace::field(const char* nome, int capacita, QRect geometry, QLabel* etichetta) {
    QString detto = etichetta->text().trimmed();
    while (detto.endsWith(QLatin1Char(':'))) detto.chop(1);
    QLineEdit* e = field(nome, capacita, geometry, detto);
    etichetta->setBuddy(e);
    return e;
}

QLineEdit* Workspace::field(const char* nome, int capacita, QRect geometry, const QString& nomeAccessibile) {
    QLineEdit* e = panelFields::field(panContainer, QStringLiteral("txt") + QLatin1String(nome), capacita, geometry,
                                        nomeAccessibile);
    m_campi.bind(QLatin1String(nome), e);
    return e;
}

QComboBox* Workspace::comboField(const char* nome, const QStringList& voci, int capacita, QRect geometry,
                                  const QString& nomeAccessibile) {
    auto* c = new QComboBox(panContainer);
    c->setObjectName(QStringLiteral("txt") + QLatin1String(nome));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr);
    c->addItems(voci);
    c->lineEdit()->setMaxLength(capacita);
    c->setGeometry(geometry);
    c->setCurrentIndex(-1);
    c->setEditText(QString());
    c->setAccessibleName(nomeAccessibile);
    c->lineEdit()->setAccessibleName(nomeAccessibile);
    m_campi.bind(QLatin1String(nome), c);
    return c;
}

QCheckBox* Workspace::checkBox(const char* nome, const QString& testo, QRect geometry) {
    auto* c = new QCheckBox(testo, panContainer);
    c->setObjectName(QStringLiteral("chk") + QLatin1String(nome));
    QFont f = c->font();
    f.setBold(true);
    c->setFont(f);
    c->setStyleSheet(palette::sheet(QStringLiteral("color: @ink;")));
    c->setGeometry(geometry);
    m_campi.bind(QLatin1String(nome), c);
    return c;
}

void Workspace::bind(const QString& nome, QWidget* controllo, const QString& vuoto) {
    m_campi.bind(nome, controllo, vuoto);
}

void Workspace::commandColumn(QToolButton** allega, const char* nomeAllega, const QList<Comando>& propri,
                        const char* esporta, QPoint topLeft, int passo) {
    QList<Comando> comandi = {comandi::nuovo(&cmdNuovo), comandi::duplica(&cmdDuplica), comandi::salva(&cmdSalva),
                              comandi::allega(allega, nomeAllega), comandi::trova(&cmdTrova)};
    comandi << propri << comandi::esporta(&cmdEsporta, esporta) << comandi::guida(&cmdGuida)
            << comandi::esci(&cmdEsci);
    colonnaComandi(panContainer, form, comandi, topLeft, passo);
    const std::pair<QToolButton*, void (Workspace::*)()> comuni[] = {{cmdNuovo, &Workspace::cmdNuovoClick},
                                                                     {cmdDuplica, &Workspace::cmdDuplicaClick},
                                                                     {cmdSalva, &Workspace::cmdSalvaClick},
                                                                     {cmdTrova, &Workspace::cmdTrovaClick},
                                                                     {cmdEsporta, &Workspace::cmdEsportaClick},
                                                                     {cmdGuida, &Workspace::cmdGuidaClick}};
    for (const auto& [b, handler] : comuni)
        connect(b, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
    connect(cmdEsci, &QToolButton::clicked, this, &QWidget::close);
}

void Workspace::arrows(QPoint topLeft, QSize pulsante, QSize etichetta) {
    barraNavigazione(panContainer, form, {&cmdPrimo, &cmdIndietro, &cmdAvanti, &cmdUltimo, &lblPosizione}, topLeft,
                     pulsante, etichetta);
    connect(cmdPrimo, &QToolButton::clicked, this, [this] { cmdPrimoClick(); });
    connect(cmdIndietro, &QToolButton::clicked, this, [this] { cmdIndietroClick(); });
    connect(cmdAvanti, &QToolButton::clicked, this, [this] { cmdAvantiClick(); });
    connect(cmdUltimo, &QToolButton::clicked, this, [this] { cmdUltimoClick(); });
}

PortaAllegati Workspace::attachments() {
    return {this, m_modo, {lblFile01, lblDesc01, lblFile02, lblDesc02, lblFile03, lblDesc03}};
}

bool Workspace::filled(QLineEdit* campo, const QString& avviso) {
    if (!text::trimmed(campo->text()).isEmpty()) return true;
    msg::warning(this, avviso);
    EntryForm::focusField(campo);
    return false;
}

void Workspace::openAttachments() {
    TfrmAllegaCartella dlg(attachments());
    dlg.exec();
}

void Workspace::clear() {
    m_campi.clear();
    lblPosizione->clear();
}

void Workspace::closeEvent(QCloseEvent* e) {
    e->ignore();
    hide();
    emit chiuso();
}

void Workspace::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, palette::steel);
    g.setColorAt(1, Qt::white);
    p.fillRect(rect(), g);
}

bool Workspace::eventFilter(QObject* watched, QEvent* event) {
    // Each visit starts with the bar's opening words, not the last hint of the previous one.
    if (watched == panContainer && event->type() == QEvent::Show) panInfo->setText(m_pronto);
    return QWidget::eventFilter(watched, event);
}

void centra(QWidget* panel, QWidget* host) {
    panel->move(std::max(0, (host->width() - panel->width()) / 2),
                std::max(0, (host->height() - panel->height()) / 2));
}
