#pragma once

#include "ShortString.h"

#include <cstddef>
#include <type_traits>

#pragma pack(push, 1)
// One card of the registry of payers and beneficiaries: 39 counted fields, nothing between them.
struct TSchedaAnagrafica {
    ShortString<34> Esecutore;
    ShortString<2> GG;
    ShortString<2> MM;
    ShortString<2> AA;
    ShortString<50> ComuneNasc;
    ShortString<2> ProvNasc;
    ShortString<1> Sesso;
    ShortString<50> Recapito;
    ShortString<23> IndirizzoRes;
    ShortString<2> ProvRes;
    ShortString<17> ComuneRes;
    ShortString<5> CapRes;
    ShortString<50> Categoria;
    ShortString<30> TelCasa;
    ShortString<30> TelUff;
    ShortString<30> TelCel;
    ShortString<30> Fax;
    ShortString<50> Email;
    ShortString<16> CodFisc;
    ShortString<30> Carta;
    ShortString<30> ScadeCarta;
    ShortString<11> PartitaIva;
    ShortString<27> Iban;
    ShortString<50> TipoDoc;
    ShortString<50> NumDoc;
    ShortString<50> EnteRil;
    ShortString<10> DataRil;
    ShortString<10> DataSca;
    ShortString<12> CCP;
    ShortString<250> Causale01;
    ShortString<250> Causale02;
    ShortString<250> Note;
    ShortString<2> Ricontatta;
    ShortString<250> File01;
    ShortString<250> File02;
    ShortString<250> File03;
    ShortString<250> Desc01;
    ShortString<250> Desc02;
    ShortString<250> Desc03;
};
#pragma pack(pop)

static_assert(sizeof(TSchedaAnagrafica) == 2997);
static_assert(offsetof(TSchedaAnagrafica, GG) == 35);
static_assert(offsetof(TSchedaAnagrafica, ComuneNasc) == 44);
static_assert(offsetof(TSchedaAnagrafica, Sesso) == 98);
static_assert(offsetof(TSchedaAnagrafica, Recapito) == 100);
static_assert(offsetof(TSchedaAnagrafica, IndirizzoRes) == 151);
static_assert(offsetof(TSchedaAnagrafica, ProvRes) == 175);
static_assert(offsetof(TSchedaAnagrafica, ComuneRes) == 178);
static_assert(offsetof(TSchedaAnagrafica, CapRes) == 196);
static_assert(offsetof(TSchedaAnagrafica, Categoria) == 202);
static_assert(offsetof(TSchedaAnagrafica, TelCasa) == 253);
static_assert(offsetof(TSchedaAnagrafica, Email) == 377);
static_assert(offsetof(TSchedaAnagrafica, CodFisc) == 428);
static_assert(offsetof(TSchedaAnagrafica, Carta) == 445);
static_assert(offsetof(TSchedaAnagrafica, ScadeCarta) == 476);
static_assert(offsetof(TSchedaAnagrafica, PartitaIva) == 507);
static_assert(offsetof(TSchedaAnagrafica, Iban) == 519);
static_assert(offsetof(TSchedaAnagrafica, TipoDoc) == 547);
static_assert(offsetof(TSchedaAnagrafica, DataRil) == 700);
static_assert(offsetof(TSchedaAnagrafica, DataSca) == 711);
static_assert(offsetof(TSchedaAnagrafica, CCP) == 722);
static_assert(offsetof(TSchedaAnagrafica, Causale01) == 735);
static_assert(offsetof(TSchedaAnagrafica, Causale02) == 986);
static_assert(offsetof(TSchedaAnagrafica, Note) == 1237);
static_assert(offsetof(TSchedaAnagrafica, Ricontatta) == 1488);
static_assert(offsetof(TSchedaAnagrafica, File01) == 1491);
static_assert(offsetof(TSchedaAnagrafica, File02) == 1742);
static_assert(offsetof(TSchedaAnagrafica, File03) == 1993);
static_assert(offsetof(TSchedaAnagrafica, Desc01) == 2244);
static_assert(offsetof(TSchedaAnagrafica, Desc02) == 2495);
static_assert(offsetof(TSchedaAnagrafica, Desc03) == 2746);

// Calls f(name, field) for every field in record order; the names are the stored field names.
template <class Record, class F>
    requires std::is_same_v<std::remove_const_t<Record>, TSchedaAnagrafica>
void forEachField(Record& r, F&& f) {
    f("Esecutore", r.Esecutore);
    f("GG", r.GG);
    f("MM", r.MM);
    f("AA", r.AA);
    f("ComuneNasc", r.ComuneNasc);
    f("ProvNasc", r.ProvNasc);
    f("Sesso", r.Sesso);
    f("Recapito", r.Recapito);
    f("IndirizzoRes", r.IndirizzoRes);
    f("ProvRes", r.ProvRes);
    f("ComuneRes", r.ComuneRes);
    f("CapRes", r.CapRes);
    f("Categoria", r.Categoria);
    f("TelCasa", r.TelCasa);
    f("TelUff", r.TelUff);
    f("TelCel", r.TelCel);
    f("Fax", r.Fax);
    f("Email", r.Email);
    f("CodFisc", r.CodFisc);
    f("Carta", r.Carta);
    f("ScadeCarta", r.ScadeCarta);
    f("PartitaIva", r.PartitaIva);
    f("Iban", r.Iban);
    f("TipoDoc", r.TipoDoc);
    f("NumDoc", r.NumDoc);
    f("EnteRil", r.EnteRil);
    f("DataRil", r.DataRil);
    f("DataSca", r.DataSca);
    f("CCP", r.CCP);
    f("Causale01", r.Causale01);
    f("Causale02", r.Causale02);
    f("Note", r.Note);
    f("Ricontatta", r.Ricontatta);
    f("File01", r.File01);
    f("File02", r.File02);
    f("File03", r.File03);
    f("Desc01", r.Desc01);
    f("Desc02", r.Desc02);
    f("Desc03", r.Desc03);
}
