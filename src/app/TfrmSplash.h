#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class Picture;

// The maker's notice: a picture, a link to the web site and "Chiudi".
class TfrmSplash : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* parent);

    Picture* imgSplash;
    Picture* imgWeb;
    QLabel* lnkWeb;
    QPushButton* btnChiudi;
};
