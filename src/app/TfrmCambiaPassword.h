#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// Replaces the access password after the old one is given. Long-lived: shown from the password
// window and hidden again; however it closes, the password window comes back.
class TfrmCambiaPassword : public QWidget {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget* parent = nullptr);

    QLineEdit* txtPasswordOld;
    QLineEdit* txtPasswordNew;
    QLineEdit* txtConferma;
    QPushButton* cmdOK;
    QPushButton* cmdEsci;

    void cmdOKClick();
    void cmdEsciClick();

signals:
    void chiuso();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void txtChange();
    // Empties both new-password fields and puts the focus in the first.
    void reinserisciNuova();
};
