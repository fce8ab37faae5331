#include "app/GuidaProgramma.h"
#include "app/MessaggiAccesso.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmCambiaPassword.h"
#include "app/TfrmPassword.h"
#include "app/WindowSet.h"
#include "archive/Crypt.h"
#include "archive/PasswordStore.h"
#include "archive/Text.h"
#include "registry/TfrmEsecutori.h"
#include "slips/TfrmBollettino.h"
#include "ui/MessageService.h"
#include "ui/Picture.h"
#include "ui/ProgramFolder.h"

#include "app/AccessoTest.h"
#include "common/GuiTest.h"

#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "common/FaultInjection.h"
#include "common/FileBytes.h"
#include "common/RecordingMessages.h"
#include <QLabel>
#include <optional>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace messaggiAccesso;

namespace {

QStringList texts(const RecordingMessages& m) {
    QStringList out;
    for (const auto& s : m.shown) {
        out << s.text;
        if (s.kind != MessageService::Plain) out << QStringLiteral("(not a plain box)");
    }
    return out;
}

// The word the start screen's help gives for the first access.
QString parolaDellaGuida() {
    const QStringList paragraphs = guidaProgramma::testo().split(QStringLiteral("\r\n\r\n"));
    const auto m = QRegularExpression(QStringLiteral("parola chiave \"([^\"]+)\"")).match(paragraphs.value(23));
    return m.captured(1);
}

QStringList visibleWindows() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) names << w->objectName();
    return names;
}

} // namespace

class TstPassword : public QObject {
    Q_OBJECT
    TemporaryProgramFolder m_dir;
    QString folder() const { return programFolder::path(); }
    QString store() const { return passwordStore::path(folder()); }

    void setStored(const QString& password) { QVERIFY(passwordStore::scrivi(folder(), password)); }

    // Types into the password window and confirms with Enter.
    void login(WindowSet& set, const QString& typed) {
        set.password->txtPassword->clear();
        typeText(set.password->txtPassword, typed);
        QTest::keyClick(set.password->txtPassword, Qt::Key_Return);
    }

    void openChange(WindowSet& set) {
        set.start();
        QTest::mouseClick(set.password->btnCambiaPassword, Qt::LeftButton);
        QVERIFY(set.cambiaPassword->isVisible());
        QVERIFY(!set.password->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(set.cambiaPassword));
    }

    // Characters beyond the keyboard's arrive from the input method, as a whole.
    static void digita(QWidget* field, const QString& text) {
        if (std::none_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); })) {
            typeText(field, text);
            return;
        }
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(field, &commit);
    }

    void fillChange(WindowSet& set, const QString& old, const QString& nuova, const QString& conferma) {
        digita(set.cambiaPassword->txtPasswordOld, old);
        digita(set.cambiaPassword->txtPasswordNew, nuova);
        digita(set.cambiaPassword->txtConferma, conferma);
    }

