#pragma once

#include "queries/EmissioneBollettini.h"

#include <QDialog>
#include <QList>
#include <optional>

class EntryForm;
class ListaRecords;
class Picture;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The dues of a group: chooses payers in the registry with the picker's ten filters, lists them with
// a tick box each, takes the beneficiary (imported from a card or typed), the amount, the due date
// and the reason, shows one slip of the batch as it will be saved, appends one slip per ticked card
// to the open year's archive, all or none, and then offers to print the new slips.
class TfrmEmissioneBollettini : public QDialog {
    Q_OBJECT
public:
    // `archivio` is the open year's archive, as the slip workspace's lblFile holds it.
    TfrmEmissioneBollettini(const QString& archivio, QWidget* parent);

    // The filters, named "txtFiltro" + the card field each one looks into, in the picker's order.
    QList<QLineEdit*> filtri;
    QPushButton* btnCerca;
    ListaRecords* lstEsecutori;
    QLabel* lblSelezionate;
    QPushButton *btnTutte, *btnNessuna;

    QToolButton* impIntestatario;
    QLineEdit *txtCCP, *txtImporto, *txtCents, *txtIntestatario, *txtIndirizzoInt, *txtCausale01, *txtCausale02;
    QLineEdit* txtDataScade;

    QLabel* lblAnteprima; // the preview's heading: whose slip it is
    QLabel *lblAnteprimaCCP, *lblAnteprimaImporto, *lblAnteprimaLettere, *lblAnteprimaIntestatario,
        *lblAnteprimaCausale, *lblAnteprimaEsecutore, *lblAnteprimaIndirizzo, *lblAnteprimaScadenza;

    QPushButton *btnGuida, *btnAnnulla, *btnEmetti;

    void btnCercaClick();
    void btnEmettiClick();
    void impIntestatarioClick();
    void btnGuidaClick();

    // What the batch shares, as the fields hold it now.
    emissione::Dati dati() const;
    // The cards listed, in list order, and the ticked ones.
    const QList<emissione::Esecutore>& esecutori() const { return m_esecutori; }
    QList<emissione::Esecutore> spuntati() const;
    // The slip the preview shows, when there is a card to show it for.
    std::optional<TSchedaBollettino> anteprima() const;
    // The slips appended by the last confirmation, and the position of the first.
    const QList<TSchedaBollettino>& emessi() const { return m_emessi; }
    qint64 primoEmesso() const { return m_primo; }

protected:
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void costruisciFiltri();
    void costruisciBollettino();
    void costruisciAnteprima();
    void aggiornaConteggio();
    void aggiornaAnteprima();
    int rigaAnteprima() const;
    void centsLasciati();
    void focusSu(emissione::Campo campo);

    QString m_archivio;
    EntryForm* m_form;
    int m_fascia;
    QRect m_carta; // the preview's card
    QList<emissione::Esecutore> m_esecutori;
    bool m_cercato = false; // a search was made
    QList<TSchedaBollettino> m_emessi;
    qint64 m_primo = 0;
};
