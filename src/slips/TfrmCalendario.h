#pragma once

#include <QDialog>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPushButton;
class TfrmBollettino;

// The date picker: a month calendar that starts on today; "Importa" writes the chosen date into
// the slip's due date, or into the due date of the batch of slips.
class TfrmCalendario : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalendario(TfrmBollettino* bollettino);
    // Over `parent`, writing into `destinazione`.
    TfrmCalendario(QWidget* parent, QLineEdit* destinazione);

    QLabel* lblMemory; // the caller's mode: "datascade"
    QCalendarWidget* calAppuntamenti;
    QPushButton* btnAnnulla;
    QPushButton* btnImportaData;

    void btnImportaDataClick();

private:
    QLineEdit* m_destinazione;
};
