#include <QCoreApplication>
#include <QProcess>
#include <QTest>

class TstCheckTool : public QObject {
    Q_OBJECT
private slots:
    void check_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("line");
        QTest::newRow("cf valid") << QStringList{"cf", "RSSMRA80A01H501U"} << 0 << "VALIDO";
        QTest::newRow("cf as the registry hands it")
            << QStringList{"cf", " rssmra80a01h501u "} << 0 << "VALIDO";
        QTest::newRow("cf wrong") << QStringList{"cf", "RSSMRA80A01H501V"} << 1 << "ERRATO";
        QTest::newRow("cf short") << QStringList{"cf", "RSSMRA80A01H501"} << 1
                                  << "ERRATO servono 16 caratteri";
        QTest::newRow("cf cyrillic") << QStringList{"cf", QStringLiteral("РССМРА80А01Н501U")} << 1
                                     << "ERRATO";
        QTest::newRow("piva office") << QStringList{"piva", "00743110157"} << 0
                                     << "VALIDO Ufficio IVA di Milano 1";
        QTest::newRow("piva accented office")
            << QStringList{"piva", "00000060400"} << 0 << QStringLiteral("VALIDO Ufficio IVA di Forlì");
        QTest::newRow("piva unknown office") << QStringList{"piva", "00000001032"} << 0 << "VALIDO";
        QTest::newRow("piva wrong") << QStringList{"piva", "12345678904"} << 1 << "ERRATO";
        QTest::newRow("carta visa") << QStringList{"carta", "4111 1111 1111 1111"} << 0 << "VALIDO Visa";
        QTest::newRow("carta diners")
            << QStringList{"carta", "30569309025904"} << 0 << "VALIDO Diner's Club / Carte Blanche";
        QTest::newRow("carta no network") << QStringList{"carta", "3200000000000002"} << 0 << "VALIDO";
        QTest::newRow("carta wrong") << QStringList{"carta", "4111111111111112"} << 1 << "ERRATO";
        QTest::newRow("carta empty") << QStringList{"carta", ""} << 1 << "ERRATO nessun numero";
        QTest::newRow("iban valid") << QStringList{"iban", "IT60X0542811101000000123456"} << 0 << "VALIDO";
        QTest::newRow("iban wrong") << QStringList{"iban", "IT60X0542811101000000123457"} << 1 << "ERRATO";
        QTest::newRow("unknown kind") << QStringList{"cap", "00100"} << 2 << "";
        QTest::newRow("missing text") << QStringList{"iban"} << 2 << "";
        QTest::newRow("nothing") << QStringList{} << 2 << "";
        QTest::newRow("unquoted groups") << QStringList{"carta", "4111", "1111"} << 2 << "";
    }
    void check() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, line);
        QProcess tool;
        tool.start(QCoreApplication::applicationDirPath() + "/versalio-tool", QStringList{"check"} + args);
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tool.exitCode(), exitCode);
        const QString output = QString::fromUtf8(tool.readAllStandardOutput());
        QCOMPARE(output, line.isEmpty() ? QString() : line + "\n");
        if (exitCode == 2) QVERIFY(tool.readAllStandardError().contains("usage:"));
    }
};

QTEST_GUILESS_MAIN(TstCheckTool)
#include "tst_checktool.moc"
