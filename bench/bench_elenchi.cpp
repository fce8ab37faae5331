// The result lists on large archives: from opening the file to a sorted list ready to show, as a
// ratio to reading the same file raw; showing that list in the real list control and scrolling to
// its end; and the list printout of 10 000 lines prepared into pages.
#include "BenchSupport.h"
#include "queries/Elenco.h"
#include "archive/RecordFile.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"
#include "print/RiepilogoSchede.h"
#include "ui/ListaRecords.h"

#include <QApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 100000;
QTemporaryDir& dir() {
    static QTemporaryDir d;
    return d;
}

template <class T, class Fill> QString archive(const char* name, Fill fill) {
    const QString p = dir().filePath(QLatin1String(name));
    if (QFile::exists(p)) return p;
    QRandomGenerator rng(42);
    QByteArray all;
    all.reserve(qsizetype(kRecords) * sizeof(T));
    T r;
    forEachField(r, [](const char*, auto& f) { f.clear(); });
    for (int i = 0; i < kRecords; ++i) {
        fill(r, i, rng);
        all.append(reinterpret_cast<const char*>(&r), sizeof r);
    }
    QFile f(p);
    f.open(QIODevice::WriteOnly);
    f.write(all);
    return p;
}

const QString& slips() {
    static const QString p = archive<TSchedaBollettino>("2024.bol", [](TSchedaBollettino& r, int i, QRandomGenerator& g) {
        static const char* names[] = {"ROSSI MARIO", "BIANCHI ANNA", "VERDI GIUSEPPE", "ESPOSITO LUCA", "ROMANO GIULIA"};
        r.CCP.set(QString::number(10000000 + g.bounded(900000)));
        r.Intero.set(QStringLiteral("%1,00").arg(g.bounded(500)));
        r.Intestatario.set(QStringLiteral("ASSOCIAZIONE CULTURALE AMICI DELLA MUSICA"));
        r.Esecutore.set(QLatin1String(names[i % 5]));
        r.DataScade.set(QStringLiteral("%1/%2/2024").arg(1 + g.bounded(28), 2, 10, QLatin1Char('0')).arg(1 + g.bounded(12), 2, 10, QLatin1Char('0')));
        r.Causale01.set(QStringLiteral("Quota associativa anno 2024"));
        r.Saldato.set(g.bounded(3) ? QStringLiteral("No") : QString::fromUtf8("Sì"));
    });
    return p;
}

// An association's archive: every slip on its one account, so the lines differ only from the due
// date on.
const QString& slipsOneAccount() {
    static const QString p = archive<TSchedaBollettino>("uno.bol", [](TSchedaBollettino& r, int i, QRandomGenerator& g) {
        static const char* names[] = {"ROSSI MARIO", "BIANCHI ANNA", "VERDI GIUSEPPE", "ESPOSITO LUCA", "ROMANO GIULIA"};
        r.CCP.set(QStringLiteral("12345678"));
        r.Intero.set(QStringLiteral("%1,00").arg(g.bounded(500)));
        r.Intestatario.set(QStringLiteral("ASSOCIAZIONE CULTURALE AMICI DELLA MUSICA"));
        r.Esecutore.set(QLatin1String(names[i % 5]));
        r.DataScade.set(QStringLiteral("%1/%2/2024").arg(1 + g.bounded(28), 2, 10, QLatin1Char('0')).arg(1 + g.bounded(12), 2, 10, QLatin1Char('0')));
        r.Causale01.set(QStringLiteral("Quota associativa anno 2024"));
        r.Saldato.set(g.bounded(3) ? QStringLiteral("No") : QString::fromUtf8("S\u00ec"));
    });
    return p;
}

const QString& cards() {
    static const QString p = archive<TSchedaAnagrafica>("Esecutori.pro", [](TSchedaAnagrafica& r, int i, QRandomGenerator& g) {
        r.Esecutore.set(QStringLiteral("COGNOME%1 NOME").arg(g.bounded(1000000)));
        r.CodFisc.set(QStringLiteral("RSSMRA80A01H501U"));
        r.ComuneRes.set(QStringLiteral("ROMA"));
        r.ProvRes.set(QStringLiteral("RM"));
        r.Categoria.set(i % 4 ? QStringLiteral("Soci") : QStringLiteral("Fornitori"));
        r.CCP.set(QString::number(10000000 + i));
        r.Note.set(QStringLiteral("nota %1").arg(i));
    });
    return p;
}

