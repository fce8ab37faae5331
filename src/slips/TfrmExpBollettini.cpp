#include "TfrmExpBollettini.h"

TfrmExpBollettini::TfrmExpBollettini(const QString& archivio, QWidget* parent)
    : FinestraEsportazione(
          esportazione::foglioBollettini(),
          QStringLiteral(" Esporta archivio annuale versamenti in Microsoft Excel"),
          {QStringLiteral("Esportazione archivio annuale versamenti in Microsoft Excel."),
           QStringLiteral("Il pulsante Esporta archivio consente di esportare tutti i versamenti registrati in un anno "
                          "solare in un foglio di lavoro di Microsoft Excel, che potr\u00e0 essere aperto con qualsiasi "
                          "software in grado di gestire i file in formato XLS (ad esempio, con Open Office, Libre "
                          "Office o Microsoft Office).")},
          parent),
      m_archivio(archivio) {
    setObjectName(QStringLiteral("frmExpBollettini"));
}

void TfrmExpBollettini::leggi(CelleFoglio& righe) { esportazione::leggi(m_archivio, righe); }
