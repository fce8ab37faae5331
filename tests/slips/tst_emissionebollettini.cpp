// The batch of slips screen, driven through its widgets: the payers chosen with the registry filters,
// the beneficiary imported through the picker, the due date from the date picker, the preview, the
// confirmation and the printout. A batch slip is byte for byte the slip made by hand in the workspace.
#include "archive/ArchiveError.h"
#include "archive/Archivi.h"
#include "queries/Elenco.h"
#include "archive/FileLock.h"
#include "archive/MarginSettings.h"
#include "archive/RecordFile.h"
#include "registry/TfrmTrovaEsecutori.h"
#include "slips/TfrmBollettino.h"
#include "slips/TfrmCalendario.h"
#include "slips/TfrmEmissioneBollettini.h"
#include "slips/TfrmStampaEmissione.h"
#include "ui/Clock.h"
#include "ui/ListaRecords.h"
#include "ui/MessageService.h"
#include "ui/ProgramFolder.h"
#include "ui/ReportOutput.h"
#include "ui/Shell.h"
#include "ui/TfrmGuida.h"
#include "common/FileBytes.h"
#include "common/GuiTest.h"
#include "common/Interruzione.h"
#include "common/Records.h"
#include "common/RecordingMessages.h"
#include "common/RecordingShell.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using M = MessageService;

namespace {

struct Carta {
    QString nome, categoria, via, cap, comune, ccp, causale1, causale2;
};

TSchedaAnagrafica scheda(const Carta& c) {
    return record<TSchedaAnagrafica>({{"Esecutore", c.nome},
                                      {"Categoria", c.categoria},
                                      {"IndirizzoRes", c.via},
                                      {"CapRes", c.cap},
                                      {"ComuneRes", c.comune},
                                      {"CCP", c.ccp},
                                      {"Causale01", c.causale1},
                                      {"Causale02", c.causale2}});
}

const Carta kAssociazione{"Associazione Amici del Libro", "BENEFICIARI", "VIA DANTE ALIGHIERI 12", "40121",
                          "BOLOGNA CENTRO", "12345678", "QUOTA ASSOCIATIVA 2025", "SOCIO ORDINARIO"};

// Picks the card named `nome` in the registry picker that the next call opens.
void scegliNelPicker(const QString& nome) {
    onNextModal([nome](QWidget* d) {
        auto* picker = qobject_cast<TfrmTrovaEsecutori*>(d);
        QVERIFY(picker);
        QTest::keyClicks(picker->txtEsecutore, nome);
        picker->btnCercaClick();
        picker->lstRecords->selezionaRiga(0);
        picker->lstRecordsDblClick();
    });
}

// Chooses `giorno` in the date picker that the next call opens.
void scegliData(const QDate& giorno) {
    onNextModal([giorno](QWidget* d) {
        d->findChild<QCalendarWidget*>("calAppuntamenti")->setSelectedDate(giorno);
        d->findChild<QPushButton*>("btnImportaData")->click();
    });
}

} // namespace

Q_DECLARE_METATYPE(Carta)

class TstEmissioneBollettini : public QObject {
    Q_OBJECT
    TemporaryProgramFolder m_dir;
    FixedClock m_clock{QDateTime(QDate(2025, 1, 10), QTime(9, 0))};
    RecordingMessages* msgs = nullptr;

    QString registro() const { return archivi::anagrafica(m_dir.path()); }
    QString archivio(const QString& anno = "2025") const { return m_dir.filePath(anno + ".bol"); }

    void registra(const QList<Carta>& carte) {
        QFile::remove(registro());
        RecordFile<TSchedaAnagrafica> f(registro());
        for (const Carta& c : carte) f.append(scheda(c));
    }

