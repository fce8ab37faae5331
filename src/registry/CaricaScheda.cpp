#include "CaricaScheda.h"

#include "ui/ProgramFolder.h"
#include "archive/Archivi.h"
#include "archive/RecordFile.h"
#include "queries/RigheElenco.h"

void caricaScheda(DestinoScheda& destino, const QString& modo, const VoceElenco& voce) {
    std::optional<std::pair<TSchedaAnagrafica, qint64>> trovata;
    {
        RecordFile<TSchedaAnagrafica> archivio(archivi::anagrafica(programFolder::path()));
        trovata = elenchi::recordDellaRiga<TSchedaAnagrafica>(archivio, voce, RigaScheda);
    } // closed before the opener changes
    if (!trovata) return;
    if (modo == QLatin1String("esecutori")) destino.caricaScheda(trovata->first, trovata->second);
    else
        for (const auto& [campo, valore] : campiImportati(modo, trovata->first)) destino.impostaCampo(campo, valore);
}
