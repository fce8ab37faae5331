#include "TfrmPartitaIva.h"

TfrmPartitaIva::TfrmPartitaIva(QWidget* parent, const QString& testo)
    : CheckDialog({QStringLiteral(" Controllo partita IVA"), QStringLiteral("Partita IVA"),
                   QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."),
                   QStringLiteral("txtPartitaIva"), 11, true, false, QColor(0x46, 0x82, 0xb4),
                   verdettoPartitaIva},
                  parent),
      txtPartitaIva(campo) {
    if (!testo.isEmpty()) setTesto(testo);
}
