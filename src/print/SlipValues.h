#pragma once

#include "archive/SchedaBollettino.h"

#include <QString>

// The texts a slip prints, as the workspace shows them (saved or not) or as a record holds them.
struct SlipValues {
    QString Importo, Cents, ImpLettere, CentLettere, Intero, CCP, Intestatario, IndirizzoInt, Causale01,
        Causale02, Esecutore, IndirizzoRes, CapRes, ComuneRes, DataScade, DataPaga;

    static SlipValues fromRecord(const TSchedaBollettino& r) {
        SlipValues v;
        v.Importo = r.Importo.get();
        v.Cents = r.Cents.get();
        v.ImpLettere = r.ImpLettere.get();
        v.CentLettere = r.CentLettere.get();
        v.Intero = r.Intero.get();
        v.CCP = r.CCP.get();
        v.Intestatario = r.Intestatario.get();
        v.IndirizzoInt = r.IndirizzoInt.get();
        v.Causale01 = r.Causale01.get();
        v.Causale02 = r.Causale02.get();
        v.Esecutore = r.Esecutore.get();
        v.IndirizzoRes = r.IndirizzoRes.get();
        v.CapRes = r.CapRes.get();
        v.ComuneRes = r.ComuneRes.get();
        v.DataScade = r.DataScade.get();
        v.DataPaga = r.DataPaga.get();
        return v;
    }
};
