#include "RigheElenco.h"

#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"
#include "archive/Text.h"

namespace righe {

namespace {

// Control characters, DEL and the five bytes Windows-1252 leaves unassigned (they decode to C1
// controls) would break the line or its columns.
constexpr bool illeggibile(unsigned char c) {
    return (c < 0x20) | (c == 0x7F) | (c == 0x81) | (c == 0x8D) | (c == 0x8F) | (c == 0x90) | (c == 0x9D);
}

} // namespace

Componi& Componi::colonna(std::initializer_list<QByteArrayView> pezzi, int n) {
    const size_t fino = m_out.size() + size_t(n);
    for (QByteArrayView p : pezzi) m_out.append(p.data(), std::min(size_t(p.size()), fino - m_out.size()));
    m_out.resize(fino, ' ');
    return *this;
}

void Componi::fine() {
    // Rare: a first pass that the compiler vectorises looks for any byte below 32 or from 0x7F to
    // 0x9D but the euro sign (a few more than those, which the second pass leaves alone).
    const auto* d = reinterpret_cast<const unsigned char*>(m_out.data());
    unsigned char trovato = 0;
    for (size_t i = m_inizio, n = m_out.size(); i < n; ++i)
        trovato |= static_cast<unsigned char>(d[i] < 0x20) |
                   (static_cast<unsigned char>(static_cast<unsigned char>(d[i] - 0x7F) <= 0x1E) &
                    static_cast<unsigned char>(d[i] != 0x80));
    if (!trovato) return;
    for (size_t i = m_inizio; i < m_out.size(); ++i)
        if (illeggibile(static_cast<unsigned char>(m_out[i]))) m_out[i] = '?';
}

void bollettino(const TSchedaBollettino& r, std::string& out) {
    Componi(out)
        .testo("CCP ").colonna(r.CCP.bytes(), 12)
        .testo("  Scad. ").colonna(r.DataScade.bytes(), 10)
        .testo("  \x80 ").colonna(r.Intero.bytes(), 11) // € in Windows-1252
        .testo("  A: ").colonna(r.Intestatario.bytes(), 24)
        .testo(" DA: ").colonna(r.Esecutore.bytes(), 24)
        .testo("  ").testo(r.Causale01.bytes())
        .fine();
}

void scheda(const TSchedaAnagrafica& r, std::string& out) {
    Componi(out)
        .colonna(r.Esecutore.bytes(), 23)
        .testo("  C.F. ").colonna(r.CodFisc.bytes(), 16)
        .testo("  ").colonna({r.ComuneRes.bytes(), " ", r.ProvRes.bytes()}, 20)
        .testo("  Tel. ").colonna(r.Recapito.bytes(), 20)
        .testo("  CCP: ").colonna(r.CCP.bytes(), 12)
        .testo("  ").testo(r.Note.bytes())
        .fine();
}

} // namespace righe

QString rigaBollettino(const TSchedaBollettino& r) {
    std::string b;
    righe::bollettino(r, b);
    return text::fromCp1252(b.data(), int(b.size()));
}

QString RigaScheda(const TSchedaAnagrafica& r) {
    std::string b;
    righe::scheda(r, b);
    return text::fromCp1252(b.data(), int(b.size()));
}
