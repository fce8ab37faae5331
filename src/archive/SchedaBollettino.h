#pragma once

#include "ShortString.h"

#include <cstddef>
#include <type_traits>

#pragma pack(push, 1)
// One payment slip as stored in a yearly archive: 25 counted fields, nothing between them.
struct TSchedaBollettino {
    ShortString<8> Importo;
    ShortString<2> Cents;
    ShortString<250> ImpLettere;
    ShortString<2> CentLettere;
    ShortString<11> Intero;
    ShortString<12> CCP;
    ShortString<34> Intestatario;
    ShortString<34> IndirizzoInt;
    ShortString<250> Causale01;
    ShortString<250> Causale02;
    ShortString<23> Esecutore;
    ShortString<23> IndirizzoRes;
    ShortString<5> CapRes;
    ShortString<17> ComuneRes;
    ShortString<10> DataScade;
    ShortString<10> DataPaga;
    ShortString<250> Timbro;
    ShortString<250> Note;
    ShortString<2> Saldato;
    ShortString<250> File01;
    ShortString<250> File02;
    ShortString<250> File03;
    ShortString<250> Desc01;
    ShortString<250> Desc02;
    ShortString<250> Desc03;
};
#pragma pack(pop)

static_assert(sizeof(TSchedaBollettino) == 2968);
static_assert(offsetof(TSchedaBollettino, Cents) == 9);
static_assert(offsetof(TSchedaBollettino, ImpLettere) == 12);
static_assert(offsetof(TSchedaBollettino, CentLettere) == 263);
static_assert(offsetof(TSchedaBollettino, Intero) == 266);
static_assert(offsetof(TSchedaBollettino, CCP) == 278);
static_assert(offsetof(TSchedaBollettino, Intestatario) == 291);
static_assert(offsetof(TSchedaBollettino, IndirizzoInt) == 326);
static_assert(offsetof(TSchedaBollettino, Causale01) == 361);
static_assert(offsetof(TSchedaBollettino, Causale02) == 612);
static_assert(offsetof(TSchedaBollettino, Esecutore) == 863);
static_assert(offsetof(TSchedaBollettino, IndirizzoRes) == 887);
static_assert(offsetof(TSchedaBollettino, CapRes) == 911);
static_assert(offsetof(TSchedaBollettino, ComuneRes) == 917);
static_assert(offsetof(TSchedaBollettino, DataScade) == 935);
static_assert(offsetof(TSchedaBollettino, DataPaga) == 946);
static_assert(offsetof(TSchedaBollettino, Timbro) == 957);
static_assert(offsetof(TSchedaBollettino, Note) == 1208);
static_assert(offsetof(TSchedaBollettino, Saldato) == 1459);
static_assert(offsetof(TSchedaBollettino, File01) == 1462);
static_assert(offsetof(TSchedaBollettino, File02) == 1713);
static_assert(offsetof(TSchedaBollettino, File03) == 1964);
static_assert(offsetof(TSchedaBollettino, Desc01) == 2215);
static_assert(offsetof(TSchedaBollettino, Desc02) == 2466);
static_assert(offsetof(TSchedaBollettino, Desc03) == 2717);

// Calls f(name, field) for every field in record order; the names are the stored field names.
template <class Record, class F>
    requires std::is_same_v<std::remove_const_t<Record>, TSchedaBollettino>
void forEachField(Record& r, F&& f) {
    f("Importo", r.Importo);
    f("Cents", r.Cents);
    f("ImpLettere", r.ImpLettere);
    f("CentLettere", r.CentLettere);
    f("Intero", r.Intero);
    f("CCP", r.CCP);
    f("Intestatario", r.Intestatario);
    f("IndirizzoInt", r.IndirizzoInt);
    f("Causale01", r.Causale01);
    f("Causale02", r.Causale02);
    f("Esecutore", r.Esecutore);
    f("IndirizzoRes", r.IndirizzoRes);
    f("CapRes", r.CapRes);
    f("ComuneRes", r.ComuneRes);
    f("DataScade", r.DataScade);
    f("DataPaga", r.DataPaga);
    f("Timbro", r.Timbro);
    f("Note", r.Note);
    f("Saldato", r.Saldato);
    f("File01", r.File01);
    f("File02", r.File02);
    f("File03", r.File03);
    f("Desc01", r.Desc01);
    f("Desc02", r.Desc02);
    f("Desc03", r.Desc03);
}
