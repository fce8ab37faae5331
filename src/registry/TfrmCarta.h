#pragma once

#include "CheckDialog.h"

// Tells whether a payment card number passes its check digit, and its network.
class TfrmCarta : public CheckDialog {
    Q_OBJECT
public:
    // The opener may pass the text to check, or set it later with setTesto().
    explicit TfrmCarta(QWidget* parent = nullptr, const QString& testo = QString());

    QLineEdit* const txtNumero;
};
