#include "checks/CartaCredito.h"
#include "checks/CodiceFiscale.h"
#include "checks/Iban.h"
#include "checks/PartitaIva.h"
#include "checks/Verdetto.h"

#include <QTest>

Q_DECLARE_METATYPE(Verdetto::Esito)

namespace {

const QString kLungo = QString(200000, QLatin1Char('7'));
// Cyrillic letters that look like Latin ones, and Arabic-Indic digits.
const QString kCirillico = QStringLiteral("РССМРА80А01Н501U");
const QString kCifreArabe = QStringLiteral("٠٠٧٤٣١١٠١٥٧");

} // namespace

class TstChecks : public QObject {
    Q_OBJECT
private slots:
    void codFisc_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("valid");
        QTest::newRow("published example") << "RSSMRA80A01H501U" << true;
        QTest::newRow("second example") << "MRTMTT25D09F205Z" << true;
        QTest::newRow("one digit replaced by a letter") << "RSSMRA80A01H50MM" << true;
        QTest::newRow("every digit replaced") << "RSSMRALPAMNHRMPK" << true;
        QTest::newRow("worked: eight odd A worth 1") << "AAAAAAAAAAAAAAAI" << true;
        QTest::newRow("wrong check letter") << "RSSMRA80A01H501V" << false;
        QTest::newRow("check character is a digit") << "RSSMRA80A01H5010" << false;
        QTest::newRow("small check letter") << "RSSMRA80A01H501u" << false;
        // The punctuation between '9' and 'A' would count 0 and make this pass.
        QTest::newRow("punctuation only") << ":::::::::::::::A" << false;
        QTest::newRow("punctuation inside") << "RSSMRA80A01H50@U" << false;
        QTest::newRow("blank inside") << "RSSMRA 0A01H501U" << false;
        QTest::newRow("accented letter") << QStringLiteral("RSSMRÀ80A01H501U") << false;
        QTest::newRow("cyrillic look-alike") << kCirillico << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("15 characters") << "RSSMRA80A01H501" << false;
        QTest::newRow("17 characters") << "RSSMRA80A01H501UX" << false;
        QTest::newRow("very long") << kLungo << false;
    }
    void codFisc() {
        QFETCH(QString, code);
        QFETCH(bool, valid);
        QCOMPARE(ControllaCodFisc(code), valid);
    }

    // Each character in the first (odd) and second (even) position, the rest "A": the expected
    // check letters come from the published tables, so a mistyped value shows up here.
    void codFiscTableValues() {
        const QString caratteri = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        const QString attesiDispari = QStringLiteral("IHMOQUWYACIHMOQUWYACJLZBSKNPTVXRDGFE");
        const QString attesiPari = QStringLiteral("IJKLMNOPQRIJKLMNOPQRSTUVWXYZABCDEFGH");
        for (qsizetype i = 0; i < caratteri.size(); ++i) {
            const QString c = caratteri.mid(i, 1);
            const QString dispari = c + QString(14, u'A');
            const QString pari = QStringLiteral("A") + c + QString(13, u'A');
            QVERIFY2(ControllaCodFisc(dispari + attesiDispari[i]), qPrintable(dispari));
            QVERIFY2(ControllaCodFisc(pari + attesiPari[i]), qPrintable(pari));
        }
    }

    void partitaIva_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("valid");
        QTest::newRow("valid") << "00743110157" << true;
        QTest::newRow("doubled digits over 9") << "12345678903" << true;
        QTest::newRow("sum multiple of 10 wants 0") << "00000080010" << true;
        QTest::newRow("sum multiple of 10, 9 given") << "00000080019" << false;
        QTest::newRow("wrong check digit") << "12345678904" << false;
        QTest::newRow("letter as check digit") << "1234567890A" << false;
        QTest::newRow("letter O for zero") << "0O743110157" << false;
        QTest::newRow("blank inside") << "0074311 157" << false;
        QTest::newRow("arabic-indic digits") << kCifreArabe << false;
        QTest::newRow("10 digits") << "0074311015" << false;
        QTest::newRow("12 digits") << "007431101570" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("very long") << kLungo << false;
    }
    void partitaIva() {
        QFETCH(QString, number);
        QFETCH(bool, valid);
        QCOMPARE(ControllaPartitaIva(number), valid);
    }

    void ufficioIva_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("office");
        QTest::newRow("first") << "001"
                               << "Torino";
        QTest::newRow("accent") << "040" << QStringLiteral("Forlì");
        QTest::newRow("no article") << "066"
                                    << "Aquila";
        QTest::newRow("brackets") << "096"
                                  << "Monza (Milano 2)";
        QTest::newRow("097") << "097"
                             << "Prato (Firenze 2)";
        QTest::newRow("099") << "099"
                             << "Chiavari (Genova 2)";
        QTest::newRow("last own entry") << "102"
                                        << "Napoli 2";
        QTest::newRow("120 repeats 101") << "120"
                                         << "Bologna 2";
        QTest::newRow("121 repeats 102") << "121"
                                         << "Napoli 2";
        QTest::newRow("000") << "000"
                             << "";
        QTest::newRow("103") << "103"
                             << "";
        QTest::newRow("119") << "119"
                             << "";
        QTest::newRow("122") << "122"
                             << "";
        QTest::newRow("without leading zeros") << "1"
                                               << "";
        QTest::newRow("four digits") << "0010"
                                     << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void ufficioIva() {
        QFETCH(QString, code);
        QFETCH(QString, office);
        QCOMPARE(UfficioIva(code), office);
    }

    // 001 to 102, 120 and 121 have an office; no other three-digit code has one.
    void ufficioIvaCoversExactlyTheKnownCodes() {
        for (int i = 0; i < 1000; ++i) {
            const QString code = QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
            const bool known = (i >= 1 && i <= 102) || i == 120 || i == 121;
            QVERIFY2(UfficioIva(code).isEmpty() != known, qPrintable(code));
        }
    }

    void carta_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("type");
        // Test numbers published by the card networks.
        QTest::newRow("visa") << "4111111111111111" << 2 << "Visa";
        QTest::newRow("visa 2") << "4012888888881881" << 2 << "Visa";
        QTest::newRow("visa 13 digits") << "4222222222222" << 2 << "Visa";
        QTest::newRow("mastercard") << "5555555555554444" << 3 << "MasterCard";
        QTest::newRow("mastercard 2") << "5105105105105100" << 3 << "MasterCard";
        QTest::newRow("amex 34") << "378282246310005" << 1 << "American Express";
        QTest::newRow("amex 37") << "371449635398431" << 1 << "American Express";
        QTest::newRow("diners 30") << "30569309025904" << 1 << "Diner's Club / Carte Blanche";
        QTest::newRow("diners 36") << "36227206271667" << 1 << "Diner's Club / Carte Blanche";
        QTest::newRow("diners 38") << "38520000023237" << 1 << "Diner's Club / Carte Blanche";
        QTest::newRow("jcb 35") << "3530111333300000" << 1 << "JCB";
        QTest::newRow("jcb 35 2") << "3566002020360505" << 1 << "JCB";
        QTest::newRow("discover") << "6011111111111117" << 4 << "Discover";
        QTest::newRow("discover 2") << "6011000990139424" << 4 << "Discover";
        // The networks' current ranges: MasterCard also issues 2221-2720, Maestro and UnionPay
        // numbers begin with 6 but are not Discover's.
        QTest::newRow("mastercard 2221") << "2221000000000009" << 0 << "MasterCard";
        QTest::newRow("mastercard 2720") << "2720000000000005" << 0 << "MasterCard";
        QTest::newRow("mastercard 2223") << "2223003122003222" << 0 << "MasterCard";
        QTest::newRow("discover 644") << "6445644564456445" << 4 << "Discover";
        QTest::newRow("discover 65") << "6500000000000002" << 4 << "Discover";
        QTest::newRow("unionpay 62") << "6200000000000005" << 4 << "UnionPay";
        QTest::newRow("maestro 6759") << "6759649826438453" << 4 << "Maestro";
        QTest::newRow("maestro 6304") << "6304000000000000" << 4 << "Maestro";
        QTest::newRow("maestro 6763") << "6763000000000004" << 4 << "Maestro";
        QTest::newRow("maestro 5018") << "5018000000000009" << 3 << "Maestro";
        QTest::newRow("6400: no network") << "6400000000000003" << 4 << "";
        QTest::newRow("5900: no network") << "5900000000000000" << 3 << "";
        QTest::newRow("valid 32: no network") << "3200000000000002" << 1 << "";
        QTest::newRow("valid 39: no network") << "3900000000000005" << 1 << "";
        // Valid check digits, but no payment card by their first digit.
        QTest::newRow("begins with 2, below MasterCard's range") << "2000000000000006" << 0 << "";
        QTest::newRow("begins with 2, above MasterCard's range") << "2721000000000004" << 0 << "";
        QTest::newRow("begins with 7") << "79927398713" << 5 << "";
        QTest::newRow("begins with 1") << "18" << -1 << "";
        QTest::newRow("single 0") << "0" << -2 << "";
        QTest::newRow("wrong check digit: network by prefix") << "4111111111111112" << 0 << "Visa";
        QTest::newRow("groups of four") << "4111 1111 1111 1111" << 2 << "Visa";
        QTest::newRow("hyphens") << "5555-5555-5555-4444" << 3 << "MasterCard";
        // Every digit counts, also past the 20th character: the first sixteen alone would pass.
        QTest::newRow("19 digits in groups, wrong") << "4111 1111 1111 1111 123" << 0 << "Visa";
        QTest::newRow("19 digits in groups, right") << "4111 1111 1111 1111 110" << 2 << "Visa";
        QTest::newRow("empty") << "" << 0 << "";
        QTest::newRow("no digits") << "abc-/" << 0 << "";
        QTest::newRow("arabic-indic digits") << kCifreArabe << 0 << "";
        QTest::newRow("very long of zeros") << QString(200000, u'0') << -2 << "";
    }
    void carta() {
        QFETCH(QString, number);
        QFETCH(int, result);
        QFETCH(QString, type);
        QCOMPARE(ControllaCarta(number), result);
        QCOMPARE(TipoCarta(number), type);
    }

    void moduloIban_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("remainder");
        QTest::newRow("italian example") << "IT60X0542811101000000123456" << 1;
        QTest::newRow("last digit changed") << "IT60X0542811101000000123457" << 28;
        QTest::newRow("small letters") << "it60x0542811101000000123456" << 1;
        QTest::newRow("leading word IBAN") << "IBANIT60X0542811101000000123456" << 1;
        QTest::newRow("word iban in small letters") << "ibanit60x0542811101000000123456" << 1;
        QTest::newRow("hyphen") << "IT60-X054-2811101000000123456" << 0;
        QTest::newRow("leading plus") << "+IT60X0542811101000000123456" << 0;
        QTest::newRow("dollar") << "IT60X054281110$000000123456" << 0;
        QTest::newRow("accented letter") << QStringLiteral("IT60È0542811101000000123456") << 0;
        QTest::newRow("arabic-indic digits") << kCifreArabe << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("only the word") << "IBAN" << 0;
    }
    void moduloIban() {
        QFETCH(QString, text);
        QFETCH(int, remainder);
        QCOMPARE(ModuloIban(text), remainder);
    }

    void controllaIban_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("italian example") << "IT60X0542811101000000123456" << true;
        QTest::newRow("groups of four") << "IT60 X054 2811 1010 0000 0123 456" << true;
        QTest::newRow("british example") << "GB82WEST12345698765432" << true;
        QTest::newRow("german after the word") << "IBAN DE89370400440532013000" << true;
        QTest::newRow("wrong check digits") << "IT61X0542811101000000123456" << false;
        QTest::newRow("two digits swapped") << "IT60X0542811101000000123465" << false;
        // The letters IBAN inside the account part belong to the account.
        QTest::newRow("IBAN inside the account") << "IT73X0542811101IBAN00123456" << true;
        QTest::newRow("tab inside") << "IT60\tX0542811101000000123456" << false;
        QTest::newRow("cyrillic") << kCirillico << false;
        QTest::newRow("blanks only") << "   " << false;
        QTest::newRow("very long") << kLungo << false;
    }
    void controllaIban() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(ControllaIban(text), valid);
    }

    // What the dialogs say, for the text as their field holds it.
    void verdetto_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<Verdetto::Esito>("esito");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("detail");

        const QString cfLen = QStringLiteral(
            "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
        const QString cfOk = QStringLiteral("Il codice fiscale digitato è VALIDO.");
        const QString cfKo = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");
        QTest::newRow("cf valid") << "cf"
                                  << "RSSMRA80A01H501U" << Verdetto::Valido << cfOk << "";
        QTest::newRow("cf small letters") << "cf"
                                          << "rssmra80a01h501u" << Verdetto::Valido << cfOk << "";
        QTest::newRow("cf wrong") << "cf"
                                  << "RSSMRA80A01H501V" << Verdetto::Errato << cfKo << "";
        QTest::newRow("cf digit last") << "cf"
                                       << "RSSMRA80A01H5011" << Verdetto::Errato << cfKo << "";
        QTest::newRow("cf 15") << "cf"
                               << "RSSMRA80A01H501" << Verdetto::Incompleto << cfLen
                               << "servono 16 caratteri";
        QTest::newRow("cf trailing blank is not trimmed")
            << "cf"
            << "RSSMRA80A01H501U " << Verdetto::Incompleto << cfLen << "servono 16 caratteri";
        QTest::newRow("cf empty") << "cf"
                                  << "" << Verdetto::Incompleto << cfLen << "servono 16 caratteri";

        const QString pivaOk = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                              "E' stato rilasciato dall'Ufficio IVA del Comune di ");
        const QString pivaKo =
            QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                           "Non è quindi possibile fornire informazioni relative all'Ufficio IVA "
                           "che lo ha rilasciato.");
        const QString pivaLen =
            QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
        QTest::newRow("piva milano") << "piva"
                                     << "00743110157" << Verdetto::Valido << pivaOk + "Milano 1."
                                     << "Ufficio IVA di Milano 1";
        QTest::newRow("piva 120") << "piva"
                                  << "00000061200" << Verdetto::Valido << pivaOk + "Bologna 2."
                                  << "Ufficio IVA di Bologna 2";
        QTest::newRow("piva forli") << "piva"
                                    << "00000060400" << Verdetto::Valido << pivaOk + QStringLiteral("Forlì.")
                                    << QStringLiteral("Ufficio IVA di Forlì");
        QTest::newRow("piva unknown office")
            << "piva"
            << "00000001032" << Verdetto::Valido
            << QStringLiteral(
                   "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                   "Non è possibile indicare l'Ufficio IVA che lo ha rilasciato: il codice 103 non è tra "
                   "quelli conosciuti.")
            << "";
        QTest::newRow("piva wrong") << "piva"
                                    << "12345678904" << Verdetto::Errato << pivaKo << "";
        QTest::newRow("piva pasted letter") << "piva"
                                            << "1234567890a" << Verdetto::Errato << pivaKo << "";
        QTest::newRow("piva 10") << "piva"
                                 << "0074311015" << Verdetto::Incompleto << pivaLen << "servono 11 cifre";
        QTest::newRow("piva 16 digits")
            << "piva"
            << "1234567890312345" << Verdetto::Incompleto << pivaLen << "servono 11 cifre";

        const QString cartaKo =
            QStringLiteral("Attenzione: il numero digitato risulta ERRATO!\r\n\r\n"
                           "Non è quindi possibile fornire informazioni relative al tipo di carta "
                           "di credito.");
        QTest::newRow("carta visa in groups")
            << "carta"
            << "4111 1111 1111 1111" << Verdetto::Valido
            << QStringLiteral("Il numero di carta di credito 4111 1111 1111 1111 risulta valido.\r\n\r\n"
                              "La carta di credito è del tipo Visa.")
            << "Visa";
        QTest::newRow("carta amex, blanks around")
            << "carta"
            << "  378282246310005 " << Verdetto::Valido
            << QStringLiteral("Il numero di carta di credito 378282246310005 risulta valido.\r\n\r\n"
                              "La carta di credito è del tipo American Express.")
            << "American Express";
        QTest::newRow("carta 32: valid without network")
            << "carta"
            << "3200000000000002" << Verdetto::Valido
            << QStringLiteral("Il numero di carta di credito 3200000000000002 risulta valido.") << "";
        QTest::newRow("carta wrong") << "carta"
                                     << "4111111111111112" << Verdetto::Errato << cartaKo << "";
        QTest::newRow("carta mastercard 2-series")
            << "carta"
            << "2223 0031 2200 3222" << Verdetto::Valido
            << QStringLiteral("Il numero di carta di credito 2223 0031 2200 3222 risulta valido.\r\n\r\n"
                              "La carta di credito è del tipo MasterCard.")
            << "MasterCard";
        QTest::newRow("carta maestro, not discover")
            << "carta"
            << "6759649826438453" << Verdetto::Valido
            << QStringLiteral("Il numero di carta di credito 6759649826438453 risulta valido.\r\n\r\n"
                              "La carta di credito è del tipo Maestro.")
            << "Maestro";
        QTest::newRow("carta begins with 2 outside the range") << "carta"
                                             << "2000000000000006" << Verdetto::Errato << cartaKo << "";
        QTest::newRow("carta 2221 with a wrong check digit") << "carta"
                                             << "2221000000000008" << Verdetto::Errato << cartaKo << "";
        QTest::newRow("carta single 0") << "carta"
                                        << "0" << Verdetto::Errato << cartaKo << "";
        QTest::newRow("carta blanks only")
            << "carta"
            << "   " << Verdetto::Incompleto
            << QStringLiteral(
                   "Attenzione: immettere il numero di carta di credito prima di premere il pulsante di "
                   "controllo.")
            << "nessun numero";

        const QString ibanLen =
            QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.");
        const QString ibanOk = QStringLiteral("L'IBAN digitato è VALIDO.");
        const QString ibanKo = QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!");
        QTest::newRow("iban valid") << "iban"
                                    << "IT60X0542811101000000123456" << Verdetto::Valido << ibanOk << "";
        QTest::newRow("iban small letters")
            << "iban"
            << "it60x0542811101000000123456" << Verdetto::Valido << ibanOk << "";
        QTest::newRow("iban trimmed") << "iban"
                                      << " IT60X0542811101000000123456 " << Verdetto::Valido << ibanOk << "";
        QTest::newRow("iban word and foreign iban")
            << "iban"
            << "IBAN DE89370400440532013000" << Verdetto::Valido << ibanOk << "";
        QTest::newRow("iban wrong") << "iban"
                                    << "IT60X0542811101000000123457" << Verdetto::Errato << ibanKo << "";
        QTest::newRow("iban in groups of four")
            << "iban"
            << "IT60 X054 2811 1010 0000 0123 456" << Verdetto::Valido << ibanOk << "";
        QTest::newRow("iban in groups, wrong") << "iban"
                                               << "IT60 X054 2811 1010 0000 0123 457" << Verdetto::Errato << ibanKo
                                               << "";
        QTest::newRow("iban in groups, a character short")
            << "iban"
            << "IT60 X054 2811 1010 0000 0123 45" << Verdetto::Incompleto << ibanLen << "servono 27 caratteri";
        QTest::newRow("iban 26") << "iban"
                                 << "IT60X054281110100000012345" << Verdetto::Incompleto << ibanLen
                                 << "servono 27 caratteri";
    }
    void verdetto() {
        QFETCH(QString, kind);
        QFETCH(QString, field);
        QFETCH(Verdetto::Esito, esito);
        QFETCH(QString, message);
        QFETCH(QString, detail);
        const Verdetto v = kind == "cf"      ? verdettoCodFisc(field)
                           : kind == "piva"  ? verdettoPartitaIva(field)
                           : kind == "carta" ? verdettoCarta(field)
                                             : verdettoIban(field);
        QCOMPARE(v.esito, esito);
        QCOMPARE(v.messaggio, message);
        QCOMPARE(v.dettaglio, detail);
    }
};

QTEST_GUILESS_MAIN(TstChecks)
#include "tst_checks.moc"
