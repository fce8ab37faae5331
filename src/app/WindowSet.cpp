#include "WindowSet.h"

#include "TfrmAvvio.h"
#include "TfrmCambiaPassword.h"
#include "TfrmPassword.h"
#include "registry/TfrmEsecutori.h"
#include "slips/TfrmBollettino.h"
#include "summary/TfrmMenuRiepCosti.h"

#include <QApplication>

WindowSet::WindowSet() {
    // Closing a workspace shows the start screen again and the password window lives on hidden:
    // the program ends only where it says so.
    QApplication::setQuitOnLastWindowClosed(false);
    // The order in which the program has always created them; the password window is the main one.
    password = new TfrmPassword;
    avvio = new TfrmAvvio;
    cambiaPassword = new TfrmCambiaPassword;
    esecutori = new TfrmEsecutori;
    riepilogo = new TfrmMenuRiepCosti;
    bollettino = new TfrmBollettino;

    connect(this, &WindowSet::termina, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    connect(password, &TfrmPassword::esci, this, &WindowSet::termina);
    connect(avvio, &TfrmAvvio::esci, this, &WindowSet::termina);

    connect(password, &TfrmPassword::accesso, this, [this] {
        avvio->showMaximized();
        password->hide();
    });
    connect(password, &TfrmPassword::cambiaPassword, this, [this] {
        cambiaPassword->show();
        cambiaPassword->activateWindow();
        password->hide();
    });
    connect(cambiaPassword, &TfrmCambiaPassword::chiuso, password, &TfrmPassword::riapri);

    connect(avvio, &TfrmAvvio::apriBollettino, this, [this] { apri(bollettino); });
    connect(avvio, &TfrmAvvio::apriAnagrafica, this, [this] { apri(esecutori); });
    connect(avvio, &TfrmAvvio::apriRiepilogo, this, [this] {
        riepilogo->mostra();
        avvio->hide();
    });
    connect(riepilogo, &TfrmMenuRiepCosti::chiuso, avvio, [this] { avvio->showMaximized(); });
    for (Workspace* w : {static_cast<Workspace*>(bollettino), static_cast<Workspace*>(esecutori)})
        connect(w, &Workspace::chiuso, avvio, [this] { avvio->showMaximized(); });
}

WindowSet::~WindowSet() {
    delete bollettino;
    delete riepilogo;
    delete esecutori;
    delete cambiaPassword;
    delete avvio;
    delete password;
}

void WindowSet::start() {
    password->show();
    password->activateWindow();
}

void WindowSet::apri(Workspace* workspace) {
    if (workspace == bollettino) bollettino->mostra();
    if (workspace == esecutori) esecutori->mostra();
    avvio->hide();
}
