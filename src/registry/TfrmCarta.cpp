#include "TfrmCarta.h"
#include "print/Palette.h"

TfrmCarta::TfrmCarta(QWidget* parent, const QString& testo)
    : CheckDialog(
          {QStringLiteral(" Controllo carta di credito"), QStringLiteral("Carta di credito"),
           QStringLiteral("Immettere il numero di carta di credito e premere il pulsante di controllo."),
           QStringLiteral("txtNumero"), 30, true, true, palette::checkCard, verdettoCarta},
          parent),
      txtNumero(campo) {
    if (!testo.isEmpty()) setTesto(testo);
}
