#include "Esportazione.h"

#include "archive/FileSync.h"
#include "archive/RecordFile.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"
#include "archive/Text.h"

#include <QSaveFile>
#include <QStringList>
#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace esportazione {

namespace {

// A data row's tags and a data cell's.
constexpr QByteArrayView kApriRiga = "<tr>";
constexpr QByteArrayView kChiudiRiga = "</tr>";
constexpr QByteArrayView kApriCella = "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">";
constexpr QByteArrayView kChiudiCella = "</td>";
constexpr qsizetype kTagRiga = kApriRiga.size() + kChiudiRiga.size();
constexpr qsizetype kTagCella = kApriCella.size() + kChiudiCella.size();

const QByteArray kApertura = QByteArrayLiteral(
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\">");

QString csvCell(const QString& s) {
    if (!s.contains(QLatin1Char(',')) && !s.contains(QLatin1Char('"')) && !s.contains(QLatin1Char('\n')) &&
        !s.contains(QLatin1Char('\r')))
        return s;
    QString q = s;
    q.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QByteArray csvHeader(const Foglio& f) {
    QStringList t;
    for (const ColonnaFoglio& c : f.colonne) t << csvCell(c.titolo);
    return t.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

// The cells a column is read from: one field of the record, a fixed text, or pieces joined.
template <class T, int N> LetturaCella campo(ShortString<N> T::*membro) {
    static const T forma{};
    const auto* base = reinterpret_cast<const char*>(&forma);
    return {{{CampoRecord{int(reinterpret_cast<const char*>(&(forma.*membro)) - base), N}, {}}}};
}
LetturaCella fisso(QByteArrayView testo) { return {{{CampoRecord{}, testo}}}; }
LetturaCella unite(char tra, std::initializer_list<LetturaCella> parti) {
    LetturaCella l{{}, tra};
    for (const LetturaCella& p : parti) l.pezzi += p.pezzi;
    return l;
}

ColonnaFoglio col(const char* griglia, int lg, const char* titolo, int l, LetturaCella cella, bool mod = false) {
    return {QString::fromUtf8(griglia), lg, QString::fromUtf8(titolo), l, mod, std::move(cella)};
}

template <class T> void leggiArchivio(const QString& archivio, CelleFoglio& out, RecordFileBase::Access accesso) {
    constexpr qsizetype kByteRiga = 160;
    RecordFile<T> f(archivio, accesso);
    out.riserva(out.righe() + f.count(), kByteRiga);
    f.scan([&](qint64, const T& r) { out.aggiungi(r); });
}

template <class T> Foglio foglio(const char* nome, const char* nomeFile, QList<ColonnaFoglio> colonne) {
    return {QString::fromUtf8(nome), QString::fromUtf8(nomeFile), std::move(colonne), qsizetype(sizeof(T)),
            leggiArchivio<T>};
}

} // namespace

const Foglio& foglioBollettini() {
    using S = TSchedaBollettino;
    static const Foglio f = foglio<S>(
        "Riepilogo annuale versamenti", "Riepilogo_Annuale_Versamenti.xls",
        {
            // The euro sign (0x80 in Windows-1252), then the amount.
            col("Importo versato", 160, "Importo versato", 250, unite(' ', {fisso("\x80"), campo(&S::Intero)})),
            col("C/C Postale n.", 150, "C/C Postale n.", 200, campo(&S::CCP)),
            col("Cognome e nome Intestatario", 250, "Cognome e nome Intestatario", 250, campo(&S::Intestatario)),
            col("Indirizzo", 250, "Indirizzo", 250, campo(&S::IndirizzoInt)),
            col("Causale (rigo 1)", 300, "Causale (rigo 1)", 300, campo(&S::Causale01)),
            col("Causale (rigo 2)", 300, "Causale (rigo 2)", 300, campo(&S::Causale02)),
            col("Cognome e nome Esecutore", 250, "Cognome e nome Esecutore", 250, campo(&S::Esecutore)),
            col("Indirizzo di residenza", 250, "Indirizzo di residenza", 250, campo(&S::IndirizzoRes)),
            col("CAP", 100, "CAP", 120, campo(&S::CapRes)),
            col("Comune di residenza", 250, "Comune di residenza", 250, campo(&S::ComuneRes), true),
            col("Data scadenza", 120, "Data scadenza", 150, campo(&S::DataScade)),
            col("Data versamento", 120, "Data versamento", 150, campo(&S::DataPaga)),
            col("Estremi timbro postale", 250, "Estremi timbro postale", 250, campo(&S::Timbro)),
            col("Note", 350, "Note", 350, campo(&S::Note), true),
            col("Saldato", 100, "Saldato", 100, campo(&S::Saldato), true),
        });
    return f;
}

const Foglio& foglioSchede() {
    using A = TSchedaAnagrafica;
    static const Foglio f = foglio<A>(
        "Beneficiari ed Esecutori", "Esecutori.xls",
        {
            col("Cognome e nome", 250, "Cognome e nome Esecutore", 250, campo(&A::Esecutore)),
            col("Data di nascita", 120, "Data di nascita", 200, unite('/', {campo(&A::GG), campo(&A::MM), campo(&A::AA)})),
            col("Comune / Stato estero di nascita", 250, "Comune di nascita", 250,
                unite(' ', {campo(&A::ComuneNasc), campo(&A::ProvNasc)})),
            col("Sesso", 60, "Sesso", 100, campo(&A::Sesso)),
            col("Recapito tel. preferenziale", 200, "Recapito tel. preferenziale", 250, campo(&A::Recapito)),
            col("Indirizzo di residenza", 250, "Indirizzo di residenza", 300, campo(&A::IndirizzoRes)),
            col("Comune di residenza", 250, "Comune di residenza", 250, unite(' ', {campo(&A::ComuneRes), campo(&A::ProvRes)}),
                true),
            col("CAP", 100, "CAP", 150, campo(&A::CapRes)),
            col("Categoria di appartenenza", 250, "Categoria di appartenenza", 250, campo(&A::Categoria)),
            col("Tel. casa", 200, "Tel. casa", 250, campo(&A::TelCasa)),
            col("Tel. ufficio", 200, "Tel. ufficio", 250, campo(&A::TelUff)),
            col("Tel. cellulare", 200, "Tel. cellulare", 250, campo(&A::TelCel)),
            col("Fax", 200, "Fax", 250, campo(&A::Fax)),
            col("E-mail", 250, "E-mail", 250, campo(&A::Email)),
            col("Codice fiscale", 150, "Codice fiscale", 250, campo(&A::CodFisc)),
            col("Partita IVA", 150, "Partita IVA", 250, campo(&A::PartitaIva), true),
            col("Carta di credito n.", 250, "Carta di credito n.", 300, campo(&A::Carta)),
            col("Scadenza", 160, "Scadenza", 150, campo(&A::ScadeCarta), true),
            col("IBAN", 250, "IBAN", 300, campo(&A::Iban), true),
            col("Numero documento", 250, "Numero documento", 250, campo(&A::NumDoc), true),
            col("Ente di rilascio", 250, "Ente di rilascio", 250, campo(&A::EnteRil), true),
            col("Data di rilascio", 150, "Data di rilascio", 250, campo(&A::DataRil), true),
            col("C/C Postale n.", 120, "C/C Postale n.", 200, campo(&A::CCP)),
            col("Causale", 300, "Causale", 300, campo(&A::Causale01), true),
            col("Note", 350, "Note", 300, campo(&A::Note), true),
        });
    return f;
}

} // namespace esportazione

void CelleFoglio::aggiungiRecord(const char* record) {
    for (const ColonnaFoglio& c : m_foglio->colonne) {
        const LetturaCella& l = c.cella;
        const size_t inizio = m_testo.size();
        for (qsizetype i = 0; i < l.pezzi.size(); ++i) {
            const LetturaCella::Pezzo& p = l.pezzi[i];
            const QByteArrayView t = p.campo.capacity ? p.campo.bytes(record) : p.fisso;
            if (i > 0 && (l.tra != ' ' || (m_testo.size() > inizio && !t.isEmpty()))) m_testo.push_back(l.tra);
            m_testo.append(t.data(), size_t(t.size()));
        }
        m_fine.push_back(quint32(m_testo.size()));
    }
}

void CelleFoglio::aggiungiVuote(int n) { m_fine.resize(m_fine.size() + size_t(n) * size_t(m_colonne), quint32(m_testo.size())); }

void CelleFoglio::riserva(qsizetype righe, qsizetype byteRiga) {
    m_fine.reserve(size_t(righe) * size_t(m_colonne));
    m_testo.reserve(size_t(righe) * size_t(byteRiga));
}

QString CelleFoglio::testo(qsizetype riga, int colonna) const {
    if (const QString* c = cambiata(riga, colonna)) return *c;
    return text::fromCp1252(memorizzata(riga, colonna));
}

void CelleFoglio::cambia(qsizetype riga, int colonna, const QString& testo) {
    m_cambiate.insert(riga * m_colonne + colonna, testo);
}

const QString* CelleFoglio::cambiata(qsizetype riga, int colonna) const {
    if (m_cambiate.isEmpty()) return nullptr;
    const auto i = m_cambiate.constFind(riga * m_colonne + colonna);
    return i == m_cambiate.cend() ? nullptr : &*i;
}

namespace esportazione {

namespace {

// The worksheet, a piece at a time, to `emetti(QByteArrayView)`: its head, then the rows written
// straight from the stored bytes into a buffer that is handed on whenever it fills.
template <class Emetti> void foglioXls(const CelleFoglio& righe, Emetti&& emetti) {
    const Foglio& foglio = righe.foglio();
    QString s = QStringLiteral("<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
                               "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet><x:Name>");
    s += foglio.nome;
    s += QStringLiteral("</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number>"
                        "<x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes><x:ProtectContents>False</x:ProtectContents>"
                        "<x:ProtectObjects>False</x:ProtectObjects><x:ProtectScenarios>False</x:ProtectScenarios>"
                        "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook>"
                        "</xml><![endif]--></head><body><table x:str><tr>");
    for (const ColonnaFoglio& c : foglio.colonne)
        s += QStringLiteral("<td style=\"text-align: left; font-weight: bold;\" width=%1>%2</td>")
                 .arg(c.larghezza)
                 .arg(c.titolo);
    s += QLatin1String("</tr>");
    // A line break would split the single line the file is; inside a cell it is a blank to the reader.
    for (QChar& c : s)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) c = QLatin1Char(' ');
    emetti(QByteArrayView(kApertura));
    emetti(QByteArrayView(text::toCp1252(s)));

