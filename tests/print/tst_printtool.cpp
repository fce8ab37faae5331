#include "archive/RecordFile.h"
#include "archive/SchedaBollettino.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "common/FaultInjection.h"
#include "common/ToolRun.h"

#include <cerrno>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeRaw(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

TSchedaBollettino slip(const QString& ccp, const QString& saldato) {
    TSchedaBollettino r;
    std::memset(&r, 0, sizeof r);
    r.Importo.set("1250");
    r.Cents.set("50");
    r.CCP.set(ccp);
    r.Intestatario.set("ASSOCIAZIONE AMICI");
    r.Esecutore.set("ROSSI MARIO");
    r.DataScade.set("31/03/2024");
    r.Saldato.set(saldato);
    return r;
}

} // namespace

class TstPrintTool : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString archive() const { return m_dir.filePath("2024.bol"); }
    QString pdf() const { return m_dir.filePath("uscita.pdf"); }
    QString ini() const { return m_dir.filePath("Bollettini.ini"); }

    // "A" stands for the archive and "P" for the PDF.
    QStringList expand(QStringList args) const {
        for (QString& a : args) {
            if (a == "A") a = archive();
            else if (a == "P") a = pdf();
        }
        return args;
    }
    QStringList files() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot); }

private slots:
    // Four slips: 1 and 3 unpaid, 2 paid, 4 neither (written by another program).
    void init() {
        for (const QFileInfo& f : QDir(m_dir.path()).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (f.isDir()) QDir(f.filePath()).removeRecursively();
            else QFile::remove(f.filePath());
        }
        RecordFile<TSchedaBollettino> file(archive());
        file.append(slip("111", "No"));
        file.append(slip("222", QStringLiteral("Sì")));
        file.append(slip("333", "No"));
        file.append(slip("444", ""));
    }

    void badUsage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList{"print"};
        QTest::newRow("no layout") << QStringList{"print", "A", "--pdf", "P"};
        QTest::newRow("unknown layout") << QStringList{"print", "A", "--layout", "a3", "--pdf", "P"};
        QTest::newRow("layout without value") << QStringList{"print", "A", "--pdf", "P", "--layout"};
        QTest::newRow("no pdf") << QStringList{"print", "A", "--layout", "blank"};
        QTest::newRow("position 0") << QStringList{"print", "A", "--layout", "blank", "--pdf", "P", "--pos", "0"};
        QTest::newRow("position not a number") << QStringList{"print", "A", "--layout", "blank", "--pdf", "P", "--pos", "x"};
        QTest::newRow("margin not a number") << QStringList{"print", "A", "--layout", "blank", "--pdf", "P", "--top", "tre"};
        QTest::newRow("margins on A4") << QStringList{"print", "A", "--layout", "a4", "--pdf", "P", "--left", "2"};
        QTest::newRow("unknown option") << QStringList{"print", "A", "--layout", "a4", "--pdf", "P", "--colori"};
        QTest::newRow("two archives") << QStringList{"print", "A", "A", "--layout", "a4", "--pdf", "P"};
        QTest::newRow("pdf over the archive") << QStringList{"print", "A", "--layout", "a4", "--pdf", "A"};
    }
    void badUsage() {
        QFETCH(QStringList, args);
        const QByteArray before = readAll(archive());
        const ToolRun r = tool(expand(args));
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("usage: versalio-tool print"));
        QVERIFY(!QFile::exists(pdf()));
        QCOMPARE(readAll(archive()), before);
    }

    // A run that cannot print everything it was asked for fails and writes no PDF at all.
    void failures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("iniContent");
        QTest::addColumn<QString>("why");
        QTest::newRow("missing archive")
            << QStringList{"print", m_dir.filePath("2023.bol"), "--layout", "a4", "--pdf", "P"} << QByteArray()
            << "no such archive file";
        QTest::newRow("position past the end")
            << QStringList{"print", "A", "--layout", "blank", "--pdf", "P", "--pos", "1", "--pos", "5"} << QByteArray()
            << "no slip at position 5";
        QTest::newRow("chosen slip is paid")
            << QStringList{"print", "A", "--layout", "a4", "--pdf", "P", "--pos", "2", "--unpaid"} << QByteArray()
            << "no unpaid slip";
        QTest::newRow("stored margin not a number")
            << QStringList{"print", "A", "--layout", "blank", "--pdf", "P"}
            << QByteArray("[Margini Stampa CH8 Bis]\r\nSinistro=due\r\n") << "\"due\" is not a number";
        QTest::newRow("pdf folder missing")
            << QStringList{"print", "A", "--layout", "a4", "--pdf", m_dir.filePath("manca/uscita.pdf")} << QByteArray()
            << "uscita.pdf";
    }
    void failures() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, iniContent);
        QFETCH(QString, why);
        if (!iniContent.isEmpty()) writeRaw(ini(), iniContent);
        const QStringList before = files();
        const ToolRun r = tool(expand(args));
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(why), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QCOMPARE(files(), before); // no PDF, no archive created, nothing else either
    }

    void emptyArchivePrintsNothing() {
        writeRaw(archive(), QByteArray());
        const ToolRun r = tool({"print", archive(), "--layout", "a4", "--pdf", pdf()});
        QCOMPARE(r.code, 1);
        QVERIFY(!QFile::exists(pdf()));
    }

    void failedRunKeepsAnEarlierPdf() {
        writeRaw(pdf(), "%PDF-1.4\n% the PDF of an earlier run\n");
        const ToolRun r = tool({"print", archive(), "--layout", "a4", "--pdf", pdf(), "--pos", "9"});
        QCOMPARE(r.code, 1);
        QCOMPARE(readAll(pdf()), QByteArray("%PDF-1.4\n% the PDF of an earlier run\n"));
    }

