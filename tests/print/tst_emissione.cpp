// The batch of slips for a group of the registry: the records it makes, the cards it takes and their
// order, and its append, which reaches the archive whole or not at all.
#include "archive/ArchiveError.h"
#include "queries/Elenco.h"
#include "archive/FileLock.h"
#include "archive/RecordFile.h"
#include "queries/RigheElenco.h"
#include "print/LayoutBollettino.h"
#include "print/StampaEmissione.h"
#include "queries/EmissioneBollettini.h"
#include "common/FaultInjection.h"
#include "common/FileBytes.h"
#include "common/Records.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QDir>
#include <QTest>
#include <cerrno>

namespace {

TSchedaAnagrafica carta(const QString& nome, const QString& categoria, const QString& via = QString(),
                        const QString& cap = QString(), const QString& comune = QString()) {
    return record<TSchedaAnagrafica>({{"Esecutore", nome},
                                      {"Categoria", categoria},
                                      {"IndirizzoRes", via},
                                      {"CapRes", cap},
                                      {"ComuneRes", comune}});
}

emissione::Dati dati(const QString& importo = "50", const QString& cents = "00") {
    return {{"12345678", "ASSOCIAZIONE AMICI DEL LIBRO", "VIA DANTE 12 BOLOGNA", "QUOTA ASSOCIATIVA 2025", "SOCIO"},
            importo,
            cents,
            "31/03/2025"};
}

QByteArray bytes(const TSchedaBollettino& r) { return QByteArray(reinterpret_cast<const char*>(&r), sizeof r); }

QByteArray bytes(const QList<TSchedaBollettino>& rs) {
    QByteArray out;
    for (const auto& r : rs) out += bytes(r);
    return out;
}

QList<TSchedaBollettino> lotto(int n) {
    QList<TSchedaBollettino> out;
    for (int i = 0; i < n; ++i) out.append(emissione::bollettino(dati(), carta(QString("SOCIO %1").arg(i), "SOCI")));
    return out;
}

using Fault = fault::Kind;

} // namespace

