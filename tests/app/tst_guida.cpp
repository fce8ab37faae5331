#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The user guide the build puts beside the program, read back with the PDF text tools.
namespace {

struct Run {
    int code;
    QString out, err;
};

Run run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000)) return {-1, {}, QStringLiteral("timed out")};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

const QString kGuida = QStringLiteral(VERSALIO_CARTELLA "/Guida.pdf");
const QString kSorgente = QStringLiteral(VERSALIO_GUIDA_HTML);

QString pagina(int n) {
    return run(QStringLiteral("pdftotext"), {"-layout", "-f", QString::number(n), "-l", QString::number(n), kGuida, "-"})
        .out;
}

} // namespace

class TstGuida : public QObject {
    Q_OBJECT
    int m_pagine = 0;

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("the PDF text tools (poppler-utils) are not installed");
        QVERIFY2(QFile::exists(kGuida), qPrintable(kGuida));
        const QString info = run(QStringLiteral("pdfinfo"), {kGuida}).out;
        m_pagine = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
        QVERIFY(m_pagine > 10);
        QVERIFY(info.contains(QStringLiteral("Versalio - Guida all'utilizzo del software")));
    }

    // Every chapter and section of the table of contents starts on the page it gives.
    void theTableOfContentsPointsAtItsHeadings() {
        const QString indice = pagina(2);
        QVERIFY(indice.contains(QStringLiteral("Indice")));
        static const QRegularExpression voce(QStringLiteral("^\\s*(\\d+\\.(?:\\d+)?\\.? .*?)\\s{2,}(\\d+)\\s*$"),
                                             QRegularExpression::MultilineOption);
        int voci = 0;
        for (auto it = voce.globalMatch(indice); it.hasNext();) {
            const auto m = it.next();
            const QString titolo = m.captured(1).simplified();
            const int n = m.captured(2).toInt();
            QVERIFY2(n > 2 && n <= m_pagine, qPrintable(titolo));
            QVERIFY2(pagina(n).simplified().contains(titolo), qPrintable(QStringLiteral("%1 not on page %2").arg(titolo).arg(n)));
            ++voci;
        }
        QVERIFY(voci >= 20);
    }

    // Every page but the cover carries its number.
    void pagesAreNumbered() {
        QVERIFY(!pagina(1).contains(QStringLiteral("Pagina")));
        for (int n = 2; n <= m_pagine; ++n)
            QVERIFY2(pagina(n).contains(QStringLiteral("Pagina %1 di %2").arg(n).arg(m_pagine)), qPrintable(QString::number(n)));
    }

    // Each screen the source names is pictured.
    void everyScreenIsPictured() {
        QFile sorgente(kSorgente);
        QVERIFY(sorgente.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(sorgente.readAll());
        QSet<QString> schermate;
        for (auto it = QRegularExpression(QStringLiteral("src=\"schermata:(\\w+)\"")).globalMatch(html); it.hasNext();)
            schermate.insert(it.next().captured(1));
        QVERIFY(schermate.size() >= 15);
        const QStringList immagini =
            run(QStringLiteral("pdfimages"), {"-list", kGuida}).out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        // Two heading lines, then one line per picture drawn (a picture with transparency counts twice).
        QVERIFY(immagini.size() - 2 >= schermate.size());
    }

    // A picture the program cannot take, or a PDF that cannot be written, stops the build and
    // leaves no guide behind.
    void theGeneratorFailsLoudly_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<bool>("scrivibile");
        QTest::newRow("unknown screen") << "<h1>Prova</h1><img src=\"schermata:inesistente\" width=\"100\">" << true;
        QTest::newRow("unknown picture") << "<h1>Prova</h1><img src=\"risorsa:inesistente\">" << true;
        QTest::newRow("unwritable PDF") << "<h1>Prova</h1><p>Testo.</p>" << false;
    }
    void theGeneratorFailsLoudly() {
        QFETCH(QString, html);
        QFETCH(bool, scrivibile);
        QTemporaryDir dir;
        const QString sorgente = dir.filePath(QStringLiteral("guida.html"));
        QFile f(sorgente);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(html.toUtf8());
        f.close();
        const QString pdf = scrivibile ? dir.filePath(QStringLiteral("Guida.pdf"))
                                       : dir.filePath(QStringLiteral("manca/Guida.pdf"));
        const Run r = run(QStringLiteral(VERSALIO_GENERA_GUIDA), {sorgente, pdf});
        QCOMPARE(r.code, 1);
        QVERIFY(!r.err.isEmpty());
        QVERIFY(!QFile::exists(pdf));
    }

    void theGeneratorWritesAGuideFromAnyText() {
        QTemporaryDir dir;
        const QString sorgente = dir.filePath(QStringLiteral("guida.html"));
        QFile f(sorgente);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<p>Copertina</p><!-- INDICE --><h1>Primo</h1><p>Uno.</p><h2>Parte</h2><h1>Secondo</h1>"
                "<p><img src=\"schermata:password\" width=\"200\"></p>");
        f.close();
        const QString pdf = dir.filePath(QStringLiteral("Guida.pdf"));
        const Run r = run(QStringLiteral(VERSALIO_GENERA_GUIDA), {sorgente, pdf});
        QCOMPARE(r.code, 0);
        const QString testo = run(QStringLiteral("pdftotext"), {"-layout", pdf, "-"}).out;
        QVERIFY(testo.contains(QStringLiteral("1. Primo")));
        QVERIFY(testo.contains(QStringLiteral("1.1 Parte")));
        QVERIFY(testo.contains(QStringLiteral("2. Secondo")));
    }
};

QTEST_GUILESS_MAIN(TstGuida)
#include "tst_guida.moc"
