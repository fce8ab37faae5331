#include "archive/ArchiveError.h"
#include "archive/RecordFile.h"
#include "queries/Riepilogo.h"
#include "queries/RigheElenco.h"
#include "archive/SchedaBollettino.h"

#include <QTemporaryDir>
#include <QTest>

using namespace riepilogo;

namespace {
TSchedaBollettino slip(const QString& esecutore, const QString& ccp, const QString& scade, const QString& intero) {
    TSchedaBollettino r;
    forEachField(r, [](const char*, auto& f) { f.clear(); });
    r.Esecutore.set(esecutore);
    r.CCP.set(ccp);
    r.DataScade.set(scade);
    r.Intero.set(intero);
    r.Intestatario.set("ENTE");
    return r;
}
Richiesta anno(const QString& esecutore = {}, const QString& ccp = {}) {
    return {QDate(2024, 1, 1), QDate(2024, 12, 31), esecutore, ccp};
}

} // namespace

class TstRiepilogo : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void selection_data() {
        QTest::addColumn<QString>("payer");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("due");
        QTest::addColumn<bool>("taken");
        QTest::newRow("no filters") << "" << "" << "15/03/2024" << true;
        QTest::newRow("blank filters count as none") << "   " << "" << "15/03/2024" << true;
        QTest::newRow("payer at start") << "ross" << "" << "15/03/2024" << true;
        QTest::newRow("payer in middle, other case") << "SSI MA" << "" << "15/03/2024" << true;
        QTest::newRow("payer at end") << "mario" << "" << "15/03/2024" << true;
        QTest::newRow("payer elsewhere") << "bianchi" << "" << "15/03/2024" << false;
        QTest::newRow("trailing blank needs a blank after") << "mario " << "" << "15/03/2024" << false;
        QTest::newRow("trailing blank followed") << "rossi " << "" << "15/03/2024" << true;
        QTest::newRow("account digits anywhere") << "" << "1234" << "15/03/2024" << true;
        QTest::newRow("account not there") << "" << "9999" << "15/03/2024" << false;
        QTest::newRow("both must match") << "rossi" << "9999" << "15/03/2024" << false;
        QTest::newRow("both match") << "rossi" << "0012" << "15/03/2024" << true;
        QTest::newRow("first day included") << "" << "" << "01/01/2024" << true;
        QTest::newRow("last day included") << "" << "" << "31/12/2024" << true;
        QTest::newRow("before") << "" << "" << "31/12/2023" << false;
        QTest::newRow("payer with a character no slip holds") << QString::fromUtf8("ROSSI\u2603") << "" << "15/03/2024" << false;
    }
    void selection() {
        QFETCH(QString, payer);
        QFETCH(QString, account);
        QFETCH(QString, due);
        QFETCH(bool, taken);
        const auto r = slip("ROSSI MARIO", "001234567", due, "10,00");
        QCOMPARE(valuta(r, anno(payer, account)) == Esito::Incluso, taken);
    }

    void sameDay() {
        const Richiesta q{QDate(2024, 3, 15), QDate(2024, 3, 15), {}, {}};
        QCOMPARE(valuta(slip("A", "1", "15/03/2024", "1"), q), Esito::Incluso);
        QCOMPARE(valuta(slip("A", "1", "16/03/2024", "1"), q), Esito::Escluso);
    }

    void unreadable() {
        QCOMPARE(valuta(slip("A", "1", "31/02/2024", "1,00"), anno()), Esito::Illeggibile);
        // A year of two digits could be of any century: the slip is unread, not guessed into 2024.
        QCOMPARE(valuta(slip("A", "1", "15/03/24", "1,00"), anno()), Esito::Illeggibile);
        QCOMPARE(valuta(slip("A", "1", "01/02/2024", "dieci"), anno()), Esito::Illeggibile);
        // The filters decide first: a slip of another payer is never counted as unread.
        QCOMPARE(valuta(slip("A", "1", "xx", "1,00"), anno("zeta")), Esito::Escluso);
        // Out of the interval, its amount is never read.
        QCOMPARE(valuta(slip("A", "1", "01/02/2023", "dieci"), anno()), Esito::Escluso);
    }

    void totalFormat_data() {
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QString>("total");
        QTest::newRow("none") << QStringList{} << "0,00";
        QTest::newRow("15,50") << QStringList{"10,00", "5,50"} << "15,50";
        QTest::newRow("300,00") << QStringList{"100,00", "200,00"} << "300,00";
        QTest::newRow("0,30 exactly") << QStringList{"0,10", "0,20"} << "0,30";
        QTest::newRow("alone") << QStringList{"1234,56"} << "1234,56";
        QTest::newRow("zero sum") << QStringList{"0,00"} << "0,00";
        QTest::newRow("four decimals") << QStringList{"0,1234"} << "0,1234";
        QTest::newRow("negative") << QStringList{"-5,5"} << "-5,50";
        QTest::newRow("many cents") << QStringList(1000, "0,01") << "10,00";
    }
    void totalFormat() {
        QFETCH(QStringList, amounts);
        QFETCH(QString, total);
        const QString path = m_dir.filePath("t.bol");
        QFile::remove(path);
        {
            RecordFile<TSchedaBollettino> f(path);
            for (const QString& a : amounts) f.append(slip("A", "1", "01/06/2024", a));
        }
        Risultato r;
        calcola(path, anno(), r);
        QCOMPARE(r.elenco.size(), amounts.size());
        QCOMPARE(totale(r), total);
    }

    // A slip that cannot be read is skipped and counted; the rest are listed and summed.
    void skippedAreCounted() {
        const QString path = m_dir.filePath("s.bol");
        {
            RecordFile<TSchedaBollettino> f(path);
            f.append(slip("A", "2", "15/01/2024", "10,00"));
            f.append(slip("B", "1", "99/99/2024", "1,00"));
            f.append(slip("C", "1", "02/05/2024", "zero"));
            f.append(slip("D", "2", "02/05/2024", "5,50"));
        }
        Risultato r;
        calcola(path, anno(), r);
        QCOMPARE(r.scartati, 2);
        QCOMPARE(totale(r), QStringLiteral("15,50"));
        QCOMPARE(r.elenco.size(), 2);
        // Same account: the due-date text orders the lines, day first.
        QVERIFY(r.elenco[0].riga.contains("02/05/2024"));
        QCOMPARE(r.elenco[0].posizione, 4);
    }

    void missingArchive() {
        Risultato r;
        QVERIFY_THROWS_EXCEPTION(ArchiveError,
                                 calcola(m_dir.filePath("2031.bol"), anno(), r, RecordFileBase::Access::ReadOnly));
        calcola(m_dir.filePath("2031.bol"), anno(), r);
        QVERIFY(QFile::exists(m_dir.filePath("2031.bol")));
        QCOMPARE(totale(r), QStringLiteral("0,00"));
    }

    void interval_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("message");
        const QString valid = QString::fromUtf8("\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare una data valida.");
        QTest::newRow("fine") << "01/01/2024" << "31/12/2024" << 0 << "";
        QTest::newRow("same day") << "15/03/2024" << "15/03/2024" << 0 << "";
        QTest::newRow("31 February") << "31/02/2024" << "31/12/2024" << 4
                                     << "Attenzione: la data 31/02/2024 di inizio intervallo non esiste." + valid;
        QTest::newRow("29 February of a common year") << "01/01/2023" << "29/02/2023" << 5
                                     << "Attenzione: la data 29/02/2023 di fine intervallo non esiste." + valid;
        QTest::newRow("two-digit year") << "01/01/24" << "31/12/2024" << 4
                                     << "Attenzione: la data 01/01/24 di inizio intervallo non esiste." + valid;
        QTest::newRow("end before start")
            << "02/05/2024" << "15/01/2024" << 6
            << QString::fromUtf8("Attenzione: la data di fine intervallo (15/01/2024) non può essere anteriore a quella "
                                 "di inizio intervallo (02/05/2024).\n\r\n\rPer poter visualizzare il riepilogo è "
                                 "necessario indicare un intervallo di tempo valido.");
    }
    void interval() {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(int, step);
        QFETCH(QString, message);
        int seen = -1;
        QCOMPARE(controllaIntervallo(start, end, &seen), message);
        QCOMPARE(seen, step);
    }
};

QTEST_GUILESS_MAIN(TstRiepilogo)
#include "tst_riepilogo.moc"
