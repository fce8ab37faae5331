#include "RegistryTest.h"

#include "ui/Clock.h"
#include "ui/EntryForm.h"
#include "ui/MessageService.h"
#include "ui/ProgramFolder.h"
#include "ui/Shell.h"
#include "app/TfrmAvvio.h"
#include "ui/TfrmGuida.h"
#include "app/WindowSet.h"
#include "app/AccessoTest.h"
#include "archive/ArchiveError.h"
#include "archive/RecordFile.h"
#include "common/OpenFiles.h"
#include "registry/TfrmCarta.h"
#include "registry/TfrmCodFisc.h"
#include "registry/TfrmIban.h"
#include "registry/TfrmPartitaIva.h"
#include "registry/TfrmEsecutori.h"
#include "common/RecordingMessages.h"
#include "common/RecordingShell.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>

using M = MessageService;

namespace {
const QString kEmpty = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kInserted = QString::fromUtf8("La scheda corrente è stata inserita in archivio.");
const QString kChanged = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kNoName =
    QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare il nome dell'esecutore o beneficiario.");
constexpr int kCard = 2997;
} // namespace

class TstEsecutori : public QObject {
    Q_OBJECT
    TemporaryProgramFolder m_dir;
    FixedClock m_clock{QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30))};
    TfrmEsecutori* w = nullptr;
    RecordingMessages* msgs = nullptr;
    RecordingShell shell;

    QString archive() const { return m_dir.filePath("Esecutori.pro"); }
    qint64 fileSize() const { return QFileInfo(archive()).size(); }
    QByteArray card(int n) const { return readAll(archive()).mid((n - 1) * kCard, kCard); }
    void saveCards(int n) {
        for (int i = 1; i <= n; ++i) {
            w->cmdNuovoClick();
            w->txtEsecutore->setText(QStringLiteral("PERSONA %1").arg(i));
            w->cmdSalvaClick();
        }
        msgs->clear();
    }

