#pragma once

#include "ui/FinestraEsportazione.h"

// The export of the registry into "Esecutori.xls".
class TfrmExpEsecutori : public FinestraEsportazione {
    Q_OBJECT
public:
    explicit TfrmExpEsecutori(QWidget* parent);

protected:
    void leggi(CelleFoglio& righe) override;
};
