#pragma once

#include "queries/Elenco.h"

#include <QDialog>
#include <QString>

class ListaRecords;
class PannelloRisultati;
class Picture;
class QLabel;
class QLineEdit;
class QPushButton;

// What the query screen hands to the result: the yearly archive, the interval as "dd/mm/yyyy"
// texts and the two filters as typed.
struct RichiestaRiepilogo {
    QString file;
    QString dataInizio, dataFine;
    QString esecutore, ccp;
};

// The payment summary of one request: the slips of the year due in the interval (of the payer
// and/or the account asked for), one line each in list order, their total, find-next and the
// printout. Slips that cannot be read are left out of the list and the total and counted beside
// it. A fresh screen for each request; the remembered find text lives where `chiaveTrova` points,
// so it lasts across openings.
class TfrmRiepCosti : public QDialog {
    Q_OBJECT
public:
    TfrmRiepCosti(const RichiestaRiepilogo& richiesta, QString* chiaveTrova, QWidget* parent);

    PannelloRisultati* panContainer;
    QLabel* titTipologia;
    QLineEdit* txtTrova;
    QPushButton* btnTrova;
    Picture* imgGuida;
    ListaRecords* lstRecords;
    QLabel* lblIntervallo;
    QLabel* lblTotCosti;
    QLabel* lblScartati; // how many slips could not be read; hidden when none
    QPushButton* btnStampa;
    QPushButton* btnEsci;

    // Runs the scan (once). An archive that cannot be read is reported and left as it is; false then.
    bool calcola();

    void btnTrovaClick();
    void btnStampaClick();
    void imgGuidaClick();

    const Elenco& elenco() const;
    int scartati() const { return m_scartati; }

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void done(int r) override;

private:
    void disponi();

    RichiestaRiepilogo m_richiesta;
    QLabel* m_etichettaTotale;
    QLabel* m_etichettaIntervallo;
    QLabel* m_etichettaEsecutore;
    bool m_calcolato = false;
    bool m_letto = false;
    int m_scartati = 0;
};

// The message for an archive the summary cannot read.
inline const QString kArchivioNonAccessibile = QStringLiteral("Attenzione: il file di archivio non risulta accessibile.");