private slots:
    void init() { setStored(QStringLiteral("CHIAVEDIACCESS")); }

    void startsOnThePasswordWindowAlone() {
        WindowSet set;
        set.start();
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("frmPassword")});
        QCOMPARE(set.password->windowTitle(), QStringLiteral(" Versalio - Accesso"));
        QVERIFY(!(set.password->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(set.password->txtPassword->text().isEmpty());
        QCOMPARE(set.password->txtPassword->echoMode(), QLineEdit::Password);
        QVERIFY(!set.password->cmdOK->isEnabled());
        QVERIFY(QTest::qWaitForWindowActive(set.password));
        QCOMPARE(QApplication::focusWidget(), set.password->txtPassword);
    }

    // A program folder that cannot take the archives is told on the password window at once, with the
    // reason, and the user can still enter; once the folder takes files again the notice goes.
    void aFolderThatCannotTakeTheArchivesIsToldAtOnce_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("reasons"); // one of them is given; empty: no notice
        QTest::newRow("a folder that takes files") << "" << QStringList();
        // Root is stopped by a read-only mount, an ordinary user by the folder's permissions.
        QTest::newRow("a read-only folder") << "read-only"
                                            << QStringList{QString::fromUtf8("perché il disco è in sola lettura"),
                                                           QString::fromUtf8("perché l'utente non ha il permesso")};
        QTest::newRow("a disk that takes no byte") << "full" << QStringList{QString::fromUtf8("perché il sistema risponde: \"")};
        QTest::newRow("a folder that went away") << "gone" << QStringList{QString::fromUtf8("perché la cartella non esiste")};
    }
    void aFolderThatCannotTakeTheArchivesIsToldAtOnce() {
        QFETCH(QString, fault);
        QFETCH(QStringList, reasons);
        std::optional<fault::ReadOnlyFolder> readOnly;
        std::optional<fault::FullDisk> full;
        if (fault == "read-only") {
            readOnly.emplace(m_dir.path());
            if (!readOnly->skipReason().isEmpty()) QSKIP(qPrintable(readOnly->skipReason()));
        } else if (fault == "full") {
            full.emplace(0);
            if (!full->skipReason().isEmpty()) QSKIP(qPrintable(full->skipReason()));
        } else if (fault == "gone") {
            m_dir.pointAt(m_dir.filePath("spostata"));
        }
        RecordingMessages msgs;
        WindowSet set;
        set.start();
        QLabel* notice = set.password->lblCartella;
        const QString said = notice->text();
        full.reset();
        m_dir.pointAt(QString());
        if (reasons.isEmpty()) {
            QVERIFY(!notice->isVisible());
        } else {
            QVERIFY(notice->isVisible());
            QVERIFY2(said.startsWith(QString::fromUtf8("Attenzione: in questa cartella gli archivi non potranno "
                                                       "essere salvati, perché ")),
                     qPrintable(said));
            QVERIFY2(std::any_of(reasons.begin(), reasons.end(), [&](const QString& r) { return said.contains(r); }),
                     qPrintable(said));
            QVERIFY(said.contains(QString::fromUtf8("avviare il programma da lì")));
            QVERIFY(notice->geometry().bottom() < set.password->txtPassword->geometry().top());
        }
        QVERIFY(msgs.shown.isEmpty());
        // The trial leaves nothing behind, whatever its outcome.
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{passwordStore::kFileName});

        // The user may still enter; back at the password window the folder is tried again.
        login(set, QStringLiteral("chiavediaccess"));
        QVERIFY(set.avvio->isVisible());
        readOnly.reset();
        set.password->riapri();
        QVERIFY(!notice->isVisible());
    }

    void okNeedsSomethingBesidesBlanks_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("nothing") << "" << false;
        QTest::newRow("blanks") << "   " << false;
        QTest::newRow("one letter") << "a" << true;
        QTest::newRow("letter after blanks") << "  x" << true;
    }
    void okNeedsSomethingBesidesBlanks() {
        QFETCH(QString, typed);
        QFETCH(bool, enabled);
        RecordingMessages msgs;
        WindowSet set;
        set.start();
        typeText(set.password->txtPassword, typed);
        QCOMPARE(set.password->cmdOK->isEnabled(), enabled);
        // Enter does what OK would, and nothing at all when OK is off.
        QTest::keyClick(set.password->txtPassword, Qt::Key_Return);
        QCOMPARE(msgs.shown.size(), enabled ? 1 : 0);
        QVERIFY(set.password->isVisible());
    }

    void login_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byButton");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("small letters") << "chiavediaccess" << false << true;
        QTest::newRow("mixed case, blanks around") << "  ChiaveDiAccess  " << true << true;
        QTest::newRow("capitals") << "CHIAVEDIACCESS" << false << true;
        QTest::newRow("one letter more") << "chiavediaccesso" << true << false;
        QTest::newRow("inner blank") << "chiave diaccess" << false << false;
    }
    void login() {
        QFETCH(QString, typed);
        QFETCH(bool, byButton);
        QFETCH(bool, accepted);
        RecordingMessages msgs;
        WindowSet set;
        set.start();
        QVERIFY(QTest::qWaitForWindowActive(set.password));
        typeText(set.password->txtPassword, typed);
        if (byButton) QTest::mouseClick(set.password->cmdOK, Qt::LeftButton);
        else QTest::keyClick(set.password->txtPassword, Qt::Key_Return);
        if (accepted) {
            QCOMPARE(texts(msgs), QStringList());
            QCOMPARE(visibleWindows(), QStringList{QStringLiteral("frmAvvio")});
            QVERIFY(set.password->isHidden());
            return;
        }
        QCOMPARE(texts(msgs), QStringList{kPasswordErrata});
        QVERIFY(set.password->isVisible());
        QVERIFY(!set.avvio->isVisible());
        QVERIFY(set.password->txtPassword->text().isEmpty());
        QVERIFY(!set.password->cmdOK->isEnabled());
        QCOMPARE(QApplication::focusWidget(), set.password->txtPassword);
        // No limit on attempts.
        login(set, QStringLiteral("chiavediaccess"));
        QVERIFY(set.avvio->isVisible());
    }

    // An accented letter stays as typed: only a-z become capitals.
    void accentedLettersKeepTheirCase() {
        setStored(QString::fromUtf8("PERò"));
        RecordingMessages msgs;
        WindowSet set;
        set.start();
        login(set, QString::fromUtf8("PERÒ"));
        QCOMPARE(texts(msgs), QStringList{kPasswordErrata});
        login(set, QString::fromUtf8("però"));
        QVERIFY(set.avvio->isVisible());
    }

    void aStoreThatCannotBeUsedIsExplained_data() {
        QTest::addColumn<QByteArray>("content"); // empty: no file
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file") << QByteArray() << kArchivioAssente;
        QTest::newRow("missing key") << QByteArray("[Accesso]\r\n") << kArchivioAssente;
        QTest::newRow("not hexadecimal") << QByteArray("[Accesso]\r\nValore=CHIAVEDIACCESS\r\n") << kErroreLettura;
    }
    void aStoreThatCannotBeUsedIsExplained() {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QFile::remove(store());
        if (!content.isEmpty()) writeRaw(store(), content);
        RecordingMessages msgs;
        WindowSet set;
        set.start();
        typeText(set.password->txtPassword, QStringLiteral("chiavediaccess"));
        QTest::keyClick(set.password->txtPassword, Qt::Key_Return);
        QCOMPARE(texts(msgs), QStringList{message});
        // The window stays as it was: the user may restore the file and press OK again.
        QCOMPARE(set.password->txtPassword->text(), QStringLiteral("chiavediaccess"));
        QVERIFY(!set.avvio->isVisible());
        // The change form cannot help either, and says why.
        msgs.clear();
        QTest::mouseClick(set.password->btnCambiaPassword, Qt::LeftButton);
        fillChange(set, "chiavediaccess", "nuova", "nuova");
        QTest::mouseClick(set.cambiaPassword->cmdOK, Qt::LeftButton);
        QCOMPARE(texts(msgs), QStringList{message == kErroreLettura ? kErroreModifica : kArchivioAssente});
        QVERIFY(set.cambiaPassword->isVisible());
        QCOMPARE(readAll(store()), content);
    }

    void change_data() {
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("nuova");
        QTest::addColumn<QString>("conferma");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus"); // the field that gets the focus back; empty when the window closes
        QTest::addColumn<QString>("stored");
        const QString pw = QStringLiteral("CHIAVEDIACCESS");
        QTest::newRow("wrong old password") << "chiave" << "nuova" << "nuova" << kVecchiaErrata << "txtPasswordOld"
                                            << pw;
        QTest::newRow("confirmation in other capitals")
            << "chiavediaccess" << "nuova" << "NUOVA" << kNonConfermata << "txtPasswordNew" << pw;
        QTest::newRow("confirmation differs") << "chiavediaccess" << "nuova" << "nuove" << kNonConfermata
                                              << "txtPasswordNew" << pw;
        QTest::newRow("success, blanks and case") << "  ChiaveDiAccess " << " Nuova Parola " << "Nuova Parola  "
                                                  << kModificata << "" << "NUOVA PAROLA";
        QTest::newRow("accented letters") << "chiavediaccess" << QString::fromUtf8("città") << QString::fromUtf8("città")
                                          << kModificata << "" << QString::fromUtf8("CITTà");
        QTest::newRow("255 characters") << "chiavediaccess" << QString(255, 'k') << QString(255, 'k') << kModificata
                                        << "" << QString(255, 'K');
        QTest::newRow("256 characters") << "chiavediaccess" << QString(256, 'k') << QString(256, 'k') << kTroppoLunga
                                        << "txtPasswordNew" << pw;
        QTest::newRow("euro sign") << "chiavediaccess" << QString::fromUtf8("euro€") << QString::fromUtf8("euro€")
                                   << carattereNonAmmesso(QString::fromUtf8("€")) << "txtPasswordNew" << pw;
        QTest::newRow("outside the first plane")
            << "chiavediaccess" << QString::fromUtf8("a😀") << QString::fromUtf8("a😀")
            << carattereNonAmmesso(QString::fromUtf8("😀")) << "txtPasswordNew" << pw;
    }
    void change() {
        QFETCH(QString, old);
        QFETCH(QString, nuova);
        QFETCH(QString, conferma);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(QString, stored);
        RecordingMessages msgs;
        WindowSet set;
        openChange(set);
        QCOMPARE(QApplication::focusWidget(), set.cambiaPassword->txtPasswordOld);
        fillChange(set, old, nuova, conferma);
        QVERIFY(set.cambiaPassword->cmdOK->isEnabled());
        QTest::mouseClick(set.cambiaPassword->cmdOK, Qt::LeftButton);
        QCOMPARE(texts(msgs), QStringList{message});
        QCOMPARE(passwordStore::leggi(folder()).password, stored);
        TfrmCambiaPassword* c = set.cambiaPassword;
        if (focus.isEmpty()) {
            // A successful change leads back to the password window, empty and ready.
            QVERIFY(!c->isVisible());
            QVERIFY(set.password->isVisible());
            QVERIFY(set.password->txtPassword->text().isEmpty());
            QVERIFY(QTest::qWaitForWindowActive(set.password));
            QCOMPARE(QApplication::focusWidget(), set.password->txtPassword);
            msgs.clear();
            login(set, QStringLiteral("chiavediaccess"));
            QCOMPARE(texts(msgs), QStringList{kPasswordErrata});
            login(set, nuova.toLower()); // any case of a-z
            QVERIFY(set.avvio->isVisible());
            return;
        }
        QVERIFY(c->isVisible());
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        const bool oldEmptied = focus == QStringLiteral("txtPasswordOld");
        QCOMPARE(c->txtPasswordOld->text().isEmpty(), oldEmptied);
        QCOMPARE(c->txtPasswordNew->text().isEmpty(), !oldEmptied);
        QCOMPARE(c->txtConferma->text().isEmpty(), !oldEmptied);
        QVERIFY(!c->cmdOK->isEnabled());
    }

    void changeFormFieldRules() {
        RecordingMessages msgs;
        WindowSet set;
        openChange(set);
        TfrmCambiaPassword* c = set.cambiaPassword;
        QCOMPARE(c->windowTitle(), QStringLiteral(" Cambia password"));
        QVERIFY(!(c->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!c->cmdOK->isEnabled());
        typeText(c->txtPasswordOld, QStringLiteral("chiavediaccess"));
        typeText(c->txtPasswordNew, QStringLiteral("nuova"));
        typeText(c->txtConferma, QStringLiteral("  "));
        QVERIFY(!c->cmdOK->isEnabled());
        typeText(c->txtConferma, QStringLiteral("nuova"));
        QVERIFY(c->cmdOK->isEnabled());
        // Enter goes round the three fields and never confirms.
        c->txtPasswordOld->setFocus();
        const QList<QLineEdit*> ring = {c->txtPasswordNew, c->txtConferma, c->txtPasswordOld, c->txtPasswordNew};
        for (QLineEdit* next : ring) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QCOMPARE(texts(msgs), QStringList());
        QCOMPARE(passwordStore::leggi(folder()).password, QStringLiteral("CHIAVEDIACCESS"));

        // "Chiudi" leads back to the password window; the next opening starts empty.
        typeText(set.password->txtPassword, QStringLiteral("resto"));
        QTest::mouseClick(c->cmdEsci, Qt::LeftButton);
        QVERIFY(!c->isVisible());
        QVERIFY(set.password->isVisible());
        QVERIFY(set.password->txtPassword->text().isEmpty());
        QTest::mouseClick(set.password->btnCambiaPassword, Qt::LeftButton);
        QVERIFY(c->txtPasswordOld->text().isEmpty());
        QVERIFY(c->txtPasswordNew->text().isEmpty());
        QVERIFY(c->txtConferma->text().isEmpty());
        QVERIFY(!c->cmdOK->isEnabled());
        // The window system's close does the same as "Chiudi".
        c->close();
        QVERIFY(set.password->isVisible());
    }

    void aStoreThatCannotBeWrittenKeepsTheOldPassword() {
#ifdef Q_OS_UNIX
        if (geteuid() == 0) QSKIP("root writes into read-only folders");
#endif
        RecordingMessages msgs;
        WindowSet set;
        openChange(set);
        fillChange(set, "chiavediaccess", "nuova", "nuova");
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        QTest::mouseClick(set.cambiaPassword->cmdOK, Qt::LeftButton);
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(texts(msgs), QStringList{kErroreModifica});
        QVERIFY(set.cambiaPassword->isVisible());
        QCOMPARE(set.cambiaPassword->txtPasswordNew->text(), QStringLiteral("nuova"));
        set.cambiaPassword->close();
        msgs.clear();
        login(set, QStringLiteral("chiavediaccess"));
        QCOMPARE(texts(msgs), QStringList());
        QVERIFY(set.avvio->isVisible());
    }

    // The same through the window on a disk that fills up: the child process may write only a few bytes.
    void aFullDiskKeepsTheOldPassword() {
#ifndef Q_OS_UNIX
        QSKIP("file size limits are a POSIX facility");
#else
        RecordingMessages msgs;
        WindowSet set;
        openChange(set);
        fillChange(set, "chiavediaccess", QString(200, 'n'), QString(200, 'n'));
        const QByteArray before = readAll(store());
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{16, 16};
            setrlimit(RLIMIT_FSIZE, &limit);
            QTest::mouseClick(set.cambiaPassword->cmdOK, Qt::LeftButton);
            const bool told = texts(msgs) == QStringList{kErroreModifica} && set.cambiaPassword->isVisible();
            _exit(told ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(readAll(store()), before);
        QCOMPARE(QDir(programFolder::path()).entryList(QDir::Files | QDir::Hidden), QStringList{passwordStore::kFileName});
#endif
    }

    void esciEndsTheProgram() {
        WindowSet set;
        QSignalSpy ends(&set, &WindowSet::termina);
        set.start();
        QTest::mouseClick(set.password->cmdEsci, Qt::LeftButton);
        QCOMPARE(ends.size(), 1);
        QVERIFY(!set.avvio->isVisible());
    }

    // The real event loop: closing the start screen returns from it although the password window,
    // the main one, still exists hidden; a workspace closed by its title bar does not.
    void closingTheStartScreenEndsTheEventLoop() {
        WindowSet set;
        entra(set);
        QTimer::singleShot(0, set.avvio, [&set] {
            QTest::mouseClick(set.avvio->imgBollettino, Qt::LeftButton);
            set.bollettino->close();
        });
        QTimer::singleShot(50, set.avvio, [&set] {
            QVERIFY(set.avvio->isVisible());
            set.avvio->close();
        });
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        guard.start(10000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(set.password->isHidden());
        QVERIFY(!set.bollettino->isVisible());
    }

    // What the build puts in the program folder: the help's first-access word, in capitals,
    // enciphered; and never over a store the user already changed.
    void theDeliveredStoreHoldsTheWordOfTheHelp() {
        const QString word = parolaDellaGuida();
        QVERIFY(!word.isEmpty());
        QTemporaryDir fresh;
        QCOMPARE(QProcess::execute(QStringLiteral(VERSALIO_ACCESSO), {fresh.path()}), 0);
        const QString delivered = fresh.filePath(passwordStore::kFileName);
        QCOMPARE(readAll(delivered),
                 QByteArray("[Accesso]\r\nValore=") + cifrario::Cripta(text::upperAZ(word)).toLatin1() + "\r\n");

        m_dir.pointAt(fresh.path());
        RecordingMessages msgs;
        {
            WindowSet set;
            set.start();
            login(set, word);
            QCOMPARE(texts(msgs), QStringList());
            QVERIFY(set.avvio->isVisible());
        }
        QVERIFY(passwordStore::scrivi(fresh.path() + QLatin1Char('/'), QStringLiteral("CAMBIATA")));
        const QByteArray changed = readAll(delivered);
        QCOMPARE(QProcess::execute(QStringLiteral(VERSALIO_ACCESSO), {fresh.path()}), 0);
        QCOMPARE(readAll(delivered), changed);
        m_dir.pointAt(QString());

        // The program folder of this build has its store.
        QCOMPARE(passwordStore::leggi(QStringLiteral(VERSALIO_CARTELLA) + QLatin1Char('/')).esito,
                 passwordStore::Lettura::Letta);
    }
};

QTEST_MAIN(TstPassword)
#include "tst_password.moc"
