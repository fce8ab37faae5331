#include "IniFile.h"

#include "FileSync.h"
#include "Text.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <vector>

namespace {

enum class Encoding { Cp1252, Utf8, Utf16LE, Utf16BE };

// One line of the file as byte offsets: its text is [begin, end), its line end [end, next).
struct Line {
    qsizetype begin, end, next;
};

// The file cut into lines without decoding anything but the line ends, so that a write can put
// back every byte it does not change.
struct Layout {
    Encoding encoding = Encoding::Cp1252;
    int unit = 1;            // bytes per code unit
    qsizetype textEnd = 0;   // a UTF-16 file of odd size has one stray byte after this
    std::vector<Line> lines;
    QByteArray lineEnd;      // the file's first line end, encoded; CRLF for a file without one
    std::vector<QString> texts;
};

char16_t unitAt(const QByteArray& b, qsizetype i, Encoding e) {
    const auto at = [&](qsizetype k) { return char16_t(uchar(b[k])); };
    switch (e) {
    case Encoding::Utf16LE: return char16_t(at(i) | at(i + 1) << 8);
    case Encoding::Utf16BE: return char16_t(at(i) << 8 | at(i + 1));
    default: return at(i);
    }
}

QString decode(const QByteArray& b, qsizetype begin, qsizetype end, Encoding e) {
    switch (e) {
    case Encoding::Cp1252: return text::fromCp1252(b.constData() + begin, int(end - begin));
    case Encoding::Utf8: return QString::fromUtf8(b.constData() + begin, end - begin);
    default: {
        QString s;
        s.reserve((end - begin) / 2);
        for (qsizetype i = begin; i + 1 < end; i += 2) s.append(QChar(unitAt(b, i, e)));
        return s;
    }
    }
}

// The text in the file's encoding; nothing when a character cannot be held by it.
std::optional<QByteArray> encode(const QString& s, Encoding e) {
    if (e == Encoding::Cp1252) {
        if (!text::fitsCp1252(s)) return std::nullopt;
        return text::toCp1252(s);
    }
    const QByteArray utf8 = s.toUtf8();
    if (QString::fromUtf8(utf8) != s) return std::nullopt; // a lone surrogate
    if (e == Encoding::Utf8) return utf8;
    QByteArray out;
    out.reserve(s.size() * 2);
    for (QChar c : s) {
        const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
        if (e == Encoding::Utf16LE) out.append(lo).append(hi);
        else out.append(hi).append(lo);
    }
    return out;
}

Layout split(const QByteArray& b) {
    Layout l;
    qsizetype start = 0;
    if (b.startsWith("\xEF\xBB\xBF")) l.encoding = Encoding::Utf8, start = 3;
    else if (b.startsWith("\xFF\xFE")) l.encoding = Encoding::Utf16LE, start = 2;
    else if (b.startsWith("\xFE\xFF")) l.encoding = Encoding::Utf16BE, start = 2;
    l.unit = (l.encoding == Encoding::Utf16LE || l.encoding == Encoding::Utf16BE) ? 2 : 1;
    l.textEnd = b.size() - (b.size() - start) % l.unit;
    qsizetype lineStart = start;
    for (qsizetype i = start; i < l.textEnd; i += l.unit) {
        const char16_t c = unitAt(b, i, l.encoding);
        if (c != u'\n' && c != u'\r') continue;
        qsizetype next = i + l.unit;
        if (c == u'\r' && next < l.textEnd && unitAt(b, next, l.encoding) == u'\n') next += l.unit;
        l.lines.push_back({lineStart, i, next});
        if (l.lineEnd.isEmpty()) l.lineEnd = b.mid(i, next - i);
        lineStart = next;
        i = next - l.unit;
    }
    if (lineStart < l.textEnd) l.lines.push_back({lineStart, l.textEnd, l.textEnd});
    if (l.lineEnd.isEmpty()) l.lineEnd = *encode(QStringLiteral("\r\n"), l.encoding);
    l.texts.reserve(l.lines.size());
    for (const Line& line : l.lines) l.texts.push_back(decode(b, line.begin, line.end, l.encoding));
    return l;
}

bool sameName(const QString& a, const QString& b) { return text::compareAZ(text::trimmed(a), text::trimmed(b)) == 0; }

// The name of a "[section]" line, or a null string for any other line.
QString sectionName(const QString& line) {
    const QString t = text::trimmed(line);
    if (!t.startsWith(QLatin1Char('['))) return QString();
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    const QString name = text::trimmed(t.mid(1, close < 0 ? -1 : close - 1));
    return name.isNull() ? QStringLiteral("") : name;
}

bool isComment(const QString& line) { return text::trimmed(line).startsWith(QLatin1Char(';')); }

// Splits a "key=value" line; false for lines that hold no key.
bool keyLine(const QString& line, QString& key, QString& value) {
    if (isComment(line) || !sectionName(line).isNull()) return false;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) return false;
    key = text::trimmed(line.left(eq));
    value = text::trimmed(line.mid(eq + 1));
    return true;
}

// [begin, end) of the lines that belong to the first section of that name (after its header);
// begin is -1 when the file has no such section.
std::pair<qsizetype, qsizetype> findSection(const std::vector<QString>& lines, const QString& section) {
    const qsizetype n = qsizetype(lines.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QString name = sectionName(lines[i]);
        if (name.isNull() || !sameName(name, section)) continue;
        qsizetype end = i + 1;
        while (end < n && sectionName(lines[end]).isNull()) ++end;
        return {i + 1, end};
    }
    return {-1, -1};
}

bool isQuote(QChar c) { return c == QLatin1Char('"') || c == QLatin1Char('\''); }

