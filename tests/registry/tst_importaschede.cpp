// "Importa schede" in the registry workspace, driven through its real widgets: the file dialog,
// the preview with its counts and reasons, the import and the card shown afterwards.
#include "RegistryTest.h"
#include "common/Interruzione.h"
#include "common/Records.h"

#include "archive/ArchiveError.h"
#include "archive/FileLock.h"
#include "archive/RecordFile.h"
#include "registry/TfrmEsecutori.h"
#include "registry/TfrmImportaSchede.h"
#include "ui/FileDialogService.h"
#include "ui/MessageService.h"
#include "ui/ProgramFolder.h"
#include "common/RecordingMessages.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTableView>
#include <QToolButton>

using M = MessageService;

namespace {

constexpr int kCard = 2997;

const QByteArray kSoci = "Cognome e nome;Indirizzo;Comune di residenza;Prov.;CAP;Categoria;Codice fiscale\r\n"
                         "rossi mario;via po 1;roma;rm;184;soci;RSSMRA80A01H501U\r\n"
                         ";via senza nome;roma;rm;00184;;\r\n"
                         "bianchi anna;viale della repubblica partigiana 1;roma;rm;00184;;\r\n"
                         "verdi luca;via roma 2;milano;mi;20100;soci;RSSMRA80A01H501X\r\n";

} // namespace

class TstImportaSchede : public QObject {
    Q_OBJECT
    TemporaryProgramFolder m_dir;
    TfrmEsecutori* w = nullptr;
    RecordingMessages* msgs = nullptr;
    ScriptedFileDialog* files = nullptr;

