// versalio-tool import-cards: registry cards from a spreadsheet's CSV for scripts, one JSON line per
// row and a summary, the exit code telling whether cards were added.
#include "archive/RecordFile.h"
#include "archive/SchedaAnagrafica.h"
#include "common/ChildFaults.h"
#include "common/FaultInjection.h"
#include "common/FileBytes.h"
#include "common/Records.h"
#include "common/ToolRun.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

QList<QJsonObject> lines(const QString& out) {
    QList<QJsonObject> rows;
    for (const QString& l : out.split('\n', Qt::SkipEmptyParts)) {
        QJsonParseError e;
        const QJsonDocument d = QJsonDocument::fromJson(l.toUtf8(), &e);
        if (e.error != QJsonParseError::NoError || !d.isObject()) qFatal("not a JSON line: %s", qPrintable(l));
        rows.append(d.object());
    }
    return rows;
}

// Two members, a row without a name and a repeated one.
const QByteArray kSoci = "Cognome;Nome;Codice fiscale;Comune di residenza\r\n"
                         "Rossi;Mario;RSSMRA80A01H501X;Roma RM\r\n"
                         ";;;Milano\r\n"
                         "Bianchi;Anna;;Forl\xec\r\n"
                         "Bianchi;Anna;;Cesena\r\n";

} // namespace

