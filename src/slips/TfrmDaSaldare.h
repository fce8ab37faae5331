#pragma once

#include "ElencoBollettini.h"

// Every slip not marked as paid, whatever its due date.
class TfrmDaSaldare : public ElencoBollettini {
    Q_OBJECT
public:
    TfrmDaSaldare(QWidget* parent, DestinoBollettino destino);

protected:
    void seleziona(const QString& archivio, Elenco& out) override;
};
