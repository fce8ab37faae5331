#include "ui/Clock.h"
#include "ui/EntryForm.h"
#include "ui/Picture.h"
#include "ui/MessageService.h"
#include "ui/ProgramFolder.h"
#include "ui/Shell.h"
#include "ui/TfrmGuida.h"
#include "archive/ArchiveError.h"
#include "archive/RecordFile.h"
#include "slips/TfrmBollettino.h"
#include "slips/TfrmCalendario.h"
#include "slips/TfrmStampaBolBis.h"
#include "slips/TfrmStampaBolBis_A4.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "common/GuiTest.h"
#include "common/OpenFiles.h"
#include "common/RecordingMessages.h"
#include "common/RecordingShell.h"
#include <QTimer>
#include <QToolButton>

using SlipFile = RecordFile<TSchedaBollettino>;
using M = MessageService;

namespace {
const QString kMissingCCP =
    QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare il numero di conto corrente postale.");
const QString kNew = QString::fromUtf8("La scheda corrente è stata inserita in archivio.");
const QString kChanged = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kEmpty = QStringLiteral("L'archivio non contiene nessuna scheda.");

} // namespace

class TstBollettino : public QObject {
    Q_OBJECT
    TemporaryProgramFolder m_dir;
    FixedClock m_clock{QDateTime(QDate(2024, 6, 15), QTime(10, 30))};
    TfrmBollettino* w = nullptr;
    RecordingMessages* msgs = nullptr;

    QString archive() const { return m_dir.filePath("2024.bol"); }

