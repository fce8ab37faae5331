// Every file the screens write, on a full disk, in a read-only folder and against a lock held by
// another program: the screen says so in Italian, and every file stays as it was.
#include "archive/ArchiveError.h"
#include "archive/FileLock.h"
#include "common/FaultInjection.h"
#include "common/GuiTest.h"
#include "registry/TfrmEsecutori.h"
#include "slips/TfrmBollettino.h"
#include "slips/TfrmStampaBolBis.h"
#include "ui/Clock.h"
#include "ui/FileDialogService.h"
#include "ui/MessageService.h"
#include "ui/ProgramFolder.h"
#include "ui/Shell.h"
#include "ui/TfrmAllegaCartella.h"
#include "common/RecordingMessages.h"
#include "common/RecordingShell.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using M = MessageService;
using Fault = fault::Kind;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(content), content.size());
}

// Every file under the folder with its content, to see that a failure changed nothing.
QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        files.insert(QDir(folder).relativeFilePath(f), readAll(f));
    }
    return files;
}

} // namespace

class TstScritture : public QObject {
    Q_OBJECT
    FixedClock m_clock{QDateTime(QDate(2024, 6, 15), QTime(10, 30))};
    std::unique_ptr<TemporaryProgramFolder> m_program;
    QTemporaryDir m_elsewhere;
    RecordingMessages* msgs = nullptr;
    ScriptedFileDialog* dialogs = nullptr;
    RecordingShell* shell = nullptr;

    QString file(const QString& name) const { return m_program->filePath(name); }

    void faultRows() {
        QTest::addColumn<Fault>("fault");
        QTest::newRow("full disk") << Fault::FullDisk;
        QTest::newRow("read-only folder") << Fault::ReadOnlyFolder;
    }
    void expectOneError(M::Kind kind, const QString& containing) {
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, kind);
        QVERIFY2(msgs->shown[0].text.contains(containing), qPrintable(msgs->shown[0].text));
    }

