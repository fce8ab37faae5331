#pragma once

#include "ArchiveError.h"
#include "SchedaAnagrafica.h"
#include "SchedaBollettino.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

class QFile;

// What a batch of records is called: the end of its journal's name, and the words that tell the user
// about a batch that did not end.
struct Lotto {
    const char* suffisso; // the journal of 2026.bol is 2026.bol.emissione
    const char* nome;     // "L'ultima emissione di ..."
    const char* uno;      // "... di un bollettino"
    const char* molti;    // "... di 5 bollettini"
    const char* genere;   // "... durante un'emissione di bollettini"
};

namespace lotti {
inline constexpr Lotto emissione{"emissione", "emissione", "un bollettino", "bollettini", "un'emissione di bollettini"};
inline constexpr Lotto importazione{"importazione", "importazione", "una scheda", "schede",
                                    "un'importazione di schede"};
} // namespace lotti

// The batch each kind of archive takes: slips are issued, cards imported.
template <class T> inline constexpr const Lotto* kLottoDi = nullptr;
template <> inline constexpr const Lotto* kLottoDi<TSchedaBollettino> = &lotti::emissione;
template <> inline constexpr const Lotto* kLottoDi<TSchedaAnagrafica> = &lotti::importazione;

// What the program found of a batch that did not end (the process died, the power went): it undid it,
// a read left it out, or its journal does not fit the archive and was left alone.
struct AvvisoLotto {
    enum Esito { Annullato, Escluso, Lasciato };
    Esito esito = Annullato;
    const Lotto* lotto = &lotti::emissione;
    QString archivio, giornale; // the two files
    qint64 record = 0;          // the records the batch was to add
    QString motivo;             // Lasciato: what does not fit, in words that follow "ma"
    qint64 dimensione = 0;      // the archive's size before the batch, as the journal says it

    // What the user is told, in Italian.
    QString testo() const;
};

// A batch refused because the journal of an earlier one is there, and it does not fit the archive:
// the journal is left alone, and nothing is written.
class GiornaleLasciato : public ArchiveError {
public:
    explicit GiornaleLasciato(const AvvisoLotto& a);
    AvvisoLotto avviso;
};

// The journal of a batch, a small text file beside the archive. It is written and put on the disk,
// with its folder, before the first record of the batch, and removed once the batch is whole on the
// disk, all under the archive's exclusive lock: found by a command holding a lock on the archive, it
// is the mark of a batch cut short. It says what the archive was before the batch: its size, the
// trailing piece of a record the batch writes over, and a fingerprint of the last whole record.
class GiornaleLotto {
public:
    GiornaleLotto(const QString& archivio, const Lotto& lotto);

    const QString& percorso() const { return m_percorso; }
    const Lotto& lotto() const { return *m_lotto; }
    bool esiste() const;

    // What the archive was, by the journal, when the journal can be read and fits the archive as it
    // is now (open, and locked by the caller): never shorter than it was, never longer than the batch
    // could make it, the records before the batch as they were.
    struct Prima {
        bool adatto = false;
        qint64 dimensione = 0, aggiunti = 0;
        QByteArray coda;
        QString motivo; // when it does not fit
    };
    Prima leggi(QFile& archivio, qint64 recordSize) const;

    // Writes the journal of a batch of `aggiunti` records onto an archive of `dimensione` bytes whose
    // trailing piece is `coda`: whole, through a hidden file renamed into place, on the disk with its
    // folder. Throws ArchiveError, leaving no journal.
    void scrivi(QFile& archivio, qint64 recordSize, qint64 dimensione, qint64 aggiunti, const QByteArray& coda) const;
    // Removes it, and the hidden file a journal still being written leaves; false when it stays.
    bool togli() const;

    // The notice of what became of the batch this journal describes.
    AvvisoLotto avviso(AvvisoLotto::Esito esito, qint64 record, qint64 dimensione, const QString& motivo = {}) const;

private:
    QString m_archivio, m_percorso, m_provvisorio;
    const Lotto* m_lotto;
};

namespace giornaleLotto {

// Whether `path` names a journal (or the hidden file of one being written), never an archive.
bool eGiornale(const QString& path);

// Leaves a notice for the user. Undone batches are told every time; a journal left alone or a batch
// left out of a read once a run, however often it is met.
void segnala(const AvvisoLotto& avviso);
// Takes the notices left so far, oldest first.
QList<AvvisoLotto> avvisi();
// Called whenever a notice is left; it must not wait on anything (a notice may be left while the
// archive is locked). The screens use it to show the notice as soon as
// the command at hand is over.
void quandoArriva(std::function<void()> f);

// Moments of a batch where the tests stop a process, to show what a crash there leaves.
inline constexpr char kPrimaDeiRecord[] = "before-first-record"; // the journal is on the disk
inline constexpr char kAMeta[] = "mid-batch";                    // half of the batch's bytes are written
inline constexpr char kDopoIRecord[] = "after-last-record";      // the batch is on the disk, the journal still there
// Test seam: `f` is called at each of those moments; nothing happens there otherwise.
void osserva(std::function<void(const char* momento)> f);
void momento(const char* nome);

} // namespace giornaleLotto
