#include "TfrmSplash.h"

#include "ui/Picture.h"
#include "ui/Shell.h"
#include "TfrmAvvio.h"

#include <QLabel>
#include <QPushButton>

TfrmSplash::TfrmSplash(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral(" Versalio - \u00a9 2026 Versalio, tutti i diritti riservati"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(520, 400);
    setStyleSheet(QStringLiteral("TfrmSplash { background: white; }"));

    imgSplash = new Picture(QStringLiteral("imgSplash"), QStringLiteral(":/pictures/splash.svg"), this);
    imgSplash->setGeometry(20, 16, 480, 300);
    imgWeb = new Picture(QStringLiteral("imgWeb"), QStringLiteral(":/pictures/pic_web.svg"), this, true);
    imgWeb->setGeometry(24, 347, 24, 24);
    lnkWeb = new QLabel(kSitoWeb, this);
    lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    lnkWeb->setGeometry(56, 342, 260, 34);
    auto* link = new Link(lnkWeb, imgWeb);
    connect(link, &Link::activated, this, [] { TMisc::Open(kSitoWeb); });

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setGeometry(400, 340, 100, 36);
    btnChiudi->setDefault(true);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);
}
