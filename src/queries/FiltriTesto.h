#pragma once

#include "archive/CampoRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The text filters of the two search screens. A filter is given when its text, trimmed, is not
// empty; a record is taken when the number of filters that match it is at least the number given.
// A filter matches when its text exactly as typed (blanks included) occurs anywhere in its field,
// only the letters A-Z compared without regard to case; an empty text never matches. So with no
// filter given every record is taken, and a filter of blanks alone, though not given, still counts
// as a match wherever its field holds that run of blanks.
class FiltriTesto {
public:
    void aggiungi(const CampoRecord& campo, const QString& testo);

    int richiesti() const { return m_richiesti; }
    bool accetta(const char* record) const;
    template <class Record> bool accetta(const Record& r) const {
        return accetta(reinterpret_cast<const char*>(&r));
    }

private:
    struct Filtro {
        CampoRecord campo;
        QByteArray testo; // in Windows-1252, as the field holds its text
    };
    // Only the texts that can match: an empty one never does, nor one with a character that no
    // stored text can hold.
    QList<Filtro> m_filtri;
    int m_richiesti = 0;
};