private slots:
    void init() {
        m_program = std::make_unique<TemporaryProgramFolder>();
        msgs = new RecordingMessages;
        dialogs = new ScriptedFileDialog;
        shell = new RecordingShell;
    }
    void cleanup() {
        delete msgs;
        delete dialogs;
        delete shell;
        m_program.reset();
    }

    // "Applica" in the slip print dialog: the margin file keeps its old content, other sections
    // included, and the dialog says the margin was not saved.
    void printMargins_data() { faultRows(); }
    void printMargins() {
        QFETCH(Fault, fault);
        writeFile(file("Bollettini.ini"), "[Altro]\r\nNota=perch\xe9\r\n[Margini Stampa CH8 Bis]\r\nSuperiore=3\r\n"
                                          "Sinistro=-2\r\n");
        const auto before = snapshot(m_program->path());
        TfrmStampaBolBis d{TSchedaBollettino{}};
        d.show();
        QTest::mouseClick(d.btnTopPlus, Qt::LeftButton);
        {
            fault::Guard guard(fault, m_program->path(), 20);
            FAULT_OR_SKIP(guard);
            QTest::mouseClick(d.btnApplicaTop, Qt::LeftButton);
        }
        expectOneError(M::Error, QStringLiteral("Bollettini.ini"));
        QCOMPARE(snapshot(m_program->path()), before);
        QCOMPARE(d.txtTop->text(), QStringLiteral("4"));
    }

    // Salva of a new slip or card: the access text, and the archive keeps its records.
    void saveRecord_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("workspace");
        for (const char* ws : {"slips", "registry"}) {
            QTest::addRow("%s, full disk", ws) << Fault::FullDisk << ws;
            QTest::addRow("%s, read-only folder", ws) << Fault::ReadOnlyFolder << ws;
        }
    }
    void saveRecord() {
        QFETCH(Fault, fault);
        QFETCH(QString, workspace);
        std::unique_ptr<QWidget> screen;
        std::function<void()> fillAndSave;
        QString archive;
        if (workspace == "slips") {
            auto* w = new TfrmBollettino;
            screen.reset(w);
            w->mostra();
            w->txtAnno->setText("2024");
            w->btnApriClick();
            archive = file("2024.bol");
            fillAndSave = [w] {
                w->cmdNuovoClick();
                QTest::keyClicks(w->txtCCP, "123456");
                QTest::keyClicks(w->txtIntestatario, "mario rossi");
                QTest::keyClicks(w->txtEsecutore, "anna bianchi");
                w->txtDataScade->setText("05/03/2024");
                w->cmdSalvaClick();
            };
        } else {
            auto* w = new TfrmEsecutori;
            screen.reset(w);
            w->mostra();
            archive = file("Esecutori.pro");
            fillAndSave = [w] {
                w->cmdNuovoClick();
                QTest::keyClicks(w->txtEsecutore, "rossi mario");
                w->cmdSalvaClick();
            };
        }
        fillAndSave();
        fillAndSave();
        msgs->clear();
        const QByteArray before = readAll(archive);
        QVERIFY(before.size() > 0);
        {
            fault::Guard guard(fault, m_program->path(), before.size() + 10);
            FAULT_OR_SKIP(guard);
            fillAndSave();
        }
        QVERIFY(!msgs->shown.isEmpty());
        const qint64 recordSize = before.size() / 2;
        QCOMPARE(readAll(archive).left(before.size()), before);
        if (fault == Fault::ReadOnlyFolder && msgs->shown.last().text != kTestoAccesso) {
            // Permission bits on the folder leave its existing files writable: the save went
            // through, whole.
            QCOMPARE(readAll(archive).size(), before.size() + recordSize);
            return;
        }
        QCOMPARE(msgs->shown.last().text, kTestoAccesso);
        // The records are as they were; at most a piece of the failed one trails them, which
        // counts for nothing and the next save overwrites.
        QVERIFY(readAll(archive).size() < before.size() + recordSize);
    }

    // Salva while another program holds the archive locked: after a short wait the access text,
    // and nothing is written.
    void saveAgainstAHeldLock() {
        auto* w = new TfrmBollettino;
        std::unique_ptr<QWidget> screen(w);
        w->mostra();
        w->txtAnno->setText("2024");
        w->btnApriClick();
        QTest::keyClicks(w->txtCCP, "123456");
        QTest::keyClicks(w->txtIntestatario, "mario rossi");
        QTest::keyClicks(w->txtEsecutore, "anna bianchi");
        w->txtDataScade->setText("05/03/2024");
        writeFile(file("2024.bol"), QByteArray());
        QFile other(file("2024.bol"));
        QVERIFY(other.open(QIODevice::ReadWrite));
        const auto oldLimit = FileLock::waitLimit();
        FileLock::setWaitLimit(std::chrono::milliseconds(300));
        {
            FileLock held(other, FileLock::Exclusive);
            w->cmdSalvaClick();
        }
        FileLock::setWaitLimit(oldLimit);
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].text, kTestoAccesso);
        QCOMPARE(QFileInfo(file("2024.bol")).size(), 0);
        QCOMPARE(w->lblPosizione->text(), QString());
        // Once the other program lets go, the same Salva goes through.
        msgs->clear();
        w->cmdSalvaClick();
        QCOMPARE(QFileInfo(file("2024.bol")).size(), 2968);
    }

    // "Esecutore.pdf": a failed export says so, never asks to open the file, and leaves the
    // previous export as it was.
    void cardPdf_data() { faultRows(); }
    void cardPdf() {
        QFETCH(Fault, fault);
        writeFile(file("Esecutore.pdf"), "%PDF-1.4 the previous export");
        TfrmEsecutori w;
        w.mostra();
        w.txtEsecutore->setText("ROSSI MARIO");
        const auto before = snapshot(m_program->path());
        {
            fault::Guard guard(fault, m_program->path(), 1000);
            FAULT_OR_SKIP(guard);
            w.cmdPDFClick();
        }
        expectOneError(M::Error, QStringLiteral("PDF"));
        QVERIFY(shell->opened.isEmpty());
        QCOMPARE(snapshot(m_program->path()), before);
    }

    // An attachment copied into "Documenti_Allegati": a failed copy says so, and neither a piece
    // of the new file nor a temporary file is left; the slot keeps its old name.
    void attachmentCopy_data() { faultRows(); }
    void attachmentCopy() {
        QFETCH(Fault, fault);
        const QString chosen = m_elsewhere.filePath("scansione.pdf");
        writeFile(chosen, QByteArray(64 * 1024, 'x'));
        writeFile(file("Documenti_Allegati/prima.pdf"), "PRIMA");
        TfrmEsecutori w;
        w.mostra();
        w.lblFile02->setText("prima.pdf");
        const auto before = snapshot(m_program->path());
        dialogs->answers << chosen;
        TfrmAllegaCartella d(w.attachments());
        {
            fault::Guard guard(fault, file("Documenti_Allegati"), 1000);
            FAULT_OR_SKIP(guard);
            QTest::mouseClick(d.btnSfoglia02, Qt::LeftButton);
        }
        expectOneError(M::Error, QStringLiteral("allegati"));
        QCOMPARE(d.txtFile02->text(), QStringLiteral("prima.pdf"));
        QCOMPARE(snapshot(m_program->path()), before);
    }
};

QTEST_MAIN(TstScritture)
#include "tst_scritture.moc"
