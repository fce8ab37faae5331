// The journal of a batch: a batch that the process's death cuts short (here stopped in the middle of
// its own code, with nothing cleaned up) is undone by the next command that opens the archive to work
// on it; reads leave it out until then; a journal that does not fit the archive is left alone.
#include "archive/ArchiveError.h"
#include "archive/FileLock.h"
#include "archive/GiornaleLotto.h"
#include "archive/RecordFile.h"
#include "common/FileBytes.h"
#include "common/Interruzione.h"
#include "common/Records.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr qint64 kSlip = 2968;

QList<TSchedaBollettino> bollettini(int n, const QString& chi) {
    QList<TSchedaBollettino> l;
    for (int i = 0; i < n; ++i)
        l.append(record<TSchedaBollettino>({{"Esecutore", QStringLiteral("%1 %2").arg(chi).arg(i)},
                                            {"CCP", "1234567"},
                                            {"Saldato", "No"}}));
    return l;
}

template <class T> QByteArray bytes(const QList<T>& l) {
    return QByteArray(reinterpret_cast<const char*>(l.constData()), l.size() * qsizetype(sizeof(T)));
}

using Slips = RecordFile<TSchedaBollettino>;
constexpr auto kReadOnly = RecordFileBase::Access::ReadOnly;

} // namespace

