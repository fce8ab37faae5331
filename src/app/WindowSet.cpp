#include "WindowSet.h"

#include "TfrmAvvio.h"
#include "registry/TfrmEsecutori.h"
#include "slips/TfrmBollettino.h"

#include <QApplication>

WindowSet::WindowSet() {
    // Closing a workspace shows the start screen again; the program ends only where it says so.
    QApplication::setQuitOnLastWindowClosed(false);
    avvio = new TfrmAvvio;
    bollettino = new TfrmBollettino;
    esecutori = new TfrmEsecutori;

    connect(avvio, &TfrmAvvio::esci, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    connect(avvio, &TfrmAvvio::apriBollettino, this, [this] { apri(bollettino); });
    connect(avvio, &TfrmAvvio::apriAnagrafica, this, [this] { apri(esecutori); });
    for (Workspace* w : {static_cast<Workspace*>(bollettino), static_cast<Workspace*>(esecutori)})
        connect(w, &Workspace::chiuso, avvio, [this] { avvio->showMaximized(); });
}

WindowSet::~WindowSet() {
    delete esecutori;
    delete bollettino;
    delete avvio;
}

void WindowSet::start() { avvio->showMaximized(); }

void WindowSet::apri(Workspace* workspace) {
    if (workspace == bollettino) bollettino->mostra();
    if (workspace == esecutori) esecutori->mostra();
    avvio->hide();
}
