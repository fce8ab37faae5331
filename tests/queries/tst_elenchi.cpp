#include "common/Records.h"
#include "archive/ArchiveError.h"
#include "queries/Elenco.h"
#include "archive/RecordFile.h"
#include "queries/RigheElenco.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <numeric>

using SlipFile = RecordFile<TSchedaBollettino>;
using CardFile = RecordFile<TSchedaAnagrafica>;

namespace {

QString pad(const QString& s, int n) { return s.leftJustified(n, ' ', true); }

TSchedaBollettino slip(const Fields& f) { return record<TSchedaBollettino>(f); }
TSchedaAnagrafica card(const Fields& f) { return record<TSchedaAnagrafica>(f); }

TSchedaBollettino dueSlip(const QString& ccp, const QString& scade, const QString& saldato) {
    return slip({{"CCP", ccp}, {"DataScade", scade}, {"Saldato", saldato}, {"Intestatario", "ENTE"}});
}

} // namespace

class TstElenchi : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

    template <class T> QString write(const QString& name, const QList<T>& records) {
        QFile::remove(path(name));
        RecordFile<T> f(path(name));
        for (const T& r : records) f.append(r);
        return path(name);
    }

private slots:
    void slipLine_data() {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QString>("line");
        const QString euro = QString::fromUtf8("  € ");
        QTest::newRow("every column padded")
            << Fields{{"CCP", "12345"}, {"DataScade", "05/03/2024"}, {"Intero", "150,00"},
                      {"Intestatario", "ROSSI MARIO"}, {"Esecutore", "BIANCHI ANNA"}, {"Causale01", "Quota 2024"}}
            << "CCP " + pad("12345", 12) + "  Scad. 05/03/2024" + euro + pad("150,00", 11) + "  A: " +
                   pad("ROSSI MARIO", 24) + " DA: " + pad("BIANCHI ANNA", 24) + "  Quota 2024";
        QTest::newRow("holder cut to 24, reason whole")
            << Fields{{"CCP", "123456789012"}, {"DataScade", "31/12/2024"}, {"Intero", "12345678,99"},
                      {"Intestatario", "ASSOCIAZIONE CULTURALE AMICI DELLA MUSICA"},
                      {"Esecutore", "ABCDEFGHIJKLMNOPQRSTUVW"},
                      {"Causale01", "   " + QString(200, 'x') + "  "}}
            << "CCP 123456789012  Scad. 31/12/2024" + euro + "12345678,99  A: ASSOCIAZIONE CULTURALE A DA: " +
                   "ABCDEFGHIJKLMNOPQRSTUVW   " + QString(200, 'x');
        QTest::newRow("empty slip keeps its columns")
            << Fields{} << "CCP " + pad("", 12) + "  Scad. " + pad("", 10) + euro + pad("", 11) + "  A: " +
                               pad("", 24) + " DA: " + pad("", 24) + "  ";
        QTest::newRow("control characters shown as ?")
            << Fields{{"CCP", "1"}, {"Causale01", QString("riga\nseconda\x01") + QChar(0x81) + "fine"}}
            << "CCP " + pad("1", 12) + "  Scad. " + pad("", 10) + euro + pad("", 11) + "  A: " + pad("", 24) +
                   " DA: " + pad("", 24) + "  riga?seconda??fine";
    }
    void slipLine() {
        QFETCH(Fields, fields);
        QFETCH(QString, line);
        QCOMPARE(rigaBollettino(slip(fields)), line);
        QCOMPARE(line.indexOf(" DA: "), 4 + 12 + 8 + 10 + 4 + 11 + 5 + 24);
    }

    void cardLine_data() {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QString>("line");
        QTest::newRow("every column")
            << Fields{{"Esecutore", "ROSSI MARIO"}, {"CodFisc", "RSSMRA80A01H501U"}, {"ComuneRes", "ROMA"},
                      {"ProvRes", "RM"}, {"Recapito", "06 1234567"}, {"CCP", "123456"}, {"Note", "socio dal 2010"}}
            << pad("ROSSI MARIO", 23) + "  C.F. RSSMRA80A01H501U  " + pad("ROMA RM", 20) + "  Tel. " +
                   pad("06 1234567", 20) + "  CCP: " + pad("123456", 12) + "  socio dal 2010";
        // The town is stored cut to its 17 characters before the province is added.
        QTest::newRow("name cut to 23, note never cut")
            << Fields{{"Esecutore", "ASSOCIAZIONE CULTURALE AMICI"}, {"ComuneRes", "SAN GIOVANNI ROTONDO"},
                      {"ProvRes", "FG"}, {"Recapito", "assoc.culturale.amici@example.com"}, {"Note", QString(250, 'n')}}
            << "ASSOCIAZIONE CULTURALE   C.F. " + pad("", 16) + "  SAN GIOVANNI ROTO FG  Tel. " +
                   "assoc.culturale.amic  CCP: " + pad("", 12) + "  " + QString(250, 'n');
        QTest::newRow("province without town keeps the blank before it")
            << Fields{{"Esecutore", "X"}, {"ProvRes", "MI"}}
            << pad("X", 23) + "  C.F. " + pad("", 16) + "  " + pad(" MI", 20) + "  Tel. " + pad("", 20) + "  CCP: " +
                   pad("", 12) + "  ";
    }
    void cardLine() {
        QFETCH(Fields, fields);
        QFETCH(QString, line);
        QCOMPARE(RigaScheda(card(fields)), line);
        QCOMPARE(line.indexOf("  CCP: ") + 7 + 12 + 2, 116);
    }

    // One filter against one field value.
    void filterMatch_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("taken");
        QTest::newRow("piece of a word, case of A-Z ignored") << "Esecutore" << "ross" << "ROSSI MARIO" << true;
        QTest::newRow("inside a longer name") << "Esecutore" << "ross" << "ROSSINI" << true;
        QTest::newRow("words in another order") << "Esecutore" << "rossi mario" << "MARIO ROSSI" << false;
        QTest::newRow("month and year of a date") << "DataScade" << "03/2024" << "15/03/2024" << true;
        QTest::newRow("other month") << "DataScade" << "03/2024" << "15/04/2024" << false;
        QTest::newRow("amount 150 in 150,00") << "Intero" << "150" << "150,00" << true;
        QTest::newRow("amount 150 in 1150,00") << "Intero" << "150" << "1150,00" << true;
        QTest::newRow("amount 150 not in 15,00") << "Intero" << "150" << "15,00" << false;
        QTest::newRow("accented letters keep their case") << "Causale01" << QString::fromUtf8("è") << QString::fromUtf8("PERCHÈ") << false;
        QTest::newRow("accented letter as stored") << "Causale01" << QString::fromUtf8("È") << QString::fromUtf8("PERCHÈ") << true;
        QTest::newRow("leading blank searched as typed") << "Causale01" << " ass" << "Cassa" << false;
        QTest::newRow("leading blank found") << "Causale01" << " ass" << "Quota associativa" << true;
        QTest::newRow("trailing blanks of the field do not count") << "Note" << "a " << "casa" << false;
        QTest::newRow("euro sign as stored") << "Causale01" << QString::fromUtf8("€ 5") << QString::fromUtf8("quota € 50") << true;
        QTest::newRow("a character no record can hold") << "Causale01" << QString::fromUtf8("ā") << QString::fromUtf8("ā") << false;
    }
    void filterMatch() {
        QFETCH(QString, field);
        QFETCH(QString, filter);
        QFETCH(QString, value);
        QFETCH(bool, taken);
        FiltriTesto f;
        QVERIFY(elenchi::filtriBollettini({{field, filter}}, f));
        QCOMPARE(f.richiesti(), 1);
        QCOMPARE(f.accetta(slip({{field, value}})), taken);
    }

    void filterCount_data() {
        QTest::addColumn<Fields>("filters");
        QTest::addColumn<int>("required");
        QTest::addColumn<bool>("taken");
        // The slip: CCP 123456, payer ROSSI MARIO, reason "Quota  annuale" (two blanks).
        QTest::newRow("no filter takes everything") << Fields{} << 0 << true;
        QTest::newRow("all filters empty") << Fields{{"CCP", ""}, {"Note", ""}} << 0 << true;
        QTest::newRow("two given, both match") << Fields{{"CCP", "234"}, {"Esecutore", "mario"}} << 2 << true;
        QTest::newRow("two given, one does not match") << Fields{{"CCP", "999"}, {"Esecutore", "mario"}} << 2 << false;
        QTest::newRow("blanks alone are not required") << Fields{{"Note", "   "}} << 0 << true;
        // Not required, yet a hit: the one given filter fails and the blanks make up for it.
        QTest::newRow("blanks alone still count as a hit")
            << Fields{{"CCP", "999"}, {"Causale01", "  "}} << 1 << true;
        QTest::newRow("blanks that are not there") << Fields{{"CCP", "999"}, {"Causale01", "   "}} << 1 << false;
    }
    void filterCount() {
        QFETCH(Fields, filters);
        QFETCH(int, required);
        QFETCH(bool, taken);
        FiltriTesto f;
        QVERIFY(elenchi::filtriBollettini(filters, f));
        QCOMPARE(f.richiesti(), required);
        QCOMPARE(f.accetta(slip({{"CCP", "123456"}, {"Esecutore", "ROSSI MARIO"}, {"Causale01", "Quota  annuale"}})),
                 taken);
    }

    void filterFieldsAreTheScreensTen() {
        FiltriTesto f;
        QString unknown;
        QVERIFY(!elenchi::filtriBollettini({{"CCP", "1"}, {"Timbro", "x"}}, f, &unknown));
        QCOMPARE(unknown, QString("Timbro"));
        QVERIFY(!elenchi::filtriSchede({{"Recapito", "x"}}, f, &unknown));
        QCOMPARE(unknown, QString("Recapito"));
        QCOMPARE(elenchi::kFiltriBollettini.size(), 10);
        QCOMPARE(elenchi::kFiltriSchede.size(), 10);
        FiltriTesto cards;
        QVERIFY(elenchi::filtriSchede({{"PartitaIva", "0123"}}, cards));
        QVERIFY(cards.accetta(card({{"PartitaIva", "00123456789"}})));
        QVERIFY(!cards.accetta(card({{"CodFisc", "00123456789"}})));
    }

    void order() {
        Elenco e;
        const QStringList in = {"b", "CCP 2  Scad. 15/01/2024", "a", "CCP 2  Scad. 02/05/2024", "B", "_x", "A",
                                QString::fromUtf8("É"), "e"};
        for (int i = 0; i < in.size(); ++i) e.aggiungi(in[i], i + 1);
        e.ordina();
        // A-Z fold to a-z (0x61-0x7A), so "_" (0x5F) comes first; É (0xC9) stays after every ASCII letter.
        QCOMPARE(e.righe(), (QStringList{"_x", "a", "A", "b", "B", "CCP 2  Scad. 02/05/2024",
                                         "CCP 2  Scad. 15/01/2024", "e", QString::fromUtf8("É")}));
    }

    // The lists sort the stored bytes; the order must be the one of the text the user sees: whole
    // text ascending, A-Z folded, every other character by its code (the euro sign after every
    // accented letter, though its byte comes before them), a line before the longer lines it begins.
    void orderAgreesWithTheText_data() {
        QTest::addColumn<QString>("comune"); // what every line begins with
        QTest::addColumn<int>("lunghezza");  // the longest tail after it
        QTest::addColumn<bool>("dopo");      // some lines come after a first sort
        QTest::addColumn<QString>("colonna"); // a piece every line has at the same place
        QTest::newRow("short lines") << QString() << 6 << false << QString();
        QTest::newRow("beyond the keys") << QString() << 40 << false << QString();
        QTest::newRow("one account for all") << "CCP 12345678      Scad. " << 30 << false << QString();
        QTest::newRow("folded beginning") << "Ccp Rossi " << 20 << false << QString();
        QTest::newRow("lines added after sorting") << "CCP 1" << 25 << true << QString();
        QTest::newRow("columns alike between") << "CCP 1" << 25 << false << "/2024  € ";
        QTest::newRow("columns alike, added after sorting") << QString() << 30 << true << "  A: ENTE ";
    }
    void orderAgreesWithTheText() {
        QFETCH(QString, comune);
        QFETCH(int, lunghezza);
        QFETCH(bool, dopo);
        QFETCH(QString, colonna);
        QRandomGenerator rng(7);
        // Few characters, so that lines often differ late or only in the case of A-Z.
        QString alfabeto = QString::fromUtf8("aAbBzZ _09?\u00e8\u00c8\u20ac\u0153\u00ff\u00a0~");
        alfabeto += QChar(0x81);
        alfabeto += QChar(0x01);
        QStringList righe;
        for (int i = 0; i < 1500; ++i) {
            QString t = comune;
            // Now and then a line that is the beginning alone, or a copy of an earlier line.
            if (i % 97 == 50) { righe << t; continue; }
            if (i % 13 == 0 && !righe.isEmpty()) { righe << righe[rng.bounded(int(righe.size()))]; continue; }
            // Often an earlier line with one character changed, cut or added anywhere: lines that
            // differ only late, past the keys the sort starts from.
            if (i % 3 == 0 && !righe.isEmpty()) {
                t = righe[rng.bounded(int(righe.size()))];
                const int k = rng.bounded(int(t.size()) + 1);
                const QChar c = alfabeto[rng.bounded(int(alfabeto.size()))];
                switch (rng.bounded(3)) {
                case 0: t.insert(k, c); break;
                case 1: if (k < t.size()) t[k] = c; break;
                default: t.truncate(k);
                }
                righe << t;
                continue;
            }
            const int n = 1 + rng.bounded(lunghezza);
            for (int k = 0; k < n; ++k) {
                t += alfabeto[rng.bounded(int(alfabeto.size()))];
                if (k == 2) t += colonna;
            }
            if (i % 7 == 0) t = t.toUpper(); // the same line but for case, when A-Z folded
            righe << t;
        }
        Elenco e;
        const qsizetype prima = dopo ? righe.size() / 2 : righe.size();
        for (qsizetype i = 0; i < prima; ++i) e.aggiungi(righe[i], i + 1);
        e.ordina();
        for (qsizetype i = prima; i < righe.size(); ++i) e.aggiungi(righe[i], i + 1);
        e.ordina();

        QList<qint64> attese(righe.size());
        std::iota(attese.begin(), attese.end(), 1);
        std::stable_sort(attese.begin(), attese.end(), [&](qint64 a, qint64 b) {
            return text::compareAZ(righe[a - 1], righe[b - 1]) < 0;
        });
        QCOMPARE(e.size(), righe.size());
        for (qsizetype i = 0; i < e.size(); ++i) {
            const VoceElenco v = e[i];
            QCOMPARE(v.posizione, attese[i]);
            QCOMPARE(v.riga, righe[attese[i] - 1]);
            // The record loaded is the last of those that gave this very line.
            qint64 ultimo = 0;
            for (qsizetype k = 0; k < righe.size(); ++k)
                if (righe[k] == v.riga) ultimo = k + 1;
            QCOMPARE(v.daCaricare, ultimo);
        }
    }

    void identicalLinesLoadTheLaterRecord() {
        Elenco e;
        e.aggiungi("ROSSI", 1);
        e.aggiungi("ABC", 2);
        e.aggiungi("ROSSI", 3);
        e.aggiungi("rossi", 4); // compares equal but is another line
        e.aggiungi("ROSSI", 5);
        e.ordina();
        QCOMPARE(e.size(), 5);
        for (const VoceElenco& v : e.voci()) {
            if (v.riga == "ROSSI") QCOMPARE(v.daCaricare, qint64(5));
            else QCOMPARE(v.daCaricare, v.posizione);
        }
    }

    void searchSlips() {
        const QString p = write<TSchedaBollettino>(
            "2024.bol", {slip({{"CCP", "300"}, {"Esecutore", "ROSSI MARIO"}}),
                         slip({{"CCP", "100"}, {"Esecutore", "ROSSINI"}}),
                         slip({{"CCP", "200"}, {"Esecutore", "MARIO ROSSI"}})});
        FiltriTesto f;
        QVERIFY(elenchi::filtriBollettini({{"Esecutore", "ross"}}, f));
        Elenco e;
        elenchi::cercaBollettini(p, f, e, elenchi::Accesso::ReadOnly);
        QCOMPARE(e.size(), 3);
        QVERIFY(e[0].riga.startsWith("CCP 100 "));
        QCOMPARE(e[0].posizione, qint64(2));
        QVERIFY(e[2].riga.startsWith("CCP 300 "));

        FiltriTesto words;
        QVERIFY(elenchi::filtriBollettini({{"Esecutore", "rossi mario"}}, words));
        Elenco w;
        elenchi::cercaBollettini(p, words, w, elenchi::Accesso::ReadOnly);
        QCOMPARE(w.size(), 1);
        QCOMPARE(w[0].posizione, qint64(1));
    }

    void unpaidAndExpired() {
        const QDate today(2024, 6, 15);
        const QString p = write<TSchedaBollettino>(
            "2024.bol", {dueSlip("1", "15/06/2024", "No"),  // due today: expired
                         dueSlip("2", "16/06/2024", "No"),  // due tomorrow: only unpaid
                         dueSlip("3", "01/01/2024", QString::fromUtf8("Sì")), // paid
                         dueSlip("4", "31/02/2024", "No"),  // not a date: never expired
                         dueSlip("5", "", "No"),            // no date
                         dueSlip("6", "10/12/2023", "No"),  // an earlier year in this year's file
                         dueSlip("7", "01/06/2024", "no"),  // neither flag: not listed
                         dueSlip("8", "01/06/2024", "  No "), // trimmed on reading
                         dueSlip("9", "01/06/24", "No")});   // a two-digit year: not a date
        Elenco unpaid, expired;
        elenchi::bollettiniDaSaldare(p, unpaid, elenchi::Accesso::ReadOnly);
        elenchi::bollettiniScaduti(p, today, expired, elenchi::Accesso::ReadOnly);
        auto positions = [](const Elenco& e) {
            QList<qint64> out;
            for (const VoceElenco& v : e.voci()) out.append(v.posizione);
            return out;
        };
        QCOMPARE(positions(unpaid), (QList<qint64>{1, 2, 4, 5, 6, 8, 9}));
        QCOMPARE(positions(expired), (QList<qint64>{1, 6, 8}));
    }

    void recontact() {
        const QString p = write<TSchedaAnagrafica>(
            "Esecutori.pro", {card({{"Esecutore", "A"}, {"Ricontatta", QString::fromUtf8("Sì")}}),
                              card({{"Esecutore", "B"}, {"Ricontatta", "No"}, {"Note", "richiamare"}}),
                              card({{"Esecutore", "C"}, {"Ricontatta", QString::fromUtf8("sì")}}),
                              card({{"Esecutore", "D"}, {"Ricontatta", QString::fromUtf8("Sì")}})});
        Elenco e;
        elenchi::schedeDaRicontattare(p, e, elenchi::Accesso::ReadOnly);
        QCOMPARE(e.size(), 2);
        QVERIFY(e[0].riga.startsWith("A "));
        QVERIFY(e[1].riga.startsWith("D "));
    }

    void missingArchive() {
        Elenco e;
        QVERIFY_THROWS_EXCEPTION(ArchiveError, elenchi::bollettiniDaSaldare(path("none.bol"), e, elenchi::Accesso::ReadOnly));
        QVERIFY(!QFile::exists(path("none.bol")));
        // The screens' access creates it empty and lists nothing.
        elenchi::schedeDaRicontattare(path("Esecutori-new.pro"), e, elenchi::Accesso::ReadWrite);
        QVERIFY(e.isEmpty());
        QVERIFY(QFile::exists(path("Esecutori-new.pro")));
    }

    void recordOfTheLine() {
        const TSchedaBollettino a = slip({{"CCP", "1"}, {"Note", "primo"}});
        const TSchedaBollettino b = slip({{"CCP", "2"}});
        const TSchedaBollettino a2 = slip({{"CCP", "1"}, {"Note", "secondo"}}); // same line as a
        const QString p = write<TSchedaBollettino>("load.bol", {a, b, a2});
        Elenco e;
        elenchi::bollettiniDaSaldare(p, e, elenchi::Accesso::ReadOnly); // Saldato empty: nothing
        QVERIFY(e.isEmpty());
        FiltriTesto none;
        elenchi::cercaBollettini(p, none, e, elenchi::Accesso::ReadOnly);
        QCOMPARE(e.size(), 3);
        QCOMPARE(e[0].daCaricare, qint64(3));
        QCOMPARE(e[1].daCaricare, qint64(3));

        SlipFile f(p);
        auto got = elenchi::recordDellaRiga<TSchedaBollettino>(f, e[0], rigaBollettino);
        QVERIFY(got);
        QCOMPARE(got->second, qint64(3));
        QCOMPARE(got->first.Note.get(), QString("secondo"));

        // The archive changed since: record 3 now gives another line, so the line is looked for.
        f.write(2, slip({{"CCP", "9"}}));
        got = elenchi::recordDellaRiga<TSchedaBollettino>(f, e[0], rigaBollettino);
        QVERIFY(got);
        QCOMPARE(got->second, qint64(1));
        QCOMPARE(got->first.Note.get(), QString("primo"));

        // A line no record gives any more.
        f.write(0, slip({{"CCP", "8"}}));
        QVERIFY(!elenchi::recordDellaRiga<TSchedaBollettino>(f, e[0], rigaBollettino));

        // A shorter archive than the list remembers.
        VoceElenco past{rigaBollettino(b), 2, 7};
        got = elenchi::recordDellaRiga<TSchedaBollettino>(f, past, rigaBollettino);
        QVERIFY(got);
        QCOMPARE(got->second, qint64(2));
    }
};

QTEST_GUILESS_MAIN(TstElenchi)
#include "tst_elenchi.moc"
