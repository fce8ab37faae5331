// The registry picker in its four modes and the to-recontact list.
#include "registry/DestinoScheda.h"
#include "registry/TfrmEsecutori.h"
#include "registry/TfrmRicontatta.h"
#include "registry/TfrmTrovaEsecutori.h"
#include "ui/ListaRecords.h"
#include "ui/MessageService.h"
#include "ui/PannelloRisultati.h"
#include "ui/ProgramFolder.h"
#include "ui/ReportOutput.h"
#include "archive/Archivi.h"
#include "archive/RecordFile.h"
#include "queries/EmissioneBollettini.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "common/GuiTest.h"
#include "common/RecordingMessages.h"

using Fields = QList<std::pair<QString, QString>>;

namespace {

TSchedaAnagrafica card(const Fields& fields) {
    TSchedaAnagrafica r;
    forEachField(r, [&](const char* name, auto& f) {
        f.clear();
        for (const auto& [n, v] : fields)
            if (n == QLatin1String(name)) f.set(v);
    });
    return r;
}

// Stands in for the payment summary query (and any other opener): records what it is sent.
class FakeOpener : public DestinoScheda {
public:
    void impostaCampo(const QString& campo, const QString& valore) override { campi.append({campo, valore}); }
    void caricaScheda(const TSchedaAnagrafica& s, qint64 p) override { schede.append({s.Esecutore.get(), p}); }
    Fields campi;
    QList<std::pair<QString, qint64>> schede;
};

const QString kSi = QString::fromUtf8("Sì");

} // namespace

class TstTrovaEsecutori : public QObject {
    Q_OBJECT
    TemporaryProgramFolder m_dir;
    RecordingMessages* msgs = nullptr;

    QString registry() const { return archivi::anagrafica(m_dir.path()); }
    void write(const QList<TSchedaAnagrafica>& cards) {
        QFile::remove(registry());
        RecordFile<TSchedaAnagrafica> f(registry());
        for (const auto& c : cards) f.append(c);
    }
    static Fields rossi(const QString& causale, const QString& flag = "No") {
        return {{"Esecutore", "ROSSI MARIO"}, {"IndirizzoRes", "VIA ROMA 1"}, {"CapRes", "00100"},
                {"ComuneRes", "ROMA"},        {"ProvRes", "RM"},            {"CCP", "123456"},
                {"Causale01", causale},       {"Causale02", "rata unica"},  {"Ricontatta", flag},
                {"Categoria", "Associati"}};
    }

private slots:
    void init() {
        msgs = new RecordingMessages;
        write({card({{"Esecutore", "BIANCHI ANNA"}, {"Categoria", "Cassa mutua"}, {"Ricontatta", kSi}}),
               card(rossi("quota 2023")),
               card({{"Esecutore", "VERDI LUCA"}, {"Categoria", "Fornitori"}, {"Note", "richiamare"},
                     {"Ricontatta", "No"}}),
               card(rossi("quota 2024", kSi))}); // a duplicate of card 2 with another reason
    }
    void cleanup() { delete msgs; }

    void filtersAreSubstrings_data() {
        QTest::addColumn<QString>("categoria");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("ass in Associati and Cassa") << "ass" << QStringList{"BIANCHI ANNA", "ROSSI MARIO", "ROSSI MARIO"};
        QTest::newRow("a leading blank counts") << " ass" << QStringList{};
        QTest::newRow("a leading blank found") << " mutua" << QStringList{"BIANCHI ANNA"};
        QTest::newRow("no filter lists the registry")
            << "" << QStringList{"BIANCHI ANNA", "ROSSI MARIO", "ROSSI MARIO", "VERDI LUCA"};
    }
    void filtersAreSubstrings() {
        QFETCH(QString, categoria);
        QFETCH(QStringList, names);
        FakeOpener opener;
        TfrmTrovaEsecutori picker(nullptr, opener);
        picker.show();
        picker.txtCategoria->setText(categoria);
        picker.btnCercaClick();
        QStringList got;
        for (const VoceElenco& v : picker.elenco().voci()) got << v.riga.left(23).trimmed();
        QCOMPARE(got, names);
        QCOMPARE(picker.lblTrovate->text(), QString("Il presente riepilogo contiene %1 schede.").arg(names.size()));
    }