    QString archive() const { return m_dir.filePath("Esecutori.pro"); }
    QString csv() const { return m_dir.filePath("soci.csv"); }
    void saveCard(const QString& name) {
        w->cmdNuovoClick();
        w->txtEsecutore->setText(name);
        w->cmdSalvaClick();
        msgs->clear();
    }

private slots:
    void init() {
        giornaleLotto::avvisi();
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        QFile f(csv());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(kSoci);
        f.close();
        msgs = new RecordingMessages;
        files = new ScriptedFileDialog;
        w = new TfrmEsecutori;
        w->mostra();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    void cleanup() {
        delete w;
        delete files;
        delete msgs;
    }

    // The command stands in the column with its caption, picture and hint.
    void commandInTheColumn() {
        QCOMPARE(w->cmdImporta->text(), "Importa schede");
        QCOMPARE(w->cmdImporta->accessibleName(), "Importa schede");
        QVERIFY(!w->cmdImporta->icon().isNull());
        QVERIFY(w->cmdImporta->geometry().bottom() < w->cmdEsporta->geometry().top());
        QVERIFY(w->cmdEsci->geometry().bottom() < w->cmdPrimo->geometry().top());
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(w->cmdImporta, &enter);
        QCOMPARE(w->panInfo->text(), "Importa nuove schede da un file CSV salvato con un foglio di calcolo.");
    }

    // The main road: choose the file, read the preview, Importa; the workspace then shows the first
    // card added, and the next arrow goes on to the second.
    void previewThenImport() {
        saveCard("GIALLI PIA");
        files->answers << csv();
        bool seen = false;
        onNextModal([&](QWidget* dlgWidget) {
            auto* dlg = qobject_cast<TfrmImportaSchede*>(dlgWidget);
            QVERIFY(dlg);
            seen = true;
            QCOMPARE(dlg->lblConteggi->text(), QString::fromUtf8("2 schede da aggiungere · 2 righe rifiutate · 2 con avvisi"));
            QVERIFY(dlg->lblFile->text().contains("UTF-8"));
            QVERIFY(dlg->lblFile->text().contains("punto e virgola"));
            const QAbstractItemModel* m = dlg->grdRighe->model();
            QCOMPARE(m->rowCount(), 4);
            QCOMPARE(m->index(0, 1).data().toString(), "Con avviso");
            QCOMPARE(m->index(0, 2).data().toString(), "ROSSI MARIO");
            QCOMPARE(m->index(0, 4).data().toString(), "ROMA (RM)");
            QCOMPARE(m->index(1, 1).data().toString(), "Rifiutata");
            QVERIFY(m->index(1, 5).data().toString().startsWith("Manca il nome"));
            QVERIFY(m->index(2, 5).data().toString().contains("al massimo 23"));
            QCOMPARE(m->index(3, 5).data().toString(), QString::fromUtf8("Il codice fiscale RSSMRA80A01H501X è ERRATO."));
            QVERIFY(dlg->cmdImporta->isEnabled());
            QCOMPARE(dlg->lblDettaglio->text(), QString::fromUtf8("Riga 2: sarà aggiunta all'archivio. Il CAP 184 è stato "
                                                                  "completato in 00184: il foglio di calcolo ne aveva tolto "
                                                                  "gli zeri iniziali."));
            QTest::keyClick(dlg->grdRighe, Qt::Key_Down);
            QVERIFY(dlg->lblDettaglio->text().startsWith("Riga 3: rifiutata. Manca il nome"));
            QTest::mouseClick(dlg->cmdImporta, Qt::LeftButton);
        });
        QTest::mouseClick(w->cmdImporta, Qt::LeftButton);
        QVERIFY(seen);
        QCOMPARE(files->asked.size(), 1);
        QCOMPARE(files->asked[0].mode, FileDialogService::Open);
        QCOMPARE(files->asked[0].filter, "File CSV (*.csv);;Tutti i file (*.*)");
        QCOMPARE(msgs->shown.size(), 2);
        QCOMPARE(msgs->shown[0].kind, M::Question);
        QCOMPARE(msgs->shown[0].text, QString::fromUtf8("Si vogliono aggiungere all'archivio le 2 schede accettate?\r\n\r\n"
                                                        "Le 2 righe rifiutate non verranno importate."));
        QCOMPARE(msgs->shown[1].kind, M::Information);
        QCOMPARE(msgs->shown[1].text, "Le 2 schede sono state inserite in archivio, dalla n. 2 alla n. 3.");
        QCOMPARE(QFileInfo(archive()).size(), 3 * kCard);
        QCOMPARE(w->lblPosizione->text(), "2");
        QCOMPARE(w->txtEsecutore->text(), "ROSSI MARIO");
        QCOMPARE(w->txtCapRes->text(), "00184");
        QCOMPARE(w->txtProvRes->currentText(), "RM");
        w->cmdAvantiClick();
        QCOMPARE(w->lblPosizione->text(), "3");
        QCOMPARE(w->txtEsecutore->text(), "VERDI LUCA");
    }

    // An imported card has the very bytes the workspace writes when the same values are typed.
    void importedCardIsTheTypedCard() {
        files->answers << csv();
        onNextModal([](QWidget* d) { QTest::mouseClick(qobject_cast<TfrmImportaSchede*>(d)->cmdImporta, Qt::LeftButton); });
        w->cmdImportaClick();
        w->cmdNuovoClick();
        QTest::keyClicks(w->txtEsecutore, "rossi mario");
        QTest::keyClicks(w->txtIndirizzoRes, "via po 1");
        QTest::keyClicks(w->txtComuneRes, "roma");
        QTest::keyClicks(w->txtProvRes->lineEdit(), "rm");
        QTest::keyClicks(w->txtCapRes, "00184");
        QTest::keyClicks(w->txtCategoria, "soci");
        QTest::keyClicks(w->txtCodFisc, "RSSMRA80A01H501U");
        w->cmdSalvaClick();
        QCOMPARE(w->lblPosizione->text(), "3");
        const QByteArray all = readAll(archive());
        QCOMPARE(all.mid(2 * kCard, kCard), all.mid(0, kCard));
    }

    // No on the question, or leaving the preview, adds nothing.
    void cancelledAddsNothing() {
        files->answers << csv();
        msgs->answers << false;
        onNextModal([](QWidget* d) {
            auto* dlg = qobject_cast<TfrmImportaSchede*>(d);
            QTest::mouseClick(dlg->cmdImporta, Qt::LeftButton);
            QVERIFY(dlg->isVisible());
            QTest::mouseClick(dlg->cmdEsci, Qt::LeftButton);
        });
        w->cmdImportaClick();
        QVERIFY(!QFileInfo::exists(archive()));
        QCOMPARE(w->lblPosizione->text(), QString());
        // A cancelled file dialog asks nothing more.
        msgs->clear();
        w->cmdImportaClick();
        QCOMPARE(msgs->shown.size(), 0);
    }

    // A card saved meanwhile by another program is refused at Importa, and the user is told in words
    // that agree with how many.
    void cardSavedMeanwhile() {
        files->answers << csv();
        msgs->answers << true;
        onNextModal([&](QWidget* d) {
            auto* dlg = qobject_cast<TfrmImportaSchede*>(d);
            QVERIFY(dlg);
            {
                RecordFile<TSchedaAnagrafica> f(archive());
                f.append(record<TSchedaAnagrafica>({{"Esecutore", "ROSSI MARIO"}, {"CodFisc", "RSSMRA80A01H501U"}}));
            }
            QTest::mouseClick(dlg->cmdImporta, Qt::LeftButton);
        });
        w->cmdImportaClick();
        QCOMPARE(msgs->shown.size(), 2);
        QCOMPARE(msgs->shown[1].kind, M::Information);
        QCOMPARE(msgs->shown[1].text, QString::fromUtf8("La scheda è stata inserita in archivio con il numero 2.\r\n\r\n"
                                                        "Una scheda, nel frattempo salvata in archivio da un altro "
                                                        "utente, è stata rifiutata."));
        QCOMPARE(QFileInfo(archive()).size(), 2 * kCard);
    }

    // Without a mouse: Tab reaches the commands and Enter on a focused one presses it, as Space does.
    void keyboardPressesTheCommands() {
        files->answers << csv();
        msgs->answers << false;
        bool seen = false;
        onNextModal([&](QWidget* d) {
            auto* dlg = qobject_cast<TfrmImportaSchede*>(d);
            QVERIFY(dlg);
            seen = true;
            const auto chiudi = qScopeGuard([dlg] { dlg->reject(); }); // whatever fails, the test goes on
            dlg->cmdImporta->setFocus();
            QTest::keyClick(dlg->cmdImporta, Qt::Key_Return);
            QCOMPARE(msgs->shown.size(), 1);
            QCOMPARE(msgs->shown[0].kind, M::Question);
            QVERIFY(dlg->isVisible());
            dlg->cmdEsci->setFocus();
            QTest::keyClick(dlg->cmdEsci, Qt::Key_Enter);
            QVERIFY(!dlg->isVisible());
        });
        w->cmdImportaClick();
        QVERIFY(seen);
        QVERIFY(!QFileInfo::exists(archive()));
    }

    // A file that cannot be imported gets its reason, and no preview opens.
    void notImportable_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a picture") << QByteArray("\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR", 16)
                                   << QString::fromUtf8("Il file non contiene testo: non è un foglio salvato in formato CSV.");
        QTest::newRow("header alone") << QByteArray("Cognome e nome;CAP\r\n")
                                      << QString::fromUtf8("contiene soltanto la riga dei nomi delle colonne: non c'è "
                                                           "nessuna scheda da importare.");
    }
    void notImportable() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QFile f(m_dir.filePath("foto.csv"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        files->answers << f.fileName();
        w->cmdImportaClick();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Warning);
        QVERIFY(msgs->shown[0].text.startsWith("Attenzione: il file "));
        QVERIFY2(msgs->shown[0].text.endsWith(reason), qPrintable(msgs->shown[0].text));
        QVERIFY(!QFileInfo::exists(archive()));
    }

