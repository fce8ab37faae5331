#include "queries/RadixOrder.h"
#include "archive/Text.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>
#include <numeric>

namespace {

using Lines = QList<QByteArray>; // Windows-1252

// The owner of the lines, as a result list holds them.
struct Owner : RadixOrder::Lines {
    ::Lines lines;
    QByteArrayView line(qsizetype i) const override { return lines.at(i); }
};

int compare(const QByteArray& a, const QByteArray& b) { return text::compareAZ(text::fromCp1252(a), text::fromCp1252(b)); }

} // namespace

class TstRadixOrder : public QObject {
    Q_OBJECT

private slots:
    // The order is the text's: whole line ascending, only A-Z folded, every other character by its
    // code, a line before the longer lines it begins, and equal lines in the order they came. The
    // stretches of equal lines are said, and nothing else is.
    void orderOfTheText_data() {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<int>("sortedAfter"); // lines added before a first sort (-1: no first sort)
        QTest::newRow("no line") << Lines{} << -1;
        QTest::newRow("one line") << Lines{"ROSSI"} << -1;
        QTest::newRow("all alike") << Lines{"CCP 1", "ccp 1", "CCP 1"} << -1;
        QTest::newRow("each the beginning of the next") << Lines{"abc", "", "ab", "a", "abcd", ""} << -1;
        QTest::newRow("a byte 0 is not the end") << Lines{QByteArray("a\0", 2), "a", QByteArray("a\0b", 3)} << -1;
        QTest::newRow("letters, signs and accents")
            << Lines{"b", "_x", "A", "\xc9", "a", "\x80", "\xe8", "B", "e", "~"} << -1;
        const QByteArray lungo = "CCP 12345678      Scad. 01/02/2024  \x80 ";
        QTest::newRow("alike far past the keys")
            << Lines{lungo + "15,00 ROSSI", lungo + "15,00 rossi", lungo + "15,00 ROSSA", lungo + "15,0", lungo,
                     lungo + "15,00 ROSSI "}
            << -1;
        QTest::newRow("more added after a sort, sharing less") << Lines{"CCP 2 b", "CCP 2 a", "CCP 2 a", "CCP 1", "X", "CCP 2 a"}
                                                               << 3;
        QTest::newRow("more added after a sort of none") << Lines{"b", "a"} << 0;
    }
    void orderOfTheText() {
        QFETCH(Lines, lines);
        QFETCH(int, sortedAfter);
        check(lines, sortedAfter);
    }

    // Many lines from a few characters, with one beginning in common: they often differ late, tie
    // for several keys, or differ only in the case of A-Z.
    void manyLines() {
        QRandomGenerator rng(11);
        const QByteArray alphabet = "aAbBzZ _09\x80\xe8\xc8\x9c\xff\xa0~\x81\x01";
        Lines lines;
        for (int i = 0; i < 3000; ++i) {
            QByteArray t = "CCP 12345678 ";
            if (i % 3 == 0 && !lines.isEmpty()) t = lines[rng.bounded(int(lines.size()))].left(13 + rng.bounded(40));
            for (int k = rng.bounded(40); k > 0; --k) t += alphabet[rng.bounded(int(alphabet.size()))];
            lines << t;
        }
        check(lines, -1);
        check(lines, 1500);
    }

private:
    static void check(const Lines& lines, int sortedAfter) {
        Owner owner;
        RadixOrder order;
        auto add = [&](qsizetype i) {
            owner.lines << lines[i];
            order.add(owner);
        };
        qsizetype i = 0;
        if (sortedAfter >= 0) {
            for (; i < sortedAfter; ++i) add(i);
            // The owner puts its lines in that order, as a list does.
            const RadixOrder::Order first = order.sort(owner);
            ::Lines sorted;
            for (qint32 k : first.lines) sorted << owner.lines[k];
            owner.lines = sorted;
        }
        for (; i < lines.size(); ++i) add(i);
        QCOMPARE(order.count(), lines.size());
        const RadixOrder::Order result = order.sort(owner);

        Lines expected = lines;
        std::stable_sort(expected.begin(), expected.end(), [](const QByteArray& a, const QByteArray& b) { return compare(a, b) < 0; });
        QCOMPARE(result.lines.size(), size_t(lines.size()));
        Lines got;
        for (qint32 k : result.lines) got << owner.lines.at(k);
        QCOMPARE(got, expected);
        std::vector<qint32> each(result.lines);
        std::sort(each.begin(), each.end());
        QVERIFY(std::adjacent_find(each.begin(), each.end()) == each.end()); // every line once

        std::vector<std::pair<qsizetype, qsizetype>> equal;
        for (qsizetype a = 0; a < got.size();) {
            qsizetype b = a + 1;
            while (b < got.size() && compare(got[a], got[b]) == 0) ++b;
            if (b - a > 1) equal.emplace_back(a, b);
            a = b;
        }
        std::vector<std::pair<qsizetype, qsizetype>> said = result.equal;
        std::sort(said.begin(), said.end());
        QVERIFY(said == equal);
    }
};

QTEST_GUILESS_MAIN(TstRadixOrder)
#include "tst_radixorder.moc"
