#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A Windows INI text file, read and written the way Windows programs do it: "[section]" lines,
// "key=value" lines, section and key names compared without regard to the case of A-Z and to
// surrounding blanks. Files come in the ANSI code page (Windows-1252), or in UTF-8 or UTF-16
// (either byte order) marked by their byte-order mark, with CRLF, LF or CR line ends.
//
// A write changes only the bytes of the one line it sets (or inserts one line, or appends one
// section), in the file's own encoding and line ends: every other byte of the file stays as it
// was, even bytes that do not decode. Each call opens the file and closes it before returning;
// nothing is cached. A file that is not a regular file, or is larger than kMaxSize, is never read
// (it reads as missing) and never written.
//
// QSettings is not used on purpose: it percent-encodes section names with blanks, drops comments
// and reorders keys, and Windows programs would not read the result.
class IniFile {
public:
    static constexpr qint64 kMaxSize = 1024 * 1024;

    explicit IniFile(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }

    // The value of `key` in `section`, trimmed and with one pair of enclosing quotes removed;
    // `fallback` when the file, the section or the key is missing or the file cannot be read.
    // A key present with an empty value reads as empty, not as the fallback.
    QString readString(const QString& section, const QString& key, const QString& fallback = QString()) const;

    // Sets `key` in `section` to `value`, creating the file, the section and the key as needed.
    // The new file replaces the old one only when it has been written whole and flushed to disk;
    // on any failure the old file stays as it was. Returns false, with the reason in `error`, when
    // the file cannot be read or written, or when a name or the value would not survive the text
    // form (line breaks, a section name with ']', a key with '=', a character the file's encoding
    // cannot hold). A value with blanks at its ends or enclosing quotes is written in quotes, so
    // that it reads back as it was given.
    bool writeString(const QString& section, const QString& key, const QString& value, QString* error = nullptr);

    // The same two operations on the file's bytes, for callers and tests that hold them.
    static std::optional<QString> valueIn(const QByteArray& file, const QString& section, const QString& key);
    static std::optional<QByteArray> withValue(const QByteArray& file, const QString& section, const QString& key,
                                               const QString& value, QString* error = nullptr);

private:
    QString m_path;
};
