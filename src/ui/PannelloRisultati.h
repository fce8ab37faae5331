#pragma once

#include "queries/Elenco.h"

#include <QString>
#include <QWidget>

class EntryForm;
class ListaRecords;
class QLabel;
class QLineEdit;
class QPushButton;

// The result panel every list screen shows: the instructions, the find box (`txtTrova`, `btnTrova`),
// the list `lstRecords`, the hint about the double click, the count line `lblTrovate` (only where
// the screen has one) and the buttons `btnStampa` and `btnChiudi`.
//
// Trova walks the lines from the one after the selected line, wrapping round, to the first that
// contains the find text (only A-Z compared without regard to case) and selects it; a new find text
// starts from the first line. The last find text is remembered until the screen forgets it.
class PannelloRisultati : public QWidget {
    Q_OBJECT
public:
    PannelloRisultati(QWidget* parent, bool conConteggio);

    QLineEdit* txtTrova;
    QPushButton* btnTrova;
    ListaRecords* lstRecords;
    QLabel* lblDoppioClic; // the hint about the double click
    QLabel* lblTrovate; // nullptr where the screen has no count line
    QPushButton* btnStampa;
    QPushButton* btnChiudi;

    // Shows the lines (already in list order) and the count line.
    void mostra(Elenco elenco);
    void svuota();
    const Elenco& elenco() const;
    // The selected line and its record, or nullptr; it holds until the next call.
    const VoceElenco* voceSelezionata() const;

    // Forgets the remembered find text and empties the find box.
    void dimenticaChiave();
    // Keeps the remembered find text in `chiave` instead of the panel, for a screen that remembers
    // it across openings; `chiave` must outlive the panel.
    void conservaChiaveIn(QString* chiave) { m_chiave = chiave; }
    void btnTrovaClick();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    mutable VoceElenco m_selezionata; // the lines are kept encoded: this one decoded, for voceSelezionata()
    QString m_propria;
    QString* m_chiave = &m_propria;
    int m_fascia; // height of the band
    EntryForm* m_form;
};
