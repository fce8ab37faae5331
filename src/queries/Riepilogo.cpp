#include "Riepilogo.h"

#include "archive/Amounts.h"
#include "archive/CampoRecord.h"
#include "archive/Dates.h"
#include "FiltriTesto.h"
#include "archive/RecordFile.h"
#include "RigheElenco.h"
#include "archive/SchedaBollettino.h"
#include "archive/Text.h"

namespace riepilogo {

namespace {
const QString kSeparatore = QStringLiteral("\n\r\n\r");
}

namespace {

// A request made ready for a scan: the filters in the records' own encoding, the interval as day
// numbers. Judging a slip decodes nothing: its fields are compared as stored.
class Selezione {
public:
    explicit Selezione(const Richiesta& q) : m_da(dates::dayNumber(q.inizio)), m_a(dates::dayNumber(q.fine)) {
        static const CampoRecord esecutore = *campoRecord<TSchedaBollettino>(QStringLiteral("Esecutore"));
        static const CampoRecord ccp = *campoRecord<TSchedaBollettino>(QStringLiteral("CCP"));
        m_filtri.aggiungi(esecutore, q.esecutore);
        m_filtri.aggiungi(ccp, q.ccp);
    }
    Esito valuta(const TSchedaBollettino& r, qint64& importo) const {
        if (!m_filtri.accetta(r)) return Esito::Escluso;
        const auto scade = dates::parseDay(r.DataScade.bytes());
        if (!scade) return Esito::Illeggibile;
        if (*scade < m_da || *scade > m_a) return Esito::Escluso;
        const auto valore = amounts::parse(r.Intero.bytes());
        if (!valore) return Esito::Illeggibile;
        importo = *valore;
        return Esito::Incluso;
    }

private:
    FiltriTesto m_filtri; // the rule of the search screens: a blank filter counts as none
    int m_da, m_a;
};

} // namespace

Esito valuta(const TSchedaBollettino& r, const Richiesta& q, qint64* importo) {
    qint64 valore = 0;
    const Esito e = Selezione(q).valuta(r, valore);
    if (importo && e == Esito::Incluso) *importo = valore;
    return e;
}

void calcola(const QString& archivio, const Richiesta& q, Risultato& out, RecordFileBase::Access accesso) {
    out = Risultato();
    struct Ordina {
        Elenco& e;
        ~Ordina() { e.ordina(); }
    } ordina{out.elenco};
    const Selezione selezione(q);
    RecordFile<TSchedaBollettino> f(archivio, accesso);
    out.elenco.riserva(f.count());
    f.scan([&](qint64 pos, const TSchedaBollettino& r) {
        qint64 importo = 0;
        switch (selezione.valuta(r, importo)) {
        case Esito::Incluso:
            out.elenco.aggiungiCon([&r](std::string& riga) { righe::bollettino(r, riga); }, pos);
            out.totale += importo;
            break;
        case Esito::Illeggibile: ++out.scartati; break;
        case Esito::Escluso: break;
        }
    });
}

QString formattaTotale(qint64 v) {
    const bool negativo = v < 0;
    const quint64 a = negativo ? quint64(-(v + 1)) + 1 : quint64(v);
    QString s = QString::number(a / amounts::kUnit);
    QString decimali = QStringLiteral("%1").arg(a % amounts::kUnit, 4, 10, QLatin1Char('0'));
    while (decimali.endsWith(QLatin1Char('0'))) decimali.chop(1);
    if (decimali.size() < 2) decimali = decimali.leftJustified(2, QLatin1Char('0'));
    s += QLatin1Char(',') + decimali;
    return negativo ? QLatin1Char('-') + s : s;
}

QString totale(const Risultato& r) {
    return r.elenco.isEmpty() ? QStringLiteral("0,00") : formattaTotale(r.totale);
}

QDate leggiData(const QString& testo) {
    if (testo.size() != 10) return {};
    return QDate::fromString(testo, QStringLiteral("dd/MM/yyyy"));
}

QString controllaIntervallo(const QString& inizio, const QString& fine, int* passo) {
    auto esito = [&](int p, const QString& m) {
        if (passo) *passo = p;
        return m;
    };
    const QDate a = leggiData(inizio), b = leggiData(fine);
    const QString valida = QStringLiteral("Per poter visualizzare il riepilogo \u00e8 necessario indicare una data valida.");
    if (!a.isValid())
        return esito(4, QStringLiteral("Attenzione: la data ") + inizio + QStringLiteral(" di inizio intervallo non esiste.") +
                            kSeparatore + valida);
    if (!b.isValid())
        return esito(5, QStringLiteral("Attenzione: la data ") + fine + QStringLiteral(" di fine intervallo non esiste.") +
                            kSeparatore + valida);
    if (b < a)
        return esito(6, QStringLiteral("Attenzione: la data di fine intervallo (") + fine +
                            QStringLiteral(") non pu\u00f2 essere anteriore a quella di inizio intervallo (") + inizio +
                            QStringLiteral(").") + kSeparatore +
                            QStringLiteral("Per poter visualizzare il riepilogo \u00e8 necessario indicare un intervallo "
                                           "di tempo valido."));
    return esito(0, QString());
}

} // namespace riepilogo
