#include "RegistryTest.h"

#include "ui/Clock.h"
#include "ui/MessageService.h"
#include "ui/ProgramFolder.h"
#include "ui/Shell.h"
#include "ui/ReportOutput.h"
#include "print/SchedaInformativa.h"
#include "registry/TfrmEsecutori.h"
#include "common/RecordingMessages.h"
#include "common/RecordingShell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>

using M = MessageService;

namespace {
const QString kDone = QString::fromUtf8("L'esportazione della scheda in PDF è terminata con successo.\r\n\r\n"
                                        "Si vuole aprire il file?");

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(20000)) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of a prepared item, or a null string when the page has none of that name.
QString itemText(const PreparedPage& page, const QString& name) {
    const PreparedItem* item = page.find(name);
    return item ? item->lines.join(QLatin1Char('\n')) : QString();
}
} // namespace

class TstSchedaInformativa : public QObject {
    Q_OBJECT
    TemporaryProgramFolder m_dir;
    FixedClock m_clock{QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3))};
    TfrmEsecutori* w = nullptr;
    RecordingMessages* msgs = nullptr;
    RecordingShell shell;

    QString pdf() const { return m_dir.filePath("Esecutore.pdf"); }
    void fillCard() {
        w->txtEsecutore->setText("ROSSI MARIO   ");
        w->txtGG->setText("10");
        w->txtMM->setText("12");
        w->txtAA->setText("85");
        w->txtComuneNasc->setText("Roma");
        w->txtProvNasc->setEditText("RM");
        w->txtCapRes->setText("00100");
        w->txtCarta->setText("4111111111111111");
        w->txtScadeCarta->setText("12/27");
        w->txtCausale01->setText("Quota annuale");
        w->txtCausale02->setText("NON STAMPATA");
        w->txtNote->setText(QString::fromUtf8("Perché sì"));
    }

