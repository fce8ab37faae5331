#include "Importazione.h"

#include "archive/Text.h"

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
            // Street and town; when one of them is missing, no blank is left over.
            {QStringLiteral("IndirizzoInt"), text::trimmed(s.IndirizzoRes.get() + QLatin1Char(' ') + s.ComuneRes.get())},
            {QStringLiteral("Causale01"), s.Causale01.get()},
            {QStringLiteral("Causale02"), s.Causale02.get()}};
}

} // namespace importazione
