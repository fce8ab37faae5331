#include "archive/IniFile.h"
#include "archive/MarginSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

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

// The text in UTF-16 with its byte-order mark.
QByteArray utf16(QStringView text, bool bigEndian) {
    QByteArray b = bigEndian ? QByteArray("\xfe\xff") : QByteArray("\xff\xfe");
    for (QChar c : text) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xff);
        if (bigEndian) b.append(hi).append(lo);
        else b.append(lo).append(hi);
    }
    return b;
}

const QByteArray kSample = "; impostazioni di stampa\r\n"
                           "[Generale]\r\n"
                           "Lingua=IT\r\n"
                           "\r\n"
                           "[Margini Stampa CH8 Bis]\r\n"
                           "; scritti dal programma\r\n"
                           "Superiore=3\r\n"
                           "Sinistro=-2\r\n"
                           "\r\n"
                           "[Altro]\r\n"
                           "Chiave=valore\r\n";

} // namespace

class TstIniFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Bollettini.ini")); }

private slots:
    void init() {
        QFile::remove(path());
        QDir(m_dir.filePath("Bollettini.ini")).removeRecursively();
    }

    void readString_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("key of a section with blanks") << kSample << "Margini Stampa CH8 Bis" << "Sinistro" << "-2";
        QTest::newRow("names ignore case") << kSample << "margini stampa ch8 bis" << "SUPERIORE" << "3";
        QTest::newRow("same key in another section") << kSample << "Altro" << "Superiore" << "<none>";
        QTest::newRow("missing section") << kSample << "Margini" << "Superiore" << "<none>";
        QTest::newRow("missing key") << kSample << "Generale" << "Superiore" << "<none>";
        QTest::newRow("comment is no key") << QByteArray("[S]\r\n;Superiore=9\r\n") << "S" << "Superiore" << "<none>";
        QTest::newRow("blanks around names and value")
            << QByteArray("  [ S ]  \n  Superiore =  4  \n") << "S" << "Superiore" << "4";
        QTest::newRow("empty value is not missing") << QByteArray("[S]\r\nSuperiore=\r\n") << "S" << "Superiore" << "";
        QTest::newRow("quotes removed") << QByteArray("[S]\r\nK=\" a b \"\r\n") << "S" << "K" << " a b ";
        QTest::newRow("first of two equal sections")
            << QByteArray("[S]\r\nK=1\r\n[S]\r\nK=2\r\n") << "S" << "K" << "1";
        QTest::newRow("value holds '='") << QByteArray("[S]\nK=a=b\n") << "S" << "K" << "a=b";
        QTest::newRow("Windows-1252 text") << QByteArray("[S]\r\nK=perch\xe9\r\n") << "S" << "K" << "perché";
        QTest::newRow("UTF-8 with its mark")
            << QByteArray("\xef\xbb\xbf[S]\r\nK=perch\xc3\xa9\r\n") << "S" << "K" << "perché";
        QTest::newRow("UTF-16 little-endian with its mark")
            << utf16(u"[Margini Stampa CH8 Bis]\r\nSuperiore=4\r\nNota=perché\r\n", false) << "Margini Stampa CH8 Bis"
            << "Nota" << "perché";
        QTest::newRow("UTF-16 big-endian with its mark")
            << utf16(u"[S]\r\nA=1\r\nK=città\r\n", true) << "S" << "K" << "città";
        QTest::newRow("CR line ends") << QByteArray("[T]\rK=1\r[S]\rA=2\rK=3\r") << "S" << "K" << "3";
        QTest::newRow("CR line ends, UTF-16") << utf16(u"[T]\rK=1\r[S]\rK=3", false) << "S" << "K" << "3";
        QTest::newRow("stray byte in a UTF-8 file") << QByteArray("\xef\xbb\xbf[T]\r\nX=\xe9\r\n[S]\r\nK=1\r\n")
                                                    << "S" << "K" << "1";
    }
    void readString() {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        writeRaw(path(), content);
        QCOMPARE(IniFile(path()).readString(section, key, QStringLiteral("<none>")), expected);
    }

    void missingFileGivesTheFallback() {
        QCOMPARE(IniFile(path()).readString("S", "K", "x"), QStringLiteral("x"));
        QVERIFY(!QFile::exists(path())); // reading never creates the file
    }

    // A write changes one line, or adds one, and keeps everything else of the file as it was.
    void writeString_data() {
        QTest::addColumn<QByteArray>("before"); // "<none>": no file
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("creates the file") << QByteArray("<none>") << "Margini Stampa CH8 Bis" << "Superiore" << "3"
                                          << QByteArray("[Margini Stampa CH8 Bis]\r\nSuperiore=3\r\n");
        QTest::newRow("replaces a value, keeps the rest")
            << kSample << "Margini Stampa CH8 Bis" << "Superiore" << "-1"
            << QByteArray(kSample).replace("Superiore=3", "Superiore=-1");
        QTest::newRow("matches names without regard to case and blanks")
            << QByteArray("[ margini stampa ch8 bis ]\r\n  superiore = 3\r\n") << "Margini Stampa CH8 Bis" << "Superiore"
            << "5" << QByteArray("[ margini stampa ch8 bis ]\r\nSuperiore=5\r\n");
        QTest::newRow("adds a key at the end of its section")
            << QByteArray("[S]\r\nA=1\r\n\r\n[T]\r\nB=2\r\n") << "S" << "C" << "3"
            << QByteArray("[S]\r\nA=1\r\nC=3\r\n\r\n[T]\r\nB=2\r\n");
        QTest::newRow("adds a section at the end")
            << QByteArray("; note\r\n[T]\r\nB=2\r\n") << "Margini Stampa CH8 Bis" << "Sinistro" << "0"
            << QByteArray("; note\r\n[T]\r\nB=2\r\n[Margini Stampa CH8 Bis]\r\nSinistro=0\r\n");
        QTest::newRow("line feeds stay line feeds")
            << QByteArray("[S]\nA=1\n; c\n") << "S" << "A" << "2" << QByteArray("[S]\nA=2\n; c\n");
        QTest::newRow("file without a final line end")
            << QByteArray("[S]\r\nA=1") << "S" << "B" << "2" << QByteArray("[S]\r\nA=1\r\nB=2\r\n");
        QTest::newRow("Windows-1252 value") << QByteArray("<none>") << "S" << "K" << "città"
                                            << QByteArray("[S]\r\nK=citt\xe0\r\n");
        QTest::newRow("UTF-8 file stays UTF-8")
            << QByteArray("\xef\xbb\xbf[S]\r\nA=1\r\n") << "S" << "A" << "è"
            << QByteArray("\xef\xbb\xbf[S]\r\nA=\xc3\xa8\r\n");
        // Bytes that do not decode in the file's encoding are not the write's business.
        QTest::newRow("unrelated byte of a UTF-8 file kept")
            << QByteArray("\xef\xbb\xbf[Altro]\r\nNota=perch\xe9\r\n[S]\r\nA=1\r\n") << "S" << "A" << "2"
            << QByteArray("\xef\xbb\xbf[Altro]\r\nNota=perch\xe9\r\n[S]\r\nA=2\r\n");
        QTest::newRow("UTF-16 file gets a UTF-16 section")
            << utf16(u"[Altro]\r\nNota=perché\r\n", false) << "Margini Stampa CH8 Bis" << "Superiore" << "-3"
            << utf16(u"[Altro]\r\nNota=perché\r\n[Margini Stampa CH8 Bis]\r\nSuperiore=-3\r\n", false);
        QTest::newRow("UTF-16 big-endian value replaced")
            << utf16(u"[S]\r\nA=1\r\nB=2\r\n", true) << "S" << "A" << "città"
            << utf16(u"[S]\r\nA=città\r\nB=2\r\n", true);
        QTest::newRow("CR line ends stay")
            << QByteArray("[S]\rA=1\r\r[T]\rB=2\r") << "S" << "C" << "3" << QByteArray("[S]\rA=1\rC=3\r\r[T]\rB=2\r");
        QTest::newRow("value with blanks at its ends is quoted")
            << QByteArray("[S]\r\n") << "S" << "K" << " a " << QByteArray("[S]\r\nK=\" a \"\r\n");
        QTest::newRow("value in quotes keeps them")
            << QByteArray("[S]\r\n") << "S" << "K" << "'x'" << QByteArray("[S]\r\nK=\"'x'\"\r\n");
    }
    void writeString() {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        if (before != "<none>") writeRaw(path(), before);
        IniFile ini(path());
        QString error;
        QVERIFY2(ini.writeString(section, key, value, &error), qPrintable(error));
        QCOMPARE(readAll(path()), after);
        QCOMPARE(ini.readString(section, key, QStringLiteral("<none>")), value);
    }

    // A failing write says so and changes nothing.
    void writeFailures_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("folder not there") << "manca/Bollettini.ini" << "S" << "K" << "1";
        QTest::newRow("under a file") << "file.txt/Bollettini.ini" << "S" << "K" << "1";
        QTest::newRow("a folder in its place") << "cartella" << "S" << "K" << "1";
        QTest::newRow("value with a line break") << "Bollettini.ini" << "S" << "K" << "1\r\n[X]";
        QTest::newRow("key with '='") << "Bollettini.ini" << "S" << "K=1" << "1";
        QTest::newRow("section with ']'") << "Bollettini.ini" << "S]" << "K" << "1";
        QTest::newRow("character outside the code page") << "Bollettini.ini" << "S" << "K" << "\u20bd";
    }
    void writeFailures() {
        QFETCH(QString, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QDir(m_dir.path()).mkpath(QStringLiteral("cartella"));
        writeRaw(m_dir.filePath(QStringLiteral("file.txt")), "x");
        writeRaw(path(), kSample);
        const QString target = m_dir.filePath(file);
        QString error;
        QVERIFY(!IniFile(target).writeString(section, key, value, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(readAll(path()), kSample);
        QVERIFY(!QFileInfo(target).isFile() || target == path());
    }

    // A "Bollettini.ini" that is not a regular file, or is too large to be one, is never read (the
    // margins are 0 as for a missing file) and never written.
    void irregularFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("named pipe") << "fifo";
        QTest::newRow("link to a device without end") << "/dev/zero";
        QTest::newRow("link to a device that swallows writes") << "/dev/null";
        QTest::newRow("link to nowhere") << "dangling";
        QTest::newRow("larger than 1 MiB") << "large";
        QTest::newRow("folder") << "folder";
    }
    void irregularFiles() {
        QFETCH(QString, kind);
        const QString ini = path();
#ifdef Q_OS_UNIX
        if (kind == "fifo") {
            if (::mkfifo(QFile::encodeName(ini).constData(), 0644) != 0) QSKIP("cannot make a named pipe here");
        } else if (kind.startsWith('/')) {
            if (!QFileInfo::exists(kind)) QSKIP("no such device here");
            QVERIFY(QFile::link(kind, ini));
        } else if (kind == "dangling") {
            QVERIFY(QFile::link(m_dir.filePath("manca.ini"), ini));
        } else
#else
        // Windows has no named pipes or devices in the folder, and its links are shortcut files.
        if (kind == "fifo" || kind.startsWith('/') || kind == "dangling") QSKIP("a Unix kind of file");
#endif
        if (kind == "large") {
            writeRaw(ini, "[Margini Stampa CH8 Bis]\r\nSuperiore=5\r\n" + QByteArray(1024 * 1024, ';'));
        } else {
            QVERIFY(QDir(m_dir.path()).mkdir("Bollettini.ini"));
        }
        const QFileInfo before(ini);
        const marginiStampa::Texts t = marginiStampa::load(m_dir.path());
        QCOMPARE(t.top, QStringLiteral("0"));
        QCOMPARE(t.left, QStringLiteral("0"));
        QString error;
        QVERIFY(!marginiStampa::store(m_dir.path(), marginiStampa::kSuperiore, "2", &error));
        QVERIFY(!error.isEmpty());
        const QFileInfo after(ini);
        QCOMPARE(after.isSymLink(), before.isSymLink());
        QCOMPARE(after.isFile(), before.isFile());
        QCOMPARE(after.size(), before.size());
        QVERIFY(!QFileInfo::exists(m_dir.filePath("manca.ini")));
#ifdef Q_OS_UNIX
        QVERIFY(QFileInfo::exists("/dev/null") && !QFileInfo("/dev/null").isFile());
#endif
    }

    // The margins read as stored, 0 when the file, section or key is missing or blank.
    void marginsLoad_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::newRow("no file") << QByteArray("<none>") << "0" << "0";
        QTest::newRow("no section") << QByteArray("[Altro]\r\nSuperiore=5\r\n") << "0" << "0";
        QTest::newRow("both stored") << kSample << "3" << "-2";
        QTest::newRow("top only, left blank")
            << QByteArray("[Margini Stampa CH8 Bis]\r\nSuperiore=7\r\nSinistro=  \r\n") << "7" << "0";
        QTest::newRow("hand-edited, shown as read")
            << QByteArray("[Margini Stampa CH8 Bis]\r\nSuperiore=due\r\nSinistro=1,5\r\n") << "due" << "1,5";
    }
    void marginsLoad() {
        QFETCH(QByteArray, content);
        QFETCH(QString, top);
        QFETCH(QString, left);
        if (content != "<none>") writeRaw(path(), content);
        const marginiStampa::Texts t = marginiStampa::load(m_dir.path());
        QCOMPARE(t.top, top);
        QCOMPARE(t.left, left);
    }

    void marginNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("whole"); // invalid: refused
        QTest::addColumn<QVariant>("mm");
        QTest::newRow("zero") << "0" << QVariant(0) << QVariant(0.0);
        QTest::newRow("negative") << "-2" << QVariant(-2) << QVariant(-2.0);
        QTest::newRow("blanks around") << " 3 " << QVariant(3) << QVariant(3.0);
        QTest::newRow("plus sign") << "+4" << QVariant(4) << QVariant(4.0);
        QTest::newRow("decimal comma") << "1,5" << QVariant() << QVariant(1.5);
        QTest::newRow("comma first") << "-,5" << QVariant() << QVariant(-0.5);
        QTest::newRow("decimal point is not the separator") << "1.5" << QVariant() << QVariant();
        QTest::newRow("word") << "due" << QVariant() << QVariant();
        QTest::newRow("empty") << "" << QVariant() << QVariant();
        QTest::newRow("digits and letters") << "3mm" << QVariant() << QVariant();
        QTest::newRow("beyond an int") << "99999999999" << QVariant() << QVariant();
    }
    void marginNumbers() {
        QFETCH(QString, text);
        QFETCH(QVariant, whole);
        QFETCH(QVariant, mm);
        const auto w = marginiStampa::parseWhole(text);
        QCOMPARE(w.has_value(), whole.isValid());
        if (w) QCOMPARE(*w, whole.toInt());
        const auto m = marginiStampa::parseMm(text);
        QCOMPARE(m.has_value(), mm.isValid());
        if (m) QCOMPARE(*m, mm.toDouble());
    }
};

QTEST_GUILESS_MAIN(TstIniFile)
#include "tst_inifile.moc"
