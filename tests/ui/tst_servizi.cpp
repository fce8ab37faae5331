#include "archive/RecordFile.h"
#include "common/Interruzione.h"
#include "ui/AvvisiArchivio.h"
#include "ui/FileDialogService.h"
#include "ui/MessageService.h"
#include "ui/Shell.h"
#include "common/RecordingMessages.h"
#include "common/RecordingShell.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

// What the services hand to the desktop and to Qt, outside the seams that tests replace.
class TstServizi : public QObject {
    Q_OBJECT

private slots:
    void shellTargets_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QUrl>("url");
        QTest::newRow("quoted path") << "\"/opt/versalio/Guida.pdf\"" << QUrl::fromLocalFile("/opt/versalio/Guida.pdf");
        QTest::newRow("path with blanks and #")
            << "\"/home/anna/Documenti Allegati/fattura #3.pdf\""
            << QUrl::fromLocalFile("/home/anna/Documenti Allegati/fattura #3.pdf");
        QTest::newRow("bare path") << "/tmp/a.txt" << QUrl::fromLocalFile("/tmp/a.txt");
        QTest::newRow("web with scheme") << "https://www.esempio.it/pagina" << QUrl("https://www.esempio.it/pagina");
        QTest::newRow("web without scheme") << "www.esempio.it" << QUrl("http://www.esempio.it");
        QTest::newRow("web upper case") << "WWW.ESEMPIO.IT" << QUrl("http://WWW.ESEMPIO.IT");
        QTest::newRow("quoted mailto with subject")
            << "\"mailto:info@esempio.it?subject=Software Versalio\""
            << QUrl("mailto:info@esempio.it?subject=Software Versalio", QUrl::TolerantMode);
        QTest::newRow("empty mailto") << "\"mailto:\"" << QUrl("mailto:");
    }
    void shellTargets() {
        QFETCH(QString, target);
        QFETCH(QUrl, url);
        QCOMPARE(Shell::urlFor(target), url);
        QCOMPARE(Shell::urlFor(target).isLocalFile(), url.isLocalFile());
    }

    void openGoesThroughTheShell() {
        RecordingShell shell;
        TMisc::Open("\"/tmp/x y.pdf\"");
        QCOMPARE(shell.opened, QList<QUrl>{QUrl::fromLocalFile("/tmp/x y.pdf")});
    }

    void qtFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("every file") << "Tutti i file (*.*)" << "Tutti i file (*.*) (*)";
        QTest::newRow("one kind") << "Documenti PDF (*.pdf)" << "Documenti PDF (*.pdf) (*.pdf)";
        QTest::newRow("two kinds, two filters")
            << "Testo (*.txt *.csv);;Tutti i file (*.*)" << "Testo (*.txt *.csv) (*.txt *.csv);;Tutti i file (*.*) (*)";
        QTest::newRow("semicolons") << "Immagini (*.jpg;*.png)" << "Immagini (*.jpg;*.png) (*.jpg *.png)";
    }
    void qtFilters() {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(FileDialogService::qtFilter(filter), qt);
    }

    // "Tutti i file (*.*)" lists a file without an extension too, and the caption reads as written.
    void everyFileShowsInTheDialog() {
        QTemporaryDir dir;
        for (const char* name : {"LEGGIMI", "fattura.pdf"}) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const auto dialog = FileDialogService::create(nullptr, FileDialogService::Open, "Selezionare il file:",
                                                      dir.path(), "Tutti i file (*.*)");
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->show();
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        QVERIFY(types);
        QCOMPARE(types->currentText(), QString("Tutti i file (*.*)"));
        auto* list = dialog->findChild<QAbstractItemView*>("listView");
        QVERIFY(list);
        auto shown = [list] {
            QStringList names;
            const QModelIndex root = list->rootIndex();
            for (int i = 0; i < list->model()->rowCount(root); ++i)
                names << list->model()->index(i, 0, root).data().toString();
            names.sort();
            return names;
        };
        QTRY_COMPARE(shown(), (QStringList{"LEGGIMI", "fattura.pdf"}));
    }

    void scriptedDialogRecordsAndAnswers() {
        ScriptedFileDialog dialogs;
        dialogs.answers << "/tmp/a.pdf";
        QCOMPARE(fileDialog::openFile(nullptr, "Apri", "/tmp", "Tutti i file (*.*)"), QString("/tmp/a.pdf"));
        QCOMPARE(fileDialog::saveFile(nullptr, "Salva", "/tmp/b.csv", "CSV (*.csv)"), QString()); // cancelled
        QCOMPARE(dialogs.asked.size(), 2);
        QCOMPARE(dialogs.asked[1].mode, FileDialogService::Save);
        QCOMPARE(dialogs.asked[1].path, QString("/tmp/b.csv"));
    }

    // A batch that a crash cut short is undone by whatever command of whatever screen opens its
    // archive next: the user is told once that command is over (not while it holds the archive), and
    // not again at the next command.
    void undoneBatchIsToldOnceTheCommandIsOver() {
        QTemporaryDir dir;
        const QString a = dir.filePath("2026.bol");
        const QList<TSchedaBollettino> l(3, TSchedaBollettino{});
        QVERIFY(interrompiA(giornaleLotto::kAMeta,
                            [&] { RecordFile<TSchedaBollettino>(a).appendAll(l.constData(), l.size()); }));
        giornaleLotto::avvisi();
        RecordingMessages msgs;
        avvisiArchivio::mostraAlTermine();
        const auto restore = qScopeGuard([] { giornaleLotto::quandoArriva({}); });
        QWidget finestra;
        finestra.show();

        QCOMPARE(RecordFile<TSchedaBollettino>(a).count(), 0);
        QCOMPARE(msgs.shown.size(), 0);
        QTRY_COMPARE(msgs.shown.size(), 1);
        QCOMPARE(msgs.shown[0].kind, MessageService::Information);
        QCOMPARE(msgs.shown[0].text, QString::fromUtf8("L'ultima emissione di 3 bollettini non era terminata ed è stata "
                                                       "annullata: l'archivio è tornato com'era prima."));
        QCOMPARE(RecordFile<TSchedaBollettino>(a).count(), 0);
        QTest::qWait(50);
        QCOMPARE(msgs.shown.size(), 1);
    }
};

QTEST_MAIN(TstServizi)
#include "tst_servizi.moc"
