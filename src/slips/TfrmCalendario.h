#pragma once

#include <QDialog>

class QCalendarWidget;
class QLabel;
class QPushButton;
class TfrmBollettino;

// The date picker: a month calendar that starts on today; "Importa" writes the chosen date into
// the slip's due date.
class TfrmCalendario : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalendario(TfrmBollettino* bollettino);

    QLabel* lblMemory; // the caller's mode: "datascade"
    QCalendarWidget* calAppuntamenti;
    QPushButton* btnAnnulla;
    QPushButton* btnImportaData;

    void btnImportaDataClick();

private:
    TfrmBollettino* m_bollettino;
};
