#pragma once

#include "ArchiveError.h"
#include "RecordFileBase.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

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

// Writes `bytes` to `path` through a temporary file in the same folder, renamed over the old file
// only when complete: a failure leaves any earlier file as it was. Throws ArchiveError.
void scrivi(const QString& path, const QByteArray& bytes);

} // namespace esportazione
