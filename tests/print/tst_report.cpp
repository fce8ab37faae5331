#include "print/Report.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime kNow(QDate(2024, 3, 15), QTime(10, 30, 0));
constexpr double kMemoLine = 12.822; // what the list screens reserve for each line of the memo

// The list printout of the result screens: a title band, one memo that may split, a footer.
Report listReport(int lineCount) {
    Report r(QStringLiteral("Riepilogo schede"));
    r.orientation = QPageLayout::Landscape;
    r.margins = QMarginsF(10, 10, 10, 10);

    Band& title = r.addBand(QStringLiteral("ReportTitle"), Band::Kind::Title, 30.24);
    TextObject& t = r.addText(QStringLiteral("txtTitolo"), QRectF(7.56, 3.78, 1031.81, 18.90), &title);
    t.fontFamily = QStringLiteral("Verdana");
    t.fontSize = 9;
    t.bold = true;
    t.color = Qt::white;
    t.fill = QColor(0x70, 0x80, 0x90);
    t.alignment = Qt::AlignCenter;
    t.setText(QStringLiteral("Riepilogo versamenti"));

    Band& data = r.addBand(QStringLiteral("MasterData"), Band::Kind::Data, 105.83);
    data.canSplit = true;
    TextObject& memo = r.addText(QStringLiteral("txtRiepilogo"), QRectF(11.34, 0, 1031.81, 102.05), &data);
    memo.fontFamily = QStringLiteral("Courier New");
    memo.fontSize = 8;
    memo.clearLines();
    for (int i = 1; i <= lineCount; ++i) memo.addLine(QStringLiteral("Riga %1").arg(i, 3, 10, QLatin1Char('0')));
    memo.setHeight(lineCount * kMemoLine);
    data.setHeight(memo.rect.height() + 10);

    Band& footer = r.addBand(QStringLiteral("Footer"), Band::Kind::Footer, 30.24);
    TextObject& f = r.addText(QStringLiteral("txtPagina"), QRectF(11.34, 7.56, 1028.03, 18.90), &footer);
    f.expressions = true;
    f.alignment = Qt::AlignCenter;
    f.setText(QStringLiteral("Stampa eseguita in data [DATE] alle ore [TIME]"));
    return r;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int pdfPages(const QByteArray& pdf) { return int(pdf.count("/Type /Page\n")); }

const double kMm = report::kUnitsPerMm;

} // namespace

