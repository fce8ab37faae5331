#pragma once

#include "CaricaBollettino.h"
#include "ui/FinestraElenco.h"

class QLineEdit;

// Finds the slips of the open year that hold given words in up to ten of their fields, lists them
// one line each, prints the list and loads a chosen slip into the workspace.
class TfrmTrovaBollettini : public FinestraRicerca {
    Q_OBJECT
public:
    TfrmTrovaBollettini(QWidget* parent, DestinoBollettino destino);

    QLineEdit *txtIntero, *txtCCP, *txtEsecutore, *txtComuneRes, *txtIntestatario, *txtIndirizzoInt, *txtDataScade,
        *txtDataPaga, *txtCausale01, *txtNote;

protected:
    void cerca(const QList<std::pair<QString, QString>>& filtri, Elenco& out) override;
    void carica(const VoceElenco& voce) override;

private:
    DestinoBollettino m_destino;
};
