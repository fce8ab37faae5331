#include "ui/Clock.h"
#include "ui/MessageService.h"
#include "ui/ProgramFolder.h"
#include "archive/IniFile.h"
#include "ui/ReportOutput.h"
#include "slips/TfrmStampaBolBis.h"
#include "slips/TfrmStampaBolBis_A4.h"
#include "common/RecordingMessages.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using M = MessageService;

namespace {

const QDateTime kNow(QDate(2024, 3, 15), QTime(10, 30, 0));
const QString kSection = QStringLiteral("Margini Stampa CH8 Bis");
const QString kTitle = QStringLiteral(" Stampa bollettino postale Mod. CH8 Bis");

TSchedaBollettino slip() {
    TSchedaBollettino v{};
    v.Importo.set(QStringLiteral("1250"));
    v.Cents.set(QStringLiteral("34"));
    v.ImpLettere.set(QStringLiteral("MILLEDUECENTOCINQUANTA"));
    v.CentLettere.set(QStringLiteral("34"));
    v.CCP.set(QStringLiteral("123456789012"));
    v.Intestatario.set(QStringLiteral("ASSOCIAZIONE AMICI"));
    v.Esecutore.set(QStringLiteral("ROSSI MARIO"));
    return v;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QPointF topLeftMm(const PreparedItem* item) { return item->rect.topLeft() / report::kUnitsPerMm; }

bool near(QPointF a, QPointF b) { return QLineF(a, b).length() < 0.001; }

} // namespace

class TstStampaBolBis : public QObject {
    Q_OBJECT
    TemporaryProgramFolder m_dir;
    FixedClock m_clock{kNow};
    RecordingMessages* msgs = nullptr;
    RecordingReportOutput* output = nullptr;

    QString ini() const { return m_dir.filePath(QStringLiteral("Bollettini.ini")); }
    void writeIni(const QByteArray& content) {
        QFile f(ini());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    QPushButton* button(QWidget& w, const QString& name) { return w.findChild<QPushButton*>(name); }

private slots:
    void init() {
        QFile::remove(ini());
        QDir(ini()).removeRecursively();
        msgs = new RecordingMessages;
        output = new RecordingReportOutput;
    }
    void cleanup() {
        delete output;
        delete msgs;
    }

    // Every showing reads both margins; a missing file, section or key shows 0.
    void showLoadsMargins_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::newRow("no file") << QByteArray() << "0" << "0";
        QTest::newRow("no section") << QByteArray("[Altro]\r\nSuperiore=4\r\n") << "0" << "0";
        QTest::newRow("both") << QByteArray("[Margini Stampa CH8 Bis]\r\nSuperiore=3\r\nSinistro=-2\r\n") << "3" << "-2";
        QTest::newRow("top only") << QByteArray("[Margini Stampa CH8 Bis]\r\nSuperiore=4\r\n") << "4" << "0";
        QTest::newRow("hand-edited") << QByteArray("[Margini Stampa CH8 Bis]\r\nSuperiore=abc\r\n") << "abc" << "0";
    }
    void showLoadsMargins() {
        QFETCH(QByteArray, content);
        QFETCH(QString, top);
        QFETCH(QString, left);
        if (!content.isEmpty()) writeIni(content);
        TfrmStampaBolBis d(slip());
        d.show();
        QCOMPARE(d.txtTop->text(), top);
        QCOMPARE(d.txtLeft->text(), left);
        QVERIFY(d.txtTop->isReadOnly() && d.txtLeft->isReadOnly());
        QCOMPARE(d.windowTitle(), kTitle);
        QVERIFY(!(d.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!QFile::exists(ini()) || !content.isEmpty()); // showing writes nothing
    }

    // The buttons step by 1 mm without bounds and write nothing.
    void stepButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::newRow("minus on 0") << "btnTopMinus" << 1 << "-1" << "0";
        QTest::newRow("below zero") << "btnTopMinus" << 3 << "-3" << "0";
        QTest::newRow("plus") << "btnTopPlus" << 2 << "2" << "0";
        QTest::newRow("left minus") << "btnLeftMinus" << 1 << "0" << "-1";
        QTest::newRow("left plus") << "btnLeftPlus" << 4 << "0" << "4";
    }
    void stepButtons() {
        QFETCH(QString, button);
        QFETCH(int, clicks);
        QFETCH(QString, top);
        QFETCH(QString, left);
        TfrmStampaBolBis d(slip());
        d.show();
        for (int i = 0; i < clicks; ++i) QTest::mouseClick(this->button(d, button), Qt::LeftButton);
        QCOMPARE(d.txtTop->text(), top);
        QCOMPARE(d.txtLeft->text(), left);
        QVERIFY(!QFile::exists(ini()));
        QVERIFY(msgs->shown.isEmpty());
    }

