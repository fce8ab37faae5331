#include "archive/Archivi.h"
#include "archive/RecordFile.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"
#include "registry/TfrmEsecutori.h"
#include "registry/TfrmExpEsecutori.h"
#include "slips/TfrmBollettino.h"
#include "slips/TfrmExpBollettini.h"
#include "ui/MessageService.h"
#include "ui/ProgramFolder.h"
#include "ui/Shell.h"
#include "ui/TfrmGuida.h"

#include "common/GuiTest.h"
#include "common/RecordingMessages.h"
#include "common/RecordingShell.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <memory>

using M = MessageService;

namespace {
const QString kDomanda = QString::fromUtf8(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kFatto = QStringLiteral(
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
const QString kFallito = QString::fromUtf8(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di Excel non sia già "
    "aperto.");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TSchedaBollettino slip(const QString& ccp, const QString& note) {
    TSchedaBollettino r;
    forEachField(r, [](const char*, auto& f) { f.clear(); });
    r.Intero.set("12,50");
    r.CCP.set(ccp);
    r.Note.set(note);
    r.Saldato.set("No");
    return r;
}
} // namespace

class TstEsportazioni : public QObject {
    Q_OBJECT
    std::unique_ptr<TemporaryProgramFolder> folder;
    std::unique_ptr<RecordingMessages> msgs;
    std::unique_ptr<RecordingShell> shell;
    struct Dir {
        TstEsportazioni* t;
        QString path() const { return t->folder->path(); }
        QString filePath(const QString& n) const { return t->folder->filePath(n); }
    } m_dir{this};

    QString slips() const { return m_dir.filePath("2024.bol"); }
    QString xls() const { return m_dir.filePath("Riepilogo_Annuale_Versamenti.xls"); }
    void writeSlips(int n) {
        QFile::remove(slips());
        RecordFile<TSchedaBollettino> f(slips());
        for (int i = 0; i < n; ++i) f.append(slip(QString("00012%1").arg(i), QString("nota %1").arg(i)));
    }
    // Shows the screen as its opener does and lets it fill its grid.
    std::unique_ptr<TfrmExpBollettini> shown() {
        auto d = std::make_unique<TfrmExpBollettini>(slips(), nullptr);
        d->show();
        return d;
    }

private slots:
    void init() {
        folder = std::make_unique<TemporaryProgramFolder>();
        msgs = std::make_unique<RecordingMessages>();
        shell = std::make_unique<RecordingShell>();
    }
    void cleanup() {
        shell.reset();
        msgs.reset();
        folder.reset();
    }

    void grid_data() {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("rows");
        QTest::newRow("three slips") << 3 << 3;
        QTest::newRow("empty archive keeps ten empty rows") << 0 << 10;
    }
    void grid() {
        QFETCH(int, records);
        QFETCH(int, rows);
        writeSlips(records);
        auto d = shown();
        QCOMPARE(d->windowTitle(), QStringLiteral(" Esporta archivio annuale versamenti in Microsoft Excel"));
        QCOMPARE(d->size(), QSize(862, 560));
        QAbstractItemModel* m = d->grdRecords->model();
        QCOMPARE(m->rowCount(), rows);
        QCOMPARE(m->columnCount(), 16);
        QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("N."));
        QCOMPARE(m->headerData(15, Qt::Horizontal).toString(), QStringLiteral("Saldato"));
        QCOMPARE(d->grdRecords->columnWidth(0), 60);
        QCOMPARE(d->grdRecords->columnWidth(14), 350);
        QCOMPARE(d->grdRecords->verticalHeader()->defaultSectionSize(), 21);
        QCOMPARE(m->index(rows - 1, 0).data().toInt(), rows);
        QCOMPARE(m->index(0, 2).data().toString(), records ? QStringLiteral("000120") : QString());
        QCOMPARE(d->panInfo->text(), QStringLiteral("Esportazione archivio in Microsoft Excel."));
        msgs->answers = {true, false};
        d->cmdEsporta->click();
        const QByteArray b = readAll(xls());
        QCOMPARE(b.count("<tr>"), rows + 1);
        QVERIFY(!b.contains("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">1</td>")); // no row numbers
        QCOMPARE(msgs->shown.size(), 2);
        QCOMPARE(msgs->shown[0].text, kDomanda);
        QCOMPARE(msgs->shown[1].text, kFatto);
        QVERIFY(shell->opened.isEmpty());
    }

    // Only the listed columns take edits, and an edit reaches the file but never the archive.
    void editsReachOnlyTheFile() {
        writeSlips(2);
        const QByteArray archive = readAll(slips());
        auto d = shown();
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        QAbstractItemModel* m = d->grdRecords->model();
        for (int c = 0; c < 16; ++c)
            QCOMPARE(bool(m->flags(m->index(0, c)) & Qt::ItemIsEditable), c == 10 || c == 14 || c == 15);
        QVERIFY(!m->setData(m->index(0, 2), "999", Qt::EditRole));
        d->grdRecords->setCurrentIndex(m->index(1, 14));
        d->grdRecords->edit(m->index(1, 14));
        auto* editor = d->grdRecords->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, "Rossi & figli");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(m->index(1, 14).data().toString(), QStringLiteral("Rossi & figli"));
        d->cmdEsporta->click();
        QVERIFY(readAll(xls()).contains(">Rossi &amp; figli</td>"));
        QVERIFY(!readAll(xls()).contains(">nota 1</td>"));
        QCOMPARE(readAll(slips()), archive);
    }

    void answerNoWritesNothing() {
        writeSlips(1);
        QFile old(xls());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("earlier");
        old.close();
        auto d = shown();
        msgs->answers = {false};
        d->cmdEsporta->click();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(readAll(xls()), QByteArray("earlier"));
    }

    void answerYesOpensTheFile() {
        writeSlips(1);
        auto d = shown();
        msgs->answers = {true, true};
        d->cmdEsporta->click();
        QCOMPARE(shell->opened, QList<QUrl>{QUrl::fromLocalFile(xls())});
    }

    // The file cannot be written: the failure message, never the success question.
    void failureShowsTheMessage() {
        writeSlips(1);
        QVERIFY(QDir().mkpath(xls()));
        auto d = shown();
        d->cmdEsporta->click();
        QCOMPARE(msgs->shown.size(), 2);
        QCOMPARE(msgs->shown[1].kind, M::Plain);
        QCOMPARE(msgs->shown[1].text, kFallito);
        QVERIFY(shell->opened.isEmpty());
    }

    // An archive that cannot be read is said, not shown as an empty year.
    void unreadableArchive() {
        QVERIFY(QDir().mkpath(slips()));
        auto d = shown();
        QCOMPARE(d->grdRecords->model()->rowCount(), 10);
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Warning);
    }

    void infoBar() {
        auto d = shown();
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(d->cmdGuida, &enter);
        QCOMPARE(d->panInfo->text(), QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
        QApplication::sendEvent(d->cmdEsporta, &enter);
        QCOMPARE(d->panInfo->text(), QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
        QTest::mouseMove(d->grdRecords->viewport(), QPoint(50, 50));
        QMouseEvent move(QEvent::MouseMove, QPointF(50, 50), QPointF(50, 50), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(d->grdRecords->viewport(), &move);
        QCOMPARE(d->panInfo->text(), QString());
    }

    void help_data() {
        QTest::addColumn<bool>("registry");
        QTest::addColumn<QString>("title");
        QTest::newRow("slips") << false << "Esportazione archivio annuale versamenti in Microsoft Excel.";
        QTest::newRow("registry") << true << "Esportazione archivio beneficiari o esecutori in Microsoft Excel.";
    }
    void help() {
        QFETCH(bool, registry);
        QFETCH(QString, title);
        std::unique_ptr<FinestraEsportazione> d;
        if (registry) d = std::make_unique<TfrmExpEsecutori>(nullptr);
        else d = std::make_unique<TfrmExpBollettini>(slips(), nullptr);
        d->show();
        QString seenTitle, seenText;
        onNextModal([&](QWidget* w) {
            auto* g = qobject_cast<TfrmGuida*>(w);
            QVERIFY(g);
            seenTitle = g->lblTitolo->text();
            seenText = g->txtGuida->toPlainText();
            g->close();
        });
        d->cmdGuida->click();
        QCOMPARE(seenTitle, title);
        QCOMPARE(seenText.count("\n\n"), 2);
        QVERIFY(seenText.endsWith("assegnandogli un nome qualsiasi."));
    }

    void registryExport() {
        {
            RecordFile<TSchedaAnagrafica> f(archivi::anagrafica(m_dir.path()));
            TSchedaAnagrafica r;
            forEachField(r, [](const char*, auto& x) { x.clear(); });
            r.Esecutore.set("ROSSI MARIO");
            r.CapRes.set("00100");
            f.append(r);
        }
        TfrmExpEsecutori d(nullptr);
        d.show();
        QCOMPARE(d.windowTitle(), QStringLiteral(" Esporta archivio beneficiari ed esecutori in Microsoft Excel"));
        QAbstractItemModel* m = d.grdRecords->model();
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(m->columnCount(), 26);
        QCOMPARE(m->index(0, 2).data().toString(), QStringLiteral("//"));
        for (int c = 0; c < 26; ++c)
            QCOMPARE(bool(m->flags(m->index(0, c)) & Qt::ItemIsEditable),
                     QList<int>({7, 16, 18, 19, 20, 21, 22, 24, 25}).contains(c));
        d.cmdEsporta->click();
        const QByteArray b = readAll(m_dir.filePath("Esecutori.xls"));
        QVERIFY(b.contains(">ROSSI MARIO</td>"));
        QVERIFY(b.contains(">00100</td>"));
    }

    // Each workspace's Esporta opens its export on the archive it works on.
    void openedFromTheWorkspaces() {
        writeSlips(2);
        TfrmBollettino slipsWorkspace;
        slipsWorkspace.mostra();
        slipsWorkspace.txtAnno->setText("2024");
        slipsWorkspace.btnApriClick();
        int rows = -1;
        onNextModal([&](QWidget* w) {
            auto* d = qobject_cast<TfrmExpBollettini*>(w);
            QVERIFY(d);
            rows = d->grdRecords->model()->rowCount();
            d->close();
        });
        slipsWorkspace.cmdEsporta->click();
        QCOMPARE(rows, 2);

        TfrmEsecutori registry;
        registry.mostra();
        bool seen = false;
        onNextModal([&](QWidget* w) {
            seen = qobject_cast<TfrmExpEsecutori*>(w);
            w->close();
        });
        registry.cmdEsporta->click();
        QVERIFY(seen);
    }
};

QTEST_MAIN(TstEsportazioni)
#include "tst_esportazioni.moc"
