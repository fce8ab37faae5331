#include "FoglioCsv.h"

#include "archive/Text.h"

#include <QStringDecoder>

namespace foglioCsv {

namespace {

const QString kNonTesto = QStringLiteral(
    "Il file non contiene testo: non \u00e8 un foglio salvato in formato CSV.");

bool inizia(const QByteArray& b, const char* segno) { return b.startsWith(QByteArray(segno)); }

// What the first bytes say the file is, when it is a document that is not a CSV.
QString altroFormato(const QByteArray& b) {
    if (inizia(b, "PK\x03\x04"))
        return QStringLiteral("Il file \u00e8 una cartella di lavoro (XLSX o ODS), non un file CSV: aprirlo con il "
                              "foglio di calcolo e salvarlo con \"Salva con nome\" nel formato \"Testo CSV\".");
    if (inizia(b, "\xD0\xCF\x11\xE0"))
        return QStringLiteral("Il file \u00e8 una cartella di lavoro di Excel (XLS), non un file CSV: aprirlo con il "
                              "foglio di calcolo e salvarlo con \"Salva con nome\" nel formato \"CSV\".");
    if (inizia(b, "%PDF")) return QStringLiteral("Il file \u00e8 un documento PDF, non un file CSV.");
    const QByteArray testa = b.left(512).trimmed().toLower();
    if (testa.startsWith("<html") || testa.startsWith("<!doctype") || testa.startsWith("<?xml"))
        return QStringLiteral("Il file \u00e8 una pagina HTML o XML (come l'esportazione in Excel del programma), non "
                              "un file CSV: aprirlo con il foglio di calcolo e salvarlo nel formato \"Testo CSV\".");
    return QString();
}

// Text has no NUL and few control characters besides tab, line feed and carriage return (a stray
// one or two are a typing accident, not a binary file).
bool testuale(const QString& t) {
    qsizetype controlli = 0;
    for (QChar c : t) {
        const char16_t u = c.unicode();
        if (u == 0) return false;
        if (u < 32 && u != '\t' && u != '\n' && u != '\r') ++controlli;
    }
    return controlli <= 8 || controlli * 100 <= t.size();
}

// Text that is not valid UTF-8 yet holds UTF-8's accented letters (Ã followed by a second byte) or
// its quotes and dashes (â€ followed by a third byte): two encodings in one file, which read as
// Windows-1252 would turn every letter of the UTF-8 part into two wrong ones. In Windows-1252 text
// those pairs of characters do not occur.
bool dueCodifiche(const QByteArray& b) {
    auto seguito = [](char c) { return (uchar(c) & 0xC0) == 0x80; };
    for (qsizetype i = 0; i + 1 < b.size(); ++i) {
        if (uchar(b[i]) == 0xC3 && seguito(b[i + 1])) return true;
        if (uchar(b[i]) == 0xE2 && uchar(b[i + 1]) == 0x80 && i + 2 < b.size() && seguito(b[i + 2])) return true;
    }
    return false;
}

} // namespace

QString decodifica(const QByteArray& bytes, QString* codifica) {
    auto nome = [&](const char* n) {
        if (codifica) *codifica = QLatin1String(n);
    };
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        nome("UTF-8");
        return QString::fromUtf8(bytes.mid(3));
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        nome("UTF-16");
        QStringDecoder d(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return d(bytes.mid(2));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString t = utf8(bytes);
    if (!utf8.hasError()) {
        nome("UTF-8");
        return t;
    }
    nome("Windows-1252");
    return text::fromCp1252(bytes);
}

QList<Riga> righe(const QString& testo, QChar separatore, int* aperta, qsizetype limite) {
    QList<Riga> out;
    Riga riga;
    QString cella;
    bool virgolette = false, quotata = false, vuota = true;
    int linea = 1, inizioVirgolette = 0;
    riga.linea = 1;
    auto chiudiCella = [&] {
        riga.celle.append(cella);
        cella.clear();
        quotata = false;
    };
    auto chiudiRiga = [&] {
        chiudiCella();
        out.append(riga);
        riga = Riga{};
        vuota = true;
    };
    const qsizetype n = testo.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = testo[i];
        if (virgolette) {
            if (c == u'"') {
                if (i + 1 < n && testo[i + 1] == u'"') {
                    cella.append(c);
                    ++i;
                } else {
                    virgolette = false;
                }
            } else {
                if (c == u'\n') ++linea;
                cella.append(c);
            }
            continue;
        }
        if (vuota) {
            riga.linea = linea;
            vuota = false;
        }
        if (c == separatore) {
            chiudiCella();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && testo[i + 1] == u'\n') ++i;
            ++linea;
            chiudiRiga();
            if (limite >= 0 && out.size() >= limite) {
                if (aperta) *aperta = 0;
                return out;
            }
        } else if (c == u'"' && !quotata && text::trimmed(cella).isEmpty()) {
            // A quote opens a quoted cell only at its start (blanks before it are dropped, as
            // spreadsheets do); anywhere else it is an ordinary character.
            cella.clear();
            virgolette = quotata = true;
            inizioVirgolette = linea;
        } else {
            cella.append(c);
        }
    }
    if (!vuota || virgolette || !cella.isEmpty() || !riga.celle.isEmpty()) chiudiRiga();
    if (aperta) *aperta = virgolette ? inizioVirgolette : 0;
    return out;
}

