#pragma once

#include "DestinoScheda.h"
#include "ui/FinestraElenco.h"

class QLabel;
class QLineEdit;

// Finds registry cards by up to ten text filters, lists them one line each, prints the list, and
// hands the card behind a double-clicked line to the window that opened it, as its mode text in
// `lblMemory` asks: "esecutore" and "intestatario" (the slip workspace), "riepilogo" (the payment
// summary query), "esecutori" (the registry workspace). Any other mode sends nothing.
class TfrmTrovaEsecutori : public FinestraRicerca {
    Q_OBJECT
public:
    TfrmTrovaEsecutori(QWidget* parent, DestinoScheda& destino);

    QLabel* lblMemory;
    QLineEdit *txtEsecutore, *txtCategoria, *txtPartitaIva, *txtCodFisc, *txtComuneNasc, *txtComuneRes, *txtNumDoc,
        *txtCCP, *txtCausale01, *txtNote;

protected:
    void cerca(const QList<std::pair<QString, QString>>& filtri, Elenco& out) override;
    void carica(const VoceElenco& voce) override;

private:
    DestinoScheda& m_destino;
};