#ifdef Q_OS_UNIX
    // The PDF replaces only an earlier PDF: whatever else holds its name stays as it was, links
    // included, and nothing is left behind.
    void refusedTargets_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("why");
        QTest::newRow("FIFO") << "fifo" << "not a regular file";
        QTest::newRow("folder") << "folder" << "not a regular file";
        QTest::newRow("device node") << "device" << "not a regular file";
        QTest::newRow("link to an earlier PDF") << "link" << "a symbolic link";
        QTest::newRow("link to nothing yet") << "dangling link" << "a symbolic link";
        QTest::newRow("another archive") << "2023.bol" << "not a PDF";
        QTest::newRow("the registry") << "Esecutori.pro" << "not a PDF";
        QTest::newRow("a text named .pdf") << "testo.pdf" << "not a PDF";
    }
    void refusedTargets() {
        QFETCH(QString, target);
        QFETCH(QString, why);
        const QString earlier = m_dir.filePath("precedente.pdf");
        writeRaw(earlier, "%PDF-1.4\n% an earlier PDF\n");
        QString path = m_dir.filePath(target);
        if (target == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (target == "folder") QVERIFY(QDir(m_dir.path()).mkdir(target));
        else if (target == "link") QVERIFY(QFile::link(earlier, path));
        else if (target == "dangling link") QVERIFY(QFile::link(m_dir.filePath("nuovo.pdf"), path));
        else if (target == "device") {
            // A device of the test's own where it may make one; /dev/null where it may not even try
            // to replace it.
            if (::geteuid() != 0) path = "/dev/null";
            else if (::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                QSKIP("no device node can be made here");
        } else writeRaw(path, target == "testo.pdf" ? QByteArray("appunti") : readAll(archive()));
        auto state = [&] {
            struct stat st {};
            ::lstat(QFile::encodeName(path).constData(), &st);
            const QFileInfo info(path);
            return QStringList{QString::number(st.st_mode), QString::number(st.st_rdev), info.symLinkTarget(),
                               QString::fromLatin1(S_ISREG(st.st_mode) ? readAll(path).toHex() : QByteArray()),
                               QString::fromLatin1(readAll(earlier))} +
                   files();
        };
        const QStringList before = state();

        const ToolRun r = tool({"print", archive(), "--layout", "a4", "--pdf", path});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(path + ": " + why), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QCOMPARE(state(), before);
    }

    // A disk that fills while the PDF is written: the reason is told, the earlier PDF stays whole and
    // no piece of the new one is left.
    void pdfOnAFullDisk() {
        writeRaw(pdf(), "%PDF-1.4\n% the PDF of an earlier run\n");
        const QStringList before = files();
        ToolRun r;
        {
            const fault::FullDisk disk(4096);
            FAULT_OR_SKIP(disk);
            r = tool({"print", archive(), "--layout", "a4", "--pdf", pdf()});
        }
        QVERIFY2(!r.crashed, "ended by a signal");
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(pdf() + ": " + qt_error_string(EFBIG)), qPrintable(r.err));
        QCOMPARE(readAll(pdf()), QByteArray("%PDF-1.4\n% the PDF of an earlier run\n"));
        QCOMPARE(files(), before);
    }
#endif

    void prints_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("iniContent");
        QTest::addColumn<QList<int>>("positions");
        QTest::addColumn<QVariant>("top"); // invalid: the A4 print, no margins
        QTest::addColumn<QVariant>("left");
        const QByteArray stored("[Margini Stampa CH8 Bis]\r\nSuperiore=3\r\nSinistro=-2\r\n");
        QTest::newRow("every slip, blank form")
            << QStringList{"print", "A", "--layout", "blank", "--pdf", "P"} << QByteArray() << QList<int>{1, 2, 3, 4}
            << QVariant(0.0) << QVariant(0.0);
        QTest::newRow("every slip, A4 ignores stored margins")
            << QStringList{"print", "A", "--layout", "a4", "--pdf", "P"} << stored << QList<int>{1, 2, 3, 4} << QVariant()
            << QVariant();
        QTest::newRow("chosen, in the order given")
            << QStringList{"print", "A", "--layout", "a4", "--pdf", "P", "--pos", "3", "--pos", "1"} << QByteArray()
            << QList<int>{3, 1} << QVariant() << QVariant();
        QTest::newRow("unpaid only") << QStringList{"print", "A", "--layout", "a4", "--unpaid", "--pdf", "P"}
                                     << QByteArray() << QList<int>{1, 3} << QVariant() << QVariant();
        QTest::newRow("unpaid among the chosen")
            << QStringList{"print", "A", "--layout", "a4", "--pdf", "P", "--unpaid", "--pos", "2", "--pos", "3"}
            << QByteArray() << QList<int>{3} << QVariant() << QVariant();
        QTest::newRow("stored margins") << QStringList{"print", "A", "--layout", "blank", "--pdf", "P", "--pos", "1"}
                                        << stored << QList<int>{1} << QVariant(3.0) << QVariant(-2.0);
        QTest::newRow("margins given for this run")
            << QStringList{"print", "A", "--layout", "blank", "--pdf", "P", "--pos", "1", "--top", "1.5", "--left=-0,5"}
            << stored << QList<int>{1} << QVariant(1.5) << QVariant(-0.5);
        QTest::newRow("a given margin stands in for a bad stored one")
            << QStringList{"print", "A", "--layout", "blank", "--pdf", "P", "--pos", "2", "--top", "-1"}
            << QByteArray("[Margini Stampa CH8 Bis]\r\nSuperiore=abc\r\nSinistro=4\r\n") << QList<int>{2} << QVariant(-1.0)
            << QVariant(4.0);
    }
    void prints() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, iniContent);
        QFETCH(QList<int>, positions);
        QFETCH(QVariant, top);
        QFETCH(QVariant, left);
        if (!iniContent.isEmpty()) writeRaw(ini(), iniContent);
        writeRaw(pdf(), "%PDF-1.4\n% an earlier PDF, replaced\n");
        const QByteArray archiveBefore = readAll(archive());

        const ToolRun r = tool(expand(args));
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QList<int> got;
        for (const QJsonValue& v : json["positions"].toArray()) got << v.toInt();
        QCOMPARE(got, positions);
        QCOMPARE(json["pages"].toInt(), positions.size());
        QCOMPARE(json.contains("top"), top.isValid());
        if (top.isValid()) {
            QCOMPARE(json["top"].toDouble(), top.toDouble());
            QCOMPARE(json["left"].toDouble(), left.toDouble());
        }

        const QByteArray out = readAll(pdf());
        QVERIFY(out.startsWith("%PDF-"));
        QCOMPARE(int(out.count("/Type /Page\n")), positions.size());
        QCOMPARE(readAll(archive()), archiveBefore);
        if (iniContent.isEmpty()) QVERIFY(!QFile::exists(ini()));
        else QCOMPARE(readAll(ini()), iniContent);
    }
};

QTEST_GUILESS_MAIN(TstPrintTool)
#include "tst_printtool.moc"
