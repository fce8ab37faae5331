#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class Picture;

// About the program, with a link that starts an e-mail to the maker.
class TfrmInfo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* parent);

    Picture* imgLogo;
    QLabel* lnkWeb;
    Picture* imgEmail;
    QPushButton* btnChiudi;

    // What the e-mail link hands to the shell.
    static QString indirizzoPosta();
};
