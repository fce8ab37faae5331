#pragma once

#include "DestinoScheda.h"
#include "ui/FinestraElenco.h"

// The registry cards flagged "Da ricontattare", listed once each time the screen is opened; a
// double-clicked line loads its card into the registry workspace.
class TfrmRicontatta : public FinestraElenco {
    Q_OBJECT
public:
    TfrmRicontatta(QWidget* parent, DestinoScheda& destino);

protected:
    void alMostrare() override;
    void carica(const VoceElenco& voce) override;

private:
    DestinoScheda& m_destino;
};
