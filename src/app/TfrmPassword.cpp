#include "TfrmPassword.h"

#include "MessaggiAccesso.h"
#include "archive/CartellaScrivibile.h"
#include "archive/PasswordStore.h"
#include "archive/Text.h"
#include "ui/EntryForm.h"
#include "ui/MessageService.h"
#include "ui/Picture.h"
#include "ui/ProgramFolder.h"
#include "print/Palette.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

void centraSulloSchermo(QWidget* window) {
    window->adjustSize();
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect r(QPoint(), window->frameGeometry().size());
    r.moveCenter(screen->availableGeometry().center());
    window->move(r.topLeft());
}

TfrmPassword::TfrmPassword(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmPassword"));
    setWindowTitle(QStringLiteral(" Versalio - Accesso"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.svg")));
    // Only a title: the window is left through its own buttons.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("TfrmPassword { background: white; }"));

    imgLogo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/pictures/logo_accesso.svg"), this);
    imgLogo->setFixedSize(420, 80);

    lblRigo05 = new QLabel(QStringLiteral("Immetti la password e premi OK."), this);
    lblRigo05->setObjectName(QStringLiteral("lblRigo05"));
    QFont big = lblRigo05->font();
    big.setPointSizeF(big.pointSizeF() * 1.15);
    lblRigo05->setFont(big);

    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setFont(QFont(txtPassword->font().family(), 14, QFont::Bold));
    txtPassword->setAccessibleName(QStringLiteral("Password"));
    lblRigo05->setBuddy(txtPassword);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setEnabled(false);
    cmdEsci = new QPushButton(QStringLiteral("Esci"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    btnCambiaPassword = new QPushButton(QStringLiteral("Cambia password"), this);
    btnCambiaPassword->setObjectName(QStringLiteral("btnCambiaPassword"));
    for (QPushButton* b : {cmdOK, cmdEsci, btnCambiaPassword}) b->setMinimumSize(110, 32);
    imgMano = new Picture(QStringLiteral("imgMano"), QStringLiteral(":/pictures/pic_mano.svg"), this);
    imgMano->setFixedSize(48, 32);

    lblCartella = new QLabel(this);
    lblCartella->setObjectName(QStringLiteral("lblCartella"));
    lblCartella->setWordWrap(true);
    lblCartella->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblCartella->setStyleSheet(palette::sheet(QStringLiteral("QLabel { background: @warnFill; color: @warnInk; border: 1px solid @warnLine; "
                                              "border-radius: 4px; padding: 8px; }")));
    lblCartella->hide();

    setFixedWidth(420);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 18);
    layout->setSpacing(0);
    layout->addWidget(imgLogo);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(28, 20, 28, 0);
    body->setSpacing(10);
    body->addWidget(lblCartella);
    body->addWidget(lblRigo05);
    body->addWidget(txtPassword);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdEsci);
    body->addSpacing(6);
    body->addLayout(buttons);
    body->addSpacing(14);
    auto* change = new QHBoxLayout;
    change->addStretch();
    change->addWidget(imgMano);
    change->addSpacing(6);
    change->addWidget(btnCambiaPassword);
    body->addLayout(change);
    layout->addLayout(body);

    auto* form = new EntryForm(this, nullptr);
    form->addFrame(txtPassword);

    controllaCartella();

    connect(txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::txtPasswordChange);
    connect(txtPassword, &QLineEdit::returnPressed, this, &TfrmPassword::txtPasswordEnter);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
    connect(btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
    centraSulloSchermo(this);
}

void TfrmPassword::controllaCartella() {
    const QString motivo = cartellaScrivibile::motivo(programFolder::path());
    lblCartella->setText(motivo.isEmpty() ? QString()
                                          : messaggiAccesso::cartellaNonScrivibile(
                                                QDir::toNativeSeparators(QDir(programFolder::path()).absolutePath()), motivo));
    lblCartella->setVisible(!motivo.isEmpty());
}

void TfrmPassword::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::closeEvent(QCloseEvent* e) {
    // The window has no close box; a close from the window system ends the program as "Esci" does.
    e->accept();
    emit esci();
}

void TfrmPassword::txtPasswordChange() { cmdOK->setEnabled(!text::trimmed(txtPassword->text()).isEmpty()); }

void TfrmPassword::txtPasswordEnter() {
    if (!text::trimmed(txtPassword->text()).isEmpty()) cmdOKClick();
}

void TfrmPassword::cmdOKClick() {
    using namespace messaggiAccesso;
    const passwordStore::Lettura stored = passwordStore::leggi(programFolder::path());
    if (stored.esito == passwordStore::Lettura::Illeggibile) {
        msg::plain(this, kErroreLettura);
        return;
    }
    if (stored.esito == passwordStore::Lettura::Assente) {
        msg::plain(this, kArchivioAssente);
        return;
    }
    if (passwordStore::normalizza(txtPassword->text()) == stored.password) {
        emit accesso();
        return;
    }
    msg::plain(this, kPasswordErrata);
    txtPassword->clear();
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::cmdEsciClick() { close(); }

void TfrmPassword::btnCambiaPasswordClick() { emit cambiaPassword(); }

void TfrmPassword::riapri() {
    txtPassword->clear();
    controllaCartella();
    show();
    activateWindow();
    txtPassword->setFocus(Qt::OtherFocusReason);
}
