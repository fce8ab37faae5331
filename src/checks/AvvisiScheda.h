#pragma once

#include "archive/SchedaAnagrafica.h"

#include <QStringList>

// What the check buttons of the registry workspace would say against a card's identity numbers,
// as short Italian sentences: one per tax code, VAT number or IBAN that is filled in and fails its
// check. An empty list when all is well. The import lists these and imports the card all the same.
QStringList avvisiScheda(const TSchedaAnagrafica& r);