    // "Applica" writes its own key only; the next showing reads what was applied.
    void applyWritesOnlyItsKey() {
        {
            TfrmStampaBolBis d(slip());
            d.show();
            for (int i = 0; i < 3; ++i) QTest::mouseClick(d.btnTopPlus, Qt::LeftButton);
            QTest::mouseClick(d.btnLeftMinus, Qt::LeftButton);
            QTest::mouseClick(d.btnApplicaTop, Qt::LeftButton);
            QCOMPARE(readAll(ini()), QByteArray("[Margini Stampa CH8 Bis]\r\nSuperiore=3\r\n"));
            QTest::mouseClick(d.btnAnnulla, Qt::LeftButton);
        }
        {
            TfrmStampaBolBis d(slip());
            d.show();
            QCOMPARE(d.txtTop->text(), QStringLiteral("3"));
            QCOMPARE(d.txtLeft->text(), QStringLiteral("0"));
            QTest::mouseClick(d.btnLeftMinus, Qt::LeftButton);
            QTest::mouseClick(d.btnApplicaLeft, Qt::LeftButton);
        }
        const IniFile file(ini());
        QCOMPARE(file.readString(kSection, "Superiore"), QStringLiteral("3"));
        QCOMPARE(file.readString(kSection, "Sinistro"), QStringLiteral("-1"));
        QVERIFY(msgs->shown.isEmpty());
        QVERIFY(output->calls.isEmpty());
    }

    // A hand-edited value that is not a number: stepping and printing say so and change nothing.
    void notANumber() {
        writeIni("[Margini Stampa CH8 Bis]\r\nSuperiore=abc\r\nSinistro=1\r\n");
        TfrmStampaBolBis d(slip());
        d.show();
        QTest::mouseClick(d.btnTopPlus, Qt::LeftButton);
        QCOMPARE(d.txtTop->text(), QStringLiteral("abc"));
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Error);
        QVERIFY(msgs->shown[0].text.contains(QStringLiteral("\"abc\"")));

        QTest::mouseClick(d.btnStampa, Qt::LeftButton);
        QCOMPARE(msgs->shown.size(), 2);
        QCOMPARE(msgs->shown[1].kind, M::Error);
        QVERIFY(msgs->shown[1].text.contains(QStringLiteral("\"abc\"")));
        QVERIFY(output->calls.isEmpty());
        QVERIFY(d.isVisible()); // the dialog stays open

        // The other margin still steps as usual.
        QTest::mouseClick(d.btnLeftPlus, Qt::LeftButton);
        QCOMPARE(d.txtLeft->text(), QStringLiteral("2"));
    }

