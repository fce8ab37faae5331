#pragma once

#include "FiltriTesto.h"
#include "RadixOrder.h"
#include "archive/RecordFile.h"
#include "archive/Text.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct TSchedaAnagrafica;
struct TSchedaBollettino;

// One line of a result list and the record behind it.
struct VoceElenco {
    QString riga;
    qint64 posizione = 0; // 1-based position of the record that gave the line
    // The record a double-click loads: of all the records that gave this same line when the list
    // was filled, the last in the file.
    qint64 daCaricare = 0;
};

// The lines of a result list, in the order every list shows them (RadixOrder): ascending by their
// whole text, only the letters A-Z compared without regard to case. Filling appends; ordina() sorts
// once. The lines are kept as the records hold their text, Windows-1252, in large blocks that are
// never moved once written, and decoded only when a line is asked for: a list of 100 000 lines is
// filled and sorted in about twice the time it takes to read the archive.
class Elenco : private RadixOrder::Lines {
public:
    // A line that scrivi(std::string&) appends, in Windows-1252, to the text it is given: the line
    // builders of RigheElenco.h write straight into the list.
    template <class Scrivi> void aggiungiCon(Scrivi&& scrivi, qint64 posizione) {
        std::string& blocco = bloccoLibero();
        const size_t inizio = blocco.size();
        scrivi(blocco);
        registra(inizio, posizione);
    }
    // A line in Windows-1252.
    void aggiungiCp1252(QByteArrayView riga, qint64 posizione) {
        aggiungiCon([riga](std::string& t) { t.append(riga.data(), size_t(riga.size())); }, posizione);
    }
    // Any other line; a character Windows-1252 cannot hold is kept as "?".
    void aggiungi(const QString& riga, qint64 posizione) { aggiungiCp1252(text::toCp1252(riga), posizione); }
    // Sorts (keeping file order among lines that compare equal) and points every line at the last
    // record that gave the same line.
    void ordina();
    void svuota() { *this = Elenco(); }
    // Room for `n` lines, when the filling knows how many there can be at most.
    void riserva(qsizetype n);

    qsizetype size() const { return m_voci.size(); }
    bool isEmpty() const { return m_voci.isEmpty(); }
    QString riga(qsizetype i) const;
    VoceElenco operator[](qsizetype i) const;
    QList<VoceElenco> voci() const;
    QStringList righe() const;

private:
    struct Voce {
        qint32 blocco, inizio, lunghezza; // where its text is
        qint64 posizione;
    };
    // Lines go into a block until it holds this much; one that outgrows its block's room makes
    // it grow, which moves no line, as lines are found by their offset.
    static constexpr size_t kBlocco = size_t(1) << 20;
    std::string& bloccoLibero();
    void registra(size_t inizio, qint64 posizione);
    QByteArrayView testo(const Voce& v) const {
        return QByteArrayView(m_blocchi[size_t(v.blocco)]->data() + v.inizio, v.lunghezza);
    }
    QByteArrayView line(qsizetype i) const override { return testo(m_voci.at(i)); }
    void segnaUguali(qsizetype da, qsizetype a);
    qint64 daCaricare(qsizetype i) const { return m_daCaricare.value(i, m_voci.at(i).posizione); }

    // The text of the lines. A copy of the list shares the blocks: they are only ever appended to,
    // and each list reads only the lines it holds.
    std::vector<std::shared_ptr<std::string>> m_blocchi;
    QList<Voce> m_voci;
    RadixOrder m_ordine;
    QHash<qsizetype, qint64> m_daCaricare; // by line, where several records gave the same line
};

// The selections of the lists, one routine each: they open the archive with `accesso` (the screens
// create a missing archive empty, versalio-tool never does), add the line of every record taken,
// close it and sort. An archive failure throws ArchiveError; the lines gathered until then stay in
// `out`, sorted.
namespace elenchi {

using Accesso = RecordFileBase::Access;

// The record fields the ten filters of each search look into, in the order of the screen's fields.
extern const QStringList kFiltriBollettini; // Intero, CCP, Esecutore, ... Note
extern const QStringList kFiltriSchede;     // Esecutore, Categoria, PartitaIva, ... Note

// Builds the filters from (record field, text as typed) pairs; every field must be one of the
// record's (false otherwise, with the unknown name in `sconosciuto`).
bool filtriBollettini(const QList<std::pair<QString, QString>>& testi, FiltriTesto& out, QString* sconosciuto = nullptr);
bool filtriSchede(const QList<std::pair<QString, QString>>& testi, FiltriTesto& out, QString* sconosciuto = nullptr);

// Slips not marked as paid: "Saldato" is exactly "No".
bool daSaldare(const TSchedaBollettino& r);
// Not paid and due today or earlier. A due date that does not read as a date is never expired.
bool scaduto(const TSchedaBollettino& r, const QDate& oggi);
// Cards whose "Ricontatta" is exactly "Sì".
bool daRicontattare(const TSchedaAnagrafica& r);

void cercaBollettini(const QString& archivio, const FiltriTesto& filtri, Elenco& out, Accesso accesso);
void bollettiniDaSaldare(const QString& archivio, Elenco& out, Accesso accesso);
void bollettiniScaduti(const QString& archivio, const QDate& oggi, Elenco& out, Accesso accesso);
void cercaSchede(const QString& archivio, const FiltriTesto& filtri, Elenco& out, Accesso accesso);
void schedeDaRicontattare(const QString& archivio, Elenco& out, Accesso accesso);

// The record a double-click on `voce` loads, with its 1-based position: the record the line
// points at when it still gives that line; otherwise (the archive changed since the list was
// filled) the last record of the file whose line, trimmed, is the line, trimmed. Nothing when no
// record gives the line. Throws ArchiveError.
template <class T>
std::optional<std::pair<T, qint64>> recordDellaRiga(RecordFile<T>& archivio, const VoceElenco& voce,
                                                    QString (*riga)(const T&));

} // namespace elenchi

// ---- implementation ----

namespace elenchi {
namespace detail {
bool stessaRiga(const QString& a, const QString& b);
}

template <class T>
std::optional<std::pair<T, qint64>> recordDellaRiga(RecordFile<T>& archivio, const VoceElenco& voce,
                                                    QString (*riga)(const T&)) {
    const qint64 p = voce.daCaricare;
    if (p >= 1 && p <= archivio.count()) {
        T r = archivio.read(p - 1);
        if (detail::stessaRiga(riga(r), voce.riga)) return std::pair<T, qint64>{r, p};
    }
    std::optional<std::pair<T, qint64>> ultimo;
    archivio.scan([&](qint64 pos, const T& r) {
        if (detail::stessaRiga(riga(r), voce.riga)) ultimo = std::pair<T, qint64>{r, pos};
    });
    return ultimo;
}

} // namespace elenchi
