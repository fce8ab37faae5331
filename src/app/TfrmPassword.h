#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class Picture;

// The access password: the program's main window and the only one shown at start-up. A correct
// password leads to the start screen; the window is then only hidden.
class TfrmPassword : public QWidget {
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget* parent = nullptr);

    Picture* imgLogo;
    QLabel* lblRigo05;
    QLineEdit* txtPassword;
    QPushButton* cmdOK;
    QPushButton* cmdEsci;
    QPushButton* btnCambiaPassword;
    Picture* imgMano;
    // Shown only when the program folder cannot take the archives, with the reason.
    QLabel* lblCartella;

    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();

    // Back from the change form: an empty field, shown, with the focus.
    void riapri();

signals:
    void accesso();
    void esci();
    void cambiaPassword();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void controllaCartella();
    void txtPasswordChange();
    void txtPasswordEnter();
};

// Moves a top-level window to the middle of its screen.
void centraSulloSchermo(QWidget* window);
