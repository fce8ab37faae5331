#pragma once

#include "CheckDialog.h"

// Tells whether a natural person's tax code is well formed.
class TfrmCodFisc : public CheckDialog {
    Q_OBJECT
public:
    // The opener may pass the text to check, or set it later with setTesto().
    explicit TfrmCodFisc(QWidget* parent = nullptr, const QString& testo = QString());

    QLineEdit* const txtCodFisc;
};
