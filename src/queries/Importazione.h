#pragma once

#include "archive/SchedaAnagrafica.h"

#include <QList>
#include <QString>
#include <utility>

// What a registry card gives a slip when it is imported: (slip record field, value) pairs, each
// value the card's field trimmed. The registry picker writes them into the slip workspace's fields,
// the batch of slips into its records, so both fill a slip alike.
namespace importazione {

using Campi = QList<std::pair<QString, QString>>;

// The payer: name, street, postal code and town.
Campi esecutore(const TSchedaAnagrafica& scheda);
// The beneficiary: account, holder (the card's name), the holder's address (street and town, with a
// blank between them when both are there) and the two reason lines.
Campi intestatario(const TSchedaAnagrafica& scheda);

} // namespace importazione
