#pragma once

#include <QObject>

class TfrmAvvio;
class TfrmBollettino;
class TfrmEsecutori;
class Workspace;

// The long-lived windows, created once and only shown and hidden: exactly one of the start
// screen and the workspaces is visible at a time.
class WindowSet : public QObject {
    Q_OBJECT
public:
    WindowSet();
    ~WindowSet() override;

    void start();

    TfrmAvvio* avvio;
    TfrmBollettino* bollettino;
    TfrmEsecutori* esecutori;

private:
    void apri(Workspace* workspace);
};
