#include "EmissioneBollettini.h"

#include "Importazione.h"
#include "archive/Amounts.h"
#include "archive/Dates.h"
#include "queries/Elenco.h"
#include "archive/Flags.h"
#include "archive/ImportoInLettere.h"
#include "archive/RecordFile.h"
#include "queries/RigheElenco.h"
#include "archive/Text.h"

#include <QHash>

namespace emissione {

namespace {

// A value put into a workspace field is cut to the field's length before Salva trims and stores it.
template <int N> void poni(ShortString<N>& campo, const QString& valore) { campo.set(valore.left(N)); }

QString valore(const importazione::Campi& campi, const char* nome) {
    for (const auto& [c, v] : campi)
        if (c == QLatin1String(nome)) return v;
    return QString();
}

bool cifre(const QString& s, int massimo) { return s.size() <= massimo && text::isDigits(s); }

} // namespace

Beneficiario beneficiario(const TSchedaAnagrafica& scheda) {
    const importazione::Campi c = importazione::intestatario(scheda);
    return {valore(c, "CCP"), valore(c, "Intestatario"), valore(c, "IndirizzoInt"), valore(c, "Causale01"),
            valore(c, "Causale02")};
}

std::optional<Problema> verifica(const Dati& d) {
    const Beneficiario& b = d.beneficiario;
    if (text::trimmed(b.CCP).isEmpty())
        return Problema{Campo::CCP, QStringLiteral("Attenzione: per salvare la scheda \u00e8 necessario indicare il "
                                                   "numero di conto corrente postale.")};
    if (!cifre(text::trimmed(b.CCP), TSchedaBollettino{}.CCP.capacity))
        return Problema{Campo::CCP, QStringLiteral("Attenzione: il numero di conto corrente postale pu\u00f2 "
                                                   "contenere soltanto cifre, fino a dodici.")};
    if (text::trimmed(d.importo).isEmpty())
        return Problema{Campo::Importo,
                        QStringLiteral("Attenzione: per emettere i bollettini \u00e8 necessario indicare l'importo.")};
    if (!cifre(d.importo, TSchedaBollettino{}.Importo.capacity))
        return Problema{Campo::Importo, QStringLiteral("Attenzione: l'importo in euro pu\u00f2 contenere soltanto "
                                                       "cifre, fino a otto.")};
    if (!cifre(text::trimmed(d.cents), 2))
        return Problema{Campo::Cents,
                        QStringLiteral("Attenzione: i centesimi possono contenere soltanto cifre, fino a due.")};
    // A batch for nothing is a slip in every member's hands asking for 0,00: a slip in blank is made
    // one at a time in the workspace.
    if (d.importo.toLongLong() == 0 && text::trimmed(d.cents).toInt() == 0)
        return Problema{Campo::Importo, QStringLiteral("Attenzione: l'importo dei bollettini deve essere maggiore di "
                                                       "zero.")};
    if (text::trimmed(b.Intestatario).isEmpty())
        return Problema{Campo::Intestatario, QStringLiteral("Attenzione: per salvare la scheda \u00e8 necessario "
                                                            "indicare il nome dell'intestatario.")};
    if (text::trimmed(d.scadenza).isEmpty())
        return Problema{Campo::DataScade, QStringLiteral("Attenzione: per salvare la scheda \u00e8 necessario indicare "
                                                         "la data di scadenza del versamento.")};
    if (!dates::parse(d.scadenza))
        return Problema{Campo::DataScade,
                        QStringLiteral("Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda "
                                       "\u00e8 necessario indicare una data valida nel formato gg/mm/anno.")};
    return std::nullopt;
}

std::optional<Problema> verifica(const TSchedaAnagrafica& esecutore) {
    if (!esecutore.Esecutore.get().isEmpty()) return std::nullopt;
    return Problema{Campo::Esecutore, QStringLiteral("Attenzione: per salvare la scheda \u00e8 necessario indicare "
                                                     "il nome dell'esecutore.")};
}

QString parole(const QString& importo) {
    const auto v = amounts::parse(importo);
    return text::trimmed(importo).isEmpty() || !v ? QString() : ImportoInLettere(*v);
}

TSchedaBollettino bollettino(const Dati& d, const TSchedaAnagrafica& esecutore) {
    // The workspace's Salva: an empty amount is 0 (its words stay as typed: none), the cents as the
    // workspace keeps them; the whole amount joins the two.
    const QString importo = text::trimmed(d.importo).isEmpty() ? QStringLiteral("0") : d.importo;
    const QString cents = amounts::cents(d.cents);

    TSchedaBollettino r{};
    forEachField(r, [](const char*, auto& campo) { campo.clear(); });
    poni(r.Importo, importo);
    poni(r.Cents, cents);
    poni(r.ImpLettere, parole(d.importo));
    poni(r.CentLettere, cents);
    poni(r.Intero, text::trimmed(importo) + QLatin1Char(',') + text::trimmed(cents));
    poni(r.CCP, d.beneficiario.CCP);
    poni(r.Intestatario, d.beneficiario.Intestatario);
    poni(r.IndirizzoInt, d.beneficiario.IndirizzoInt);
    poni(r.Causale01, d.beneficiario.Causale01);
    poni(r.Causale02, d.beneficiario.Causale02);
    const importazione::Campi pagatore = importazione::esecutore(esecutore);
    poni(r.Esecutore, valore(pagatore, "Esecutore"));
    poni(r.IndirizzoRes, valore(pagatore, "IndirizzoRes"));
    poni(r.CapRes, valore(pagatore, "CapRes"));
    poni(r.ComuneRes, valore(pagatore, "ComuneRes"));
    poni(r.DataScade, d.scadenza);
    poni(r.Saldato, flags::no);
    return r;
}

QList<Esecutore> esecutori(const QString& registro, const FiltriTesto& filtri, RecordFileBase::Access accesso) {
    // The picker's own selection and order: its filters, its lines, its sort.
    QList<Esecutore> presi;
    QHash<qint64, qsizetype> indice;
    Elenco elenco;
    RecordFile<TSchedaAnagrafica> file(registro, accesso);
    file.scan([&](qint64 pos, const TSchedaAnagrafica& r) {
        if (!filtri.accetta(r)) return;
        indice.insert(pos, presi.size());
        presi.append({r, pos, RigaScheda(r)});
        elenco.aggiungi(presi.last().riga, pos);
    });
    elenco.ordina();
    QList<Esecutore> out;
    out.reserve(presi.size());
    for (const VoceElenco& v : elenco.voci()) out.append(presi[indice.value(v.posizione)]);
    return out;
}

qint64 accoda(const QString& archivio, const QList<TSchedaBollettino>& bollettini) {
    RecordFile<TSchedaBollettino> file(archivio);
    return file.appendAll(bollettini.constData(), bollettini.size());
}

} // namespace emissione
