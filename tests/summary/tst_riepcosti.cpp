// The payment summary: the query's checks and key rules, the slips the result lists and their
// total, find-next across openings, the printout, the account imported from the registry, and the
// way in from the start screen and back.
#include "app/AccessoTest.h"
#include "app/WindowSet.h"
#include "archive/Archivi.h"
#include "archive/RecordFile.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"
#include "registry/TfrmTrovaEsecutori.h"
#include "summary/TfrmMenuRiepCosti.h"
#include "summary/TfrmRiepCosti.h"
#include "ui/Clock.h"
#include "ui/ListaRecords.h"
#include "ui/MessageService.h"
#include "ui/Picture.h"
#include "ui/ProgramFolder.h"
#include "ui/ReportOutput.h"
#include "ui/TfrmGuida.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "common/GuiTest.h"
#include "common/Records.h"
#include "common/RecordingMessages.h"

namespace {

struct Slip {
    QString ccp, scade, intero, esecutore;
};

TSchedaBollettino slip(const Slip& s) {
    return record<TSchedaBollettino>({{"CCP", s.ccp},
                                      {"DataScade", s.scade},
                                      {"Intero", s.intero},
                                      {"Esecutore", s.esecutore},
                                      {"Intestatario", "CIRCOLO TENNIS"},
                                      {"Causale01", "QUOTA"},
                                      {"Saldato", "No"}});
}

// Every memo line of the printout, in page order.
QStringList printedLines(const PreparedReport& p) {
    QStringList out;
    for (const PreparedPage& page : p.pages)
        if (const PreparedItem* memo = page.find("txtRiepilogo")) out += memo->lines;
    return out;
}

QStringList payers(const Elenco& e) {
    QStringList out;
    for (const VoceElenco& v : e.voci()) out << v.riga.mid(83, 24).trimmed();
    return out;
}

const QString kAttendere = QStringLiteral("Caricamento riepilogo in corso. Attendere...");

} // namespace

class TstRiepCosti : public QObject {
    Q_OBJECT
    TemporaryProgramFolder m_dir;
    FixedClock m_clock{QDateTime(QDate(2024, 6, 10), QTime(9, 30))};
    RecordingMessages* msgs = nullptr;

    QString year(const QString& y = "2024") const { return archivi::annuale(m_dir.path(), y); }
    void write(const QList<Slip>& slips, const QString& y = "2024") {
        QFile::remove(year(y));
        RecordFile<TSchedaBollettino> f(year(y));
        for (const Slip& s : slips) f.append(slip(s));
    }
    static void interval(TfrmMenuRiepCosti& q, int d1, int m1, int d2, int m2) {
        q.txtGiornoInizio->setCurrentIndex(d1 - 1);
        q.txtMeseInizio->setCurrentIndex(m1 - 1);
        q.txtGiornoFine->setCurrentIndex(d2 - 1);
        q.txtMeseFine->setCurrentIndex(m2 - 1);
    }
    // Runs the request and hands the result screen, open, to `act`; then closes it.
    template <class F> static void request(TfrmMenuRiepCosti& q, F act) {
        bool opened = false;
        onNextModal([&](QWidget* d) {
            auto* r = qobject_cast<TfrmRiepCosti*>(d);
            QVERIFY(r);
            opened = true;
            act(*r);
            r->btnEsci->click();
        });
        QTest::mouseClick(q.btnVisualizza, Qt::LeftButton);
        QVERIFY(opened);
        QVERIFY(!q.lblAttendere->isVisible());
    }
    static RichiestaRiepilogo whole(const QString& file, const QString& payer = {}, const QString& account = {}) {
        return {file, "01/01/2024", "31/12/2024", payer, account};
    }

private slots:
    void init() {
        msgs = new RecordingMessages;
        write({{"1111", "15/01/2024", "10,00", "ROSSI MARIO"},
               {"1111", "02/05/2024", "5,50", "BIANCHI ROSSI ANNA"},
               {"991234", "15/03/2024", "100,00", "Luisa Rossi"},
               {"12345678", "16/03/2024", "0,10", "ROSSI MARIO"},
               {"1243", "31/12/2024", "0,20", "NERI LUCA"}});
    }
    void cleanup() { delete msgs; }

