#include "RegistryTest.h"

#include "ui/FileDialogService.h"
#include "ui/MessageService.h"
#include "ui/Picture.h"
#include "ui/ProgramFolder.h"
#include "ui/Shell.h"
#include "archive/RecordFile.h"
#include "ui/TfrmAllegaCartella.h"
#include "registry/TfrmEsecutori.h"
#include "slips/TfrmBollettino.h"
#include "common/RecordingMessages.h"
#include "common/RecordingShell.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

using M = MessageService;

namespace {
const QString kOverwrite = QString::fromUtf8("Attenzione: nella cartella dei documenti allegati è presente un file "
                                             "con lo stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?");

void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

void clickPicture(Picture* p) {
    QTest::mouseClick(p, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
}
} // namespace

class TstAllegati : public QObject {
    Q_OBJECT
    TemporaryProgramFolder m_program;
    QTemporaryDir m_elsewhere;
    TfrmEsecutori* w = nullptr;
    RecordingMessages* msgs = nullptr;
    ScriptedFileDialog* dialogs = nullptr;
    RecordingShell* shell = nullptr;

    QString attached(const QString& name) const { return QDir(m_program.filePath("Documenti_Allegati")).filePath(name); }
    QString outside(const QString& name) const { return m_elsewhere.filePath(name); }

private slots:
    void init() {
        QDir(m_program.path()).removeRecursively();
        QDir().mkpath(m_program.path());
        QDir(m_elsewhere.path()).removeRecursively();
        QDir().mkpath(m_elsewhere.path());
        msgs = new RecordingMessages;
        dialogs = new ScriptedFileDialog;
        shell = new RecordingShell;
        w = new TfrmEsecutori;
        w->mostra();
    }
    void cleanup() {
        delete w;
        delete msgs;
        delete dialogs;
        delete shell;
    }

    // Opening copies the workspace's texts, trimmed; Apri follows the names; Applica writes back.
    void opensWithTheCardsAttachments() {
        w->lblFile01->setText(" uno.pdf ");
        w->lblDesc01->setText(" primo ");
        w->lblFile02->setText("due.jpg");
        w->lblDesc03->setText("solo descrizione");
        TfrmAllegaCartella d(w->attachments());
        QCOMPARE(d.lblMemory->text(), QStringLiteral("esecutori"));
        QCOMPARE(d.windowTitle(), QStringLiteral(" Allega file"));
        QCOMPARE(d.txtFile01->text(), QStringLiteral("uno.pdf"));
        QCOMPARE(d.txtDesc01->text(), QStringLiteral("primo"));
        QCOMPARE(d.txtFile02->text(), QStringLiteral("due.jpg"));
        QCOMPARE(d.txtDesc03->text(), QStringLiteral("solo descrizione"));
        QVERIFY(d.btnApri01->isEnabled());
        QVERIFY(d.btnApri02->isEnabled());
        QVERIFY(!d.btnApri03->isEnabled());
        QVERIFY(d.txtFile01->isReadOnly());
    }

