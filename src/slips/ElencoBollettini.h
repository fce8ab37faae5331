#pragma once

#include "CaricaBollettino.h"
#include "ui/FinestraElenco.h"

#include <QDate>

// The two lists of slips still waiting for payment: the result panel filled, once each time it is
// opened, by a fixed selection of the open year's slips. A failure while filling ends it silently
// with the lines gathered so far.
class ElencoBollettini : public FinestraElenco {
    Q_OBJECT
public:
    ElencoBollettini(QWidget* parent, const Aspetto& aspetto, DestinoBollettino destino);

protected:
    // Adds the selected slips of `archivio` to `out`; throws ArchiveError.
    virtual void seleziona(const QString& archivio, Elenco& out) = 0;
    void alMostrare() override;
    void carica(const VoceElenco& voce) override;

private:
    DestinoBollettino m_destino;
};
