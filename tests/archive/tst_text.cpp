#include "archive/Amounts.h"
#include "archive/Dates.h"
#include "archive/ShortString.h"
#include "archive/Text.h"

#include <QTest>

class TstText : public QObject {
    Q_OBJECT
private slots:
    void trimmed_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("blanks") << "  abc  " << "abc";
        QTest::newRow("controls") << QString("\x01\t\r\nabc\x1f") << "abc";
        QTest::newRow("nbsp stays") << QStringLiteral("\u00a0abc\u00a0") << QStringLiteral("\u00a0abc\u00a0");
        QTest::newRow("inner kept") << " a  b " << "a  b";
        QTest::newRow("all blank") << " \t " << "";
    }
    void trimmed() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(text::trimmed(in), out);
    }

    void upperOnlyAZ_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("ascii") << "via roma 1" << "VIA ROMA 1";
        QTest::newRow("accent stays") << QStringLiteral("perù città") << QStringLiteral("PERù CITTà");
        QTest::newRow("sharp s stays") << QStringLiteral("straße") << QStringLiteral("STRAßE");
    }
    void upperOnlyAZ() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(text::upperAZ(in), out);
    }

    void compareFoldsOnlyAZ() {
        QCOMPARE(text::compareAZ("abc", "ABC"), 0);
        QVERIFY(text::compareAZ(QStringLiteral("è"), QStringLiteral("È")) != 0);
        QVERIFY(text::compareAZ("a", "B") < 0);
        QVERIFY(text::compareAZ("ab", "a") > 0);
        QVERIFY(text::containsAZ("Mario ROSSI", "rossi"));
        QVERIFY(!text::containsAZ(QStringLiteral("CITTÀ"), QStringLiteral("città")));
    }

    // Every byte decodes and encodes back to itself, and the table matches the code page.
    void cp1252RoundTripsEveryByte() {
        QByteArray all;
        for (int b = 0; b < 256; ++b) all.append(char(b));
        const QString decoded = text::fromCp1252(all);
        QCOMPARE(decoded.size(), 256);
        QCOMPARE(decoded[0x80], QChar(0x20AC));
        QCOMPARE(decoded[0x9F], QChar(0x0178));
        QCOMPARE(decoded[0x8A], QChar(0x0160));
        QCOMPARE(decoded[0xEC], QChar(0x00EC));
        QCOMPARE(text::toCp1252(decoded), all);
    }

    void cp1252ReplacesWhatItCannotHold_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("euro") << QStringLiteral("5 €") << QByteArray("5 \x80");
        QTest::newRow("cyrillic") << QStringLiteral("Жa") << QByteArray("?a");
        QTest::newRow("emoji is one char") << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
        QTest::newRow("si") << QStringLiteral("Sì") << QByteArray("S\xEC");
    }
    void cp1252ReplacesWhatItCannotHold() {
        QFETCH(QString, in);
        QFETCH(QByteArray, out);
        QCOMPARE(text::toCp1252(in), out);
    }

    void shortStringStoresTrimmedAndCut() {
        ShortString<5> f;
        std::memset(&f, 0x55, sizeof f);
        f.set("  abcdefg ");
        QCOMPARE(int(f.len), 5);
        QCOMPARE(QByteArray(f.data, 5), QByteArray("abcde"));
        f.set("xy");
        QCOMPARE(int(f.len), 2);
        QCOMPARE(QByteArray(f.data, 5), QByteArray("xy\0\0\0", 5)); // tail zeroed
        QCOMPARE(f.get(), QString("xy"));
    }

    void shortStringDamagedLengthReadsWholeField() {
        ShortString<3> f;
        f.len = 200;
        std::memcpy(f.data, " ab", 3);
        QCOMPARE(f.get(), QString("ab"));
    }

    void dates_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QDate>("out");
        QTest::newRow("plain") << "05/03/2024" << QDate(2024, 3, 5);
        QTest::newRow("leap day") << "29/02/2024" << QDate(2024, 2, 29);
        QTest::newRow("no leap day") << "29/02/2023" << QDate();
        QTest::newRow("31 feb") << "31/02/2024" << QDate();
        QTest::newRow("month 13") << "01/13/2024" << QDate();
        QTest::newRow("single digits") << "5/3/2024" << QDate(2024, 3, 5);
        // The year is written whole, or the date is no date: 99 could be 1999 or 2099.
        QTest::newRow("two-digit year") << "05/03/24" << QDate();
        QTest::newRow("two-digit year 99") << "01/01/99" << QDate();
        QTest::newRow("dashes") << "05-03-2024" << QDate();
        QTest::newRow("letters") << "aa/03/2024" << QDate();
        QTest::newRow("empty") << "" << QDate();
        QTest::newRow("extra part") << "05/03/2024/1" << QDate();
        QTest::newRow("blanks around") << " 05/03/2024\t" << QDate(2024, 3, 5);
        QTest::newRow("blank inside") << "05/ 03/2024" << QDate();
        QTest::newRow("empty part") << "05//2024" << QDate();
        QTest::newRow("trailing slash") << "05/03/2024/" << QDate();
        QTest::newRow("one-digit year") << "1/1/0" << QDate();
        QTest::newRow("three-digit year") << "05/03/024" << QDate();
        QTest::newRow("four digits, a year long past") << "05/03/0024" << QDate(24, 3, 5);
        QTest::newRow("year 0000") << "01/01/0000" << QDate();
        QTest::newRow("five-digit year") << "01/01/20240" << QDate();
        QTest::newRow("day 0") << "00/01/2024" << QDate();
        QTest::newRow("1900 not leap") << "29/02/1900" << QDate();
        QTest::newRow("2000 leap") << "29/02/2000" << QDate(2000, 2, 29);
        QTest::newRow("Arabic digits") << QString::fromUtf8("\u0660\u0665/03/2024") << QDate();
    }
    void dates() {
        QFETCH(QString, in);
        QFETCH(QDate, out);
        const auto d = dates::parse(in);
        QCOMPARE(d.value_or(QDate()), out);
        if (out.isValid()) QCOMPARE(dates::format(*d), out.toString("dd/MM/yyyy"));
        // As a record stores it: the day as a number that orders days as the calendar does.
        const auto n = dates::parseDay(text::toCp1252(in));
        QCOMPARE(n.has_value(), out.isValid());
        if (n) QCOMPARE(*n, dates::dayNumber(out));
    }

    void dayNumbersOrder() {
        const QList<QDate> days = {QDate(1, 1, 1), QDate(999, 12, 31), QDate(2023, 12, 31), QDate(2024, 1, 1),
                                   QDate(2024, 2, 29), QDate(2024, 10, 1), QDate(9999, 12, 31)};
        QVERIFY(dates::dayNumber(QDate()) < dates::dayNumber(days.first()));
        for (qsizetype i = 1; i < days.size(); ++i) QVERIFY(dates::dayNumber(days[i - 1]) < dates::dayNumber(days[i]));
    }

    void amounts_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<qint64>("out");
        QTest::addColumn<bool>("ok");
        QTest::newRow("whole") << "1234" << qint64(12340000) << true;
        QTest::newRow("comma") << "12,50" << qint64(125000) << true;
        QTest::newRow("point") << "12.5" << qint64(125000) << true;
        QTest::newRow("negative") << "-5" << qint64(-50000) << true;
        QTest::newRow("four decimals") << "0,0001" << qint64(1) << true;
        QTest::newRow("five decimals") << "0,00001" << qint64(0) << false;
        QTest::newRow("thousands sep") << "1.234,50" << qint64(0) << false;
        QTest::newRow("letters") << "12a" << qint64(0) << false;
        QTest::newRow("empty") << "" << qint64(0) << false;
        QTest::newRow("lonely comma") << "12," << qint64(0) << false;
        QTest::newRow("blanks around") << " 7,25 " << qint64(72500) << true;
        QTest::newRow("blank after the sign") << "- 5" << qint64(0) << false;
        QTest::newRow("lonely sign") << "-" << qint64(0) << false;
        QTest::newRow("14 digits") << "12345678901234" << qint64(123456789012340000) << true;
        QTest::newRow("15 digits") << "123456789012345" << qint64(0) << false;
        QTest::newRow("two separators") << "1,2,3" << qint64(0) << false;
        QTest::newRow("comma first") << ",5" << qint64(0) << false;
        QTest::newRow("euro sign") << QString::fromUtf8("\u20ac5") << qint64(0) << false;
    }
    void amounts() {
        QFETCH(QString, in);
        QFETCH(qint64, out);
        QFETCH(bool, ok);
        const auto v = amounts::parse(in);
        QCOMPARE(v.has_value(), ok);
        if (ok) QCOMPARE(*v, out);
        const auto b = amounts::parse(QByteArrayView(text::toCp1252(in)));
        QCOMPARE(b.has_value(), ok);
        if (ok) QCOMPARE(*b, out);
    }

    // What a cents field keeps when it is left, and what a slip made from it stores.
    void cents_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("empty") << "" << "00";
        QTest::newRow("blanks") << "  " << "00";
        QTest::newRow("one digit is tens") << "5" << "50";
        QTest::newRow("zero") << "0" << "00";
        QTest::newRow("two digits") << "07" << "07";
        QTest::newRow("cut to two") << "123" << "12";
        QTest::newRow("digit and blank stay") << "5 " << "5 ";
    }
    void cents() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(amounts::cents(typed), kept);
    }
};

QTEST_APPLESS_MAIN(TstText)
#include "tst_text.moc"