    // Another program holds the registry: the user is told nothing was imported, the registry keeps
    // its bytes, the preview stays open, and Importa works once the other program lets go.
    // The import stopped by a crash at each moment that matters: the next import from the screen
    // first puts the registry back as it was (its rows judged against the cards it really holds),
    // says so in an information box, then adds each card once.
    void importCutShortIsUndoneFirst_data() {
        QTest::addColumn<QByteArray>("momento");
        QTest::newRow("before the first card") << QByteArray(giornaleLotto::kPrimaDeiRecord);
        QTest::newRow("half of the cards written") << QByteArray(giornaleLotto::kAMeta);
        QTest::newRow("every card written, the journal still there") << QByteArray(giornaleLotto::kDopoIRecord);
    }
    void importCutShortIsUndoneFirst() {
        QFETCH(QByteArray, momento);
        saveCard("GIALLI PIA");
        const QByteArray before = readAll(archive());
        QByteArray soci = "Cognome e nome;Categoria\r\n";
        for (int i = 0; i < 250; ++i) soci += "Socio " + QByteArray::number(i) + ";soci\r\n";
        QFile f(csv());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(soci);
        f.close();
        {
            TfrmImportaSchede dlg(w, archive(), csv());
            QVERIFY(dlg.prepara());
            QVERIFY(interrompiA(momento.constData(), [&] { dlg.cmdImportaClick(); }));
        }
        QVERIFY(QFileInfo::exists(archive() + ".importazione"));
        msgs->clear();

        files->answers << csv();
        QString conteggi;
        onNextModal([&](QWidget* d) {
            auto* dlg = qobject_cast<TfrmImportaSchede*>(d);
            QVERIFY(dlg);
            conteggi = dlg->lblConteggi->text();
            QTest::mouseClick(dlg->cmdImporta, Qt::LeftButton);
        });
        w->cmdImportaClick();
        QCOMPARE(conteggi, QString::fromUtf8("250 schede da aggiungere · 0 righe rifiutate"));
        QCOMPARE(msgs->shown.size(), 3);
        QCOMPARE(msgs->shown[0].kind, M::Information);
        QCOMPARE(msgs->shown[0].text, QString::fromUtf8("L'ultima importazione di 250 schede non era terminata ed è "
                                                        "stata annullata: l'archivio è tornato com'era prima."));
        QCOMPARE(msgs->shown[1].kind, M::Question);
        QCOMPARE(msgs->shown[2].text, "Le 250 schede sono state inserite in archivio, dalla n. 2 alla n. 251.");
        const QByteArray after = readAll(archive());
        QCOMPARE(after.size(), 251 * kCard);
        QCOMPARE(after.left(kCard), before);
        QCOMPARE(w->txtEsecutore->text(), "SOCIO 0");
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"Esecutori.pro", "soci.csv"}));
    }

    // The journal of an import that does not fit the registry stops the import: nothing is added,
    // and the user is told what was found, that the registry was not changed and what can be done.
    void journalLeftAloneStopsTheImport() {
        saveCard("GIALLI PIA");
        const QByteArray before = readAll(archive());
        QFile j(archive() + ".importazione");
        QVERIFY(j.open(QIODevice::WriteOnly));
        j.write("appunti\r\n");
        j.close();
        TfrmImportaSchede dlg(w, archive(), csv());
        QVERIFY(dlg.prepara());
        const QString atteso = QString::fromUtf8(
            "Attenzione: accanto all'archivio Esecutori.pro si trova il file Esecutori.pro.importazione, che il "
            "programma scrive durante un'importazione di schede e toglie al termine, ma il suo contenuto non è quello "
            "che il programma vi scrive. L'archivio non è stato modificato.\n\r\n\rSe l'archivio è in ordine, il file "
            "Esecutori.pro.importazione può essere eliminato.");
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Warning);
        QCOMPARE(msgs->shown[0].text, atteso);
        msgs->clear();
        dlg.cmdImportaClick();
        QCOMPARE(msgs->shown.size(), 2);
        QCOMPARE(msgs->shown[1].kind, M::Warning);
        QCOMPARE(msgs->shown[1].text, atteso + QString::fromUtf8("\n\r\n\rNessuna scheda è stata importata."));
        QCOMPARE(readAll(archive()), before);
        QVERIFY(dlg.cmdImporta->isEnabled());
    }

    void lockedRegistry() {
        saveCard("GIALLI PIA");
        const QByteArray before = readAll(archive());
        files->answers << csv();
        QFile other(archive());
        QVERIFY(other.open(QIODevice::ReadWrite));
        const auto limit = FileLock::waitLimit();
        FileLock::setWaitLimit(std::chrono::milliseconds(200));
        onNextModal([&](QWidget* d) {
            auto* dlg = qobject_cast<TfrmImportaSchede*>(d);
            {
                FileLock held(other, FileLock::Exclusive);
                QTest::mouseClick(dlg->cmdImporta, Qt::LeftButton);
            }
            QCOMPARE(msgs->shown.last().kind, M::Error);
            QCOMPARE(msgs->shown.last().text,
                     kTestoAccesso + QString::fromUtf8("\n\r\n\rNessuna scheda è stata importata: l'archivio è rimasto com'era."));
            QCOMPARE(readAll(archive()), before);
            QVERIFY(dlg->isVisible());
            QTest::mouseClick(dlg->cmdImporta, Qt::LeftButton);
        });
        w->cmdImportaClick();
        FileLock::setWaitLimit(limit);
        QCOMPARE(QFileInfo(archive()).size(), 3 * kCard);
        QCOMPARE(w->lblPosizione->text(), "2");
    }
};

QTEST_MAIN(TstImportaSchede)
#include "tst_importaschede.moc"