private slots:
    void init() {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        msgs = new RecordingMessages;
        shell.opened.clear();
        w = new TfrmEsecutori;
        w->mostra();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    void cleanup() {
        delete w;
        delete msgs;
    }

    // A card with only the name writes every other field empty, the flag "No", nothing else.
    void savesNameOnlyCardByteExact() {
        QTest::keyClicks(w->txtEsecutore, "  rossi mario  ");
        w->cmdSalvaClick();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Information);
        QCOMPARE(msgs->shown[0].text, kInserted);
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("1"));
        const QByteArray raw = readAll(archive());
        QCOMPARE(raw.size(), kCard);
        QCOMPARE(fieldAt(raw, 0), QByteArray("ROSSI MARIO"));
        QCOMPARE(fieldAt(raw, 1488), QByteArray("No"));
        // Every other length byte is zero.
        int offset = 0, nonEmpty = 0;
        TSchedaAnagrafica layout{};
        forEachField(layout, [&](const char* name, auto& f) {
            if (quint8(raw[offset]) != 0 && qstrcmp(name, "Esecutore") && qstrcmp(name, "Ricontatta")) ++nonEmpty;
            offset += int(sizeof(f));
        });
        QCOMPARE(nonEmpty, 0);
        QCOMPARE(w->txtEsecutore->text(), QStringLiteral("  ROSSI MARIO  ")); // the screen keeps what was typed
    }

    // Every control lands in its own field at its own offset, trimmed and cut to the field.
    void savesEveryFieldAtItsOffset_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("name cut to 34") << "txtEsecutore" << QString(40, u'a') << 0 << QByteArray(34, 'A');
        QTest::newRow("day") << "txtGG" << "7" << 35 << QByteArray("7");
        QTest::newRow("year two characters") << "txtAA" << "85" << 41 << QByteArray("85");
        QTest::newRow("birth place") << "txtComuneNasc" << QString::fromUtf8("Forlì") << 44
                                     << QByteArray("Forl\xec");
        QTest::newRow("province of birth") << "txtProvNasc" << "fc" << 95 << QByteArray("FC");
        QTest::newRow("sex") << "txtSesso" << "f" << 98 << QByteArray("F");
        QTest::newRow("street cut to 23") << "txtIndirizzoRes" << QString(30, u'v') << 151 << QByteArray(23, 'V');
        QTest::newRow("province of residence") << "txtProvRes" << " rm" << 175 << QByteArray("RM");
        QTest::newRow("municipality cut to 17") << "txtComuneRes" << QString(20, u'c') << 178 << QByteArray(17, 'C');
        QTest::newRow("postal code") << "txtCapRes" << "00100" << 196 << QByteArray("00100");
        QTest::newRow("e-mail trimmed") << "txtEmail" << " a@b.it " << 377 << QByteArray("a@b.it");
        QTest::newRow("tax code") << "txtCodFisc" << "rssmra85t10a562s" << 428 << QByteArray("RSSMRA85T10A562S");
        QTest::newRow("card digits") << "txtCarta" << "4111-1111 1111 1111" << 445 << QByteArray("4111111111111111");
        QTest::newRow("VAT number") << "txtPartitaIva" << "01234567890" << 507 << QByteArray("01234567890");
        QTest::newRow("IBAN") << "txtIban" << "it60x0542811101000000123456" << 519
                              << QByteArray("IT60X0542811101000000123456");
        QTest::newRow("issue date") << "txtDataRil" << "01/02/2020" << 700 << QByteArray("01/02/2020");
        QTest::newRow("expiry date") << "txtDataSca" << "01/02/2030" << 711 << QByteArray("01/02/2030");
        QTest::newRow("postal account") << "txtCCP" << "12345678" << 722 << QByteArray("12345678");
        QTest::newRow("reason 2") << "txtCausale02" << "quota 2024" << 986 << QByteArray("quota 2024");
        QTest::newRow("notes") << "txtNote" << "  da sentire " << 1237 << QByteArray("da sentire");
    }
    void savesEveryFieldAtItsOffset() {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(int, offset);
        QFETCH(QByteArray, stored);
        if (control != QLatin1String("txtEsecutore")) QTest::keyClicks(w->txtEsecutore, "nome");
        auto* field = w->findChild<QWidget*>(control);
        QVERIFY(field);
        field->setFocus();
        typeText(field, typed);
        w->txtNote->setFocus(); // leaving a field applies its rule
        w->cmdSalvaClick();
        QCOMPARE(fieldAt(readAll(archive()), offset), stored);
    }

    void savesFlagAndAttachments() {
        QTest::keyClicks(w->txtEsecutore, "x");
        w->chkRicontatta->setChecked(true);
        w->lblFile01->setText("carta.pdf");
        w->lblDesc03->setText(" terza ");
        w->cmdSalvaClick();
        const QByteArray raw = readAll(archive());
        QCOMPARE(fieldAt(raw, 1488), QByteArray("S\xec"));
        QCOMPARE(fieldAt(raw, 1491), QByteArray("carta.pdf"));
        QCOMPARE(fieldAt(raw, 2746), QByteArray("terza"));
    }

    // A card written by another program, with dirty bytes after each length, reads back exactly,
    // and saving it unchanged writes the same field contents.
    void readsForeignCardExactly() {
        const QList<std::pair<QString, QByteArray>> fields = {
            {"Esecutore", "BIANCHI ANNA"}, {"GG", "03"},          {"ComuneNasc", "Canneto sull'Oglio"},
            {"ProvNasc", "MN"},            {"Email", "anna@x.it"}, {"CodFisc", "BNCNNA80A43B612X"},
            {"CCP", "99887766"},           {"Causale01", "Quota sociale \x80 10"},
            {"Note", "Perch\xe9 s\xec"},   {"Ricontatta", "S\xec"}, {"File02", "doc.pdf"},
            {"Desc02", "Carta d'identit\xe0"}};
        appendRaw(archive(), rawCard(fields));
        w->cmdPrimoClick();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(w->txtEsecutore->text(), QStringLiteral("BIANCHI ANNA"));
        QCOMPARE(w->txtProvNasc->currentText(), QStringLiteral("MN"));
        QCOMPARE(w->txtCausale01->text(), QString::fromUtf8("Quota sociale € 10"));
        QCOMPARE(w->txtNote->text(), QString::fromUtf8("Perché sì"));
        QVERIFY(w->chkRicontatta->isChecked());
        QCOMPARE(w->lblFile02->text(), QStringLiteral("doc.pdf"));
        QCOMPARE(w->lblDesc02->text(), QString::fromUtf8("Carta d'identità"));
        QCOMPARE(w->txtGG->text(), QStringLiteral("03"));
        QCOMPARE(w->txtMM->text(), QString());

        const QByteArray before = card(1);
        w->cmdSalvaClick();
        QCOMPARE(msgs->shown.last().text, kChanged);
        const QByteArray after = card(1);
        QCOMPARE(fileSize(), qint64(kCard));
        int offset = 0;
        TSchedaAnagrafica layout{};
        forEachField(layout, [&](const char* name, auto& f) {
            QVERIFY2(fieldAt(before, offset) == fieldAt(after, offset), name);
            offset += int(sizeof(f));
        });
    }

    void appendsAfterSevenCards() {
        saveCards(7);
        QTest::keyClicks(w->txtEsecutore, "ottavo");
        w->cmdNuovoClick();
        QTest::keyClicks(w->txtEsecutore, "ottavo");
        w->cmdSalvaClick();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("8"));
        QCOMPARE(fileSize(), qint64(8 * kCard));
        QCOMPARE(readAll(archive()).mid(20979 + 1, 6), QByteArray("OTTAVO"));
    }

    void overwriteKeepsLengthAndNumber() {
        saveCards(8);
        w->lblPosizione->setText("2");
        w->cmdAvantiClick();
        QCOMPARE(w->txtEsecutore->text(), QStringLiteral("PERSONA 3"));
        w->txtEsecutore->setText("CAMBIATO");
        w->cmdSalvaClick();
        QCOMPARE(msgs->shown.last().text, kChanged);
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("3"));
        QCOMPARE(fileSize(), qint64(8 * kCard));
        QCOMPARE(fieldAt(card(3), 0), QByteArray("CAMBIATO"));
        QCOMPARE(fieldAt(card(4), 0), QByteArray("PERSONA 4"));
    }

    // A piece of a card at the end is not a card; the next one is written over it.
    void partialTailIsOverwritten() {
        saveCards(2);
        appendRaw(archive(), QByteArray(100, 'x'));
        w->cmdUltimoClick();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
        w->cmdNuovoClick();
        QTest::keyClicks(w->txtEsecutore, "terzo");
        w->cmdSalvaClick();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("3"));
        QCOMPARE(fileSize(), qint64(3 * kCard));
        QCOMPARE(fieldAt(card(3), 0), QByteArray("TERZO"));
    }

    // Every stored field has its control, and every entry field a name a screen reader says.
    void fieldsAreBoundAndNamed() {
        TSchedaAnagrafica r{};
        forEachField(r, [this](const char* name, auto&) { QVERIFY2(w->fields().control(QLatin1String(name)), name); });
        for (QWidget* e : w->findChildren<QWidget*>()) {
            if (!qobject_cast<QLineEdit*>(e) && !qobject_cast<QComboBox*>(e)) continue;
            if (qobject_cast<QComboBox*>(e->parentWidget())) continue; // the province's own edit line
            QVERIFY2(!e->accessibleName().isEmpty(), qPrintable(e->objectName()));
        }
        QCOMPARE(w->txtEsecutore->accessibleName(), QString("Cognome e nome o ragione sociale"));
        QCOMPARE(w->txtMM->accessibleName(), QString("Mese di nascita"));
        QCOMPARE(w->txtProvRes->accessibleName(), QString("Provincia di residenza"));
    }

    void refusesBlankName() {
        QTest::keyClicks(w->txtEsecutore, "   ");
        w->txtNote->setFocus();
        w->cmdSalvaClick();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Warning);
        QCOMPARE(msgs->shown[0].text, kNoName);
        QVERIFY(!QFile::exists(archive()));
        QCOMPARE(QApplication::focusWidget(), w->txtEsecutore);
        QCOMPARE(w->txtEsecutore->selectedText(), QString("   ")); // typing replaces the blanks
        QCOMPARE(w->lblPosizione->text(), QString());
    }

    // Navigation: which card each arrow shows, and what it says.
    void navigation_data() {
        QTest::addColumn<int>("cards");
        QTest::addColumn<QString>("position");
        QTest::addColumn<QString>("arrow");
        QTest::addColumn<QString>("shown");   // position afterwards
        QTest::addColumn<QString>("message"); // information text, or empty for none
        QTest::newRow("first, empty") << 0 << "" << "cmdPrimo" << "" << kEmpty;
        QTest::newRow("last, empty") << 0 << "" << "cmdUltimo" << "" << kEmpty;
        QTest::newRow("next, empty") << 0 << "" << "cmdAvanti" << "" << kEmpty;
        QTest::newRow("previous, empty") << 0 << "" << "cmdIndietro" << "" << kEmpty;
        QTest::newRow("first") << 5 << "3" << "cmdPrimo" << "1" << "";
        QTest::newRow("last") << 5 << "" << "cmdUltimo" << "5" << "";
        QTest::newRow("next on new card") << 5 << "" << "cmdAvanti" << "1" << "";
        QTest::newRow("previous on new card") << 5 << "" << "cmdIndietro" << "1" << "";
        QTest::newRow("next") << 5 << "2" << "cmdAvanti" << "3" << "";
        QTest::newRow("previous") << 5 << "4" << "cmdIndietro" << "3" << "";
        QTest::newRow("next on last") << 5 << "5" << "cmdAvanti" << "5" << "";
        QTest::newRow("previous on first") << 5 << "1" << "cmdIndietro" << "1" << "";
    }
    void navigation() {
        QFETCH(int, cards);
        QFETCH(QString, position);
        QFETCH(QString, arrow);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        saveCards(cards);
        w->cmdNuovoClick();
        w->txtNote->setText("non salvato");
        w->lblPosizione->setText(position);
        QTest::mouseClick(w->findChild<QToolButton*>(arrow), Qt::LeftButton);
        QCOMPARE(w->lblPosizione->text(), shown);
        if (message.isEmpty()) {
            QVERIFY(msgs->shown.isEmpty());
        } else {
            QCOMPARE(msgs->shown.size(), 1);
            QCOMPARE(msgs->shown[0].kind, M::Information);
            QCOMPARE(msgs->shown[0].text, message);
        }
        if (shown != position) {
            QCOMPARE(w->txtEsecutore->text(), QStringLiteral("PERSONA %1").arg(shown));
            QCOMPARE(w->txtNote->text(), QString());
        }
        QCOMPARE(fileSize(), qint64(cards * kCard)); // the first operation creates the empty archive
    }

    void loadingKeepsFlagForUnknownValue() {
        appendRaw(archive(), rawCard({{"Esecutore", "A"}, {"Ricontatta", "No"}}));
        appendRaw(archive(), rawCard({{"Esecutore", "B"}, {"Ricontatta", "??"}}));
        appendRaw(archive(), rawCard({{"Esecutore", "C"}, {"Ricontatta", "S\xec"}}));
        w->chkRicontatta->setChecked(true);
        w->cmdPrimoClick();
        QVERIFY(!w->chkRicontatta->isChecked());
        w->cmdAvantiClick();
        QCOMPARE(w->txtEsecutore->text(), QStringLiteral("B"));
        QVERIFY(!w->chkRicontatta->isChecked());
        w->cmdAvantiClick();
        QVERIFY(w->chkRicontatta->isChecked());
        w->cmdIndietroClick();
        QVERIFY(w->chkRicontatta->isChecked());
    }

    // A box waiting for OK never keeps the registry open: it is closed before the box shows.
    void boxesWaitWithTheRegistryClosed_data() {
        QTest::addColumn<int>("cards");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("Primo, empty registry") << 0 << "cmdPrimo" << kEmpty;
        QTest::newRow("Ultimo, empty registry") << 0 << "cmdUltimo" << kEmpty;
        QTest::newRow("Avanti, empty registry") << 0 << "cmdAvanti" << kEmpty;
        QTest::newRow("Indietro, empty registry") << 0 << "cmdIndietro" << kEmpty;
        QTest::newRow("Salva, new card") << 0 << "cmdSalva" << kInserted;
        QTest::newRow("Salva, saved card") << 1 << "cmdSalva" << kChanged;
    }
    void boxesWaitWithTheRegistryClosed() {
        QFETCH(int, cards);
        QFETCH(QString, command);
        QFETCH(QString, message);
        saveCards(cards);
        { // the registry exists, empty or not, so that its being open can be seen
            RecordFile<TSchedaAnagrafica> f(archive());
            QVERIFY(openInThisProcess(archive()));
        }
        delete msgs;
        auto* watching = new MessagesWatchingAFile(archive());
        msgs = watching;
        if (cards == 0) w->txtEsecutore->setText("ROSSI MARIO");
        QTest::mouseClick(w->findChild<QToolButton*>(command), Qt::LeftButton);
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Information);
        QCOMPARE(msgs->shown[0].text, message);
        QCOMPARE(watching->openWhileShown, QList<bool>{false});
    }

    void duplicate() {
        saveCards(4);
        w->cmdUltimoClick();
        w->txtCCP->setText("123");
        w->chkRicontatta->setChecked(true);
        w->lblFile01->setText("a.pdf");
        w->lblDesc01->setText("desc");
        msgs->clear();
        w->cmdDuplicaClick();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Information);
        QCOMPARE(msgs->shown[0].text, QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda "
                                                     "corrente.\n\r\n\rAl termine premere Salva per inserire la "
                                                     "scheda in archivio."));
        QCOMPARE(w->lblPosizione->text(), QString());
        QCOMPARE(w->lblFile01->text(), QString());
        QCOMPARE(w->lblDesc01->text(), QString());
        QCOMPARE(w->txtEsecutore->text(), QStringLiteral("PERSONA 4"));
        QCOMPARE(w->txtCCP->text(), QStringLiteral("123"));
        QVERIFY(w->chkRicontatta->isChecked());
        w->cmdSalvaClick();
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("5"));
        QCOMPARE(fieldAt(card(5), 722), QByteArray("123"));
        QCOMPARE(fieldAt(card(5), 1491), QByteArray());
        QCOMPARE(fieldAt(card(4), 722), QByteArray()); // the original stays as saved
    }

    void duplicateRefusedOnNewCard() {
        QTest::keyClicks(w->txtEsecutore, "nuovo");
        w->lblFile01->setText("a.pdf");
        w->cmdDuplicaClick();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Warning);
        QCOMPARE(msgs->shown[0].text, QString::fromUtf8("Attenzione: la duplicazione di una scheda può avvenire "
                                                        "soltanto dopo che questa è stata inserita in archivio."));
        QCOMPARE(w->lblFile01->text(), QStringLiteral("a.pdf"));
    }

    // An archive that cannot be opened: the access text, and the screen as it was.
    void accessFailure_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("Salva") << "cmdSalva";
        QTest::newRow("Primo") << "cmdPrimo";
        QTest::newRow("Ultimo") << "cmdUltimo";
        QTest::newRow("Avanti") << "cmdAvanti";
        QTest::newRow("Indietro") << "cmdIndietro";
        QTest::newRow("Duplica") << "cmdDuplica";
    }
    void accessFailure() {
        QFETCH(QString, command);
        QVERIFY(QDir(m_dir.path()).mkdir("Esecutori.pro"));
        w->txtEsecutore->setText("A SCHERMO");
        w->lblPosizione->setText("2");
        QTest::mouseClick(w->findChild<QToolButton*>(command), Qt::LeftButton);
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].kind, M::Error);
        QCOMPARE(msgs->shown[0].text, kTestoAccesso);
        QCOMPARE(w->txtEsecutore->text(), QStringLiteral("A SCHERMO"));
        // Duplica has cleared the number before it tests the archive; the others keep it.
        QCOMPARE(w->lblPosizione->text(), command == QLatin1String("cmdDuplica") ? QString() : QStringLiteral("2"));
    }

    // Key rules, typed key by key.
    void typingRules_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("name upper, accents kept") << "txtEsecutore" << QString::fromUtf8("perché sì")
                                                  << QString::fromUtf8("PERCHé Sì");
        QTest::newRow("name capacity") << "txtEsecutore" << QString(36, u'x') << QString(34, u'X');
        QTest::newRow("sex upper, one character") << "txtSesso" << "mf" << "M";
        QTest::newRow("street upper") << "txtIndirizzoRes" << "via roma 1" << "VIA ROMA 1";
        QTest::newRow("birth place as typed") << "txtComuneNasc" << "Forli" << "Forli";
        QTest::newRow("tax code trimmed and upper") << "txtCodFisc" << " rss m" << "RSSM";
        QTest::newRow("IBAN trimmed and upper") << "txtIban" << " it60 x" << "IT60X";
        QTest::newRow("IBAN capacity") << "txtIban" << QString(30, u'x') << QString(27, u'X');
        QTest::newRow("e-mail trimmed, case kept") << "txtEmail" << " Ab@c.IT " << "Ab@c.IT";
        QTest::newRow("postal account digits") << "txtCCP" << "12a -3 4" << "1234";
        QTest::newRow("VAT digits, capacity") << "txtPartitaIva" << "0123456789012" << "01234567890";
        QTest::newRow("card digits") << "txtCarta" << "4111 x-1" << "41111";
        QTest::newRow("province upper and trimmed") << "txtProvNasc" << " mi" << "MI";
        QTest::newRow("province two characters") << "txtProvRes" << "rmx" << "RM";
        QTest::newRow("notes as typed") << "txtNote" << " Da sentire" << " Da sentire";
    }
    void typingRules() {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        auto* field = w->findChild<QWidget*>(control);
        QVERIFY(field);
        field->setFocus();
        typeText(field, typed);
        auto* combo = qobject_cast<QComboBox*>(field);
        const QString text = combo ? combo->currentText() : static_cast<QLineEdit*>(field)->text();
        QCOMPARE(text, shown);
    }

    // An IBAN pasted in groups of four fits whole, and is saved without its blanks.
    void ibanPastedInGroups() {
        w->txtIban->setFocus();
        QGuiApplication::clipboard()->setText(QStringLiteral("it60 x054 2811 1010 0000 0123 456"));
        QTest::keySequence(w->txtIban, QKeySequence::Paste);
        QCOMPARE(w->txtIban->text(), QStringLiteral("IT60X0542811101000000123456"));
    }

    void digitFieldsKeepEditingKeys() {
        w->txtCCP->setFocus();
        QTest::keyClicks(w->txtCCP, "1234");
        QTest::keyClick(w->txtCCP, Qt::Key_Left);
        QTest::keyClick(w->txtCCP, Qt::Key_Backspace);
        QTest::keyClick(w->txtCCP, Qt::Key_Right);
        QTest::keyClick(w->txtCCP, Qt::Key_Minus);
        QTest::keyClick(w->txtCCP, Qt::Key_Space);
        QCOMPARE(w->txtCCP->text(), QStringLiteral("124"));
        QTest::keyClick(w->txtCCP, Qt::Key_Left);
        QTest::keyClick(w->txtCCP, Qt::Key_Left);
        QTest::keyClick(w->txtCCP, Qt::Key_Delete);
        QCOMPARE(w->txtCCP->text(), QStringLiteral("14"));
    }

    void provinceLeavingTrimsAndKeepsText() {
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->txtProvNasc->setCurrentIndex(3);
        w->txtProvNasc->setEditText(" t");
        w->txtProvNasc->setFocus();
        QCOMPARE(w->txtProvNasc->currentIndex(), -1);
        QCOMPARE(w->txtProvNasc->currentText(), QStringLiteral(" t")); // the text survives the reset
        w->txtSesso->setFocus();
        QCOMPARE(w->txtProvNasc->currentText(), QStringLiteral("T"));
        QCOMPARE(w->txtProvNasc->count(), 112);
        QCOMPARE(w->txtProvNasc->itemText(0), QStringLiteral("AG"));
        QCOMPARE(w->txtProvNasc->itemText(111), QStringLiteral("VV"));
    }

    // Enter walks the fields in screen order and comes back from the notes to the name.
    void enterRing() {
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        const QStringList order = {"txtEsecutore", "txtGG", "txtMM", "txtAA", "txtComuneNasc", "txtProvNasc",
                                   "txtSesso", "txtRecapito", "txtIndirizzoRes", "txtProvRes", "txtComuneRes",
                                   "txtCapRes", "txtCategoria", "txtTelCasa", "txtTelUff", "txtTelCel", "txtFax",
                                   "txtEmail", "txtCodFisc", "txtCarta", "txtScadeCarta", "txtPartitaIva", "txtIban",
                                   "txtTipoDoc", "txtNumDoc", "txtEnteRil", "txtDataRil", "txtDataSca", "txtCCP",
                                   "txtCausale01", "txtCausale02", "txtNote", "txtEsecutore"};
        w->txtEsecutore->setFocus();
        for (int i = 0; i + 1 < order.size(); ++i) {
            QWidget* f = QApplication::focusWidget();
            QVERIFY(f);
            const QString name = qobject_cast<QComboBox*>(f->parentWidget()) ? f->parentWidget()->objectName()
                                                                              : f->objectName();
            QCOMPARE(name, order[i]);
            // The focused field shows its yellow frame, and only it.
            auto* frame = w->findChild<QWidget*>(QStringLiteral("eff") + order[i].mid(3));
            QVERIFY2(frame && frame->isVisible(), qPrintable(order[i]));
            QTest::keyClick(f, Qt::Key_Return);
            QVERIFY2(!frame->isVisible() || order[i + 1] == order[i], qPrintable(order[i]));
        }
        QCOMPARE(QApplication::focusWidget(), w->txtEsecutore);
    }

    // A yellow frame reaches 4 pixels above its field, into the caption over it: the caption is
    // painted above the frame, so its descenders stay whole while the field has the focus.
    void framesStayUnderTheCaptions() {
        int reached = 0;
        for (QWidget* frame : w->findChildren<QWidget*>(QRegularExpression("^eff"))) {
            const QObjectList& siblings = frame->parentWidget()->children();
            for (QObject* o : siblings) {
                auto* l = qobject_cast<QLabel*>(o);
                if (!l || l->isHidden() || !l->geometry().intersects(frame->geometry())) continue;
                ++reached;
                QVERIFY2(siblings.indexOf(l) > siblings.indexOf(frame),
                         qPrintable(frame->objectName() + " over " + l->text()));
            }
        }
        QVERIFY(reached > 0);
    }

    void newCardClearsEverything() {
        saveCards(1);
        w->cmdPrimoClick();
        w->lblFile01->setText("x");
        w->chkRicontatta->setChecked(true);
        w->txtProvRes->setEditText("RM");
        w->cmdNuovoClick();
        QCOMPARE(w->txtEsecutore->text(), QString());
        QCOMPARE(w->txtProvRes->currentText(), QString());
        QCOMPARE(w->txtProvRes->currentIndex(), -1);
        QVERIFY(!w->chkRicontatta->isChecked());
        QCOMPARE(w->lblFile01->text(), QString());
        QCOMPARE(w->lblPosizione->text(), QString());
    }

    void hints_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Nuovo") << "cmdNuovo" << "Prepara la schermata per la registrazione di una nuova scheda.";
        QTest::newRow("Allega") << "cmdFile" << "Allega file alla scheda corrente.";
        QTest::newRow("PDF") << "cmdPDF" << "Esporta la scheda in formato PDF.";
        QTest::newRow("Ricontatta") << "cmdRicontatta"
                                    << "Visualizza l'elenco dei beneficiari o esecutori da ricontattare.";
        QTest::newRow("Ultimo") << "cmdUltimo" << "Visualizza l'ultima scheda in archivio.";
        QTest::newRow("IBAN") << "btnIban" << "Controlla l'IBAN.";
        QTest::newRow("e-mail") << "btnEmail" << "Invia una e-mail all'indirizzo indicato.";
        QTest::newRow("flag") << "chkRicontatta"
                              << QString::fromUtf8("Annota che il beneficiario o l'esecutore è da ricontattare per "
                                                   "questioni in sospeso.");
    }
    void hints() {
        QFETCH(QString, control);
        QFETCH(QString, hint);
        QCOMPARE(w->panInfo->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
        auto* c = w->findChild<QWidget*>(control);
        QVERIFY(c);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(c, &enter);
        QCOMPARE(w->panInfo->text(), hint);
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w->panContainer, &move);
        QCOMPARE(w->panInfo->text(), QString());
    }

    void emailButton_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("target");
        QTest::newRow("address") << "  info@esempio.it" << "mailto:info@esempio.it";
        QTest::newRow("empty") << "" << "mailto:";
    }
    void emailButton() {
        QFETCH(QString, address);
        QFETCH(QString, target);
        w->txtEmail->setText(address);
        QTest::mouseClick(w->btnEmail, Qt::LeftButton);
        QCOMPARE(shell.opened, QList<QUrl>{QUrl(target)});
        QVERIFY(msgs->shown.isEmpty());
    }

    // Each check button opens its dialog with the field's trimmed text; nothing comes back.
    void checkButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("dialogField");
        QTest::newRow("tax code") << "btnCodFisc" << "txtCodFisc" << "RSSMRA85T10A562S" << "TfrmCodFisc"
                                  << "RSSMRA85T10A562S";
        QTest::newRow("tax code of digits") << "btnCodFisc" << "txtCodFisc" << "01234567890" << "TfrmPartitaIva"
                                            << "01234567890";
        QTest::newRow("empty tax code") << "btnCodFisc" << "txtCodFisc" << "" << "TfrmCodFisc" << "";
        QTest::newRow("digits and a letter") << "btnCodFisc" << "txtCodFisc" << "0123456789X" << "TfrmCodFisc"
                                             << "0123456789X";
        QTest::newRow("VAT number") << "btnPartitaIva" << "txtPartitaIva" << "01234567890" << "TfrmPartitaIva"
                                    << "01234567890";
        QTest::newRow("card") << "btnCarta" << "txtCarta" << "4111111111111111" << "TfrmCarta"
                              << "4111111111111111";
        QTest::newRow("IBAN") << "btnIban" << "txtIban" << "IT60X0542811101000000123456" << "TfrmIban"
                              << "IT60X0542811101000000123456";
    }
    void checkButtons() {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, dialog);
        QFETCH(QString, dialogField);
        auto* edit = w->findChild<QLineEdit*>(field);
        edit->setText(text);
        QString seenClass, seenText;
        onNextModal([&](QWidget* d) {
            seenClass = QString::fromLatin1(d->metaObject()->className());
            if (auto* c = qobject_cast<CheckDialog*>(d)) seenText = c->testo();
            static_cast<QDialog*>(d)->reject();
        });
        QTest::mouseClick(w->findChild<QToolButton*>(button), Qt::LeftButton);
        QCOMPARE(seenClass, dialog);
        QCOMPARE(seenText, dialogField);
        QCOMPARE(edit->text(), text);
    }

    void help() {
        QString title, body;
        onNextModal([&](QWidget* d) {
            auto* g = qobject_cast<TfrmGuida*>(d);
            QVERIFY(g);
            title = g->lblTitolo->text();
            body = g->txtGuida->toPlainText();
            g->reject();
        });
        QTest::mouseClick(w->cmdGuida, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("Applicazione Archivio Anagrafico."));
        QVERIFY(body.startsWith(QString::fromUtf8("L'applicazione Archivio Anagrafico è utile")));
        QVERIFY(body.contains(QString::fromUtf8("La funzione Allega file consente di abbinare alla scheda")));
    }

    // The start screen's registry tile shows this workspace, empty; closing it brings the start screen back.
    void openedFromStartScreen() {
        WindowSet set;
        entra(set);
        set.esecutori->txtEsecutore->setText("RESTO");
        emit set.avvio->apriAnagrafica();
        QVERIFY(set.esecutori->isVisible());
        QVERIFY(!set.avvio->isVisible());
        QCOMPARE(set.esecutori->txtEsecutore->text(), QString());
        QCOMPARE(set.esecutori->windowTitle(), QStringLiteral(" Versalio - Archivio Anagrafico"));
        QTest::mouseClick(set.esecutori->cmdEsci, Qt::LeftButton);
        QVERIFY(!set.esecutori->isVisible());
        QVERIFY(set.avvio->isVisible());
    }
};

QTEST_MAIN(TstEsecutori)
#include "tst_esecutori.moc"