class TstReport : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    // The memo runs below the title, breaks between lines where a page is full, goes on at the top
    // of the next page, and the footer follows its last line; no line is lost or printed twice.
    void listSplitsAcrossPages_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pages");
        QTest::newRow("empty list: title and footer") << 0 << 1;
        QTest::newRow("one line") << 1 << 1;
        QTest::newRow("100 lines") << 100 << 2;
        QTest::newRow("second page full: footer on a third") << 109 << 3;
        QTest::newRow("300 lines") << 300 << 6;
    }
    void listSplitsAcrossPages() {
        QFETCH(int, lines);
        QFETCH(int, pages);
        Report r = listReport(lines);
        r.prepare(kNow);
        const PreparedReport& p = r.prepared();
        QCOMPARE(p.pages.size(), pages);

        const double top = 10 * kMm, bottom = 200 * kMm, pitch = r.text("txtRiepilogo").linePitch();
        // The title once, at the top of the first page.
        const PreparedItem* title = p.pages[0].find("txtTitolo");
        QVERIFY(title);
        QVERIFY(qAbs(title->rect.top() - (top + 3.78)) < 0.01);
        for (int i = 1; i < p.pages.size(); ++i) QVERIFY(!p.pages[i].find("txtTitolo"));

        QStringList printed;
        double lastBottom = top + 30.24;
        int lastPage = 0;
        for (int i = 0; i < p.pages.size(); ++i) {
            const PreparedItem* memo = p.pages[i].find("txtRiepilogo");
            if (!memo || memo->lines.isEmpty()) continue;
            // Page one starts right under the title, the others at the top of the page.
            QVERIFY(qAbs(memo->linesTop - (i == 0 ? top + 30.24 : top)) < 0.01);
            const double end = memo->linesTop + memo->lines.size() * pitch;
            QVERIFY2(end <= bottom + 0.01, qPrintable(QStringLiteral("page %1 ends at %2").arg(i + 1).arg(end)));
            // A page breaks only when the next line would not fit.
            if (printed.size() + memo->lines.size() < lines) QVERIFY(end + pitch > bottom);
            printed += memo->lines;
            lastBottom = end;
            lastPage = i;
        }
        QStringList expected;
        for (int i = 1; i <= lines; ++i) expected << QStringLiteral("Riga %1").arg(i, 3, 10, QLatin1Char('0'));
        QCOMPARE(printed, expected);

        // The footer once, on the last page, after the last line and inside the page.
        for (int i = 0; i + 1 < p.pages.size(); ++i) QVERIFY(!p.pages[i].find("txtPagina"));
        const PreparedItem* footer = p.pages.last().find("txtPagina");
        QVERIFY(footer);
        QCOMPARE(footer->lines, QStringList{"Stampa eseguita in data 15/03/2024 alle ore 10:30:00"});
        if (lastPage == p.pages.size() - 1) QVERIFY(footer->rect.top() >= lastBottom - 0.01);
        else QVERIFY(qAbs(footer->rect.top() - (top + 7.56)) < 0.01); // no room left: at the top of a new page
        QVERIFY(footer->rect.bottom() <= bottom + 0.01);
    }

    // Each preparation takes the texts and the moment as they are then; earlier results are kept by
    // whoever copied them, not changed.
    void prepareTakesTextsAndMomentOfTheCall() {
        Report r(QStringLiteral("prova"));
        TextObject& plain = r.addText(QStringLiteral("txtFisso"), QRectF(0, 0, 300, 20));
        plain.setText(QStringLiteral("[DATE] resta [TIME]"));
        TextObject& live = r.addText(QStringLiteral("txtCalce"), QRectF(0, 30, 300, 20));
        live.expressions = true;
        live.setText(QStringLiteral("Data [DATE] ora [TIME]\n[DATE]"));
        r.prepare(kNow);
        const PreparedReport first = r.prepared();
        QCOMPARE(first.pages[0].find("txtFisso")->lines, QStringList{"[DATE] resta [TIME]"});
        QCOMPARE(first.pages[0].find("txtCalce")->lines, (QStringList{"Data 15/03/2024 ora 10:30:00", "15/03/2024"}));
        QCOMPARE(live.text(), QStringLiteral("Data [DATE] ora [TIME]\n[DATE]"));

        live.setText(QStringLiteral("Alle [TIME]"));
        r.prepare(QDateTime(QDate(2025, 1, 2), QTime(8, 5, 9)));
        QCOMPARE(r.prepared().pages[0].find("txtCalce")->lines, QStringList{"Alle 08:05:09"});
        QCOMPARE(first.pages[0].find("txtCalce")->lines.first(), QStringLiteral("Data 15/03/2024 ora 10:30:00"));
    }

    void textLines() {
        Report r(QStringLiteral("prova"));
        TextObject& t = r.addText(QStringLiteral("txtRighe"), QRectF(0, 0, 300, 60));
        t.setText(QStringLiteral("uno\r\ndue\ntre\rquattro"));
        QCOMPARE(t.lines(), (QStringList{"uno", "due", "tre", "quattro"}));
        t.clearLines();
        t.addLine(QStringLiteral("a"));
        t.addLine(QString());
        t.addLine(QStringLiteral("c"));
        QCOMPARE(t.text(), QStringLiteral("a\n\nc"));
        t.setText(QString());
        QVERIFY(t.lines().isEmpty());
    }

    void namesAreFoundOrRefused() {
        Report r(QStringLiteral("prova"));
        Band& band = r.addBand(QStringLiteral("MasterData"), Band::Kind::Data, 50);
        r.addText(QStringLiteral("txtA"), QRectF(0, 0, 10, 10));
        r.addText(QStringLiteral("txtB"), QRectF(0, 0, 10, 10), &band);
        r.addPicture(QStringLiteral("imgLogo"), QRectF(0, 0, 10, 10));
        QCOMPARE(&r.text("txtB"), r.find("txtB"));
        QCOMPARE(&r.band("MasterData"), &band);
        QVERIFY(!r.find("txtC"));
        QVERIFY_THROWS_EXCEPTION(ReportError, r.text("txtC"));
        QVERIFY_THROWS_EXCEPTION(ReportError, r.text("imgLogo"));
        QVERIFY_THROWS_EXCEPTION(ReportError, r.band("Footer"));
        QVERIFY_THROWS_EXCEPTION(ReportError, r.addText(QStringLiteral("txtA"), QRectF()));
        QVERIFY_THROWS_EXCEPTION(ReportError, r.addBand(QStringLiteral("MasterData"), Band::Kind::Data, 1));
    }

    // Margins move every object by the same amount, negative ones up and to the left.
    void marginsMoveEveryObject_data() {
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("left");
        QTest::newRow("none") << 0.0 << 0.0;
        QTest::newRow("down and left") << 3.0 << -2.0;
        QTest::newRow("up and right") << -4.5 << 7.0;
    }
    void marginsMoveEveryObject() {
        QFETCH(double, top);
        QFETCH(double, left);
        Report r(QStringLiteral("prova"));
        r.addText(QStringLiteral("txtA"), QRectF(10 * kMm, 20 * kMm, 30, 12)).setText(QStringLiteral("A"));
        r.addLine(QStringLiteral("linA"), QRectF(5 * kMm, 50 * kMm, 100, 0));
        r.setTopMargin(top);
        r.setLeftMargin(left);
        r.prepare(kNow);
        const PreparedPage& page = r.prepared().pages[0];
        QCOMPARE(page.find("txtA")->rect.topLeft() / kMm, QPointF(10 + left, 20 + top));
        QCOMPARE(page.find("linA")->rect.topLeft() / kMm, QPointF(5 + left, 50 + top));
        const QString pdf = m_dir.filePath(QStringLiteral("margini.pdf"));
        QVERIFY(exportPdf(r.prepared(), pdf, {}));
    }

    void wordWrapKeepsLinesInsideTheObject() {
        Report r(QStringLiteral("prova"));
        const QString sentence = QStringLiteral("Il versamento deve essere eseguito entro la data di scadenza indicata "
                                                "nella causale, presso qualunque ufficio postale del territorio");
        TextObject& wrapped = r.addText(QStringLiteral("txtA"), QRectF(0, 0, 50 * kMm, 100));
        wrapped.wordWrap = true;
        wrapped.setText(sentence);
        TextObject& single = r.addText(QStringLiteral("txtB"), QRectF(0, 200, 50 * kMm, 20));
        single.setText(sentence);
        r.prepare(kNow);
        const QStringList lines = r.prepared().pages[0].find("txtA")->lines;
        QVERIFY(lines.size() > 2);
        QImage metrics(1, 1, QImage::Format_ARGB32);
        metrics.setDotsPerMeterX(qRound(96 / 0.0254));
        metrics.setDotsPerMeterY(qRound(96 / 0.0254));
        const QFontMetricsF fm(wrapped.font(), &metrics);
        for (const QString& line : lines) QVERIFY2(fm.horizontalAdvance(line) <= 50 * kMm, qPrintable(line));
        QCOMPARE(lines.join(' '), sentence);
        QCOMPARE(r.prepared().pages[0].find("txtB")->lines, QStringList{sentence});
    }

    void pictureKeepsItsProportions() {
        PictureObject pic(QStringLiteral("imgA"), QRectF());
        QImage image(200, 100, QImage::Format_RGB32);
        pic.setImage(image);
        QCOMPARE(pic.placedIn(QRectF(0, 0, 100, 100)), QRectF(0, 25, 100, 50));
        pic.centred = false;
        QCOMPARE(pic.placedIn(QRectF(0, 0, 100, 100)), QRectF(0, 0, 100, 50));
        pic.keepAspect = false;
        QCOMPARE(pic.placedIn(QRectF(0, 0, 100, 100)), QRectF(0, 0, 100, 100));
    }

    void pdfHoldsPagesAndProperties() {
        Report r = listReport(100);
        r.prepare(kNow);
        const QString path = m_dir.filePath(QStringLiteral("lista.pdf"));
        QFile::remove(path);
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("a file written earlier, to be replaced");
        }
        QString error;
        QVERIFY(exportPdf(r.prepared(), path,
                          {QStringLiteral("Scheda informativa"), QStringLiteral("Oggetto & altro"),
                           QStringLiteral("Autore"), QStringLiteral("Creatore")},
                          &error));
        const QByteArray pdf = readAll(path);
        QVERIFY(pdf.startsWith("%PDF-"));
        QCOMPARE(pdfPages(pdf), 2);
        QVERIFY(pdf.contains("<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">Scheda informativa</rdf:li>"));
        QVERIFY(pdf.contains("<rdf:li xml:lang=\"x-default\">Oggetto &amp; altro</rdf:li>"));
        QVERIFY(pdf.contains("<dc:creator><rdf:Seq><rdf:li>Autore</rdf:li>"));
        QVERIFY(pdf.contains("<xmp:CreatorTool>Creatore</xmp:CreatorTool>"));
    }

    void pdfFromSeveralReports() {
        Report a = listReport(1), b = listReport(100);
        a.prepare(kNow);
        b.prepare(kNow);
        const QString path = m_dir.filePath(QStringLiteral("insieme.pdf"));
        PdfExport pdf(path, {});
        QVERIFY(pdf.add(a.prepared()));
        QVERIFY(pdf.add(b.prepared()));
        QVERIFY(!QFile::exists(path)); // nothing shows before the file is complete
        QVERIFY(pdf.finish());
        QCOMPARE(pdf.pageCount(), 3);
        QCOMPARE(pdfPages(readAll(path)), 3);
    }

    // A PDF that cannot be written is a failure, and leaves nothing behind.
    void pdfFailures_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("a folder") << QStringLiteral("cartella");
        QTest::newRow("a missing folder") << QStringLiteral("manca/uscita.pdf");
        QTest::newRow("under a file") << QStringLiteral("file.txt/uscita.pdf");
    }
    void pdfFailures() {
        QFETCH(QString, path);
        QDir(m_dir.path()).mkpath(QStringLiteral("cartella"));
        {
            QFile f(m_dir.filePath(QStringLiteral("file.txt")));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        Report r = listReport(3);
        r.prepare(kNow);
        const QString full = m_dir.filePath(path);
        QString error;
        QVERIFY(!exportPdf(r.prepared(), full, {}, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFileInfo(full).isFile());
        QVERIFY(QFileInfo(m_dir.filePath(QStringLiteral("cartella"))).isDir());
    }

    // An export that may replace only a PDF looks again just before the finished file takes the
    // name: a file that appeared there meanwhile is left alone, and so is the folder.
    void pdfReplacesOnlyAnEarlierPdf() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("solo.pdf"));
        Report r = listReport(3);
        r.prepare(kNow);
        {
            PdfExport pdf(path, {}, PdfExport::Replace::OnlyPdf);
            QVERIFY(pdf.add(r.prepared()));
            QFile meanwhile(path);
            QVERIFY(meanwhile.open(QIODevice::WriteOnly));
            meanwhile.write("appunti");
            meanwhile.close();
            QVERIFY(!pdf.finish());
            QVERIFY2(pdf.errorString().contains(QStringLiteral("not a PDF")), qPrintable(pdf.errorString()));
        }
        QCOMPARE(readAll(path), QByteArray("appunti"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("solo.pdf")});

        QVERIFY(QFile::remove(path));
        PdfExport first(path, {}, PdfExport::Replace::OnlyPdf);
        QVERIFY(first.add(r.prepared()) && first.finish());
        PdfExport second(path, {}, PdfExport::Replace::OnlyPdf);
        QVERIFY(second.add(r.prepared()) && second.add(r.prepared()) && second.finish());
        QCOMPARE(pdfPages(readAll(path)), 2); // the second replaced the first
    }

    void abandonedPdfLeavesNothing() {
        const QString path = m_dir.filePath(QStringLiteral("abbandonato.pdf"));
        Report r = listReport(3);
        r.prepare(kNow);
        {
            PdfExport pdf(path, {});
            QVERIFY(pdf.add(r.prepared()));
        }
        QVERIFY(!QFile::exists(path));
        PdfExport empty(path, {});
        QVERIFY(!empty.finish());
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(TstReport)
#include "tst_report.moc"
