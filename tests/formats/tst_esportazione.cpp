#include "common/Records.h"
#include "archive/ArchiveError.h"
#include "formats/Esportazione.h"
#include "archive/RecordFile.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"
#include "archive/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/stat.h>
#include <sys/resource.h>
#endif


namespace {


const QByteArray kTesta =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\"><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
    "charset=windows-1252\"><!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
    "<x:Name>Riepilogo annuale versamenti</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1"
    "</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes><x:ProtectContents>False</x:ProtectContents>"
    "<x:ProtectObjects>False</x:ProtectObjects><x:ProtectScenarios>False</x:ProtectScenarios></x:WorksheetOptions>"
    "</x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]--></head><body><table x:str><tr>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Importo versato</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=200>C/C Postale n.</td>";
const QByteArray kCella = "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">";

QByteArray riga(const QList<QByteArray>& celle) {
    QByteArray r = "<tr>";
    for (const QByteArray& c : celle) r += kCella + c + "</td>";
    return r + "</tr>";
}

// The worksheet as the export first wrote it, through decoded text: each cell trimmed, escaped,
// line breaks made blanks, the whole encoded at the end. The bytes written from the records must
// stay these.
QByteArray comePrima(const Foglio& foglio, const QList<QStringList>& righe) {
    QString s;
    for (const QStringList& r : righe) {
        s += "<tr>";
        for (qsizetype i = 0; i < foglio.colonne.size(); ++i) {
            QString t = i < r.size() ? text::trimmed(r[i]) : QString();
            t.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('\n', ' ').replace('\r', ' ');
            s += QString::fromLatin1(kCella) + t + "</td>";
        }
        s += "</tr>";
    }
    const QByteArray vuoto = esportazione::xls(CelleFoglio(foglio));
    const qsizetype fine = vuoto.size() - qsizetype(strlen("</table></body></html>"));
    return vuoto.left(fine) + text::toCp1252(s) + vuoto.mid(fine);
}

// The cells of a record as the export first gave them, from the decoded fields.
QStringList testiDi(const TSchedaBollettino& r) {
    return {text::trimmed(QStringLiteral("\u20ac ") + r.Intero.get()),
            r.CCP.get(), r.Intestatario.get(), r.IndirizzoInt.get(), r.Causale01.get(), r.Causale02.get(),
            r.Esecutore.get(), r.IndirizzoRes.get(), r.CapRes.get(), r.ComuneRes.get(), r.DataScade.get(),
            r.DataPaga.get(), r.Timbro.get(), r.Note.get(), r.Saldato.get()};
}
QStringList testiDi(const TSchedaAnagrafica& r) {
    return {r.Esecutore.get(), r.GG.get() + QLatin1Char('/') + r.MM.get() + QLatin1Char('/') + r.AA.get(),
            text::trimmed(r.ComuneNasc.get() + QLatin1Char(' ') + r.ProvNasc.get()), r.Sesso.get(), r.Recapito.get(),
            r.IndirizzoRes.get(), text::trimmed(r.ComuneRes.get() + QLatin1Char(' ') + r.ProvRes.get()), r.CapRes.get(),
            r.Categoria.get(), r.TelCasa.get(), r.TelUff.get(), r.TelCel.get(), r.Fax.get(), r.Email.get(),
            r.CodFisc.get(), r.PartitaIva.get(), r.Carta.get(), r.ScadeCarta.get(), r.Iban.get(), r.NumDoc.get(),
            r.EnteRil.get(), r.DataRil.get(), r.CCP.get(), r.Causale01.get(), r.Note.get()};
}

// Rows of texts as typed into a grid: empty rows with their cells changed.
CelleFoglio digitate(const Foglio& foglio, const QList<QStringList>& righe) {
    CelleFoglio c(foglio);
    c.aggiungiVuote(int(righe.size()));
    for (qsizetype i = 0; i < righe.size(); ++i)
        for (int k = 0; k < righe[i].size(); ++k) c.cambia(i, k, righe[i][k]);
    return c;
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstEsportazione : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void slipWorksheet() {
        const QByteArray b = esportazione::xls(CelleFoglio(esportazione::foglioBollettini()));
        QVERIFY2(b.startsWith(kTesta), b.left(kTesta.size() + 40).constData());
        QVERIFY(b.contains("<td style=\"text-align: left; font-weight: bold;\" width=100>Saldato</td></tr>"
                           "</table></body></html>"));
        QVERIFY(b.endsWith("</html>"));
        QCOMPARE(b.count("<td"), 15);
    }

    void registryWorksheet() {
        const QByteArray b = esportazione::xls(CelleFoglio(esportazione::foglioSchede()));
        QVERIFY(b.contains("<x:Name>Beneficiari ed Esecutori</x:Name>"));
        QVERIFY(b.contains("<table x:str><tr><td style=\"text-align: left; font-weight: bold;\" width=250>Cognome e "
                           "nome Esecutore</td><td style=\"text-align: left; font-weight: bold;\" width=200>Data di "
                           "nascita</td>"));
        QVERIFY(b.contains("width=300>Note</td></tr></table>"));
        QCOMPARE(b.count("<td"), 25);
    }

    // One slip, read back from an archive, makes one row: the euro sign is the single byte 0x80,
    // every value arrives as typed, entities included, and the file stays one line.
    void slipRow() {
        const QString path = m_dir.filePath("2024.bol");
        {
            RecordFile<TSchedaBollettino> f(path);
            f.append(record<TSchedaBollettino>({{"Intero", "12,50"}, {"CCP", "000123"}, {"CapRes", "00100"},
                                                {"Intestatario", QString::fromUtf8("Società \"Più\"")},
                                                {"Note", "Rossi & figli <socio>"}, {"Saldato", QString::fromUtf8("Sì")},
                                                {"Causale01", "  spazi  "}}));
        }
        CelleFoglio righe(esportazione::foglioBollettini());
        esportazione::leggi(path, righe, RecordFileBase::Access::ReadOnly);
        QCOMPARE(righe.righe(), 1);
        QCOMPARE(righe.colonne(), 15);
        QCOMPARE(righe.testo(0, 0), QString::fromUtf8("€ 12,50"));
        const QByteArray b = esportazione::xls(righe);
        QVERIFY(b.contains(riga({"\x80 12,50", "000123", "Societ\xe0 \"Pi\xf9\"", "", "spazi", "", "", "", "00100", "",
                                 "", "", "", "Rossi &amp; figli &lt;socio&gt;", "S\xec"})));
        QVERIFY(!b.contains('\n') && !b.contains('\r'));
    }

    void emptySlipAmount() {
        CelleFoglio c(esportazione::foglioBollettini());
        c.aggiungi(record<TSchedaBollettino>({}));
        QCOMPARE(c.testo(0, 0), QString::fromUtf8("€"));
    }

    void cardCells_data() {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("cell");
        QTest::newRow("birth date") << Fields{{"GG", "05"}, {"MM", "03"}, {"AA", "71"}} << 1 << "05/03/71";
        QTest::newRow("no birth date") << Fields{} << 1 << "//";
        QTest::newRow("town and province") << Fields{{"ComuneNasc", "ROMA"}, {"ProvNasc", "RM"}} << 2 << "ROMA RM";
        QTest::newRow("province alone") << Fields{{"ProvNasc", "EE"}} << 2 << "EE";
        QTest::newRow("residence") << Fields{{"ComuneRes", "MILANO"}, {"ProvRes", "MI"}} << 6 << "MILANO MI";
        QTest::newRow("account") << Fields{{"CCP", "000123"}} << 22 << "000123";
        QTest::newRow("note last") << Fields{{"Note", "fine"}, {"Causale02", "no"}} << 24 << "fine";
    }
    void cardCells() {
        QFETCH(Fields, fields);
        QFETCH(int, column);
        QFETCH(QString, cell);
        CelleFoglio c(esportazione::foglioSchede());
        c.aggiungi(record<TSchedaAnagrafica>(fields));
        QCOMPARE(c.colonne(), 25);
        QCOMPARE(c.testo(0, column), cell);
    }

    // The cells kept as the records' bytes are the cells of the decoded records, and write the same
    // worksheet: through the buffer handed on piece by piece too, and with changed cells overlaid.
    void storedCells() {
        const QList<TSchedaBollettino> slips = {
            record<TSchedaBollettino>({}),
            record<TSchedaBollettino>({{"Intero", "12,50"}, {"CCP", "000123"}, {"Note", "a\nb\rc & <d>"},
                                       {"Intestatario", QString::fromUtf8("€ Società \"Più\" ‰")},
                                       {"Causale01", "\x01x\x7f"}, {"Saldato", QString::fromUtf8("Sì")}}),
        };
        const QList<TSchedaAnagrafica> cards = {
            record<TSchedaAnagrafica>({}),
            record<TSchedaAnagrafica>({{"GG", "05"}, {"AA", "71"}, {"ProvNasc", "EE"}, {"ComuneRes", "ROMA"},
                                       {"ProvRes", "RM"}, {"Note", QString::fromUtf8("<è>")}}),
        };
        CelleFoglio celleSlips(esportazione::foglioBollettini()), celleCards(esportazione::foglioSchede());
        QList<QStringList> testiSlips, testiCards;
        for (const auto& r : slips) celleSlips.aggiungi(r), testiSlips << testiDi(r);
        for (const auto& r : cards) celleCards.aggiungi(r), testiCards << testiDi(r);
        for (qsizetype i = 0; i < slips.size(); ++i)
            for (int c = 0; c < 15; ++c) QCOMPARE(celleSlips.testo(i, c), testiSlips[i][c]);
        for (qsizetype i = 0; i < cards.size(); ++i)
            for (int c = 0; c < 25; ++c) QCOMPARE(celleCards.testo(i, c), testiCards[i][c]);
        QCOMPARE(esportazione::xls(celleSlips), comePrima(esportazione::foglioBollettini(), testiSlips));
        QCOMPARE(esportazione::xls(celleCards), comePrima(esportazione::foglioSchede(), testiCards));

        // Enough rows to fill the buffer several times, some cells changed.
        CelleFoglio molte(esportazione::foglioBollettini());
        QList<QStringList> testi;
        for (int i = 0; i < 30000; ++i) molte.aggiungi(slips[i % 2]), testi << testiSlips[i % 2];
        const QString cambiate[] = {QString::fromUtf8("  Rossi & figli\n<socio> ☃ €  "), QString(),
                                    QString(300000, QLatin1Char('&'))};
        for (int k = 0; k < 3; ++k) {
            molte.cambia(k * 9999, 13, cambiate[k]);
            testi[k * 9999][13] = cambiate[k];
        }
        QCOMPARE(molte.testo(0, 13), cambiate[0]);
        const QByteArray attesi = comePrima(esportazione::foglioBollettini(), testi);
        QVERIFY(attesi.contains(kCella + "Rossi &amp; figli &lt;socio&gt; ? \x80</td>"));
        QCOMPARE(esportazione::xls(molte), attesi);
        const QString path = m_dir.filePath("molte.xls");
        QCOMPARE(esportazione::scrivi(path, molte, esportazione::Formato::Xls), attesi.size());
        QCOMPARE(bytesOf(path), attesi);
    }

    // Rows the grid padded (empty archive) give empty cells; the file of an export with no rows
    // is the worksheet of those rows, or the CSV's header alone.
    void emptyRows() {
        const Foglio& foglio = esportazione::foglioBollettini();
        CelleFoglio vuote(foglio);
        vuote.aggiungiVuote(10);
        const QByteArray b = esportazione::xls(vuote);
        QCOMPARE(b.count("<tr>"), 11);
        QCOMPARE(b.count(kCella + "</td>"), 150);
        const QString path = m_dir.filePath("vuoto.xls");
        esportazione::scrivi(path, CelleFoglio(foglio), esportazione::Formato::Xls);
        QCOMPARE(bytesOf(path), b);
        esportazione::scrivi(path, CelleFoglio(foglio), esportazione::Formato::Csv);
        const QByteArray intestazione = esportazione::csv(CelleFoglio(foglio));
        QCOMPARE(bytesOf(path), intestazione);
        QCOMPARE(intestazione.count("\r\n"), 1);
    }

    void csv() {
        const QByteArray b = esportazione::csv(digitate(esportazione::foglioBollettini(),
                                                        {{QString::fromUtf8("€ 1,50"), "000123", "A \"B\"", "x<y & z"}}));
        const QList<QByteArray> lines = b.split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith("Importo versato,C/C Postale n.,Cognome e nome Intestatario,"));
        QCOMPARE(lines[1], QString::fromUtf8("\"€ 1,50\",000123,\"A \"\"B\"\"\",x<y & z,,,,,,,,,,,\r").toUtf8());
        QVERIFY(esportazione::propria(b));
        QVERIFY(esportazione::propria(esportazione::xls(CelleFoglio(esportazione::foglioSchede()))));
        QVERIFY(!esportazione::propria("Importo versato\r\n"));
        QVERIFY(!esportazione::propria("<html><body>"));
    }

