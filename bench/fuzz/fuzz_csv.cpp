// Any file offered to the import of registry cards. Reading never crashes; either the whole file is
// refused with a reason and no rows, or every row is accepted or refused with a reason, and each
// accepted card has a name, a recontact flag of its two texts, trimmed fields within their
// capacity, and no two of them are the same person.
#include "FuzzCheck.h"
#include "archive/Text.h"
#include "formats/ImportazioneSchede.h"

#include <QSet>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    const importazioneSchede::Piano p = importazioneSchede::prepara(file, {});
    if (!p.errore.isEmpty()) {
        FUZZ_REQUIRE(p.righe.isEmpty());
        return 0;
    }
    FUZZ_REQUIRE(!p.colonne.isEmpty());
    FUZZ_REQUIRE(p.accettate() + p.rifiutate() == p.righe.size());
    QSet<QString> chiavi;
    for (const importazioneSchede::Riga& r : p.righe) {
        FUZZ_REQUIRE(r.linea >= 2);
        if (!r.accettata()) continue;
        FUZZ_REQUIRE(!r.scheda.Esecutore.get().isEmpty());
        const QString flag = r.scheda.Ricontatta.get();
        FUZZ_REQUIRE(flag == QStringLiteral("S\u00ec") || flag == QStringLiteral("No"));
        const QString k = importazioneSchede::chiave(r.scheda);
        FUZZ_REQUIRE(!chiavi.contains(k));
        chiavi.insert(k);
        bool intero = true;
        forEachField(r.scheda, [&](const char*, const auto& f) {
            if (f.len > f.capacity || f.get() != text::trimmed(f.get())) intero = false;
        });
        FUZZ_REQUIRE(intero);
    }
    return 0;
}
