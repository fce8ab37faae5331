#pragma once

#include <QString>
#include <QWidget>

class EntryForm;
class Picture;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The payment summary's query: the year, the payer and account filters, and the interval as a day
// and a month at each end. "Visualizza riepilogo" checks the request and opens the result over
// this screen. A long-lived window: closing it only hides it, and the start screen comes back.
class TfrmMenuRiepCosti : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMenuRiepCosti(QWidget* parent = nullptr);

    QLineEdit* txtAnno;
    QLineEdit* txtEsecutore;
    QLineEdit* txtCCP;
    QToolButton* impCodTariffa;
    QComboBox *txtGiornoInizio, *txtMeseInizio, *txtGiornoFine, *txtMeseFine;
    QLabel *lblAnnoInizio, *lblAnnoFine;
    QPushButton *btnEsci, *btnVisualizza;
    QLabel* lblAttendere;
    Picture* imgGuida;
    // The request as the result screen gets it, hidden.
    QLabel *lblDataInizio, *lblDataFine, *lblFile;

    // Shows the screen maximised, ready for a new request: the current year, everything else empty.
    void mostra();

    void btnVisualizzaClick();
    void impCodTariffaClick();
    void imgGuidaClick();

signals:
    void chiuso();

protected:
    void closeEvent(QCloseEvent* e) override;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* elenco(QWidget* parent, const char* nome, const QStringList& voci, const QString& nomeAccessibile);
    void txtAnnoChange();
    // The day and month lists take values from the list only; true when `key` is dropped.
    bool txtElencoKeyDown(QComboBox* elenco, QKeyEvent* key);
    // Shows `testo` as the kind of box asked, puts the focus in `campo` (none: where it was) and hides the note.
    void rifiuta(bool avviso, const QString& testo, QWidget* campo);

    QWidget* m_panel;
    EntryForm* m_form;
    // Trova's remembered text on the result screen, kept for the whole run of the program.
    QString m_chiaveTrova;
};
