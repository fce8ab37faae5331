#include "Elenco.h"

#include "Dates.h"
#include "Flags.h"
#include "RigheElenco.h"
#include "SchedaAnagrafica.h"
#include "SchedaBollettino.h"
#include "Text.h"

#include <QHash>
#include <algorithm>

void Elenco::ordina() {
    std::stable_sort(m_voci.begin(), m_voci.end(),
                     [](const VoceElenco& a, const VoceElenco& b) { return text::compareAZ(a.riga, b.riga) < 0; });
    // Identical lines sort next to each other (they compare equal); usually a run is one line long.
    for (qsizetype i = 0; i < m_voci.size();) {
        qsizetype j = i + 1;
        while (j < m_voci.size() && text::compareAZ(m_voci[i].riga, m_voci[j].riga) == 0) ++j;
        if (j - i > 1) {
            QHash<QString, qint64> ultimo;
            for (qsizetype k = i; k < j; ++k) {
                qint64& p = ultimo[text::trimmed(m_voci[k].riga)];
                p = std::max(p, m_voci[k].posizione);
            }
            for (qsizetype k = i; k < j; ++k) m_voci[k].daCaricare = ultimo.value(text::trimmed(m_voci[k].riga));
        }
        i = j;
    }
}

QStringList Elenco::righe() const {
    QStringList out;
    out.reserve(m_voci.size());
    for (const VoceElenco& v : m_voci) out.append(v.riga);
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
void riempi(const QString& archivio, Accesso accesso, Elenco& out, QString (*riga)(const T&), Prendi&& prendi) {
    try {
        RecordFile<T> file(archivio, accesso);
        file.scan([&](qint64 pos, const T& r) {
            if (prendi(r)) out.aggiungi(riga(r), pos);
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

bool daSaldare(const TSchedaBollettino& r) { return r.Saldato.get() == flags::no; }

bool scaduto(const TSchedaBollettino& r, const QDate& oggi) {
    if (!daSaldare(r)) return false;
    const auto scade = dates::parse(r.DataScade.get());
    return scade && *scade <= oggi;
}

bool daRicontattare(const TSchedaAnagrafica& r) { return r.Ricontatta.get() == flags::si; }

void cercaBollettini(const QString& archivio, const FiltriTesto& f, Elenco& out, Accesso accesso) {
    riempi<TSchedaBollettino>(archivio, accesso, out, rigaBollettino,
                              [&f](const TSchedaBollettino& r) { return f.accetta(r); });
}

void bollettiniDaSaldare(const QString& archivio, Elenco& out, Accesso accesso) {
    riempi<TSchedaBollettino>(archivio, accesso, out, rigaBollettino, daSaldare);
}

void bollettiniScaduti(const QString& archivio, const QDate& oggi, Elenco& out, Accesso accesso) {
    riempi<TSchedaBollettino>(archivio, accesso, out, rigaBollettino,
                              [&oggi](const TSchedaBollettino& r) { return scaduto(r, oggi); });
}

void cercaSchede(const QString& archivio, const FiltriTesto& f, Elenco& out, Accesso accesso) {
    riempi<TSchedaAnagrafica>(archivio, accesso, out, RigaScheda,
                              [&f](const TSchedaAnagrafica& r) { return f.accetta(r); });
}

void schedeDaRicontattare(const QString& archivio, Elenco& out, Accesso accesso) {
    riempi<TSchedaAnagrafica>(archivio, accesso, out, RigaScheda, daRicontattare);
}

} // namespace elenchi
