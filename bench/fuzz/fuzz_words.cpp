// Any amount, given as a fixed-point value or as the text a user or a script types, in words:
// no crash, only the letters, blanks and sign the slip's words line can hold, and always the same
// words for the same amount.
#include "FuzzCheck.h"
#include "archive/Amounts.h"
#include "archive/ImportoInLettere.h"

#include <cstdint>
#include <cstring>

namespace {

void checkWords(qint64 value) {
    const QString w = ImportoInLettere(value);
    FUZZ_REQUIRE(w == ImportoInLettere(value));
    for (QChar c : w) FUZZ_REQUIRE((c >= u'A' && c <= u'Z') || c == u' ' || c == u'-');
    // Only whole multiples of a million millions have nothing left to spell (the fifth group and up
    // are not spelled); every other amount has words.
    const quint64 magnitude = value < 0 ? quint64(0) - quint64(value) : quint64(value);
    const bool unspelled = magnitude / 10000 % 1000000000000ULL == 0 && magnitude >= 10000ULL * 1000000000000ULL;
    FUZZ_REQUIRE(!w.isEmpty() || (unspelled && value >= 0));
    FUZZ_REQUIRE(w.startsWith(QLatin1String("- ")) == (value < 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qint64 value = 0;
    std::memcpy(&value, data, std::min(size, sizeof value));
    checkWords(value);

    const QString typed = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto parsed = amounts::parse(typed);
    FUZZ_REQUIRE(parsed == amounts::parse(typed));
    if (parsed) {
        // At most 14 integer digits and four decimals: far inside a 64-bit value.
        FUZZ_REQUIRE(*parsed < 1000000000000000000LL && *parsed > -1000000000000000000LL);
        checkWords(*parsed);
    }
    const int group = int(quint64(value) % 1000);
    FUZZ_REQUIRE(GruppoInLettere(group).isEmpty() == (group == 0));
    return 0;
}
