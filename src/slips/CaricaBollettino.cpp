#include "CaricaBollettino.h"

#include "archive/RecordFile.h"
#include "queries/RigheElenco.h"

void caricaBollettino(const DestinoBollettino& destino, const VoceElenco& voce) {
    std::optional<std::pair<TSchedaBollettino, qint64>> trovato;
    {
        RecordFile<TSchedaBollettino> archivio(destino.archivio);
        trovato = elenchi::recordDellaRiga<TSchedaBollettino>(archivio, voce, rigaBollettino);
    } // closed before the workspace changes
    if (trovato) destino.carica(trovato->first, trovato->second);
}