    void openYear() {
        w->txtAnno->setText("2024");
        w->btnApriClick();
    }
    // A slip that passes every check of Salva.
    void fillValid() {
        QTest::keyClicks(w->txtCCP, "123456");
        QTest::keyClicks(w->txtIntestatario, "mario rossi");
        QTest::keyClicks(w->txtEsecutore, "anna bianchi");
        w->txtDataScade->setText("05/03/2024");
    }
    qint64 records() const { return QFileInfo(archive()).size() / 2968; }
    void saveSlips(int n) {
        for (int i = 1; i <= n; ++i) {
            w->cmdNuovoClick();
            fillValid();
            w->txtCCP->setText(QString::number(i));
            w->cmdSalvaClick();
        }
        msgs->clear();
    }

private slots:
    void init() {
        QFile::remove(archive());
        msgs = new RecordingMessages;
        w = new TfrmBollettino;
        w->mostra();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

    void cleanup() {
        delete w;
        delete msgs;
    }

    void showingStartsOnTheYearPanel() {
        QVERIFY(w->panAvvio->isVisible());
        QVERIFY(!w->panContainer->isVisible());
        QCOMPARE(w->txtAnno->text(), QString("2024"));
        QCOMPARE(QApplication::focusWidget(), w->txtAnno);
        QCOMPARE(w->txtCents->text(), QString("00"));
        QCOMPARE(w->txtIntero->text(), QString("0,00"));
    }

    void yearMustBeFourDigits_data() {
        QTest::addColumn<QString>("year");
        QTest::newRow("three digits") << "202";
        QTest::newRow("pasted letters") << "20a4";
        QTest::newRow("empty") << "";
        QTest::newRow("pasted blanks") << " 24 ";
    }
    void yearMustBeFourDigits() {
        QFETCH(QString, year);
        w->txtAnno->setText(year);
        w->btnApriClick();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Warning);
        QCOMPARE(msgs->shown[0].text, QString("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        QVERIFY(w->panAvvio->isVisible());
        QCOMPARE(QApplication::focusWidget(), w->txtAnno);
    }

    void apriNamesTheArchiveWithoutCreatingIt() {
        QTest::keyClicks(w->txtAnno, "x2023"); // the current year comes selected: typing replaces it
        QCOMPARE(w->txtAnno->text(), QString("2023"));
        QTest::keyClick(w->txtAnno, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->btnApri);
        QTest::keyClick(w->btnApri, Qt::Key_Return);
        QVERIFY(w->panContainer->isVisible());
        QCOMPARE(w->lblFile->text(), m_dir.filePath("2023.bol"));
        QCOMPARE(w->windowTitle(), QString(" Versalio - Compilazione e stampa bollettini postali anno 2023"));
        QVERIFY(!QFile::exists(m_dir.filePath("2023.bol")));
        QCOMPARE(QApplication::focusWidget(), w->txtCCP);
    }

    // Wherever the program puts the focus, the field's text comes selected and typing replaces it.
    void programFocusSelectsTheText_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("opening the workspace") << "mostra" << "txtAnno" << "2021" << "2021";
        QTest::newRow("year refused") << "anno" << "txtAnno" << "2021" << "2021";
        QTest::newRow("duplicate") << "duplica" << "txtImporto" << "2021" << "2021";
        QTest::newRow("payer missing") << "esecutore" << "txtEsecutore" << "anna" << "ANNA";
    }
    void programFocusSelectsTheText() {
        QFETCH(QString, situation);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        if (situation == "anno") {
            w->txtAnno->setText("202");
            w->btnApriClick();
        } else if (situation == "duplica") {
            openYear();
            fillValid();
            QTest::keyClicks(w->txtImporto, "150");
            w->cmdSalvaClick();
            w->txtCCP->setFocus();
            w->cmdDuplicaClick();
        } else if (situation == "esecutore") {
            openYear();
            fillValid();
            w->txtEsecutore->setText("   ");
            w->txtNote->setFocus();
            w->cmdSalvaClick();
        }
        auto* f = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(f);
        QCOMPARE(f->objectName(), field);
        QVERIFY(!f->text().isEmpty());
        QCOMPARE(f->selectedText(), f->text());
        QTest::keyClicks(f, typed);
        QCOMPARE(f->text(), result);
        if (situation == "duplica") QCOMPARE(w->txtImpLettere->text(), QString("DUEMILAVENTUNO"));
    }

    // The digit rule refuses printable characters only: the editing and selection keys work.
    void digitFieldsKeepEditingKeys_data() {
        QTest::addColumn<QStringList>("steps"); // key names, or text to type
        QTest::addColumn<QString>("result");
        QTest::newRow("Home") << QStringList{"Home", "9"} << "9123";
        QTest::newRow("End") << QStringList{"Home", "End", "4"} << "1234";
        QTest::newRow("Ctrl+A") << QStringList{"Ctrl+A", "5"} << "5";
        QTest::newRow("Shift+Left") << QStringList{"Shift+Left", "7"} << "127";
        QTest::newRow("Shift+Home") << QStringList{"Left", "Shift+Home", "8"} << "83";
        QTest::newRow("letters and signs still refused") << QStringList{"Home", "a-+ ,"} << "123";
    }
    void digitFieldsKeepEditingKeys() {
        QFETCH(QStringList, steps);
        QFETCH(QString, result);
        const QHash<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
            {"Home", {Qt::Key_Home, Qt::NoModifier}},       {"End", {Qt::Key_End, Qt::NoModifier}},
            {"Left", {Qt::Key_Left, Qt::NoModifier}},       {"Ctrl+A", {Qt::Key_A, Qt::ControlModifier}},
            {"Shift+Left", {Qt::Key_Left, Qt::ShiftModifier}}, {"Shift+Home", {Qt::Key_Home, Qt::ShiftModifier}}};
        openYear();
        for (QLineEdit* f : {w->txtCCP, w->txtImporto}) {
            f->setText("123");
            f->setFocus();
            f->end(false);
            for (const QString& step : steps) {
                if (keys.contains(step)) QTest::keyClick(f, keys[step].first, keys[step].second);
                else QTest::keyClicks(f, step);
            }
            QCOMPARE(f->text(), result);
        }
    }

    // One table binds the record to the screen: every stored field has its control, and every entry
    // field has the name a screen reader says, from the label beside it.
    void fieldsAreBoundAndNamed() {
        TSchedaBollettino r{};
        forEachField(r, [this](const char* name, auto&) { QVERIFY2(w->fields().control(QLatin1String(name)), name); });
        for (QLineEdit* e : w->findChildren<QLineEdit*>())
            QVERIFY2(!e->accessibleName().isEmpty(), qPrintable(e->objectName()));
        QCOMPARE(w->txtCCP->accessibleName(), QString("sul C/C n."));
        QCOMPARE(w->txtDataScade->accessibleName(), QString("Data scadenza"));
        QCOMPARE(w->txtAnno->accessibleName(), QString("Anno solare"));
    }