class TstImportTool : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString& n) const { return m_dir->filePath(n); }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        writeRaw(path("soci.csv"), kSoci);
    }

    void importsAndReports() {
        const QString reg = path("Esecutori.pro");
        {
            RecordFile<TSchedaAnagrafica> f(reg);
            f.append(record<TSchedaAnagrafica>({{"Esecutore", "VERDI LUCA"}, {"Ricontatta", "No"}}));
        }
        const ToolRun r = tool({"import-cards", path("soci.csv"), "--registry", reg});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, 0);
        const QList<QJsonObject> l = lines(r.out);
        QCOMPARE(l.size(), 5);
        QCOMPARE(l[0].value("result").toString(), "added");
        QCOMPARE(l[0].value("pos").toInteger(), 2);
        QCOMPARE(l[0].value("line").toInteger(), 2);
        QCOMPARE(l[0].value("name").toString(), "ROSSI MARIO");
        QCOMPARE(l[0].value("warnings").toArray().first().toString(), QString::fromUtf8("Il codice fiscale RSSMRA80A01H501X è ERRATO."));
        QCOMPARE(l[1].value("result").toString(), "refused");
        QVERIFY(l[1].value("reason").toString().startsWith("Manca il nome"));
        QCOMPARE(l[2].value("pos").toInteger(), 3);
        QCOMPARE(l[3].value("result").toString(), "refused");
        QVERIFY(l[3].value("reason").toString().contains("riga 4"));
        const QJsonObject s = l[4];
        QCOMPARE(s.value("summary").toString(), "import-cards");
        QCOMPARE(s.value("encoding").toString(), "Windows-1252");
        QCOMPARE(s.value("separator").toString(), ";");
        QCOMPARE(s.value("rows").toInteger(), 4);
        QCOMPARE(s.value("added").toInteger(), 2);
        QCOMPARE(s.value("refused").toInteger(), 2);
        QCOMPARE(s.value("warnings").toInteger(), 1);
        QCOMPARE(s.value("first").toInteger(), 2);
        QCOMPARE(s.value("last").toInteger(), 3);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList({"Esecutori.pro", "soci.csv"}));
        RecordFile<TSchedaAnagrafica> f(reg);
        QCOMPARE(f.count(), 3);
        QCOMPARE(f.read(1).ComuneRes.get(), "ROMA");
        QCOMPARE(f.read(1).ProvRes.get(), "RM");
        QCOMPARE(f.read(2).ComuneRes.get(), QString::fromUtf8("FORLì"));

        // The same file again: every row is now in the registry, nothing is added, and that is no success.
        const ToolRun again = tool({"import-cards", path("soci.csv"), "--registry", reg});
        QCOMPARE(again.code, 1);
        QVERIFY(again.err.contains("nothing was written"));
        QCOMPARE(lines(again.out).last().value("added").toInteger(), 0);
        QCOMPARE(RecordFile<TSchedaAnagrafica>(reg).count(), 3);
    }

    // A registry with a trailing piece of a card (a save cut short) is read as the program reads it:
    // its whole cards count, and the new cards go after them, over the piece.
    void trailingPieceIsReadAsTheProgramReadsIt() {
        const QString reg = path("Esecutori.pro");
        {
            RecordFile<TSchedaAnagrafica> f(reg);
            f.append(record<TSchedaAnagrafica>({{"Esecutore", "VERDI LUCA"}, {"Ricontatta", "No"}}));
            f.append(record<TSchedaAnagrafica>({{"Esecutore", "GIALLI PIA"}, {"Ricontatta", "No"}}));
        }
        const QByteArray whole = readAll(reg);
        QFile piece(reg);
        QVERIFY(piece.open(QIODevice::Append));
        piece.write(whole.left(2249));
        piece.close();
        const ToolRun dry = tool({"import-cards", "--dry-run", path("soci.csv"), "--registry", reg});
        QCOMPARE(dry.code, 0);
        QCOMPARE(lines(dry.out).last().value("accepted").toInteger(), 2);
        const ToolRun r = tool({"import-cards", path("soci.csv"), "--registry", reg});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(lines(r.out).last().value("first").toInteger(), 3);
        QCOMPARE(lines(r.out).last().value("last").toInteger(), 4);
        QCOMPARE(QFileInfo(reg).size(), 4 * 2997);
        QCOMPARE(readAll(reg).left(whole.size()), whole);
        QCOMPARE(tool({"dump", reg}).out.count('\n'), 4);
    }

    // The process killed in the middle of a large import (a crash, a power cut: nothing cleaned up),
    // at each moment that matters, on a registry that ends with the piece of a card. A look at the
    // registry then sees it as it was, and changes nothing; the import run again first puts the
    // registry back, says so, and adds each card once.
    void killedImportIsUndone_data() {
        QTest::addColumn<QByteArray>("moment");
        QTest::newRow("before the first card") << QByteArray("before-first-record");
        QTest::newRow("half of the cards written") << QByteArray("mid-batch");
        QTest::newRow("every card written, the journal still there") << QByteArray("after-last-record");
    }
    void killedImportIsUndone() {
        QFETCH(QByteArray, moment);
        const QString reg = path("Esecutori.pro");
        {
            QList<TSchedaAnagrafica> soci;
            for (int i = 0; i < 300; ++i)
                soci.append(record<TSchedaAnagrafica>({{"Esecutore", QStringLiteral("VECCHIO SOCIO %1").arg(i)}, {"Ricontatta", "No"}}));
            RecordFile<TSchedaAnagrafica>(reg).appendAll(soci.constData(), soci.size());
        }
        QByteArray before = readAll(reg);
        before += before.left(2249);
        writeRaw(reg, before);
        QByteArray csv = "Cognome e nome;Comune di residenza\r\n";
        for (int i = 0; i < 3000; ++i) csv += "Nuovo Socio " + QByteArray::number(i) + ";Roma\r\n";
        writeRaw(path("nuovi.csv"), csv);
        const QStringList args = {"import-cards", path("nuovi.csv"), "--registry", reg};

        const ToolRun killed = tool(args, [&](QProcess& p) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("VERSALIO_TOOL_STOP_AT", QString::fromLatin1(moment));
            p.setProcessEnvironment(env);
        });
        QVERIFY(killed.crashed);
        QVERIFY(QFileInfo::exists(reg + ".importazione"));
        const QByteArray left = readAll(reg);

        const ToolRun look = tool({"dump", reg});
        QCOMPARE(look.code, 0);
        QCOMPARE(look.out.count('\n'), 300);
        QVERIFY2(look.err.contains(QString::fromUtf8("L'ultima importazione di 3000 schede non è terminata")), qPrintable(look.err));
        QCOMPARE(readAll(reg), left);

        const ToolRun again = tool(args);
        QCOMPARE(again.code, 0);
        QVERIFY2(again.err.contains(QString::fromUtf8("L'ultima importazione di 3000 schede non era terminata ed è stata "
                                                      "annullata: l'archivio è tornato com'era prima.")),
                 qPrintable(again.err));
        const QJsonObject s = lines(again.out).last();
        QCOMPARE(s.value("added").toInteger(), 3000);
        QCOMPARE(s.value("first").toInteger(), 301);
        const QByteArray after = readAll(reg);
        QCOMPARE(after.size(), 3300 * 2997);
        QCOMPARE(after.left(300 * 2997), before.left(300 * 2997));
        QSet<QString> names;
        RecordFile<TSchedaAnagrafica>(reg, RecordFileBase::Access::ReadOnly).scan([&](qint64, const TSchedaAnagrafica& r) {
            names.insert(r.Esecutore.get());
        });
        QCOMPARE(names.size(), 3300);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"Esecutori.pro", "nuovi.csv", "soci.csv"}));
        // And once more: every row is a card already, nothing is added.
        const ToolRun third = tool(args);
        QCOMPARE(third.code, 1);
        QCOMPARE(third.err.count(QString::fromUtf8("annullata")), 0);
        QCOMPARE(QFileInfo(reg).size(), 3300 * 2997);
    }

