#include "TfrmCambiaPassword.h"

#include "MessaggiAccesso.h"
#include "TfrmPassword.h"
#include "archive/PasswordStore.h"
#include "archive/Text.h"
#include "ui/EntryForm.h"
#include "ui/MessageService.h"
#include "ui/Picture.h"
#include "ui/ProgramFolder.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCambiaPassword::TfrmCambiaPassword(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmCambiaPassword"));
    setWindowTitle(QStringLiteral(" Cambia password"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.svg")));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("TfrmCambiaPassword { background: white; }"));

    auto* logo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/pictures/logo_accesso.svg"), this);
    logo->setFixedSize(420, 80);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(14);
    auto field = [&](QLineEdit*& edit, const char* name, const QString& caption) {
        edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setEchoMode(QLineEdit::Password);
        edit->setMinimumWidth(150);
        auto* label = new QLabel(caption, this);
        label->setBuddy(edit);
        edit->setAccessibleName(caption.chopped(1));
        const int row = fields->rowCount();
        fields->addWidget(label, row, 0);
        fields->addWidget(edit, row, 1);
    };
    field(txtPasswordOld, "txtPasswordOld", QStringLiteral("Vecchia password:"));
    field(txtPasswordNew, "txtPasswordNew", QStringLiteral("Nuova password:"));
    field(txtConferma, "txtConferma", QStringLiteral("Conferma nuova password:"));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setEnabled(false);
    cmdEsci = new QPushButton(QStringLiteral("Chiudi"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    for (QPushButton* b : {cmdOK, cmdEsci}) b->setMinimumSize(110, 32);

    setFixedWidth(420);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 18);
    layout->setSpacing(0);
    layout->addWidget(logo);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(28, 22, 28, 0);
    body->setSpacing(20);
    body->addLayout(fields);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdEsci);
    body->addLayout(buttons);
    layout->addLayout(body);

    auto* form = new EntryForm(this, nullptr);
    const QList<QLineEdit*> ring = {txtPasswordOld, txtPasswordNew, txtConferma};
    for (int i = 0; i < ring.size(); ++i) {
        form->addFrame(ring[i]);
        // Enter only moves round the three fields; it never confirms.
        form->addEnter(ring[i], ring[(i + 1) % ring.size()]);
        connect(ring[i], &QLineEdit::textChanged, this, &TfrmCambiaPassword::txtChange);
    }
    connect(cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdEsciClick);
    centraSulloSchermo(this);
}

void TfrmCambiaPassword::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (e->spontaneous()) return;
    txtPasswordOld->clear();
    txtPasswordNew->clear();
    txtConferma->clear();
    txtPasswordOld->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::closeEvent(QCloseEvent* e) {
    e->accept();
    emit chiuso();
}

void TfrmCambiaPassword::txtChange() {
    cmdOK->setEnabled(!text::trimmed(txtPasswordOld->text()).isEmpty() &&
                      !text::trimmed(txtPasswordNew->text()).isEmpty() &&
                      !text::trimmed(txtConferma->text()).isEmpty());
}

void TfrmCambiaPassword::reinserisciNuova() {
    txtPasswordNew->clear();
    txtConferma->clear();
    txtPasswordNew->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::cmdOKClick() {
    using namespace messaggiAccesso;
    const QString folder = programFolder::path();
    const passwordStore::Lettura stored = passwordStore::leggi(folder);
    if (stored.esito == passwordStore::Lettura::Illeggibile) {
        msg::plain(this, kErroreModifica);
        return;
    }
    if (stored.esito == passwordStore::Lettura::Assente) {
        msg::plain(this, kArchivioAssente);
        return;
    }
    if (passwordStore::normalizza(txtPasswordOld->text()) != stored.password) {
        msg::plain(this, kVecchiaErrata);
        txtPasswordOld->clear();
        txtPasswordOld->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Compared as typed: a confirmation in other capitals is a different word here.
    if (text::trimmed(txtPasswordNew->text()) != text::trimmed(txtConferma->text())) {
        msg::plain(this, kNonConfermata);
        reinserisciNuova();
        return;
    }
    const QString nuova = passwordStore::normalizza(txtPasswordNew->text());
    switch (passwordStore::verifica(nuova)) {
    case passwordStore::Rifiuto::TroppoLunga:
        msg::plain(this, kTroppoLunga);
        reinserisciNuova();
        return;
    case passwordStore::Rifiuto::CarattereNonAmmesso:
        for (qsizetype i = 0; i < nuova.size(); ++i)
            if (nuova[i].unicode() > 255) {
                const bool pair = nuova[i].isHighSurrogate() && i + 1 < nuova.size();
                msg::plain(this, carattereNonAmmesso(nuova.mid(i, pair ? 2 : 1)));
                break;
            }
        reinserisciNuova();
        return;
    case passwordStore::Rifiuto::Vuota: // only when called with empty fields: nothing to store
        reinserisciNuova();
        return;
    case passwordStore::Rifiuto::Nessuno:
        break;
    }
    if (!passwordStore::scrivi(folder, nuova)) {
        msg::plain(this, kErroreModifica);
        return;
    }
    msg::plain(this, kModificata);
    close();
}

void TfrmCambiaPassword::cmdEsciClick() { close(); }
