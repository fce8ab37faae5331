#include "ui/MessageService.h"
#include "registry/TfrmCarta.h"
#include "registry/TfrmCodFisc.h"
#include "registry/TfrmIban.h"
#include "registry/TfrmPartitaIva.h"
#include "common/RecordingMessages.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

std::unique_ptr<CheckDialog> apri(const QString& kind, const QString& testo = QString()) {
    if (kind == "cf") return std::make_unique<TfrmCodFisc>(nullptr, testo);
    if (kind == "piva") return std::make_unique<TfrmPartitaIva>(nullptr, testo);
    if (kind == "carta") return std::make_unique<TfrmCarta>(nullptr, testo);
    return std::make_unique<TfrmIban>(nullptr, testo);
}

QLineEdit* campo(CheckDialog& d) {
    for (const char* name : {"txtCodFisc", "txtPartitaIva", "txtNumero", "txtIban"})
        if (auto* e = d.findChild<QLineEdit*>(name)) return e;
    return nullptr;
}

// Types a script into the field: plain characters as key clicks, <Name> for a named key.
void digita(QLineEdit* e, const QString& script) {
    static const QHash<QString, Qt::Key> chiavi = {
        {"Home", Qt::Key_Home},   {"End", Qt::Key_End},      {"Tab", Qt::Key_Tab},    {"Left", Qt::Key_Left},
        {"Right", Qt::Key_Right}, {"BS", Qt::Key_Backspace}, {"Del", Qt::Key_Delete}, {"Up", Qt::Key_Up}};
    for (qsizetype i = 0; i < script.size(); ++i) {
        if (script[i] == u'<') {
            const qsizetype fine = script.indexOf(u'>', i);
            QTest::keyClick(e, chiavi.value(script.mid(i + 1, fine - i - 1)));
            i = fine;
        } else if (script[i].unicode() < 128) {
            QTest::keyClicks(e, script.mid(i, 1));
        } else {
            // A key that types a character beyond ASCII, as an Italian keyboard's accented keys do.
            QTest::sendKeyEvent(QTest::Press, e, Qt::Key_unknown, script.mid(i, 1), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, e, Qt::Key_unknown, script.mid(i, 1), Qt::NoModifier);
        }
    }
}

void mostra(CheckDialog& d) {
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
}

} // namespace