    // The screen with the payers of `categoria` listed, the association imported as beneficiary,
    // `importo` and `cents` typed and the due date chosen.
    void compila(TfrmEmissioneBollettini& e, const QString& filtro, const QString& importo, const QString& cents,
                 const QDate& scadenza, const QString& campoFiltro = "txtFiltroCategoria") {
        QTest::keyClicks(e.findChild<QLineEdit*>(campoFiltro), filtro);
        QTest::mouseClick(e.btnCerca, Qt::LeftButton);
        scegliNelPicker("amici del libro");
        QTest::mouseClick(e.impIntestatario, Qt::LeftButton);
        QTest::keyClicks(e.txtImporto, importo);
        e.txtCents->setFocus();
        e.txtCents->selectAll();
        QTest::keyClicks(e.txtCents, cents);
        QTest::keyClick(e.txtCents, Qt::Key_Return); // on to the holder: the cents are completed on leaving
        scegliData(scadenza);
        e.txtDataScade->setFocus();
        QTest::keyClick(e.txtDataScade, Qt::Key_Space);
    }

    // Confirms, and closes the print offer without printing.
    void emetti(TfrmEmissioneBollettini& e) {
        onNextModal([](QWidget* d) {
            auto* s = qobject_cast<TfrmStampaEmissione*>(d);
            QVERIFY(s);
            s->btnChiudi->click();
        });
        QTest::mouseClick(e.btnEmetti, Qt::LeftButton);
    }

private slots:
    void init() {
        msgs = new RecordingMessages;
        for (const QString& n : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden)) QFile::remove(m_dir.filePath(n));
        giornaleLotto::avvisi();
    }
    void cleanup() { delete msgs; }

    // The issue's own test: the same payer, holder, amount and due date, once by hand in the
    // workspace (import payer, import holder, amount, due date, Salva), once as a batch.
    void batchSlipIsTheSlipMadeByHand_data() {
        QTest::addColumn<Carta>("pagatore");
        QTest::addColumn<QString>("importo");
        QTest::addColumn<QString>("cents");
        QTest::newRow("plain") << Carta{"ROSSI MARIO", "SOCI", "VIA ROMA 1", "00100", "ROMA", "", "", ""} << "50"
                               << "";
        QTest::newRow("long name cut before a blank, cents of one digit")
            << Carta{"Lega Italiana Tennis   Tavolo", "SOCI", "Piazza dell'Unit\u00e0 d'Italia 7", "34121",
                     "TRIESTE", "", "", ""}
            << "1250" << "5";
        QTest::newRow("no address") << Carta{"verdi luca", "SOCI", "", "", "", "", "", ""} << "7" << "05";
    }
    void batchSlipIsTheSlipMadeByHand() {
        QFETCH(Carta, pagatore);
        QFETCH(QString, importo);
        QFETCH(QString, cents);
        registra({kAssociazione, pagatore});

        TfrmBollettino w;
        w.mostra();
        w.txtAnno->setText("2024");
        w.btnApriClick();
        scegliNelPicker(pagatore.nome.left(5));
        w.impEsecutore->click();
        scegliNelPicker("amici del libro");
        w.impIntestatario->click();
        QTest::keyClicks(w.txtImporto, importo);
        w.txtCents->setFocus();
        w.txtCents->selectAll();
        QTest::keyClicks(w.txtCents, cents);
        scegliData(QDate(2025, 3, 31));
        w.txtDataScade->setFocus();
        QTest::keyClick(w.txtDataScade, Qt::Key_Space);
        w.cmdSalvaClick();
        QCOMPARE(msgs->shown.last().text, QString::fromUtf8("La scheda corrente è stata inserita in archivio."));

        // The batch, opened from the same workspace on another year.
        w.txtAnno->setText("2025");
        w.cmdEsci->click();
        w.mostra();
        w.txtAnno->setText("2025");
        w.btnApriClick();
        onNextModal([&](QWidget* d) {
            auto* e = qobject_cast<TfrmEmissioneBollettini*>(d);
            QVERIFY(e);
            compila(*e, pagatore.nome.left(5), importo, cents, QDate(2025, 3, 31), "txtFiltroEsecutore");
            QCOMPARE(e->esecutori().size(), 1);
            emetti(*e);
        });
        w.cmdEmissione->click();
        const QByteArray aMano = readAll(archivio("2024")), lotto = readAll(archivio("2025"));
        QCOMPARE(aMano.size(), 2968);
        QCOMPARE(lotto, aMano);
    }

    void mainFlow() {
        QList<Carta> carte = {kAssociazione};
        const QStringList nomi = {"ROSSI MARIO", "BIANCHI ANNA", "VERDI LUCA", "NERI PAOLA", "GIALLI ROSA"};
        for (const QString& n : nomi) carte.append({n, "SOCIO ORDINARIO", "VIA ROMA 1", "00100", "ROMA", "", "", ""});
        carte.append({"FERRARI ACCIAI SPA", "FORNITORE", "", "", "MILANO", "", "", ""});
        registra(carte);
        RecordFile<TSchedaBollettino>(archivio()).append(TSchedaBollettino{}); // one slip there already
        QVERIFY(marginiStampa::store(m_dir.path(), marginiStampa::kSuperiore, "3", nullptr));

        TfrmEmissioneBollettini e(archivio(), nullptr);
        e.show();
        QVERIFY(QTest::qWaitForWindowActive(&e));
        QCOMPARE(QApplication::focusWidget(), e.filtri.first());
        QCOMPARE(e.lblSelezionate->text(), QString("Nessun esecutore in elenco: premere Cerca."));
        QVERIFY(!e.anteprima());

        // Enter goes round the filters and on to Cerca.
        QTest::keyClick(e.filtri.first(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), e.filtri[1]);
        QVERIFY(e.findChild<QWidget*>("effFiltroCategoria")->isVisible());
        for (int i = 1; i < 10; ++i) QTest::keyClick(e.filtri[i], Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), e.btnCerca);
        QTest::keyClick(e.btnCerca, Qt::Key_Return); // Enter on Cerca searches: every card
        QCOMPARE(e.esecutori().size(), 7);
        compila(e, "socio", "50", "", QDate(2025, 3, 31));
        QCOMPARE(e.lblSelezionate->text(), QString("Esecutori selezionati: 5 su 5"));
        QStringList elencati;
        for (const auto& c : e.esecutori()) elencati << c.scheda.Esecutore.get();
        QCOMPARE(elencati, QStringList({"BIANCHI ANNA", "GIALLI ROSA", "NERI PAOLA", "ROSSI MARIO", "VERDI LUCA"}));
        QCOMPARE(e.txtCCP->text(), QString("12345678"));
        QCOMPARE(e.txtIndirizzoInt->text(), QString("VIA DANTE ALIGHIERI 12 BOLOGNA CEN")); // cut as in the workspace
        QCOMPARE(e.txtCents->text(), QString("00"));
        QCOMPARE(e.txtDataScade->text(), QString("31/03/2025"));
        QCOMPARE(e.focusWidget(), e.btnEmetti);

        // The preview: the selected card's slip as it will be saved, with the amount in words.
        QVERIFY(e.lblAnteprimaLettere->text().contains("CINQUANTA/00"));
        QVERIFY(e.lblAnteprimaEsecutore->text().contains("BIANCHI ANNA"));
        QCOMPARE(e.lblAnteprima->text(), QString("ANTEPRIMA DEL BOLLETTINO 1 DI 5"));
        // Unticking a card through the keyboard (Enter on its line) leaves it out.
        e.lstEsecutori->setFocus();
        e.lstEsecutori->selezionaRiga(2);
        QTest::keyClick(e.lstEsecutori, Qt::Key_Return);
        QCOMPARE(e.lblSelezionate->text(), QString("Esecutori selezionati: 4 su 5"));
        QVERIFY(!e.anteprima()->Esecutore.get().contains("NERI")); // an unticked card is not previewed
        // A click on a line (beside its tick box) previews that card's slip.
        const QRect riga = e.lstEsecutori->visualRect(e.lstEsecutori->modello()->index(3));
        QTest::mouseClick(e.lstEsecutori->viewport(), Qt::LeftButton, {}, riga.center());
        QCOMPARE(e.anteprima()->Esecutore.get(), QString("ROSSI MARIO"));
        QVERIFY(e.lblAnteprimaEsecutore->text().contains("ROSSI MARIO"));
        QVERIFY(e.lstEsecutori->modello()->spuntata(3)); // the click did not untick it
        QCOMPARE(e.lblAnteprima->text(), QString("ANTEPRIMA DEL BOLLETTINO 3 DI 4"));

        RecordingReportOutput output;
        RecordingShell shell;
        onNextModal([&](QWidget* d) {
            auto* s = qobject_cast<TfrmStampaEmissione*>(d);
            QVERIFY(s);
            QVERIFY(s->findChild<QLabel*>("lblMessaggio")->text().contains(
                "Sono stati inseriti in archivio 4 bollettini, dalla scheda n. 2 alla scheda n. 5."));
            s->btnModulo->click();
            msgs->answers = {true};
            s->btnA4->click();
            s->btnChiudi->click();
        });
        QTest::mouseClick(e.btnEmetti, Qt::LeftButton);
        QCOMPARE(msgs->shown[0].kind, M::Question);
        QVERIFY(msgs->shown[0].text.startsWith("Si stanno per inserire in archivio 4 bollettini di 50,00 euro con "
                                               "scadenza 31/03/2025"));
        QCOMPARE(e.result(), int(QDialog::Accepted));

        // In the archive, after the slip that was there, in the order of the list, not paid.
        RecordFile<TSchedaBollettino> a(archivio());
        QCOMPARE(a.count(), 5);
        QStringList salvati;
        for (int i = 1; i < 5; ++i) salvati << a.read(i).Esecutore.get();
        QCOMPARE(salvati, QStringList({"BIANCHI ANNA", "GIALLI ROSA", "ROSSI MARIO", "VERDI LUCA"}));
        Elenco daSaldare;
        elenchi::bollettiniDaSaldare(archivio(), daSaldare, elenchi::Accesso::ReadOnly);
        QCOMPARE(daSaldare.size(), 4);

        // One printer dialog for the four slips on the blank form, moved by the stored margin.
        QCOMPARE(output.calls.size(), 1);
        QCOMPARE(output.calls[0].kind, RecordingReportOutput::Print);
        const PreparedReport& p = output.calls[0].report;
        QCOMPARE(p.pages.size(), 4);
        QCOMPARE(p.pages[2].find("txtEsecutore")->lines.join(""), QString("ROSSI MARIO"));
        QVERIFY(qAbs(p.pages[0].find("txtEsecutore")->rect.top() - report::fromMm(52.40 + 3)) < 0.01);
        // And the A4 PDF, opened on request.
        QVERIFY(readAll(m_dir.filePath("Bollettini.pdf")).startsWith("%PDF"));
        QCOMPARE(shell.opened, QList<QUrl>{QUrl::fromLocalFile(m_dir.filePath("Bollettini.pdf"))});
    }

    // Nothing is written until everything Salva wants is there and the user says yes.
    void refusalsWriteNothing_data() {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no card ticked") << "nessuno" << "nessun esecutore selezionato" << "txtFiltroEsecutore";
        QTest::newRow("no account") << "ccp" << "numero di conto corrente postale" << "txtCCP";
        QTest::newRow("no amount") << "importo" << "indicare l'importo" << "txtImporto";
        QTest::newRow("no due date") << "data" << "data di scadenza del versamento" << "txtDataScade";
        QTest::newRow("answered no") << "no" << "Si vuole procedere?" << "";
    }
    void refusalsWriteNothing() {
        QFETCH(QString, caso);
        registra({kAssociazione, {"ROSSI MARIO", "SOCI", "", "", "", "", "", ""}});
        TfrmEmissioneBollettini e(archivio(), nullptr);
        e.show();
        QVERIFY(QTest::qWaitForWindowActive(&e));
        compila(e, "soci", "50", "00", QDate(2025, 3, 31));
        if (caso == "nessuno") e.btnNessuna->click();
        if (caso == "ccp") e.txtCCP->clear();
        if (caso == "importo") e.txtImporto->clear();
        if (caso == "data") {
            e.txtDataScade->setFocus();
            QTest::keyClick(e.txtDataScade, Qt::Key_Delete);
        }
        if (caso == "no") msgs->answers = {false};
        e.btnEmettiClick();
        QFETCH(QString, testo);
        QVERIFY2(msgs->shown.last().text.contains(testo), qPrintable(msgs->shown.last().text));
        QFETCH(QString, focus);
        if (!focus.isEmpty()) {
            QVERIFY(e.focusWidget());
            QCOMPARE(e.focusWidget()->objectName(), focus);
        }
        QVERIFY(!QFile::exists(archivio()) || QFileInfo(archivio()).size() == 0);
        QVERIFY(e.isVisible());
    }

    // A search that finds nobody says so, rather than asking for the search just made.
    void searchThatFindsNobody() {
        registra({kAssociazione, {"ROSSI MARIO", "SOCI", "", "", "", "", "", ""}});
        TfrmEmissioneBollettini e(archivio(), nullptr);
        e.show();
        QVERIFY(QTest::qWaitForWindowActive(&e));
        QTest::keyClicks(e.findChild<QLineEdit*>("txtFiltroCategoria"), "presidenti");
        QTest::mouseClick(e.btnCerca, Qt::LeftButton);
        QVERIFY(e.esecutori().isEmpty());
        QCOMPARE(e.lblSelezionate->text(), QString("Nessuna scheda corrisponde ai filtri indicati."));
        QVERIFY(!e.anteprima());
    }

    // Esc leaves the screen from the due date too: it is no key that opens the date picker.
    void escapeFromTheDueDateCloses() {
        TfrmEmissioneBollettini e(archivio(), nullptr);
        e.show();
        QVERIFY(QTest::qWaitForWindowActive(&e));
        bool calendario = false;
        QTimer::singleShot(0, &e, [&] {
            if (QWidget* w = QApplication::activeModalWidget(); w && w != &e) {
                calendario = true;
                w->close();
            }
        });
        e.txtDataScade->setFocus();
        QTest::keyClick(e.txtDataScade, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(!calendario);
        QVERIFY(!e.isVisible());
        QCOMPARE(e.result(), int(QDialog::Rejected));
    }

    // The holder's picture, reached with Tab, opens the picker on Enter as on a click.
    void enterOnTheHolderPicture() {
        registra({kAssociazione});
        TfrmEmissioneBollettini e(archivio(), nullptr);
        e.show();
        QVERIFY(QTest::qWaitForWindowActive(&e));
        e.txtCents->setFocus();
        QTest::keyClick(e.txtCents, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), e.impIntestatario);
        scegliNelPicker("amici del libro");
        QTest::keyClick(e.impIntestatario, Qt::Key_Return);
        QCOMPARE(e.txtCCP->text(), QString("12345678"));
        QCOMPARE(e.txtIntestatario->text(), QString("Associazione Amici del Libro"));
    }

    // A batch of one slip is spoken of as one, in the question, the print offer and its outcome.
    void oneSlipInTheSingular() {
        registra({kAssociazione, {"ROSSI MARIO", "SOCI", "VIA ROMA 1", "00184", "ROMA", "", "", ""}});
        RecordFile<TSchedaBollettino>(archivio()).append(TSchedaBollettino{});
        TfrmEmissioneBollettini e(archivio(), nullptr);
        e.show();
        QVERIFY(QTest::qWaitForWindowActive(&e));
        compila(e, "soci", "50", "00", QDate(2025, 3, 31));
        RecordingReportOutput output;
        QString offerta, esito;
        onNextModal([&](QWidget* d) {
            auto* s = qobject_cast<TfrmStampaEmissione*>(d);
            QVERIFY(s);
            offerta = s->findChild<QLabel*>("lblMessaggio")->text();
            s->btnModulo->click();
            esito = s->lblEsito->text();
            s->btnChiudi->click();
        });
        msgs->answers = {true};
        QTest::mouseClick(e.btnEmetti, Qt::LeftButton);
        QCOMPARE(msgs->shown[0].text, QString("Si sta per inserire in archivio un bollettino di 50,00 euro con scadenza "
                                              "31/03/2025, per l'esecutore selezionato.\r\n\r\nSi vuole procedere?"));
        QVERIFY2(offerta.startsWith(QString::fromUtf8("È stato inserito in archivio un bollettino, la scheda n. 2.\n\n"
                                                      "Il bollettino può essere stampato")),
                 qPrintable(offerta));
        QCOMPARE(esito, QString("Un bollettino inviato alla stampante."));
        QCOMPARE(RecordFile<TSchedaBollettino>(archivio()).count(), 2);
    }

    // Every line of the preview shows its whole text, before a search and with a slip to show.
    void previewTextFitsItsLines() {
        registra({kAssociazione, {"ROSSI MARIO", "SOCI", "VIA ROMA 1", "00184", "ROMA", "", "", ""}});
        TfrmEmissioneBollettini e(archivio(), nullptr);
        e.show();
        QVERIFY(QTest::qWaitForWindowActive(&e));
        auto entrano = [&] {
            for (QLabel* l : {e.lblAnteprimaCCP, e.lblAnteprimaImporto, e.lblAnteprimaLettere, e.lblAnteprimaIntestatario,
                              e.lblAnteprimaCausale, e.lblAnteprimaEsecutore, e.lblAnteprimaIndirizzo,
                              e.lblAnteprimaScadenza})
                if (!l->text().isEmpty())
                    QVERIFY2(l->heightForWidth(l->width()) <= l->height(),
                             qPrintable(l->objectName() + ": " + l->text()));
        };
        entrano();
        compila(e, "soci", "50", "00", QDate(2025, 3, 31));
        entrano();
        e.btnNessuna->click();
        entrano();
    }

    // Another program holds the archive: nothing is added, and the user is told so.
    void lockedArchiveIsReported() {
        registra({kAssociazione, {"ROSSI MARIO", "SOCI", "", "", "", "", "", ""}});
        writeRaw(archivio(), QByteArray(2968, 'a'));
        QFile other(archivio());
        QVERIFY(other.open(QIODevice::ReadWrite));
        const auto oldLimit = FileLock::waitLimit();
        FileLock::setWaitLimit(std::chrono::milliseconds(100));
        {
            FileLock held(other, FileLock::Exclusive);
            TfrmEmissioneBollettini e(archivio(), nullptr);
            e.show();
            QVERIFY(QTest::qWaitForWindowActive(&e));
            compila(e, "soci", "50", "00", QDate(2025, 3, 31));
            e.btnEmettiClick();
            QCOMPARE(msgs->shown.last().kind, M::Warning);
            QCOMPARE(msgs->shown.last().text,
                     kTestoAccesso + QString::fromUtf8("\n\r\n\rNessun bollettino è stato inserito in archivio."));
            QVERIFY(e.isVisible());
        }
        FileLock::setWaitLimit(oldLimit);
        QCOMPARE(readAll(archivio()), QByteArray(2968, 'a'));
    }

    // The screen's own batch stopped by a crash at each moment that matters: the next batch from the
    // screen first puts the archive back as it was, says so in an information box, then adds each
    // slip once.
    void batchCutShortIsUndoneFirst_data() {
        QTest::addColumn<QByteArray>("momento");
        QTest::newRow("before the first slip") << QByteArray(giornaleLotto::kPrimaDeiRecord);
        QTest::newRow("half of the slips written") << QByteArray(giornaleLotto::kAMeta);
        QTest::newRow("every slip written, the journal still there") << QByteArray(giornaleLotto::kDopoIRecord);
    }
    void batchCutShortIsUndoneFirst() {
        QFETCH(QByteArray, momento);
        QList<Carta> carte = {kAssociazione};
        for (int i = 0; i < 40; ++i)
            carte.append({QStringLiteral("SOCIO %1").arg(i, 2, 10, QLatin1Char('0')), "SOCI", "VIA ROMA 1", "00184", "ROMA",
                          "", "", ""});
        registra(carte);
        RecordFile<TSchedaBollettino>(archivio()).append(TSchedaBollettino{});
        const QByteArray before = readAll(archivio());
        {
            TfrmEmissioneBollettini e(archivio(), nullptr);
            e.show();
            QVERIFY(QTest::qWaitForWindowActive(&e));
            compila(e, "soci", "50", "00", QDate(2025, 3, 31));
            QVERIFY(interrompiA(momento.constData(), [&] { e.btnEmettiClick(); }));
        }
        QVERIFY(QFileInfo::exists(archivio() + ".emissione"));
        msgs->clear();

        TfrmEmissioneBollettini e(archivio(), nullptr);
        e.show();
        QVERIFY(QTest::qWaitForWindowActive(&e));
        compila(e, "soci", "50", "00", QDate(2025, 3, 31));
        emetti(e);
        QCOMPARE(msgs->shown.size(), 2);
        QCOMPARE(msgs->shown[0].kind, M::Question);
        QCOMPARE(msgs->shown[1].kind, M::Information);
        QCOMPARE(msgs->shown[1].text, QString::fromUtf8("L'ultima emissione di 40 bollettini non era terminata ed è "
                                                        "stata annullata: l'archivio è tornato com'era prima."));
        QCOMPARE(e.primoEmesso(), 2);
        const QByteArray after = readAll(archivio());
        QCOMPARE(after.size(), 41 * 2968);
        QCOMPARE(after.left(2968), before);
        QSet<QString> pagatori;
        RecordFile<TSchedaBollettino>(archivio()).scan([&](qint64 pos, const TSchedaBollettino& r) {
            if (pos > 1) pagatori.insert(r.Esecutore.get());
        });
        QCOMPARE(pagatori.size(), 40);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"2025.bol", "Esecutori.pro"}));
    }

    // The journal of a batch that does not fit the archive stops the batch: nothing is added, and the
    // user is told what was found, that the archive was not changed and what can be done.
    void journalLeftAloneStopsTheBatch() {
        registra({kAssociazione, {"ROSSI MARIO", "SOCI", "VIA ROMA 1", "00184", "ROMA", "", "", ""}});
        RecordFile<TSchedaBollettino>(archivio()).append(TSchedaBollettino{});
        writeRaw(archivio() + ".emissione", "appunti\r\n");
        const QByteArray before = readAll(archivio());
        TfrmEmissioneBollettini e(archivio(), nullptr);
        e.show();
        QVERIFY(QTest::qWaitForWindowActive(&e));
        compila(e, "soci", "50", "00", QDate(2025, 3, 31));
        e.btnEmettiClick();
        QCOMPARE(msgs->shown.size(), 2);
        QCOMPARE(msgs->shown[1].kind, M::Warning);
        QCOMPARE(msgs->shown[1].text,
                 QString::fromUtf8("Attenzione: accanto all'archivio 2025.bol si trova il file 2025.bol.emissione, che il "
                                   "programma scrive durante un'emissione di bollettini e toglie al termine, ma il suo "
                                   "contenuto non è quello che il programma vi scrive. L'archivio non è stato modificato."
                                   "\n\r\n\rSe l'archivio è in ordine, il file 2025.bol.emissione può essere eliminato."
                                   "\n\r\n\rNessun bollettino è stato inserito in archivio."));
        QVERIFY(e.isVisible());
        QCOMPARE(readAll(archivio()), before);
        QCOMPARE(readAll(archivio() + ".emissione"), QByteArray("appunti\r\n"));
    }

    void commandHintAndHelp() {
        TfrmBollettino w;
        w.mostra();
        w.txtAnno->setText("2025");
        w.btnApriClick();
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(w.cmdEmissione, &enter);
        QCOMPARE(w.panInfo->text(), QString("Emette in una volta sola i bollettini di un gruppo di esecutori "
                                            "dell'archivio anagrafico."));
        QCOMPARE(w.cmdEmissione->accessibleName(), QString("Emissione bollettini"));
        TfrmEmissioneBollettini e(w.lblFile->text(), &w);
        onNextModal([](QWidget* d) {
            auto* g = qobject_cast<TfrmGuida*>(d);
            QVERIFY(g);
            QCOMPARE(g->lblTitolo->text(), QString("Emissione dei bollettini per un gruppo di esecutori."));
            QVERIFY(g->txtGuida->toPlainText().contains("Emetti bollettini"));
            g->btnChiudi->click();
        });
        e.btnGuida->click();
        // Every control that takes the focus or a click has a name a screen reader says.
        for (QWidget* c : QList<QWidget*>{e.btnCerca, e.lstEsecutori, e.btnTutte, e.btnNessuna, e.impIntestatario,
                                          e.txtCCP, e.txtImporto, e.txtCents, e.txtIntestatario, e.txtIndirizzoInt,
                                          e.txtCausale01, e.txtCausale02, e.txtDataScade, e.btnGuida, e.btnAnnulla,
                                          e.btnEmetti})
            QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
        for (QLineEdit* f : e.filtri) QVERIFY(!f->accessibleName().isEmpty());
    }
};

QTEST_MAIN(TstEmissioneBollettini)
#include "tst_emissionebollettini.moc"
