#pragma once

#include <QString>

// A Windows INI text file, read and written the way Windows programs do it: "[section]" lines,
// "key=value" lines, CRLF line ends, section and key names compared without regard to the case of
// A-Z and to surrounding blanks. A write rewrites only the one line it changes (or adds one), so
// every other section, key, comment and blank line of the file stays as it was. Each call opens
// the file and closes it before returning; nothing is cached.
//
// QSettings is not used on purpose: it percent-encodes section names with blanks, drops comments
// and reorders keys, and Windows programs would not read the result.
class IniFile {
public:
    explicit IniFile(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }

    // The value of `key` in `section`, trimmed and with one pair of enclosing quotes removed;
    // `fallback` when the file, the section or the key is missing or the file cannot be read.
    // A key present with an empty value reads as empty, not as the fallback.
    QString readString(const QString& section, const QString& key, const QString& fallback = QString()) const;

    // Sets `key` in `section` to `value`, creating the file, the section and the key as needed.
    // The new file replaces the old one only when it is complete. Returns false, with the reason
    // in `error`, when the file cannot be read or written, or when a name or the value would not
    // survive the text form (line breaks, a section name with ']', a key with '=').
    bool writeString(const QString& section, const QString& key, const QString& value, QString* error = nullptr);

private:
    QString m_path;
};