    // Each byte becomes at most five ("&amp;").
    constexpr qsizetype kMassimo = 5;
    constexpr qsizetype kPieno = qsizetype(1) << 20;
    std::string buffer;
    char* p = nullptr;
    auto spazio = [&](qsizetype n) {
        const qsizetype usati = p ? p - buffer.data() : 0;
        if (usati + n <= qsizetype(buffer.size())) return;
        if (usati >= kPieno || usati + n > qsizetype(buffer.size())) {
            if (usati) emetti(QByteArrayView(buffer.data(), usati));
            buffer.resize(size_t(std::max(2 * kPieno, n)));
            p = buffer.data();
        }
    };
    auto metti = [&](QByteArrayView t) {
        std::memcpy(p, t.data(), size_t(t.size()));
        p += t.size();
    };
    auto cella = [&](QByteArrayView t) {
        metti(kApriCella);
        const auto* b = reinterpret_cast<const unsigned char*>(t.data());
        const qsizetype n = t.size();
        bool speciali = false;
        for (qsizetype i = 0; i < n; ++i)
            speciali |= (b[i] == '<') | (b[i] == '>') | (b[i] == '&') | (b[i] == '\n') | (b[i] == '\r');
        if (!speciali) {
            metti(t);
        } else {
            for (qsizetype i = 0; i < n; ++i) {
                switch (b[i]) {
                case '<': metti("&lt;"); break;
                case '>': metti("&gt;"); break;
                case '&': metti("&amp;"); break;
                case '\n':
                case '\r': *p++ = ' '; break;
                default: *p++ = char(b[i]);
                }
            }
        }
        metti(kChiudiCella);
    };
    const int colonne = int(foglio.colonne.size());
    for (qsizetype r = 0; r < righe.righe(); ++r) {
        qsizetype lunghezza = 0;
        for (int c = 0; c < colonne; ++c) lunghezza += righe.memorizzata(r, c).size();
        const qsizetype riga = kTagRiga + colonne * kTagCella + kMassimo * lunghezza;
        spazio(riga);
        metti(kApriRiga);
        for (int c = 0; c < colonne; ++c) {
            if (const QString* cambiata = righe.cambiata(r, c)) {
                const QByteArray t = text::toCp1252(text::trimmed(*cambiata));
                spazio(kTagCella + kMassimo * t.size() + riga);
                cella(t);
            } else {
                cella(righe.memorizzata(r, c));
            }
        }
        metti(kChiudiRiga);
    }
    spazio(32);
    metti("</table></body></html>");
    emetti(QByteArrayView(buffer.data(), p - buffer.data()));
}

} // namespace

QString nomeFile(const Foglio& foglio, Formato formato) {
    if (formato == Formato::Xls) return foglio.nomeFile;
    return foglio.nomeFile.left(foglio.nomeFile.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".csv");
}

void leggi(const QString& archivio, CelleFoglio& out, RecordFileBase::Access accesso) {
    out.foglio().leggi(archivio, out, accesso);
}

QByteArray xls(const CelleFoglio& righe) {
    QByteArray out;
    foglioXls(righe, [&out](QByteArrayView t) { out.append(t); });
    return out;
}

QByteArray csv(const CelleFoglio& righe) {
    QByteArray out = csvHeader(righe.foglio());
    for (qsizetype r = 0; r < righe.righe(); ++r) {
        QStringList t;
        for (int c = 0; c < righe.colonne(); ++c) t << csvCell(text::trimmed(righe.testo(r, c)));
        out += t.join(QLatin1Char(',')).toUtf8() + "\r\n";
    }
    return out;
}

bool propria(const QByteArray& head) {
    if (head.startsWith(kApertura)) return true;
    for (const Foglio* f : {&foglioBollettini(), &foglioSchede()})
        if (head.startsWith(csvHeader(*f))) return true;
    return false;
}

namespace {
// Writes the pieces `scrivi(emetti)` hands to `emetti(QByteArrayView)` through a temporary file renamed
// over `path` once complete and on the disk.
template <class Scrivi> qint64 salva(const QString& path, Scrivi&& scrivi) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw ArchiveError(QStringLiteral("%1: %2").arg(path, f.errorString()));
    qint64 scritti = 0;
    bool riuscito = true;
    scrivi([&](QByteArrayView t) {
        if (!riuscito || t.isEmpty()) return;
        // A short write is tried again for the rest, which then fails with its reason (a full disk).
        for (qsizetype fatti = 0; riuscito && fatti < t.size();) {
            const qint64 n = f.write(t.data() + fatti, t.size() - fatti);
            riuscito = n > 0;
            fatti += std::max<qint64>(n, 0);
        }
        scritti += t.size();
    });
    QString why;
    if (!riuscito) why = f.errorString();
    else if (!syncToDisk(f)) why = qt_error_string();
    if (!why.isNull()) {
        f.cancelWriting();
        throw ArchiveError(QStringLiteral("%1: %2").arg(path, why));
    }
    if (!f.commit()) throw ArchiveError(QStringLiteral("%1: %2").arg(path, f.errorString()));
    return scritti;
}
} // namespace

void scrivi(const QString& path, const QByteArray& bytes) {
    salva(path, [&bytes](auto&& emetti) { emetti(QByteArrayView(bytes)); });
}

qint64 scrivi(const QString& path, const CelleFoglio& righe, Formato formato) {
    if (formato == Formato::Csv) {
        const QByteArray testo = csv(righe);
        return salva(path, [&testo](auto&& emetti) { emetti(QByteArrayView(testo)); });
    }
    if (!righe.isEmpty()) return salva(path, [&](auto&& emetti) { foglioXls(righe, emetti); });
    CelleFoglio vuote(righe.foglio());
    vuote.aggiungiVuote(kRigheVuote);
    return salva(path, [&](auto&& emetti) { foglioXls(vuote, emetti); });
}

} // namespace esportazione
