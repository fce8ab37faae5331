#include "ui/Traduzioni.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

// Qt's own dialogs are shown in Italian once the program has loaded Qt's translations.
class TstTraduzioni : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(caricaTraduzioniQt(qApp)); }

    void messageBoxButtons_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << "Annulla";
        QTest::newRow("yes") << int(QMessageBox::Yes) << QString::fromUtf8("Sì");
        QTest::newRow("no") << int(QMessageBox::No) << "No";
    }
    void messageBoxButtons() {
        QFETCH(int, button);
        QFETCH(QString, text);
        QMessageBox box(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::StandardButton(button))->text().remove(u'&'), text);
    }

    // The file dialog's own labels, which said "Look in" and "File name".
    void fileDialog() {
        QFileDialog d(nullptr, "t");
        d.setOption(QFileDialog::DontUseNativeDialog);
        auto* lookIn = d.findChild<QLabel*>("lookInLabel");
        auto* fileName = d.findChild<QLabel*>("fileNameLabel");
        QVERIFY(lookIn && fileName);
        QVERIFY2(!lookIn->text().contains("Look in"), qPrintable(lookIn->text()));
        QVERIFY2(!fileName->text().contains("File name"), qPrintable(fileName->text()));
        QCOMPARE(lookIn->text(), "Cerca in:");
    }
};

QTEST_MAIN(TstTraduzioni)
#include "tst_traduzioni.moc"
