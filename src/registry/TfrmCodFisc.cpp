#include "TfrmCodFisc.h"
#include "print/Palette.h"

TfrmCodFisc::TfrmCodFisc(QWidget* parent, const QString& testo)
    : CheckDialog({QStringLiteral(" Controllo codice fiscale"), QStringLiteral("Codice fiscale"),
                   QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo."),
                   QStringLiteral("txtCodFisc"), 16, false, true, palette::checkTaxCode, verdettoCodFisc},
                  parent),
      txtCodFisc(campo) {
    if (!testo.isEmpty()) setTesto(testo);
}
