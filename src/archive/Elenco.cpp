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
    if (conChiave) m_chiavi.push_back(chiave(m_voci.size() - 1));
}

Elenco::Chiave Elenco::chiave(qsizetype i) const {
    const auto& rango = text::bytes::ranksAZ();
    const Voce& v = m_voci.at(i);
    const unsigned char* y = byte(testo(v)) + v.comune;
    Chiave c{0, 0, qint32(i)};
    const qsizetype n = std::min<qsizetype>(v.lunghezza - v.comune, kChiave);
    for (qsizetype k = 0; k < std::min<qsizetype>(n, 8); ++k) c.alta |= quint64(rango[y[k]]) << (56 - 8 * k);
    for (qsizetype k = 8; k < n; ++k) c.bassa |= quint32(rango[y[k]]) << (24 - 8 * (k - 8));
    return c;
}

int Elenco::confronta(const Chiave& a, const Chiave& b) const {
    if (a.alta != b.alta) return a.alta < b.alta ? -1 : 1;
    if (a.bassa != b.bassa) return a.bassa < b.bassa ? -1 : 1;
    // Past the keys (rank 0 past the end of a shorter line, which the lengths settle below), the
    // texts are compared rank by rank where their bytes differ.
    const Voce &va = m_voci.at(a.voce), &vb = m_voci.at(b.voce);
    const auto& rango = text::bytes::ranksAZ();
    const unsigned char *x = byte(testo(va)), *y = byte(testo(vb));
    const qsizetype n = std::min(va.lunghezza, vb.lunghezza);
    for (qsizetype i = m_comune + kChiave; i < n; ++i)
        if (x[i] != y[i] && rango[x[i]] != rango[y[i]]) return rango[x[i]] < rango[y[i]] ? -1 : 1;
    return va.lunghezza == vb.lunghezza ? 0 : (va.lunghezza < vb.lunghezza ? -1 : 1);
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

void Elenco::ordina() {
    const qsizetype n = m_voci.size();
    std::vector<Chiave> chiavi = std::exchange(m_chiavi, {});
    // Keys for the lines that have none, and again for those taken after a longer beginning.
    for (qsizetype i = 0; i < n; ++i) {
        if (size_t(i) < chiavi.size() && m_voci.at(i).comune == m_comune) continue;
        m_voci[i].comune = qint32(m_comune);
        if (size_t(i) == chiavi.size()) chiavi.push_back(chiave(i));
        else chiavi[size_t(i)] = chiave(i);
    }
    ordinaChiavi(chiavi);

    m_daCaricare.clear();
    for (qsizetype i = 0; i < n;) {
        qsizetype j = i + 1;
        while (j < n && chiavi[size_t(j)].alta == chiavi[size_t(i)].alta && chiavi[size_t(j)].bassa == chiavi[size_t(i)].bassa)
            ++j;
        if (j - i > 1) {
            // Lines with the same key: the rest of their text decides, and those that compare equal
            // keep their order.
            std::stable_sort(chiavi.begin() + i, chiavi.begin() + j,
                             [this](const Chiave& a, const Chiave& b) { return confronta(a, b) < 0; });
            // Identical lines are now next to each other: each points at the last record that gave it.
            for (qsizetype a = i; a < j;) {
                qsizetype b = a + 1;
                while (b < j && confronta(chiavi[size_t(a)], chiavi[size_t(b)]) == 0) ++b;
                if (b - a > 1) segnaUguali(chiavi, a, b);
                a = b;
            }
        }
        i = j;
    }

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
    const auto scade = dates::parse(r.DataScade.get());
    return scade && *scade <= oggi;
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
