#include "Esportazione.h"

#include "RecordFile.h"
#include "SchedaAnagrafica.h"
#include "SchedaBollettino.h"
#include "FileSync.h"
#include "Text.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <QSaveFile>

namespace esportazione {

namespace {

ColonnaFoglio col(const char* griglia, int lg, const char* titolo, int l, bool mod = false) {
    return {QString::fromUtf8(griglia), lg, QString::fromUtf8(titolo), l, mod};
}

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

// "<", ">" and "&" would end the cell or start a tag in the spreadsheet's reader.
QString escape(const QString& s) {
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        switch (c.unicode()) {
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '&': out += QLatin1String("&amp;"); break;
        default: out += c;
        }
    }
    return out;
}

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

} // namespace

const Foglio& foglioBollettini() {
    static const Foglio f{
        QStringLiteral("Riepilogo annuale versamenti"),
        QStringLiteral("Riepilogo_Annuale_Versamenti.xls"),
        {
            col("Importo versato", 160, "Importo versato", 250),
            col("C/C Postale n.", 150, "C/C Postale n.", 200),
            col("Cognome e nome Intestatario", 250, "Cognome e nome Intestatario", 250),
            col("Indirizzo", 250, "Indirizzo", 250),
            col("Causale (rigo 1)", 300, "Causale (rigo 1)", 300),
            col("Causale (rigo 2)", 300, "Causale (rigo 2)", 300),
            col("Cognome e nome Esecutore", 250, "Cognome e nome Esecutore", 250),
            col("Indirizzo di residenza", 250, "Indirizzo di residenza", 250),
            col("CAP", 100, "CAP", 120),
            col("Comune di residenza", 250, "Comune di residenza", 250, true),
            col("Data scadenza", 120, "Data scadenza", 150),
            col("Data versamento", 120, "Data versamento", 150),
            col("Estremi timbro postale", 250, "Estremi timbro postale", 250),
            col("Note", 350, "Note", 350, true),
            col("Saldato", 100, "Saldato", 100, true),
        }};
    return f;
}

const Foglio& foglioSchede() {
    static const Foglio f{
        QStringLiteral("Beneficiari ed Esecutori"),
        QStringLiteral("Esecutori.xls"),
        {
            col("Cognome e nome", 250, "Cognome e nome Esecutore", 250),
            col("Data di nascita", 120, "Data di nascita", 200),
            col("Comune / Stato estero di nascita", 250, "Comune di nascita", 250),
            col("Sesso", 60, "Sesso", 100),
            col("Recapito tel. preferenziale", 200, "Recapito tel. preferenziale", 250),
            col("Indirizzo di residenza", 250, "Indirizzo di residenza", 300),
            col("Comune di residenza", 250, "Comune di residenza", 250, true),
            col("CAP", 100, "CAP", 150),
            col("Categoria di appartenenza", 250, "Categoria di appartenenza", 250),
            col("Tel. casa", 200, "Tel. casa", 250),
            col("Tel. ufficio", 200, "Tel. ufficio", 250),
            col("Tel. cellulare", 200, "Tel. cellulare", 250),
            col("Fax", 200, "Fax", 250),
            col("E-mail", 250, "E-mail", 250),
            col("Codice fiscale", 150, "Codice fiscale", 250),
            col("Partita IVA", 150, "Partita IVA", 250, true),
            col("Carta di credito n.", 250, "Carta di credito n.", 300),
            col("Scadenza", 160, "Scadenza", 150, true),
            col("IBAN", 250, "IBAN", 300, true),
            col("Numero documento", 250, "Numero documento", 250, true),
            col("Ente di rilascio", 250, "Ente di rilascio", 250, true),
            col("Data di rilascio", 150, "Data di rilascio", 250, true),
            col("C/C Postale n.", 120, "C/C Postale n.", 200),
            col("Causale", 300, "Causale", 300, true),
            col("Note", 350, "Note", 300, true),
        }};
    return f;
}

} // namespace esportazione

void CelleFoglio::cella(QByteArrayView a, QByteArrayView b) {
    pezzo(a);
    if (!a.isEmpty() && !b.isEmpty()) pezzo(" ");
    cella(b);
}

void CelleFoglio::aggiungi(const TSchedaBollettino& r) {
    const QByteArrayView intero = r.Intero.bytes();
    pezzo(intero.isEmpty() ? QByteArrayView("\x80") : QByteArrayView("\x80 ")); // €, then the amount
    cella(intero);
    for (QByteArrayView t : {r.CCP.bytes(), r.Intestatario.bytes(), r.IndirizzoInt.bytes(), r.Causale01.bytes(),
                             r.Causale02.bytes(), r.Esecutore.bytes(), r.IndirizzoRes.bytes(), r.CapRes.bytes(),
                             r.ComuneRes.bytes(), r.DataScade.bytes(), r.DataPaga.bytes(), r.Timbro.bytes(),
                             r.Note.bytes(), r.Saldato.bytes()})
        cella(t);
}

void CelleFoglio::aggiungi(const TSchedaAnagrafica& r) {
    cella(r.Esecutore.bytes());
    pezzo(r.GG.bytes()), pezzo("/"), pezzo(r.MM.bytes()), pezzo("/"), cella(r.AA.bytes());
    cella(r.ComuneNasc.bytes(), r.ProvNasc.bytes());
    for (QByteArrayView t : {r.Sesso.bytes(), r.Recapito.bytes(), r.IndirizzoRes.bytes()}) cella(t);
    cella(r.ComuneRes.bytes(), r.ProvRes.bytes());
    for (QByteArrayView t : {r.CapRes.bytes(), r.Categoria.bytes(), r.TelCasa.bytes(), r.TelUff.bytes(), r.TelCel.bytes(),
                             r.Fax.bytes(), r.Email.bytes(), r.CodFisc.bytes(), r.PartitaIva.bytes(), r.Carta.bytes(),
                             r.ScadeCarta.bytes(), r.Iban.bytes(), r.NumDoc.bytes(), r.EnteRil.bytes(), r.DataRil.bytes(),
                             r.CCP.bytes(), r.Causale01.bytes(), r.Note.bytes()})
        cella(t);
}

