#include "ElencoBollettini.h"

#include "ui/PannelloRisultati.h"
#include "archive/ArchiveError.h"

ElencoBollettini::ElencoBollettini(QWidget* parent, const Aspetto& aspetto, DestinoBollettino destino)
    : FinestraElenco(parent, aspetto), m_destino(std::move(destino)) {}

void ElencoBollettini::alMostrare() {
    panContainer->dimenticaChiave();
    Elenco righe;
    try {
        seleziona(m_destino.archivio, righe);
    } catch (const ArchiveError&) {
        // The lines gathered until the failure stay, without a message.
    }
    mostraElenco(std::move(righe));
    mostraRisultati();
}

void ElencoBollettini::carica(const VoceElenco& voce) { caricaBollettino(m_destino, voce); }
