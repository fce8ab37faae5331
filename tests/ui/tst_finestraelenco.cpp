// The machinery every list screen shares, driven through a small screen of its own: a search
// whose filters look for pieces of a fixed set of lines.
#include "ui/FinestraElenco.h"
#include "ui/ListaRecords.h"
#include "ui/MessageService.h"
#include "ui/PannelloRisultati.h"
#include "ui/ReportOutput.h"
#include "archive/ArchiveError.h"
#include "archive/Text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "common/GuiTest.h"
#include "common/RecordingMessages.h"

using M = MessageService;

namespace {

class Prova : public FinestraRicerca {
public:
    explicit Prova(QStringList lines)
        : FinestraRicerca(nullptr, {" Prova", "Riepilogo di prova", false, true},
                          {{"txtA", "Campo A:"}, {"txtB", "Campo B:"}, {"txtC", "Campo C:"}}),
          m_lines(std::move(lines)) {}

    QStringList m_lines;
    bool broken = false;       // the archive cannot be read
    bool loadFails = false;    // loading throws
    QList<VoceElenco> loaded;
    QList<std::pair<QString, QString>> filters;

protected:
    void cerca(const QList<std::pair<QString, QString>>& f, Elenco& out) override {
        filters = f;
        if (broken) throw ArchiveError("read");
        for (int i = 0; i < m_lines.size(); ++i)
            if (f[0].second.isEmpty() || text::containsAZ(m_lines[i], f[0].second)) out.aggiungi(m_lines[i], i + 1);
        out.ordina();
    }
    void carica(const VoceElenco& v) override {
        if (loadFails) throw ArchiveError("read");
        loaded.append(v);
    }
};

const QStringList kLines = {"alfa uno", "beta rossi", "gamma", "delta ROSSI", "epsilon", "zeta Rossini"};

} // namespace

class TstFinestraElenco : public QObject {
    Q_OBJECT
    RecordingMessages* msgs = nullptr;
    Prova* w = nullptr;

    void search(Prova* p = nullptr) {
        p = p ? p : w;
        p->btnCercaClick();
    }
    QString selected() const {
        const VoceElenco* v = w->panContainer->voceSelezionata();
        return v ? v->riga : QString();
    }

private slots:
    void init() {
        msgs = new RecordingMessages;
        w = new Prova(kLines);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    void cleanup() {
        delete w;
        delete msgs;
    }

    void opensOnTheFiltersCentred() {
        QCOMPARE(w->size(), QSize(862, 560));
        QVERIFY(w->panAvvio->isVisible());
        QVERIFY(!w->panContainer->isVisible());
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("txtA"));
        QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
        const QRect screen = w->screen()->availableGeometry();
        QVERIFY(qAbs(w->frameGeometry().center().x() - screen.center().x()) <= 3);
        QVERIFY(qAbs(w->frameGeometry().center().y() - screen.center().y()) <= 3);
        // Enter goes round the filters; the focused one shows its frame.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("txtB"));
        QVERIFY(w->panAvvio->findChild<QWidget*>("effB")->isVisible());
        QVERIFY(!w->panAvvio->findChild<QWidget*>("effA")->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("txtA"));
        QCOMPARE(w->panAvvio->findChild<QLineEdit*>("txtB")->accessibleName(), QString("Campo B:"));
    }

    void cercaShowsTheSortedResults() {
        auto* a = w->panAvvio->findChild<QLineEdit*>("txtA");
        auto* c = w->panAvvio->findChild<QLineEdit*>("txtC");
        QTest::keyClicks(a, "ross");
        c->setText("   ");
        QTest::mouseClick(w->btnCerca, Qt::LeftButton);
        QCOMPARE(w->lblConta->text(), QString("1")); // blanks alone are no filter
        QCOMPARE(w->filters[0], (std::pair<QString, QString>{"A", "ross"}));
        QCOMPARE(w->filters[2].second, QString("   "));
        QVERIFY(!w->panAvvio->isVisible());
        QVERIFY(w->panContainer->isVisible());
        QCOMPARE(w->elenco().righe(), (QStringList{"beta rossi", "delta ROSSI", "zeta Rossini"}));
        QCOMPARE(w->lblTrovate->text(), QString("Il presente riepilogo contiene 3 schede."));
        QCOMPARE(QApplication::focusWidget(), w->txtTrova);
        QCOMPARE(w->txtTrova->text(), QString());
        QTest::keyClick(w->txtTrova, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->btnTrova);
    }

