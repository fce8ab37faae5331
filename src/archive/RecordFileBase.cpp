#include "RecordFileBase.h"

#include "ArchiveError.h"
#include "FileLock.h"
#include "FileSync.h"

#include <QFileInfo>
#include <vector>

RecordFileBase::RecordFileBase(const QString& path, qint64 recordSize, const Lotto& lotto, Access access)
    : m_path(path), m_size(recordSize), m_file(path), m_giornale(path, lotto) {
    // ReadWrite creates a missing file and keeps an existing one as it is. A folder, a read-only
    // file or an unwritable folder all fail here; so do a pipe and a device under the archive's
    // name, which would wait for a writer that never comes or swallow the records unsaved.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw ArchiveError(QStringLiteral("open %1: not a file (%2)")
                               .arg(path, info.isDir() ? QStringLiteral("a folder") : QStringLiteral("a pipe or a device")));
    // Nor is the journal of a batch, whatever it is asked for.
    if (giornaleLotto::eGiornale(path))
        throw ArchiveError(QStringLiteral("open %1: the journal of a batch, not an archive").arg(path));
    const auto mode = access == Access::ReadOnly ? QIODevice::ReadOnly : QIODevice::ReadWrite;
    if (!m_file.open(mode | QIODevice::Unbuffered)) fail("open");
    // A command that opens the archive to work on it undoes, before anything else, a batch that a
    // crash cut short; the lock waits for a batch that is still being written by another program.
    if (access == Access::ReadWrite && m_giornale.esiste()) {
        FileLock lock(m_file, FileLock::Exclusive);
        ripristina();
    }
}

RecordFileBase::~RecordFileBase() { m_file.close(); }

void RecordFileBase::fail(const char* what) {
    throw ArchiveError(QStringLiteral("%1 %2: %3").arg(QLatin1String(what), m_path, m_file.errorString()));
}

qint64 RecordFileBase::countUnlocked() {
    const qint64 bytes = m_file.size();
    if (bytes < 0) fail("size");
    return bytes / m_size;
}

qint64 RecordFileBase::countLocked() {
    const qint64 n = countUnlocked();
    // No batch is being written while this lock is held: a journal is one that a crash left.
    if (!m_giornale.esiste()) return n;
    const GiornaleLotto::Prima prima = m_giornale.leggi(m_file, m_size);
    if (!prima.adatto) {
        giornaleLotto::segnala(m_giornale.avviso(AvvisoLotto::Lasciato, prima.aggiunti, prima.dimensione, prima.motivo));
        return n;
    }
    giornaleLotto::segnala(m_giornale.avviso(AvvisoLotto::Escluso, prima.aggiunti, prima.dimensione));
    return std::min(n, prima.dimensione / m_size);
}

qint64 RecordFileBase::count() {
    FileLock lock(m_file, FileLock::Shared);
    return countLocked();
}

std::optional<AvvisoLotto> RecordFileBase::ripristina() {
    if (!m_giornale.esiste()) return std::nullopt;
    const GiornaleLotto::Prima prima = m_giornale.leggi(m_file, m_size);
    if (!prima.adatto) {
        const AvvisoLotto a = m_giornale.avviso(AvvisoLotto::Lasciato, prima.aggiunti, prima.dimensione, prima.motivo);
        giornaleLotto::segnala(a);
        return a;
    }
    if (!putBack(prima.dimensione, prima.coda)) fail("undo the unfinished batch in");
    if (!m_giornale.togli())
        throw ArchiveError(QStringLiteral("remove %1: the archive is back as it was, but the journal stays")
                               .arg(m_giornale.percorso()));
    giornaleLotto::segnala(m_giornale.avviso(AvvisoLotto::Annullato, prima.aggiunti, prima.dimensione));
    return std::nullopt;
}

void RecordFileBase::seekTo(qint64 index) {
    if (!m_file.seek(index * m_size)) fail("seek");
}

bool RecordFileBase::writeAll(const char* data, qint64 size) {
    // A write the system cuts short (the disk filled up part-way) comes back without a reason; the
    // attempt at the rest then fails at once and says why ("No space left on device").
    for (qint64 done = 0; done < size;) {
        const qint64 w = m_file.write(data + done, size - done);
        if (w <= 0) return false;
        done += w;
    }
    return true;
}

void RecordFileBase::writeRecord(const char* record) {
    if (!writeAll(record, m_size) || !m_file.flush()) fail("write");
}

void RecordFileBase::readAt(qint64 index, char* record) {
    FileLock lock(m_file, FileLock::Shared);
    if (index < 0 || index >= countLocked()) fail("read past the end of");
    seekTo(index);
    if (m_file.read(record, m_size) != m_size) fail("read");
}

