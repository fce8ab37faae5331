#pragma once

#include "ui/FinestraEsportazione.h"

// The export of the open year's slips into "Riepilogo_Annuale_Versamenti.xls".
class TfrmExpBollettini : public FinestraEsportazione {
    Q_OBJECT
public:
    // `archivio` is the open year's archive, as the slip workspace's lblFile holds it.
    TfrmExpBollettini(const QString& archivio, QWidget* parent);

protected:
    void leggi(CelleFoglio& righe) override;

private:
    QString m_archivio;
};
