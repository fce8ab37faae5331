#include "RigheElenco.h"

#include "SchedaAnagrafica.h"
#include "SchedaBollettino.h"

namespace {

// Control characters, DEL and the C1 range would break the line or its columns.
QString leggibile(QString s) {
    for (QChar& c : s) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0)) c = QLatin1Char('?');
    }
    return s;
}

} // namespace

namespace righe {

QString fit(const QString& value, int n) {
    QString t = value;
    if (t.size() >= n) return t.left(n);
    t.append(QString(n - t.size(), QLatin1Char(' ')));
    return t;
}

} // namespace righe

using righe::fit;

QString rigaBollettino(const TSchedaBollettino& r) {
    QString s;
    s.reserve(128);
    s += QLatin1String("CCP ") + fit(r.CCP.get(), 12) + QLatin1String("  Scad. ") + fit(r.DataScade.get(), 10) +
         QStringLiteral("  \u20ac ") + fit(r.Intero.get(), 11) + QLatin1String("  A: ") +
         fit(r.Intestatario.get(), 24) + QLatin1String(" DA: ") + fit(r.Esecutore.get(), 24) +
         QLatin1String("  ") + r.Causale01.get();
    return leggibile(std::move(s));
}

QString RigaScheda(const TSchedaAnagrafica& r) {
    QString s;
    s.reserve(160);
    s += fit(r.Esecutore.get(), 23) + QLatin1String("  C.F. ") + fit(r.CodFisc.get(), 16) + QLatin1String("  ") +
         fit(r.ComuneRes.get() + QLatin1Char(' ') + r.ProvRes.get(), 20) + QLatin1String("  Tel. ") +
         fit(r.Recapito.get(), 20) + QLatin1String("  CCP: ") + fit(r.CCP.get(), 12) + QLatin1String("  ") +
         r.Note.get();
    return leggibile(std::move(s));
}
