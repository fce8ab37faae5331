#pragma once

#include <QObject>

class TfrmAvvio;
class TfrmBollettino;
class TfrmCambiaPassword;
class TfrmEsecutori;
class TfrmMenuRiepCosti;
class TfrmPassword;
class Workspace;

// The long-lived windows, created once and only shown and hidden. The password window comes
// first and is the only one shown at start-up; after it, exactly one of the start screen and the
// workspaces is visible at a time.
class WindowSet : public QObject {
    Q_OBJECT
public:
    WindowSet();
    ~WindowSet() override;

    // Shows the password window.
    void start();

    TfrmPassword* password;
    TfrmAvvio* avvio;
    TfrmCambiaPassword* cambiaPassword;
    TfrmEsecutori* esecutori;
    TfrmMenuRiepCosti* riepilogo;
    TfrmBollettino* bollettino;

signals:
    // The program ends: "Esci" of the password window, the start screen's exit picture or its close.
    void termina();

private:
    void apri(Workspace* workspace);
};
