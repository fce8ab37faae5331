#include "archive/ArchiveError.h"
#include "archive/FileLock.h"
#include "archive/RecordFile.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "common/ChildFaults.h"
#include "common/FaultInjection.h"
#include "common/ToolRun.h"

#include <cerrno>
#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <unistd.h>
#endif
#include <optional>

namespace {
template <class T> T blank() {
    T r;
    std::memset(&r, 0, sizeof r);
    return r;
}
} // namespace

class TstTool : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void dumpPrintsEveryWholeRecordInOrder() {
        const QString path = m_dir.filePath("2024.bol");
        {
            RecordFile<TSchedaBollettino> f(path);
            TSchedaBollettino r = blank<TSchedaBollettino>();
            r.CCP.set("123");
            r.Intestatario.set(QStringLiteral("CAFÉ \"LA SOSTA\""));
            r.Saldato.set(QStringLiteral("Sì"));
            f.append(r);
            r.CCP.set("456");
            r.Note.set("riga\tcon tab");
            f.append(r);
        }
        QFile raw(path);
        QVERIFY(raw.open(QIODevice::Append));
        raw.write("partial tail");
        raw.close();

        const ToolRun r = tool({"dump", path});
        QCOMPARE(r.code, 0);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith("{\"pos\": 1, \"Importo\": \"\", \"Cents\": \"\", \"ImpLettere\""));
        QVERIFY(lines[0].endsWith("\"Desc03\": \"\"}"));
        const QJsonObject first = QJsonDocument::fromJson(lines[0].toUtf8()).object();
        QCOMPARE(first.size(), 26);
        QCOMPARE(first["Intestatario"].toString(), QStringLiteral("CAFÉ \"LA SOSTA\""));
        QCOMPARE(first["Saldato"].toString(), QStringLiteral("Sì"));
        const QJsonObject second = QJsonDocument::fromJson(lines[1].toUtf8()).object();
        QCOMPARE(second["pos"].toInt(), 2);
        QCOMPARE(second["CCP"].toString(), QString("456"));
        QCOMPARE(second["Note"].toString(), QString("riga\tcon tab"));
    }

    void dumpReadsTheRegistry() {
        QDir(m_dir.path()).mkdir("reg");
        const QString path = m_dir.filePath("reg/Esecutori.pro");
        {
            RecordFile<TSchedaAnagrafica> f(path);
            TSchedaAnagrafica c = blank<TSchedaAnagrafica>();
            c.Esecutore.set("ROSSI MARIO");
            c.Ricontatta.set("No");
            f.append(c);
        }
        const ToolRun byName = tool({"dump", path});
        QCOMPARE(byName.code, 0);
        const QJsonObject card = QJsonDocument::fromJson(byName.out.toUtf8()).object();
        QCOMPARE(card.size(), 40);
        QCOMPARE(card["Esecutore"].toString(), QString("ROSSI MARIO"));
        QCOMPARE(card["Ricontatta"].toString(), QString("No"));

        const QString copy = m_dir.filePath("reg/copia.dat");
        QVERIFY(QFile::copy(path, copy));
        const ToolRun byFlag = tool({"dump", "--registry", copy});
        QCOMPARE(byFlag.out, byName.out);
    }

    void dumpNeverCreatesAnArchive() {
        const QString path = m_dir.filePath("1999.bol");
        const ToolRun r = tool({"dump", path});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains("1999.bol"));
        QVERIFY(r.out.isEmpty());
        QVERIFY(!QFile::exists(path));
        QCOMPARE(tool({"dump"}).code, 2);
        QCOMPARE(tool({"dump", m_dir.path()}).code, 1); // a folder is not an archive
    }

    void words_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::newRow("whole") << "1234" << 0 << "MILLEDUECENTOTRENTAQUATTRO\n";
        QTest::newRow("comma") << "12,50" << 0 << "DODICI E CINQUANTA CENTESIMI\n";
        QTest::newRow("point") << "12.50" << 0 << "DODICI E CINQUANTA CENTESIMI\n";
        QTest::newRow("negative") << "-5" << 0 << "- CINQUE\n";
        QTest::newRow("letters") << "12a" << 2 << "";
        QTest::newRow("thousands") << "1.234,50" << 2 << "";
        QTest::newRow("blank") << " 5" << 2 << "";
    }
    void words() {
        QFETCH(QString, amount);
        QFETCH(int, code);
        QFETCH(QString, out);
        const ToolRun r = tool({"words", amount});
        QCOMPARE(r.code, code);
        QCOMPARE(r.out, out);
        if (code == 2) QVERIFY(r.err.contains("usage"));
    }

    // Every JSON value survives what JSON must escape, in the order of the record's fields.
    void dumpEscapesWhatJsonMust() {
        const QString path = m_dir.filePath("escapes.bol");
        const QString awkward = QStringLiteral("a\"b\\c/d\x01e\x08f\x0cg\x1fh\x7f\u00e8\u20ac");
        {
            RecordFile<TSchedaBollettino> f(path);
            TSchedaBollettino r = blank<TSchedaBollettino>();
            r.Causale01.set(awkward);
            r.Note.set(QStringLiteral("plain text"));
            f.append(r);
        }
        const ToolRun r = tool({"dump", path});
        QCOMPARE(r.code, 0);
        QJsonParseError error;
        const QJsonObject line = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(line["Causale01"].toString(), awkward);
        QVERIFY(r.out.contains(", \"Note\": \"plain text\", \"Saldato\": \"\", "));
    }

    // Output that cannot be written is a failure with the system's reason, never a success and never
    // a silent death by signal. "A" stands for an archive of 300 slips; a full disk takes
    // about 20 lines of it, or 3 bytes of any other output.
    void outputFailures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("reason");
        const QStringList dump{"dump", "A"}, words{"words", "1234"}, check{"check", "cf", "RSSMRA80A01H501U"};
        const QStringList print{"print", "A", "--layout", "a4", "--pdf", "P", "--pos", "1"};
        QTest::newRow("dump into /dev/full") << dump << "/dev/full" << ENOSPC;
        QTest::newRow("dump into a disk full after 20 lines") << dump << "full disk" << EFBIG;
        QTest::newRow("dump into a closed pipe") << dump << "closed pipe" << EPIPE;
        QTest::newRow("words into /dev/full") << words << "/dev/full" << ENOSPC;
        QTest::newRow("words into a closed pipe") << words << "closed pipe" << EPIPE;
        QTest::newRow("check into /dev/full") << check << "/dev/full" << ENOSPC;
        QTest::newRow("check into a full disk") << check << "full disk" << EFBIG;
        QTest::newRow("print into /dev/full") << print << "/dev/full" << ENOSPC;
        QTest::newRow("print into a closed pipe") << print << "closed pipe" << EPIPE;
        QTest::newRow("help into /dev/full") << QStringList{"--help"} << "/dev/full" << ENOSPC;
        QTest::newRow("version into /dev/full") << QStringList{"--version"} << "/dev/full" << ENOSPC;
        QTest::newRow("help of dump into a closed pipe") << QStringList{"dump", "--help"} << "closed pipe" << EPIPE;
    }
    void outputFailures() {
#ifdef Q_OS_UNIX
        QFETCH(QStringList, args);
        QFETCH(QString, fault);
        QFETCH(int, reason);
        const QString archive = m_dir.filePath("trecento.bol");
        if (!QFile::exists(archive)) {
            RecordFile<TSchedaBollettino> f(archive);
            TSchedaBollettino r = blank<TSchedaBollettino>();
            r.Intestatario.set("ASSOCIAZIONE AMICI");
            for (int i = 0; i < 300; ++i) f.append(r);
        }
        for (QString& a : args) {
            if (a == "A") a = archive;
            else if (a == "P") a = m_dir.filePath("uscita.pdf");
        }
        const QString captured = m_dir.filePath("output.txt");
        QFile::remove(captured);
        std::optional<fault::FullDisk> disk;
        if (fault == "full disk") {
            disk.emplace(args.first() == "dump" ? 20 * 412 : 3);
            FAULT_OR_SKIP(*disk);
        }
        const ToolRun r = tool(args, [&](QProcess& p) {
            if (fault == "/dev/full") p.setStandardOutputFile("/dev/full");
            if (fault == "closed pipe") childFaults::closedPipe(p);
            if (fault == "full disk") p.setStandardOutputFile(captured);
        });
        disk.reset();
        QVERIFY2(!r.crashed, "ended by a signal");
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("the output could not be written: " + qt_error_string(reason)), qPrintable(r.err));
#else
        QSKIP("the faults are made with POSIX calls");
