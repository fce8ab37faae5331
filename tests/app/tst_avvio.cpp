#include "ui/Clock.h"
#include "ui/MessageService.h"
#include "ui/Picture.h"
#include "ui/ProgramFolder.h"
#include "ui/Shell.h"
#include "ui/Traduzioni.h"
#include "app/TfrmAvvio.h"
#include "ui/TfrmGuida.h"
#include "app/TfrmInfo.h"
#include "app/TfrmSplash.h"
#include "app/WindowSet.h"
#include "app/AccessoTest.h"
#include "slips/TfrmBollettino.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "common/GuiTest.h"
#include "common/RecordingShell.h"
#include <QTimer>

class TstAvvio : public QObject {
    Q_OBJECT
    TemporaryProgramFolder m_dir;
    FixedClock m_clock{QDateTime(QDate(2025, 1, 2), QTime(9, 0))};
    RecordingShell m_shell;

private slots:
    void init() { m_shell.opened.clear(); }

    // Exactly one of the start screen and the workspaces is visible, and a workspace comes back as
    // the same window, reset to its year panel.
    void tilesOpenTheWorkspaceAndClosingComesBack_data() {
        QTest::addColumn<QString>("picture");
        QTest::newRow("tile") << "imgBollettino";
        QTest::newRow("caption") << "btnBollettino";
        QTest::newRow("description") << "infBollettino";
    }
    void tilesOpenTheWorkspaceAndClosingComesBack() {
        QFETCH(QString, picture);
        WindowSet set;
        entra(set);
        TfrmBollettino* first = set.bollettino;
        QTest::mouseClick(set.avvio->findChild<Picture*>(picture), Qt::LeftButton);
        QVERIFY(set.bollettino->isVisible());
        QVERIFY(!set.avvio->isVisible());
        QCOMPARE(set.bollettino->txtAnno->text(), QString("2025"));

        set.bollettino->txtAnno->setText("2024");
        set.bollettino->btnApriClick();
        set.bollettino->close();
        QVERIFY(!set.bollettino->isVisible());
        QVERIFY(set.avvio->isVisible());

        QTest::mouseClick(set.avvio->imgBollettino, Qt::LeftButton);
        QCOMPARE(set.bollettino, first);
        QVERIFY(set.bollettino->panAvvio->isVisible());
    }

    void closingTheStartScreenEndsTheProgram() {
        TfrmAvvio avvio;
        QSignalSpy esci(&avvio, &TfrmAvvio::esci);
        avvio.show();
        avvio.close();
        QCOMPARE(esci.size(), 1);
        QTest::mouseClick(avvio.imgEsci, Qt::LeftButton);
        QCOMPARE(esci.size(), 2);
    }

    void helpShowsTheOverview() {
        TfrmAvvio avvio;
        onNextModal([](QWidget* d) {
            auto* g = qobject_cast<TfrmGuida*>(d);
            QVERIFY(g);
            QCOMPARE(g->lblTitolo->text(), QString("Uno sguardo a Versalio."));
            const QStringList paragraphs = g->txtGuida->toPlainText().split("\n\n");
            QCOMPARE(paragraphs.size(), 26);
            QCOMPARE(paragraphs[23],
                     QString::fromUtf8("L'accesso al software è protetto da una password aggiornabile dall'utente che "
                                       "può essere cambiata tutte le volte che si desidera. Per il primo accesso al "
                                       "programma, bisogna utilizzare la parola chiave \"chiavediaccess\" (scritta "
                                       "senza le virgolette)."));
            g->btnChiudi->click();
        });
        QTest::mouseClick(avvio.imgGuida, Qt::LeftButton);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void linksHandTheirTextToTheShell() {
        TfrmAvvio avvio;
        QTest::mouseClick(avvio.imgSito, Qt::LeftButton);
        onNextModal([](QWidget* d) {
            auto* info = qobject_cast<TfrmInfo*>(d);
            QVERIFY(info);
            // The about dialog names the version the build was given, as versalio-tool --version does.
            auto* versione = info->findChild<QLabel*>(QStringLiteral("imgInfo1"));
            QVERIFY(versione);
            QVERIFY2(versione->text().contains(QStringLiteral("versione " VERSALIO_VERSIONE)), qPrintable(versione->text()));
            QTest::mouseClick(info->imgEmail, Qt::LeftButton);
            QTest::mouseClick(info->lnkWeb, Qt::LeftButton);
            info->btnChiudi->click();
        });
        QTest::mouseClick(avvio.imgInfo, Qt::LeftButton);
        onNextModal([](QWidget* d) {
            auto* splash = qobject_cast<TfrmSplash*>(d);
            QVERIFY(splash);
            QTest::mouseClick(splash->lnkWeb, Qt::LeftButton);
            splash->btnChiudi->click();
        });
        QTest::mouseClick(avvio.imgCopyright, Qt::LeftButton);

        const QString mail = QString::fromUtf8("\"mailto:") + kEmail +
                             "?subject=Software Versalio&body=Salve, desidererei avere le seguenti informazioni sul "
                             "software in oggetto:\"";
        QCOMPARE(m_shell.opened, (QList<QUrl>{Shell::urlFor(kSitoWeb), Shell::urlFor(mail), Shell::urlFor(mail),
                                           Shell::urlFor(kSitoWeb)}));
    }

    void italianFormatsWhateverTheSystemSays() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        formatiItaliani();
        QCOMPARE(QLocale().decimalPoint(), QString(","));
        QCOMPARE(QLocale().measurementSystem(), QLocale::MetricSystem);
        QCOMPARE(QLocale().toString(QDate(2026, 12, 11), QLocale::ShortFormat), QString("11/12/26"));
    }
};

QTEST_MAIN(TstAvvio)
#include "tst_avvio.moc"
