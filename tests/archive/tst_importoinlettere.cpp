#include "archive/ImportoInLettere.h"

#include <QTest>

class TstImportoInLettere : public QObject {
    Q_OBJECT
private slots:
    void words_data() {
        QTest::addColumn<qint64>("value"); // ten-thousandths
        QTest::addColumn<QString>("words");
        const struct {
            qint64 euros;
            const char* words;
        } whole[] = {
            {0, "ZERO"},
            {1, "UNO"},
            {16, "SEDICI"},
            {21, "VENTUNO"},
            // The tens drop their last vowel before otto as before uno; the hundreds never do.
            {28, "VENTOTTO"},
            {38, "TRENTOTTO"},
            {48, "QUARANTOTTO"},
            {58, "CINQUANTOTTO"},
            {68, "SESSANTOTTO"},
            {78, "SETTANTOTTO"},
            {88, "OTTANTOTTO"},
            {98, "NOVANTOTTO"},
            {108, "CENTOOTTO"},
            {128, "CENTOVENTOTTO"},
            {1038, "MILLETRENTOTTO"},
            {28000, "VENTOTTOMILA"},
            {28028028, "VENTOTTOMILIONIVENTOTTOMILAVENTOTTO"},
            {33, "TRENTATRE"},
            {101, "CENTOUNO"},
            {118, "CENTODICIOTTO"},
            {180, "CENTOOTTANTA"},
            {999, "NOVECENTONOVANTANOVE"},
            {1000, "MILLE"},
            {1001, "MILLEUNO"},
            {2021, "DUEMILAVENTUNO"},
            {2120, "DUEMILACENTOVENTI"},
            {21000, "VENTUNOMILA"},
            {101000, "CENTOUNOMILA"},
            {1000000, "UNMILIONE"},
            {1000001, "UNMILIONEUNO"},
            {1001000, "UNMILIONEMILLE"},
            {2000000, "DUEMILIONI"},
            {2500000, "DUEMILIONICINQUECENTOMILA"},
            {1234567, "UNMILIONEDUECENTOTRENTAQUATTROMILACINQUECENTOSESSANTASETTE"},
            {99999999, "NOVANTANOVEMILIONINOVECENTONOVANTANOVEMILANOVECENTONOVANTANOVE"},
            {1000000000, "UNMILIARDO"},
            {2000000000001, "UNO"}, // past the fourth group nothing is spelled
            {1000000000000, ""},
            {-5, "- CINQUE"},
        };
        for (const auto& w : whole)
            QTest::newRow(qPrintable(QString::number(w.euros))) << w.euros * 10000 << QString(w.words);
        QTest::newRow("12,50") << qint64(125000) << "DODICI E CINQUANTA CENTESIMI";
        QTest::newRow("0,50") << qint64(5000) << "ZERO E CINQUANTA CENTESIMI";
        QTest::newRow("0,88") << qint64(8800) << "ZERO E OTTANTOTTO CENTESIMI";
        QTest::newRow("0,0001") << qint64(1) << "ZERO";
        QTest::newRow("half cent to even 0") << qint64(50) << "ZERO";
        QTest::newRow("1.5 cents to even 2") << qint64(150) << "ZERO E DUE CENTESIMI";
        QTest::newRow("-12,01") << qint64(-120100) << "- DODICI E UNO CENTESIMI";
    }
    void words() {
        QFETCH(qint64, value);
        QFETCH(QString, words);
        QCOMPARE(ImportoInLettere(value), words);
    }

    void group_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("words");
        QTest::newRow("0") << 0 << "";
        QTest::newRow("7") << 7 << "sette";
        QTest::newRow("10") << 10 << "dieci";
        QTest::newRow("19") << 19 << "diciannove";
        QTest::newRow("20") << 20 << "venti";
        QTest::newRow("83") << 83 << "ottantatre";
        QTest::newRow("91") << 91 << "novantuno";
        QTest::newRow("108") << 108 << "centootto";
        QTest::newRow("300") << 300 << "trecento";
        QTest::newRow("711") << 711 << "settecentoundici";
    }
    void group() {
        QFETCH(int, n);
        QFETCH(QString, words);
        QCOMPARE(GruppoInLettere(n), words);
    }

    void mostNegativeValueDoesNotOverflow() {
        QVERIFY(ImportoInLettere(std::numeric_limits<qint64>::min()).startsWith("- "));
    }
};

QTEST_APPLESS_MAIN(TstImportoInLettere)
#include "tst_importoinlettere.moc"
