#include "RecordFileBase.h"

#include "ArchiveError.h"
#include "FileLock.h"
#include "FileSync.h"

#include <QFileInfo>
#include <vector>

RecordFileBase::RecordFileBase(const QString& path, qint64 recordSize, Access access)
    : m_path(path), m_size(recordSize), m_file(path) {
    // ReadWrite creates a missing file and keeps an existing one as it is. A folder, a read-only
    // file or an unwritable folder all fail here; so do a pipe and a device under the archive's
    // name, which would wait for a writer that never comes or swallow the records unsaved.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw ArchiveError(QStringLiteral("open %1: not a file (%2)")
                               .arg(path, info.isDir() ? QStringLiteral("a folder") : QStringLiteral("a pipe or a device")));
    const auto mode = access == Access::ReadOnly ? QIODevice::ReadOnly : QIODevice::ReadWrite;
    if (!m_file.open(mode | QIODevice::Unbuffered)) fail("open");
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

qint64 RecordFileBase::count() {
    FileLock lock(m_file, FileLock::Shared);
    return countUnlocked();
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
    if (index < 0 || index >= countUnlocked()) fail("read past the end of");
    seekTo(index);
    if (m_file.read(record, m_size) != m_size) fail("read");
}

void RecordFileBase::writeAt(qint64 index, const char* record) {
    FileLock lock(m_file, FileLock::Exclusive);
    if (index < 0 || index >= countUnlocked()) fail("write past the end of");
    seekTo(index);
    writeRecord(record);
}

qint64 RecordFileBase::append(const char* record) {
    // Count and write under one lock: another copy of the program appending at the same moment
    // waits and then appends after this record.
    FileLock lock(m_file, FileLock::Exclusive);
    const qint64 n = countUnlocked();
    seekTo(n);
    writeRecord(record);
    return n + 1;
}

qint64 RecordFileBase::appendAll(const std::function<void(const char*)>& esistente,
                                 const std::function<QByteArray()>& nuovi) {
    FileLock lock(m_file, FileLock::Exclusive);
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
    seekTo(n);
    if (writeAll(bytes.constData(), bytes.size()) && m_file.flush() && syncToDisk(m_file)) return n + 1;

    const QString why = m_file.errorString();
    m_file.unsetError();
    // Shrinking only gives back room, so putting the piece back cannot meet a full disk.
    const bool restored = m_file.resize(n * m_size) && m_file.seek(n * m_size) &&
                          m_file.write(coda) == coda.size() && m_file.flush() && m_file.size() == before;
    throw ArchiveError(QStringLiteral("append to %1: %2%3")
                           .arg(m_path, why, restored ? QString() : QStringLiteral(" (and the file could not be put back as it was)")));
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
            n = std::min(n, countUnlocked()); // records are never removed, but a damaged copy may shrink
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
