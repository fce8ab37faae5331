#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class Picture;

// A help topic: its title and text, set by the screen that opens it, and a link to the PDF guide.
class TfrmGuida : public QDialog {
    Q_OBJECT
public:
    TfrmGuida(const QString& titolo, const QString& testo, QWidget* parent);

    Picture* imgLogo;
    QLabel* lblTitolo;
    QPlainTextEdit* txtGuida;
    QLabel* lnkWeb;
    Picture* imgPDF;
    QPushButton* btnChiudi;

private:
    void lnkWebClick();
};

// Opens the help dialog modally over `parent`.
void mostraGuida(QWidget* parent, const QString& titolo, const QString& testo);
