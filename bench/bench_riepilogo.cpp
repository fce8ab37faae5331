// The payment summary and the slip export over a yearly archive of 100 000 slips, as ratios to
// reading the same file raw. The summary runs on its result screen, from opening the file to the
// sorted lines and the total shown; the export on its screen, from opening it to the grid filled
// and the worksheet written into the program folder.
#include "BenchSupport.h"
#include "formats/Esportazione.h"
#include "archive/RecordFile.h"
#include "archive/SchedaBollettino.h"
#include "slips/TfrmExpBollettini.h"
#include "summary/TfrmRiepCosti.h"
#include "common/RecordingMessages.h"
#include "ui/ProgramFolder.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTableView>
#include <QToolButton>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kSlips = 100000;

TemporaryProgramFolder& cartella() {
    static TemporaryProgramFolder d;
    return d;
}

// Five payers in turn, accounts and due dates spread over the year, a few hundred euros each.
const QString& archivio() {
    static const QString path = [] {
        const QString p = cartella().filePath(QStringLiteral("2024.bol"));
        static const char* nomi[] = {"ROSSI MARIO", "BIANCHI ANNA", "VERDI GIUSEPPE", "ESPOSITO LUCA", "ROMANO GIULIA"};
        QRandomGenerator g(7);
        TSchedaBollettino r;
        forEachField(r, [](const char*, auto& f) { f.clear(); });
        r.Intestatario.set(QStringLiteral("ASSOCIAZIONE CULTURALE AMICI DELLA MUSICA"));
        r.Causale01.set(QStringLiteral("Quota associativa anno 2024"));
        r.Saldato.set(QStringLiteral("No"));
        QByteArray all;
        all.reserve(qsizetype(kSlips) * sizeof r);
        for (int i = 0; i < kSlips; ++i) {
            r.CCP.set(QString::number(10000000 + g.bounded(900000)));
            r.Intero.set(QStringLiteral("%1,%2").arg(g.bounded(500)).arg(g.bounded(100), 2, 10, QLatin1Char('0')));
            r.Esecutore.set(QLatin1String(nomi[i % 5]));
            r.DataScade.set(QStringLiteral("%1/%2/2024")
                                .arg(1 + g.bounded(28), 2, 10, QLatin1Char('0'))
                                .arg(1 + g.bounded(12), 2, 10, QLatin1Char('0')));
            all.append(reinterpret_cast<const char*>(&r), sizeof r);
        }
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(all);
        return p;
    }();
    return path;
}

void RawRead(benchmark::State& state) {
    archivio();
    for (auto _ : state) bench::readRaw(archivio(), sizeof(TSchedaBollettino));
}
BENCHMARK(RawRead)->Unit(benchmark::kMillisecond);

// args: the payer filter (0: none, 1: one of the five), and the months of the interval.
void Summary(benchmark::State& state) {
    archivio();
    const QString payer = state.range(0) ? QStringLiteral("ROSSI") : QString();
    const QString fine = state.range(1) == 12 ? QStringLiteral("31/12/2024") : QStringLiteral("31/01/2024");
    for (auto _ : state) {
        TfrmRiepCosti r({archivio(), QStringLiteral("01/01/2024"), fine, payer, QString()}, nullptr, nullptr);
        if (!r.calcola()) state.SkipWithError("archive not read");
        state.counters["lines"] = double(r.elenco().size());
    }
}
BENCHMARK(Summary)->Args({1, 12})->Args({0, 1})->Args({0, 12})->Unit(benchmark::kMillisecond);

// From opening the screen to the grid shown and the worksheet written; closing the screen comes
// after, untimed.
void ExportSlips(benchmark::State& state) {
    archivio();
    RecordingMessages risposte; // export: yes; open the file: no
    for (auto _ : state) {
        risposte.answers = {true, false};
        auto w = std::make_unique<TfrmExpBollettini>(archivio(), nullptr);
        w->show();
        QApplication::processEvents();
        w->cmdEsporta->click();
        state.PauseTiming();
        if (risposte.shown.size() != 2 || !QFile::exists(w->percorsoFile())) state.SkipWithError("not written");
        risposte.clear();
        state.counters["rows"] = double(w->grdRecords->model()->rowCount());
        state.counters["MB"] = double(QFileInfo(w->percorsoFile()).size()) / 1e6;
        w.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(ExportSlips)->Unit(benchmark::kMillisecond);

// What filling the grid's cells costs alone: the archive read into the cells the grid shows and the
// worksheet is written from.
void CellsOfTheGrid(benchmark::State& state) {
    archivio();
    for (auto _ : state) {
        CelleFoglio celle(esportazione::foglioBollettini());
        esportazione::leggi(archivio(), celle);
        state.counters["rows"] = double(celle.righe());
    }
}
BENCHMARK(CellsOfTheGrid)->Unit(benchmark::kMillisecond);

// The export's write alone: the worksheet made from the grid's cells and written into its file, as
// the export's button does once the grid is filled.
void WorksheetFromTheCells(benchmark::State& state) {
    archivio();
    const QString path = cartella().filePath(QStringLiteral("celle.xls"));
    CelleFoglio celle(esportazione::foglioBollettini());
    esportazione::leggi(archivio(), celle);
    qint64 bytes = 0;
    for (auto _ : state) bytes = esportazione::scrivi(path, celle, esportazione::Formato::Xls);
    state.counters["MB"] = double(bytes) / 1e6;
}
BENCHMARK(WorksheetFromTheCells)->Unit(benchmark::kMillisecond);

// What writing the worksheet costs alone: a file of as many bytes as the export writes for this
// archive, from memory, through a temporary file renamed over the old one as the export does.
void RawWriteOfTheWorksheet(benchmark::State& state) {
    archivio();
    const QString path = cartella().filePath(QStringLiteral("raw.xls"));
    QByteArray bytes;
    {
        CelleFoglio celle(esportazione::foglioBollettini());
        esportazione::leggi(archivio(), celle);
        bytes = esportazione::xls(celle);
    }
    for (auto _ : state) esportazione::scrivi(path, bytes);
    state.counters["MB"] = double(bytes.size()) / 1e6;
}
BENCHMARK(RawWriteOfTheWorksheet)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return bench::run<QApplication>(argc, argv); }