    // Each mode sends its own fields; two cards with the same line send the later one.
    void modes_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<int>("cards");
        QTest::newRow("esecutore") << "esecutore"
                                   << Fields{{"txtEsecutore", "ROSSI MARIO"}, {"txtIndirizzoRes", "VIA ROMA 1"},
                                             {"txtCapRes", "00100"}, {"txtComuneRes", "ROMA"}}
                                   << 0;
        QTest::newRow("intestatario")
            << "intestatario"
            << Fields{{"txtCCP", "123456"}, {"txtIntestatario", "ROSSI MARIO"}, {"txtIndirizzoInt", "VIA ROMA 1 ROMA"},
                      {"txtCausale01", "quota 2024"}, {"txtCausale02", "rata unica"}}
            << 0;
        QTest::newRow("riepilogo") << "riepilogo" << Fields{{"txtCCP", "123456"}} << 0;
        QTest::newRow("esecutori") << "esecutori" << Fields{} << 1;
        QTest::newRow("another mode sends nothing") << "Esecutori" << Fields{} << 0;
    }
    void modes() {
        QFETCH(QString, mode);
        QFETCH(Fields, fields);
        QFETCH(int, cards);
        FakeOpener opener;
        TfrmTrovaEsecutori picker(nullptr, opener);
        picker.lblMemory->setText(mode);
        picker.show();
        QTest::keyClicks(picker.txtEsecutore, "rossi");
        picker.btnCercaClick();
        QCOMPARE(picker.elenco().size(), 2);
        picker.lstRecords->selezionaRiga(0);
        picker.lstRecordsDblClick();
        QVERIFY(!picker.isVisible());
        QCOMPARE(opener.campi, fields);
        QCOMPARE(opener.schede.size(), cards);
        if (cards) QCOMPARE(opener.schede[0], (std::pair<QString, qint64>{"ROSSI MARIO", 4}));
    }

    // The holder's address joins street and town with one blank, and nothing else when one is missing:
    // the picker and the dues for a group both write it so.
    void holderAddressHasNoStrayBlank_data() {
        QTest::addColumn<QString>("via");
        QTest::addColumn<QString>("comune");
        QTest::addColumn<QString>("indirizzo");
        QTest::newRow("street and town") << "VIA ROMA 1" << "ROMA" << "VIA ROMA 1 ROMA";
        QTest::newRow("no town") << "VIA ROMA 1" << "" << "VIA ROMA 1";
        QTest::newRow("no street") << "" << "ROMA" << "ROMA";
        QTest::newRow("neither") << "" << "" << "";
    }
    void holderAddressHasNoStrayBlank() {
        QFETCH(QString, via);
        QFETCH(QString, comune);
        QFETCH(QString, indirizzo);
        const TSchedaAnagrafica c = card({{"Esecutore", "ROSSI MARIO"}, {"IndirizzoRes", via}, {"ComuneRes", comune}});
        write({c});
        FakeOpener opener;
        TfrmTrovaEsecutori picker(nullptr, opener);
        picker.lblMemory->setText("intestatario");
        picker.show();
        picker.btnCercaClick();
        picker.lstRecords->selezionaRiga(0);
        picker.lstRecordsDblClick();
        QString scritto = "<not sent>";
        for (const auto& [campo, valore] : opener.campi)
            if (campo == "txtIndirizzoInt") scritto = valore;
        QCOMPARE(scritto, indirizzo);
        QCOMPARE(emissione::beneficiario(c).IndirizzoInt, indirizzo);
    }

    void emptyRegistryIsCreated() {
        QFile::remove(registry());
        FakeOpener opener;
        TfrmTrovaEsecutori picker(nullptr, opener);
        picker.show();
        picker.btnCercaClick();
        QVERIFY(picker.panContainer->isVisible());
        QCOMPARE(picker.lblTrovate->text(), QString("Il presente riepilogo contiene 0 schede."));
        QVERIFY(QFile::exists(registry()));
        QCOMPARE(QFileInfo(registry()).size(), 0);
    }

    void unreadableRegistryKeepsTheFilters() {
        m_dir.pointAt(m_dir.filePath("missing/folder"));
        FakeOpener opener;
        TfrmTrovaEsecutori picker(nullptr, opener);
        picker.show();
        picker.btnCercaClick();
        m_dir.pointAt(QString());
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].text, kTestoAccesso);
        QVERIFY(picker.panAvvio->isVisible());
    }

    void recontactList() {
        FakeOpener opener;
        RecordingReportOutput out;
        TfrmRicontatta list(nullptr, opener);
        QCOMPARE(list.windowTitle(), QString(" Riepilogo beneficiari o esecutori da ricontattare"));
        list.show();
        QStringList got;
        for (const VoceElenco& v : list.elenco().voci()) got << v.riga.left(23).trimmed();
        QCOMPARE(got, (QStringList{"BIANCHI ANNA", "ROSSI MARIO"})); // VERDI's note alone does not count
        QVERIFY(!list.lblTrovate);
        list.btnStampaClick();
        QCOMPARE(out.calls[0].report.pages[0].find("txtTitolo")->lines,
                 QStringList{"Riepilogo beneficiari o esecutori da ricontattare"});
        // The flagged ROSSI line is also the line of the unflagged card 2; the later card loads.
        list.lstRecords->selezionaRiga(1);
        list.lstRecordsDblClick();
        QCOMPARE(opener.schede, (QList<std::pair<QString, qint64>>{{"ROSSI MARIO", 4}}));
    }

    void recontactWithNoFlaggedCards() {
        write({card({{"Esecutore", "A"}, {"Ricontatta", "No"}})});
        FakeOpener opener;
        TfrmRicontatta list(nullptr, opener);
        list.show();
        QVERIFY(list.elenco().isEmpty());
        list.btnTrovaClick();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown[0].text, QString("Ricerca non applicabile: la lista non contiene nessuna voce."));
    }

    // The window system showing the picker again (un-minimised, back from another desktop) is no
    // new opening: the focus stays in the filter the user was in, and the results stay as they were.
    void pickerKeepsItsPlaceWhenShownAgain() {
        FakeOpener opener;
        TfrmTrovaEsecutori picker(nullptr, opener);
        picker.show();
        picker.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&picker));
        QCOMPARE(picker.focusWidget(), picker.txtEsecutore);
        picker.txtCategoria->setFocus();
        picker.showMinimized();
        picker.showNormal();
        QCOMPARE(picker.focusWidget(), picker.txtCategoria);

        picker.btnCercaClick();
        picker.txtTrova->setText("rossi");
        picker.btnTrovaClick();
        picker.btnTrovaClick();
        QCOMPARE(picker.lstRecords->rigaSelezionata(), 2);
        picker.showMinimized();
        picker.showNormal();
        QVERIFY(picker.panContainer->isVisible());
        QCOMPARE(picker.elenco().size(), 4);
        QCOMPARE(picker.lstRecords->rigaSelezionata(), 2);
        QCOMPARE(picker.txtTrova->text(), QString("rossi"));
        picker.btnTrovaClick(); // the remembered key wraps round to the first ROSSI
        QCOMPARE(picker.lstRecords->rigaSelezionata(), 1);
    }

    void recontactListFillsOncePerOpening() {
        FakeOpener opener;
        TfrmRicontatta list(nullptr, opener);
        list.show();
        list.lstRecords->selezionaRiga(1);
        RecordFile<TSchedaAnagrafica>(registry()).append(card({{"Esecutore", "ANTONINI ADA"}, {"Ricontatta", kSi}}));
        list.showMinimized();
        list.showNormal();
        QCOMPARE(list.elenco().size(), 2);
        QCOMPARE(list.lstRecords->rigaSelezionata(), 1);
    }

    // From the registry workspace: Trova ("esecutori") and Da ricontattare load the whole card.
    void workspaceButtons() {
        TfrmEsecutori w;
        w.mostra();
        onNextModal([](QWidget* d) {
            auto* picker = qobject_cast<TfrmTrovaEsecutori*>(d);
            QVERIFY(picker);
            QCOMPARE(picker->lblMemory->text(), QString("esecutori"));
            picker->txtEsecutore->setText("verdi");
            picker->btnCercaClick();
            picker->lstRecords->selezionaRiga(0);
            picker->lstRecordsDblClick();
        });
        QTest::mouseClick(w.cmdTrova, Qt::LeftButton);
        QCOMPARE(w.txtEsecutore->text(), QString("VERDI LUCA"));
        QCOMPARE(w.txtNote->text(), QString("richiamare"));
        QCOMPARE(w.lblPosizione->text(), QString("3"));
        QVERIFY(!w.chkRicontatta->isChecked());

        onNextModal([](QWidget* d) {
            auto* list = qobject_cast<TfrmRicontatta*>(d);
            QVERIFY(list);
            list->lstRecords->selezionaRiga(0);
            list->lstRecordsDblClick();
        });
        QTest::mouseClick(w.cmdRicontatta, Qt::LeftButton);
        QCOMPARE(w.txtEsecutore->text(), QString("BIANCHI ANNA"));
        QCOMPARE(w.lblPosizione->text(), QString("1"));
        QVERIFY(w.chkRicontatta->isChecked());
    }
};

QTEST_MAIN(TstTrovaEsecutori)
#include "tst_trovaesecutori.moc"
