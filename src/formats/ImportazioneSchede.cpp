#include "ImportazioneSchede.h"

#include "FoglioCsv.h"
#include "archive/Province.h"
#include "archive/RecordFile.h"
#include "archive/Text.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace importazioneSchede {

namespace {

// How the registry workspace treats what is typed into a field.
enum Regola { Nessuna = 0, Maiuscole = 1, Cifre = 2, SenzaSpazi = 4, Flag = 8 };

struct Campo {
    const char* nome;      // the record field, or a combined column
    const char* etichetta; // as the workspace labels it
    int regole;
    QList<const char*> nomi; // header names that mean it, besides the field's own name
};

// The fields in record order. The names are the registry export's headers, the workspace's labels
// and the ways member lists usually head their columns.
const QList<Campo>& campi() {
    static const QList<Campo> t = {
        {"Esecutore", "Cognome e nome o ragione sociale", Maiuscole,
         {"Cognome e nome", "Cognome e nome Esecutore", "Cognome e nome o ragione sociale", "Nome e cognome",
          "Nominativo", "Ragione sociale", "Denominazione", "Esecutore", "Beneficiario", "Socio"}},
        {"Cognome", "Cognome", Maiuscole, {"Cognome"}},
        {"Nome", "Nome", Maiuscole, {"Nome"}},
        {"DataNascita", "Data di nascita", Maiuscole, {"Data di nascita", "Data nascita", "Nato il", "Nata il"}},
        {"GG", "Giorno di nascita", Maiuscole, {"Giorno di nascita"}},
        {"MM", "Mese di nascita", Maiuscole, {"Mese di nascita"}},
        {"AA", "Anno di nascita", Maiuscole, {"Anno di nascita"}},
        {"ComuneNasc", "Comune di nascita", Nessuna,
         {"Comune di nascita", "Comune / Stato estero di nascita", "Luogo di nascita", "Nato a", "Nata a"}},
        {"ProvNasc", "Provincia di nascita", Maiuscole | SenzaSpazi,
         {"Provincia di nascita", "Prov. di nascita", "Prov. nascita"}},
        {"Sesso", "Sesso", Maiuscole, {"Genere"}},
        {"Recapito", "Recapito preferenziale", Nessuna, {"Recapito preferenziale", "Recapito tel. preferenziale"}},
        {"IndirizzoRes", "Residente in Via / Piazza e numero civico", Maiuscole,
         {"Indirizzo", "Indirizzo di residenza", "Residente in Via / Piazza e numero civico", "Via", "Residenza"}},
        {"ProvRes", "Provincia di residenza", Maiuscole | SenzaSpazi,
         {"Provincia", "Prov.", "Provincia di residenza", "Prov. di residenza", "Prov. residenza", "Sigla provincia"}},
        {"ComuneRes", "Comune di residenza", Maiuscole, {"Comune", "Comune di residenza", "Citt\u00e0", "Localit\u00e0"}},
        {"CapRes", "CAP", Maiuscole, {"CAP", "Codice postale", "C.A.P."}},
        {"Categoria", "Categoria di appartenenza", Nessuna, {"Categoria di appartenenza"}},
        {"TelCasa", "Tel. casa", Nessuna, {"Tel. casa", "Telefono", "Telefono casa", "Telefono abitazione"}},
        {"TelUff", "Tel. ufficio", Nessuna, {"Tel. ufficio", "Telefono ufficio"}},
        {"TelCel", "Tel. cellulare", Nessuna, {"Tel. cellulare", "Cellulare", "Cell.", "Telefono cellulare"}},
        {"Fax", "Fax", Nessuna, {}},
        {"Email", "E-mail", Nessuna, {"E-mail", "Posta elettronica", "Indirizzo e-mail", "Mail"}},
        {"CodFisc", "Codice fiscale", Maiuscole | SenzaSpazi,
         {"Codice fiscale", "C.F.", "Cod. fisc.", "Cod. fiscale"}},
        {"Carta", "Carta di credito n.", Cifre, {"Carta di credito n.", "Carta di credito", "Numero carta"}},
        {"ScadeCarta", "Scadenza", Nessuna, {"Scadenza", "Scadenza carta", "Scadenza carta di credito"}},
        {"PartitaIva", "Partita IVA", Cifre, {"Partita IVA", "P.IVA", "P. IVA"}},
        {"Iban", "IBAN", Maiuscole | SenzaSpazi, {"Codice IBAN"}},
        {"TipoDoc", "Tipo documento", Nessuna, {"Tipo documento", "Documento"}},
        {"NumDoc", "Numero documento", Nessuna, {"Numero documento", "N. documento"}},
        {"EnteRil", "Ente di rilascio", Nessuna, {"Ente di rilascio", "Rilasciato da"}},
        {"DataRil", "Data rilascio", Nessuna, {"Data rilascio", "Data di rilascio", "Data rilascio (gg/mm/aaaa)"}},
        {"DataSca", "Data scadenza", Nessuna,
         {"Data scadenza", "Data di scadenza", "Data scadenza (gg/mm/aaaa)", "Scadenza documento"}},
        {"CCP", "C/C Postale n.", Cifre, {"C/C Postale n.", "C/C postale", "Conto corrente postale", "Conto corrente"}},
        {"Causale01", "Causale (rigo 1)", Nessuna, {"Causale", "Causale (rigo 1)", "Causale 1", "Causale rigo 1"}},
        {"Causale02", "Causale (rigo 2)", Nessuna, {"Causale (rigo 2)", "Causale 2", "Causale rigo 2"}},
        {"Note", "Note", Nessuna, {"Annotazioni"}},
        {"Ricontatta", "Da ricontattare", Flag, {"Da ricontattare"}},
    };
    return t;
}

// Header names compared with case and accents folded, blanks and punctuation ignored.
QString piega(const QString& s) {
    QString out;
    for (QChar c : s.normalized(QString::NormalizationForm_D)) {
        if (c.isLetterOrNumber()) out.append(c.toLower());
    }
    return out;
}

const Campo* campoPerNome(const QString& titolo) {
    static const QHash<QString, const Campo*> indice = [] {
        QHash<QString, const Campo*> h;
        for (const Campo& c : campi()) {
            h.insert(piega(QLatin1String(c.nome)), &c);
            for (const char* n : c.nomi) h.insert(piega(QString::fromUtf8(n)), &c);
        }
        return h;
    }();
    return indice.value(piega(titolo), nullptr);
}

const Campo* campoPerRecord(const QString& nome) {
    for (const Campo& c : campi())
        if (nome == QLatin1String(c.nome)) return &c;
    return nullptr;
}

// Columns the import knows and leaves alone on purpose.
QString ignoratoDiProposito(const QString& titolo) {
    const QString p = piega(titolo);
    if (p == QLatin1String("n") || p == QLatin1String("nr") || p == QLatin1String("numero"))
        return QStringLiteral("numero di riga: le schede prendono il numero che segue l'ultima dell'archivio");
    static const QRegularExpression allegato(QStringLiteral("^(file|desc)0?[123]$"));
    if (allegato.match(p).hasMatch())
        return QStringLiteral("allegato: i file si allegano alla scheda con \"Allega file\"");
    return QString();
}

int riconosciute(const QStringList& intestazione) {
    int n = 0;
    for (const QString& t : intestazione)
        if (campoPerNome(t)) ++n;
    return n;
}

QString chiuso(const QString& s) { return QStringLiteral("\u00ab%1\u00bb").arg(s); }

// A cell as one line: the line breaks, tabs and other control characters a quoted cell may hold
// become single blanks, as nothing typed into a field can hold them.
QString suUnaRiga(const QString& s) {
    if (std::none_of(s.begin(), s.end(), [](QChar c) { return c.unicode() < 32; })) return s;
    QString out;
    bool spazio = false;
    for (QChar c : s) {
        if (c.unicode() < 32) {
            if (!spazio) out.append(QLatin1Char(' '));
            spazio = true;
        } else {
            out.append(c);
            spazio = false;
        }
    }
    return out;
}

QString togliSpazi(const QString& s) {
    QString out;
    for (QChar c : s)
        if (c.unicode() > 32 && c != QChar(0xA0)) out.append(c);
    return out;
}

// The value as the workspace would store it after the same typing; a problem goes into `problemi`.
QString valore(const Campo& c, const QString& cella, QStringList& problemi) {
    QString v = text::trimmed(suUnaRiga(cella));
    if (c.regole & Maiuscole) v = text::upperAZ(v);
    if (c.regole & SenzaSpazi) v = togliSpazi(v);
    if (c.regole & Cifre) {
        // Groups of digits as people write them; the workspace's field takes digits alone.
        QString cifre;
        for (QChar ch : v)
            if (ch.unicode() > 32 && ch != QChar(0xA0) && ch != u'-' && ch != u'.' && ch != u'/') cifre.append(ch);
        if (qstrcmp(c.nome, "PartitaIva") == 0 && text::upperAZ(cifre).startsWith(QLatin1String("IT")))
            cifre = cifre.mid(2);
        if (!text::isDigits(cifre)) {
            problemi << QStringLiteral("%1 pu\u00f2 contenere solo cifre (%2)")
                            .arg(chiuso(QString::fromUtf8(c.etichetta)), chiuso(v));
            return v;
        }
        v = cifre;
    }
    if (qstrcmp(c.nome, "Sesso") == 0) {
        const QString p = piega(v);
        if (p == QLatin1String("maschio") || p == QLatin1String("uomo")) return QStringLiteral("M");
        if (p == QLatin1String("femmina") || p == QLatin1String("donna")) return QStringLiteral("F");
    }
    if (c.regole & Flag) {
        const QString p = piega(v);
        static const QStringList si = {"si", "s", "x", "1", "vero", "true", "yes", "y"};
        static const QStringList no = {"", "no", "n", "0", "falso", "false"};
        if (si.contains(p)) return QStringLiteral("S\u00ec");
        if (no.contains(p)) return QStringLiteral("No");
        problemi << QStringLiteral("%1 vale %2: si attende S\u00ec oppure No")
                        .arg(chiuso(QString::fromUtf8(c.etichetta)), chiuso(v));
    }
    return v;
}

// A stored field's place: the text must fit the code page and the field's capacity.
template <int N> void metti(ShortString<N>& campo, const QString& nome, const QString& v, QStringList& problemi) {
    if (!text::fitsCp1252(v)) {
        QStringList fuori;
        for (qsizetype i = 0; i < v.size(); ++i) {
            QString ch(v[i]);
            if (v[i].isHighSurrogate() && i + 1 < v.size()) ch += v[++i];
            if (!text::fitsCp1252(ch) && !fuori.contains(ch)) fuori << ch;
        }
        problemi << QStringLiteral("%1 contiene caratteri che l'archivio non pu\u00f2 conservare: %2")
                        .arg(chiuso(etichetta(nome)), fuori.join(QStringLiteral(" ")));
        return;
    }
    if (v.size() > N) {
        problemi << QStringLiteral("%1 \u00e8 troppo lungo: %2 caratteri, al massimo %3")
                        .arg(chiuso(etichetta(nome)))
                        .arg(v.size())
                        .arg(N);
        return;
    }
    campo.set(v);
}

// "12/05/1980", "12-5-80", "1980-05-12"; the card keeps two digits of the year, as its field does.
bool dataNascita(const QString& v, QString& gg, QString& mm, QString& aa) {
    static const QRegularExpression dma(QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{2}|\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QString t = text::trimmed(v);
    if (t.isEmpty() || t == QLatin1String("//")) return true;
    auto due = [](const QString& s) { return s.size() < 2 ? QLatin1Char('0') + s : s; };
    if (const auto m = dma.match(t); m.hasMatch()) {
        gg = due(m.captured(1));
        mm = due(m.captured(2));
        aa = m.captured(3).right(2);
        return true;
    }
    if (const auto m = iso.match(t); m.hasMatch()) {
        gg = due(m.captured(3));
        mm = due(m.captured(2));
        aa = m.captured(1).right(2);
        return true;
    }
    // The registry export joins the three fields as they are stored, whatever they hold.
    const QStringList parti = t.split(QLatin1Char('/'));
    if (parti.size() == 3 && std::all_of(parti.begin(), parti.end(), [](const QString& p) { return p.size() <= 2; })) {
        gg = text::trimmed(parti[0]);
        mm = text::trimmed(parti[1]);
        aa = text::trimmed(parti[2]);
        return true;
    }
    return false;
}

// The registry export writes the town and the province in one cell: "ROMA RM".
void separaProvincia(QString& comune, QString& prov) {
    const qsizetype spazio = comune.lastIndexOf(QLatin1Char(' '));
    if (spazio <= 0) return;
    const QString ultima = comune.mid(spazio + 1);
    if (ultima.size() == 2 && province().contains(text::upperAZ(ultima))) {
        prov = text::upperAZ(ultima);
        comune = text::trimmed(comune.left(spazio));
    }
}

QString messaggioDoppione(qint64 posizione) {
    return QStringLiteral("in archivio c'\u00e8 gi\u00e0 una scheda con lo stesso nome e codice fiscale (n. %1)")
        .arg(posizione);
}

} // namespace

int Piano::accettate() const {
    return int(std::count_if(righe.begin(), righe.end(), [](const Riga& r) { return r.accettata(); }));
}
int Piano::rifiutate() const { return int(righe.size()) - accettate(); }
int Piano::conAvvisi() const {
    return int(std::count_if(righe.begin(), righe.end(), [](const Riga& r) { return r.accettata() && !r.avvisi.isEmpty(); }));
}

QString etichetta(const QString& campo) {
    const Campo* c = campoPerRecord(campo);
    return c ? QString::fromUtf8(c->etichetta) : campo;
}

QString chiave(const TSchedaAnagrafica& r) {
    return text::upperAZ(r.Esecutore.get()) + QChar(0x1f) + text::upperAZ(r.CodFisc.get());
}

Chiavi chiavi(const QString& registro, RecordFileBase::Access accesso) {
    Chiavi out;
    if (!QFileInfo::exists(registro)) return out;
    RecordFile<TSchedaAnagrafica> f(registro, accesso);
    f.scan([&](qint64 pos, const TSchedaAnagrafica& r) {
        const QString k = chiave(r);
        if (!out.contains(k)) out.insert(k, pos);
    });
    return out;
}

Piano prepara(const QByteArray& file, const Chiavi& esistenti, const Avvisi& avvisi) {
    Piano piano;
    foglioCsv::Tabella f = foglioCsv::leggi(file, riconosciute);
    piano.codifica = f.codifica;
    piano.separatore = f.separatore;
    if (!f.errore.isEmpty()) {
        piano.errore = f.errore;
        return piano;
    }
    auto vuota = [](const foglioCsv::Riga& r) {
        return std::all_of(r.celle.begin(), r.celle.end(), [](const QString& c) { return text::trimmed(c).isEmpty(); });
    };
    qsizetype inizio = 0;
    while (inizio < f.righe.size() && vuota(f.righe[inizio])) ++inizio;
    if (inizio == f.righe.size()) {
        piano.errore = QStringLiteral("Il file \u00e8 vuoto.");
        return piano;
    }

    // The header: which field each column fills.
    QList<const Campo*> perColonna;
    QHash<QString, int> usati;
    for (const QString& titolo : f.righe[inizio].celle) {
        Colonna col{text::trimmed(titolo), QString(), QString()};
        const Campo* c = campoPerNome(titolo);
        if (c && usati.contains(QLatin1String(c->nome))) {
            col.ignorata = QStringLiteral("ripete la colonna %1").arg(chiuso(piano.colonne[usati.value(QLatin1String(c->nome))].titolo));
            c = nullptr;
        } else if (c) {
            col.campo = QLatin1String(c->nome);
            usati.insert(col.campo, int(piano.colonne.size()));
        } else if (col.titolo.isEmpty()) {
            col.ignorata = QStringLiteral("colonna senza nome");
        } else {
            col.ignorata = ignoratoDiProposito(titolo);
            if (col.ignorata.isEmpty()) col.ignorata = QStringLiteral("colonna non riconosciuta");
        }
        perColonna.append(c);
        piano.colonne.append(col);
    }
    if (usati.isEmpty()) {
        piano.errore = QStringLiteral(
            "La prima riga del file non contiene i nomi delle colonne delle schede: nessuna colonna \u00e8 stata "
            "riconosciuta. La prima riga deve dare il nome di ogni colonna, ad esempio \"Cognome e nome\", "
            "\"Indirizzo\", \"CAP\", \"Comune di residenza\", \"Codice fiscale\".");
        return piano;
    }
    const bool nomeIntero = usati.contains(QStringLiteral("Esecutore"));
    if (!nomeIntero && !usati.contains(QStringLiteral("Cognome")) && !usati.contains(QStringLiteral("Nome"))) {
        piano.errore = QStringLiteral(
            "Nel file manca la colonna del nome (\"Cognome e nome\", oppure \"Cognome\" e \"Nome\"): senza il nome "
            "nessuna scheda si pu\u00f2 salvare.");
        return piano;
    }
    // Surname and name in two columns are one field of the card only when no column gives both.
    if (nomeIntero) {
        for (const char* parte : {"Cognome", "Nome"}) {
            if (!usati.contains(QLatin1String(parte))) continue;
            const int i = usati.value(QLatin1String(parte));
            piano.colonne[i].campo.clear();
            piano.colonne[i].ignorata = QStringLiteral("il nome viene dalla colonna %1")
                                            .arg(chiuso(piano.colonne[usati.value(QStringLiteral("Esecutore"))].titolo));
            perColonna[i] = nullptr;
        }
    }
    const bool provNasc = usati.contains(QStringLiteral("ProvNasc")), provRes = usati.contains(QStringLiteral("ProvRes"));

    piano.righe.reserve(f.righe.size() - inizio - 1);
    QHash<QString, int> nelFile; // key -> line of the first row that makes that card
    for (qsizetype i = inizio + 1; i < f.righe.size(); ++i) {
        const foglioCsv::Riga& sorgente = f.righe[i];
        if (vuota(sorgente)) {
            ++piano.vuote;
            continue;
        }
        Riga riga;
        riga.linea = sorgente.linea;
        QHash<QString, QString> valori;
        QStringList problemi;
        for (qsizetype k = 0; k < perColonna.size(); ++k) {
            if (!perColonna[k]) continue;
            valori.insert(QLatin1String(perColonna[k]->nome),
                          valore(*perColonna[k], sorgente.celle.value(k), problemi));
        }
        if (!nomeIntero)
            valori.insert(QStringLiteral("Esecutore"),
                          text::trimmed(valori.value(QStringLiteral("Cognome")) + QLatin1Char(' ') +
                                        valori.value(QStringLiteral("Nome"))));
        if (valori.contains(QStringLiteral("DataNascita"))) {
            QString gg, mm, aa;
            if (dataNascita(valori.value(QStringLiteral("DataNascita")), gg, mm, aa)) {
                valori.insert(QStringLiteral("GG"), gg);
                valori.insert(QStringLiteral("MM"), mm);
                valori.insert(QStringLiteral("AA"), aa);
            } else {
                problemi << QStringLiteral("%1 non \u00e8 una data nella forma gg/mm/aaaa (%2)")
                                .arg(chiuso(QStringLiteral("Data di nascita")),
                                     chiuso(valori.value(QStringLiteral("DataNascita"))));
            }
        }
        if (!provNasc && valori.contains(QStringLiteral("ComuneNasc"))) {
            QString comune = valori.value(QStringLiteral("ComuneNasc")), prov;
            separaProvincia(comune, prov);
            valori.insert(QStringLiteral("ComuneNasc"), comune);
            valori.insert(QStringLiteral("ProvNasc"), prov);
        }
        if (!provRes && valori.contains(QStringLiteral("ComuneRes"))) {
            QString comune = valori.value(QStringLiteral("ComuneRes")), prov;
            separaProvincia(comune, prov);
            valori.insert(QStringLiteral("ComuneRes"), comune);
            valori.insert(QStringLiteral("ProvRes"), prov);
        }
        // A spreadsheet that took the postal code for a number dropped its leading zeros (00184 became
        // 184); Italian postal codes always have five digits.
        QStringList note;
        if (const QString cap = valori.value(QStringLiteral("CapRes"));
            !cap.isEmpty() && cap.size() < 5 && text::isDigits(cap)) {
            const QString intero = cap.rightJustified(5, QLatin1Char('0'));
            valori.insert(QStringLiteral("CapRes"), intero);
            note << QStringLiteral("Il CAP %1 è stato completato in %2: il foglio di calcolo ne aveva tolto gli "
                                   "zeri iniziali.").arg(cap, intero);
        }
        riga.nome = valori.value(QStringLiteral("Esecutore"));
        if (riga.nome.isEmpty()) problemi.prepend(QStringLiteral("manca il nome (%1)").arg(chiuso(etichetta(QStringLiteral("Esecutore")))));

        forEachField(riga.scheda, [&](const char* nome, auto& campo) {
            campo.clear();
            const QString n = QLatin1String(nome);
            if (n == QLatin1String("Ricontatta")) {
                campo.set(valori.value(n, QStringLiteral("No")));
                return;
            }
            if (const auto v = valori.constFind(n); v != valori.constEnd()) metti(campo, n, *v, problemi);
        });
        if (problemi.isEmpty()) {
            const QString k = chiave(riga.scheda);
            if (const auto p = esistenti.constFind(k); p != esistenti.constEnd()) {
                problemi << messaggioDoppione(*p);
            } else if (const auto prima = nelFile.constFind(k); prima != nelFile.constEnd()) {
                problemi << QStringLiteral("ripete la scheda della riga %1 del file (stesso nome e codice fiscale)").arg(*prima);
            } else {
                nelFile.insert(k, riga.linea);
            }
        }
        if (!problemi.isEmpty()) {
            QString r = problemi.join(QStringLiteral("; "));
            r[0] = r[0].toUpper();
            riga.rifiuto = r + QLatin1Char('.');
        } else {
            riga.avvisi = note;
            if (avvisi) riga.avvisi << avvisi(riga.scheda);
        }
        piano.righe.append(riga);
    }
    return piano;
}

Piano preparaFile(const QString& path, const Chiavi& esistenti, const Avvisi& avvisi) {
    Piano piano;
    const QFileInfo info(path);
    if (!info.exists()) {
        piano.errore = QStringLiteral("Il file %1 non esiste.").arg(chiuso(path));
        return piano;
    }
    if (!info.isFile()) {
        piano.errore = QStringLiteral("%1 non \u00e8 un file.").arg(chiuso(path));
        return piano;
    }
    if (info.size() > foglioCsv::kMassimo) {
        // Refused before reading: the whole file would be held in memory.
        piano.errore = foglioCsv::leggi(QByteArray(foglioCsv::kMassimo + 1, ' '), riconosciute).errore;
        return piano;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        piano.errore = QStringLiteral("Il file %1 non si pu\u00f2 aprire in lettura.").arg(chiuso(path));
        return piano;
    }
    const QByteArray bytes = f.read(foglioCsv::kMassimo + 1);
    if (f.error() != QFileDevice::NoError) {
        piano.errore = QStringLiteral("Il file %1 non si pu\u00f2 leggere.").arg(chiuso(path));
        return piano;
    }
    return prepara(bytes, esistenti, avvisi);
}

int importa(const QString& registro, Piano& piano) {
    if (piano.accettate() == 0) return 0;
    RecordFile<TSchedaAnagrafica> f(registro);
    QHash<QString, qint64> presenti;
    qint64 n = 0;
    QList<Riga*> scritte;
    const qint64 prima = f.appendAll(
        [&](const TSchedaAnagrafica& r) {
            ++n;
            const QString k = chiave(r);
            if (!presenti.contains(k)) presenti.insert(k, n);
        },
        [&] {
            QList<TSchedaAnagrafica> nuove;
            nuove.reserve(piano.righe.size());
            for (Riga& r : piano.righe) {
                if (!r.accettata()) continue;
                if (const auto p = presenti.constFind(chiave(r.scheda)); p != presenti.constEnd()) {
                    QString m = messaggioDoppione(*p);
                    m[0] = m[0].toUpper();
                    r.rifiuto = m + QLatin1Char('.');
                    r.avvisi.clear();
                    continue;
                }
                nuove.append(r.scheda);
                scritte.append(&r);
            }
            return nuove;
        });
    for (qsizetype i = 0; i < scritte.size(); ++i) scritte[i]->posizione = prima + i;
    return int(scritte.size());
}

} // namespace importazioneSchede
