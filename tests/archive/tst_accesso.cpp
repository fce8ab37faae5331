#include "archive/Crypt.h"
#include "archive/PasswordStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "common/FileBytes.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

class TstAccesso : public QObject {
    Q_OBJECT

    QString folder(const QTemporaryDir& dir) const { return dir.path() + QLatin1Char('/'); }

private slots:
    // Expected values worked out by hand from the key arithmetic, independently of the code.
    void criptaFollowsTheKey_data() {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("hex");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("one letter") << "A" << "4A";
        QTest::newRow("small letter differs") << "a" << "6A";
        QTest::newRow("key advances") << "ABC" << "4A69EA";
        QTest::newRow("blanks are characters") << " X " << "2B90C7";
        QTest::newRow("first access") << "CHIAVEDIACCESS" << "4875F940C79E50C54878907C2CB6";
        QTest::newRow("accented") << QString::fromUtf8("È PIÙ") << "C3712905E4";
        QTest::newRow("codes 255 and 0") << QString(QChar(0xFF)) + QChar(0) << "F40E";
    }
    void criptaFollowsTheKey() {
        QFETCH(QString, plain);
        QFETCH(QString, hex);
        QCOMPARE(cifrario::Cripta(plain), hex);
        QCOMPARE(cifrario::Decripta(hex), std::optional<QString>(plain));
    }

    void decriptaInvertsEveryByte() {
        QString all;
        for (int c = 0; c < 256; ++c) all += QChar(char16_t(c));
        QCOMPARE(cifrario::Decripta(cifrario::Cripta(all)), std::optional<QString>(all));
        const QString longest(255, QLatin1Char('X'));
        QCOMPARE(cifrario::Decripta(cifrario::Cripta(longest)), std::optional<QString>(longest));
    }

    void decriptaReadsHexLeniently_data() {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QString>("plain");
        QTest::newRow("small hex digits") << "4a69ea" << "ABC";
        QTest::newRow("last unpaired ignored") << "4A69EA7" << "ABC";
        QTest::newRow("one character") << "4" << "";
    }
    void decriptaReadsHexLeniently() {
        QFETCH(QString, hex);
        QFETCH(QString, plain);
        QCOMPARE(cifrario::Decripta(hex), std::optional<QString>(plain));
    }

    void decriptaFailsOnAPairThatIsNotHex_data() {
        QTest::addColumn<QString>("hex");
        QTest::newRow("letter G") << "4G";
        QTest::newRow("second pair") << "4A6Z";
        QTest::newRow("blank") << "4 ";
        QTest::newRow("sign") << "-1";
        QTest::newRow("plain word") << "CHIAVEDIACCESS";
        QTest::newRow("full-width digit") << QString::fromUtf8("４A");
    }
    void decriptaFailsOnAPairThatIsNotHex() {
        QFETCH(QString, hex);
        QVERIFY(!cifrario::Decripta(hex));
    }

    void storeReadsWhatItWrote() {
        QTemporaryDir dir;
        QVERIFY(passwordStore::scrivi(folder(dir), QStringLiteral("CHIAVEDIACCESS")));
        QCOMPARE(readAll(passwordStore::path(folder(dir))), QByteArray("[Accesso]\r\nValore=4875F940C79E50C54878907C2CB6\r\n"));
        const auto letta = passwordStore::leggi(folder(dir));
        QCOMPARE(letta.esito, passwordStore::Lettura::Letta);
        QCOMPARE(letta.password, QStringLiteral("CHIAVEDIACCESS"));

        // A second write changes only the value; other lines of the file stay.
        writeRaw(passwordStore::path(folder(dir)), "; non modificare\r\n[Accesso]\r\nValore=4A\r\n");
        QVERIFY(passwordStore::scrivi(folder(dir), QString::fromUtf8("NUOVA È")));
        QCOMPARE(passwordStore::leggi(folder(dir)).password, QString::fromUtf8("NUOVA È"));
        QVERIFY(readAll(passwordStore::path(folder(dir))).startsWith("; non modificare\r\n"));
    }

