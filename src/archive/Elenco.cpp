#include "Elenco.h"

#include "Dates.h"
#include "Flags.h"
#include "RigheElenco.h"
#include "SchedaAnagrafica.h"
#include "SchedaBollettino.h"
#include "Text.h"

#include <QHash>
#include <algorithm>
#include <array>

std::string& Elenco::bloccoLibero() {
    if (m_blocchi.empty() || m_blocchi.back()->size() >= kBlocco) {
        m_blocchi.push_back(std::make_shared<std::string>());
        m_blocchi.back()->reserve(kBlocco + kBlocco / 4);
    }
    return *m_blocchi.back();
}

void Elenco::riserva(qsizetype n) {
    m_voci.reserve(n);
    if (m_chiavi.size() == size_t(m_voci.size())) m_chiavi.reserve(size_t(n));
}

namespace {
const unsigned char* byte(QByteArrayView t) { return reinterpret_cast<const unsigned char*>(t.data()); }
} // namespace

void Elenco::registra(size_t inizio, qint64 posizione) {
    const std::string& blocco = *m_blocchi.back();
    const Voce v{qint32(m_blocchi.size() - 1), qint32(inizio), qint32(blocco.size() - inizio), 0, posizione};
    // What every line begins with (A-Z folded) says nothing of their order: the keys begin after
    // it, so that lines that all begin with the same account number still differ within their keys.
    // It only shrinks as lines come; a key taken after a longer beginning is taken again when sorting.
    if (m_comune < 0) {
        m_comune = v.lunghezza;
    } else {
        const auto& rango = text::bytes::ranksAZ();
        const unsigned char *x = byte(testo(m_voci.first())), *y = byte(testo(v));
        qsizetype i = 0;
        const qsizetype n = std::min<qsizetype>(m_comune, v.lunghezza);
        while (i < n && (x[i] == y[i] || rango[x[i]] == rango[y[i]])) ++i;
        m_comune = i;
    }
    const bool conChiave = m_chiavi.size() == size_t(m_voci.size());
    m_voci.append(v);
    m_voci.last().comune = qint32(m_comune);
    if (conChiave) m_chiavi.push_back(chiave(m_voci.size() - 1, m_comune));
}

void Elenco::accoda(Elenco&& altro) {
    if (altro.m_voci.isEmpty()) return;
    if (m_voci.isEmpty()) {
        *this = std::move(altro);
        return;
    }
    const auto blocchi = qint32(m_blocchi.size());
    const qsizetype voci = m_voci.size();
    const bool conChiavi = m_chiavi.size() == size_t(voci) && altro.m_chiavi.size() == size_t(altro.m_voci.size());
    // The beginning all lines share: the shorter of the two, and no longer than where the first
    // lines of each differ.
    const auto& rango = text::bytes::ranksAZ();
    const unsigned char *x = byte(testo(m_voci.first())), *y = byte(altro.testo(altro.m_voci.first()));
    const qsizetype n = std::min(m_comune, altro.m_comune);
    qsizetype comune = 0;
    while (comune < n && (x[comune] == y[comune] || rango[x[comune]] == rango[y[comune]])) ++comune;
    m_comune = comune;
    m_blocchi.insert(m_blocchi.end(), std::make_move_iterator(altro.m_blocchi.begin()),
                     std::make_move_iterator(altro.m_blocchi.end()));
    m_voci.reserve(voci + altro.m_voci.size());
    for (Voce v : std::as_const(altro.m_voci)) {
        v.blocco += blocchi;
        m_voci.append(v);
    }
    if (conChiavi) {
        m_chiavi.reserve(m_chiavi.size() + altro.m_chiavi.size());
        for (Chiave c : altro.m_chiavi) {
            c.voce += qint32(voci);
            m_chiavi.push_back(c);
        }
    } else {
        m_chiavi.clear(); // taken again when sorting
    }
    altro.svuota();
}

Elenco::Chiave Elenco::chiave(qsizetype i, qsizetype inizio) const {
    const auto& rango = text::bytes::ranksAZ();
    const Voce& v = m_voci.at(i);
    const unsigned char* y = byte(testo(v)) + inizio;
    Chiave c{0, 0, qint32(i)};
    const qsizetype n = std::clamp<qsizetype>(v.lunghezza - inizio, 0, kChiave);
    for (qsizetype k = 0; k < std::min<qsizetype>(n, 8); ++k) c.alta |= quint64(rango[y[k]]) << (56 - 8 * k);
    for (qsizetype k = 8; k < n; ++k) c.bassa |= quint32(rango[y[k]]) << (24 - 8 * (k - 8));
    return c;
}

