#include "archive/ArchiveError.h"
#include "archive/Archivi.h"
#include "archive/FileLock.h"
#include "archive/RecordFile.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QTest>
#include <cstdio>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using SlipFile = RecordFile<TSchedaBollettino>;

namespace {

TSchedaBollettino slip(const QString& ccp, const QString& holder = QStringLiteral("ROSSI")) {
    TSchedaBollettino r;
    std::memset(&r, 0, sizeof r);
    forEachField(r, [](const char*, auto& f) { f.clear(); });
    r.CCP.set(ccp);
    r.Intestatario.set(holder);
    r.Saldato.set(QStringLiteral("No"));
    return r;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeRaw(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Run by the concurrency tests in a child process: append `n` slips tagged with `tag`; exit 1 on
// an access failure.
int appendChild(const QString& path, int n, const QString& tag) {
    try {
        for (int i = 0; i < n; ++i) {
            SlipFile file(path);
            file.append(slip(QStringLiteral("%1").arg(i), tag));
        }
    } catch (const ArchiveError&) {
        return 1;
    }
    return 0;
}

// Run in a child process: another program holding a lock on the archive until its input ends.
int holdLockChild(const QString& path, bool exclusive) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) return 1;
    FileLock lock(file, exclusive ? FileLock::Exclusive : FileLock::Shared);
    std::fputs("locked\n", stdout);
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}

} // namespace

class TstRecordFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString& name = QStringLiteral("2024.bol")) { return m_dir.filePath(name); }

