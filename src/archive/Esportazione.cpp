#include "Esportazione.h"

#include "RecordFile.h"
#include "SchedaAnagrafica.h"
#include "SchedaBollettino.h"
#include "Text.h"

#include <QFileInfo>
#include <QSaveFile>

namespace esportazione {

namespace {

ColonnaFoglio col(const char* griglia, int lg, const char* titolo, int l, bool mod = false) {
    return {QString::fromUtf8(griglia), lg, QString::fromUtf8(titolo), l, mod};
}

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

QByteArray xls(const Foglio& foglio, const QList<QStringList>& righe) {
    QString s;
    s.reserve(2048 + righe.size() * foglio.colonne.size() * 64);
    s += QStringLiteral("<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
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
    const QLatin1String apri("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">"), chiudi("</td>");
    for (const QStringList& riga : righe) {
        s += QLatin1String("<tr>");
        for (qsizetype i = 0; i < foglio.colonne.size(); ++i) {
            s += apri;
            if (i < riga.size()) s += escape(text::trimmed(riga[i]));
            s += chiudi;
        }
        s += QLatin1String("</tr>");
    }
    s += QLatin1String("</table></body></html>");
    // A line break would split the single line the file is; inside a cell it is a blank to the reader.
    for (QChar& c : s)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) c = QLatin1Char(' ');
    return kApertura + text::toCp1252(s);
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
} // namespace

void righeBollettini(const QString& archivio, QList<QStringList>& out, RecordFileBase::Access accesso) {
    leggi<TSchedaBollettino>(archivio, out, accesso);
}
void righeSchede(const QString& archivio, QList<QStringList>& out, RecordFileBase::Access accesso) {
    leggi<TSchedaAnagrafica>(archivio, out, accesso);
}

void scrivi(const QString& path, const QByteArray& bytes) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw ArchiveError(QStringLiteral("%1: %2").arg(path, f.errorString()));
    if (f.write(bytes) != bytes.size()) {
        const QString why = f.errorString();
        f.cancelWriting();
        throw ArchiveError(QStringLiteral("%1: %2").arg(path, why));
    }
    if (!f.commit()) throw ArchiveError(QStringLiteral("%1: %2").arg(path, f.errorString()));
}

} // namespace esportazione
