// The slip search and the unpaid and expired lists, opened from the slip workspace.
#include "slips/TfrmBollettino.h"
#include "slips/TfrmDaSaldare.h"
#include "slips/TfrmScadute.h"
#include "slips/TfrmTrovaBollettini.h"
#include "ui/Clock.h"
#include "ui/ListaRecords.h"
#include "ui/MessageService.h"
#include "ui/PannelloRisultati.h"
#include "ui/ProgramFolder.h"
#include "ui/ReportOutput.h"
#include "archive/RecordFile.h"
#include "archive/SchedaBollettino.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "common/GuiTest.h"
#include "common/RecordingMessages.h"

using Fields = QList<std::pair<QString, QString>>;

namespace {

TSchedaBollettino slip(const Fields& fields) {
    TSchedaBollettino r;
    forEachField(r, [&](const char* name, auto& f) {
        f.clear();
        for (const auto& [n, v] : fields)
            if (n == QLatin1String(name)) f.set(v);
    });
    return r;
}

TSchedaBollettino due(const QString& ccp, const QString& scade, const QString& saldato,
                      const QString& note = QString()) {
    return slip({{"CCP", ccp}, {"Intestatario", "ENTE"}, {"Esecutore", "ROSSI MARIO"}, {"DataScade", scade},
                 {"Saldato", saldato}, {"Note", note}, {"Intero", "10,00"}});
}

// Shows a list screen over the workspace and makes it the active window, as exec() would.
void showActive(QWidget& d) {
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
}

QStringList ccps(const Elenco& e) {
    QStringList out;
    for (const VoceElenco& v : e.voci()) out << v.riga.mid(4, 12).trimmed();
    return out;
}

} // namespace

class TstElenchiBollettini : public QObject {
    Q_OBJECT
    TemporaryProgramFolder m_dir;
    FixedClock m_clock{QDateTime(QDate(2024, 6, 15), QTime(10, 30))};
    RecordingMessages* msgs = nullptr;
    TfrmBollettino* w = nullptr;

    QString archive() const { return m_dir.filePath("2024.bol"); }
    void write(const QList<TSchedaBollettino>& slips) {
        QFile::remove(archive());
        RecordFile<TSchedaBollettino> f(archive());
        for (const auto& s : slips) f.append(s);
    }
    DestinoBollettino destino() {
        return {w->lblFile->text(), [this](const TSchedaBollettino& r, qint64 p) { w->caricaScheda(r, p); }};
    }

private slots:
    void init() {
        write({due("300", "01/03/2024", "No", "terzo"), due("100", "15/06/2024", "No"),
               due("200", "16/06/2024", "No"), due("400", "01/01/2024", QString::fromUtf8("Sì")),
               due("500", "99/99/2024", "No"), due("600", "10/06/2024", "No")});
        msgs = new RecordingMessages;
        w = new TfrmBollettino;
        w->mostra();
        w->txtAnno->setText("2024");
        w->btnApriClick();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    void cleanup() {
        delete w;
        delete msgs;
    }

    // Each command button opens its screen over the workspace, on the open year's archive.
    void commandsOpenTheirScreens_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Trova") << "cmdTrova" << " Trova versamenti in archivio";
        QTest::newRow("Da saldare") << "cmdDaSaldare" << " Riepilogo bollettini non saldati";
        QTest::newRow("Scaduti") << "cmdScaduti" << " Riepilogo bollettini scaduti e non saldati";
    }
    void commandsOpenTheirScreens() {
        QFETCH(QString, button);
        QFETCH(QString, caption);
        QString seen;
        QSize size;
        onNextModal([&](QWidget* d) {
            seen = d->windowTitle();
            size = d->size();
            d->close();
        });
        QTest::mouseClick(w->findChild<QToolButton*>(button), Qt::LeftButton);
        QCOMPARE(seen, caption);
        QCOMPARE(size, QSize(862, 560));
    }