class TstCheckDialogs : public QObject {
    Q_OBJECT
private slots:
    void typing_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        // Trimmed and in capitals after every key: a blank typed at the end never stays.
        QTest::newRow("cf capitals") << "cf"
                                     << " rss mra80"
                                     << "RSSMRA80";
        QTest::newRow("cf accents stay") << "cf" << QStringLiteral("città") << QStringLiteral("CITTà");
        QTest::newRow("cf inner blank") << "cf"
                                        << "ab<Left> "
                                        << "A B";
        QTest::newRow("cf home works") << "cf"
                                       << "bc<Home>a"
                                       << "ABC";
        QTest::newRow("cf at most 16") << "cf"
                                       << "rssmra80a01h501uxyz"
                                       << "RSSMRA80A01H501U";
        QTest::newRow("iban capitals") << "iban"
                                       << "it60 x054"
                                       << "IT60X054";
        QTest::newRow("iban any character") << "iban"
                                            << "it-6/0"
                                            << "IT-6/0";
        QTest::newRow("iban at most 27") << "iban"
                                         << "IT60X0542811101000000123456789"
                                         << "IT60X0542811101000000123456";
        // Digits and the editing keys only.
        QTest::newRow("piva digits only") << "piva"
                                          << "12a3 4-5.6"
                                          << "123456";
        QTest::newRow("piva home swallowed") << "piva"
                                             << "12<Home>3"
                                             << "123";
        QTest::newRow("piva end swallowed") << "piva"
                                            << "12<Left><End>3"
                                            << "132";
        QTest::newRow("piva tab swallowed") << "piva"
                                            << "1<Tab>2"
                                            << "12";
        QTest::newRow("piva up swallowed") << "piva"
                                           << "12<Up>3"
                                           << "123";
        QTest::newRow("piva left and right") << "piva"
                                             << "12<Left>3<Right>4"
                                             << "1324";
        QTest::newRow("piva backspace") << "piva"
                                        << "123<Left><BS>4"
                                        << "143";
        QTest::newRow("piva delete") << "piva"
                                     << "123<Left><Left><Del>"
                                     << "13";
        QTest::newRow("piva at most 11") << "piva"
                                         << "1234567890123"
                                         << "12345678901";
        QTest::newRow("carta digits only") << "carta"
                                           << "4111 1111-abc"
                                           << "41111111";
        QTest::newRow("carta home swallowed") << "carta"
                                              << "41<Home>1"
                                              << "411";
        QTest::newRow("carta backspace") << "carta"
                                         << "4112<BS>1"
                                         << "4111";
    }
    void typing() {
        QFETCH(QString, kind);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        RecordingMessages messages;
        auto d = apri(kind);
        mostra(*d);
        QLineEdit* e = campo(*d);
        QVERIFY(e);
        QVERIFY(e->hasFocus());
        digita(e, keys);
        QCOMPARE(e->text(), text);
        QVERIFY(e->hasFocus());
        QVERIFY(messages.shown.isEmpty());
    }

    // The digit fields refuse typed characters, not pasted ones: the check judges what they hold.
    void pasteIsNotFiltered_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("piva, cut to 11") << "piva"
                                         << "4111-1111-1";
        QTest::newRow("carta") << "carta"
                               << "4111-1111-111A";
    }
    void pasteIsNotFiltered() {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        RecordingMessages messages;
        auto d = apri(kind);
        mostra(*d);
        QGuiApplication::clipboard()->setText("4111-1111-111A");
        QTest::keySequence(campo(*d), QKeySequence::Paste);
        QCOMPARE(campo(*d)->text(), text);
        QTest::mouseClick(d->btnControlla, Qt::LeftButton);
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown[0].text.contains("ERRATO"));
    }

    // An IBAN copied in groups of four loses its blanks before the length limit: it fits whole and
    // is judged right; pasted text never grows past 27 characters without them.
    void ibanPastedInGroups_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("groups of four") << "IT60 X054 2811 1010 0000 0123 456" << "IT60X0542811101000000123456"
                                        << "L'IBAN digitato è VALIDO.";
        QTest::newRow("small letters, no-break blanks")
            << QStringLiteral("it60\u00a0x054\u00a02811\u00a01010\u00a00000\u00a00123\u00a0456")
            << "IT60X0542811101000000123456" << "L'IBAN digitato è VALIDO.";
        QTest::newRow("too long, cut after the blanks go")
            << "IT60 X054 2811 1010 0000 0123 4567 89" << "IT60X0542811101000000123456"
            << "L'IBAN digitato è VALIDO.";
    }
    void ibanPastedInGroups() {
        QFETCH(QString, pasted);
        QFETCH(QString, text);
        QFETCH(QString, verdict);
        RecordingMessages messages;
        auto d = apri("iban");
        mostra(*d);
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keySequence(campo(*d), QKeySequence::Paste);
        QCOMPARE(campo(*d)->text(), text);
        QTest::mouseClick(d->btnControlla, Qt::LeftButton);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, verdict);
    }

    // The opener's grouped IBAN is judged as it stands, blanks and all.
    void ibanFromOpenerInGroups() {
        RecordingMessages messages;
        auto d = apri("iban", "IT60 X054 2811 1010 0000 0123 456");
        mostra(*d);
        QCOMPARE(campo(*d)->text(), "IT60 X054 2811 1010 0000 0123 456");
        QTest::mouseClick(d->btnControlla, Qt::LeftButton);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, "L'IBAN digitato è VALIDO.");
    }

    // Typing in the middle keeps the caret where the user is.
    void caretStaysWhileTyping() {
        auto d = apri("cf");
        mostra(*d);
        QLineEdit* e = campo(*d);
        digita(e, "rsmra<Left><Left><Left>s");
        QCOMPARE(e->text(), "RSSMRA");
        QCOMPARE(e->cursorPosition(), 3);
    }

    // Enter only moves the focus to "Controlla"; Enter there runs the check.
    void enterMovesToControlla_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("cf") << "cf"
                            << "RSSMRA80A01H501U";
        QTest::newRow("piva") << "piva"
                              << "00743110157";
        QTest::newRow("carta") << "carta"
                               << "4111111111111111";
        QTest::newRow("iban") << "iban"
                              << "IT60X0542811101000000123456";
    }
    void enterMovesToControlla() {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        RecordingMessages messages;
        auto d = apri(kind, text);
        mostra(*d);
        QLineEdit* e = campo(*d);
        QTest::keyClick(e, Qt::Key_Return);
        QVERIFY(d->btnControlla->hasFocus());
        QVERIFY(d->isVisible());
        QVERIFY(messages.shown.isEmpty());

        QTest::keyClick(d->btnControlla, Qt::Key_Return);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].kind, MessageService::Information);
        QVERIFY(!d->isVisible());
    }

    void controlla_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("opener");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("says");
        QTest::addColumn<bool>("staysOpen");
        const int info = MessageService::Information, warn = MessageService::Warning;
        QTest::newRow("cf valid") << "cf"
                                  << "RSSMRA80A01H501U" << info << "VALIDO" << false;
        QTest::newRow("cf small letters from the opener") << "cf"
                                                          << "rssmra80a01h501u" << info << "VALIDO" << false;
        QTest::newRow("cf wrong") << "cf"
                                  << "RSSMRA80A01H501V" << warn << "ERRATO" << false;
        QTest::newRow("cf 15") << "cf"
                               << "RSSMRA80A01H501" << warn << "16 caratteri" << true;
        QTest::newRow("cf empty") << "cf"
                                  << "" << warn << "16 caratteri" << true;
        QTest::newRow("piva valid") << "piva"
                                    << "00743110157" << info << "Comune di Milano 1." << false;
        QTest::newRow("piva wrong") << "piva"
                                    << "12345678904" << warn << "ERRATO" << false;
        QTest::newRow("piva 10") << "piva"
                                 << "0074311015" << warn << "11 caratteri" << true;
        QTest::newRow("piva pasted letter") << "piva"
                                            << "0074311015A" << warn << "ERRATO" << false;
        // A tax-code field of 16 digits is handed over whole: its first 11 digits alone would pass.
        QTest::newRow("piva 16 digits from the opener")
            << "piva"
            << "1234567890312345" << warn << "11 caratteri" << true;
        QTest::newRow("carta visa in groups") << "carta"
                                              << "4111 1111 1111 1111" << info << "tipo Visa." << false;
        QTest::newRow("carta 39") << "carta"
                                  << "3900000000000005" << info << "risulta valido." << false;
        QTest::newRow("carta wrong") << "carta"
                                     << "4111111111111112" << warn << "ERRATO" << false;
        QTest::newRow("carta empty") << "carta"
                                     << "" << warn << "immettere il numero" << true;
        QTest::newRow("iban valid") << "iban"
                                    << "IT60X0542811101000000123456" << info << "VALIDO" << false;
        QTest::newRow("iban small letters from the opener")
            << "iban"
            << "it60x0542811101000000123456" << info << "VALIDO" << false;
        QTest::newRow("iban wrong") << "iban"
                                    << "IT60X0542811101000000123457" << warn << "ERRATO" << false;
        QTest::newRow("iban 26") << "iban"
                                 << "IT60X054281110100000012345" << warn << "27 caratteri" << true;
    }
    void controlla() {
        QFETCH(QString, kind);
        QFETCH(QString, opener);
        QFETCH(int, box);
        QFETCH(QString, says);
        QFETCH(bool, staysOpen);
        RecordingMessages messages;
        auto d = apri(kind, opener);
        mostra(*d);
        QLineEdit* e = campo(*d);
        QCOMPARE(e->text(), opener); // the opener's text is shown as given
        QTest::mouseClick(d->btnControlla, Qt::LeftButton);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(int(messages.shown[0].kind), box);
        QVERIFY2(messages.shown[0].text.contains(says), qPrintable(messages.shown[0].text));
        QCOMPARE(d->isVisible(), staysOpen);
        if (staysOpen) {
            QVERIFY(e->hasFocus());
        } else {
            QCOMPARE(d->result(), int(QDialog::Accepted));
        }
    }

    // After the length warning the user corrects the field and checks again.
    void correctAfterLengthWarning() {
        RecordingMessages messages;
        auto d = apri("cf", "RSSMRA80A01H501");
        mostra(*d);
        QTest::mouseClick(d->btnControlla, Qt::LeftButton);
        QVERIFY(d->isVisible());
        QTest::keyClick(campo(*d), Qt::Key_End);
        QTest::keyClicks(campo(*d), "u");
        QTest::keyClick(campo(*d), Qt::Key_Return);
        QTest::keyClick(d->btnControlla, Qt::Key_Return);
        QCOMPARE(messages.shown.size(), 2);
        QCOMPARE(messages.shown[1].text, QStringLiteral("Il codice fiscale digitato è VALIDO."));
        QVERIFY(!d->isVisible());
    }

    void chiudiSaysNothing_data() {
        QTest::addColumn<QString>("kind");
        for (const char* k : {"cf", "piva", "carta", "iban"})
            QTest::newRow(k) << k;
    }
    void chiudiSaysNothing() {
        QFETCH(QString, kind);
        RecordingMessages messages;
        auto d = apri(kind, "123");
        mostra(*d);
        QTest::mouseClick(d->btnChiudi, Qt::LeftButton);
        QVERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QVERIFY(messages.shown.isEmpty());
    }

    // The look: a fixed size, the whole of the longest text visible in the field.
    void fixedSizeFitsTheField_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("longest");
        QTest::newRow("cf") << "cf"
                            << "WWWWWWWWWWWWWWWW";
        QTest::newRow("piva") << "piva"
                              << "88888888888";
        QTest::newRow("carta") << "carta" << QString(30, u'8');
        QTest::newRow("iban") << "iban"
                              << "IT60WWWWWWWWWWWWWWWWWWWWWWW";
    }
    void fixedSizeFitsTheField() {
        QFETCH(QString, kind);
        QFETCH(QString, longest);
        auto d = apri(kind, longest);
        mostra(*d);
        QCOMPARE(d->minimumSize(), d->maximumSize());
        QLineEdit* e = campo(*d);
        QVERIFY(e->font().fixedPitch() || QFontInfo(e->font()).fixedPitch());
        QVERIFY(e->font().bold());
        QVERIFY(e->fontMetrics().horizontalAdvance(longest) < e->contentsRect().width());
        QVERIFY(e->geometry().right() < d->width());
    }
};

QTEST_MAIN(TstCheckDialogs)
#include "tst_checkdialogs.moc"
