#include "Elenco.h"

#include "Dates.h"
#include "Flags.h"
#include "RigheElenco.h"
#include "SchedaAnagrafica.h"
#include "SchedaBollettino.h"
#include "Text.h"

#include <QHash>
#include <algorithm>

void Elenco::aggiungiCp1252(QByteArrayView riga, qint64 posizione) {
    if (m_blocchi.isEmpty() || m_blocchi.last().capacity() - m_blocchi.last().size() < riga.size()) {
        QByteArray b;
        b.reserve(std::max(kBlocco, riga.size()));
        m_blocchi.append(std::move(b));
    }
    QByteArray& blocco = m_blocchi.last();
    m_voci.append({qint32(m_blocchi.size() - 1), qint32(blocco.size()), qint32(riga.size()), posizione});
    blocco.append(riga);
}

namespace {
const unsigned char* byte(QByteArrayView t) { return reinterpret_cast<const unsigned char*>(t.data()); }
} // namespace

std::vector<Elenco::Chiave> Elenco::chiavi() {
    // What every line begins with (A-Z folded) says nothing of their order: the keys begin after it.
    // So lines that all begin with the same account number still mostly differ within their keys.
    const auto& rango = text::bytes::ranksAZ();
    m_comune = 0;
    if (!m_voci.isEmpty()) {
        const QByteArrayView primo = testo(m_voci.first());
        m_comune = primo.size();
        for (const Voce& v : std::as_const(m_voci)) {
            const unsigned char *x = byte(primo), *y = byte(testo(v));
            qsizetype i = 0;
            const qsizetype n = std::min<qsizetype>(m_comune, v.lunghezza);
            while (i < n && (x[i] == y[i] || rango[x[i]] == rango[y[i]])) ++i;
            m_comune = i;
        }
    }
    std::vector<Chiave> out(size_t(m_voci.size()));
    for (qsizetype j = 0; j < m_voci.size(); ++j) {
        const Voce& v = m_voci.at(j);
        const unsigned char* y = byte(testo(v)) + m_comune;
        Chiave& c = out[size_t(j)];
        c = {{0, 0}, qint32(j)};
        const qsizetype n = std::min<qsizetype>(v.lunghezza - m_comune, kChiave);
        for (qsizetype i = 0; i < n; ++i) c.k[i / 8] |= quint64(rango[y[i]]) << (56 - 8 * (i % 8));
    }
    return out;
}

int Elenco::confronta(const Chiave& a, const Chiave& b) const {
    if (a.k[0] != b.k[0]) return a.k[0] < b.k[0] ? -1 : 1;
    if (a.k[1] != b.k[1]) return a.k[1] < b.k[1] ? -1 : 1;
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

void Elenco::ordina() {
    std::vector<Chiave> chiavi = this->chiavi();
    // Lines that compare equal keep their order.
    std::sort(chiavi.begin(), chiavi.end(), [this](const Chiave& a, const Chiave& b) {
        if (a.k[0] != b.k[0]) return a.k[0] < b.k[0];
        if (a.k[1] != b.k[1]) return a.k[1] < b.k[1];
        const int c = confronta(a, b);
        return c != 0 ? c < 0 : a.voce < b.voce;
    });
    m_daCaricare.clear();
    // Identical lines sort next to each other (they compare equal); usually a run is one line long.
    const qsizetype n = m_voci.size();
    for (qsizetype i = 0; i < n;) {
        qsizetype j = i + 1;
        while (j < n && confronta(chiavi[size_t(i)], chiavi[size_t(j)]) == 0) ++j;
        if (j - i > 1) {
            auto voce = [&](qsizetype k) -> const Voce& { return m_voci.at(chiavi[size_t(k)].voce); };
            QHash<QByteArrayView, qint64> ultimo;
            for (qsizetype k = i; k < j; ++k) {
                qint64& p = ultimo[text::bytes::trimmed(testo(voce(k)))];
                p = std::max(p, voce(k).posizione);
            }
            for (qsizetype k = i; k < j; ++k)
                if (const qint64 p = ultimo.value(text::bytes::trimmed(testo(voce(k)))); p != voce(k).posizione)
                    m_daCaricare.insert(k, p);
        }
        i = j;
    }
    QList<Voce> ordinate;
    ordinate.reserve(n);
    for (const Chiave& c : chiavi) ordinate.append(m_voci.at(c.voce));
    m_voci = std::move(ordinate);
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
        std::string testo;
        file.scan([&](qint64 pos, const T& r) {
            if (!prendi(r)) return;
            riga(r, testo);
            out.aggiungiCp1252(testo, pos);
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