    void unpaidAndExpiredLists() {
        TfrmDaSaldare unpaid(w, destino());
        showActive(unpaid);
        QCOMPARE(ccps(unpaid.elenco()), (QStringList{"100", "200", "300", "500", "600"}));
        QCOMPARE(unpaid.focusWidget(), unpaid.txtTrova);
        QVERIFY(!unpaid.lblTrovate);
        TfrmScadute expired(w, destino());
        expired.show();
        // Due today is expired, tomorrow is not; a due date that is no date hides nothing after it.
        QCOMPARE(ccps(expired.elenco()), (QStringList{"100", "300", "600"}));
        QVERIFY(msgs->shown.isEmpty());
    }

    void listsOfAYearWithoutArchive() {
        QFile::remove(archive());
        RecordingReportOutput out;
        TfrmScadute expired(w, destino());
        expired.show();
        QVERIFY(expired.elenco().isEmpty());
        QVERIFY(QFile::exists(archive())); // created empty, as opening any archive does
        expired.btnTrovaClick();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].text, QString("Ricerca non applicabile: la lista non contiene nessuna voce."));
        expired.btnStampaClick();
        QCOMPARE(out.calls.size(), 1);
        const PreparedReport& p = out.calls[0].report;
        QCOMPARE(p.pages.size(), 1);
        QCOMPARE(p.pages[0].find("txtTitolo")->lines, QStringList{"Riepilogo bollettini scaduti e non saldati"});
        QVERIFY(p.pages[0].find("txtRiepilogo")->lines.isEmpty());
        QVERIFY(p.pages[0].find("txtPagina"));
    }

    void unreadableArchiveGivesAnEmptyListSilently() {
        QFile::remove(archive());
        QDir().mkdir(archive()); // a folder where the archive should be
        TfrmDaSaldare unpaid(w, destino());
        unpaid.show();
        QVERIFY(unpaid.elenco().isEmpty());
        QVERIFY(msgs->shown.isEmpty());
        QDir().rmdir(archive());
    }

    void searchFindsAndLoadsIntoTheWorkspace() {
        TfrmTrovaBollettini trova(w, destino());
        showActive(trova);
        QCOMPARE(trova.focusWidget(), trova.txtIntero);
        QTest::keyClicks(trova.txtDataScade, "06/2024");
        QTest::mouseClick(trova.btnCerca, Qt::LeftButton);
        QCOMPARE(trova.lblConta->text(), QString("1"));
        QCOMPARE(ccps(trova.elenco()), (QStringList{"100", "200", "600"}));
        QCOMPARE(trova.lblTrovate->text(), QString("Il presente riepilogo contiene 3 schede."));

        trova.lstRecords->selezionaRiga(1);
        trova.lstRecordsDblClick();
        QVERIFY(!trova.isVisible());
        QCOMPARE(w->txtCCP->text(), QString("200"));
        QCOMPARE(w->txtDataScade->text(), QString("16/06/2024"));
        QCOMPARE(w->lblPosizione->text(), QString("3"));
    }

    void searchWithoutFiltersListsEverySlip() {
        TfrmTrovaBollettini trova(w, destino());
        trova.show();
        trova.btnCercaClick();
        QCOMPARE(trova.lblConta->text(), QString("0"));
        QCOMPARE(trova.elenco().size(), 6);
        QCOMPARE(trova.lblTrovate->text(), QString("Il presente riepilogo contiene 6 schede."));
    }

    void searchFailureKeepsTheFilters() {
        QFile::remove(archive());
        QDir().mkdir(archive());
        TfrmTrovaBollettini trova(w, destino());
        trova.show();
        trova.btnCercaClick();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, MessageService::Plain);
        QCOMPARE(msgs->shown[0].text, kTestoAccesso);
        QVERIFY(trova.panAvvio->isVisible());
        QDir().rmdir(archive());
    }

    // Two slips with the same line: both are listed, and either line loads the later one.
    void identicalLinesLoadTheLaterSlip() {
        write({due("100", "01/01/2024", "No", "primo"), due("900", "01/01/2024", "No"),
               due("100", "01/01/2024", "No", "secondo")});
        TfrmDaSaldare unpaid(w, destino());
        unpaid.show();
        QCOMPARE(ccps(unpaid.elenco()), (QStringList{"100", "100", "900"}));
        unpaid.lstRecords->selezionaRiga(0);
        unpaid.lstRecordsDblClick();
        QCOMPARE(w->txtNote->text(), QString("secondo"));
        QCOMPARE(w->lblPosizione->text(), QString("3"));
    }

    // The archive changed after the list was filled: the line is looked for again, and a line no
    // slip gives any more loads nothing.
    void archiveChangedSinceTheListWasFilled() {
        TfrmDaSaldare unpaid(w, destino());
        unpaid.show();
        unpaid.lstRecords->selezionaRiga(0); // CCP 100, record 2
        {
            RecordFile<TSchedaBollettino> f(archive());
            f.write(1, due("700", "15/06/2024", "No"));
            f.append(due("100", "15/06/2024", "No", "spostato"));
        }
        unpaid.lstRecordsDblClick();
        QCOMPARE(w->txtNote->text(), QString("spostato"));
        QCOMPARE(w->lblPosizione->text(), QString("7"));

        w->cmdNuovoClick();
        TfrmDaSaldare again(w, destino());
        again.show();
        again.lstRecords->selezionaRiga(0);
        write({due("800", "01/01/2024", "No")});
        again.lstRecordsDblClick();
        QVERIFY(!again.isVisible());
        QCOMPARE(w->txtCCP->text(), QString());
        QCOMPARE(w->lblPosizione->text(), QString());
        QVERIFY(msgs->shown.isEmpty());
    }

    // The window system showing a list again (un-minimised, back from another desktop) is no new
    // opening: the list is not read again, and the selection and the find text stay.
    void listsFillOncePerOpening_data() {
        QTest::addColumn<bool>("scadute");
        QTest::newRow("unpaid") << false;
        QTest::newRow("expired") << true;
    }
    void listsFillOncePerOpening() {
        QFETCH(bool, scadute);
        std::unique_ptr<FinestraElenco> d(scadute ? static_cast<FinestraElenco*>(new TfrmScadute(w, destino()))
                                                  : new TfrmDaSaldare(w, destino()));
        showActive(*d);
        const QStringList before = ccps(d->elenco());
        QTest::keyClicks(d->txtTrova, "rossi");
        d->btnTrovaClick();
        d->btnTrovaClick(); // the same key again: on to the second line
        QCOMPARE(d->lstRecords->rigaSelezionata(), 1);
        RecordFile<TSchedaBollettino>(archive()).append(due("050", "01/01/2024", "No"));

        d->showMinimized();
        d->showNormal();
        QCOMPARE(ccps(d->elenco()), before);
        QCOMPARE(d->lstRecords->rigaSelezionata(), 1);
        QCOMPARE(d->txtTrova->text(), QString("rossi"));
        d->btnTrovaClick(); // the key is still remembered: on to the third line
        QCOMPARE(d->lstRecords->rigaSelezionata(), 2);
    }

    void printTitles_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("title");
        QTest::newRow("search") << 0 << "Riepilogo versamenti";
        QTest::newRow("unpaid") << 1 << "Riepilogo bollettini non saldati";
        QTest::newRow("expired") << 2 << "Riepilogo bollettini scaduti e non saldati";
    }
    void printTitles() {
        QFETCH(int, screen);
        QFETCH(QString, title);
        RecordingReportOutput out;
        std::unique_ptr<FinestraElenco> d;
        if (screen == 0) {
            auto* t = new TfrmTrovaBollettini(w, destino());
            d.reset(t);
            t->show();
            t->btnCercaClick();
        } else {
            d.reset(screen == 1 ? static_cast<FinestraElenco*>(new TfrmDaSaldare(w, destino()))
                                : new TfrmScadute(w, destino()));
            d->show();
        }
        d->btnStampaClick();
        QCOMPARE(out.calls.size(), 1);
        QCOMPARE(out.calls[0].report.pages[0].find("txtTitolo")->lines, QStringList{title});
        QCOMPARE(out.calls[0].report.pages[0].find("txtRiepilogo")->lines, d->elenco().righe());
    }
};

QTEST_MAIN(TstElenchiBollettini)
#include "tst_elenchibollettini.moc"