void Elenco::ordinaChiavi(std::vector<Chiave>& chiavi) {
    // A radix sort, one pass for each byte of the keys from the last, skipping the bytes that every
    // key has alike: it keeps the order of equal keys and needs no comparison.
    const size_t n = chiavi.size();
    auto cifra = [](const Chiave& c, int d) -> unsigned {
        return d < 4 ? (c.bassa >> (8 * d)) & 0xFF : unsigned(c.alta >> (8 * (d - 4))) & 0xFF;
    };
    std::vector<std::array<quint32, 256>> conta(kChiave);
    for (const Chiave& c : chiavi)
        for (int d = 0; d < kChiave; ++d) ++conta[size_t(d)][cifra(c, d)];
    std::vector<Chiave> altre(n);
    for (int d = 0; d < kChiave; ++d) {
        auto& posto = conta[size_t(d)];
        if (n == 0 || posto[cifra(chiavi[0], d)] == n) continue;
        quint32 prima = 0;
        for (quint32& k : posto) prima += std::exchange(k, prima);
        for (const Chiave& c : chiavi) altre[posto[cifra(c, d)]++] = c;
        chiavi.swap(altre);
    }
}

void Elenco::segnaUguali(const std::vector<Chiave>& chiavi, qsizetype da, qsizetype a) {
    auto voce = [&](qsizetype k) -> const Voce& { return m_voci.at(chiavi[size_t(k)].voce); };
    QHash<QByteArrayView, qint64> ultimo;
    for (qsizetype k = da; k < a; ++k) {
        qint64& p = ultimo[text::bytes::trimmed(testo(voce(k)))];
        p = std::max(p, voce(k).posizione);
    }
    for (qsizetype k = da; k < a; ++k)
        if (const qint64 p = ultimo.value(text::bytes::trimmed(testo(voce(k)))); p != voce(k).posizione)
            m_daCaricare.insert(k, p);
}

void Elenco::ordinaUguali(std::vector<Chiave>& chiavi, qsizetype da, qsizetype a, qsizetype inizio) {
    // The lines [da, a) are alike up to `inizio`, A-Z folded. Those that end there come first,
    // shorter before longer (rank 0 past an end stands only for the byte 0): equal lengths are
    // equal lines, and identical ones point at the last record that gave them.
    auto lunghezza = [&](const Chiave& c) { return m_voci.at(c.voce).lunghezza; };
    const auto finite = std::stable_partition(chiavi.begin() + da, chiavi.begin() + a,
                                              [&](const Chiave& c) { return lunghezza(c) <= inizio; });
    std::stable_sort(chiavi.begin() + da, finite,
                     [&](const Chiave& x, const Chiave& y) { return lunghezza(x) < lunghezza(y); });
    const qsizetype fine = finite - chiavi.begin();
    for (qsizetype i = da; i < fine;) {
        qsizetype j = i + 1;
        while (j < fine && lunghezza(chiavi[size_t(j)]) == lunghezza(chiavi[size_t(i)])) ++j;
        if (j - i > 1) segnaUguali(chiavi, i, j);
        i = j;
    }
    // The others by their next bytes, keeping their order where those are alike too.
    for (qsizetype k = fine; k < a; ++k) chiavi[size_t(k)] = chiave(chiavi[size_t(k)].voce, inizio);
    std::sort(chiavi.begin() + fine, chiavi.begin() + a, [](const Chiave& x, const Chiave& y) {
        return x.alta != y.alta ? x.alta < y.alta : x.bassa != y.bassa ? x.bassa < y.bassa : x.voce < y.voce;
    });
    ordinaCorse(chiavi, fine, a, inizio + kChiave);
}

void Elenco::ordinaCorse(std::vector<Chiave>& chiavi, qsizetype da, qsizetype a, qsizetype inizio) {
    // Runs of lines whose keys (taken before `inizio`) are alike are ordered by what follows.
    for (qsizetype i = da; i < a;) {
        qsizetype j = i + 1;
        while (j < a && chiavi[size_t(j)].alta == chiavi[size_t(i)].alta && chiavi[size_t(j)].bassa == chiavi[size_t(i)].bassa)
            ++j;
        if (j - i > 1) ordinaUguali(chiavi, i, j, inizio);
        i = j;
    }
}

void Elenco::ordina() {
    const qsizetype n = m_voci.size();
    std::vector<Chiave> chiavi = std::exchange(m_chiavi, {});
    // Keys for the lines that have none, and again for those taken after a longer beginning.
    for (qsizetype i = 0; i < n; ++i) {
        if (size_t(i) < chiavi.size() && m_voci.at(i).comune == m_comune) continue;
        m_voci[i].comune = qint32(m_comune);
        if (size_t(i) == chiavi.size()) chiavi.push_back(chiave(i, m_comune));
        else chiavi[size_t(i)] = chiave(i, m_comune);
    }
    ordinaChiavi(chiavi);
    m_daCaricare.clear();
    ordinaCorse(chiavi, 0, n, m_comune + kChiave);

    // The lines into that order, in place: each cycle of the permutation in turn.
    Voce* v = m_voci.data();
    for (qsizetype i = 0; i < n; ++i) {
        if (chiavi[size_t(i)].voce < 0) continue;
        const Voce primo = v[i];
        qsizetype j = i;
        for (;;) {
            const qint32 da = std::exchange(chiavi[size_t(j)].voce, -1);
            if (da == i) break;
            v[j] = v[da];
            j = da;
        }
        v[j] = primo;
    }
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
