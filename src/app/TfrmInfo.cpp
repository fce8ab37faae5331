#include "TfrmInfo.h"

#include "ui/Picture.h"
#include "ui/Shell.h"
#include "TfrmAvvio.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

TfrmInfo::TfrmInfo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral(" Informazioni su Versalio"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(460, 330);
    setStyleSheet(QStringLiteral("TfrmInfo { background: white; }"));

    imgLogo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/pictures/logo_info.svg"), this);
    imgLogo->setGeometry(80, 16, 300, 80);

    auto* info1 = new QLabel(this);
    info1->setObjectName(QStringLiteral("imgInfo1"));
    info1->setText(QStringLiteral("<b>Versalio</b> versione %1<br>Compilazione, stampa e archivio dei bollettini postali "
                                  "a due sezioni, archivio anagrafico e riepilogo dei versamenti.")
                       .arg(QStringLiteral(VERSALIO_VERSIONE)));
    info1->setWordWrap(true);
    info1->setAlignment(Qt::AlignCenter);
    info1->setGeometry(30, 106, 400, 70);
    auto* info2 = new QLabel(this);
    info2->setObjectName(QStringLiteral("imgInfo2"));
    info2->setText(QStringLiteral("Per informazioni, suggerimenti e segnalazioni scrivere a:"));
    info2->setAlignment(Qt::AlignCenter);
    info2->setGeometry(30, 186, 400, 24);

    imgEmail = new Picture(QStringLiteral("imgEmail"), QStringLiteral(":/pictures/pic_email.svg"), this, true);
    imgEmail->setGeometry(120, 226, 24, 24);
    lnkWeb = new QLabel(kEmail, this);
    lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    lnkWeb->setGeometry(152, 220, 260, 34);
    auto* link = new Link(lnkWeb, imgEmail);
    connect(link, &Link::activated, this, [] { TMisc::Open(indirizzoPosta()); });

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setGeometry(180, 276, 100, 34);
    btnChiudi->setDefault(true);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);
}

QString TfrmInfo::indirizzoPosta() {
    // Handed over as it stands: the blanks of subject and body are not encoded.
    return QStringLiteral("\"mailto:") + kEmail + QStringLiteral("?subject=Software Versalio&body=Salve, "
                                                                 "desidererei avere le seguenti informazioni sul "
                                                                 "software in oggetto:\"");
}
