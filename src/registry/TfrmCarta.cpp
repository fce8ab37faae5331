#include "TfrmCarta.h"

TfrmCarta::TfrmCarta(QWidget* parent, const QString& testo)
    : CheckDialog(
          {QStringLiteral(" Controllo carta di credito"), QStringLiteral("Carta di credito"),
           QStringLiteral("Immettere il numero di carta di credito e premere il pulsante di controllo."),
           QStringLiteral("txtNumero"), 30, true, true, QColor(0x1f, 0x5f, 0xb0), verdettoCarta},
          parent),
      txtNumero(campo) {
    if (!testo.isEmpty()) setTesto(testo);
}
