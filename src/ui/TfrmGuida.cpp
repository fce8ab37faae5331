#include "TfrmGuida.h"

#include "ProgramFolder.h"
#include "Picture.h"
#include "Shell.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

TfrmGuida::TfrmGuida(const QString& titolo, const QString& testo, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmGuida"));
    setWindowTitle(QStringLiteral(" Guida all'utilizzo del software"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(670, 572);
    setStyleSheet(QStringLiteral("TfrmGuida { background: white; }"));

    imgLogo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/pictures/logo_guida.svg"), this);
    imgLogo->setGeometry(15, 12, 640, 80);

    lblTitolo = new QLabel(titolo, this);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    QFont tf(QStringLiteral("Arial"), 16, QFont::Bold);
    lblTitolo->setFont(tf);
    lblTitolo->setStyleSheet(QStringLiteral("color: crimson;"));
    lblTitolo->setGeometry(22, 100, 625, 32);

    txtGuida = new QPlainTextEdit(this);
    txtGuida->setObjectName(QStringLiteral("txtGuida"));
    txtGuida->setReadOnly(true);
    txtGuida->setAccessibleName(titolo);
    txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtGuida->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
    txtGuida->setGeometry(22, 140, 625, 350);
    // The stored texts separate paragraphs with CR LF CR LF; on screen that is one empty line.
    QString shown = testo;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    txtGuida->setPlainText(shown);

    imgPDF = new Picture(QStringLiteral("imgPDF"), QStringLiteral(":/pictures/pic_pdf.svg"), this, true);
    imgPDF->setGeometry(22, 515, 24, 24);
    lnkWeb = new QLabel(QStringLiteral("Visualizza guida in formato PDF"), this);
    lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    lnkWeb->setGeometry(52, 510, 400, 34);
    auto* link = new Link(lnkWeb, imgPDF);
    connect(link, &Link::activated, this, &TfrmGuida::lnkWebClick);

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setGeometry(547, 508, 100, 36);
    btnChiudi->setDefault(true);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmGuida::lnkWebClick() {
    TMisc::Open(QLatin1Char('"') + programFolder::path() + QStringLiteral("Guida.pdf") + QLatin1Char('"'));
}

void mostraGuida(QWidget* parent, const QString& titolo, const QString& testo) {
    TfrmGuida guida(titolo, testo, parent);
    guida.exec();
}
