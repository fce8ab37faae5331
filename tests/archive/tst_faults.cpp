// The archive layer's writes on a full disk and in a read-only folder: a write either happens
// whole or fails with a reason, and a failure leaves every file as it was.
#include "archive/ArchiveError.h"
#include "archive/IniFile.h"
#include "archive/MarginSettings.h"
#include "archive/PasswordStore.h"
#include "archive/RecordFile.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"
#include "common/FaultInjection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

void writeRaw(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

const QByteArray kSettings = "[Generale]\r\nCitt\xe0=Roma\r\n\r\n[Margini Stampa CH8 Bis]\r\nSuperiore=3\r\n"
                             "Sinistro=-2\r\n\r\n[Altro]\r\nNota=una nota abbastanza lunga da non stare nel limite\r\n";

template <class T> T record(const QString& text) {
    T r;
    std::memset(&r, 0, sizeof r);
    forEachField(r, [&](const char*, auto& f) { f.set(text); });
    return r;
}

// The text of the record's first field, which record() fills like every other.
template <class T> QString tag(const T& r) {
    QString first;
    forEachField(r, [&](const char*, const auto& f) {
        if (first.isNull()) first = f.get();
    });
    return first;
}

using Fault = fault::Kind;

} // namespace

class TstFaults : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString& name) const { return m_dir->filePath(name); }
    QStringList files() const { return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::System); }

    void addFaultRows(const QStringList& cases) {
        for (const QString& c : cases) {
            QTest::addRow("%s, full disk", qPrintable(c)) << Fault::FullDisk << c;
            QTest::addRow("%s, read-only folder", qPrintable(c)) << Fault::ReadOnlyFolder << c;
        }
    }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    // "Applica" on a full disk or in a read-only folder: the settings file keeps every byte and
    // the caller gets the reason. A file that was not there is not left behind empty.
    void settingsWrite_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("before");
        addFaultRows({"existing file", "no file yet"});
    }
    void settingsWrite() {
        QFETCH(Fault, fault);
        QFETCH(QString, before);
        const QString ini = marginiStampa::iniPath(m_dir->path());
        if (before == "existing file") writeRaw(ini, kSettings);
        auto store = [&](QString* error) {
            return marginiStampa::store(m_dir->path(), marginiStampa::kSuperiore, QStringLiteral("-12"), error);
        };
        const QString skip = failsUnchangedThenWorks(fault, ini, before == "existing file" ? 40 : 0, store);
        if (!skip.isEmpty()) QSKIP(qPrintable(skip));
        if (QTest::currentTestFailed()) return;
        QCOMPARE(marginiStampa::load(m_dir->path()).top, QStringLiteral("-12"));
        if (before == "existing file")
            QCOMPARE(readAll(ini), QByteArray(kSettings).replace("Superiore=3", "Superiore=-12"));
    }

    // A new password on a full disk or in a read-only folder: the old one stays in force.
    void passwordWrite_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("before");
        addFaultRows({"existing file"});
    }
    void passwordWrite() {
        QFETCH(Fault, fault);
        const QString folder = m_dir->path() + QLatin1Char('/');
        QVERIFY(passwordStore::scrivi(folder, QStringLiteral("VECCHIA")));
        const QString skip = failsUnchangedThenWorks(fault, passwordStore::path(folder), 10, [&](QString* error) {
            return passwordStore::scrivi(folder, QStringLiteral("NUOVA"), error);
        });
        if (!skip.isEmpty()) QSKIP(qPrintable(skip));
        if (QTest::currentTestFailed()) return;
        QCOMPARE(passwordStore::leggi(folder).password, QStringLiteral("NUOVA"));
    }

    // A new slip or card that does not fit on the disk: the save fails with ArchiveError, the
    // records already there stay as they were, and with room again the next save lands right
    // after them (the piece of the failed record is overwritten).
    void archiveAppend_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("archive");
        addFaultRows({"2024.bol", "Esecutori.pro"});
    }
    void archiveAppend() {
        QFETCH(Fault, fault);
        QFETCH(QString, archive);
        if (archive.endsWith(".bol")) appendUnderFault<TSchedaBollettino>(fault, path(archive));
        else appendUnderFault<TSchedaAnagrafica>(fault, path(archive));
    }

    // Saving over a slip or card: on a read-only folder the save fails and the record stays; where
    // the write can go through (permission bits leave an existing file writable) it is whole.
    void archiveOverwrite_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("archive");
        addFaultRows({"2024.bol", "Esecutori.pro"});
    }
    void archiveOverwrite() {
        QFETCH(Fault, fault);
        QFETCH(QString, archive);
        if (archive.endsWith(".bol")) overwriteUnderFault<TSchedaBollettino>(fault, path(archive));
        else overwriteUnderFault<TSchedaAnagrafica>(fault, path(archive));
    }

    // A year never used before cannot be created in a read-only folder: the failure is an
    // ArchiveError and nothing appears.
    void newArchiveInReadOnlyFolder() {
        fault::ReadOnlyFolder guard(m_dir->path());
        FAULT_OR_SKIP(guard);
        QVERIFY_THROWS_EXCEPTION(ArchiveError, RecordFile<TSchedaBollettino>(path("2031.bol")));
        QVERIFY(!QFile::exists(path("2031.bol")));
    }

