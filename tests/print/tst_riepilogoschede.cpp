#include "print/RiepilogoSchede.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime kNow(QDate(2024, 3, 15), QTime(10, 30, 5));
const double kMm = report::kUnitsPerMm;

QStringList numbered(int n, const QString& prefix = QStringLiteral("Riga")) {
    QStringList out;
    for (int i = 1; i <= n; ++i) out << QStringLiteral("%1 %2").arg(prefix).arg(i, 3, 10, QLatin1Char('0'));
    return out;
}

// Every memo line of the prepared pages, in page order.
QStringList printedLines(const PreparedReport& p) {
    QStringList out;
    for (const PreparedPage& page : p.pages)
        if (const PreparedItem* memo = page.find("txtRiepilogo")) out += memo->lines;
    return out;
}

} // namespace

class TstRiepilogoSchede : public QObject {
    Q_OBJECT

private slots:
    void pageAndBands() {
        Report r = riepilogoSchede::layout();
        QCOMPARE(r.name(), QString("Riepilogo schede"));
        QCOMPARE(r.paperSizeMm().toSize(), QSize(297, 210));
        QCOMPARE(r.margins, QMarginsF(10, 10, 10, 10));
        const TextObject& title = r.text("txtTitolo");
        QCOMPARE(title.text(), QString("Riepilogo"));
        QCOMPARE(title.fontFamily, QString("Verdana"));
        QVERIFY(title.bold);
        const TextObject& memo = r.text("txtRiepilogo");
        QCOMPARE(memo.fontFamily, QString("Courier New"));
        QCOMPARE(memo.fontSize, 8.0);
        QVERIFY(!memo.wordWrap);
        QVERIFY(r.band("MasterData").canSplit);
        QVERIFY(r.text("txtPagina").expressions);
    }

    // A list of 100 lines is a memo 1282.2 units high that splits over two pages below the title;
    // the extra lines follow the list, and the footer follows the last line with the moment.
    void hundredLinesSplitBelowTheTitle() {
        Report r = riepilogoSchede::layout();
        riepilogoSchede::riempi(r, "Riepilogo versamenti", numbered(100), {"", "Totale"});
        QCOMPARE(r.text("txtRiepilogo").rect.height(), 102 * 12.822);
        QCOMPARE(r.band("MasterData").height, 102 * 12.822 + 10);
        r.prepare(kNow);
        const PreparedReport& p = r.prepared();
        QCOMPARE(p.layout.orientation(), QPageLayout::Landscape);
        QCOMPARE(p.pages.size(), 2);
        QCOMPARE(p.pages[0].find("txtTitolo")->lines, QStringList{"Riepilogo versamenti"});
        QVERIFY(!p.pages[1].find("txtTitolo"));
        QCOMPARE(printedLines(p), numbered(100) + QStringList({"", "Totale"}));
        const PreparedItem* first = p.pages[0].find("txtRiepilogo");
        QVERIFY(qAbs(first->linesTop - (10 * kMm + 30.24)) < 0.01);
        // Lines stand 3.39 mm apart and stay above the bottom margin.
        QVERIFY(first->linesTop + first->lines.size() * 12.822 <= 200 * kMm + 0.01);
        const PreparedItem* footer = p.pages[1].find("txtPagina");
        QVERIFY(footer);
        QCOMPARE(footer->lines, QStringList{"Stampa eseguita in data 15/03/2024 alle ore 10:30:05"});
        const PreparedItem* last = p.pages[1].find("txtRiepilogo");
        QVERIFY(footer->rect.top() >= last->linesTop + last->lines.size() * 12.822);
    }

    // An empty list prints the title and the footer with nothing between them; filling again
    // replaces what an earlier print put in.
    void emptyListTitleAndFooterOnly() {
        Report r = riepilogoSchede::layout();
        riepilogoSchede::riempi(r, "Prima", numbered(300));
        riepilogoSchede::riempi(r, "Riepilogo bollettini non saldati", {});
        QCOMPARE(r.band("MasterData").height, 10.0);
        r.prepare(kNow);
        const PreparedReport& p = r.prepared();
        QCOMPARE(p.pages.size(), 1);
        QVERIFY(printedLines(p).isEmpty());
        QCOMPARE(p.pages[0].find("txtTitolo")->lines, QStringList{"Riepilogo bollettini non saldati"});
        QVERIFY(qAbs(p.pages[0].find("txtPagina")->rect.top() - (10 * kMm + 30.24 + 10 + 7.56)) < 0.01);
    }

    void longListPagesCount() {
        Report r = riepilogoSchede::layout();
        riepilogoSchede::riempi(r, "Riepilogo", numbered(10000, "X"));
        r.prepare(kNow);
        // 190 mm of printable height holds 56 lines a page (53 under the title on the first).
        QCOMPARE(r.prepared().pages.size(), 1 + (10000 - 53 + 55) / 56);
        QCOMPARE(printedLines(r.prepared()).size(), 10000);
    }
};

QTEST_MAIN(TstRiepilogoSchede)
#include "tst_riepilogoschede.moc"