class TstGiornale : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString& n = QStringLiteral("2026.bol")) const { return m_dir->filePath(n); }
    QString giornale() const { return path("2026.bol.emissione"); }
    QStringList files() const { return QDir(m_dir->path()).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot); }

    // Three slips, maybe a trailing piece, and a batch of 50 stopped at `momento`.
    QByteArray crashed(const char* momento, bool coda = false) {
        QByteArray before = bytes(bollettini(3, "SOCIO"));
        if (coda) before += QByteArray(100, 'x');
        writeRaw(path(), before);
        const QList<TSchedaBollettino> batch = bollettini(50, "NUOVO");
        [&] { QVERIFY(interrompiA(momento, [&] { Slips(path()).appendAll(batch.constData(), batch.size()); })); }();
        giornaleLotto::avvisi();
        return before;
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        giornaleLotto::avvisi();
    }

    // At each moment a crash can meet: a read sees the archive as it was and changes nothing; the
    // next command that opens it to work on it puts it back byte for byte and says so once; the
    // batch made again then adds each slip once.
    void batchCutShortIsUndone_data() {
        QTest::addColumn<QByteArray>("momento");
        QTest::addColumn<bool>("coda");
        for (const char* m : {giornaleLotto::kPrimaDeiRecord, giornaleLotto::kAMeta, giornaleLotto::kDopoIRecord})
            for (bool coda : {false, true}) QTest::addRow("%s%s", m, coda ? ", trailing piece" : "") << QByteArray(m) << coda;
    }
    void batchCutShortIsUndone() {
        QFETCH(QByteArray, momento);
        QFETCH(bool, coda);
        const QByteArray before = crashed(momento.constData(), coda);
        const QByteArray left = readAll(path());
        const qint64 end = 3 * kSlip + 50 * kSlip;
        QCOMPARE(left.size(), momento == giornaleLotto::kPrimaDeiRecord ? before.size()
                              : momento == giornaleLotto::kAMeta       ? 3 * kSlip + 25 * kSlip
                                                                       : end);
        QVERIFY(QFileInfo(giornale()).isFile());

        {
            Slips r(path(), kReadOnly);
            QCOMPARE(r.count(), 3);
            QVERIFY_THROWS_EXCEPTION(ArchiveError, r.read(3));
            int seen = 0;
            r.scan([&](qint64, const TSchedaBollettino&) { ++seen; });
            QCOMPARE(seen, 3);
        }
        QCOMPARE(readAll(path()), left);
        QVERIFY(QFileInfo(giornale()).isFile());
        QList<AvvisoLotto> a = giornaleLotto::avvisi();
        QCOMPARE(a.size(), 1); // however often it was read
        QCOMPARE(a[0].esito, AvvisoLotto::Escluso);

        QCOMPARE(Slips(path()).count(), 3);
        QCOMPARE(readAll(path()), before);
        QCOMPARE(files(), QStringList{"2026.bol"});
        a = giornaleLotto::avvisi();
        QCOMPARE(a.size(), 1);
        QCOMPARE(a[0].esito, AvvisoLotto::Annullato);
        QCOMPARE(a[0].archivio, path());
        QCOMPARE(a[0].testo(), QString::fromUtf8("L'ultima emissione di 50 bollettini non era terminata ed è stata "
                                                 "annullata: l'archivio è tornato com'era prima."));

        const QList<TSchedaBollettino> batch = bollettini(50, "NUOVO");
        QCOMPARE(Slips(path()).appendAll(batch.constData(), batch.size()), 4);
        QCOMPARE(readAll(path()), before.left(3 * kSlip) + bytes(batch));
        QCOMPARE(files(), QStringList{"2026.bol"});
        QVERIFY(giornaleLotto::avvisi().isEmpty());
    }

    // A command that opened the archive before another program's batch died undoes it under the lock
    // of its own write: a save never lands after half a batch (which the undoing would take with it),
    // nor is a record of the batch written over.
    void everyWriteUndoesFirst_data() {
        QTest::addColumn<QString>("scrittura");
        QTest::newRow("save of a new slip") << "append";
        QTest::newRow("save over a slip") << "write";
        QTest::newRow("another batch") << "batch";
    }
    void everyWriteUndoesFirst() {
        QFETCH(QString, scrittura);
        writeRaw(path(), bytes(bollettini(3, "SOCIO")));
        Slips early(path());
        const QList<TSchedaBollettino> batch = bollettini(50, "NUOVO");
        QVERIFY(interrompiA(giornaleLotto::kAMeta, [&] { Slips(path()).appendAll(batch.constData(), batch.size()); }));
        giornaleLotto::avvisi();
        const TSchedaBollettino uno = bollettini(1, "SINGOLO").first();
        if (scrittura == "append") {
            QCOMPARE(early.append(uno), 4);
            QCOMPARE(QFileInfo(path()).size(), 4 * kSlip);
        } else if (scrittura == "write") {
            QVERIFY_THROWS_EXCEPTION(ArchiveError, early.write(10, uno));
            early.write(2, uno);
            QCOMPARE(QFileInfo(path()).size(), 3 * kSlip);
            QCOMPARE(early.read(2).Esecutore.get(), QString("SINGOLO 0"));
        } else {
            QCOMPARE(early.appendAll(batch.constData(), batch.size()), 4);
            QCOMPARE(QFileInfo(path()).size(), 53 * kSlip);
        }
        QCOMPARE(files(), QStringList{"2026.bol"});
        const QList<AvvisoLotto> a = giornaleLotto::avvisi();
        QCOMPARE(a.size(), 1);
        QCOMPARE(a[0].esito, AvvisoLotto::Annullato);
    }

    // The cards' batch, and one of a single record, in the user's words.
    void importOfOneCardIsUndone() {
        const QString reg = path("Esecutori.pro");
        const TSchedaAnagrafica c = record<TSchedaAnagrafica>({{"Esecutore", "ROSSI MARIO"}, {"Ricontatta", "No"}});
        QVERIFY(interrompiA(giornaleLotto::kDopoIRecord, [&] { RecordFile<TSchedaAnagrafica>(reg).appendAll(&c, qint64(1)); }));
        QVERIFY(QFileInfo::exists(reg + ".importazione"));
        QCOMPARE(QFileInfo(reg).size(), 2997);
        giornaleLotto::avvisi();
        QCOMPARE(RecordFile<TSchedaAnagrafica>(reg).count(), 0);
        const QList<AvvisoLotto> a = giornaleLotto::avvisi();
        QCOMPARE(a.size(), 1);
        QCOMPARE(a[0].testo(), QString::fromUtf8("L'ultima importazione di una scheda non era terminata ed è stata "
                                                 "annullata: l'archivio è tornato com'era prima."));
        QCOMPARE(files(), QStringList{"Esecutori.pro"});
    }

    // A journal that cannot be read, or that the archive does not fit: nothing is cut, every record
    // is read, a batch is refused and writes nothing, the user is told once what was found, and a
    // single save goes on as always.
    void journalThatDoesNotFitIsLeftAlone_data() {
        QTest::addColumn<QString>("guasto");
        QTest::addColumn<qint64>("records");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("cannot be read") << "folder" << qint64(28) << QString::fromUtf8("il file non si può leggere");
        QTest::newRow("not the program's") << "text" << qint64(28)
                                           << QString::fromUtf8("il suo contenuto non è quello che il programma vi scrive");
        QTest::newRow("of another kind of archive") << "kind" << qint64(28)
                                                    << QString::fromUtf8("il suo contenuto non è quello che il programma vi scrive");
        QTest::newRow("archive shorter than before") << "shorter" << qint64(2)
                                                     << QString::fromUtf8("l'archivio è ora più corto di quanto era prima dell'emissione");
        QTest::newRow("archive longer than the batch") << "longer" << qint64(88)
                                                       << QString::fromUtf8("l'archivio è ora più lungo di quanto l'emissione avrebbe potuto renderlo");
        QTest::newRow("slips before the batch changed")
            << "changed" << qint64(28)
            << QString::fromUtf8("la parte dell'archivio scritta prima dell'emissione non è più quella di allora");
    }
    void journalThatDoesNotFitIsLeftAlone() {
        QFETCH(QString, guasto);
        QFETCH(qint64, records);
        QFETCH(QString, motivo);
        crashed(giornaleLotto::kAMeta);
        if (guasto == "folder") {
            QVERIFY(QFile::remove(giornale()));
            QVERIFY(QDir().mkdir(giornale()));
        } else if (guasto == "text") {
            writeRaw(giornale(), "appunti della riunione\r\n");
        } else if (guasto == "kind") {
            writeRaw(giornale(), readAll(giornale()).replace("record=2968", "record=2997"));
        } else {
            QFile f(path());
            QVERIFY(f.open(QIODevice::ReadWrite));
            if (guasto == "shorter") QVERIFY(f.resize(2 * kSlip));
            else if (guasto == "longer") QVERIFY(f.seek(f.size()) && f.write(bytes(bollettini(60, "ALTRO"))) > 0);
            else QVERIFY(f.seek(2 * kSlip) && f.write(bytes(bollettini(1, "CAMBIATO"))) == kSlip);
        }
        const QByteArray archivio = readAll(path()), scritto = readAll(giornale());

        QCOMPARE(Slips(path()).count(), records);
        QCOMPARE(Slips(path(), kReadOnly).count(), records);
        const QList<TSchedaBollettino> batch = bollettini(5, "NUOVO");
        QVERIFY_THROWS_EXCEPTION(GiornaleLasciato, Slips(path()).appendAll(batch.constData(), batch.size()));
        QCOMPARE(readAll(path()), archivio);
        QCOMPARE(readAll(giornale()), scritto);
        QVERIFY(QFileInfo::exists(giornale()));
        const QList<AvvisoLotto> a = giornaleLotto::avvisi();
        QCOMPARE(a.size(), 1);
        QCOMPARE(a[0].esito, AvvisoLotto::Lasciato);
        QCOMPARE(a[0].motivo, motivo);
        QCOMPARE(a[0].testo(),
                 QString::fromUtf8("Attenzione: accanto all'archivio 2026.bol si trova il file 2026.bol.emissione, che il "
                                   "programma scrive durante un'emissione di bollettini e toglie al termine, ma %1. "
                                   "L'archivio non è stato modificato.\n\r\n\rSe l'archivio è in ordine, il file "
                                   "2026.bol.emissione può essere eliminato.")
                     .arg(motivo));

        QCOMPARE(Slips(path()).append(batch.first()), records + 1);
        // Once the user has removed it, batches go on.
        if (guasto == "folder") QVERIFY(QDir().rmdir(giornale()));
        else QVERIFY(QFile::remove(giornale()));
        QCOMPARE(Slips(path()).appendAll(batch.constData(), batch.size()), records + 2);
    }

    // While another program holds the archive's lock (its batch still running), a journal is not
    // undone: the command waits, and after the wait is an access failure that changes nothing.
    void runningBatchIsNeverUndone() {
        const QByteArray before = crashed(giornaleLotto::kAMeta);
        const QByteArray left = readAll(path());
        QFile other(path());
        QVERIFY(other.open(QIODevice::ReadWrite));
        const auto limit = FileLock::waitLimit();
        FileLock::setWaitLimit(std::chrono::milliseconds(150));
        {
            FileLock held(other, FileLock::Exclusive);
            QVERIFY_THROWS_EXCEPTION(ArchiveError, Slips{path()});
            QVERIFY_THROWS_EXCEPTION(ArchiveError, Slips(path(), kReadOnly).count());
        }
        FileLock::setWaitLimit(limit);
        QCOMPARE(readAll(path()), left);
        QVERIFY(giornaleLotto::avvisi().isEmpty());
        QCOMPARE(Slips(path()).count(), 3);
        QCOMPARE(readAll(path()), before);
    }

    // A batch that ends leaves no journal (the faults' tests show the same of one that fails); a
    // journal, or the hidden file of one being written, is never taken for an archive.
    void journalNeverLingersNorPassesForAnArchive() {
        const QList<TSchedaBollettino> batch = bollettini(5, "NUOVO");
        QCOMPARE(Slips(path()).appendAll(batch.constData(), batch.size()), 1);
        QCOMPARE(files(), QStringList{"2026.bol"});
        QVERIFY(giornaleLotto::avvisi().isEmpty());
        crashed(giornaleLotto::kAMeta);
        for (const QString& n : {giornale(), path(".2026.bol.emissione"), path("Esecutori.pro.importazione")}) {
            QVERIFY_THROWS_EXCEPTION(ArchiveError, Slips{n});
            QVERIFY_THROWS_EXCEPTION(ArchiveError, Slips(n, kReadOnly));
            QVERIFY_THROWS_EXCEPTION(ArchiveError, RecordFile<TSchedaAnagrafica>{n});
        }
        QVERIFY(!QFileInfo::exists(path("Esecutori.pro.importazione")));
        QVERIFY(QFileInfo(giornale()).size() < 1000);
    }
};

QTEST_GUILESS_MAIN(TstGiornale)
#include "tst_giornale.moc"