    void unreadableArchiveKeepsTheFilters() {
        w->broken = true;
        QTest::mouseClick(w->btnCerca, Qt::LeftButton);
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Plain);
        QCOMPARE(msgs->shown[0].text, kTestoAccesso);
        QVERIFY(w->panAvvio->isVisible());
        QVERIFY(!w->panContainer->isVisible());
        QVERIFY(w->isVisible());
    }

    // Each row: the find text typed before a click on Trova, and the line selected afterwards.
    void findNext_data() {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("selections");
        QTest::newRow("steps through every match, then the first again")
            << QStringList{"ross", "ross", "ross", "ross"}
            << QStringList{"beta rossi", "delta ROSSI", "zeta Rossini", "beta rossi"};
        QTest::newRow("upper-case key") << QStringList{"ROSSI", "ROSSI"} << QStringList{"beta rossi", "delta ROSSI"};
        QTest::newRow("a key matching only the selected line keeps it")
            << QStringList{"gamma", "gamma", "gamma"} << QStringList{"gamma", "gamma", "gamma"};
        QTest::newRow("a new key starts from the first line, even on a match")
            << QStringList{"ross", "ross", "a"} << QStringList{"beta rossi", "delta ROSSI", "alfa uno"};
        QTest::newRow("nothing found: the selection stays")
            << QStringList{"zeta", "xyz"} << QStringList{"zeta Rossini", "zeta Rossini"};
        QTest::newRow("an empty key selects the first line only")
            << QStringList{"", ""} << QStringList{"alfa uno", "alfa uno"};
        QTest::newRow("blanks are part of the key") << QStringList{"a r"} << QStringList{"beta rossi"};
    }
    void findNext() {
        QFETCH(QStringList, keys);
        QFETCH(QStringList, selections);
        search();
        for (int i = 0; i < keys.size(); ++i) {
            w->txtTrova->setText(keys[i]);
            QTest::mouseClick(w->btnTrova, Qt::LeftButton);
            QCOMPARE(selected(), selections[i]);
        }
        QVERIFY(msgs->shown.isEmpty());
    }

    void findStartsAfterTheLineTheUserChose() {
        search();
        w->txtTrova->setText("ross");
        w->btnTrovaClick();
        QCOMPARE(selected(), QString("beta rossi"));
        w->lstRecords->selezionaRiga(4); // "epsilon"
        w->btnTrovaClick();
        QCOMPARE(selected(), QString("zeta Rossini"));
        // Forgetting the key (as each screen does when shown) starts from the first line again.
        w->panContainer->dimenticaChiave();
        QCOMPARE(w->txtTrova->text(), QString());
        w->txtTrova->setText("ross");
        w->btnTrovaClick();
        QCOMPARE(selected(), QString("beta rossi"));
    }

    void findOnAnEmptyList() {
        w->findChild<QLineEdit*>("txtA")->setText("nessuna");
        search();
        QCOMPARE(w->lblTrovate->text(), QString("Il presente riepilogo contiene 0 schede."));
        w->txtTrova->setText("x");
        w->btnTrovaClick();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Plain);
        QCOMPARE(msgs->shown[0].text, QString("Ricerca non applicabile: la lista non contiene nessuna voce."));
    }

    void listLooksFixedWidth() {
        search();
        QCOMPARE(w->lstRecords->font().family(), QString("Courier New"));
        QCOMPARE(w->lstRecords->font().pointSize(), 11);
        QVERIFY(w->lstRecords->horizontalScrollBar()->maximum() > 0); // rows 1400 wide
        QCOMPARE(w->lstRecords->model()->rowCount(), kLines.size());
    }

    void doubleClickLoadsTheSelectedLineAndCloses() {
        search();
        const QRect r = w->lstRecords->visualRect(w->lstRecords->model()->index(2, 0));
        QTest::mouseClick(w->lstRecords->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(w->lstRecords->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(w->loaded.size(), 1);
        QCOMPARE(w->loaded[0].riga, QString("delta ROSSI"));
        QCOMPARE(w->loaded[0].posizione, qint64(4));
        QVERIFY(!w->isVisible());
        QCOMPARE(w->elenco().size(), 0); // closing empties the list
    }

    void doubleClickWithoutALineOrFailingCloses_data() {
        QTest::addColumn<bool>("select");
        QTest::newRow("no line selected") << false;
        QTest::newRow("loading fails") << true;
    }
    void doubleClickWithoutALineOrFailingCloses() {
        QFETCH(bool, select);
        search();
        w->loadFails = select;
        if (select) w->lstRecords->selezionaRiga(1);
        const QRect below(0, w->lstRecords->viewport()->height() - 5, 10, 4); // under the last line
        QTest::mouseDClick(w->lstRecords->viewport(), Qt::LeftButton, {}, below.center());
        QVERIFY(w->loaded.isEmpty());
        QVERIFY(msgs->shown.isEmpty());
        QVERIFY(!w->isVisible());
    }

    void printsTheLinesUnderTheTitle() {
        RecordingReportOutput out;
        search();
        QTest::mouseClick(w->btnStampa, Qt::LeftButton);
        QCOMPARE(out.calls.size(), 1);
        QCOMPARE(out.calls[0].kind, RecordingReportOutput::Print);
        const PreparedReport& p = out.calls[0].report;
        QCOMPARE(p.name, QString("Riepilogo schede"));
        QCOMPARE(p.pages[0].find("txtTitolo")->lines, QStringList{"Riepilogo di prova"});
        QCOMPARE(p.pages[0].find("txtRiepilogo")->lines, w->elenco().righe());
    }

    void chiudiClosesFromEitherPanel() {
        QTest::mouseClick(w->btnAnnulla, Qt::LeftButton);
        QVERIFY(!w->isVisible());
        Prova other(kLines);
        other.show();
        other.btnCercaClick();
        QTest::mouseClick(other.btnChiudi, Qt::LeftButton);
        QVERIFY(!other.isVisible());
        QVERIFY(other.loaded.isEmpty());
    }
};

QTEST_MAIN(TstFinestraElenco)
#include "tst_finestraelenco.moc"