class TstEmissione : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString& n) const { return m_dir->filePath(n); }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    // The amount as the workspace's Salva stores it, the words as it shows them while typing.
    void amountIsNormalisedAsSalvaDoes_data() {
        QTest::addColumn<QString>("importo");
        QTest::addColumn<QString>("cents");
        QTest::addColumn<QString>("Importo");
        QTest::addColumn<QString>("Cents");
        QTest::addColumn<QString>("Intero");
        QTest::addColumn<QString>("parole");
        QTest::newRow("whole euros") << "50" << "00" << "50" << "00" << "50,00" << "CINQUANTA";
        QTest::newRow("empty cents") << "125" << "" << "125" << "00" << "125,00" << "CENTOVENTICINQUE";
        QTest::newRow("one digit of cents is tens") << "1250" << "5" << "1250" << "50" << "1250,50"
                                                    << "MILLEDUECENTOCINQUANTA";
        QTest::newRow("leading zero kept as typed") << "050" << "05" << "050" << "05" << "050,05" << "CINQUANTA";
    }
    void amountIsNormalisedAsSalvaDoes() {
        QFETCH(QString, importo);
        QFETCH(QString, cents);
        const TSchedaBollettino r = emissione::bollettino(dati(importo, cents), carta("ROSSI MARIO", "SOCI"));
        QTEST(r.Importo.get(), "Importo");
        QTEST(r.Cents.get(), "Cents");
        QTEST(r.CentLettere.get(), "Cents");
        QTEST(r.Intero.get(), "Intero");
        QTEST(r.ImpLettere.get(), "parole");
        QCOMPARE(r.Saldato.get(), QString("No"));
    }

    // Payer fields as the "esecutore" import writes them: each cut to the slip's field, then trimmed,
    // as an edit field of that length and Salva do; everything not imported stays empty.
    void payerFieldsAreThoseOfTheImport() {
        const TSchedaAnagrafica c = carta("ASSOCIAZIONE CULTURALE  X", "SOCI", "VIA DELL'ANGELO CUSTODE 1", "00100",
                                          "ROMA");
        const TSchedaBollettino r = emissione::bollettino(dati(), c);
        QCOMPARE(r.Esecutore.get(), QString("ASSOCIAZIONE CULTURALE")); // 23 characters end in a blank
        QCOMPARE(int(r.Esecutore.len), 22);
        QCOMPARE(r.IndirizzoRes.get(), QString("VIA DELL'ANGELO CUSTODE"));
        QCOMPARE(r.CapRes.get(), QString("00100"));
        QCOMPARE(r.ComuneRes.get(), QString("ROMA"));
        QCOMPARE(r.DataScade.get(), QString("31/03/2025"));
        QCOMPARE(int(r.DataPaga.len) + r.Timbro.len + r.Note.len + r.File01.len + r.Desc01.len, 0);
        // Bytes after each text are zeros, as a record built afresh by the workspace has them.
        const QByteArray raw = bytes(r);
        QCOMPARE(raw.mid(1459 + 3), QByteArray(2968 - 1462, '\0'));
    }

    void beneficiaryIsThatOfTheImport() {
        TSchedaAnagrafica c = carta("Circolo Tennis", "", "VIA DEL MARE 3", "00122", "ROMA");
        c.CCP.set("11223344");
        c.Causale01.set("ISCRIZIONE");
        const emissione::Beneficiario b = emissione::beneficiario(c);
        QCOMPARE(b.CCP, QString("11223344"));
        QCOMPARE(b.Intestatario, QString("Circolo Tennis")); // an import is not upper-cased
        QCOMPARE(b.IndirizzoInt, QString("VIA DEL MARE 3 ROMA"));
        QCOMPARE(b.Causale01, QString("ISCRIZIONE"));
        QCOMPARE(b.Causale02, QString());
    }

    void checksFollowSalva_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("words");
        QTest::newRow("no account") << "CCP" << " " << int(emissione::Campo::CCP) << "conto corrente postale";
        QTest::newRow("account with letters") << "CCP" << "12A" << int(emissione::Campo::CCP) << "soltanto cifre";
        QTest::newRow("no amount") << "importo" << "" << int(emissione::Campo::Importo) << "l'importo";
        QTest::newRow("amount too long") << "importo" << "123456789" << int(emissione::Campo::Importo) << "fino a otto";
        QTest::newRow("nothing to pay") << "importo" << "0" << int(emissione::Campo::Importo) << "maggiore di zero";
        QTest::newRow("zeros only") << "importo" << "00000000" << int(emissione::Campo::Importo) << "maggiore di zero";
        QTest::newRow("no holder") << "Intestatario" << "" << int(emissione::Campo::Intestatario) << "intestatario";
        QTest::newRow("no due date") << "scadenza" << "" << int(emissione::Campo::DataScade) << "data di scadenza";
        QTest::newRow("no such day") << "scadenza" << "31/02/2025" << int(emissione::Campo::DataScade)
                                     << "la data indicata non esiste";
        QTest::newRow("two-digit year") << "scadenza" << "31/12/25" << int(emissione::Campo::DataScade)
                                        << "la data indicata non esiste";
    }
    void checksFollowSalva() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        emissione::Dati d = dati();
        QVERIFY(!emissione::verifica(d));
        if (field == "CCP") d.beneficiario.CCP = value;
        if (field == "importo") d.importo = value;
        if (field == "Intestatario") d.beneficiario.Intestatario = value;
        if (field == "scadenza") d.scadenza = value;
        const auto p = emissione::verifica(d);
        QVERIFY(p);
        QTEST(int(p->campo), "campo");
        QFETCH(QString, words);
        QVERIFY2(p->testo.contains(words), qPrintable(p->testo));
        QVERIFY(emissione::verifica(carta("", "SOCI")));
        // Cents alone are an amount.
        d = dati();
        d.importo = "0";
        d.cents = "50";
        QVERIFY(!emissione::verifica(d));
    }

    // The picker's filters and the picker's order: the lines sorted, A-Z without regard to case.
    void cardsAreThoseAndInTheOrderOfThePicker() {
        const QString registro = path("Esecutori.pro");
        {
            RecordFile<TSchedaAnagrafica> f(registro);
            f.append(carta("VERDI LUCA", "SOCIO ORDINARIO"));
            f.append(carta("bianchi anna", "Socio Sostenitore"));
            f.append(carta("ROSSI MARIO", "FORNITORE"));
            f.append(carta("Bianchi Carla", "SOCIO ORDINARIO"));
        }
        FiltriTesto f;
        QVERIFY(elenchi::filtriSchede({{"Categoria", "socio"}}, f));
        const QList<emissione::Esecutore> presi =
            emissione::esecutori(registro, f, RecordFileBase::Access::ReadOnly);
        QStringList nomi;
        for (const auto& e : presi) nomi << e.scheda.Esecutore.get() + "@" + QString::number(e.posizione);
        QCOMPARE(nomi, QStringList({"bianchi anna@2", "Bianchi Carla@4", "VERDI LUCA@1"}));
        Elenco picker;
        elenchi::cercaSchede(registro, f, picker, RecordFileBase::Access::ReadOnly);
        QCOMPARE(picker.size(), presi.size());
        for (int i = 0; i < presi.size(); ++i) QCOMPARE(presi[i].riga, picker[i].riga);
        QVERIFY_THROWS_EXCEPTION(ArchiveError, emissione::esecutori(path("nessuno.pro"), f,
                                                                    RecordFileBase::Access::ReadOnly));
        QVERIFY(!QFile::exists(path("nessuno.pro")));
    }

    void appendAddsTheWholeBatchInOrder() {
        const QString a = path("2025.bol");
        RecordFile<TSchedaBollettino>(a).append(lotto(1).first());
        const QList<TSchedaBollettino> l = lotto(5);
        QCOMPARE(emissione::accoda(a, l), 2);
        QCOMPARE(readAll(a), bytes(lotto(1).first()) + bytes(l));
    }

    // A full disk part-way, a read-only folder, another program holding the lock: the archive keeps
    // every byte, a trailing piece included, and the caller is told.
    void failureLeavesTheArchiveAsItWas_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("tail");
        for (bool tail : {false, true}) {
            const char* t = tail ? ", trailing piece" : "";
            QTest::addRow("full disk part-way%s", t) << "full" << tail;
            QTest::addRow("read-only folder%s", t) << "readonly" << tail;
            QTest::addRow("locked by another program%s", t) << "locked" << tail;
        }
    }
    void failureLeavesTheArchiveAsItWas() {
        QFETCH(QString, fault);
        QFETCH(bool, tail);
        const QString a = path("2025.bol");
        QByteArray before = bytes(lotto(3));
        if (tail) before += QByteArray(100, 'x');
        writeRaw(a, before);
        const QList<TSchedaBollettino> l = lotto(40);

        std::unique_ptr<fault::Guard> guard;
        std::unique_ptr<QFile> other;
        std::unique_ptr<FileLock> held;
        const auto oldLimit = FileLock::waitLimit();
        if (fault == "locked") {
            FileLock::setWaitLimit(std::chrono::milliseconds(150));
            other = std::make_unique<QFile>(a);
            QVERIFY(other->open(QIODevice::ReadWrite));
            held = std::make_unique<FileLock>(*other, FileLock::Exclusive);
        } else {
            // Room for the old records and half of the batch.
            guard = std::make_unique<fault::Guard>(fault == "full" ? Fault::FullDisk : Fault::ReadOnlyFolder,
                                                   m_dir->path(), before.size() + 20 * 2968);
            FAULT_OR_SKIP(*guard);
        }
        bool thrown = false;
        QString why;
        try {
            emissione::accoda(a, l);
        } catch (const ArchiveError& e) {
            thrown = true;
            why = QString::fromStdString(e.what());
        }
        held.reset();
        guard.reset();
        FileLock::setWaitLimit(oldLimit);
        QVERIFY(thrown);
        // A write cut short says the system's reason, as a write that could not start does.
        if (fault == "full") QVERIFY2(why.contains(qt_error_string(EFBIG)), qPrintable(why));
        QCOMPARE(readAll(a), before);
        // No journal stays to undo anything later, nor the hidden file of one.
        const auto files = [&] { return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden); };
        QCOMPARE(files(), QStringList{"2025.bol"});
        // And the archive takes the batch once the fault is gone.
        QCOMPARE(emissione::accoda(a, l), 4);
        QCOMPARE(QFileInfo(a).size(), 43 * 2968);
        QCOMPARE(files(), QStringList{"2025.bol"});
    }

    // One printer dialog for the whole batch: one page a slip, in order, on the layout given.
    void printoutIsOnePageASlip() {
        const QList<TSchedaBollettino> l = lotto(3);
        Report modulo = layoutBollettino::blankReport();
        modulo.setTopMargin(3);
        const PreparedReport p = emissione::stampa(modulo, l, QDateTime(QDate(2025, 1, 2), QTime(9, 0)));
        QCOMPARE(p.pages.size(), 3);
        QCOMPARE(p.name, QString("Bollettino Postale"));
        QCOMPARE(p.layout.orientation(), QPageLayout::Landscape);
        for (int i = 0; i < 3; ++i) {
            const PreparedItem* e = p.pages[i].find("txtEsecutore");
            QVERIFY(e);
            QCOMPARE(e->lines.join(""), QString("SOCIO %1").arg(i));
        }
        const QString pdf = path("Bollettini.pdf");
        QString why;
        QVERIFY2(emissione::pdfA4(l, pdf, QDateTime::currentDateTime(), &why), qPrintable(why));
        const QByteArray doc = readAll(pdf);
        QVERIFY(doc.startsWith("%PDF"));
        QCOMPARE(QString::fromLatin1(doc).count(QRegularExpression("/Type\\s*/Page[^s]")), 3);
        // It never replaces a file that is not a PDF.
        writeRaw(path("nota.txt"), "testo");
        QVERIFY(!emissione::pdfA4(l, path("nota.txt"), QDateTime::currentDateTime(), &why));
        QCOMPARE(readAll(path("nota.txt")), QByteArray("testo"));
    }
};

QTEST_MAIN(TstEmissione)
#include "tst_emissione.moc"