    // Each visit starts with the information bar's opening words, not the last hint of the one before.
    void infoBarStartsFreshOnEveryVisit() {
        openYear();
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(w->cmdSalva, &enter);
        QCOMPARE(w->panInfo->text(), QString("Salva la scheda corrente in archivio."));
        w->close();
        w->mostra();
        openYear();
        QCOMPARE(w->panInfo->text(), QString("Pronto per archiviare una nuova scheda..."));
    }

    void digitFieldsRefuseOtherKeys() {
        openYear();
        for (QLineEdit* f : {w->txtCCP, w->txtImporto, w->txtCents}) {
            f->clear();
            QTest::keyClicks(f, "1a ,.-+2");
            QCOMPARE(f->text(), QString("12"));
            // A paste (by shortcut or by the menu) cannot slip letters in.
            QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier);
            f->insert("9x");
            QCOMPARE(f->text(), QString("12"));
        }
    }

    void upperCaseFields_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("holder address") << "txtIndirizzoInt" << "via roma 1" << "VIA ROMA 1";
        QTest::newRow("accents stay") << "txtComuneRes" << QString::fromUtf8("perù") << QString::fromUtf8("PERù");
        QTest::newRow("holder") << "txtIntestatario" << "mario rossi" << "MARIO ROSSI";
        QTest::newRow("payer") << "txtEsecutore" << QString::fromUtf8("città") << QString::fromUtf8("CITTà");
        QTest::newRow("street") << "txtIndirizzoRes" << "p.za verdi" << "P.ZA VERDI";
        QTest::newRow("postal code trims") << "txtCapRes" << " 00a1 " << "00A1";
        QTest::newRow("reason keeps case") << "txtCausale01" << "quota 2024" << "quota 2024";
    }
    void upperCaseFields() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        openYear();
        auto* e = w->findChild<QLineEdit*>(field);
        QVERIFY(e);
        typeText(e, typed);
        QCOMPARE(e->text(), shown);
    }

    void loadedTextIsNotUpperCased() {
        openYear();
        TSchedaBollettino r{};
        forEachField(r, [](const char*, auto& f) { f.clear(); });
        r.Intestatario.set("Mario Rossi");
        w->caricaScheda(r, 1);
        QCOMPARE(w->txtIntestatario->text(), QString("Mario Rossi"));
    }

    void enterRing_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        const char* ring[][2] = {{"txtCCP", "txtImporto"},          {"txtImporto", "txtCents"},
                                 {"txtCents", "txtIntestatario"},     {"txtIntestatario", "txtIndirizzoInt"},
                                 {"txtIndirizzoInt", "txtCausale01"}, {"txtCausale01", "txtCausale02"},
                                 {"txtCausale02", "txtEsecutore"},    {"txtEsecutore", "txtIndirizzoRes"},
                                 {"txtIndirizzoRes", "txtCapRes"},    {"txtCapRes", "txtComuneRes"},
                                 {"txtComuneRes", "txtDataScade"},    {"txtDataPaga", "txtTimbro"},
                                 {"txtTimbro", "txtNote"},            {"txtNote", "txtCCP"}};
        for (auto& r : ring) QTest::newRow(r[0]) << r[0] << r[1];
    }
    void enterRing() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        openYear();
        auto* a = w->findChild<QLineEdit*>(from);
        auto* b = w->findChild<QLineEdit*>(to);
        a->setFocus();
        QTest::keyClick(a, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), b);
        // Exactly the focused field is framed.
        const QString frameName = "eff" + to.mid(3);
        for (QWidget* f : w->findChildren<QWidget*>(QRegularExpression("^eff")))
            QCOMPARE(f->isVisible(), f->objectName() == frameName);
    }

    void enterSelectsTheNextFieldSoTypingReplacesIt() {
        openYear();
        QTest::keyClicks(w->txtImporto, "12");
        QTest::keyClick(w->txtImporto, Qt::Key_Return);
        QTest::keyClicks(w->txtCents, "5");
        QTest::keyClick(w->txtCents, Qt::Key_Return);
        QCOMPARE(w->txtCents->text(), QString("50"));
        QCOMPARE(w->txtCentLettere->text(), QString("50"));
    }

    void wordsFollowTheAmount() {
        openYear();
        QTest::keyClicks(w->txtImporto, "150");
        QCOMPARE(w->txtImpLettere->text(), QString("CENTOCINQUANTA"));
        QTest::keyClick(w->txtImporto, Qt::Key_Backspace);
        QCOMPARE(w->txtImpLettere->text(), QString("QUINDICI"));
        w->txtImporto->selectAll();
        QTest::keyClick(w->txtImporto, Qt::Key_Delete);
        QCOMPARE(w->txtImpLettere->text(), QString());
        QTest::keyClicks(w->txtImporto, "0");
        QCOMPARE(w->txtImpLettere->text(), QString("ZERO"));
    }

    void centsAreCompletedOnLeaving_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cents");
        QTest::newRow("one digit") << "7" << "70";
        QTest::newRow("two digits") << "05" << "05";
        QTest::newRow("empty") << "" << "00";
    }
    void centsAreCompletedOnLeaving() {
        QFETCH(QString, typed);
        QFETCH(QString, cents);
        openYear();
        w->txtCents->setFocus();
        w->txtCents->selectAll();
        QTest::keyClick(w->txtCents, Qt::Key_Delete);
        QCOMPARE(w->txtCentLettere->text(), QString());
        QTest::keyClicks(w->txtCents, typed);
        if (!typed.isEmpty()) QCOMPARE(w->txtCentLettere->text(), typed);
        QTest::keyClick(w->txtCents, Qt::Key_Return);
        QCOMPARE(w->txtCents->text(), cents);
        QCOMPARE(w->txtCentLettere->text(), cents);
    }

    void saveRefusesIncompleteSlips_data() {
        QTest::addColumn<QString>("clear");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("account") << "txtCCP" << "05/03/2024" << kMissingCCP << "txtCCP";
        QTest::newRow("holder") << "txtIntestatario" << "05/03/2024"
                                << QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare il nome "
                                                     "dell'intestatario.")
                                << "txtIntestatario";
        QTest::newRow("payer") << "txtEsecutore" << "05/03/2024"
                               << QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare il nome "
                                                    "dell'esecutore.")
                               << "txtEsecutore";
        QTest::newRow("due date") << "" << ""
                                  << QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare la "
                                                       "data di scadenza del versamento.")
                                  << "txtDataScade";
        QTest::newRow("31 February") << "" << "31/02/2024"
                                     << QString::fromUtf8("Attenzione: la data indicata non esiste.\n\r\n\rPer poter "
                                                          "salvare la scheda è necessario indicare una data valida "
                                                          "nel formato gg/mm/anno.")
                                     << "txtDataScade";
        // A slip stored by other means with a two-digit year (99: 1999 or 2099?) is no date either.
        QTest::newRow("two-digit year") << "" << "01/01/99"
                                        << QString::fromUtf8("Attenzione: la data indicata non esiste.\n\r\n\rPer poter "
                                                             "salvare la scheda è necessario indicare una data valida "
                                                             "nel formato gg/mm/anno.")
                                        << "txtDataScade";
    }
    void saveRefusesIncompleteSlips() {
        QFETCH(QString, clear);
        QFETCH(QString, date);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        openYear();
        fillValid();
        w->txtCents->clear();
        QTest::keyClicks(w->txtCents, "5");
        w->txtDataScade->setText(date);
        if (!clear.isEmpty()) w->findChild<QLineEdit*>(clear)->setText("   ");
        w->cmdSalvaClick();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Warning);
        QCOMPARE(msgs->shown[0].text, message);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(!QFile::exists(archive()));
        // The amount is normalised on screen even though the slip was refused.
        QCOMPARE(w->txtImporto->text(), QString("0"));
        QCOMPARE(w->txtCents->text(), QString("50"));
        QCOMPARE(w->txtIntero->text(), QString("0,50"));
    }

    // A box waiting for OK never keeps the archive open: it is closed before the box shows.
    void boxesWaitWithTheArchiveClosed_data() {
        QTest::addColumn<int>("slips");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("Primo, empty archive") << 0 << "cmdPrimo" << kEmpty;
        QTest::newRow("Ultimo, empty archive") << 0 << "cmdUltimo" << kEmpty;
        QTest::newRow("Avanti, empty archive") << 0 << "cmdAvanti" << kEmpty;
        QTest::newRow("Indietro, empty archive") << 0 << "cmdIndietro" << kEmpty;
        QTest::newRow("Salva, new slip") << 0 << "cmdSalva" << kNew;
        QTest::newRow("Salva, saved slip") << 1 << "cmdSalva" << kChanged;
        QTest::newRow("Duplica")
            << 1 << "cmdDuplica"
            << "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine premere "
               "Salva per inserire la scheda in archivio.";
    }
    void boxesWaitWithTheArchiveClosed() {
        QFETCH(int, slips);
        QFETCH(QString, command);
        QFETCH(QString, message);
        openYear();
        saveSlips(slips);
        { // the archive exists, empty or not, so that its being open can be seen
            SlipFile f(archive());
            QVERIFY(openInThisProcess(archive()));
        }
        delete msgs;
        auto* watching = new MessagesWatchingAFile(archive());
        msgs = watching;
        if (slips == 0) fillValid();
        QTest::mouseClick(w->findChild<QToolButton*>(command), Qt::LeftButton);
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Information);
        QCOMPARE(msgs->shown[0].text, message);
        QCOMPARE(watching->openWhileShown, QList<bool>{false});
    }

    void saveAppendsThenOverwrites() {
        openYear();
        fillValid();
        QTest::keyClicks(w->txtImporto, "1234");
        w->txtCents->clear();
        QTest::keyClicks(w->txtCents, "5");
        w->txtTimbro->setText("  bollo  ");
        w->chkSaldato->setChecked(true);
        w->lblFile02->setText("ricevuta.pdf");
        w->cmdSalvaClick();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Information);
        QCOMPARE(msgs->shown[0].text, kNew);
        QCOMPARE(w->lblPosizione->text(), QString("1"));
        QCOMPARE(records(), 1);

        QFile f(archive());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray b = f.readAll();
        f.close();
        QCOMPARE(b.mid(0, 5), QByteArray("\x04" "1234"));
        QCOMPARE(b.mid(9, 3), QByteArray("\x02" "50"));
        QCOMPARE(b.mid(12, 1 + 36), QByteArray("\x1a" "MILLEDUECENTOTRENTAQUATTRO"
                                               "\0\0\0\0\0\0\0\0\0\0", 37));
        QCOMPARE(b.mid(263, 3), QByteArray("\x02" "50"));
        QCOMPARE(b.mid(266, 8), QByteArray("\x07" "1234,50"));
        QCOMPARE(b.mid(291, 12), QByteArray("\x0b" "MARIO ROSSI"));
        QCOMPARE(b.mid(935, 11), QByteArray("\x0a" "05/03/2024"));
        QCOMPARE(b.mid(957, 6), QByteArray("\x05" "bollo"));
        QCOMPARE(b.mid(1459, 3), QByteArray("\x02S\xEC"));
        QCOMPARE(b.mid(1713, 13), QByteArray("\x0c" "ricevuta.pdf"));

        msgs->clear();
        w->txtNote->setText("seconda");
        w->cmdSalvaClick();
        QCOMPARE(msgs->shown[0].text, kChanged);
        QCOMPARE(records(), 1);
        SlipFile file(archive());
        QCOMPARE(file.read(0).Note.get(), QString("seconda"));
    }

    void emptyAmountIsStoredAsZero() {
        openYear();
        fillValid();
        w->txtCents->clear();
        w->cmdSalvaClick();
        SlipFile file(archive());
        const TSchedaBollettino r = file.read(0);
        QCOMPARE(r.Importo.get(), QString("0"));
        QCOMPARE(r.Cents.get(), QString("00"));
        QCOMPARE(r.CentLettere.get(), QString("00"));
        QCOMPARE(r.Intero.get(), QString("0,00"));
        QCOMPARE(r.Saldato.get(), QString("No"));
    }

    void navigationOnAnEmptyArchive_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("message");
        QTest::newRow("first") << "cmdPrimo" << true;
        QTest::newRow("last") << "cmdUltimo" << true;
        QTest::newRow("next") << "cmdAvanti" << true;
        QTest::newRow("previous") << "cmdIndietro" << true;
    }
    void navigationOnAnEmptyArchive() {
        QFETCH(QString, command);
        QFETCH(bool, message);
        openYear();
        w->findChild<QToolButton*>(command)->click();
        QCOMPARE(msgs->shown.size(), message ? 1 : 0);
        QCOMPARE(msgs->shown[0].kind, M::Information);
        QCOMPARE(msgs->shown[0].text, kEmpty);
        QVERIFY(QFile::exists(archive())); // looking at a year leaves its empty archive
        QCOMPARE(w->lblPosizione->text(), QString());
    }

    void navigationWalksTheArchive() {
        openYear();
        saveSlips(3);
        w->cmdNuovoClick();
        w->cmdIndietroClick(); // from a new slip: the first, not the last
        QCOMPARE(w->lblPosizione->text(), QString("1"));
        QCOMPARE(w->txtCCP->text(), QString("1"));
        w->txtCCP->setText("999"); // unsaved edits go without a question
        w->cmdIndietroClick();
        QCOMPARE(w->txtCCP->text(), QString("999"));
        w->cmdAvantiClick();
        QCOMPARE(w->txtCCP->text(), QString("2"));
        w->cmdUltimoClick();
        QCOMPARE(w->lblPosizione->text(), QString("3"));
        w->cmdAvantiClick(); // on the last: nothing
        QCOMPARE(w->lblPosizione->text(), QString("3"));
        w->cmdIndietroClick();
        QCOMPARE(w->lblPosizione->text(), QString("2"));
        w->cmdPrimoClick();
        QCOMPARE(w->txtCCP->text(), QString("1"));
        w->cmdNuovoClick();
        w->cmdAvantiClick(); // from a new slip: the first
        QCOMPARE(w->lblPosizione->text(), QString("1"));
        QVERIFY(msgs->shown.isEmpty());
    }

    // A record written by another program: stored words are shown as they are, and a paid flag
    // that is neither yes nor no leaves the box alone.
    void foreignRecordLoadsAsStored() {
        openYear();
        TSchedaBollettino r{};
        forEachField(r, [](const char*, auto& f) { f.clear(); });
        r.Importo.set("12");
        r.ImpLettere.set("PAROLE ALTRE");
        r.Saldato.set("forse");
        r.Intero.set("12,00");
        {
            SlipFile f(archive());
            f.append(r);
        }
        w->chkSaldato->setChecked(true);
        w->cmdPrimoClick();
        QCOMPARE(w->txtImpLettere->text(), QString("PAROLE ALTRE"));
        QCOMPARE(w->txtIntero->text(), QString("12,00"));
        QVERIFY(w->chkSaldato->isChecked());
    }

    // Words saved under the older spelling stay as saved; typing the amount again spells it anew.
    void storedWordsStayUntilTheAmountIsTyped() {
        openYear();
        TSchedaBollettino r{};
        forEachField(r, [](const char*, auto& f) { f.clear(); });
        r.Importo.set("28");
        r.ImpLettere.set("VENTIOTTO");
        r.Intero.set("28,00");
        {
            SlipFile f(archive());
            f.append(r);
        }
        w->cmdPrimoClick();
        QCOMPARE(w->txtImpLettere->text(), QString("VENTIOTTO"));
        w->txtImporto->selectAll();
        QTest::keyClicks(w->txtImporto, "28");
        QCOMPARE(w->txtImpLettere->text(), QString("VENTOTTO"));
    }

    void duplicaKeepsTheDataAsANewSlip() {
        openYear();
        w->cmdDuplicaClick();
        QCOMPARE(msgs->shown[0].kind, M::Warning);
        QVERIFY(msgs->shown[0].text.startsWith(QString::fromUtf8("Attenzione: la duplicazione di una scheda può")));
        msgs->clear();

        fillValid();
        w->chkSaldato->setChecked(true);
        w->txtDataPaga->setText("01/03/2024");
        w->lblFile01->setText("a.pdf");
        w->lblDesc01->setText("ricevuta");
        w->cmdSalvaClick();
        msgs->clear();
        w->cmdDuplicaClick();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Information);
        QVERIFY(msgs->shown[0].text.contains("\n\r\n\rAl termine premere Salva"));
        QCOMPARE(w->lblPosizione->text(), QString());
        QCOMPARE(w->lblFile01->text(), QString());
        QCOMPARE(w->lblDesc01->text(), QString());
        QVERIFY(w->chkSaldato->isChecked());
        QCOMPARE(w->txtDataPaga->text(), QString("01/03/2024"));
        QCOMPARE(QApplication::focusWidget(), w->txtImporto);
        w->cmdSalvaClick();
        QCOMPARE(w->lblPosizione->text(), QString("2"));
        QCOMPARE(records(), 2);
    }

    void unreachableArchive_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("kind");
        QTest::newRow("save") << "cmdSalva" << int(M::Warning);
        QTest::newRow("first") << "cmdPrimo" << int(M::Error);
        QTest::newRow("next") << "cmdAvanti" << int(M::Error);
        QTest::newRow("duplicate") << "cmdDuplica" << int(M::Error);
    }
    void unreachableArchive() {
        QFETCH(QString, command);
        QFETCH(int, kind);
        openYear();
        fillValid();
        QVERIFY(QDir(m_dir.path()).mkdir("2024.bol")); // a folder in place of the file
        if (command == "cmdDuplica") w->lblPosizione->setText("4");
        w->findChild<QToolButton*>(command)->click();
        QVERIFY(QDir(m_dir.path()).rmdir("2024.bol"));
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(int(msgs->shown[0].kind), kind);
        QCOMPARE(msgs->shown[0].text, kTestoAccesso);
        QCOMPARE(w->txtCCP->text(), QString("123456"));
        QCOMPARE(w->lblPosizione->text(), QString());
    }

    void dueDateComesFromThePicker() {
        openYear();
        w->txtDataScade->setText("01/01/2024");
        w->txtDataScade->setFocus();
        // Typing a letter opens the picker and never writes into the field.
        onNextModal([](QWidget* d) { d->findChild<QPushButton*>("btnAnnulla")->click(); });
        QTest::keyClick(w->txtDataScade, Qt::Key_A);
        QCOMPARE(w->txtDataScade->text(), QString("01/01/2024"));

        onNextModal([](QWidget* d) {
            auto* cal = d->findChild<QCalendarWidget*>("calAppuntamenti");
            QCOMPARE(cal->selectedDate(), QDate(2024, 6, 15)); // today, whatever the field holds
            d->findChild<QPushButton*>("btnAnnulla")->click();
        });
        QTest::keyClick(w->txtDataScade, Qt::Key_Return);
        QCOMPARE(w->txtDataScade->text(), QString("01/01/2024"));

        onNextModal([](QWidget* d) {
            d->findChild<QCalendarWidget*>("calAppuntamenti")->setSelectedDate(QDate(2024, 3, 5));
            d->findChild<QPushButton*>("btnImportaData")->click();
        });
        QTest::keyClick(w->txtDataScade, Qt::Key_Space);
        QCOMPARE(w->txtDataScade->text(), QString("05/03/2024"));

        QTest::keyClick(w->txtDataScade, Qt::Key_Backspace);
        QCOMPARE(w->txtDataScade->text(), QString());
        fillValid();
        w->txtDataScade->clear();
        w->cmdSalvaClick();
        QVERIFY(msgs->shown.last().text.contains("data di scadenza del versamento"));
    }

    void pickerImportsOnlyForItsCaller() {
        TfrmCalendario c(w);
        c.btnImportaDataClick(); // no mode text: nothing happens
        QCOMPARE(w->txtDataScade->text(), QString());
        c.lblMemory->setText("datascade");
        c.btnImportaDataClick();
        QCOMPARE(w->txtDataScade->text(), QString("15/06/2024"));
    }

    void informationBarDescribesCommands() {
        openYear();
        QCOMPARE(w->panInfo->text(), QString("Pronto per archiviare una nuova scheda..."));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(w->cmdSalva, &enter);
        QCOMPARE(w->panInfo->text(), QString("Salva la scheda corrente in archivio."));
        QApplication::sendEvent(w->cmdIndietro, &enter);
        QCOMPARE(w->panInfo->text(), QString("Visualizza la scheda precedente in archivio."));
        QTest::mouseMove(w->panContainer, QPoint(20, 600));
        QCOMPARE(w->panInfo->text(), QString());
    }

    void helpShowsTheSlipTopic() {
        RecordingShell shell;
        QString titolo;
        QStringList paragrafi;
        onNextModal([&](QWidget* d) {
            auto* g = qobject_cast<TfrmGuida*>(d);
            QVERIFY(g);
            titolo = g->lblTitolo->text();
            paragrafi = g->txtGuida->toPlainText().split("\n\n");
            QTest::mouseClick(g->lnkWeb, Qt::LeftButton);
            g->btnChiudi->click();
        });
        QTest::mouseClick(w->imgGuida, Qt::LeftButton);
        QCOMPARE(shell.opened, QList<QUrl>{QUrl::fromLocalFile(m_dir.filePath("Guida.pdf"))});
        QCOMPARE(titolo, QString("Compilazione e stampa dei bollettini postali."));
        // Seven paragraphs, each opening with its own words; the last is one sentence and no more.
        QCOMPARE(paragrafi.size(), 7);
        const char* const inizi[] = {
            "I bollettini postali sono salvati in archivi annuali, per cui bisogna, per prima cosa, indicare un "
            "anno solare e premere il pulsante Apri.",
            "I bollettini supportati sono quelli della serie TD 123 Mod. CH 8 Bis con conto corrente fino a "
            "dodici cifre emessi da Poste Italiane.",
            "La compilazione dei bollettini è facilitata dalla possibilità di importare i dati dall'archivio "
            "anagrafico messo a disposizione dal programma, che è studiato per",
            "Quando l'esecutore ha provveduto ad effettuare il pagamento, bisogna richiamare la scheda del "
            "bollettino, mettere il segno di spunta sulla casella Saldato e premere",
            "Per cercare un bollettino in archivio bisogna servirsi del pulsante Trova.",
            "In fase di stampa del bollettino postale sui modelli originali in bianco, il programma mette a "
            "disposizione un semplice ambiente per l'impostazione dei margini di stampa",
        };
        for (int i = 0; i < 6; ++i)
            QVERIFY2(paragrafi[i].startsWith(QString::fromUtf8(inizi[i])), qPrintable(paragrafi[i]));
        QCOMPARE(paragrafi[6], QString::fromUtf8("Ciascun archivio annuale dei bollettini può essere esportato in "
                                                 "un file di Microsoft Excel."));
    }

    // Both print commands print what the fields show, saved or not.
    void printCommandsTakeTheSlipOnScreen() {
        openYear();
        fillValid();
        QTest::keyClicks(w->txtImporto, "42");
        const TSchedaBollettino v = w->scheda();
        QCOMPARE(v.CCP.get(), QString("123456"));
        QCOMPARE(v.Importo.get(), QString("42"));
        QCOMPARE(v.ImpLettere.get(), QString("QUARANTADUE"));
        QCOMPARE(v.Intestatario.get(), QString("MARIO ROSSI"));
        QCOMPARE(v.DataScade.get(), QString("05/03/2024"));
        onNextModal([](QWidget* d) {
            QVERIFY(qobject_cast<TfrmStampaBolBis*>(d));
            static_cast<QDialog*>(d)->reject();
        });
        w->cmdStampa_su_Modulo->click();
        onNextModal([](QWidget* d) {
            QVERIFY(qobject_cast<TfrmStampaBolBis_A4*>(d));
            static_cast<QDialog*>(d)->reject();
        });
        w->cmdStampa_su_A4->click();
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!QFile::exists(archive())); // printing saves nothing
    }

    void closingHidesAndReportsIt() {
        QSignalSpy closed(w, &Workspace::chiuso);
        w->cmdEsci->click();
        QVERIFY(!w->isVisible());
        QCOMPARE(closed.size(), 1);
        w->mostra(); // the same window comes back on its year panel
        QVERIFY(w->panAvvio->isVisible());
    }
};

QTEST_MAIN(TstBollettino)
#include "tst_bollettino.moc"
