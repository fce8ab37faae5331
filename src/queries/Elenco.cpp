#include "Elenco.h"

#include "archive/Dates.h"
#include "archive/Flags.h"
#include "RigheElenco.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"
#include "archive/Text.h"

#include <QHash>
#include <algorithm>

std::string& Elenco::bloccoLibero() {
    if (m_blocchi.empty() || m_blocchi.back()->size() >= kBlocco) {
        m_blocchi.push_back(std::make_shared<std::string>());
        m_blocchi.back()->reserve(kBlocco + kBlocco / 4);
    }
    return *m_blocchi.back();
}

void Elenco::riserva(qsizetype n) {
    m_voci.reserve(n);
    m_ordine.reserve(n);
}

void Elenco::registra(size_t inizio, qint64 posizione) {
    const std::string& blocco = *m_blocchi.back();
    m_voci.append({qint32(m_blocchi.size() - 1), qint32(inizio), qint32(blocco.size() - inizio), posizione});
    m_ordine.add(*this);
}

void Elenco::segnaUguali(qsizetype da, qsizetype a) {
    QHash<QByteArrayView, qint64> ultimo;
    for (qsizetype k = da; k < a; ++k) {
        qint64& p = ultimo[text::bytes::trimmed(testo(m_voci.at(k)))];
        p = std::max(p, m_voci.at(k).posizione);
    }
    for (qsizetype k = da; k < a; ++k)
        if (const qint64 p = ultimo.value(text::bytes::trimmed(testo(m_voci.at(k)))); p != m_voci.at(k).posizione)
            m_daCaricare.insert(k, p);
}

void Elenco::ordina() {
    RadixOrder::Order ordine = m_ordine.sort(*this);
    // The lines into that order, in place: each cycle of the permutation in turn.
    const qsizetype n = m_voci.size();
    Voce* v = m_voci.data();
    std::vector<qint32>& da = ordine.lines;
    for (qsizetype i = 0; i < n; ++i) {
        if (da[size_t(i)] < 0) continue;
        const Voce primo = v[i];
        qsizetype j = i;
        for (;;) {
            const qint32 d = std::exchange(da[size_t(j)], -1);
            if (d == i) break;
            v[j] = v[d];
            j = d;
        }
        v[j] = primo;
    }
    // Identical lines point at the last record that gave them.
    m_daCaricare.clear();
    for (const auto& [primo, fine] : ordine.equal) segnaUguali(primo, fine);
}

QString Elenco::riga(qsizetype i) const { return text::fromCp1252(testo(m_voci.at(i))); }

VoceElenco Elenco::operator[](qsizetype i) const {
    const Voce& v = m_voci.at(i);
    return {text::fromCp1252(testo(v)), v.posizione, daCaricare(i)};
}

QList<VoceElenco> Elenco::voci() const {
    QList<VoceElenco> out;
    out.reserve(size());
    for (qsizetype i = 0; i < size(); ++i) out.append((*this)[i]);
    return out;
}

QStringList Elenco::righe() const {
    QStringList out;
    out.reserve(size());
    for (const Voce& v : m_voci) out.append(text::fromCp1252(testo(v)));
    return out;
}

namespace elenchi {

const QStringList kFiltriBollettini = {
    QStringLiteral("Intero"),       QStringLiteral("CCP"),          QStringLiteral("Esecutore"),
    QStringLiteral("ComuneRes"),    QStringLiteral("Intestatario"), QStringLiteral("IndirizzoInt"),
    QStringLiteral("DataScade"),    QStringLiteral("DataPaga"),     QStringLiteral("Causale01"),
    QStringLiteral("Note")};

const QStringList kFiltriSchede = {
    QStringLiteral("Esecutore"),  QStringLiteral("Categoria"), QStringLiteral("PartitaIva"),
    QStringLiteral("CodFisc"),    QStringLiteral("ComuneNasc"), QStringLiteral("ComuneRes"),
    QStringLiteral("NumDoc"),     QStringLiteral("CCP"),        QStringLiteral("Causale01"),
    QStringLiteral("Note")};

namespace detail {
bool stessaRiga(const QString& a, const QString& b) { return text::trimmed(a) == text::trimmed(b); }
} // namespace detail

namespace {

template <class T>
bool filtri(const QStringList& ammessi, const QList<std::pair<QString, QString>>& testi, FiltriTesto& out,
            QString* sconosciuto) {
    for (const auto& [campo, testo] : testi) {
        const auto c = ammessi.contains(campo) ? campoRecord<T>(campo) : std::nullopt;
        if (!c) {
            if (sconosciuto) *sconosciuto = campo;
            return false;
        }
        out.aggiungi(*c, testo);
    }
    return true;
}

// Scans the archive and adds the line of every record `prendi` takes; sorted also after a failure.
template <class T, class Prendi>
void riempi(const QString& archivio, Accesso accesso, Elenco& out, void (*riga)(const T&, std::string&),
            Prendi&& prendi) {
    try {
        RecordFile<T> file(archivio, accesso);
        out.riserva(out.size() + file.count());
        file.scan([&](qint64 pos, const T& r) {
            if (prendi(r)) out.aggiungiCon([&](std::string& t) { riga(r, t); }, pos);
        });
    } catch (...) {
        out.ordina();
        throw;
    }
    out.ordina();
}

} // namespace

bool filtriBollettini(const QList<std::pair<QString, QString>>& testi, FiltriTesto& out, QString* sconosciuto) {
    return filtri<TSchedaBollettino>(kFiltriBollettini, testi, out, sconosciuto);
}

bool filtriSchede(const QList<std::pair<QString, QString>>& testi, FiltriTesto& out, QString* sconosciuto) {
    return filtri<TSchedaAnagrafica>(kFiltriSchede, testi, out, sconosciuto);
}

bool daSaldare(const TSchedaBollettino& r) {
    static const QByteArray no = text::toCp1252(flags::no);
    return r.Saldato.bytes() == no;
}

bool scaduto(const TSchedaBollettino& r, const QDate& oggi) {
    if (!daSaldare(r)) return false;
    const auto scade = dates::parseDay(r.DataScade.bytes());
    return scade && *scade <= dates::dayNumber(oggi);
}

bool daRicontattare(const TSchedaAnagrafica& r) {
    static const QByteArray si = text::toCp1252(flags::si);
    return r.Ricontatta.bytes() == si;
}

void cercaBollettini(const QString& archivio, const FiltriTesto& f, Elenco& out, Accesso accesso) {
    riempi<TSchedaBollettino>(archivio, accesso, out, righe::bollettino,
                              [&f](const TSchedaBollettino& r) { return f.accetta(r); });
}

void bollettiniDaSaldare(const QString& archivio, Elenco& out, Accesso accesso) {
    riempi<TSchedaBollettino>(archivio, accesso, out, righe::bollettino, daSaldare);
}

void bollettiniScaduti(const QString& archivio, const QDate& oggi, Elenco& out, Accesso accesso) {
    riempi<TSchedaBollettino>(archivio, accesso, out, righe::bollettino,
                              [&oggi](const TSchedaBollettino& r) { return scaduto(r, oggi); });
}

void cercaSchede(const QString& archivio, const FiltriTesto& f, Elenco& out, Accesso accesso) {
    riempi<TSchedaAnagrafica>(archivio, accesso, out, righe::scheda,
                              [&f](const TSchedaAnagrafica& r) { return f.accetta(r); });
}

void schedeDaRicontattare(const QString& archivio, Elenco& out, Accesso accesso) {
    riempi<TSchedaAnagrafica>(archivio, accesso, out, righe::scheda, daRicontattare);
}

} // namespace elenchi