    void storeTellsMissingFromDamaged_data() {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<int>("esito");
        QTest::addColumn<QString>("password");
        using L = passwordStore::Lettura;
        QTest::newRow("no file") << QByteArray() << int(L::Assente) << "";
        QTest::newRow("no section") << QByteArray("[Altro]\r\nValore=4A\r\n") << int(L::Assente) << "";
        QTest::newRow("no key") << QByteArray("[Accesso]\r\nChiave=4A\r\n") << int(L::Assente) << "";
        QTest::newRow("empty value") << QByteArray("[Accesso]\r\nValore=\r\n") << int(L::Assente) << "";
        QTest::newRow("only blanks enciphered") << QByteArray("[Accesso]\r\nValore=2B\r\n") << int(L::Assente) << "";
        QTest::newRow("not hex") << QByteArray("[Accesso]\r\nValore=CHIAVE\r\n") << int(L::Illeggibile) << "";
        QTest::newRow("case of names") << QByteArray("[ACCESSO]\r\nvalore = 4A69EA\r\n") << int(L::Letta) << "ABC";
        QTest::newRow("trimmed after deciphering") << QByteArray("[Accesso]\r\nValore=2B90C7\r\n") << int(L::Letta)
                                                   << "X";
    }
    void storeTellsMissingFromDamaged() {
        QFETCH(QByteArray, content);
        QFETCH(int, esito);
        QFETCH(QString, password);
        QTemporaryDir dir;
        if (!content.isEmpty()) writeRaw(passwordStore::path(folder(dir)), content);
        const auto letta = passwordStore::leggi(folder(dir));
        QCOMPARE(int(letta.esito), esito);
        QCOMPARE(letta.password, password);
    }

    void aFolderInPlaceOfTheStoreIsUnreadable() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(passwordStore::kFileName));
        QCOMPARE(passwordStore::leggi(folder(dir)).esito, passwordStore::Lettura::Illeggibile);
        QVERIFY(!passwordStore::scrivi(folder(dir), QStringLiteral("ABC")));
    }

    void onlyWhatTheCipherHoldsIsStored_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("rifiuto");
        using R = passwordStore::Rifiuto;
        QTest::newRow("ordinary") << "SEGRETO" << int(R::Nessuno);
        QTest::newRow("empty") << "" << int(R::Vuota);
        QTest::newRow("255 characters") << QString(255, QLatin1Char('A')) << int(R::Nessuno);
        QTest::newRow("256 characters") << QString(256, QLatin1Char('A')) << int(R::TroppoLunga);
        QTest::newRow("code 255") << QString(QChar(0xFF)) << int(R::Nessuno);
        QTest::newRow("euro sign") << QString::fromUtf8("PREZZO€") << int(R::CarattereNonAmmesso);
        QTest::newRow("Greek") << QString::fromUtf8("ΑΒΓ") << int(R::CarattereNonAmmesso);
    }
    void onlyWhatTheCipherHoldsIsStored() {
        QFETCH(QString, password);
        QFETCH(int, rifiuto);
        QCOMPARE(int(passwordStore::verifica(password)), rifiuto);
        QTemporaryDir dir;
        QCOMPARE(passwordStore::scrivi(folder(dir), password), rifiuto == int(passwordStore::Rifiuto::Nessuno));
        if (rifiuto != int(passwordStore::Rifiuto::Nessuno)) QVERIFY(!QFile::exists(passwordStore::path(folder(dir))));
    }

    void normalisedAsTheLoginCompares_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normalised");
        QTest::newRow("small letters") << "chiave" << "CHIAVE";
        QTest::newRow("blanks around") << "  Chiave\t" << "CHIAVE";
        QTest::newRow("accented stays") << QString::fromUtf8("però") << QString::fromUtf8("PERò");
        QTest::newRow("inner blank stays") << "a b" << "A B";
    }
    void normalisedAsTheLoginCompares() {
        QFETCH(QString, typed);
        QFETCH(QString, normalised);
        QCOMPARE(passwordStore::normalizza(typed), normalised);
    }

    void aReadOnlyFolderKeepsTheOldPassword() {
#ifdef Q_OS_UNIX
        if (geteuid() == 0) QSKIP("root writes into read-only folders");
#else
        QSKIP("a folder's read-only setting does not stop writing into it on Windows");
#endif
        QTemporaryDir dir;
        QVERIFY(passwordStore::scrivi(folder(dir), QStringLiteral("VECCHIA")));
        const QByteArray before = readAll(passwordStore::path(folder(dir)));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        QString error;
        const bool written = passwordStore::scrivi(folder(dir), QStringLiteral("NUOVA"), &error);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        QCOMPARE(readAll(passwordStore::path(folder(dir))), before);
        QCOMPARE(passwordStore::leggi(folder(dir)).password, QStringLiteral("VECCHIA"));
    }

    // A disk that fills up during the write: the child process may write only a few bytes.
    void aFullDiskKeepsTheOldPassword() {
#ifndef Q_OS_UNIX
        QSKIP("file size limits are a POSIX facility");
#else
        QTemporaryDir dir;
        QVERIFY(passwordStore::scrivi(folder(dir), QStringLiteral("VECCHIA")));
        const QByteArray before = readAll(passwordStore::path(folder(dir)));
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{16, 16};
            setrlimit(RLIMIT_FSIZE, &limit);
            const bool written = passwordStore::scrivi(folder(dir), QString(200, QLatin1Char('N')));
            _exit(written ? 1 : 0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0); // the write said it failed
        QCOMPARE(readAll(passwordStore::path(folder(dir))), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{passwordStore::kFileName});
#endif
    }
};

QTEST_GUILESS_MAIN(TstAccesso)
#include "tst_accesso.moc"
