#include "IniFile.h"

#include "Text.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// The file's lines without their line ends, and the encoding it came in.
struct Content {
    QStringList lines;
    bool utf8 = false;
};

enum class Read { Ok, Missing, Failed };

Read load(const QString& path, Content& content, QString* error) {
    QFile file(path);
    if (!file.exists()) return Read::Missing;
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        if (error) *error = file.errorString().isEmpty() ? QStringLiteral("not a file") : file.errorString();
        return Read::Failed;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error) *error = file.errorString();
        return Read::Failed;
    }
    // Windows programs write the ANSI code page; a file saved by an editor as UTF-8 says so with
    // its byte-order mark and is written back the same way.
    QString textContent;
    if (bytes.startsWith(kUtf8Bom)) {
        content.utf8 = true;
        textContent = QString::fromUtf8(bytes.mid(kUtf8Bom.size()));
    } else {
        textContent = text::fromCp1252(bytes);
    }
    content.lines = textContent.split(QLatin1Char('\n'));
    for (QString& line : content.lines)
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    // A final line end leaves one empty piece behind that is not a line of the file.
    if (!content.lines.isEmpty() && content.lines.last().isEmpty()) content.lines.removeLast();
    return Read::Ok;
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
std::pair<qsizetype, qsizetype> findSection(const QStringList& lines, const QString& section) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString name = sectionName(lines[i]);
        if (name.isNull() || !sameName(name, section)) continue;
        qsizetype end = i + 1;
        while (end < lines.size() && sectionName(lines[end]).isNull()) ++end;
        return {i + 1, end};
    }
    return {-1, -1};
}

QString unquoted(const QString& value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

bool hasLineBreak(const QString& s) { return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r')); }

} // namespace

QString IniFile::readString(const QString& section, const QString& key, const QString& fallback) const {
    Content content;
    if (load(m_path, content, nullptr) != Read::Ok) return fallback;
    const auto [begin, end] = findSection(content.lines, section);
    if (begin < 0) return fallback;
    QString k, v;
    for (qsizetype i = begin; i < end; ++i)
        if (keyLine(content.lines[i], k, v) && sameName(k, key)) return unquoted(v);
    return fallback;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value, QString* error) {
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    const QString sectionT = text::trimmed(section), keyT = text::trimmed(key);
    if (sectionT.isEmpty() || hasLineBreak(section) || section.contains(QLatin1Char(']')))
        return fail(QStringLiteral("invalid section name \"%1\"").arg(section));
    if (keyT.isEmpty() || hasLineBreak(key) || key.contains(QLatin1Char('=')) || keyT.startsWith(QLatin1Char(';')) ||
        keyT.startsWith(QLatin1Char('[')))
        return fail(QStringLiteral("invalid key name \"%1\"").arg(key));
    if (hasLineBreak(value)) return fail(QStringLiteral("a value cannot hold a line break"));

    Content content;
    QString why;
    // A file that exists but cannot be read is never replaced: its other settings would be lost.
    if (load(m_path, content, &why) == Read::Failed) return fail(why);

    const QString newLine = keyT + QLatin1Char('=') + value;
    QStringList& lines = content.lines;
    const auto [begin, end] = findSection(lines, section);
    if (begin < 0) {
        lines.append(QLatin1Char('[') + sectionT + QLatin1Char(']'));
        lines.append(newLine);
    } else {
        qsizetype found = -1, lastUsed = begin - 1;
        QString k, v;
        for (qsizetype i = begin; i < end; ++i) {
            if (!text::trimmed(lines[i]).isEmpty()) lastUsed = i;
            if (found < 0 && keyLine(lines[i], k, v) && sameName(k, key)) found = i;
        }
        if (found >= 0) lines[found] = newLine;
        else lines.insert(lastUsed + 1, newLine); // after the section's last line, before the blank ones
    }

    QString joined = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    QByteArray bytes;
    if (content.utf8) bytes = kUtf8Bom + joined.toUtf8();
    else {
        if (!text::fitsCp1252(joined))
            return fail(QStringLiteral("the text holds characters that the file's code page cannot store"));
        bytes = text::toCp1252(joined);
    }

    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly)) return fail(out.errorString());
    if (out.write(bytes) != bytes.size()) {
        const QString reason = out.errorString();
        out.cancelWriting();
        return fail(reason);
    }
    if (!out.commit()) return fail(out.errorString());
    return true;
}
