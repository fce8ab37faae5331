#include "PannelloFiltri.h"

#include "EntryForm.h"
#include "PannelliElenco.h"
#include "print/Palette.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

PannelloFiltri::PannelloFiltri(QWidget* parent, const QList<Campo>& campi) : QWidget(parent) {
    setObjectName(QStringLiteral("panAvvio"));
    resize(pannelliElenco::kDimensione);
    m_form = new EntryForm(this, nullptr);

    pannelliElenco::icona(this, QStringLiteral("imgCerca"), QStringLiteral(":/pictures/cmd_trova.svg"));
    const QList<QLabel*> righe = pannelliElenco::istruzioni(
        this, {QStringLiteral("Immettere nei campi prescelti una o pi\u00f9 parole consecutive presenti nelle schede "
                              "da trovare e premere il pulsante Cerca."),
               QStringLiteral("Lasciare in bianco tutti gli altri campi."),
               QStringLiteral("Per ogni ricerca \u00e8 possibile utilizzare uno o pi\u00f9 campi contemporaneamente.")});

    // Two columns of five under the band, each label above its field.
    m_fascia = std::max(88, righe.last()->geometry().bottom() + 12);
    const int perColonna = int((campi.size() + 1) / 2);
    const int passo = std::min(74, (500 - m_fascia - 16) / std::max(perColonna, 1));
    for (int i = 0; i < campi.size(); ++i) {
        const int x = i < perColonna ? 40 : 451, y = m_fascia + 16 + (i % perColonna) * passo;
        auto* l = new QLabel(campi[i].etichetta, this);
        l->setObjectName(QStringLiteral("lbl") + QLatin1String(campi[i].nome).mid(3));
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->setStyleSheet(palette::sheet(QStringLiteral("color: @ink;")));
        l->setGeometry(x, y, 371, 20);
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(campi[i].nome));
        e->setGeometry(x, y + 24, 371, 30);
        e->setAccessibleName(campi[i].etichetta);
        l->setBuddy(e);
        filtri.append(e);
        m_form->addFrame(e);
    }
    for (int i = 0; i < filtri.size(); ++i) {
        m_form->addEnter(filtri[i], filtri[(i + 1) % filtri.size()]);
        if (i + 1 < filtri.size()) setTabOrder(filtri[i], filtri[i + 1]);
    }

    lblConta = new QLabel(this);
    lblConta->setObjectName(QStringLiteral("lblConta"));
    lblConta->hide();
    lblAttendere = new QLabel(QStringLiteral("Ricerca schede in corso. Attendere..."), this);
    lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    lblAttendere->setGeometry(40, 514, 400, 34);
    lblAttendere->setStyleSheet(palette::sheet(QStringLiteral("color: @alert; font-weight: bold;")));
    lblAttendere->hide();

    btnAnnulla = pannelliElenco::pulsante(this, "btnAnnulla", QStringLiteral("Chiudi"), QRect(590, 514, 120, 34));
    btnCerca = pannelliElenco::pulsante(this, "btnCerca", QStringLiteral("Cerca"), QRect(722, 514, 120, 34));
    btnAnnulla->setIcon(QIcon(QStringLiteral(":/pictures/cmd_esci.svg")));
    btnCerca->setIcon(QIcon(QStringLiteral(":/pictures/cmd_trova.svg")));
    setTabOrder(filtri.last(), btnCerca);
    setTabOrder(btnCerca, btnAnnulla);
    btnCerca->installEventFilter(this);
}

void PannelloFiltri::paintEvent(QPaintEvent*) { pannelliElenco::sfondo(this, m_fascia); }

bool PannelloFiltri::eventFilter(QObject* watched, QEvent* event) {
    // The notice appears as soon as the mouse button goes down on Cerca.
    if (watched == btnCerca && event->type() == QEvent::MouseButtonPress) mostraAttesa();
    return QWidget::eventFilter(watched, event);
}

void PannelloFiltri::mostraAttesa() {
    lblAttendere->show();
    lblAttendere->repaint();
}

QList<std::pair<QString, QString>> PannelloFiltri::testi() const {
    QList<std::pair<QString, QString>> out;
    for (QLineEdit* e : filtri) out.append({e->objectName().mid(3), e->text()});
    return out;
}
