// versalio-tool issue-slips: the batch of slips from the command line, with the screen's records,
// all or nothing, never creating the registry.
#include "archive/RecordFile.h"
#include "queries/RigheElenco.h"
#include "queries/EmissioneBollettini.h"
#include "common/ChildFaults.h"
#include "common/FaultInjection.h"
#include "common/FileBytes.h"
#include "common/Records.h"
#include "common/ToolRun.h"

#include <QDir>
#include <QSet>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

namespace {

TSchedaAnagrafica carta(const QString& nome, const QString& categoria) {
    return record<TSchedaAnagrafica>({{"Esecutore", nome},
                                      {"Categoria", categoria},
                                      {"IndirizzoRes", "VIA ROMA 1"},
                                      {"CapRes", "00100"},
                                      {"ComuneRes", "ROMA"},
                                      {"CCP", "12345678"},
                                      {"Causale01", "QUOTA ASSOCIATIVA"}});
}

QByteArray bytes(const TSchedaBollettino& r) { return QByteArray(reinterpret_cast<const char*>(&r), sizeof r); }

} // namespace

class TstIssueSlips : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString& n) const { return m_dir->filePath(n); }
    QString registry() const { return path("Esecutori.pro"); }
    QString archive() const { return path("2025.bol"); }

    QStringList base() const {
        return {"issue-slips", archive(), "--Categoria", "socio", "--holder-card", "1", "--amount", "50", "--due", "31/3/2025"};
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        RecordFile<TSchedaAnagrafica> c(registry());
        c.append(carta("Associazione Amici", "BENEFICIARI"));
        c.append(carta("VERDI LUCA", "SOCIO ORDINARIO"));
        c.append(carta("BIANCHI ANNA", "Socio sostenitore"));
        c.append(carta("FERRARI SPA", "FORNITORE"));
    }

    // The slips the screen would save, in the list's order, after what the archive holds.
    void issuesTheScreensSlips() {
        RecordFile<TSchedaBollettino>(archive()).append(TSchedaBollettino{});
        const ToolRun r = tool(base() + QStringList{"--reason2", "Anno 2025", "--amount", "25,5"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.err.isEmpty());
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        emissione::Dati d{emissione::beneficiario(carta("Associazione Amici", "BENEFICIARI")), "25", "5", "31/03/2025"};
        d.beneficiario.Causale02 = "Anno 2025";
        const QList<std::pair<QString, qint64>> attesi = {{"BIANCHI ANNA", 3}, {"VERDI LUCA", 2}};
        RecordFile<TSchedaBollettino> a(archive(), RecordFileBase::Access::ReadOnly);
        QCOMPARE(a.count(), 3);
        for (int i = 0; i < 2; ++i) {
            const QJsonObject o = QJsonDocument::fromJson(lines[i].toUtf8()).object();
            QCOMPARE(o.value("pos").toInteger(), i + 2);
            QCOMPARE(o.value("card").toInteger(), attesi[i].second);
            const TSchedaBollettino atteso = emissione::bollettino(d, carta(attesi[i].first, ""));
            QCOMPARE(o.value("line").toString(), rigaBollettino(atteso));
            QCOMPARE(bytes(a.read(i + 1)), bytes(atteso));
        }
        QCOMPARE(a.read(1).Intero.get(), QString("25,50"));
        QCOMPARE(a.read(1).ImpLettere.get(), QString("VENTICINQUE"));
        // A batch that ended leaves no journal behind.
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList({"2025.bol", "Esecutori.pro"}));
    }

    void typedBeneficiaryIsWrittenInCapitals() {
        const ToolRun r = tool({"issue-slips", archive(), "--Esecutore", "verdi", "--account", "998877", "--holder", "Circolo Età",
                                "--holder-address", "via del mare 3", "--reason", "Iscrizione", "--amount", "120",
                                "--due", "15/02/2025"});
        QCOMPARE(r.code, 0);
        const TSchedaBollettino s = RecordFile<TSchedaBollettino>(archive()).read(0);
        QCOMPARE(s.CCP.get(), QString("998877"));
        QCOMPARE(s.Intestatario.get(), QString::fromUtf8("CIRCOLO ETà"));
        QCOMPARE(s.IndirizzoInt.get(), QString("VIA DEL MARE 3"));
        QCOMPARE(s.Causale01.get(), QString("Iscrizione"));
        QCOMPARE(s.Esecutore.get(), QString("VERDI LUCA"));
    }

    void dryRunWritesNothing() {
        ToolRun r = tool(base() + QStringList{"--dry-run"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.count('\n'), 2);
        QVERIFY(r.out.startsWith("{\"pos\": 1, \"card\": 3, "));
        QVERIFY(!QFile::exists(archive()));
        writeRaw(archive(), QByteArray(2968 * 2, 'x'));
        r = tool(base() + QStringList{"--dry-run"});
        QVERIFY(r.out.startsWith("{\"pos\": 3, "));
        QCOMPARE(readAll(archive()), QByteArray(2968 * 2, 'x'));
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString a = "ARCHIVE";
        QTest::newRow("no archive") << QStringList{"--amount", "5", "--due", "01/01/2025", "--holder-card", "1"}
                                    << "give exactly one archive file";
        QTest::newRow("no amount") << QStringList{a, "--due", "01/01/2025", "--holder-card", "1"} << "--amount";
        QTest::newRow("amount with letters")
            << QStringList{a, "--amount", "5O", "--due", "01/01/2025", "--holder-card", "1"} << "not 5O";
        QTest::newRow("three decimals")
            << QStringList{a, "--amount", "5,123", "--due", "01/01/2025", "--holder-card", "1"} << "--amount takes";
        QTest::newRow("nine digits")
            << QStringList{a, "--amount", "123456789", "--due", "01/01/2025", "--holder-card", "1"} << "--amount takes";
        QTest::newRow("no due date") << QStringList{a, "--amount", "5", "--holder-card", "1"} << "--due";
        QTest::newRow("no such day") << QStringList{a, "--amount", "5", "--due", "30/02/2025", "--holder-card", "1"}
                                     << "not 30/02/2025";
        QTest::newRow("no beneficiary") << QStringList{a, "--amount", "5", "--due", "01/01/2025"} << "--account";
        QTest::newRow("account without holder")
            << QStringList{a, "--amount", "5", "--due", "01/01/2025", "--account", "123"} << "--holder";
        QTest::newRow("account with letters")
            << QStringList{a, "--amount", "5", "--due", "01/01/2025", "--account", "12a", "--holder", "X"}
            << "digits only";
        QTest::newRow("unknown filter") << QStringList{a, "--Citta", "Roma", "--amount", "5", "--due", "01/01/2025"}
                                        << "unknown option --Citta";
        QTest::newRow("not an archive") << QStringList{"NOTES.txt", "--amount", "5", "--due", "01/01/2025",
                                                       "--holder-card", "1"}
                                        << "is not a yearly archive of slips";
        QTest::newRow("card zero") << QStringList{a, "--amount", "5", "--due", "01/01/2025", "--holder-card", "0"}
                                   << "position from 1";
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        args.replaceInStrings("ARCHIVE", archive());
        args.replaceInStrings("NOTES.txt", path("note.txt"));
        const ToolRun r = tool(QStringList{"issue-slips"} + args);
        QCOMPARE(r.code, 2);
        QFETCH(QString, message);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.err.contains("usage: versalio-tool issue-slips"));
        QVERIFY(r.out.isEmpty());
        QVERIFY(!QFile::exists(archive()));
        QVERIFY(!QFile::exists(path("note.txt")));
    }

    // Failures exit 1, say why, and leave every file as it was.
    void failures_data() {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QString>("message");
        QTest::newRow("no registry") << QStringList{"--registry", "MISSING"} << "open";
        QTest::newRow("card past the end") << QStringList{"--holder-card", "9"} << "no card at position 9";
        QTest::newRow("no card matches") << QStringList{"--Categoria", "presidente"} << "no card matches";
    }
    void failures() {
        QFETCH(QStringList, extra);
        extra.replaceInStrings("MISSING", path("altro.pro"));
        writeRaw(archive(), "");
        const ToolRun r = tool(base() + extra);
        QCOMPARE(r.code, 1);
        QFETCH(QString, message);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QCOMPARE(QFileInfo(archive()).size(), 0);
        QVERIFY(!QFile::exists(path("altro.pro")));
    }

    // The registry under the archive's name, given straight or through a link: refused, never
    // filled with slips.
    void registryAsTheArchiveIsRefused_data() {
        QTest::addColumn<QString>("link");
        QTest::newRow("same path") << "";
        QTest::newRow("link named as an archive") << "symbolic";
        QTest::newRow("hard link named as an archive") << "hard";
    }
    void registryAsTheArchiveIsRefused() {
        QFETCH(QString, link);
        const QByteArray before = readAll(registry());
        QStringList args = base();
        if (link == "symbolic") {
#ifdef Q_OS_WIN
            QSKIP("Windows makes a shortcut file here, which is a file of its own and no link");
#endif
            if (!QFile::link(registry(), archive())) QSKIP("this system makes no links");
        } else if (link == "hard") {
            std::error_code ec;
            std::filesystem::create_hard_link(std::filesystem::path(registry().toStdU16String()),
                                              std::filesystem::path(archive().toStdU16String()), ec);
            if (ec) QSKIP("this folder takes no hard links");
        } else {
            args[1] = path("registro.bol");
            QVERIFY(QFile::copy(registry(), args[1]));
            args << "--registry" << args[1];
        }
        const ToolRun r = tool(args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains("the archive and the registry are the same file"), qPrintable(r.err));
        QCOMPARE(readAll(registry()), before);
        QCOMPARE(readAll(args[1]), before);
    }

    void faultyArchive_data() {
        QTest::addColumn<fault::Kind>("kind");
        QTest::newRow("full disk") << fault::Kind::FullDisk;
        QTest::newRow("read-only folder") << fault::Kind::ReadOnlyFolder;
    }
    void faultyArchive() {
        QFETCH(fault::Kind, kind);
        const QByteArray before(2968 + 10, 'x');
        writeRaw(archive(), before);
        ToolRun r;
        {
            // The child inherits the file size limit; half a slip's room is left.
            fault::Guard guard(kind, m_dir->path(), before.size() + 1500);
            FAULT_OR_SKIP(guard);
            // The limit as a shell sets it: the tool must not die at it halfway through a slip.
#ifdef Q_OS_UNIX
            r = tool(base(), childFaults::fileSizeSignalAsShellLeavesIt);
#else
            r = tool(base());
#endif
        }
        QVERIFY(!r.crashed);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("nothing was added"), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QCOMPARE(readAll(archive()), before);
        // The batch's journal went with it.
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList({"2025.bol", "Esecutori.pro"}));
    }

    // The process killed in the middle of a large batch (a crash, a power cut: nothing cleaned up), at
    // each moment that matters. A look at the archive then sees it as it was, and changes nothing; the
    // batch run again first puts the archive back, says so, and adds each slip once.
    void killedBatchIsUndone_data() {
        QTest::addColumn<QByteArray>("moment");
        QTest::newRow("before the first slip") << QByteArray("before-first-record");
        QTest::newRow("half of the slips written") << QByteArray("mid-batch");
        QTest::newRow("every slip written, the journal still there") << QByteArray("after-last-record");
    }
    void killedBatchIsUndone() {
        QFETCH(QByteArray, moment);
        {
            QList<TSchedaAnagrafica> soci;
            for (int i = 0; i < 2000; ++i) soci.append(carta(QStringLiteral("SOCIO %1").arg(i, 4, 10, QLatin1Char('0')), "SOCIO"));
            RecordFile<TSchedaAnagrafica>(registry()).appendAll(soci.constData(), soci.size());
        }
        const qint64 batch = 2002; // and the two members the registry had
        // Five slips, and the piece of one that a crash during a save left.
        QByteArray before;
        for (int i = 0; i < 5; ++i) before += bytes(emissione::bollettino({emissione::beneficiario(carta("X", "")), "1", "", "01/01/2025"}, carta(QStringLiteral("PRIMA %1").arg(i), "")));
        before += QByteArray(520, 'x');
        writeRaw(archive(), before);

        const ToolRun killed = tool(base(), [&](QProcess& p) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("VERSALIO_TOOL_STOP_AT", QString::fromLatin1(moment));
            p.setProcessEnvironment(env);
        });
        QVERIFY(killed.crashed);
        QVERIFY(QFileInfo::exists(archive() + ".emissione"));
        const QByteArray left = readAll(archive());
        QVERIFY(left.size() >= before.size());

        const ToolRun look = tool({"dump", archive()});
        QCOMPARE(look.code, 0);
        QCOMPARE(look.out.count('\n'), 5);
        QVERIFY2(look.err.contains(QString::fromUtf8("L'ultima emissione di %1 bollettini non è terminata").arg(batch)),
                 qPrintable(look.err));
        QCOMPARE(readAll(archive()), left);

        const ToolRun again = tool(base());
        QCOMPARE(again.code, 0);
        QVERIFY2(again.err.contains(QString::fromUtf8("L'ultima emissione di %1 bollettini non era terminata ed è stata "
                                                      "annullata: l'archivio è tornato com'era prima.")
                                        .arg(batch)),
                 qPrintable(again.err));
        QCOMPARE(again.out.count('\n'), batch);
        QVERIFY(again.out.startsWith("{\"pos\": 6, "));
        const QByteArray after = readAll(archive());
        QCOMPARE(after.size(), (5 + batch) * 2968);
        QCOMPARE(after.left(5 * 2968), before.left(5 * 2968));
        QSet<QString> payers;
        RecordFile<TSchedaBollettino>(archive(), RecordFileBase::Access::ReadOnly).scan([&](qint64 pos, const TSchedaBollettino& r) {
            if (pos > 5) payers.insert(r.Esecutore.get()); // the batch's slips, after the five of before
        });
        QCOMPARE(payers.size(), batch);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList({"2025.bol", "Esecutori.pro"}));
        QCOMPARE(tool({"dump", archive()}).err, QString()); // told once
    }

#ifdef Q_OS_UNIX
    // Output nobody reads: a failure, yet the slips are in the archive, and the tool says where.
    void closedOutputStillTellsWhereTheSlipsWent() {
        const ToolRun r = tool(base(), childFaults::closedPipe);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("2 slips were added to " + archive() + " at positions 1 to 2"), qPrintable(r.err));
        QCOMPARE(QFileInfo(archive()).size(), 2 * 2968);
    }
#endif

    void helpListsTheSubcommand() {
        const ToolRun r = tool({"--help"});
        QVERIFY(r.out.contains("versalio-tool issue-slips FILE.bol"));
        const ToolRun h = tool({"issue-slips", "--help"});
        QCOMPARE(h.code, 0);
        QVERIFY(h.out.contains("--dry-run"));
    }
};

QTEST_MAIN(TstIssueSlips)
#include "tst_issueslips.moc"
