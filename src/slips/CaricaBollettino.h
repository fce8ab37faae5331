#pragma once

#include "queries/Elenco.h"
#include "archive/SchedaBollettino.h"

#include <QString>
#include <functional>

// Where the slip lists work: the open year's archive (the workspace's `lblFile`) and the loading
// of a slip into the workspace with its 1-based position.
struct DestinoBollettino {
    QString archivio;
    std::function<void(const TSchedaBollettino&, qint64)> carica;
};

// Loads the slip behind a line of a slip list; nothing when no slip gives the line any more.
// Throws ArchiveError.
void caricaBollettino(const DestinoBollettino& destino, const VoceElenco& voce);
