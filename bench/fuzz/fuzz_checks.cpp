// Any text through the four identity-number checks: no crash, results in their documented ranges,
// and the same text always gives the same verdict.
#include "FuzzCheck.h"
#include "checks/CartaCredito.h"
#include "checks/CodiceFiscale.h"
#include "checks/Iban.h"
#include "checks/PartitaIva.h"
#include "checks/Verdetto.h"

#include <cstdint>

namespace {

bool same(const Verdetto& a, const Verdetto& b) {
    return a.esito == b.esito && a.messaggio == b.messaggio && a.dettaglio == b.dettaglio;
}

void checkVerdict(Verdetto (*f)(const QString&), const QString& s) {
    const Verdetto v = f(s);
    FUZZ_REQUIRE(v.esito == Verdetto::Valido || v.esito == Verdetto::Errato || v.esito == Verdetto::Incompleto);
    FUZZ_REQUIRE(!v.messaggio.isEmpty());
    FUZZ_REQUIRE(same(v, f(s)));
}

bool allDigits(const QString& s) {
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte chooses how the rest becomes text: UTF-8 (what a field holds after typing or
    // pasting) or raw UTF-16 units, which also reach lone surrogates.
    if (size == 0) return 0;
    const char* rest = reinterpret_cast<const char*>(data + 1);
    const QString s = (data[0] & 1) ? QString(reinterpret_cast<const QChar*>(rest), qsizetype((size - 1) / 2))
                                    : QString::fromUtf8(rest, qsizetype(size - 1));

    checkVerdict(verdettoCodFisc, s);
    checkVerdict(verdettoPartitaIva, s);
    checkVerdict(verdettoCarta, s);
    checkVerdict(verdettoIban, s);

    const bool cf = ControllaCodFisc(s);
    FUZZ_REQUIRE(cf == ControllaCodFisc(s));
    FUZZ_REQUIRE(!cf || s.size() == 16);

    const bool piva = ControllaPartitaIva(s);
    FUZZ_REQUIRE(piva == ControllaPartitaIva(s));
    FUZZ_REQUIRE(!piva || (s.size() == 11 && allDigits(s)));
    FUZZ_REQUIRE(UfficioIva(s.left(3)) == UfficioIva(s.left(3)));

    const int carta = ControllaCarta(s);
    FUZZ_REQUIRE(carta == ControllaCarta(s));
    FUZZ_REQUIRE(carta >= -2 && carta <= 7);
    FUZZ_REQUIRE(TipoCarta(s) == TipoCarta(s));
    const bool luhn = LuhnValido(s);
    FUZZ_REQUIRE(luhn == LuhnValido(s));
    FUZZ_REQUIRE(luhn || carta == 0);

    const int modulo = ModuloIban(s);
    FUZZ_REQUIRE(modulo == ModuloIban(s));
    FUZZ_REQUIRE(modulo >= 0 && modulo <= 96);
    FUZZ_REQUIRE(ControllaIban(s) == ControllaIban(s));
    return 0;
}
