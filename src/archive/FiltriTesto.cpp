#include "FiltriTesto.h"

#include "Text.h"

void FiltriTesto::aggiungi(const CampoRecord& campo, const QString& testo) {
    if (!text::trimmed(testo).isEmpty()) ++m_richiesti;
    if (!testo.isEmpty()) m_filtri.append({campo, testo});
}

bool FiltriTesto::accetta(const char* record) const {
    if (m_richiesti == 0) return true;
    int hits = 0;
    for (const Filtro& f : m_filtri)
        if (text::containsAZ(f.campo.leggi(record), f.testo) && ++hits >= m_richiesti) return true;
    return false;
}
