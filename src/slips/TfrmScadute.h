#pragma once

#include "ElencoBollettini.h"

// The slips not marked as paid that fall due today or earlier.
class TfrmScadute : public ElencoBollettini {
    Q_OBJECT
public:
    TfrmScadute(QWidget* parent, DestinoBollettino destino);

protected:
    void seleziona(const QString& archivio, Elenco& out) override;
};