    // Each failing step of the check says what is missing, puts the focus where it is, and no
    // result opens.
    void requestCheck_data() {
        QTest::addColumn<QString>("anno");
        QTest::addColumn<QList<int>>("days"); // start day, start month, end day, end month; 0 = none
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus");
        const QList<int> ok{1, 1, 31, 12};
        const QString valid = QString::fromUtf8("Per poter visualizzare il riepilogo è necessario indicare una data valida.");
        QTest::newRow("three-digit year") << "202" << ok << int(MessageService::Warning)
                                          << "Attenzione: indicare l'anno solare utilizzando quattro cifre." << "txtAnno";
        QTest::newRow("no start day") << "2024" << QList<int>{0, 1, 31, 12} << int(MessageService::Warning)
                                      << "Attenzione: indicare il giorno di inizio intervallo selezionandolo "
                                         "dall'elenco a cascata."
                                      << "txtGiornoInizio";
        QTest::newRow("no start month") << "2024" << QList<int>{1, 0, 31, 12} << int(MessageService::Warning)
                                        << "Attenzione: indicare il mese di inizio intervallo selezionandolo "
                                           "dall'elenco a cascata."
                                        << "txtMeseInizio";
        QTest::newRow("no end day") << "2024" << QList<int>{1, 1, 0, 12} << int(MessageService::Warning)
                                    << "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco "
                                       "a cascata."
                                    << "txtGiornoFine";
        QTest::newRow("no end month") << "2024" << QList<int>{1, 1, 31, 0} << int(MessageService::Warning)
                                      << "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco "
                                         "a cascata."
                                      << "txtMeseFine";
        QTest::newRow("31 February") << "2024" << QList<int>{31, 2, 31, 12} << int(MessageService::Plain)
                                     << "Attenzione: la data 31/02/2024 di inizio intervallo non esiste.\n\r\n\r" + valid
                                     << "txtGiornoInizio";
        QTest::newRow("31 April at the end") << "2024" << QList<int>{1, 1, 31, 4} << int(MessageService::Plain)
                                             << "Attenzione: la data 31/04/2024 di fine intervallo non esiste.\n\r\n\r" +
                                                    valid
                                             << "txtGiornoFine";
        QTest::newRow("end before start")
            << "2024" << QList<int>{10, 5, 9, 5} << int(MessageService::Plain)
            << QString::fromUtf8("Attenzione: la data di fine intervallo (09/05/2024) non può essere anteriore a quella "
                                 "di inizio intervallo (10/05/2024).\n\r\n\rPer poter visualizzare il riepilogo è "
                                 "necessario indicare un intervallo di tempo valido.")
            << "txtCCP"; // where it was
    }
    void requestCheck() {
        QFETCH(QString, anno);
        QFETCH(QList<int>, days);
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        TfrmMenuRiepCosti q;
        q.mostra();
        QVERIFY(QTest::qWaitForWindowActive(&q));
        q.txtAnno->setText(anno);
        QComboBox* lists[] = {q.txtGiornoInizio, q.txtMeseInizio, q.txtGiornoFine, q.txtMeseFine};
        for (int i = 0; i < 4; ++i) lists[i]->setCurrentIndex(days[i] - 1);
        q.txtCCP->setFocus();
        q.btnVisualizzaClick();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(int(msgs->shown[0].kind), kind);
        QCOMPARE(msgs->shown[0].text, text);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(!q.lblAttendere->isVisible());
        QVERIFY(q.lblFile->text().isEmpty());
    }

    // A request that passes hands the archive, the dates and the filters over; the note stays up
    // while the result is open.
    void requestHandsOver() {
        TfrmMenuRiepCosti q;
        q.mostra();
        QCOMPARE(q.txtAnno->text(), QString("2024"));
        QCOMPARE(q.lblAnnoInizio->text(), QString("2024"));
        interval(q, 15, 3, 15, 3);
        request(q, [&](TfrmRiepCosti& r) {
            QVERIFY(q.lblAttendere->isVisible());
            QCOMPARE(q.lblAttendere->text(), kAttendere);
            QCOMPARE(q.lblDataInizio->text(), QString("15/03/2024"));
            QCOMPARE(q.lblDataFine->text(), QString("15/03/2024"));
            QCOMPARE(q.lblFile->text(), year());
            QCOMPARE(r.windowTitle(), QString(" Versalio - Riepilogo versamenti"));
            QCOMPARE(payers(r.elenco()), QStringList{"Luisa Rossi"});
            QCOMPARE(r.lblIntervallo->text(), QString("Dal   15/03/2024   al   15/03/2024"));
            QCOMPARE(r.titTipologia->text(), QString("- - -"));
            QCOMPARE(r.lblTotCosti->text(), QString("100,00"));
            QVERIFY(QTest::qWaitForWindowActive(&r));
            QVERIFY(r.txtTrova->hasFocus());
        });
        QVERIFY(msgs->shown.isEmpty());
    }

