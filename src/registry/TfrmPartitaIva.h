#pragma once

#include "CheckDialog.h"

// Tells whether a VAT number is well formed and which provincial VAT office issued it.
class TfrmPartitaIva : public CheckDialog {
    Q_OBJECT
public:
    // The opener may pass the text to check, or set it later with setTesto().
    explicit TfrmPartitaIva(QWidget* parent = nullptr, const QString& testo = QString());

    QLineEdit* const txtPartitaIva;
};