Tabella leggi(const QByteArray& bytes, int (*punteggio)(const QStringList& intestazione)) {
    Tabella f;
    if (bytes.size() > kMassimo) {
        f.errore = QStringLiteral("Il file \u00e8 troppo grande (%1 MB) per essere un elenco di schede: il limite \u00e8 "
                                  "di %2 MB.")
                       .arg((bytes.size() + 1024 * 1024 - 1) / (1024 * 1024))
                       .arg(kMassimo / (1024 * 1024));
        return f;
    }
    if (bytes.isEmpty()) {
        f.errore = QStringLiteral("Il file \u00e8 vuoto.");
        return f;
    }
    if (const QString altro = altroFormato(bytes); !altro.isEmpty()) {
        f.errore = altro;
        return f;
    }
    const QString testo = decodifica(bytes, &f.codifica);
    if (!testuale(testo)) {
        f.errore = kNonTesto;
        return f;
    }
    if (f.codifica == QLatin1String("Windows-1252") && dueCodifiche(bytes)) {
        f.errore = QStringLiteral("Il file mescola due codifiche del testo (UTF-8 e Windows-1252): le lettere accentate "
                                  "di una parte verrebbero importate sbagliate. Aprirlo con il foglio di calcolo e "
                                  "salvarlo di nuovo nel formato \"Testo CSV\".");
        return f;
    }
    if (text::trimmed(testo).isEmpty()) {
        f.errore = QStringLiteral("Il file \u00e8 vuoto.");
        return f;
    }
    // The header decides the separator: it is the first line that is not blank. Excel may put a line
    // "sep=;" before it, which names the separator and is no row.
    QString testoRighe = testo;
    QString intestazione;
    QChar dichiarato;
    qsizetype inizio = 0;
    while (inizio <= testo.size()) {
        qsizetype fine = testo.indexOf(QLatin1Char('\n'), inizio);
        if (fine < 0) fine = testo.size();
        const QString l = text::trimmed(testo.mid(inizio, std::min<qsizetype>(fine - inizio, 64 * 1024)));
        if (!l.isEmpty()) {
            if (dichiarato.isNull() && l.size() == 5 && l.startsWith(QLatin1String("sep="), Qt::CaseInsensitive)) {
                dichiarato = l[4];
                testoRighe.replace(inizio, fine - inizio, QString(fine - inizio, QLatin1Char(' ')));
            } else {
                intestazione = l;
                break;
            }
        }
        inizio = fine + 1;
    }
    int migliore = -1;
    qsizetype celle = 0;
    for (QChar s : {QChar(u';'), QChar(u','), QChar(u'\t'), dichiarato}) {
        if (s.isNull()) continue;
        if (!dichiarato.isNull() && s != dichiarato) continue;
        const QList<Riga> r = righe(intestazione, s);
        const QStringList t = r.isEmpty() ? QStringList() : r.first().celle;
        const int p = punteggio(t);
        if (p > migliore || (p == migliore && t.size() > celle)) {
            migliore = p;
            celle = t.size();
            f.separatore = s;
        }
    }
    int aperta = 0;
    // Blank rows before the header and between the rows count too: a file of nothing but line breaks
    // must not fill the memory either.
    f.righe = righe(testoRighe, f.separatore, &aperta, kMassimoRighe + 2);
    if (f.righe.size() > kMassimoRighe + 1) {
        f.righe.clear();
        f.errore = QStringLiteral("Il file contiene pi\u00f9 di %1 righe: \u00e8 troppo lungo per essere un elenco di "
                                  "schede da importare in una volta; dividerlo in pi\u00f9 file.")
                       .arg(kMassimoRighe);
        return f;
    }
    if (aperta > 0) {
        f.righe.clear();
        f.errore = QStringLiteral("Il file non si pu\u00f2 leggere come CSV: le virgolette aperte alla riga %1 non "
                                  "vengono mai chiuse.")
                       .arg(aperta);
    }
    return f;
}

} // namespace foglioCsv