#endif
    }

#ifdef Q_OS_UNIX
    // A reader waiting on its output holds no lock: while versalio-tool dump is stuck on a pipe
    // nobody reads, a save of the same archive goes through at once instead of waiting for it.
    void dumpIntoAnUnreadPipeLetsOthersSave() {
        const QString path = m_dir.filePath("lento.bol");
        TSchedaBollettino slip = blank<TSchedaBollettino>();
        slip.Intestatario.set("ASSOCIAZIONE AMICI");
        {
            RecordFile<TSchedaBollettino> f(path);
            for (int i = 0; i < 2000; ++i) f.append(slip); // some 900 KB of JSON, far more than a pipe holds
        }
        int fds[2];
        QCOMPARE(::pipe(fds), 0);
        QProcess dump;
        dump.setChildProcessModifier([writeEnd = fds[1]] { ::dup2(writeEnd, STDOUT_FILENO); });
        dump.start(QCoreApplication::applicationDirPath() + "/versalio-tool", {"dump", path});
        QVERIFY(dump.waitForStarted());
        ::close(fds[1]);
        auto waiting = [&] {
            int n = 0;
            return ::ioctl(fds[0], FIONREAD, &n) == 0 && n >= 60000;
        };
        QTRY_VERIFY_WITH_TIMEOUT(waiting(), 20000); // the pipe is full: the dump waits on it

        const auto limit = FileLock::waitLimit();
        FileLock::setWaitLimit(std::chrono::seconds(2));
        qint64 position = 0;
        QString error;
        try {
            RecordFile<TSchedaBollettino> f(path);
            position = f.append(slip);
        } catch (const ArchiveError& e) {
            error = e.what();
        }
        FileLock::setWaitLimit(limit);

        // Read what the dump has to say, so that it can end.
        QByteArray said;
        char buffer[65536];
        for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) said.append(buffer, n);
        ::close(fds[0]);
        QVERIFY(dump.waitForFinished(30000));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(position, 2001);
        QCOMPARE(dump.exitCode(), 0);
        QVERIFY(said.startsWith("{\"pos\": 1, "));
    }
