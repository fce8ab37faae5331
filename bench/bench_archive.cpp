// Scanning a yearly archive of 100 000 slips, compared with reading the same file raw: the
// program's own overhead per record (decoding, trimming, the lock) must stay a small factor.
#include "BenchSupport.h"
#include "archive/ImportoInLettere.h"
#include "archive/RecordFile.h"
#include "archive/SchedaBollettino.h"
#include "archive/Text.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kSlips = 100000;

const QString& archive() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath("2024.bol");
        RecordFile<TSchedaBollettino> f(p);
        TSchedaBollettino r;
        forEachField(r, [](const char*, auto& field) { field.clear(); });
        r.Intestatario.set("ASSOCIAZIONE CULTURALE");
        r.Causale01.set("Quota associativa anno 2024");
        r.Saldato.set("No");
        QByteArray all;
        for (int i = 0; i < kSlips; ++i) {
            r.CCP.set(QString::number(100000 + i));
            all.append(reinterpret_cast<const char*>(&r), sizeof r);
        }
        QFile raw(p);
        raw.open(QIODevice::WriteOnly);
        raw.write(all);
        return p;
    }();
    return path;
}

void RawRead(benchmark::State& state) {
    archive(); // made once, outside the timing
    for (auto _ : state) bench::readRaw(archive(), sizeof(TSchedaBollettino));
}
BENCHMARK(RawRead)->Unit(benchmark::kMillisecond);

// What a search does per record: decode the text fields it filters on and compare.
void ScanAndFilter(benchmark::State& state) {
    archive();
    for (auto _ : state) {
        RecordFile<TSchedaBollettino> f(archive());
        int hits = 0;
        f.scan([&](qint64, const TSchedaBollettino& r) {
            if (text::containsAZ(r.Causale01.get(), QStringLiteral("quota")) && r.CCP.get().endsWith('7')) ++hits;
        });
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK(ScanAndFilter)->Unit(benchmark::kMillisecond);

void AmountWords(benchmark::State& state) {
    qint64 v = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ImportoInLettere((v++ % 99999999) * 10000));
    }
}
BENCHMARK(AmountWords);

} // namespace

BENCHMARK_MAIN();
