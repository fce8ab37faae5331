#include "TfrmIban.h"

#include "ui/SenzaSpazi.h"

TfrmIban::TfrmIban(QWidget* parent, const QString& testo)
    : CheckDialog({QStringLiteral(" Controllo IBAN"), QStringLiteral("IBAN"),
                   QStringLiteral("Immettere l'IBAN e premere il pulsante di controllo."),
                   QStringLiteral("txtIban"), 27, false, true, QColor(0x46, 0x82, 0xb4), verdettoIban},
                  parent),
      txtIban(campo) {
    senzaSpazi(txtIban);
    if (!testo.isEmpty()) setTesto(testo);
}
