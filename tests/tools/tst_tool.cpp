#include "archive/RecordFile.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "common/ToolRun.h"

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

    void usage() {
        QCOMPARE(tool({}).code, 2);
        QCOMPARE(tool({"nonsense"}).code, 2);
        const ToolRun help = tool({"--help"});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.contains("dump"));
        QVERIFY(help.out.contains("words"));
    }
};

QTEST_GUILESS_MAIN(TstTool)
#include "tst_tool.moc"