#endif

    // Each subcommand reads its command line with the same rules: help anywhere, usage errors told in
    // the tool's words with exit 2, and a leading minus with a digit taken for a value.
    void commandLines_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("said"); // on stdout when the code is 0, else on stderr
        QTest::newRow("help of dump") << QStringList{"dump", "--help"} << 0 << "--registry";
        QTest::newRow("help of print") << QStringList{"print", "-h"} << 0 << "--layout <blank|a4>";
        QTest::newRow("help where a value was due") << QStringList{"print", "x", "--layout", "--help"} << 0
                                                     << "usage: versalio-tool print FILE.bol";
        QTest::newRow("help beside an unknown option") << QStringList{"check", "--colore", "--help"} << 0
                                                        << "usage: versalio-tool check";
        QTest::newRow("negative amount after --") << QStringList{"words", "--", "-5"} << 0 << "- CINQUE";
        QTest::newRow("unknown option") << QStringList{"print", "x", "--colori"} << 2
                                        << "versalio-tool print: unknown option --colori\n";
        QTest::newRow("value missing") << QStringList{"print", "x", "--pdf", "y", "--layout"} << 2
                                       << "versalio-tool print: --layout needs a value\n";
        QTest::newRow("value not wanted") << QStringList{"dump", "--registry=si", "x"} << 2
                                          << "versalio-tool dump: --registry takes no value\n";
        QTest::newRow("two amounts") << QStringList{"words", "1", "2"} << 2
                                     << "versalio-tool words: give exactly one amount\n";
    }
    void commandLines() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, said);
        const ToolRun r = tool(args);
        QCOMPARE(r.code, code);
        QVERIFY2((code == 0 ? r.out : r.err).contains(said), qPrintable(r.out + r.err));
        if (code == 2) QVERIFY(r.out.isEmpty());
    }

    void usage() {
        QCOMPARE(tool({}).code, 2);
        QCOMPARE(tool({"nonsense"}).code, 2);
        const ToolRun help = tool({"--help"});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.contains("dump"));
        QVERIFY(help.out.contains("words"));
        QVERIFY(help.out.contains("--version"));
        // The version set once in the build, the one the about dialog shows.
        const ToolRun version = tool({"--version"});
        QCOMPARE(version.code, 0);
        QCOMPARE(version.out, QStringLiteral("versalio-tool " VERSALIO_VERSIONE "\n"));
        QVERIFY(QStringLiteral(VERSALIO_VERSIONE).contains(QRegularExpression("^\\d+\\.\\d+")));
    }
};

QTEST_GUILESS_MAIN(TstTool)
#include "tst_tool.moc"
