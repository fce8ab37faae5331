#include "FiltriTesto.h"

#include "archive/Text.h"

void FiltriTesto::aggiungi(const CampoRecord& campo, const QString& testo) {
    if (!text::trimmed(testo).isEmpty()) ++m_richiesti;
    if (!testo.isEmpty() && text::fitsCp1252(testo)) m_filtri.append({campo, text::toCp1252(testo)});
}

bool FiltriTesto::accetta(const char* record) const {
    if (m_richiesti == 0) return true;
    int hits = 0;
    for (const Filtro& f : m_filtri)
        if (text::bytes::containsAZ(f.campo.bytes(record), f.testo) && ++hits >= m_richiesti) return true;
    return false;
}