    void browseCopiesAndApplyWritesBack() {
        writeFile(outside("scansione.pdf"), "PDF-1");
        dialogs->answers << outside("scansione.pdf");
        TfrmAllegaCartella d(w->attachments());
        QTest::mouseClick(d.btnSfoglia02, Qt::LeftButton);
        QCOMPARE(d.txtFile02->text(), QStringLiteral("scansione.pdf"));
        QCOMPARE(dialogs->asked.size(), 1);
        QCOMPARE(dialogs->asked[0].title, QStringLiteral("Selezionare il file da allegare:"));
        QCOMPARE(dialogs->asked[0].filter, QStringLiteral("Tutti i file (*.*)"));
        QVERIFY(d.btnApri02->isEnabled());
        QCOMPARE(readAll(attached("scansione.pdf")), QByteArray("PDF-1"));
        QCOMPARE(QDir(m_program.filePath("Documenti_Allegati")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"scansione.pdf"}); // no temporary copy left behind
        QVERIFY(msgs->shown.isEmpty());
        QTest::keyClicks(d.txtDesc02, "  Documento  ");
        QTest::mouseClick(d.btnApri02, Qt::LeftButton);
        QCOMPARE(shell->opened, QList<QUrl>{QUrl::fromLocalFile(attached("scansione.pdf"))});
        QTest::mouseClick(d.btnApplica, Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(w->lblFile02->text(), QStringLiteral("scansione.pdf"));
        QCOMPARE(w->lblDesc02->text(), QStringLiteral("Documento"));
        QCOMPARE(w->lblFile01->text(), QString());
        // Only Salva reaches the archive.
        QVERIFY(!QFile::exists(m_program.filePath("Esecutori.pro")));
        QTest::keyClicks(w->txtEsecutore, "x");
        w->cmdSalvaClick();
        const QByteArray raw = readAll(m_program.filePath("Esecutori.pro"));
        QCOMPARE(fieldAt(raw, 1742), QByteArray("scansione.pdf"));
        QCOMPARE(fieldAt(raw, 2495), QByteArray("Documento"));
    }

    void cancelLeavesWorkspaceButKeepsCopy() {
        writeFile(outside("a.txt"), "A");
        dialogs->answers << outside("a.txt");
        w->lblFile01->setText("vecchio.txt");
        TfrmAllegaCartella d(w->attachments());
        QTest::mouseClick(d.btnSfoglia01, Qt::LeftButton);
        QCOMPARE(d.txtFile01->text(), QStringLiteral("a.txt"));
        QTest::mouseClick(d.btnAnnulla, Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(w->lblFile01->text(), QStringLiteral("vecchio.txt"));
        QVERIFY(QFile::exists(attached("a.txt")));
    }

    // Same name, another file: the question, and what each answer leaves.
    void overwriteQuestion_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes replaces") << true;
        QTest::newRow("No keeps the old file") << false;
    }
    void overwriteQuestion() {
        QFETCH(bool, yes);
        writeFile(attached("ci.pdf"), "OLD");
        writeFile(outside("ci.pdf"), "NEW");
        dialogs->answers << outside("ci.pdf");
        msgs->answers << yes;
        TfrmAllegaCartella d(w->attachments());
        d.txtFile03->setText("altro.pdf");
        QTest::mouseClick(d.btnSfoglia03, Qt::LeftButton);
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Question);
        QCOMPARE(msgs->shown[0].text, kOverwrite);
        QCOMPARE(d.txtFile03->text(), QStringLiteral("ci.pdf")); // either way the slot refers to ci.pdf
        QCOMPARE(readAll(attached("ci.pdf")), yes ? QByteArray("NEW") : QByteArray("OLD"));
    }

    // What must not happen: a cancelled dialog acting, or the only copy going.
    void cancelledFileDialogDoesNothing() {
        writeFile(attached("tenuto.pdf"), "KEEP");
        w->lblFile01->setText("tenuto.pdf");
        dialogs->answers << QString();
        TfrmAllegaCartella d(w->attachments());
        QTest::mouseClick(d.btnSfoglia01, Qt::LeftButton);
        QVERIFY(msgs->shown.isEmpty());
        QCOMPARE(d.txtFile01->text(), QStringLiteral("tenuto.pdf"));
        QCOMPARE(readAll(attached("tenuto.pdf")), QByteArray("KEEP"));
    }

    void choosingTheAttachedFileItselfKeepsIt() {
        writeFile(attached("unico.pdf"), "ONLY COPY");
        dialogs->answers << attached("unico.pdf");
        TfrmAllegaCartella d(w->attachments());
        QTest::mouseClick(d.btnSfoglia01, Qt::LeftButton);
        QVERIFY(msgs->shown.isEmpty());
        QCOMPARE(d.txtFile01->text(), QStringLiteral("unico.pdf"));
        QCOMPARE(readAll(attached("unico.pdf")), QByteArray("ONLY COPY"));
    }

    // A copy that cannot be made is reported, and the slot keeps what it had.
    void copyFailure_data() {
        QTest::addColumn<QString>("setup");
        QTest::newRow("a file where the folder should be") << "file";
        QTest::newRow("a folder where the file should be") << "folder";
        QTest::newRow("source unreadable") << "source";
    }
    void copyFailure() {
        QFETCH(QString, setup);
        QString chosen = outside("doc.pdf");
        writeFile(chosen, "DOC");
        if (setup == QLatin1String("file")) writeFile(m_program.filePath("Documenti_Allegati"), "not a folder");
        if (setup == QLatin1String("folder")) QVERIFY(QDir().mkpath(attached("doc.pdf")));
        if (setup == QLatin1String("source")) {
            QVERIFY(QDir().mkpath(outside("cartella.pdf")));
            chosen = outside("cartella.pdf"); // a folder cannot be read as a file
        }
        dialogs->answers << chosen;
        w->lblFile02->setText("prima.pdf");
        TfrmAllegaCartella d(w->attachments());
        QTest::mouseClick(d.btnSfoglia02, Qt::LeftButton);
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Error);
        QVERIFY(msgs->shown[0].text.startsWith(QStringLiteral("Attenzione: non ")));
        QCOMPARE(d.txtFile02->text(), QStringLiteral("prima.pdf"));
    }