void RawReadSlips(benchmark::State& state) {
    slips();
    for (auto _ : state) bench::readRaw(slips(), sizeof(TSchedaBollettino));
}
BENCHMARK(RawReadSlips)->Unit(benchmark::kMillisecond);

void SlipSearchTwoFilters(benchmark::State& state) {
    slips();
    for (auto _ : state) {
        FiltriTesto f;
        elenchi::filtriBollettini({{"Esecutore", "ross"}, {"DataScade", "03/2024"}}, f);
        Elenco e;
        elenchi::cercaBollettini(slips(), f, e, elenchi::Accesso::ReadOnly);
        benchmark::DoNotOptimize(e.size());
        state.counters["lines"] = double(e.size());
    }
}
BENCHMARK(SlipSearchTwoFilters)->Unit(benchmark::kMillisecond);

void UnpaidList(benchmark::State& state) {
    slips();
    for (auto _ : state) {
        Elenco e;
        elenchi::bollettiniDaSaldare(slips(), e, elenchi::Accesso::ReadOnly);
        state.counters["lines"] = double(e.size());
    }
}
BENCHMARK(UnpaidList)->Unit(benchmark::kMillisecond);

void UnpaidListOneAccount(benchmark::State& state) {
    slipsOneAccount();
    for (auto _ : state) {
        Elenco e;
        elenchi::bollettiniDaSaldare(slipsOneAccount(), e, elenchi::Accesso::ReadOnly);
        state.counters["lines"] = double(e.size());
    }
}
BENCHMARK(UnpaidListOneAccount)->Unit(benchmark::kMillisecond);

void RawReadCards(benchmark::State& state) {
    cards();
    for (auto _ : state) bench::readRaw(cards(), sizeof(TSchedaAnagrafica));
}
BENCHMARK(RawReadCards)->Unit(benchmark::kMillisecond);

void RegistrySearchAll(benchmark::State& state) {
    cards();
    for (auto _ : state) {
        FiltriTesto none;
        Elenco e;
        elenchi::cercaSchede(cards(), none, e, elenchi::Accesso::ReadOnly);
        state.counters["lines"] = double(e.size());
    }
}
BENCHMARK(RegistrySearchAll)->Unit(benchmark::kMillisecond);

// The unpaid list of 100 000 slips handed to the real list control, shown, and scrolled to its end.
void ShowAndScrollToEnd(benchmark::State& state) {
    Elenco full;
    elenchi::cercaBollettini(slips(), FiltriTesto(), full, elenchi::Accesso::ReadOnly);
    for (auto _ : state) {
        ListaRecords list;
        list.resize(822, 330);
        list.modello()->imposta(full);
        list.show();
        QApplication::processEvents();
        list.scrollToBottom();
        list.repaint();
        benchmark::DoNotOptimize(list.verticalScrollBar()->value());
    }
    state.counters["lines"] = double(full.size());
}
BENCHMARK(ShowAndScrollToEnd)->Unit(benchmark::kMillisecond);

void PrintoutOf10000Lines(benchmark::State& state) {
    QStringList lines;
    Elenco e;
    elenchi::bollettiniDaSaldare(slips(), e, elenchi::Accesso::ReadOnly);
    lines = e.righe().mid(0, 10000);
    int pages = 0;
    for (auto _ : state) {
        Report r = riepilogoSchede::layout();
        riepilogoSchede::riempi(r, QStringLiteral("Riepilogo bollettini non saldati"), lines);
        r.prepare(QDateTime::currentDateTime());
        pages = int(r.prepared().pages.size());
    }
    state.counters["pages"] = pages;
}
BENCHMARK(PrintoutOf10000Lines)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return bench::run<QApplication>(argc, argv); }
