#include "WindowSet.h"

#include "TfrmAvvio.h"
#include "slips/TfrmBollettino.h"

#include <QApplication>

WindowSet::WindowSet() {
    // Closing a workspace shows the start screen again; the program ends only where it says so.
    QApplication::setQuitOnLastWindowClosed(false);
    avvio = new TfrmAvvio;
    bollettino = new TfrmBollettino;

    connect(avvio, &TfrmAvvio::esci, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    connect(avvio, &TfrmAvvio::apriBollettino, this, [this] { apri(bollettino); });
    for (Workspace* w : {static_cast<Workspace*>(bollettino)})
        connect(w, &Workspace::chiuso, avvio, [this] { avvio->showMaximized(); });
}

WindowSet::~WindowSet() {
    delete bollettino;
    delete avvio;
}

void WindowSet::start() { avvio->showMaximized(); }

void WindowSet::apri(Workspace* workspace) {
    if (workspace == bollettino) bollettino->mostra();
    avvio->hide();
}