    void keyRules() {
        TfrmMenuRiepCosti q;
        q.mostra();
        QVERIFY(QTest::qWaitForWindowActive(&q));
        QVERIFY(q.txtEsecutore->hasFocus());
        QTest::keyClicks(q.txtEsecutore, "rossi m");
        QCOMPARE(q.txtEsecutore->text(), QString("ROSSI M"));
        QTest::keyClicks(q.txtCCP, " 12ab ");
        QCOMPARE(q.txtCCP->text(), QString("12AB"));
        q.txtAnno->clear();
        QTest::keyClicks(q.txtAnno, "20x31");
        QCOMPARE(q.txtAnno->text(), QString("2031"));
        QCOMPARE(q.lblAnnoInizio->text(), QString("2031"));
        QCOMPARE(q.lblAnnoFine->text(), QString("2031"));

        // Lists: typing picks nothing, Backspace and Delete empty them.
        QTest::keyClicks(q.txtGiornoInizio, "1a");
        QCOMPARE(q.txtGiornoInizio->currentText(), QString());
        q.txtGiornoInizio->setCurrentIndex(4);
        QCOMPARE(q.txtGiornoInizio->currentText(), QString("05"));
        QTest::keyClick(q.txtGiornoInizio, Qt::Key_Backspace);
        QCOMPARE(q.txtGiornoInizio->currentText(), QString());
        q.txtMeseFine->setCurrentIndex(1);
        QCOMPARE(q.txtMeseFine->currentText(), QString("Febbraio"));
        QTest::keyClick(q.txtMeseFine, Qt::Key_Delete);
        QCOMPARE(q.txtMeseFine->currentText(), QString());

        // Enter walks the chain to the button.
        q.txtAnno->setFocus();
        const char* chain[] = {"txtEsecutore",  "txtCCP",      "txtGiornoInizio", "txtMeseInizio",
                               "txtGiornoFine", "txtMeseFine", "btnVisualizza"};
        for (const char* next : chain) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString(next));
        }
        QVERIFY(msgs->shown.isEmpty());
    }

    // Which slips a request takes: filters are substrings in any case, both ends included.
    void selection_data() {
        QTest::addColumn<QString>("payer");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QList<int>>("days");
        QTest::addColumn<QStringList>("listed");
        const QList<int> year{1, 1, 31, 12};
        QTest::newRow("no filters, whole year")
            << "" << "" << year
            << QStringList{"BIANCHI ROSSI ANNA", "ROSSI MARIO", "ROSSI MARIO", "NERI LUCA", "Luisa Rossi"};
        QTest::newRow("payer anywhere in the name, any case")
            << "ROSSI" << "" << year
            << QStringList{"BIANCHI ROSSI ANNA", "ROSSI MARIO", "ROSSI MARIO", "Luisa Rossi"};
        QTest::newRow("payer ending in a blank") << "ROSSI " << "" << year
                                                 << QStringList{"BIANCHI ROSSI ANNA", "ROSSI MARIO", "ROSSI MARIO"};
        QTest::newRow("account anywhere") << "" << "1234" << year << QStringList{"ROSSI MARIO", "Luisa Rossi"};
        QTest::newRow("both filters") << "MARIO" << "1234" << year << QStringList{"ROSSI MARIO"};
        QTest::newRow("both ends included") << "" << "" << QList<int>{15, 3, 16, 3}
                                            << QStringList{"ROSSI MARIO", "Luisa Rossi"};
        QTest::newRow("same day") << "" << "" << QList<int>{16, 3, 16, 3} << QStringList{"ROSSI MARIO"};
        QTest::newRow("nothing due") << "" << "" << QList<int>{1, 6, 30, 6} << QStringList{};
    }
    void selection() {
        QFETCH(QString, payer);
        QFETCH(QString, account);
        QFETCH(QList<int>, days);
        QFETCH(QStringList, listed);
        TfrmMenuRiepCosti q;
        q.mostra();
        QTest::keyClicks(q.txtEsecutore, payer);
        QTest::keyClicks(q.txtCCP, account);
        interval(q, days[0], days[1], days[2], days[3]);
        request(q, [&](TfrmRiepCosti& r) {
            QCOMPARE(payers(r.elenco()), listed);
            QCOMPARE(r.titTipologia->text(), payer.isEmpty() ? QString("- - -") : payer.trimmed());
        });
    }

    // The list groups by account and, within one, follows the due date's text, day first.
    void linesAndOrder() {
        TfrmRiepCosti r(whole(year()), nullptr, nullptr);
        r.show();
        QCOMPARE(r.elenco()[0].riga, "CCP 1111" + QString(8, ' ') + QString::fromUtf8("  Scad. 02/05/2024  € 5,50") +
                                         QString(7, ' ') + "  A: CIRCOLO TENNIS" + QString(10, ' ') +
                                         " DA: BIANCHI ROSSI ANNA" + QString(6, ' ') + "  QUOTA");
        QVERIFY(r.elenco()[1].riga.startsWith("CCP 1111          Scad. 15/01/2024"));
        QCOMPARE(r.elenco()[1].riga.size(), 109 + 5);
    }

    void totals_data() {
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("skipped");
        QTest::newRow("cents completed") << QStringList{"10,00", "5,50"} << "15,50" << 0;
        QTest::newRow("whole euros") << QStringList{"100,00", "200,00"} << "300,00" << 0;
        QTest::newRow("tenths exact") << QStringList{"0,10", "0,20"} << "0,30" << 0;
        QTest::newRow("one slip") << QStringList{"1234,56"} << "1234,56" << 0;
        QTest::newRow("none") << QStringList{} << "0,00" << 0;
        QTest::newRow("many tenths") << QStringList(1000, "0,10") << "100,00" << 0;
        QTest::newRow("an unreadable amount is left out")
            << QStringList{"10,00", "dieci", "5,50"} << "15,50" << 1;
    }
    void totals() {
        QFETCH(QStringList, amounts);
        QFETCH(QString, total);
        QFETCH(int, skipped);
        QList<Slip> slips;
        for (const QString& a : amounts) slips.append({"1111", "10/02/2024", a, "ROSSI"});
        slips.append({"2222", "30/02/2024", "7,00", "ROSSI"}); // a due date that is no date
        slips.append({"3333", "10/02/2023", "7,00", "ROSSI"}); // outside the interval, read fine
        write(slips);
        TfrmRiepCosti r(whole(year()), nullptr, nullptr);
        r.show();
        QCOMPARE(r.lblTotCosti->text(), total);
        QCOMPARE(r.elenco().size(), amounts.size() - skipped);
        QCOMPARE(r.scartati(), skipped + 1);
        QVERIFY(r.lblScartati->isVisibleTo(&r));
        QCOMPARE(r.lblScartati->text(),
                 QString::fromUtf8("Attenzione: %1 non leggibil%2 (data di scadenza o importo) non %3 compres%4 nel "
                                   "riepilogo né nel totale.")
                     .arg(skipped ? "2 bollettini" : "1 bollettino", skipped ? "i" : "e", skipped ? "sono" : "è",
                          skipped ? "i" : "o"));
        QCOMPARE(r.lblIntervallo->text(), QString("Dal   01/01/2024   al   31/12/2024"));
    }

    void noArchiveForTheYear() {
        TfrmMenuRiepCosti q;
        q.mostra();
        q.txtAnno->setText("2031");
        interval(q, 1, 1, 31, 12);
        request(q, [](TfrmRiepCosti& r) {
            QVERIFY(r.elenco().isEmpty());
            QCOMPARE(r.lblTotCosti->text(), QString("0,00"));
            QVERIFY(!r.lblScartati->isVisibleTo(&r));
        });
        QVERIFY(QFile::exists(year("2031")));
        QCOMPARE(QFileInfo(year("2031")).size(), 0);
    }

    // An archive that is there but cannot be read is reported and left alone; one that can only
    // be read still gives its summary.
    void unreadableArchive() {
        QFile::remove(year());
        QVERIFY(QDir(m_dir.path()).mkdir("2024.bol"));
        TfrmMenuRiepCosti q;
        q.mostra();
        interval(q, 1, 1, 31, 12);
        q.btnVisualizzaClick();
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(int(msgs->shown[0].kind), int(MessageService::Plain));
        QCOMPARE(msgs->shown[0].text, QString("Attenzione: il file di archivio non risulta accessibile."));
        QVERIFY(QFileInfo(year()).isDir());
        QVERIFY(!q.lblAttendere->isVisible());
        QVERIFY(QDir(m_dir.path()).rmdir("2024.bol"));
    }
    void readOnlyArchive() {
        QFile::setPermissions(year(), QFile::ReadOwner | QFile::ReadUser);
        const QByteArray before = [&] {
            QFile f(year());
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        TfrmRiepCosti r(whole(year()), nullptr, nullptr);
        QVERIFY(r.calcola());
        QCOMPARE(r.elenco().size(), 5);
        QCOMPARE(r.lblTotCosti->text(), QString("115,80"));
        QFile f(year());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        QFile::setPermissions(year(), QFile::ReadOwner | QFile::WriteOwner);
    }

    // Trova's text is remembered across openings of the summary: the same text again goes on
    // after the selected line instead of starting over.
    void findKeyKeptAcrossOpenings() {
        TfrmMenuRiepCosti q;
        q.mostra();
        QTest::keyClicks(q.txtEsecutore, "rossi");
        interval(q, 1, 1, 31, 12);
        // Lines: 1111 BIANCHI ROSSI, 1111 ROSSI MARIO, 12345678 ROSSI MARIO, 991234 Luisa Rossi.
        request(q, [](TfrmRiepCosti& r) {
            QTest::keyClicks(r.txtTrova, "MARIO");
            r.btnTrovaClick();
            QCOMPARE(r.lstRecords->rigaSelezionata(), 1);
            r.btnTrovaClick();
            QCOMPARE(r.lstRecords->rigaSelezionata(), 2);
        });
        request(q, [](TfrmRiepCosti& r) {
            QVERIFY(r.txtTrova->text().isEmpty());
            QTest::keyClicks(r.txtTrova, "mario");
            r.lstRecords->selezionaRiga(1);
            r.btnTrovaClick(); // the same text: on after the selected line
            QCOMPARE(r.lstRecords->rigaSelezionata(), 2);
        });
        // A screen without the query's memory starts from the first line.
        TfrmRiepCosti fresh(whole(year(), "rossi"), nullptr, nullptr);
        fresh.show();
        QTest::keyClicks(fresh.txtTrova, "mario");
        fresh.lstRecords->selezionaRiga(1);
        fresh.btnTrovaClick();
        QCOMPARE(fresh.lstRecords->rigaSelezionata(), 1);
    }

    void printing() {
        RecordingReportOutput out;
        // An empty summary is not printed.
        TfrmRiepCosti empty({year(), "01/07/2024", "31/07/2024", "", ""}, nullptr, nullptr);
        empty.show();
        empty.btnStampaClick();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(int(msgs->shown[0].kind), int(MessageService::Warning));
        QCOMPARE(msgs->shown[0].text,
                 QString("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce."));
        QVERIFY(out.calls.isEmpty());

        QList<Slip> slips;
        for (int i = 1; i <= 30; ++i)
            slips.append({QString::number(1000 + i), QString("%1/04/2024").arg(i, 2, 10, QChar('0')), "1,25", "ROSSI"});
        write(slips);
        TfrmRiepCosti r(whole(year()), nullptr, nullptr);
        r.show();
        msgs->clear();
        msgs->answers = {false};
        r.btnStampaClick();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(int(msgs->shown[0].kind), int(MessageService::Question));
        QCOMPARE(msgs->shown[0].text, QString("Si vuole stampare il presente riepilogo?"));
        QVERIFY(out.calls.isEmpty());

        r.btnStampaClick();
        QCOMPARE(out.calls.size(), 1);
        const PreparedReport& p = out.calls[0].report;
        QCOMPARE(p.pages[0].find("txtTitolo")->lines, QStringList{"Riepilogo versamenti"});
        const QStringList lines = printedLines(p);
        QCOMPARE(lines.size(), 33);
        QCOMPARE(lines.mid(0, 30), r.elenco().righe());
        QCOMPARE(lines.mid(30), (QStringList{"- - - - - - - - - - - - - - - -",
                                            "INTERVALLO SELEZIONATO:  Dal   01/01/2024   al   31/12/2024",
                                            QString::fromUtf8("TOTALE IMPORTI VERSATI:  € 37,50")}));
        QCOMPARE(p.pages.last().find("txtPagina")->lines,
                 QStringList{"Stampa eseguita in data 10/06/2024 alle ore 09:30:00"});

        // Slips left out are said on paper too.
        slips.append({"9999", "xx/04/2024", "1,00", "ROSSI"});
        write(slips);
        TfrmRiepCosti skipped(whole(year()), nullptr, nullptr);
        skipped.show();
        skipped.btnStampaClick();
        QCOMPARE(out.calls.size(), 2);
        QCOMPARE(printedLines(out.calls[1].report).last(),
                 QString("BOLLETTINI NON LEGGIBILI, ESCLUSI DAL RIEPILOGO:  1"));
    }

    void help() {
        TfrmRiepCosti r(whole(year()), nullptr, nullptr);
        r.show();
        onNextModal([](QWidget* d) {
            auto* g = qobject_cast<TfrmGuida*>(d);
            QVERIFY(g);
            QCOMPARE(g->lblTitolo->text(), QString("Applicazione Riepilogo versamenti."));
            const QStringList paragraphs = g->txtGuida->toPlainText().split("\n\n");
            QCOMPARE(paragraphs.size(), 4);
            QVERIFY(paragraphs[1].contains("schermata di avvio del programma, indicare"));
            QVERIFY(paragraphs[2].contains("numero di C/C Postale, la data"));
            QVERIFY(paragraphs[3].endsWith("facendo clic sull'apposito pulsante."));
            g->btnChiudi->click();
        });
        QTest::mouseClick(r.imgGuida, Qt::LeftButton);
    }

    // The registry picker, in its summary mode, puts the chosen card's account into the query.
    void accountFromTheRegistry() {
        {
            RecordFile<TSchedaAnagrafica> f(archivi::anagrafica(m_dir.path()));
            f.append(record<TSchedaAnagrafica>({{"Esecutore", "CIRCOLO TENNIS"}, {"CCP", "000123"}}));
        }
        TfrmMenuRiepCosti q;
        q.mostra();
        q.txtCCP->setText("999");
        onNextModal([](QWidget* d) {
            auto* picker = qobject_cast<TfrmTrovaEsecutori*>(d);
            QVERIFY(picker);
            QCOMPARE(picker->lblMemory->text(), QString("riepilogo"));
            picker->btnCercaClick();
            picker->lstRecords->selezionaRiga(0);
            picker->lstRecordsDblClick();
        });
        QTest::mouseClick(q.impCodTariffa, Qt::LeftButton);
        QCOMPARE(q.txtCCP->text(), QString("000123"));
        QVERIFY(q.txtEsecutore->text().isEmpty());
    }

    // From the start screen's tile to the query, maximised, and back when it closes; the same
    // window comes back ready for a new request.
    void fromTheStartScreenAndBack_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<bool>("byButton");
        QTest::newRow("tile, window closed") << "imgRiepilogo" << false;
        QTest::newRow("caption, Esci") << "btnRiepilogo" << true;
        QTest::newRow("description, window closed") << "infRiepilogo" << false;
    }
    void fromTheStartScreenAndBack() {
        QFETCH(QString, picture);
        QFETCH(bool, byButton);
        WindowSet set;
        entra(set);
        TfrmMenuRiepCosti* first = set.riepilogo;
        QTest::mouseClick(set.avvio->findChild<Picture*>(picture), Qt::LeftButton);
        QVERIFY(set.riepilogo->isVisible());
        QVERIFY(set.riepilogo->windowState() & Qt::WindowMaximized);
        QVERIFY(!set.avvio->isVisible());
        QCOMPARE(set.riepilogo->txtAnno->text(), QString("2024"));
        set.riepilogo->txtEsecutore->setText("ROSSI");
        set.riepilogo->txtAnno->setText("2023");
        if (byButton) set.riepilogo->btnEsci->click();
        else set.riepilogo->close();
        QVERIFY(!set.riepilogo->isVisible());
        QVERIFY(set.avvio->isVisible());

        QTest::mouseClick(set.avvio->btnRiepilogo, Qt::LeftButton);
        QCOMPARE(set.riepilogo, first);
        QVERIFY(set.riepilogo->txtEsecutore->text().isEmpty());
        QCOMPARE(set.riepilogo->txtAnno->text(), QString("2024"));
    }
};

QTEST_MAIN(TstRiepCosti)
#include "tst_riepcosti.moc"