    void failingWriteKeepsTheField() {
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("Bollettini.ini"))); // a folder where the file should be
        TfrmStampaBolBis d(slip());
        d.show();
        QTest::mouseClick(d.btnTopPlus, Qt::LeftButton);
        QTest::mouseClick(d.btnApplicaTop, Qt::LeftButton);
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Error);
        QVERIFY(msgs->shown[0].text.contains(QStringLiteral("Bollettini.ini")));
        QCOMPARE(d.txtTop->text(), QStringLiteral("1"));
        QVERIFY(QFileInfo(ini()).isDir());
        QVERIFY(d.isVisible());
    }

    // The print takes the margins on screen, applied or not, and moves the whole page by them.
    void printUsesTheShownMargins_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QPointF>("shift"); // (left, top) in mm
        QTest::newRow("no file") << QByteArray() << QStringList() << QPointF(0, 0);
        QTest::newRow("stored") << QByteArray("[Margini Stampa CH8 Bis]\r\nSuperiore=3\r\nSinistro=-2\r\n") << QStringList()
                                << QPointF(-2, 3);
        QTest::newRow("stepped, not applied")
            << QByteArray("[Margini Stampa CH8 Bis]\r\nSuperiore=3\r\nSinistro=-2\r\n")
            << QStringList{"btnTopPlus", "btnLeftMinus"} << QPointF(-3, 4);
        QTest::newRow("decimal comma from the file")
            << QByteArray("[Margini Stampa CH8 Bis]\r\nSuperiore=1,5\r\nSinistro=-0,5\r\n") << QStringList() << QPointF(-0.5, 1.5);
    }
    void printUsesTheShownMargins() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, clicks);
        QFETCH(QPointF, shift);
        if (!content.isEmpty()) writeIni(content);
        TfrmStampaBolBis d(slip());
        d.show();
        for (const QString& b : clicks) QTest::mouseClick(button(d, b), Qt::LeftButton);
        QTest::mouseClick(d.btnStampa, Qt::LeftButton);

        QCOMPARE(output->calls.size(), 1);
        const auto& call = output->calls[0];
        QCOMPARE(call.kind, RecordingReportOutput::Print);
        QCOMPARE(call.report.name, QStringLiteral("Bollettino Postale"));
        QCOMPARE(call.report.layout.orientation(), QPageLayout::Landscape);
        QCOMPARE(call.report.pages.size(), 1);
        const PreparedPage& page = call.report.pages[0];
        QVERIFY(near(topLeftMm(page.find("txtCCP01_A")), QPointF(25.1, 9.4) + shift));
        QVERIFY(near(topLeftMm(page.find("txtComuneRes17")), QPointF(285.9, 73.6) + shift));
        QVERIFY(near(topLeftMm(page.find("txtImpLettere")), QPointF(30.0, 16.6) + shift));
        QCOMPARE(page.find("txtCCP12_B")->lines, QStringList{"2"});
        QCOMPARE(page.find("txtImpLettere_B")->lines, QStringList{"MILLEDUECENTOCINQUANTA/34"});
        QVERIFY(!page.find("imgLogo_A"));
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(msgs->shown.isEmpty());
        if (content.isEmpty()) QVERIFY(!QFile::exists(ini())); // printing writes nothing
        else QCOMPARE(readAll(ini()), content);
    }

    void printDialogCancelledClosesToo() {
        output->printAnswers = {false};
        TfrmStampaBolBis d(slip());
        d.show();
        QTest::mouseClick(d.btnStampa, Qt::LeftButton);
        QCOMPARE(output->calls.size(), 1);
        QVERIFY(!d.isVisible());
    }

    void annullaPrintsNothing() {
        TfrmStampaBolBis d(slip());
        d.show();
        QTest::mouseClick(d.btnTopPlus, Qt::LeftButton);
        QTest::mouseClick(d.btnAnnulla, Qt::LeftButton);
        QVERIFY(output->calls.isEmpty());
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(!QFile::exists(ini()));
    }

    // The A4 print shows the drawn slip in the lower half, never moved by the stored margins.
    void a4PreviewOrPrint_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("kind");
        QTest::newRow("preview") << "btnAnteprima" << int(RecordingReportOutput::Preview);
        QTest::newRow("print") << "btnFoglioA4" << int(RecordingReportOutput::Print);
    }
    void a4PreviewOrPrint() {
        QFETCH(QString, button);
        QFETCH(int, kind);
        writeIni("[Margini Stampa CH8 Bis]\r\nSuperiore=5\r\nSinistro=7\r\n");
        TfrmStampaBolBis_A4 d(slip());
        d.show();
        QCOMPARE(d.windowTitle(), kTitle);
        QTest::mouseClick(this->button(d, button), Qt::LeftButton);
        QCOMPARE(output->calls.size(), 1);
        QCOMPARE(int(output->calls[0].kind), kind);
        const PreparedPage& page = output->calls[0].report.pages[0];
        QVERIFY(near(topLeftMm(page.find("imgLogo_A")), QPointF(0, 106.4)));
        QVERIFY(near(topLeftMm(page.find("txtCCP01_A")), QPointF(25.1, 115.8)));
        QVERIFY(near(topLeftMm(page.find("txtIntesta01")), QPointF(140.1, 130.6)));
        QCOMPARE(page.find("txtIntesta01")->lines, QStringList{"A"});
        QCOMPARE(page.find("txtCents02_A")->lines, QStringList{"4"});
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }

    // A layout that lacks one of the slip's objects is a message where the button was pressed: nothing
    // is printed, the dialog stays open, and no exception reaches the event loop.
    void layoutFaultIsAMessage_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("blank form") << "btnStampa";
        QTest::newRow("A4 preview") << "btnAnteprima";
        QTest::newRow("A4 print") << "btnFoglioA4";
    }
    void layoutFaultIsAMessage() {
        QFETCH(QString, button);
        TfrmStampaBolBis modulo(slip());
        TfrmStampaBolBis_A4 a4(slip());
        modulo.repBollettino_Blank = Report(QStringLiteral("repBollettino_Blank"));
        a4.repBollettino_Graph = Report(QStringLiteral("repBollettino_Graph"));
        QDialog& d = button == "btnStampa" ? static_cast<QDialog&>(modulo) : static_cast<QDialog&>(a4);
        d.show();
        QTest::mouseClick(this->button(d, button), Qt::LeftButton);
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, RecordingMessages::Error);
        QCOMPARE(msgs->shown[0].text, QString::fromUtf8("Attenzione: non è stato possibile preparare la stampa."));
        QVERIFY(output->calls.isEmpty());
        QVERIFY(d.isVisible());
    }

    void a4Annulla() {
        TfrmStampaBolBis_A4 d(slip());
        d.show();
        QTest::mouseClick(d.btnAnnulla, Qt::LeftButton);
        QVERIFY(output->calls.isEmpty());
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TstStampaBolBis)
#include "tst_stampabolbis.moc"
