#pragma once

#include "ArchiveError.h"
#include "RecordFileBase.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

struct TSchedaAnagrafica;
struct TSchedaBollettino;

// The spreadsheet exports of the two archives: the columns the export screens show and write, the
// cells of one record, and the bytes of the worksheet. Nothing here needs a window system, so the
// command-line tool writes the very bytes the screens write.

// One exported column. The grid shows a row-number column "N." before these, which is never written.
struct ColonnaFoglio {
    QString titoloGriglia;
    int larghezzaGriglia;
    QString titolo; // header in the file
    int larghezza;  // width in the file
    bool modificabile; // the grid lets the user change it; the change reaches only the file
};

struct Foglio {
    QString nome;     // the worksheet's name
    QString nomeFile; // the file in the program folder
    QList<ColonnaFoglio> colonne;
};

// The cells of an export, row by row, kept as the records hold their text (Windows-1252, trimmed)
// in one block, and decoded only for the cells a grid shows: the worksheet is written straight
// from these bytes. A changed cell keeps its text as typed beside them and is written instead.
class CelleFoglio {
public:
    explicit CelleFoglio(int colonne) : m_colonne(colonne) {}

    int colonne() const { return m_colonne; }
    qsizetype righe() const { return qsizetype(m_fine.size()) / qMax(m_colonne, 1); }
    bool isEmpty() const { return m_fine.empty(); }

    // One row: the cells of a record, or texts (trimmed and encoded; missing ones empty).
    void aggiungi(const TSchedaBollettino& r);
    void aggiungi(const TSchedaAnagrafica& r);
    void aggiungi(const QStringList& celle);
    void aggiungiVuote(int n);
    void riserva(qsizetype righe, qsizetype byteRiga);

    // A cell's text: as changed, or as the record gives it.
    QString testo(qsizetype riga, int colonna) const;
    void cambia(qsizetype riga, int colonna, const QString& testo);
    // The text as read (Windows-1252), and the changed text or null.
    QByteArrayView memorizzata(qsizetype riga, int colonna) const { return memorizzata(riga * m_colonne + colonna); }
    const QString* cambiata(qsizetype riga, int colonna) const;

private:
    QByteArrayView memorizzata(qsizetype k) const {
        const quint32 da = k == 0 ? 0 : m_fine[size_t(k - 1)];
        return QByteArrayView(m_testo.data() + da, qsizetype(m_fine[size_t(k)] - da));
    }
    void pezzo(QByteArrayView t) { m_testo.append(t.data(), size_t(t.size())); }
    void chiudi() { m_fine.push_back(quint32(m_testo.size())); }
    void cella(QByteArrayView t) { pezzo(t), chiudi(); }
    // Two texts joined by a blank, trimmed.
    void cella(QByteArrayView a, QByteArrayView b);

    int m_colonne;
    std::string m_testo;
    std::vector<quint32> m_fine; // where each cell ends in m_testo, row after row
    QHash<qsizetype, QString> m_cambiate; // by riga * colonne + colonna
};

namespace esportazione {

const Foglio& foglioBollettini();
const Foglio& foglioSchede();

// The cells of one record, one per exported column, each trimmed.
QStringList celle(const TSchedaBollettino& r);
QStringList celle(const TSchedaAnagrafica& r);

// How many empty rows a grid shows for an empty archive, and so how many empty rows its file gets.
constexpr int kRigheVuote = 10;

// The worksheet as one line of HTML in Windows-1252: the spreadsheet's worksheet head, the header
// row, then one row per entry of `righe`. "<", ">" and "&" in a cell are written as entities, and
// every data cell carries the attribute that makes LibreOffice keep it as text ("00100" stays
// "00100"); Excel ignores it.
QByteArray xls(const Foglio& foglio, const QList<QStringList>& righe);
QByteArray xls(const Foglio& foglio, const CelleFoglio& righe);

// The same rows as UTF-8 comma-separated values with a header row; a cell holding a comma, a
// double quote or a line break is quoted, its quotes doubled. Lines end with CR LF.
QByteArray csv(const Foglio& foglio, const QList<QStringList>& righe);

// Whether `head`, the first bytes of a file, begins an export of this program's own (either format).
bool propria(const QByteArray& head);

// The cells of every record of an archive, in file order, appended to `out`. Throws ArchiveError;
// the rows read until then stay.
void righeBollettini(const QString& archivio, QList<QStringList>& out,
                     RecordFileBase::Access accesso = RecordFileBase::Access::ReadWrite);
void righeSchede(const QString& archivio, QList<QStringList>& out,
                 RecordFileBase::Access accesso = RecordFileBase::Access::ReadWrite);
void righeBollettini(const QString& archivio, CelleFoglio& out,
                     RecordFileBase::Access accesso = RecordFileBase::Access::ReadWrite);
void righeSchede(const QString& archivio, CelleFoglio& out,
                 RecordFileBase::Access accesso = RecordFileBase::Access::ReadWrite);

// Writes the worksheet of `righe` to `path` as scrivi() below writes its bytes, a piece at a time:
// the same bytes xls() gives, without holding them all. Returns how many were written. Throws ArchiveError.
qint64 scriviXls(const QString& path, const Foglio& foglio, const CelleFoglio& righe);

// Writes `bytes` to `path` through a temporary file in the same folder, renamed over the old file
// only when complete: a failure leaves any earlier file as it was. Throws ArchiveError.
void scrivi(const QString& path, const QByteArray& bytes);

} // namespace esportazione
