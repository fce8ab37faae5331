#include "TfrmIban.h"

#include "ui/SenzaSpazi.h"
#include "print/Palette.h"

TfrmIban::TfrmIban(QWidget* parent, const QString& testo)
    : CheckDialog({QStringLiteral(" Controllo IBAN"), QStringLiteral("IBAN"),
                   QStringLiteral("Immettere l'IBAN e premere il pulsante di controllo."),
                   QStringLiteral("txtIban"), 27, false, true, palette::steel, verdettoIban},
                  parent),
      txtIban(campo) {
    senzaSpazi(txtIban);
    if (!testo.isEmpty()) setTesto(testo);
}
