#pragma once

#include "DestinoScheda.h"
#include "queries/Elenco.h"

// Sends the card behind a line of a registry list to `destino` as mode `modo` asks ("esecutori":
// the whole card with its position); nothing when no card gives the line any more. Opens the
// registry with the program's open-or-create rule. Throws ArchiveError.
void caricaScheda(DestinoScheda& destino, const QString& modo, const VoceElenco& voce);
