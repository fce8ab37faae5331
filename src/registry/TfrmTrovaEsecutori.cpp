#include "TfrmTrovaEsecutori.h"

#include "CaricaScheda.h"
#include "ui/PannelloFiltri.h"
#include "ui/ProgramFolder.h"
#include "archive/Archivi.h"

#include <QLabel>
#include <QLineEdit>

TfrmTrovaEsecutori::TfrmTrovaEsecutori(QWidget* parent, DestinoScheda& destino)
    : FinestraRicerca(parent,
                      {QStringLiteral(" Trova beneficiari ed esecutori in archivio"),
                       QStringLiteral("Riepilogo beneficiari ed esecutori"), true, true},
                      {{"txtEsecutore", QStringLiteral("Cognome e nome:")},
                       {"txtCategoria", QStringLiteral("Categoria di appartenenza:")},
                       {"txtPartitaIva", QStringLiteral("Partita IVA:")},
                       {"txtCodFisc", QStringLiteral("Codice fiscale:")},
                       {"txtComuneNasc", QStringLiteral("Comune / Stato estero di nascita")},
                       {"txtComuneRes", QStringLiteral("Comune di residenza:")},
                       {"txtNumDoc", QStringLiteral("Numero documento:")},
                       {"txtCCP", QStringLiteral("C/C Postale n.")},
                       {"txtCausale01", QStringLiteral("Causale (rigo 1):")},
                       {"txtNote", QStringLiteral("Note:")}}),
      m_destino(destino) {
    setObjectName(QStringLiteral("frmTrovaEsecutori"));
    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();
    QLineEdit** campi[] = {&txtEsecutore, &txtCategoria, &txtPartitaIva, &txtCodFisc, &txtComuneNasc,
                           &txtComuneRes, &txtNumDoc,    &txtCCP,        &txtCausale01, &txtNote};
    for (int i = 0; i < 10; ++i) *campi[i] = panAvvio->filtri[i];
}

void TfrmTrovaEsecutori::cerca(const QList<std::pair<QString, QString>>& filtri, Elenco& out) {
    FiltriTesto f;
    elenchi::filtriSchede(filtri, f);
    elenchi::cercaSchede(archivi::anagrafica(programFolder::path()), f, out, elenchi::Accesso::ReadWrite);
}

void TfrmTrovaEsecutori::carica(const VoceElenco& voce) { caricaScheda(m_destino, lblMemory->text(), voce); }