void CelleFoglio::aggiungi(const QStringList& celle) {
    for (int i = 0; i < m_colonne; ++i) cella(i < celle.size() ? text::toCp1252(text::trimmed(celle[i])) : QByteArray());
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

QStringList celle(const TSchedaBollettino& r) {
    return {text::trimmed(QStringLiteral("\u20ac ") + r.Intero.get()),
            r.CCP.get(),
            r.Intestatario.get(),
            r.IndirizzoInt.get(),
            r.Causale01.get(),
            r.Causale02.get(),
            r.Esecutore.get(),
            r.IndirizzoRes.get(),
            r.CapRes.get(),
            r.ComuneRes.get(),
            r.DataScade.get(),
            r.DataPaga.get(),
            r.Timbro.get(),
            r.Note.get(),
            r.Saldato.get()};
}

QStringList celle(const TSchedaAnagrafica& r) {
    const QString blank = QStringLiteral(" ");
    return {r.Esecutore.get(),
            r.GG.get() + QLatin1Char('/') + r.MM.get() + QLatin1Char('/') + r.AA.get(),
            text::trimmed(r.ComuneNasc.get() + blank + r.ProvNasc.get()),
            r.Sesso.get(),
            r.Recapito.get(),
            r.IndirizzoRes.get(),
            text::trimmed(r.ComuneRes.get() + blank + r.ProvRes.get()),
            r.CapRes.get(),
            r.Categoria.get(),
            r.TelCasa.get(),
            r.TelUff.get(),
            r.TelCel.get(),
            r.Fax.get(),
            r.Email.get(),
            r.CodFisc.get(),
            r.PartitaIva.get(),
            r.Carta.get(),
            r.ScadeCarta.get(),
            r.Iban.get(),
            r.NumDoc.get(),
            r.EnteRil.get(),
            r.DataRil.get(),
            r.CCP.get(),
            r.Causale01.get(),
            r.Note.get()};
}

namespace {

// The worksheet, a piece at a time, to `emetti(QByteArrayView)`: its head, then the rows written
// straight from the stored bytes into a buffer that is handed on whenever it fills.
template <class Emetti> void foglioXls(const Foglio& foglio, const CelleFoglio& righe, Emetti&& emetti) {
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
        for (int c = 0; c < colonne && c < righe.colonne(); ++c) lunghezza += righe.memorizzata(r, c).size();
        const qsizetype riga = kTagRiga + colonne * kTagCella + kMassimo * lunghezza;
        spazio(riga);
        metti(kApriRiga);
        for (int c = 0; c < colonne; ++c) {
            if (c >= righe.colonne()) {
                metti(kApriCella), metti(kChiudiCella);
            } else if (const QString* cambiata = righe.cambiata(r, c)) {
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

QByteArray xls(const Foglio& foglio, const CelleFoglio& righe) {
    QByteArray out;
    foglioXls(foglio, righe, [&out](QByteArrayView t) { out.append(t); });
    return out;
}

QByteArray xls(const Foglio& foglio, const QList<QStringList>& righe) {
    CelleFoglio celle(int(foglio.colonne.size()));
    for (const QStringList& r : righe) celle.aggiungi(r);
    return xls(foglio, celle);
}

QByteArray csv(const Foglio& foglio, const QList<QStringList>& righe) {
    QByteArray out = csvHeader(foglio);
    for (const QStringList& riga : righe) {
        QStringList t;
        for (qsizetype i = 0; i < foglio.colonne.size(); ++i)
            t << csvCell(i < riga.size() ? text::trimmed(riga[i]) : QString());
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
template <class T> void leggi(const QString& archivio, QList<QStringList>& out, RecordFileBase::Access accesso) {
    RecordFile<T> f(archivio, accesso);
    out.reserve(out.size() + f.count());
    f.scan([&](qint64, const T& r) { out.append(celle(r)); });
}
template <class T> void leggi(const QString& archivio, CelleFoglio& out, RecordFileBase::Access accesso) {
    constexpr qsizetype kByteRiga = 160;
    RecordFile<T> f(archivio, accesso);
    out.riserva(out.righe() + f.count(), kByteRiga);
    f.scan([&](qint64, const T& r) { out.aggiungi(r); });
}
} // namespace

void righeBollettini(const QString& archivio, QList<QStringList>& out, RecordFileBase::Access accesso) {
    leggi<TSchedaBollettino>(archivio, out, accesso);
}
void righeSchede(const QString& archivio, QList<QStringList>& out, RecordFileBase::Access accesso) {
    leggi<TSchedaAnagrafica>(archivio, out, accesso);
}
void righeBollettini(const QString& archivio, CelleFoglio& out, RecordFileBase::Access accesso) {
    leggi<TSchedaBollettino>(archivio, out, accesso);
}
void righeSchede(const QString& archivio, CelleFoglio& out, RecordFileBase::Access accesso) {
    leggi<TSchedaAnagrafica>(archivio, out, accesso);
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

qint64 scriviXls(const QString& path, const Foglio& foglio, const CelleFoglio& righe) {
    return salva(path, [&](auto&& emetti) { foglioXls(foglio, righe, emetti); });
}

} // namespace esportazione
