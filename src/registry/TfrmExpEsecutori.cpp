#include "TfrmExpEsecutori.h"

#include "archive/Archivi.h"
#include "ui/ProgramFolder.h"

TfrmExpEsecutori::TfrmExpEsecutori(QWidget* parent)
    : FinestraEsportazione(
          esportazione::foglioSchede(),
          QStringLiteral(" Esporta archivio beneficiari ed esecutori in Microsoft Excel"),
          {QStringLiteral("Esportazione archivio beneficiari o esecutori in Microsoft Excel."),
           QStringLiteral("Il pulsante Esporta archivio consente di esportare i dati anagrafici di tutti i beneficiari "
                          "ed esecutori in un foglio di lavoro di Microsoft Excel, che potr\u00e0 essere aperto con "
                          "qualsiasi software in grado di gestire i file in formato XLS (ad esempio, con Open Office, "
                          "Libre Office o Microsoft Office).")},
          parent) {
    setObjectName(QStringLiteral("frmExpEsecutori"));
}

void TfrmExpEsecutori::leggi(CelleFoglio& righe) {
    esportazione::leggi(archivi::anagrafica(programFolder::path()), righe);
}
