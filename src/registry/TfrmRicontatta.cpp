#include "TfrmRicontatta.h"

#include "CaricaScheda.h"
#include "ui/PannelloRisultati.h"
#include "ui/ProgramFolder.h"
#include "archive/ArchiveError.h"
#include "archive/Archivi.h"

TfrmRicontatta::TfrmRicontatta(QWidget* parent, DestinoScheda& destino)
    : FinestraElenco(parent,
                     {QStringLiteral(" Riepilogo beneficiari o esecutori da ricontattare"),
                      QStringLiteral("Riepilogo beneficiari o esecutori da ricontattare"), true, false}),
      m_destino(destino) {
    setObjectName(QStringLiteral("frmRicontatta"));
}

void TfrmRicontatta::alMostrare() {
    panContainer->dimenticaChiave();
    Elenco righe;
    try {
        elenchi::schedeDaRicontattare(archivi::anagrafica(programFolder::path()), righe, elenchi::Accesso::ReadWrite);
    } catch (const ArchiveError&) {
        // The screen shows whatever was gathered.
    }
    mostraElenco(std::move(righe));
    mostraRisultati();
}

void TfrmRicontatta::carica(const VoceElenco& voce) { caricaScheda(m_destino, QStringLiteral("esecutori"), voce); }
