// Any settings file, and one key written into it. Reading never crashes and is stable; a write
// either refuses with a reason or gives a file in which the key reads back as written, that starts
// with the same byte-order mark, that differs from the old file only inside one line (the key's,
// or an inserted one), and that the same write again leaves as it is.
#include "FuzzCheck.h"
#include "archive/IniFile.h"

#include <cstdint>

namespace {

qsizetype commonPrefix(const QByteArray& a, const QByteArray& b) {
    qsizetype n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
    return n;
}

qsizetype commonSuffix(const QByteArray& a, const QByteArray& b, qsizetype limit) {
    qsizetype n = 0;
    while (n < limit && a[a.size() - 1 - n] == b[b.size() - 1 - n]) ++n;
    return n;
}

bool isUtf16(const QByteArray& file) { return file.startsWith("\xFF\xFE") || file.startsWith("\xFE\xFF"); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Three length bytes, then the section name, the key and the value in UTF-8, then the file.
    if (size < 3) return 0;
    const char* p = reinterpret_cast<const char*>(data) + 3;
    qsizetype left = qsizetype(size) - 3;
    auto take = [&](uint8_t n) {
        const qsizetype len = std::min<qsizetype>(n, left);
        const QString s = QString::fromUtf8(p, len);
        p += len;
        left -= len;
        return s;
    };
    const QString section = take(data[0]), key = take(data[1]), value = take(data[2]);
    const QByteArray file(p, left);

    const auto before = IniFile::valueIn(file, section, key);
    FUZZ_REQUIRE(before == IniFile::valueIn(file, section, key));

    QString error;
    const auto written = IniFile::withValue(file, section, key, value, &error);
    if (!written) {
        FUZZ_REQUIRE(!error.isEmpty());
        return 0;
    }
    const QByteArray& after = *written;
    FUZZ_REQUIRE(IniFile::valueIn(after, section, key) == value);
    FUZZ_REQUIRE(IniFile::withValue(after, section, key, value) == after);
    for (const char* bom : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"})
        FUZZ_REQUIRE(file.startsWith(bom) == after.startsWith(bom) || file.isEmpty());

    const qsizetype prefix = commonPrefix(file, after);
    const qsizetype suffix = commonSuffix(file, after, std::min(file.size(), after.size()) - prefix);
    const QByteArray removed = file.mid(prefix, file.size() - suffix - prefix);
    if (isUtf16(file)) {
        FUZZ_REQUIRE(after.size() % 2 == 0);
    } else {
        // What the write took away lies inside one line: no line end of the old file is touched.
        FUZZ_REQUIRE(!removed.contains('\n') && !removed.contains('\r'));
    }
    return 0;
}
