#include "TfrmPartitaIva.h"
#include "print/Palette.h"

TfrmPartitaIva::TfrmPartitaIva(QWidget* parent, const QString& testo)
    : CheckDialog({QStringLiteral(" Controllo partita IVA"), QStringLiteral("Partita IVA"),
                   QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."),
                   QStringLiteral("txtPartitaIva"), 11, true, false, palette::steel,
                   verdettoPartitaIva},
                  parent),
      txtPartitaIva(campo) {
    if (!testo.isEmpty()) setTesto(testo);
}