QString unquoted(const QString& value) {
    if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

// Reading trims a value and takes off one pair of quotes; a value that would lose something that
// way is written in quotes.
QString quotedIfNeeded(const QString& value) {
    if (value.isEmpty()) return value;
    const bool blankEnds = value.front().unicode() <= 32 || value.back().unicode() <= 32;
    if (blankEnds || unquoted(value) != value) return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

bool hasLineBreak(const QString& s) { return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r')); }

enum class Read { Ok, Missing, Failed };

// The whole file, if it is a regular file of a sensible size: a settings file that is a device,
// a pipe or something huge is not read (a link to /dev/zero would never end).
Read load(const QString& path, QByteArray& bytes, QString* error) {
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return Read::Failed;
    };
    const QFileInfo info(path);
    if (!info.exists()) return info.isSymLink() ? fail(QStringLiteral("%1: broken link").arg(path)) : Read::Missing;
    if (!info.isFile()) return fail(QStringLiteral("%1: not a regular file").arg(path));
    if (info.size() > IniFile::kMaxSize) return fail(QStringLiteral("%1: larger than 1 MiB").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return fail(file.errorString());
    if (file.isSequential()) return fail(QStringLiteral("%1: not a regular file").arg(path));
    bytes = file.read(IniFile::kMaxSize + 1);
    if (file.error() != QFileDevice::NoError) return fail(file.errorString());
    if (bytes.size() > IniFile::kMaxSize) return fail(QStringLiteral("%1: larger than 1 MiB").arg(path));
    return Read::Ok;
}

// Replaces the file whole: the new content goes to a temporary file in the same folder, which
// takes the old one's place only once it is written, flushed and on the disk.
bool replaceWhole(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile out(path);
    auto fail = [&] {
        if (error) *error = out.errorString();
        out.cancelWriting();
        return false;
    };
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail();
    if (out.write(bytes) != bytes.size() || !out.flush()) return fail();
    if (!syncToDisk(out)) {
        if (error) *error = QStringLiteral("%1: cannot be written to the disk").arg(path);
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        if (error) *error = out.errorString();
        return false;
    }
    return true;
}

} // namespace

std::optional<QString> IniFile::valueIn(const QByteArray& file, const QString& section, const QString& key) {
    const Layout l = split(file);
    const auto [begin, end] = findSection(l.texts, section);
    if (begin < 0) return std::nullopt;
    QString k, v;
    for (qsizetype i = begin; i < end; ++i)
        if (keyLine(l.texts[i], k, v) && sameName(k, key)) return unquoted(v);
    return std::nullopt;
}

std::optional<QByteArray> IniFile::withValue(const QByteArray& file, const QString& section, const QString& key,
                                             const QString& value, QString* error) {
    auto fail = [&](const QString& why) -> std::optional<QByteArray> {
        if (error) *error = why;
        return std::nullopt;
    };
    const QString sectionT = text::trimmed(section), keyT = text::trimmed(key);
    if (sectionT.isEmpty() || hasLineBreak(section) || section.contains(QLatin1Char(']')))
        return fail(QStringLiteral("invalid section name \"%1\"").arg(section));
    if (keyT.isEmpty() || hasLineBreak(key) || key.contains(QLatin1Char('=')) || keyT.startsWith(QLatin1Char(';')) ||
        keyT.startsWith(QLatin1Char('[')))
        return fail(QStringLiteral("invalid key name \"%1\"").arg(key));
    if (hasLineBreak(value)) return fail(QStringLiteral("a value cannot hold a line break"));

    const Layout l = split(file);
    // The stray byte would shift every character after an insertion; such a file is damaged.
    if (l.textEnd != file.size()) return fail(QStringLiteral("the UTF-16 file has an odd number of bytes"));
    const auto newLine = encode(keyT + QLatin1Char('=') + quotedIfNeeded(value), l.encoding);
    const auto header = encode(QLatin1Char('[') + sectionT + QLatin1Char(']'), l.encoding);
    if (!newLine || !header) return fail(QStringLiteral("the text holds characters that the file's encoding cannot store"));

    const QByteArray& nl = l.lineEnd;
    QByteArray out = file;
    const auto [begin, end] = findSection(l.texts, section);
    if (begin < 0) {
        // A new section at the end, after a line end of the file's own kind.
        QByteArray add;
        if (!l.lines.empty() && l.lines.back().next == l.lines.back().end) add += nl;
        out += add + *header + nl + *newLine + nl;
        return out;
    }
    qsizetype lastUsed = begin - 1;
    QString k, v;
    for (qsizetype i = begin; i < end; ++i) {
        if (keyLine(l.texts[i], k, v) && sameName(k, key)) {
            const Line& line = l.lines[size_t(i)];
            return out.replace(line.begin, line.end - line.begin, *newLine);
        }
        if (!text::trimmed(l.texts[i]).isEmpty()) lastUsed = i;
    }
    // A new key after the section's last line, before the blank ones that part it from the next.
    const Line& anchor = l.lines[size_t(lastUsed)];
    if (anchor.next > anchor.end) return out.insert(anchor.next, *newLine + file.mid(anchor.end, anchor.next - anchor.end));
    return out.insert(anchor.end, nl + *newLine + nl);
}

QString IniFile::readString(const QString& section, const QString& key, const QString& fallback) const {
    QByteArray bytes;
    if (load(m_path, bytes, nullptr) != Read::Ok) return fallback;
    return valueIn(bytes, section, key).value_or(fallback);
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value, QString* error) {
    QByteArray bytes;
    // A file that exists but cannot be read is never replaced: its other settings would be lost.
    if (load(m_path, bytes, error) == Read::Failed) return false;
    const auto changed = withValue(bytes, section, key, value, error);
    return changed && replaceWhole(m_path, *changed, error);
}