private slots:
    void init() {
        for (const QString& f : QDir(m_dir.path()).entryList(QDir::Files)) QFile::remove(m_dir.filePath(f));
    }

    void missingFileIsCreatedEmpty() {
        QVERIFY(!QFile::exists(path()));
        SlipFile file(path());
        QCOMPARE(file.count(), 0);
        QVERIFY(QFile::exists(path()));
        QCOMPARE(QFileInfo(path()).size(), 0);
    }

    void archiveNameIsYearDotBol() { QCOMPARE(archivi::annuale(m_dir.path(), "2024"), path("2024.bol")); }

    // The stored bytes follow the layout exactly: length bytes, text, zero padding.
    void recordIsByteExact() {
        TSchedaBollettino r = slip("123456789012", "MARIO ROSSI");
        r.Importo.set("1234");
        r.Saldato.set(QStringLiteral("Sì"));
        r.Desc03.set(QString(251 + 10, QLatin1Char('x')));
        {
            SlipFile file(path());
            QCOMPARE(file.append(r), 1);
        }
        const QByteArray b = readAll(path());
        QCOMPARE(b.size(), 2968);
        QCOMPARE(b.mid(0, 5), QByteArray("\x04" "1234"));
        QCOMPARE(b.mid(278, 13), QByteArray("\x0c" "123456789012"));
        QCOMPARE(b.mid(291, 12), QByteArray("\x0b" "MARIO ROSSI"));
        QCOMPARE(b.at(303), '\0');
        QCOMPARE(b.mid(1459, 3), QByteArray("\x02S\xEC"));
        QCOMPARE(quint8(b.at(2717)), quint8(250));
    }

    // A record written by another program, with leftovers after each field's text, reads back trimmed.
    void foreignRecordReadsBack() {
        QByteArray raw(2968, 'Z');
        raw[0] = 3;
        raw.replace(1, 3, " 12");
        raw[278] = 4;
        raw.replace(279, 4, "4711");
        raw[1459] = 2;
        raw.replace(1460, 2, "No");
        raw[291] = char(200); // damaged: larger than the field
        writeRaw(path(), raw);
        SlipFile file(path());
        const TSchedaBollettino r = file.read(0);
        QCOMPARE(r.Importo.get(), QString("12"));
        QCOMPARE(r.CCP.get(), QString("4711"));
        QCOMPARE(r.Saldato.get(), QString("No"));
        QCOMPARE(r.Intestatario.get(), QString(34, QLatin1Char('Z')));
    }

    void partialTailIsIgnoredAndOverwrittenByAppend() {
        QByteArray raw;
        TSchedaBollettino a = slip("1"), b = slip("2");
        raw.append(reinterpret_cast<const char*>(&a), sizeof a);
        raw.append(reinterpret_cast<const char*>(&b), sizeof b);
        raw.append(QByteArray(100, 'T'));
        writeRaw(path(), raw);
        SlipFile file(path());
        QCOMPARE(file.count(), 2);
        int seen = 0;
        file.scan([&](qint64 pos, const TSchedaBollettino& r) {
            ++seen;
            QCOMPARE(r.CCP.get(), QString::number(pos));
        });
        QCOMPARE(seen, 2);
        QVERIFY_THROWS_EXCEPTION(ArchiveError, file.read(2));
        QCOMPARE(file.append(slip("3")), 3);
        QCOMPARE(QFileInfo(path()).size(), 3 * 2968);
        QCOMPARE(file.read(2).CCP.get(), QString("3"));
    }

    void overwriteStaysInPlace() {
        SlipFile file(path());
        for (int i = 1; i <= 8; ++i) file.append(slip(QString::number(i)));
        file.write(2, slip("333"));
        QCOMPARE(QFileInfo(path()).size(), 8 * 2968);
        QCOMPARE(file.read(2).CCP.get(), QString("333"));
        QCOMPARE(file.read(3).CCP.get(), QString("4"));
        QVERIFY_THROWS_EXCEPTION(ArchiveError, file.write(8, slip("9")));
    }

    void scanStopsEarly() {
        SlipFile file(path());
        for (int i = 1; i <= 600; ++i) file.append(slip(QString::number(i)));
        qint64 last = 0;
        file.scan([&](qint64 pos, const TSchedaBollettino&) {
            last = pos;
            return pos < 300;
        });
        QCOMPARE(last, 300);
    }

    void unreachableArchivesThrow_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder in place of the file") << "folder";
        QTest::newRow("missing folder") << "missing";
        QTest::newRow("read-only file") << "readonly";
    }
    void unreachableArchivesThrow() {
        QFETCH(QString, kind);
        QString p = path();
        if (kind == "folder") QVERIFY(QDir(m_dir.path()).mkdir("2024.bol"));
        if (kind == "missing") p = m_dir.filePath("nowhere/2024.bol");
        // A file left read-only could not be removed for the next test (Windows refuses to).
        const auto writable = qScopeGuard([&] {
            if (kind == "readonly") QFile::setPermissions(p, QFile::ReadOwner | QFile::WriteOwner);
        });
        if (kind == "readonly") {
            writeRaw(p, QByteArray(2968, '\0'));
            QFile::setPermissions(p, QFile::ReadOwner);
            if (QFile(p).open(QIODevice::ReadWrite)) QSKIP("running with privileges that ignore permissions");
        }
        QVERIFY_THROWS_EXCEPTION(ArchiveError, SlipFile file(p));
        if (kind == "folder") QVERIFY(QDir(m_dir.path()).rmdir("2024.bol"));
        if (kind == "readonly") QCOMPARE(QFileInfo(p).size(), 2968); // never truncated
    }

    // A pipe or a device under an archive's name is no archive: reading one would wait for a writer
    // that never comes, writing into one would swallow the records and report them saved.
    void specialFilesAreNoArchive_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<RecordFileBase::Access>("access");
        for (const auto& [name, access] : {std::pair{"read", RecordFileBase::Access::ReadOnly},
                                           std::pair{"written", RecordFileBase::Access::ReadWrite}}) {
            QTest::addRow("pipe %s", name) << "pipe" << access;
            QTest::addRow("device %s", name) << "device" << access;
            QTest::addRow("folder %s", name) << "folder" << access;
        }
    }
    void specialFilesAreNoArchive() {
        QFETCH(QString, kind);
        QFETCH(RecordFileBase::Access, access);
        QString p = path();
        int writer = -1;
        const auto tidy = qScopeGuard([&] {
#ifdef Q_OS_UNIX
            if (writer >= 0) ::close(writer);
            if (kind == "pipe") QFile::remove(p);
#endif
            if (kind == "folder") QDir(m_dir.path()).rmdir("2024.bol");
        });
#ifdef Q_OS_UNIX
        if (kind == "pipe") { // a pipe with a writer: opening it to read does not wait
            QVERIFY(::mkfifo(QFile::encodeName(p).constData(), 0600) == 0);
            writer = ::open(QFile::encodeName(p).constData(), O_RDWR | O_NONBLOCK);
            QVERIFY(writer >= 0);
        }
        if (kind == "device") p = "/dev/null";
#else
        if (kind != "folder") QSKIP("pipes and devices by name are a Unix matter");
#endif
        if (kind == "folder") QVERIFY(QDir(m_dir.path()).mkdir("2024.bol"));
        try {
            SlipFile file(p, access);
            QFAIL("opened as an archive");
        } catch (const ArchiveError& e) {
            QVERIFY2(QString::fromStdString(e.what()).contains("not a file"), e.what());
        }
    }

    void readOnlyAccessNeverCreates() {
        QVERIFY_THROWS_EXCEPTION(ArchiveError,
                                 SlipFile file(path("1999.bol"), RecordFileBase::Access::ReadOnly));
        QVERIFY(!QFile::exists(path("1999.bol")));
    }

    void registryRecordIsByteExact() {
        TSchedaAnagrafica c;
        std::memset(&c, 0x77, sizeof c);
        forEachField(c, [](const char*, auto& f) { f.clear(); });
        c.Esecutore.set(QString(40, QLatin1Char('N')));
        c.Ricontatta.set("No");
        RecordFile<TSchedaAnagrafica> file(path("Esecutori.pro"));
        for (int i = 0; i < 7; ++i) file.append(c);
        QCOMPARE(file.append(c), 8);
        const QByteArray b = readAll(path("Esecutori.pro"));
        QCOMPARE(b.size(), 8 * 2997);
        const QByteArray eighth = b.mid(7 * 2997);
        QCOMPARE(quint8(eighth.at(0)), quint8(34));
        QCOMPARE(eighth.mid(1488, 3), QByteArray("\x02No"));
        QCOMPARE(eighth.at(35), '\0');
    }

    // Two copies of the program saving new slips into the same year at the same moment: every
    // slip lands as a whole record of its own.
    void twoProcessesAppendingLoseNothing() {
        constexpr int kEach = 300;
        QProcess a, b;
        const QString exe = QCoreApplication::applicationFilePath();
        a.start(exe, {"--append-child", path(), QString::number(kEach), "A"});
        b.start(exe, {"--append-child", path(), QString::number(kEach), "B"});
        QVERIFY(a.waitForFinished(120000));
        QVERIFY(b.waitForFinished(120000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);
        QCOMPARE(QFileInfo(path()).size(), qint64(2 * kEach * 2968));
        SlipFile file(path());
        QSet<QString> seen;
        file.scan([&](qint64, const TSchedaBollettino& r) {
            QCOMPARE(r.Saldato.get(), QString("No")); // whole records, not torn ones
            seen.insert(r.Intestatario.get() + r.CCP.get());
        });
        QCOMPARE(seen.size(), 2 * kEach);
    }

    // A reader that stops while going through the records (a pipe nobody reads, a dialog) does not
    // hold the lock meanwhile: another program saves at once.
    void slowReaderDoesNotBlockSaves() {
        {
            SlipFile file(path());
            for (int i = 0; i < 600; ++i) file.append(slip(QString::number(i)));
        }
        SlipFile reader(path());
        int visited = 0, exitCode = -1;
        bool finished = false;
        reader.scan([&](qint64 pos, const TSchedaBollettino& r) {
            QCOMPARE(r.CCP.get(), QString::number(pos - 1));
            if (visited++ != 300) return;
            QProcess other;
            other.start(QCoreApplication::applicationFilePath(), {"--append-child", path(), "1", "ALTRO"});
            finished = other.waitForFinished(30000);
            if (!finished) other.kill(), other.waitForFinished();
            exitCode = other.exitCode();
        });
        QVERIFY2(finished, "the save waited on the reader");
        QCOMPARE(exitCode, 0);
        QCOMPARE(visited, 600); // the scan covers what was there when it began
        QCOMPARE(SlipFile(path()).count(), 601);
    }

    // Another program keeps the archive locked (stuck, or far away on the network): after a short
    // wait the operation fails as an access failure and nothing changes. A reader's shared lock
    // still lets others read.
    void lockNotGrantedIsAnAccessFailure_data() {
        QTest::addColumn<bool>("exclusive"); // what the other program holds
        QTest::addColumn<QString>("operation");
        QTest::addColumn<bool>("fails");
        for (const char* op : {"append", "write", "read", "count", "scan"}) {
            const bool writes = QByteArray(op) == "append" || QByteArray(op) == "write";
            QTest::addRow("%s against a writer", op) << true << op << true;
            QTest::addRow("%s against a reader", op) << false << op << writes;
        }
    }
    void lockNotGrantedIsAnAccessFailure() {
        QFETCH(bool, exclusive);
        QFETCH(QString, operation);
        QFETCH(bool, fails);
        {
            SlipFile file(path());
            file.append(slip("1"));
            file.append(slip("2"));
        }
        const QByteArray before = readAll(path());
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {"--hold-lock", path(), exclusive ? "1" : "0"});
        QVERIFY(holder.waitForReadyRead(30000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("locked")); // Windows ends the line in CR LF
        const auto oldLimit = FileLock::waitLimit();
        FileLock::setWaitLimit(std::chrono::milliseconds(200));
        bool threw = false;
        try {
            SlipFile file(path());
            if (operation == "append") file.append(slip("3"));
            else if (operation == "write") file.write(0, slip("9"));
            else if (operation == "read") QCOMPARE(file.read(1).CCP.get(), QString("2"));
            else if (operation == "count") QCOMPARE(file.count(), 2);
            else file.scan([](qint64, const TSchedaBollettino&) {});
        } catch (const ArchiveError&) {
            threw = true;
        }
        FileLock::setWaitLimit(oldLimit);
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(30000));
        QCOMPARE(threw, fails);
        QCOMPARE(readAll(path()), before);
    }
};

int main(int argc, char** argv) {
    if (argc == 5 && QByteArray(argv[1]) == "--append-child")
        return appendChild(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt(), QString::fromLocal8Bit(argv[4]));
    if (argc == 4 && QByteArray(argv[1]) == "--hold-lock")
        return holdLockChild(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]) == "1");
    QCoreApplication app(argc, argv);
    TstRecordFile t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_recordfile.moc"
