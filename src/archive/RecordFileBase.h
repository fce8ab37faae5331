#pragma once

#include "GiornaleLotto.h"

#include <QFile>
#include <QString>
#include <functional>
#include <optional>

// A file of fixed-size records with no header, opened for one user command and closed when the
// object goes. Opening creates a missing file empty and never truncates an existing one. Only
// whole records count; a trailing piece is never read, and an append writes over it.
// Every failure throws ArchiveError.
//
// A batch (appendAll) keeps a journal beside the file while it writes. A journal found later is a
// batch that a crash cut short: opening the file to work on it (ReadWrite), and every write, first
// cut the file back to what it was before that batch, and leave a notice (giornaleLotto::avvisi()).
// Until then a read counts only the records that were there before the batch. This is the one
// place where a file is shortened, and it happens only under the exclusive lock, which a batch
// holds from its journal's writing to its removal.
class RecordFileBase {
public:
    // ReadOnly is for tools that must never create or change a file: a missing file is an error.
    enum class Access { ReadWrite, ReadOnly };
    RecordFileBase(const QString& path, qint64 recordSize, const Lotto& lotto, Access access = Access::ReadWrite);
    ~RecordFileBase();
    RecordFileBase(const RecordFileBase&) = delete;
    RecordFileBase& operator=(const RecordFileBase&) = delete;

    qint64 count();
    const QString& path() const { return m_path; }

protected:
    void readAt(qint64 index, char* record);
    void writeAt(qint64 index, const char* record);
    qint64 append(const char* record);
    // One exclusive lock for the whole operation: every whole record already there goes to
    // `esistente` when it is given (it must not wait on anything), then the records `nuovi` returns
    // (whole records, one after another) are appended in one write, flushed and put on the disk.
    // All or nothing: when any of it cannot be written, the file is put back byte for byte as it was
    // (its old length, and a trailing piece the write went over) before the failure is thrown; when
    // the process dies part-way, the next command that opens the file puts it back (see above).
    // The journal of an earlier batch that does not fit the file stops it: GiornaleLasciato.
    // Returns the 1-based position of the first new record.
    qint64 appendAll(const std::function<void(const char*)>& esistente, const std::function<QByteArray()>& nuovi);
    // Streams the records present when it begins, in file order, `batch` at a time into `buffer`
    // (room for `batch` records); `visit` gets the 1-based position and the record's place in the
    // buffer, and returns false to stop. It runs with the file unlocked, so it may take its time.
    void scan(char* buffer, qint64 batch, const std::function<bool(qint64 position, qint64 slot)>& visit);

private:
    qint64 countUnlocked();
    // Under a lock: the whole records, less those of a batch that a crash cut short.
    qint64 countLocked();
    // Under the exclusive lock: undoes a batch that a crash cut short. Returns the notice of a
    // journal that does not fit the file, which is then left alone.
    std::optional<AvvisoLotto> ripristina();
    // Cuts the file back to `size` bytes, the last `coda.size()` of them `coda`, on the disk.
    bool putBack(qint64 size, const QByteArray& coda);
    void seekTo(qint64 index);
    bool writeAll(const char* data, qint64 size);
    void writeRecord(const char* record);
    [[noreturn]] void fail(const char* what);

    QString m_path;
    qint64 m_size;
    QFile m_file;
    GiornaleLotto m_giornale;
};
