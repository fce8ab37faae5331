#include "formats/Esportazione.h"
#include "archive/RecordFile.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"
#include "common/ToolRun.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {
TSchedaBollettino slip(const QString& esecutore, const QString& ccp, const QString& scade, const QString& intero) {
    TSchedaBollettino r;
    forEachField(r, [](const char*, auto& f) { f.clear(); });
    r.Esecutore.set(esecutore);
    r.CCP.set(ccp);
    r.DataScade.set(scade);
    r.Intero.set(intero);
    return r;
}
QList<QJsonObject> jsonLines(const QString& out) {
    QList<QJsonObject> r;
    for (const QString& l : out.split('\n', Qt::SkipEmptyParts)) r.append(QJsonDocument::fromJson(l.toUtf8()).object());
    return r;
}
QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeBytes(const QString& path, const QByteArray& b) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(b);
}
} // namespace

class TstRiepilogoEsporta : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString slips() const { return m_dir.filePath("2024.bol"); }

private slots:
    void initTestCase() {
        RecordFile<TSchedaBollettino> f(slips());
        f.append(slip("ROSSI MARIO", "1234", "15/01/2024", "10,00"));
        f.append(slip("BIANCHI ANNA", "1234", "02/05/2024", "5,50"));
        f.append(slip("ROSSI MARIO", "5678", "31/02/2024", "1,00"));
        f.append(slip("ROSSI MARIO", "5678", "01/01/2025", "7,00"));
    }

    void summary() {
        const ToolRun r = tool({"summary", slips(), "--from", "01/01/2024", "--to", "31/12/2024"});
        QCOMPARE(r.code, 0);
        const auto lines = jsonLines(r.out);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0]["pos"].toInt(), 2); // 02/05 sorts before 15/01 within one account
        QVERIFY(lines[0]["line"].toString().startsWith("CCP 1234" + QString(10, ' ') + "Scad. 02/05/2024"));
        QCOMPARE(lines[1]["pos"].toInt(), 1);
        QCOMPARE(lines[2]["total"].toString(), QStringLiteral("15,50"));
        QCOMPARE(lines[2]["skipped"].toInt(), 1);
    }

    void summaryFilters() {
        const ToolRun r = tool({"summary", slips(), "--from", "01/01/2024", "--to", "31/12/2024", "--payer", "rossi",
                                "--account", "34"});
        QCOMPARE(r.code, 0);
        const auto lines = jsonLines(r.out);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[1]["total"].toString(), QStringLiteral("10,00"));
        QCOMPARE(lines[1]["skipped"].toInt(), 0);
    }

    void summaryUsage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("said");
        QTest::newRow("no date") << QStringList{"summary", "x.bol", "--from", "01/01/2024"} << "--from and --to";
        QTest::newRow("date that does not exist")
            << QStringList{"summary", "x.bol", "--from", "30/02/2024", "--to", "01/03/2024"}
            << "la data 30/02/2024 di inizio intervallo non esiste.";
        QTest::newRow("end before start")
            << QStringList{"summary", "x.bol", "--from", "02/03/2024", "--to", "01/03/2024"}
            << "non pu\u00f2 essere anteriore";
    }
    void summaryUsage() {
        QFETCH(QStringList, args);
        QFETCH(QString, said);
        const ToolRun r = tool(args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(said), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    void summaryNeverCreates() {
        const ToolRun r = tool({"summary", m_dir.filePath("2030.bol"), "--from", "01/01/2030", "--to", "31/12/2030"});
        QCOMPARE(r.code, 1);
        QVERIFY(!QFile::exists(m_dir.filePath("2030.bol")));
    }

    // The tool writes the very bytes the screen writes for the unedited grid.
    void exportXls() {
        const ToolRun r = tool({"export", slips(), "--format", "xls"});
        QCOMPARE(r.code, 0);
        const QString file = m_dir.filePath("Riepilogo_Annuale_Versamenti.xls");
        QCOMPARE(jsonLines(r.out).value(0)["file"].toString(), file);
        CelleFoglio rows(esportazione::foglioBollettini());
        esportazione::leggi(slips(), rows);
        QCOMPARE(bytesOf(file), esportazione::xls(rows));
    }

    void exportEmptyRegistry() {
        QTemporaryDir d;
        { RecordFile<TSchedaAnagrafica> f(d.filePath("Esecutori.pro")); }
        QCOMPARE(tool({"export", d.filePath("Esecutori.pro"), "--format", "xls"}).code, 0);
        const QByteArray b = bytesOf(d.filePath("Esecutori.xls"));
        QVERIFY(b.contains("<x:Name>Beneficiari ed Esecutori</x:Name>"));
        QCOMPARE(b.count("<tr>"), 11);
        QCOMPARE(tool({"export", d.filePath("Esecutori.pro"), "--format", "csv"}).code, 0);
        QVERIFY(bytesOf(d.filePath("Esecutori.csv")).startsWith("Cognome e nome Esecutore,Data di nascita,"));
    }

    void exportCsv() {
        const QString out = m_dir.filePath("out.csv");
        QCOMPARE(tool({"export", slips(), "--format", "csv", "--out", out}).code, 0);
        const QList<QByteArray> lines = bytesOf(out).split('\n');
        QCOMPARE(lines.size(), 6);
        QVERIFY(lines[1].startsWith("\"\xe2\x82\xac 10,00\",1234,,,,,ROSSI MARIO,"));
    }

    // Only an earlier export is replaced: never another document, a folder or the archive itself.
    void exportRefuses() {
        const QString other = m_dir.filePath("lettera.xls");
        writeBytes(other, "Caro Mario");
        ToolRun r = tool({"export", slips(), "--format", "xls", "--out", other});
        QCOMPARE(r.code, 1);
        QCOMPARE(bytesOf(other), QByteArray("Caro Mario"));
        r = tool({"export", slips(), "--format", "csv", "--out", slips()});
        QCOMPARE(r.code, 1);
        QCOMPARE(QFileInfo(slips()).size(), 4 * 2968);
        QCOMPARE(tool({"export", slips(), "--format", "xls", "--out", m_dir.path()}).code, 1);
        QCOMPARE(tool({"export", slips(), "--format", "ods"}).code, 2);
        const QString earlier = m_dir.filePath("prima.csv");
        QCOMPARE(tool({"export", slips(), "--format", "csv", "--out", earlier}).code, 0);
        QCOMPARE(tool({"export", slips(), "--format", "xls", "--out", earlier}).code, 0);
        QVERIFY(bytesOf(earlier).startsWith("<html"));
    }
};

QTEST_GUILESS_MAIN(TstRiepilogoEsporta)
#include "tst_riepilogoesporta.moc"
