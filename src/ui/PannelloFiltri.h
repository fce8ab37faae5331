#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <utility>

class EntryForm;
class QLabel;
class QLineEdit;
class QPushButton;

// The filter panel `panAvvio` of the two search screens: the instructions, ten filter fields in
// two columns with their labels, a yellow frame behind the focused one and Enter moving round
// them in order, the hidden `lblConta` and `lblAttendere` ("Ricerca schede in corso. Attendere..."),
// and the buttons `btnAnnulla` ("Chiudi") and `btnCerca` ("Cerca").
class PannelloFiltri : public QWidget {
    Q_OBJECT
public:
    struct Campo {
        const char* nome;  // the field's name, "txt" + the record field searched
        QString etichetta; // the label beside it
    };
    PannelloFiltri(QWidget* parent, const QList<Campo>& campi);

    QList<QLineEdit*> filtri; // in the order given, which is the Enter ring
    QLabel* lblConta;
    QLabel* lblAttendere;
    QPushButton* btnAnnulla;
    QPushButton* btnCerca;

    // (record field, text as typed) for every filter; the record field is the name without "txt".
    QList<std::pair<QString, QString>> testi() const;
    // Makes the wait notice visible at once, before a scan blocks the screen.
    void mostraAttesa();

protected:
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EntryForm* m_form;
    int m_fascia; // height of the band
};
