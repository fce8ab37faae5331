#include "PannelloRisultati.h"

#include "EntryForm.h"
#include "ListaRecords.h"
#include "MessageService.h"
#include "PannelliElenco.h"
#include "archive/Text.h"
#include "print/Palette.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QString lowerAZ(const QString& s) {
    QString r = s;
    for (QChar& c : r)
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + 32);
    return r;
}
} // namespace

PannelloRisultati::PannelloRisultati(QWidget* parent, bool conConteggio) : QWidget(parent), lblTrovate(nullptr) {
    setObjectName(QStringLiteral("panContainer"));
    resize(pannelliElenco::kDimensione);
    m_form = new EntryForm(this, nullptr);

    pannelliElenco::icona(this, QStringLiteral("imgTrova"), QStringLiteral(":/pictures/cmd_trova.svg"));
    const QList<QLabel*> righe = pannelliElenco::istruzioni(this,
                               {QStringLiteral("Immettere una o pi\u00f9 parole consecutive presenti nella scheda in "
                                               "elenco da cercare e premere il pulsante Trova."),
                                QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di "
                                               "ricerca, fare di nuovo clic su Trova.")});

    txtTrova = new QLineEdit(this);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    // The find box under the instructions, at the foot of the band; the list below the band.
    const int y = std::max(76, righe.last()->geometry().bottom() + 10);
    m_fascia = y + 42;
    txtTrova->setGeometry(84, y, 560, 30);
    txtTrova->setAccessibleName(QStringLiteral("Trova"));
    btnTrova = pannelliElenco::pulsante(this, "btnTrova", QStringLiteral("Trova"), QRect(656, y - 1, 120, 32));
    m_form->addFrame(txtTrova);
    m_form->addEnter(txtTrova, btnTrova);

    lstRecords = new ListaRecords(this);
    lstRecords->setGeometry(20, m_fascia + 12, 822, 458 - m_fascia - 12);
    lstRecords->setAccessibleName(QStringLiteral("Elenco delle schede"));

    lblDoppioClic = new QLabel(
        QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."), this);
    lblDoppioClic->setObjectName(QStringLiteral("lblDoppioClic"));
    lblDoppioClic->setGeometry(20, 464, 822, 22);
    lblDoppioClic->setStyleSheet(palette::sheet(QStringLiteral("color: @ink; font-style: italic;")));

    if (conConteggio) {
        lblTrovate = new QLabel(this);
        lblTrovate->setObjectName(QStringLiteral("lblTrovate"));
        lblTrovate->setGeometry(20, 490, 540, 22);
        lblTrovate->setStyleSheet(palette::sheet(QStringLiteral("color: @ink; font-weight: bold;")));
    }

    btnStampa = pannelliElenco::pulsante(this, "btnStampa", QStringLiteral("Stampa"), QRect(590, 514, 120, 34));
    btnChiudi = pannelliElenco::pulsante(this, "btnChiudi", QStringLiteral("Chiudi"), QRect(722, 514, 120, 34));
    btnStampa->setIcon(QIcon(QStringLiteral(":/pictures/cmd_stampa.svg")));
    btnChiudi->setIcon(QIcon(QStringLiteral(":/pictures/cmd_esci.svg")));

    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnChiudi);
    connect(btnTrova, &QPushButton::clicked, this, &PannelloRisultati::btnTrovaClick);
}

void PannelloRisultati::paintEvent(QPaintEvent*) { pannelliElenco::sfondo(this, m_fascia); }

void PannelloRisultati::mostra(Elenco righe) {
    lstRecords->modello()->imposta(std::move(righe));
    if (lblTrovate)
        lblTrovate->setText(QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(elenco().size()));
}

void PannelloRisultati::svuota() { lstRecords->modello()->svuota(); }

const Elenco& PannelloRisultati::elenco() const { return lstRecords->modello()->elenco(); }

const VoceElenco* PannelloRisultati::voceSelezionata() const {
    const int row = lstRecords->rigaSelezionata();
    if (row < 0) return nullptr;
    m_selezionata = elenco()[row];
    return &m_selezionata;
}

void PannelloRisultati::dimenticaChiave() {
    m_chiave->clear();
    txtTrova->clear();
}

void PannelloRisultati::btnTrovaClick() {
    const Elenco& e = elenco();
    const int n = int(e.size());
    if (n == 0) {
        msg::plain(this, QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    int selezionata = lstRecords->rigaSelezionata();
    if (selezionata < 0) {
        lstRecords->selezionaRiga(0);
        selezionata = 0;
    }
    const QString chiave = lowerAZ(txtTrova->text());
    // A new text is tried from the first line on; the same text again from the line after the
    // selected one, which is tried last.
    const int primo = chiave != *m_chiave ? 0 : (selezionata + 1) % n;
    if (!chiave.isEmpty()) {
        for (int k = 0; k < n; ++k) {
            const int row = (primo + k) % n;
            if (text::containsAZ(e.riga(row), chiave)) {
                lstRecords->selezionaRiga(row);
                break;
            }
        }
    }
    *m_chiave = chiave;
}
