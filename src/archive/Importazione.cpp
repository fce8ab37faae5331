#include "Importazione.h"

namespace importazione {

Campi esecutore(const TSchedaAnagrafica& s) {
    return {{QStringLiteral("Esecutore"), s.Esecutore.get()},
            {QStringLiteral("IndirizzoRes"), s.IndirizzoRes.get()},
            {QStringLiteral("CapRes"), s.CapRes.get()},
            {QStringLiteral("ComuneRes"), s.ComuneRes.get()}};
}

Campi intestatario(const TSchedaAnagrafica& s) {
    return {{QStringLiteral("CCP"), s.CCP.get()},
            {QStringLiteral("Intestatario"), s.Esecutore.get()},
            {QStringLiteral("IndirizzoInt"), s.IndirizzoRes.get() + QLatin1Char(' ') + s.ComuneRes.get()},
            {QStringLiteral("Causale01"), s.Causale01.get()},
            {QStringLiteral("Causale02"), s.Causale02.get()}};
}

} // namespace importazione
