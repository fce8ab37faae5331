// The import of registry cards from a spreadsheet's CSV: how the file is read (separators,
// encodings, quotes), how the header is understood, the card each row makes or why it is refused,
// the warnings, and the append, which is all or nothing.
#include "archive/ArchiveError.h"
#include "formats/Esportazione.h"
#include "archive/FileLock.h"
#include "archive/RecordFile.h"
#include "checks/AvvisiScheda.h"
#include "formats/FoglioCsv.h"
#include "formats/ImportazioneSchede.h"
#include "common/FaultInjection.h"
#include "common/FileBytes.h"
#include "common/Records.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QDir>
#include <QTest>

using Scheda = TSchedaAnagrafica;
using Registro = RecordFile<Scheda>;

namespace {

QByteArray utf8(const char* s) { return QByteArray(s); }

QByteArray cp1252(const QString& s) {
    QByteArray out;
    for (QChar c : s) out.append(c == QChar(0x20AC) ? char(0x80) : char(c.unicode()));
    return out;
}

QByteArray utf16le(const QString& s) {
    QByteArray out("\xFF\xFE");
    for (QChar c : s) {
        out.append(char(c.unicode() & 0xff));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}

// A card's fields as "Field=value" pairs, the empty ones left out (Ricontatta always there).
QStringList campi(const Scheda& r) {
    QStringList out;
    forEachField(r, [&](const char* n, const auto& f) {
        if (!f.get().isEmpty()) out << QStringLiteral("%1=%2").arg(QLatin1String(n), f.get());
    });
    return out;
}

importazioneSchede::Piano piano(const QByteArray& bytes, const importazioneSchede::Chiavi& esistenti = {}) {
    return importazioneSchede::prepara(bytes, esistenti, avvisiScheda);
}

const QString kCfValido = QStringLiteral("RSSMRA80A01H501U");

} // namespace

class TstImportazione : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString& n) const { return m_dir->filePath(n); }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    // The same two members, saved in the ways spreadsheet programs save them.
    void reader_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("codifica");
        QTest::addColumn<QString>("separatore");
        const QString testo = QStringLiteral("Cognome e nome;Comune di residenza;Note\r\n"
                                             "Rossi Mario;Forl\u00ec;\r\nBianchi Anna;Citt\u00e0 di Castello;\u20ac 5\r\n");
        QString virgola = testo;
        virgola.replace(QLatin1Char(';'), QLatin1Char(','));
        QTest::newRow("LibreOffice: ';', UTF-8, CR LF") << testo.toUtf8() << "UTF-8" << ";";
        QTest::newRow("UTF-8 with its mark") << QByteArray("\xEF\xBB\xBF") + testo.toUtf8() << "UTF-8" << ";";
        QTest::newRow("LF alone") << QString(testo).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toUtf8()
                                  << "UTF-8" << ";";
        QTest::newRow("Excel: ';', Windows-1252") << cp1252(testo) << "Windows-1252" << ";";
        QTest::newRow("',' Windows-1252") << cp1252(virgola) << "Windows-1252" << ",";
        QTest::newRow("',' UTF-8, no final line break") << virgola.chopped(2).toUtf8() << "UTF-8" << ",";
        QTest::newRow("Excel's sep= line") << ("sep=,\r\n" + virgola).toUtf8() << "UTF-8" << ",";
        QTest::newRow("Unicode text: tab, UTF-16")
            << utf16le(QString(testo).replace(QLatin1Char(';'), QLatin1Char('\t'))) << "UTF-16" << "tab";
    }
    void reader() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, codifica);
        QFETCH(QString, separatore);
        const importazioneSchede::Piano p = piano(bytes);
        QCOMPARE(p.errore, QString());
        QCOMPARE(p.codifica, codifica);
        QCOMPARE(p.separatore, separatore == "tab" ? QChar(u'\t') : separatore[0]);
        QCOMPARE(p.righe.size(), 2);
        QCOMPARE(p.accettate(), 2);
        QCOMPARE(p.righe[0].scheda.Esecutore.get(), QStringLiteral("ROSSI MARIO"));
        QCOMPARE(p.righe[0].scheda.ComuneRes.get(), QStringLiteral("FORL\u00ec"));
        QCOMPARE(p.righe[1].scheda.ComuneRes.get(), QStringLiteral("CITT\u00e0 DI CASTELLO"));
        QCOMPARE(p.righe[1].scheda.Note.get(), QStringLiteral("\u20ac 5"));
        QCOMPARE(QByteArray(p.righe[1].scheda.Note.data, 1), QByteArray("\x80"));
        QCOMPARE(p.righe[1].linea, QTest::currentDataTag() == QByteArray("Excel's sep= line") ? 4 : 3);
    }

    // Quotes as spreadsheets write them: separators, doubled quotes and line breaks inside.
    void quotes() {
        const QByteArray bytes = "Cognome e nome;Indirizzo;Note\n"
                                 "\"Rossi; Mario\";\"Via \"\"Roma\"\" 1\";\"prima riga\r\nseconda riga\"\n"
                                 "  \"Verdi Luca\" ;Via Po 2;ha detto \"s\xc3\xac\"\n";
        const importazioneSchede::Piano p = piano(bytes);
        QCOMPARE(p.errore, QString());
        QCOMPARE(p.righe.size(), 2);
        QCOMPARE(p.righe[0].scheda.Esecutore.get(), QStringLiteral("ROSSI; MARIO"));
        QCOMPARE(p.righe[0].scheda.IndirizzoRes.get(), QStringLiteral("VIA \"ROMA\" 1"));
        // A line break inside a cell becomes one blank: the card's fields are single lines.
        QCOMPARE(p.righe[0].scheda.Note.get(), QStringLiteral("prima riga seconda riga"));
        QCOMPARE(p.righe[1].linea, 4);
        QCOMPARE(p.righe[1].scheda.Esecutore.get(), QStringLiteral("VERDI LUCA"));
        QCOMPARE(p.righe[1].scheda.Note.get(), QStringLiteral("ha detto \"s\u00ec\""));
    }

    // Header names: case, accents, blanks and punctuation do not matter; the export's headers and
    // the record's own field names are understood.
    void header_data() {
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<QString>("cella");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("record name") << "CodFisc" << "rssmra80a01h501u" << "CodFisc=" + kCfValido;
        QTest::newRow("export header") << "Codice fiscale" << kCfValido << "CodFisc=" + kCfValido;
        QTest::newRow("capitals and underscore") << "CODICE_FISCALE" << kCfValido << "CodFisc=" + kCfValido;
        QTest::newRow("abbreviation with dots") << "C.F." << kCfValido << "CodFisc=" + kCfValido;
        QTest::newRow("accent folded") << "CITTA'" << "roma" << "ComuneRes=ROMA";
        QTest::newRow("accented") << "Citt\u00e0" << "roma" << "ComuneRes=ROMA";
        QTest::newRow("workspace label with colon") << "Residente in Via / Piazza e numero civico:" << "via po 1"
                                                    << "IndirizzoRes=VIA PO 1";
        QTest::newRow("E-mail") << "e-mail" << " a@b.it " << "Email=a@b.it";
        QTest::newRow("control characters inside") << "Note" << "uno\x01\x02" "due\tcinque" << "Note=uno due cinque";
        QTest::newRow("Partita IVA with IT and blanks") << "P. IVA" << "IT 0743 1350 961" << "PartitaIva=07431350961";
        QTest::newRow("export: card expiry") << "Scadenza" << "12/27" << "ScadeCarta=12/27";
        QTest::newRow("export: reason") << "Causale" << "Quota 2025" << "Causale01=Quota 2025";
        QTest::newRow("export: contact") << "Recapito tel. preferenziale" << "333 1234567" << "Recapito=333 1234567";
        QTest::newRow("C/C Postale n.") << "C/C Postale n." << "0012 3456 7890" << "CCP=001234567890";
        QTest::newRow("IBAN with blanks") << "IBAN" << "it60 x054 2811 1010 0000 0123 456" << "Iban=IT60X0542811101000000123456";
        QTest::newRow("birth date, four-digit year") << "Data di nascita" << "1/2/1980" << "GG=01 MM=02 AA=80";
        QTest::newRow("birth date as exported") << "Data di nascita" << "05/11/62" << "GG=05 MM=11 AA=62";
        QTest::newRow("birth date ISO") << "Data di nascita" << "1980-12-31" << "GG=31 MM=12 AA=80";
        QTest::newRow("birth date empty as exported") << "Data di nascita" << "//" << "";
        QTest::newRow("export: town and province") << "Comune di residenza" << "Reggio Emilia re"
                                                   << "ProvRes=RE ComuneRes=REGGIO EMILIA";
        QTest::newRow("export: town of birth and province") << "Comune di nascita" << "Roma RM" << "ComuneNasc=Roma ProvNasc=RM";
        QTest::newRow("town without province") << "Comune di residenza" << "Porto Empedocle" << "ComuneRes=PORTO EMPEDOCLE";
        QTest::newRow("province lower case") << "Prov." << " mi" << "ProvRes=MI";
        QTest::newRow("sex in words") << "Sesso" << "Femmina" << "Sesso=F";
        QTest::newRow("recontact yes") << "Da ricontattare" << "s\u00ec" << "Ricontatta=S\u00ec";
        QTest::newRow("recontact x") << "Ricontatta" << "X" << "Ricontatta=S\u00ec";
    }
    void header() {
        QFETCH(QString, titolo);
        QFETCH(QString, cella);
        QFETCH(QString, atteso);
        auto q = [](QString s) { return QLatin1Char('"') + s.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"'); };
        const importazioneSchede::Piano p = piano((QStringLiteral("Nominativo;") + q(titolo) + QStringLiteral("\nRossi Mario;") + q(cella) + "\n").toUtf8());
        QCOMPARE(p.errore, QString());
        QCOMPARE(p.colonne.size(), 2);
        QVERIFY2(!p.colonne[1].campo.isEmpty(), qPrintable(p.colonne[1].ignorata));
        QCOMPARE(p.righe.size(), 1);
        QCOMPARE(p.righe[0].rifiuto, QString());
        QStringList c = campi(p.righe[0].scheda);
        c.removeAll(QStringLiteral("Esecutore=ROSSI MARIO"));
        if (!atteso.contains(QLatin1String("Ricontatta"))) c.removeAll(QStringLiteral("Ricontatta=No"));
        QCOMPARE(c.join(QLatin1Char(' ')), atteso);
    }

    // Surname and name in two columns make the card's one name; unknown columns are reported and
    // ignored, and so are a repeated column and the export grid's row number.
    void columns() {
        const importazioneSchede::Piano p =
            piano("N.;Cognome;Nome;Tessera;Codice fiscale;CodFisc;File01\n1;Rossi;Mario;A-17;" + kCfValido.toUtf8() +
                  ";XXX;foto.jpg\n");
        QCOMPARE(p.errore, QString());
        QStringList ignorate;
        for (const auto& c : p.colonne)
            if (c.campo.isEmpty()) ignorate << c.titolo;
        QCOMPARE(ignorate, QStringList({"N.", "Tessera", "CodFisc", "File01"}));
        QVERIFY(p.colonne[3].ignorata.contains(QLatin1String("non riconosciuta")));
        QVERIFY(p.colonne[5].ignorata.contains(QLatin1String("Codice fiscale")));
        QCOMPARE(p.righe[0].scheda.Esecutore.get(), QStringLiteral("ROSSI MARIO"));
        QCOMPARE(p.righe[0].scheda.CodFisc.get(), kCfValido);
        QCOMPARE(p.righe[0].scheda.File01.get(), QString());
    }

    // A card made by the import holds what the workspace would have stored after the same typing:
    // trimmed fields, upper case only where the workspace upper-cases, "No" when not flagged, and
    // zeros after each text.
    void cardAsTheWorkspaceMakesIt() {
        const importazioneSchede::Piano p = piano("Cognome e nome;Comune di nascita;Categoria;Note;Codice fiscale\n"
                                            " rossi m\xc3\xa8ria ;\tMilano ;soci ordinari; Pagato \xc3\xa8 ok;" +
                                            kCfValido.toLower().toUtf8() + "\n");
        QCOMPARE(p.righe.size(), 1);
        const Scheda& r = p.righe[0].scheda;
        Scheda atteso = record<Scheda>({{"Esecutore", QStringLiteral("ROSSI M\u00e8RIA")},
                                        {"ComuneNasc", "Milano"},
                                        {"Categoria", "soci ordinari"},
                                        {"Note", QStringLiteral("Pagato \u00e8 ok")},
                                        {"CodFisc", kCfValido},
                                        {"Ricontatta", "No"}});
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&r), sizeof r),
                 QByteArray(reinterpret_cast<const char*>(&atteso), sizeof atteso));
    }

    // Each reason a row is refused, said in Italian with what is wrong.
    void refusals_data() {
        QTest::addColumn<QString>("riga");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("no name") << ";Roma;;" << "Manca il nome";
        QTest::newRow("blank name") << "   ;Roma;;" << "Manca il nome";
        QTest::newRow("name too long")
            << "Associazione Culturale Amici della Musica;Roma;;"
            << "\u00abCognome e nome o ragione sociale\u00bb \u00e8 troppo lungo: 41 caratteri, al massimo 34";
        QTest::newRow("street too long") << "Rossi Mario;Roma;Via dei Mille numero 1234;"
                                         << "\u00abResidente in Via / Piazza e numero civico\u00bb \u00e8 troppo lungo: "
                                            "25 caratteri, al massimo 23";
        QTest::newRow("not Windows-1252") << "Dvo\u0159\u00e1k Anton\u00edn;Praha;;" << "caratteri che l'archivio non "
                                                                                    "pu\u00f2 conservare: \u0159";
        QTest::newRow("emoji") << "Rossi Mario;Roma;;ok \U0001F600" << "\u00abNote\u00bb contiene caratteri che "
                                                                      "l'archivio non pu\u00f2 conservare: \U0001F600";
        QTest::newRow("letters in a digits field") << "Rossi Mario;Roma;;;1,23E+11" << "\u00abC/C Postale n.\u00bb "
                                                                                       "pu\u00f2 contenere solo cifre";
        QTest::newRow("two reasons") << ";Roma;Via dei Mille numero 1234;" << "Manca il nome (\u00abCognome e nome o "
                                                                              "ragione sociale\u00bb); \u00abResidente";
        QTest::newRow("same as an earlier row") << "Bianchi Anna;Milano;;" << "Ripete la scheda della riga 2 del file";
        QTest::newRow("already in the registry") << "Verdi Luca;Torino;;" << "In archivio c'\u00e8 gi\u00e0 una scheda "
                                                                             "con lo stesso nome e codice fiscale (n. 4)";
    }
    void refusals() {
        QFETCH(QString, riga);
        QFETCH(QString, motivo);
        importazioneSchede::Chiavi esistenti;
        esistenti.insert(importazioneSchede::chiave(record<Scheda>({{"Esecutore", "VERDI LUCA"}})), 4);
        const importazioneSchede::Piano p = piano(
            ("Cognome e nome;Comune di residenza;Indirizzo;Note;CCP\nBianchi Anna;Roma;;\n" + riga + "\n").toUtf8(),
            esistenti);
        QCOMPARE(p.errore, QString());
        QCOMPARE(p.righe.size(), 2);
        QCOMPARE(p.righe[0].rifiuto, QString());
        QVERIFY2(p.righe[1].rifiuto.contains(motivo), qPrintable(p.righe[1].rifiuto));
        QCOMPARE(p.accettate(), 1);
        QCOMPARE(p.rifiutate(), 1);
    }

    // Same name but another tax code is another person; the name compares as the lists compare.
    void duplicatesByNameAndTaxCode() {
        const importazioneSchede::Piano p = piano(("Nominativo;Codice fiscale\nRossi Mario;" + kCfValido +
                                             "\nRossi Mario;\nROSSI mario;" + kCfValido.toLower() + "\nRossi Mario;\n")
                                                .toUtf8());
        QCOMPARE(p.righe.size(), 4);
        QCOMPARE(p.righe[0].rifiuto, QString());
        QCOMPARE(p.righe[1].rifiuto, QString());
        QVERIFY(p.righe[2].rifiuto.contains(QLatin1String("riga 2")));
        QVERIFY(p.righe[3].rifiuto.contains(QLatin1String("riga 3")));
    }

    // Identity numbers that fail their checks are imported all the same, with a warning.
    void warnings_data() {
        QTest::addColumn<QString>("cf");
        QTest::addColumn<QString>("iva");
        QTest::addColumn<QString>("iban");
        QTest::addColumn<QStringList>("avvisi");
        QTest::newRow("all valid") << kCfValido << "07431350961" << "IT60X0542811101000000123456" << QStringList();
        QTest::newRow("all empty") << "" << "" << "" << QStringList();
        QTest::newRow("tax code wrong") << "RSSMRA80A01H501X" << "" << ""
                                        << QStringList{"Il codice fiscale RSSMRA80A01H501X \u00e8 ERRATO."};
        QTest::newRow("tax code short") << "RSSMRA80" << "" << ""
                                        << QStringList{"Il codice fiscale RSSMRA80 non \u00e8 di 16 caratteri."};
        QTest::newRow("firm's tax code judged as VAT") << "07431350960" << "" << ""
                                                       << QStringList{"Il codice fiscale 07431350960 (numerico, di una "
                                                                      "ditta) non supera il controllo della partita IVA."};
        QTest::newRow("postal code without its leading zero")
            << "" << "" << "" << QStringList{"Il CAP 184 \u00e8 stato completato in 00184: il foglio di calcolo ne aveva "
                                             "tolto gli zeri iniziali."};
        QTest::newRow("VAT wrong, IBAN wrong") << "" << "07431350960" << "IT60X0542811101000000123457"
                                               << QStringList{"La partita IVA 07431350960 \u00e8 ERRATA.",
                                                              "L'IBAN IT60X0542811101000000123457 \u00e8 ERRATO."};
    }
    void warnings() {
        QFETCH(QString, cf);
        QFETCH(QString, iva);
        QFETCH(QString, iban);
        QFETCH(QStringList, avvisi);
        const QString cap = QTest::currentDataTag() == QByteArray("postal code without its leading zero") ? "184" : "47121";
        const importazioneSchede::Piano p = piano(("Nominativo;Codice fiscale;Partita IVA;IBAN;CAP\nRossi Mario;" + cf + ";" +
                                             iva + ";" + iban + ";" + cap + "\n").toUtf8());
        QCOMPARE(p.righe.size(), 1);
        QCOMPARE(p.righe[0].rifiuto, QString());
        QCOMPARE(p.righe[0].avvisi, avvisi);
        QCOMPARE(p.conAvvisi(), avvisi.isEmpty() ? 0 : 1);
        QCOMPARE(p.righe[0].scheda.CapRes.get(), cap.rightJustified(5, '0'));
    }

    // A file that cannot be imported at all says why, and imports nothing.
    void notACsv_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("empty") << QByteArray() << "Il file \u00e8 vuoto.";
        QTest::newRow("blank lines only") << QByteArray("\r\n  \r\n;;;\r\n") << "Il file \u00e8 vuoto.";
        QTest::newRow("binary") << QByteArray("Cognome e nome\n\x01\x02\x00\x00\x7f\x00 zz", 24) << "non contiene testo";
        QTest::newRow("XLSX or ODS") << QByteArray("PK\x03\x04\x14\x00\x06\x00", 8) << "cartella di lavoro (XLSX o ODS)";
        QTest::newRow("old XLS") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") << "Excel (XLS)";
        QTest::newRow("the program's own export")
            << esportazione::xls(CelleFoglio(esportazione::foglioSchede())) << "pagina HTML";
        QTest::newRow("no header") << QByteArray("Rossi Mario;Roma;00100\nBianchi Anna;Milano;20100\n")
                                   << "non contiene i nomi delle colonne";
        QTest::newRow("no name column") << QByteArray("Codice fiscale;Comune\nX;Roma\n") << "manca la colonna del nome";
        QTest::newRow("too many rows") << ("Nominativo\n" + QByteArray("x\n").repeated(foglioCsv::kMassimoRighe + 1))
                                       << "pi\u00f9 di 100000 righe";
        QTest::newRow("line breaks alone") << ("Nominativo\n" + QByteArray("\n").repeated(foglioCsv::kMassimoRighe + 5))
                                           << "pi\u00f9 di 100000 righe";
        QTest::newRow("two encodings in one file")
            << (QByteArray("Nominativo;Note\nNiccol\xc3\xb2 Rossi;l\xe2\x80\x99" "amico\n") + QByteArray("Luc\xe0 Bianchi;x\n"))
            << "due codifiche";
        QTest::newRow("quote never closed") << QByteArray("Nominativo;Note\nRossi;ok\nBianchi;\"aperta\nVerdi;x\n")
                                            << "virgolette aperte alla riga 3";
    }
    void notACsv() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, motivo);
        const importazioneSchede::Piano p = piano(bytes);
        QVERIFY2(p.errore.contains(motivo), qPrintable(p.errore));
        QVERIFY(p.righe.isEmpty());
    }

    // A file too large is refused before it is read.
    void tooLarge() {
        QFile f(path("enorme.csv"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(foglioCsv::kMassimo + 1));
        f.close();
        const importazioneSchede::Piano p = importazioneSchede::preparaFile(path("enorme.csv"), {});
        QVERIFY2(p.errore.contains(QLatin1String("troppo grande")), qPrintable(p.errore));
        QVERIFY(importazioneSchede::preparaFile(path("manca.csv"), {}).errore.contains(QLatin1String("non esiste")));
        QVERIFY(importazioneSchede::preparaFile(m_dir->path(), {}).errore.contains(QStringLiteral("non \u00e8 un file")));
    }

    // What the registry export writes, the import reads back into the same cards (but for the
    // fields the export leaves out).
    void exportReadsBack() {
        const QList<Scheda> schede = {
            record<Scheda>({{"Esecutore", "ROSSI MARIO"}, {"GG", "01"}, {"MM", "01"}, {"AA", "80"},
                            {"ComuneNasc", "Roma"}, {"ProvNasc", "RM"}, {"Sesso", "M"}, {"Recapito", "333 1"},
                            {"IndirizzoRes", "VIA PO, 1"}, {"ProvRes", "RE"}, {"ComuneRes", "REGGIO EMILIA"},
                            {"CapRes", "42121"}, {"Categoria", "soci"}, {"TelCasa", "0522 1"}, {"Email", "m@r.it"},
                            {"CodFisc", kCfValido}, {"PartitaIva", "07431350961"}, {"Carta", "4111111111111111"},
                            {"ScadeCarta", "12/27"}, {"Iban", "IT60X0542811101000000123456"}, {"NumDoc", "AB 1"},
                            {"EnteRil", "Comune"}, {"DataRil", "01/02/2020"}, {"CCP", "123456"},
                            {"Causale01", "Quota \"sociale\""}, {"Note", "nota; con ; e ,"}, {"Ricontatta", "No"}}),
            record<Scheda>({{"Esecutore", "BIANCHI ANNA"}, {"ComuneRes", "MILANO"}, {"Ricontatta", "No"}}),
        };
        CelleFoglio righe(esportazione::foglioSchede());
        for (const Scheda& s : schede) righe.aggiungi(s);
        const importazioneSchede::Piano p = piano(esportazione::csv(righe));
        QCOMPARE(p.errore, QString());
        for (const auto& c : p.colonne) QVERIFY2(!c.campo.isEmpty(), qPrintable(c.titolo));
        QCOMPARE(p.righe.size(), 2);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(p.righe[i].rifiuto, QString());
            QCOMPARE(campi(p.righe[i].scheda), campi(schede[i]));
        }
    }

    // The accepted rows go after the cards already there, in file order.
    void appendsAfterTheRegistry() {
        const QString reg = path("Esecutori.pro");
        {
            Registro f(reg);
            f.append(record<Scheda>({{"Esecutore", "VERDI LUCA"}, {"Ricontatta", "No"}}));
        }
        importazioneSchede::Piano p = piano("Nominativo\nRossi Mario\n\nVerdi Luca\nBianchi Anna\n", importazioneSchede::chiavi(reg));
        QCOMPARE(p.vuote, 1);
        QCOMPARE(p.accettate(), 2);
        QCOMPARE(importazioneSchede::importa(reg, p), 2);
        QCOMPARE(p.righe[0].posizione, 2);
        QCOMPARE(p.righe[1].posizione, 0);
        QCOMPARE(p.righe[2].posizione, 3);
        Registro f(reg);
        QCOMPARE(f.count(), 3);
        QCOMPARE(f.read(2).Esecutore.get(), QStringLiteral("BIANCHI ANNA"));
    }

    // Another program saves the same person between the preview and the import: that row is
    // refused at the import, the others go in.
    void duplicateSavedMeanwhile() {
        const QString reg = path("Esecutori.pro");
        importazioneSchede::Piano p = piano("Nominativo\nRossi Mario\nBianchi Anna\n", importazioneSchede::chiavi(reg));
        QCOMPARE(p.accettate(), 2);
        {
            Registro f(reg);
            f.append(record<Scheda>({{"Esecutore", "BIANCHI ANNA"}, {"Ricontatta", "No"}}));
        }
        QCOMPARE(importazioneSchede::importa(reg, p), 1);
        QVERIFY(p.righe[1].rifiuto.contains(QLatin1String("(n. 1)")));
        QCOMPARE(p.righe[0].posizione, 2);
        QCOMPARE(Registro(reg).count(), 2);
    }

    // Nothing to add: the registry is not even created.
    void nothingToAddCreatesNothing() {
        const QString reg = path("Esecutori.pro");
        importazioneSchede::Piano p = piano("Nominativo;Note\n;senza nome\n");
        QCOMPARE(p.accettate(), 0);
        QCOMPARE(importazioneSchede::importa(reg, p), 0);
        QVERIFY(!QFileInfo::exists(reg));
    }

    // A failure part-way leaves the registry byte for byte as it was, a partial record at its end
    // included, and says so.
    void allOrNothing_data() {
        QTest::addColumn<QString>("guasto");
        QTest::newRow("full disk after a few cards") << "full";
        QTest::newRow("read-only folder") << "readonly";
        QTest::newRow("lock held by another program") << "lock";
    }
    void allOrNothing() {
        QFETCH(QString, guasto);
        const QString reg = path("Esecutori.pro");
        {
            Registro f(reg);
            for (int i = 0; i < 3; ++i)
                f.append(record<Scheda>({{"Esecutore", QStringLiteral("SOCIO %1").arg(i)}, {"Ricontatta", "No"}}));
        }
        QFile tail(reg);
        QVERIFY(tail.open(QIODevice::Append));
        tail.write("piece of a card");
        tail.close();
        const QByteArray before = readAll(reg);
        QString csv = QStringLiteral("Nominativo;Note\n");
        for (int i = 0; i < 200; ++i) csv += QStringLiteral("Nuovo socio %1;nota\n").arg(i);
        importazioneSchede::Piano p = piano(csv.toUtf8(), importazioneSchede::chiavi(reg));
        QCOMPARE(p.accettate(), 200);

        bool failed = false;
        auto attempt = [&] {
            try {
                importazioneSchede::importa(reg, p);
            } catch (const ArchiveError&) {
                failed = true;
            }
        };
        if (guasto == "full") {
            fault::FullDisk full(before.size() + 10 * 2997);
            FAULT_OR_SKIP(full);
            attempt();
        } else if (guasto == "readonly") {
            fault::ReadOnlyFolder ro(m_dir->path());
            FAULT_OR_SKIP(ro);
            attempt();
        } else {
            QFile other(reg);
            QVERIFY(other.open(QIODevice::ReadWrite));
            const auto limit = FileLock::waitLimit();
            FileLock::setWaitLimit(std::chrono::milliseconds(200));
            {
                FileLock held(other, FileLock::Exclusive);
                attempt();
            }
            FileLock::setWaitLimit(limit);
        }
        QVERIFY(failed);
        QCOMPARE(readAll(reg), before);
        for (const auto& r : p.righe) QCOMPARE(r.posizione, 0);
        // No journal stays to undo anything later, nor the hidden file of one.
        const auto files = [&] { return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden); };
        QCOMPARE(files(), QStringList{"Esecutori.pro"});
        // Once the fault is gone the same import goes through whole.
        QCOMPARE(importazioneSchede::importa(reg, p), 200);
        QCOMPARE(QFileInfo(reg).size(), 203 * 2997);
        QCOMPARE(files(), QStringList{"Esecutori.pro"});
    }

    // A new registry in a read-only folder is not created; on a full disk one left empty is what
    // any first look at the registry would leave.
    void newRegistryUnderFault() {
        const QString reg = path("Esecutori.pro");
        importazioneSchede::Piano p = piano("Nominativo\nRossi Mario\nBianchi Anna\n");
        {
            fault::ReadOnlyFolder ro(m_dir->path());
            FAULT_OR_SKIP(ro);
            QVERIFY_THROWS_EXCEPTION(ArchiveError, importazioneSchede::importa(reg, p));
        }
        QVERIFY(!QFileInfo::exists(reg));
        {
            fault::FullDisk full(2997 + 100);
            FAULT_OR_SKIP(full);
            QVERIFY_THROWS_EXCEPTION(ArchiveError, importazioneSchede::importa(reg, p));
        }
        QCOMPARE(QFileInfo(reg).size(), 0);
    }
};

QTEST_GUILESS_MAIN(TstImportazione)
#include "tst_importazione.moc"