    // Names the record cannot give back as they are: refused before anything is copied.
    void refusedNames_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("251 characters") << QString(247, u'n') + QStringLiteral(".pdf");
        QTest::newRow("outside Windows-1252") << QString::fromUtf8("документ.pdf");
        QTest::newRow("leading blank") << QStringLiteral(" spazio.pdf");
        QTest::newRow("backslash in a name") << QStringLiteral("a\\..\\b.pdf");
    }
    void refusedNames() {
        QFETCH(QString, name);
        writeFile(outside(name), "X");
        dialogs->answers << outside(name);
        TfrmAllegaCartella d(w->attachments());
        d.txtFile01->setText("prima.pdf");
        QTest::mouseClick(d.btnSfoglia01, Qt::LeftButton);
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Warning);
        QCOMPARE(d.txtFile01->text(), QStringLiteral("prima.pdf"));
        QVERIFY(!QDir(m_program.filePath("Documenti_Allegati")).exists() ||
                QDir(m_program.filePath("Documenti_Allegati")).isEmpty());
    }

    void longestNameIsAccepted() {
        const QString name = QString(245, u'n') + QString::fromUtf8("è.pdf"); // 250 characters
        writeFile(outside(name), "X");
        dialogs->answers << outside(name);
        TfrmAllegaCartella d(w->attachments());
        QTest::mouseClick(d.btnSfoglia01, Qt::LeftButton);
        QVERIFY2(msgs->shown.isEmpty(), qPrintable(msgs->shown.value(0).text));
        QCOMPARE(d.txtFile01->text(), name);
        QVERIFY(QFile::exists(attached(name)));
    }

    // A stored name with a folder part (written by another program) is never opened outside the folder.
    void unsafeStoredNamesAreNotOpened_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("parent folder") << "../Esecutori.pro";
        QTest::newRow("windows parent") << "..\\segreto.txt";
        QTest::newRow("absolute") << "/etc/passwd";
        QTest::newRow("dot dot") << "..";
    }
    void unsafeStoredNamesAreNotOpened() {
        QFETCH(QString, stored);
        QVERIFY(!TfrmAllegaCartella::nomeSicuro(stored));
        w->lblFile01->setText(stored);
        TfrmAllegaCartella d(w->attachments());
        QTest::mouseClick(d.btnApri01, Qt::LeftButton);
        QVERIFY(shell->opened.isEmpty());
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Warning);
    }

    void eraserKeepsDescriptionAndFile() {
        writeFile(attached("x.pdf"), "X");
        w->lblFile01->setText("x.pdf");
        w->lblDesc01->setText("descrizione");
        TfrmAllegaCartella d(w->attachments());
        clickPicture(d.imgCancella01);
        QCOMPARE(d.txtFile01->text(), QString());
        QVERIFY(!d.btnApri01->isEnabled());
        QCOMPARE(d.txtDesc01->text(), QStringLiteral("descrizione"));
        QVERIFY(QFile::exists(attached("x.pdf")));
        QTest::mouseClick(d.btnApplica, Qt::LeftButton);
        QCOMPARE(w->lblFile01->text(), QString());
        QCOMPARE(w->lblDesc01->text(), QStringLiteral("descrizione"));
    }

    // The workspaces' own commands open the dialog in their mode and receive the result.
    void openedFromBothWorkspaces_data() {
        QTest::addColumn<bool>("slip");
        QTest::newRow("registry") << false;
        QTest::newRow("slip") << true;
    }
    void openedFromBothWorkspaces() {
        QFETCH(bool, slip);
        TfrmBollettino b;
        QLabel* file01 = slip ? b.lblFile01 : w->lblFile01;
        QLabel* desc02 = slip ? b.lblDesc02 : w->lblDesc02;
        QLabel* desc03 = slip ? b.lblDesc03 : w->lblDesc03;
        QLabel* other = slip ? w->lblFile01 : b.lblFile01;
        desc03->setText("resta");
        QString mode;
        onNextModal([&](QWidget* d) {
            auto* dlg = qobject_cast<TfrmAllegaCartella*>(d);
            QVERIFY(dlg);
            mode = dlg->lblMemory->text();
            dlg->txtFile01->setText("nuovo.pdf");
            dlg->txtDesc02->setText(" seconda ");
            QTest::mouseClick(dlg->btnApplica, Qt::LeftButton);
        });
        QTest::mouseClick(slip ? b.cmdAllega : w->cmdFile, Qt::LeftButton);
        QCOMPARE(mode, slip ? QStringLiteral("bollettino") : QStringLiteral("esecutori"));
        QCOMPARE(file01->text(), QStringLiteral("nuovo.pdf"));
        QCOMPARE(desc02->text(), QStringLiteral("seconda"));
        QCOMPARE(desc03->text(), QStringLiteral("resta"));
        QCOMPARE(other->text(), QString());
    }
};

QTEST_MAIN(TstAllegati)
#include "tst_allegati.moc"
