#pragma once

#include "archive/ArchiveError.h"
#include "archive/CampoRecord.h"
#include "archive/RecordFileBase.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

// The spreadsheet exports of the two archives: each sheet's columns with how their cells are read
// from a record, the rows of an export (what the grid shows, and the worksheet and the CSV are
// written from), and the bytes of both formats. Nothing here needs a window system, so the
// command-line tool writes the very bytes the screens write.

class CelleFoglio;

// How an exported column's cell is read from a record: its pieces in order, each a field of the
// record as stored (Windows-1252, trimmed) or a fixed text, with `tra` between two pieces. A blank
// goes only between two pieces that both hold text, so that the cell stays trimmed; any other
// separator goes between every two, whatever they hold.
struct LetturaCella {
    struct Pezzo {
        CampoRecord campo;    // the field; one of no capacity stands for `fisso`
        QByteArrayView fisso; // Windows-1252
    };
    QList<Pezzo> pezzi;
    char tra = ' ';
};

// One exported column. The grid shows a row-number column "N." before these, which is never written.
struct ColonnaFoglio {
    QString titoloGriglia;
    int larghezzaGriglia;
    QString titolo; // header in the file
    int larghezza;  // width in the file
    bool modificabile; // the grid lets the user change it; the change reaches only the file
    LetturaCella cella;
};

struct Foglio {
    QString nome;     // the worksheet's name
    QString nomeFile; // the file in the program folder
    QList<ColonnaFoglio> colonne;
    qsizetype dimensioneRecord; // in bytes, of the archive's records
    // Appends the row of every record of the archive, in file order. Throws ArchiveError; the rows
    // read until then stay.
    void (*leggi)(const QString& archivio, CelleFoglio& out, RecordFileBase::Access accesso);
};

// The rows of an export of one sheet, each with a cell for every column. The cells are kept as the
// records hold their text (Windows-1252, trimmed) in one block, and decoded only for the cells a
// grid shows: the worksheet is written straight from these bytes. A changed cell keeps its text as
// typed beside them and is written instead.
class CelleFoglio {
public:
    explicit CelleFoglio(const Foglio& foglio) : m_foglio(&foglio), m_colonne(int(foglio.colonne.size())) {}

    const Foglio& foglio() const { return *m_foglio; }
    int colonne() const { return m_colonne; }
    qsizetype righe() const { return qsizetype(m_fine.size()) / qMax(m_colonne, 1); }
    bool isEmpty() const { return m_fine.empty(); }

    // One row: the cells of `record`, one of the sheet's archive, each read as its column says.
    template <class T> void aggiungi(const T& record) {
        static_assert(std::is_trivially_copyable_v<T>);
        if (qsizetype(sizeof(T)) != m_foglio->dimensioneRecord) throw std::logic_error("a record of another archive");
        aggiungiRecord(reinterpret_cast<const char*>(&record));
    }
    void aggiungiVuote(int n);
    void riserva(qsizetype righe, qsizetype byteRiga);

    // A cell's text: as changed, or as the record gives it.
    QString testo(qsizetype riga, int colonna) const;
    void cambia(qsizetype riga, int colonna, const QString& testo);
    // The text as read (Windows-1252), and the changed text or null.
    QByteArrayView memorizzata(qsizetype riga, int colonna) const { return memorizzata(riga * m_colonne + colonna); }
    const QString* cambiata(qsizetype riga, int colonna) const;

private:
    void aggiungiRecord(const char* record);
    QByteArrayView memorizzata(qsizetype k) const {
        const quint32 da = k == 0 ? 0 : m_fine[size_t(k - 1)];
        return QByteArrayView(m_testo.data() + da, qsizetype(m_fine[size_t(k)] - da));
    }

    const Foglio* m_foglio;
    int m_colonne;
    std::string m_testo;
    std::vector<quint32> m_fine; // where each cell ends in m_testo, row after row
    QHash<qsizetype, QString> m_cambiate; // by riga * colonne + colonna
};

namespace esportazione {

const Foglio& foglioBollettini();
const Foglio& foglioSchede();

// How many empty rows a grid shows for an empty archive, and so how many empty rows its worksheet gets.
constexpr int kRigheVuote = 10;

enum class Formato { Xls, Csv };

// The file an export of `foglio` in `formato` is written to: the sheet's file name, with ".csv" for
// the comma-separated values.
QString nomeFile(const Foglio& foglio, Formato formato);

// The row of every record of an archive, in file order, appended to `out`, read as its sheet reads
// them. Throws ArchiveError; the rows read until then stay.
void leggi(const QString& archivio, CelleFoglio& out,
           RecordFileBase::Access accesso = RecordFileBase::Access::ReadWrite);

// The worksheet as one line of HTML in Windows-1252: the spreadsheet's worksheet head, the header
// row, then one row per row of `righe`. "<", ">" and "&" in a cell are written as entities, and
// every data cell carries the attribute that makes LibreOffice keep it as text ("00100" stays
// "00100"); Excel ignores it.
QByteArray xls(const CelleFoglio& righe);

// The same rows as UTF-8 comma-separated values with a header row; a cell holding a comma, a
// double quote or a line break is quoted, its quotes doubled. Lines end with CR LF.
QByteArray csv(const CelleFoglio& righe);

// Whether `head`, the first bytes of a file, begins an export of this program's own (either format).
bool propria(const QByteArray& head);

// Writes the rows to `path` in `formato` as scrivi() below writes its bytes; the worksheet is
// written a piece at a time, without holding it all. An export with no rows gets the worksheet of
// the grid of an empty archive, with its kRigheVuote empty rows; the CSV gets its header alone.
// Returns how many bytes were written. Throws ArchiveError.
qint64 scrivi(const QString& path, const CelleFoglio& righe, Formato formato);

// Writes `bytes` to `path` through a temporary file in the same folder, put on the disk and renamed
// over the old file only when complete: a failure leaves any earlier file as it was. Throws ArchiveError.
void scrivi(const QString& path, const QByteArray& bytes);

} // namespace esportazione