private:
    // `write` fails under the fault with a reason, leaving `file` and the folder as they were; with
    // room again it goes through. Gives why the fault could not be made, if it could not.
    template <class W> QString failsUnchangedThenWorks(Fault fault, const QString& file, qint64 room, W write) {
        const QByteArray old = readAll(file);
        const QStringList oldFiles = files();
        QString error;
        bool written;
        {
            fault::Guard guard(fault, m_dir->path(), room);
            if (!guard.skipReason().isEmpty()) return guard.skipReason();
            written = write(&error);
        }
        [&] {
        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        QCOMPARE(readAll(file), old);
        QCOMPARE(files(), oldFiles); // no temporary file left behind either
        QVERIFY(write(&error));
        }();
        return QString();
    }

    template <class T> void appendUnderFault(Fault fault, const QString& file) {
        {
            RecordFile<T> f(file);
            f.append(record<T>(QStringLiteral("UNO")));
            f.append(record<T>(QStringLiteral("DUE")));
        }
        const QByteArray old = readAll(file);
        bool threw = false;
        {
            fault::Guard guard(fault, m_dir->path(), old.size() + 100);
            FAULT_OR_SKIP(guard);
            try {
                RecordFile<T> f(file);
                f.append(record<T>(QStringLiteral("TRE")));
            } catch (const ArchiveError&) {
                threw = true;
            }
        }
        RecordFile<T> f(file);
        if (threw) {
            QCOMPARE(f.count(), 2);
            QCOMPARE(readAll(file).left(old.size()), old);
            QCOMPARE(f.append(record<T>(QStringLiteral("QUATTRO"))), 3);
            QCOMPARE(QFileInfo(file).size(), qint64(3 * sizeof(T)));
        } else {
            // Only a read-only folder made by permission bits lets an existing file grow.
            QCOMPARE(fault, Fault::ReadOnlyFolder);
            QCOMPARE(f.count(), 3);
        }
        QCOMPARE(tag(f.read(1)), QStringLiteral("DUE"));
        QVERIFY(fault == Fault::ReadOnlyFolder || threw); // a full disk must refuse
    }

    template <class T> void overwriteUnderFault(Fault fault, const QString& file) {
        {
            RecordFile<T> f(file);
            f.append(record<T>(QStringLiteral("UNO")));
            f.append(record<T>(QStringLiteral("DUE")));
        }
        const QByteArray old = readAll(file);
        bool threw = false;
        {
            fault::Guard guard(fault, m_dir->path(), 0);
            FAULT_OR_SKIP(guard);
            try {
                RecordFile<T> f(file);
                f.write(1, record<T>(QStringLiteral("NUOVO")));
            } catch (const ArchiveError&) {
                threw = true;
            }
        }
        RecordFile<T> f(file);
        QCOMPARE(f.count(), 2);
        QCOMPARE(tag(f.read(0)), QStringLiteral("UNO"));
        QCOMPARE(tag(f.read(1)), threw ? QStringLiteral("DUE") : QStringLiteral("NUOVO"));
        if (threw) QCOMPARE(readAll(file), old);
    }
};

QTEST_GUILESS_MAIN(TstFaults)
#include "tst_faults.moc"
