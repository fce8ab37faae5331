#pragma once

#include "CheckDialog.h"

// Tells whether a bank account's 27-character IBAN passes its check digits.
class TfrmIban : public CheckDialog {
    Q_OBJECT
public:
    // The opener may pass the text to check, or set it later with setTesto().
    explicit TfrmIban(QWidget* parent = nullptr, const QString& testo = QString());

    QLineEdit* const txtIban;
};
