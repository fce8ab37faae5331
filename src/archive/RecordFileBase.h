#pragma once

#include <QFile>
#include <QString>
#include <functional>

// A file of fixed-size records with no header, opened for one user command and closed when the
// object goes. Opening creates a missing file empty and never truncates an existing one. Only
// whole records count; a trailing piece is never read, and an append writes over it.
// Every failure throws ArchiveError.
class RecordFileBase {
public:
    // ReadOnly is for tools that must never create or change a file: a missing file is an error.
    enum class Access { ReadWrite, ReadOnly };
    RecordFileBase(const QString& path, qint64 recordSize, Access access = Access::ReadWrite);
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
    // (its old length, and a trailing piece the write went over) before the failure is thrown.
    // Returns the 1-based position of the first new record.
    qint64 appendAll(const std::function<void(const char*)>& esistente, const std::function<QByteArray()>& nuovi);
    // Streams the records present when it begins, in file order, `batch` at a time into `buffer`
    // (room for `batch` records); `visit` gets the 1-based position and the record's place in the
    // buffer, and returns false to stop. It runs with the file unlocked, so it may take its time.
    void scan(char* buffer, qint64 batch, const std::function<bool(qint64 position, qint64 slot)>& visit);

private:
    qint64 countUnlocked();
    void seekTo(qint64 index);
    bool writeAll(const char* data, qint64 size);
    void writeRecord(const char* record);
    [[noreturn]] void fail(const char* what);

    QString m_path;
    qint64 m_size;
    QFile m_file;
};
