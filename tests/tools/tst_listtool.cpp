// versalio-tool list: the program's lists for scripts, on the same selections and lines.
#include "common/Records.h"
#include "archive/RecordFile.h"
#include "queries/RigheElenco.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"
#include "common/ToolRun.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>


namespace {


// (pos, line) of every output line; a line that is not such an object fails the test.
QList<std::pair<qint64, QString>> parse(const QString& out) {
    QList<std::pair<qint64, QString>> rows;
    for (const QString& l : out.split('\n', Qt::SkipEmptyParts)) {
        const QJsonObject o = QJsonDocument::fromJson(l.toUtf8()).object();
        if (o.size() != 2 || !o.contains("pos") || !o.contains("line")) qFatal("not a list line: %s", qPrintable(l));
        rows.append({o.value("pos").toInteger(), o.value("line").toString()});
    }
    return rows;
}

QList<qint64> positions(const ToolRun& r) {
    QList<qint64> out;
    for (const auto& row : parse(r.out)) out.append(row.first);
    return out;
}

} // namespace

class TstListTool : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString slips, cards;

private slots:
    void initTestCase() {
        slips = m_dir.filePath("2024.bol");
        RecordFile<TSchedaBollettino> s(slips);
        const QString si = QString::fromUtf8("Sì");
        s.append(record<TSchedaBollettino>({{"CCP", "300"}, {"Esecutore", "ROSSI MARIO"}, {"DataScade", "10/03/2024"},
                                            {"Saldato", "No"}, {"Causale01", "Quota \"A\""}}));
        s.append(record<TSchedaBollettino>({{"CCP", "100"}, {"Esecutore", "MARIO ROSSI"}, {"DataScade", "15/06/2024"},
                                            {"Saldato", "No"}}));
        s.append(record<TSchedaBollettino>({{"CCP", "200"}, {"Esecutore", "ROSSINI"}, {"DataScade", "16/06/2024"},
                                            {"Saldato", si}}));
        s.append(record<TSchedaBollettino>({{"CCP", "400"}, {"DataScade", "16/06/2024"}, {"Saldato", "No"}}));
        cards = m_dir.filePath("Esecutori.pro");
        RecordFile<TSchedaAnagrafica> c(cards);
        c.append(record<TSchedaAnagrafica>({{"Esecutore", "VERDI"}, {"Categoria", "Cassa"}, {"Ricontatta", si}}));
        c.append(record<TSchedaAnagrafica>({{"Esecutore", "BIANCHI"}, {"Categoria", "Associati"}}));
        c.append(record<TSchedaAnagrafica>({{"Esecutore", "ALBA"}, {"Ricontatta", si}}));
    }

    void lists_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QList<qint64>>("pos");
        QTest::newRow("search without filters: every slip by account")
            << QStringList{"search", "2024.bol"} << QList<qint64>{2, 3, 1, 4};
        QTest::newRow("search by a piece of a name") << QStringList{"search", "2024.bol", "--Esecutore", "ross"}
                                                     << QList<qint64>{2, 3, 1};
        QTest::newRow("two filters, both must match")
            << QStringList{"search", "2024.bol", "--Esecutore=ross", "--DataScade", "06/2024"} << QList<qint64>{2, 3};
        QTest::newRow("words in their order")
            << QStringList{"search", "2024.bol", "--Esecutore", "rossi mario"} << QList<qint64>{1};
        QTest::newRow("unpaid") << QStringList{"unpaid", "2024.bol"} << QList<qint64>{2, 1, 4};
        QTest::newRow("expired on a given day")
            << QStringList{"expired", "2024.bol", "--today", "15/06/2024"} << QList<qint64>{2, 1};
        QTest::newRow("cards by category") << QStringList{"cards", "--Categoria", "ass"} << QList<qint64>{2, 1};
        QTest::newRow("cards of a named registry") << QStringList{"cards", "Esecutori.pro"} << QList<qint64>{3, 2, 1};
        QTest::newRow("recontact") << QStringList{"recontact"} << QList<qint64>{3, 1};
        QTest::newRow("nothing found is no failure")
            << QStringList{"search", "2024.bol", "--Note", "nessuna"} << QList<qint64>{};
    }
    void lists() {
        QFETCH(QStringList, args);
        QFETCH(QList<qint64>, pos);
        const ToolRun r = tool(QStringList{"list"} + args, [this](QProcess& p) { p.setWorkingDirectory(m_dir.path()); });
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, 0);
        QCOMPARE(positions(r), pos);
    }

    void linesAreTheScreensLines() {
        const ToolRun r = tool({"list", "search", slips, "--CCP", "300"});
        const auto rows = parse(r.out);
        QCOMPARE(rows.size(), 1);
        RecordFile<TSchedaBollettino> f(slips, RecordFileBase::Access::ReadOnly);
        QCOMPARE(rows[0].second, rigaBollettino(f.read(0)));
        QVERIFY(rows[0].second.endsWith("Quota \"A\""));
    }

    void failures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::newRow("no list") << QStringList{} << 2;
        QTest::newRow("unknown list") << QStringList{"paid", "2024.bol"} << 2;
        QTest::newRow("no archive") << QStringList{"unpaid"} << 2;
        QTest::newRow("two archives") << QStringList{"unpaid", "2024.bol", "2025.bol"} << 2;
        QTest::newRow("a filter the search does not have") << QStringList{"search", "2024.bol", "--Timbro", "x"} << 2;
        QTest::newRow("a card filter on slips") << QStringList{"search", "2024.bol", "--Categoria", "x"} << 2;
        QTest::newRow("not a date") << QStringList{"expired", "2024.bol", "--today", "31/02/2024"} << 2;
        QTest::newRow("missing archive") << QStringList{"unpaid", "2023.bol"} << 1;
        QTest::newRow("missing registry") << QStringList{"recontact", "altro.pro"} << 1;
        QTest::newRow("a folder") << QStringList{"unpaid", "."} << 1;
    }
    void failures() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
        const ToolRun r = tool(QStringList{"list"} + args, [this](QProcess& p) { p.setWorkingDirectory(m_dir.path()); });
        QCOMPARE(r.code, code);
        QCOMPARE(r.out, QString());
        QVERIFY(!r.err.isEmpty());
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before); // never creates a file
    }

    void help() {
        const ToolRun r = tool({"list", "search", "--help"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("--DataScade"));
        QVERIFY(tool({"--help"}).out.contains("list search|unpaid|expired"));
    }
};

QTEST_GUILESS_MAIN(TstListTool)
#include "tst_listtool.moc"