private slots:
    void init() {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        m_dir.pointAt(QString());
        msgs = new RecordingMessages;
        shell.opened.clear();
        w = new TfrmEsecutori;
        w->mostra();
    }
    void cleanup() {
        delete w;
        delete msgs;
    }

    // The rows joined from the fields, with the blanks and separators of an empty card.
    void rows_data() {
        QTest::addColumn<QStringList>("fields"); // name=value pairs
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("value");
        QTest::newRow("name trimmed") << QStringList{"Esecutore=  ROSSI  "} << 1 << "Cognome e nome:" << "ROSSI";
        QTest::newRow("birth date") << QStringList{"GG=1", "MM=02", "AA=85"} << 2 << "Data di nascita:" << "1/02/85";
        QTest::newRow("no birth date") << QStringList{} << 2 << "Data di nascita:" << "//";
        QTest::newRow("birth place") << QStringList{"ComuneNasc=Roma", "ProvNasc=RM"} << 3 << "Comune di nascita:"
                                     << "Roma RM";
        QTest::newRow("no birth place") << QStringList{} << 3 << "Comune di nascita:" << " ";
        QTest::newRow("no residence") << QStringList{"CapRes=00100"} << 7 << "Comune di residenza:" << " ";
        QTest::newRow("card") << QStringList{"Carta=4111", "ScadeCarta=12/27"} << 16 << "Carta di credito:"
                              << "N. 4111  -  Scadenza: 12/27";
        QTest::newRow("no card") << QStringList{} << 16 << "Carta di credito:" << "N.   -  Scadenza: ";
        QTest::newRow("no document dates") << QStringList{} << 21 << "Data di rilascio:" << "  -  Scadenza: ";
        QTest::newRow("account") << QStringList{"CCP=123"} << 22 << "C/C Postale n." << "123";
        QTest::newRow("first reason line only") << QStringList{"Causale01=A", "Causale02=B"} << 23 << "Causale:"
                                                << "A";
        QTest::newRow("notes") << QStringList{"Note= x "} << 24 << "Note:" << "x";
    }
    void rows() {
        QFETCH(QStringList, fields);
        QFETCH(int, row);
        QFETCH(QString, title);
        QFETCH(QString, value);
        QHash<QString, QString> campi;
        for (const QString& f : fields) campi.insert(f.section('=', 0, 0), f.section('=', 1));
        const auto r = schedaInformativa::righe(campi);
        QCOMPARE(r.size(), 24);
        QCOMPARE(r[row - 1].first, title);
        QCOMPARE(r[row - 1].second, value);
    }

    // Print and preview hand over one prepared A4 page: title, 24 rows from the screen, the footer.
    void printAndPreview_data() {
        QTest::addColumn<bool>("preview");
        QTest::newRow("print") << false;
        QTest::newRow("preview") << true;
    }
    // A layout fault while filling the card is a message where the command was clicked.
    void layoutFaultIsAMessage() {
        RecordingReportOutput output;
        w->repScheda = Report(QStringLiteral("repScheda"));
        for (QToolButton* b : {w->cmdStampa, w->cmdAnteprima, w->cmdPDF}) QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(msgs->shown.size(), 3);
        for (const auto& m : msgs->shown) {
            QCOMPARE(m.kind, M::Error);
            QCOMPARE(m.text, QString::fromUtf8("Attenzione: non è stato possibile preparare la stampa."));
        }
        QVERIFY(output.calls.isEmpty());
        QVERIFY(!QFile::exists(pdf()));
    }

    void printAndPreview() {
        QFETCH(bool, preview);
        RecordingReportOutput output;
        fillCard();
        QTest::mouseClick(preview ? w->cmdAnteprima : w->cmdStampa, Qt::LeftButton);
        QCOMPARE(output.calls.size(), 1);
        QCOMPARE(output.calls[0].kind, preview ? RecordingReportOutput::Preview : RecordingReportOutput::Print);
        const PreparedReport& rep = output.calls[0].report;
        QCOMPARE(rep.pages.size(), 1);
        QCOMPARE(rep.layout.pageSize().id(), QPageSize::A4);
        QCOMPARE(rep.layout.orientation(), QPageLayout::Portrait);
        const PreparedPage& page = rep.pages[0];
        QCOMPARE(itemText(page, "txtTitolo"), QStringLiteral("SCHEDA ANAGRAFICA"));
        for (int i = 1; i <= 24; ++i) {
            const QString n = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
            QVERIFY2(!itemText(page, "titCampo" + n).isEmpty(), qPrintable(n));
            QVERIFY2(page.find("txtCampo" + n), qPrintable(n));
        }
        QCOMPARE(itemText(page, "txtCampo01"), QStringLiteral("ROSSI MARIO"));
        QCOMPARE(itemText(page, "txtCampo02"), QStringLiteral("10/12/85"));
        QCOMPARE(itemText(page, "txtCampo03"), QStringLiteral("Roma RM"));
        QCOMPARE(itemText(page, "txtCampo24"), QString::fromUtf8("Perché sì"));
        QCOMPARE(itemText(page, "txtCalce"), QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 09:07:03"));
        // Row 1 sits 24 mm below the top margin of 10 mm, 3 mm inside the left one.
        QCOMPARE(qRound(page.find("titCampo01")->rect.top() * 25.4 / 96), 34);
        QCOMPARE(qRound(page.find("titCampo24")->rect.top() * 25.4 / 96), 264);
        QCOMPARE(qRound(page.find("txtCampo01")->rect.left() * 25.4 / 96), 70);
        QVERIFY(msgs->shown.isEmpty());
        QVERIFY(!QFile::exists(m_dir.filePath("Esecutori.pro"))); // no archive is touched
    }

    void pdfExport() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
        fillCard();
        msgs->answers << true;
        QTest::mouseClick(w->cmdPDF, Qt::LeftButton);
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Question);
        QCOMPARE(msgs->shown[0].text, kDone);
        QCOMPARE(shell.opened, QList<QUrl>{QUrl::fromLocalFile(pdf())});
        const QString text = run("pdftotext", {"-layout", pdf(), "-"});
        QVERIFY(text.contains("SCHEDA ANAGRAFICA"));
        QVERIFY(text.contains(QRegularExpression("Cognome e nome:\\s+ROSSI MARIO")));
        QVERIFY(text.contains(QRegularExpression("Carta di credito:\\s+N\\. 4111111111111111\\s+-\\s+Scadenza: 12/27")));
        QVERIFY(text.contains(QString::fromUtf8("Perché sì")));
        QVERIFY(text.contains("Stampa eseguita in data 05/03/2024 alle ore 09:07:03"));
        QVERIFY(!text.contains("NON STAMPATA"));
        QVERIFY(!text.contains("00100"));
        const QString info = run("pdfinfo", {"-meta", pdf()}) + run("pdfinfo", {pdf()});
        QVERIFY(info.contains(QRegularExpression("Title:\\s+Scheda informativa")));
        QVERIFY(info.contains(QRegularExpression("Pages:\\s+1")));
        QVERIFY(info.contains("Nivasco Software"));
        QVERIFY(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12]")));
    }

    // A second export replaces the first; No opens nothing and leaves the file.
    void secondExportReplacesAndNoOpensNothing() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
        w->txtEsecutore->setText("PRIMA");
        msgs->answers << false << false;
        w->cmdPDFClick();
        w->txtEsecutore->setText("SECONDA");
        w->cmdPDFClick();
        QVERIFY(shell.opened.isEmpty());
        QCOMPARE(msgs->shown.size(), 2);
        const QString text = run("pdftotext", {pdf(), "-"});
        QVERIFY(text.contains("SECONDA"));
        QVERIFY(!text.contains("PRIMA"));
        QCOMPARE(QDir(m_dir.path()).entryList({"*.pdf*"}, QDir::Files | QDir::Hidden), QStringList{"Esecutore.pdf"});
    }

    // A PDF that cannot be written is a failure, never followed by the success question.
    void unwritablePdf_data() {
        QTest::addColumn<QString>("setup");
        QTest::newRow("a folder in place of the file") << "folder";
        QTest::newRow("program folder gone") << "gone";
    }
    void unwritablePdf() {
        QFETCH(QString, setup);
        if (setup == QLatin1String("folder")) QVERIFY(QDir().mkpath(pdf()));
        else m_dir.pointAt(m_dir.filePath("manca/ancora"));
        w->txtEsecutore->setText("X");
        QTest::mouseClick(w->cmdPDF, Qt::LeftButton);
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Error);
        QVERIFY(msgs->shown[0].text.contains("PDF"));
        QVERIFY(shell.opened.isEmpty());
        if (setup == QLatin1String("folder")) QVERIFY(QFileInfo(pdf()).isDir());
    }
};

QTEST_MAIN(TstSchedaInformativa)
#include "tst_schedainformativa.moc"