    void writeReplaces() {
        const QString path = m_dir.filePath("Esecutori.xls");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
        old.close();
        esportazione::scrivi(path, "nuovo");
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("nuovo"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files).filter("Esecutori").size(), 1);
    }

#ifdef Q_OS_UNIX
    // A pipe under the worksheet's name: the write neither waits for a reader nor writes into it;
    // the worksheet takes the name.
    void writeOverPipe() {
        const QString path = m_dir.filePath("tubo.xls");
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        esportazione::scrivi(path, "nuovo");
        QVERIFY(QFileInfo(path).isFile());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("nuovo"));
    }
#endif

    void writeFailsOnFolder() {
        const QString path = m_dir.filePath("cartella.xls");
        QVERIFY(QDir().mkpath(path));
        QVERIFY_THROWS_EXCEPTION(ArchiveError, esportazione::scrivi(path, "x"));
        QVERIFY(QFileInfo(path).isDir());
    }

#ifdef Q_OS_UNIX
    // A full disk halfway through: the earlier file stays whole and no temporary file is left.
    void writeFailsHalfway() {
        const QString path = m_dir.filePath("pieno.xls");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("vecchio");
        old.close();
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved;
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &small);
        bool threw = false;
        try {
            esportazione::scrivi(path, QByteArray(100000, 'y'));
        } catch (const ArchiveError&) {
            threw = true;
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(threw);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("vecchio"));
        QCOMPARE(QDir(m_dir.path()).entryList({"pieno*"}, QDir::Files | QDir::Hidden).size(), 1);
    }
#endif
};

QTEST_GUILESS_MAIN(TstEsportazione)
#include "tst_esportazione.moc"
