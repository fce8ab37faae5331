#pragma once

#include "queries/FiltriTesto.h"
#include "archive/RecordFileBase.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"

#include <QList>
#include <QString>
#include <optional>

// A batch of slips for a group of the registry (the membership dues): one slip per payer, all to one
// beneficiary, with one amount, due date and reason. Each slip is the record the slip workspace saves
// when the user imports the payer and the holder, types the amount, chooses the due date and presses
// Salva; the batch reaches the archive whole or not at all.
namespace emissione {

// The beneficiary's part of the slip, as the "intestatario" import writes it or as typed.
struct Beneficiario {
    QString CCP, Intestatario, IndirizzoInt, Causale01, Causale02;
};
Beneficiario beneficiario(const TSchedaAnagrafica& scheda);

// What the batch shares. `importo` (euros) and `cents` are digits as typed, `scadenza` dd/mm/yyyy.
struct Dati {
    Beneficiario beneficiario;
    QString importo, cents, scadenza;
};

// The field a refusal points at, and its message, in the workspace's words where it has them.
enum class Campo { CCP, Importo, Cents, Intestatario, Esecutore, DataScade };
struct Problema {
    Campo campo;
    QString testo;
};

// The checks of Salva (account, holder, due date present and a real date) and the batch's own: an
// amount given, more than zero, digits only and within the boxes of the slip. Nothing when the data
// can be issued.
std::optional<Problema> verifica(const Dati& dati);
// The payer's card must carry a name, as Salva wants the payer's.
std::optional<Problema> verifica(const TSchedaAnagrafica& esecutore);

// The slip for one payer: payer fields as the "esecutore" import writes them, not paid, the amount
// normalised and its words as the workspace makes them (an empty cents field is 00, a single digit
// d is d0). Byte for byte the record Salva appends.
TSchedaBollettino bollettino(const Dati& dati, const TSchedaAnagrafica& esecutore);
// The amount in words as the workspace shows it while the amount is typed.
QString parole(const QString& importo);

// A card the registry search takes, with its 1-based position and its line.
struct Esecutore {
    TSchedaAnagrafica scheda;
    qint64 posizione = 0;
    QString riga;
};
// The cards the registry picker's filters take, in the order its list shows them. Throws ArchiveError.
QList<Esecutore> esecutori(const QString& registro, const FiltriTesto& filtri, RecordFileBase::Access accesso);

// Appends every slip to the archive under one lock, all or none (see RecordFileBase::appendAll).
// Returns the position of the first; the others follow in order. Throws ArchiveError.
qint64 accoda(const QString& archivio, const QList<TSchedaBollettino>& bollettini);

} // namespace emissione