void RecordFileBase::writeAt(qint64 index, const char* record) {
    FileLock lock(m_file, FileLock::Exclusive);
    ripristina(); // a record of a batch cut short is never written over, and a save goes on as always
    if (index < 0 || index >= countUnlocked()) fail("write past the end of");
    seekTo(index);
    writeRecord(record);
}

qint64 RecordFileBase::append(const char* record) {
    // Count and write under one lock: another copy of the program appending at the same moment
    // waits and then appends after this record.
    FileLock lock(m_file, FileLock::Exclusive);
    ripristina(); // never after a batch cut short, which would take the new record with it when undone
    const qint64 n = countUnlocked();
    seekTo(n);
    writeRecord(record);
    return n + 1;
}

bool RecordFileBase::putBack(qint64 size, const QByteArray& coda) {
    // The cut first, to the old length, which gives back room: the piece then goes where it was,
    // inside the file, so that neither step can meet a full disk. Stopped anywhere, the file is as
    // long as it was before the batch at least, its journal still fits, and the next command that
    // opens it finishes the work.
    const qint64 n = size / m_size;
    return (m_file.size() == size || m_file.resize(size)) && m_file.seek(n * m_size) &&
           m_file.write(coda) == coda.size() && m_file.flush() && syncToDisk(m_file) && m_file.size() == size;
}

qint64 RecordFileBase::appendAll(const std::function<void(const char*)>& esistente,
                                 const std::function<QByteArray()>& nuovi) {
    FileLock lock(m_file, FileLock::Exclusive);
    // The journal of an earlier batch is undone first; one that does not fit stays, and this batch
    // cannot have a journal of its own.
    if (const auto lasciato = ripristina()) throw GiornaleLasciato(*lasciato);
    const qint64 before = m_file.size();
    if (before < 0) fail("size");
    const qint64 n = before / m_size;
    if (esistente) {
        constexpr qint64 kBatch = 256;
        std::vector<char> buffer(size_t(kBatch * m_size));
        seekTo(0);
        for (qint64 done = 0; done < n;) {
            const qint64 take = std::min(kBatch, n - done);
            if (m_file.read(buffer.data(), take * m_size) != take * m_size) fail("read");
            for (qint64 i = 0; i < take; ++i) esistente(buffer.data() + i * m_size);
            done += take;
        }
    }
    // A trailing piece of a record is written over, as by append(); it is kept to be put back.
    seekTo(n);
    const QByteArray coda = m_file.read(before - n * m_size);
    if (coda.size() != before - n * m_size) fail("read");
    const QByteArray bytes = nuovi();
    if (bytes.isEmpty()) return n + 1;
    if (bytes.size() % m_size != 0) throw ArchiveError(QStringLiteral("append to %1: not whole records").arg(m_path));
    m_giornale.scrivi(m_file, m_size, before, bytes.size() / m_size, coda);
    giornaleLotto::momento(giornaleLotto::kPrimaDeiRecord);
    seekTo(n);
    const qint64 half = bytes.size() / 2;
    bool written = writeAll(bytes.constData(), half);
    if (written) {
        giornaleLotto::momento(giornaleLotto::kAMeta);
        written = writeAll(bytes.constData() + half, bytes.size() - half) && m_file.flush() && syncToDisk(m_file);
    }
    QString why = m_file.errorString();
    if (written) {
        giornaleLotto::momento(giornaleLotto::kDopoIRecord);
        if (m_giornale.togli()) return n + 1;
        why = QStringLiteral("its journal %1 cannot be removed").arg(m_giornale.percorso());
    }
    m_file.unsetError();
    const bool restored = putBack(before, coda);
    // Put back, the file needs no journal; one that cannot go would only undo nothing.
    if (restored) m_giornale.togli();
    throw ArchiveError(QStringLiteral("append to %1: %2%3")
                           .arg(m_path, why,
                                restored ? QString()
                                         : QStringLiteral(" (and the file could not be put back as it was yet: the next "
                                                          "command that opens it will)")));
}

void RecordFileBase::scan(char* buffer, qint64 batch, const std::function<bool(qint64, qint64)>& visit) {
    // The shared lock is held only while a batch is read, never while the visitor runs: a visitor
    // that waits (a pipe nobody reads, a dialog) must not stop another program from saving. The
    // scan covers the records there when it began; a record overwritten meanwhile is read whole,
    // either as it was or as it became, and one appended meanwhile is left to the next scan.
    qint64 n = count();
    for (qint64 done = 0; done < n;) {
        qint64 take;
        {
            FileLock lock(m_file, FileLock::Shared);
            n = std::min(n, countUnlocked()); // only an undone batch, or a damaged copy, shrinks the file
            take = std::min(batch, n - done);
            if (take <= 0) return;
            seekTo(done);
            if (m_file.read(buffer, take * m_size) != take * m_size) fail("read");
        }
        for (qint64 i = 0; i < take; ++i)
            if (!visit(done + i + 1, i)) return;
        done += take;
    }
}