#ifdef Q_OS_UNIX
    // Output nobody reads: a failure, yet the cards are in the registry, and the tool says where.
    void closedOutputStillTellsWhereTheCardsWent() {
        const QString reg = path("Esecutori.pro");
        const ToolRun r = tool({"import-cards", path("soci.csv"), "--registry", reg}, childFaults::closedPipe);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("2 cards were added to " + reg + " at positions 1 to 2"), qPrintable(r.err));
        QCOMPARE(RecordFile<TSchedaAnagrafica>(reg).count(), 2);
    }
#endif

    // --dry-run judges every row the same way and writes nothing, not even an empty registry.
    void dryRunWritesNothing() {
        const QString reg = path("Esecutori.pro");
        const ToolRun r = tool({"import-cards", "--dry-run", path("soci.csv"), "--registry", reg});
        QCOMPARE(r.code, 0);
        const QList<QJsonObject> l = lines(r.out);
        QCOMPARE(l[0].value("result").toString(), "accepted");
        QVERIFY(!l[0].contains("pos"));
        QCOMPARE(l.last().value("accepted").toInteger(), 2);
        QCOMPARE(l.last().value("dry_run").toBool(), true);
        QVERIFY(!QFileInfo::exists(reg));
    }

    // The default registry is Esecutori.pro in the current folder.
    void defaultRegistry() {
        const ToolRun r = tool({"import-cards", "soci.csv"}, [&](QProcess& p) { p.setWorkingDirectory(m_dir->path()); });
        QCOMPARE(r.code, 0);
        QCOMPARE(QFileInfo(path("Esecutori.pro")).size(), 2 * 2997);
    }

    void failures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("no file") << QStringList{"import-cards"} << QByteArray() << 2 << "give exactly one CSV file";
        QTest::newRow("two files") << QStringList{"import-cards", "a.csv", "b.csv"} << QByteArray() << 2 << "exactly one";
        QTest::newRow("unknown option") << QStringList{"import-cards", "a.csv", "--force"} << QByteArray() << 2 << "force";
        QTest::newRow("missing file") << QStringList{"import-cards", "@/manca.csv"} << QByteArray() << 1 << "non esiste";
        QTest::newRow("binary") << QStringList{"import-cards", "@/x.csv"} << QByteArray("\x00\x01\x02\x03", 4) << 1
                                << "non contiene testo";
        QTest::newRow("no header") << QStringList{"import-cards", "@/x.csv"} << QByteArray("a;b\n1;2\n") << 1
                                   << "non contiene i nomi delle colonne";
        QTest::newRow("header alone") << QStringList{"import-cards", "@/x.csv"} << QByteArray("Nominativo;CAP\r\n") << 1
                                      << "no rows under its header";
        QTest::newRow("registry is not made of cards") << QStringList{"import-cards", "@/x.csv", "--registry", "@/x.csv.bak"}
                                                       << QByteArray("Nominativo\nRossi\n") << 1 << "is not a registry";
        QTest::newRow("registry is a folder") << QStringList{"import-cards", "@/x.csv", "--registry", "@"}
                                              << QByteArray("Nominativo\nRossi\n") << 1 << "is a folder";
        // A yearly archive of slips given by mistake, even one still empty or not yet made, never takes cards.
        QTest::newRow("registry is an empty yearly archive")
            << QStringList{"import-cards", "@/x.csv", "--registry", "@/2026.bol"} << QByteArray("Nominativo\nRossi\n") << 2
            << "is a yearly archive of slips, not a registry";
        QTest::newRow("registry is a yearly archive not yet made")
            << QStringList{"import-cards", "@/x.csv", "--registry", "@/2027.BOL"} << QByteArray("Nominativo\nRossi\n") << 2
            << "is a yearly archive of slips, not a registry";
    }
    void failures() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, file);
        QFETCH(int, code);
        QFETCH(QString, message);
        if (!file.isNull()) writeRaw(path("x.csv"), file);
        writeRaw(path("x.csv.bak"), "a copy of something else");
        writeRaw(path("2026.bol"), "");
        for (QString& a : args) a.replace("@", m_dir->path());
        if (!args.contains("--registry")) args << "--registry" << path("Esecutori.pro");
        const ToolRun r = tool(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFileInfo::exists(path("Esecutori.pro")));
        QCOMPARE(readAll(path("x.csv.bak")), QByteArray("a copy of something else"));
        QCOMPARE(QFileInfo(path("2026.bol")).size(), 0);
        QVERIFY(!QFileInfo::exists(path("2027.BOL")));
    }

    // A registry that cannot take the cards: nothing is added, it keeps every byte, exit 1.
    void fullDiskLeavesTheRegistry() {
        const QString reg = path("Esecutori.pro");
        {
            RecordFile<TSchedaAnagrafica> f(reg);
            f.append(record<TSchedaAnagrafica>({{"Esecutore", "VERDI LUCA"}, {"Ricontatta", "No"}}));
        }
        const QByteArray before = readAll(reg);
        fault::FullDisk full(before.size() + 100);
        FAULT_OR_SKIP(full);
        // The limit as a shell sets it: the tool must not die at it halfway through a card.
#ifdef Q_OS_UNIX
        const ToolRun r = tool({"import-cards", path("soci.csv"), "--registry", reg}, childFaults::fileSizeSignalAsShellLeavesIt);
#else
        const ToolRun r = tool({"import-cards", path("soci.csv"), "--registry", reg});
#endif
        QVERIFY(!r.crashed);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("nothing was added, the registry is as it was"), qPrintable(r.err));
        QCOMPARE(r.out, QString());
        QCOMPARE(readAll(reg), before);
        // The import's journal went with it.
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList({"Esecutori.pro", "soci.csv"}));
    }

    void help() {
        const ToolRun r = tool({"import-cards", "--help"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("--dry-run"));
        QVERIFY(r.out.contains("--registry"));
        const ToolRun all = tool({"--help"});
        QVERIFY(all.out.contains("import-cards FILE.csv"));
    }
};

QTEST_GUILESS_MAIN(TstImportTool)
#include "tst_importtool.moc"
