// The dues of a large association: 1 000 slips issued to the cards of a category and printed on A4
// into one PDF, from reading the registry to the finished file, and each half on its own. The
// counter "per_slip" is the time of one slip, all included.
#include "BenchSupport.h"
#include "queries/Elenco.h"
#include "archive/RecordFile.h"
#include "print/LayoutBollettino.h"
#include "print/StampaEmissione.h"
#include "queries/EmissioneBollettini.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kSoci = 1000;

QTemporaryDir& dir() {
    static QTemporaryDir d;
    return d;
}

// 1 000 members and, around them, as many cards of other categories that the filter leaves out.
const QString& registro() {
    static const QString p = [] {
        const QString path = dir().filePath(QStringLiteral("Esecutori.pro"));
        RecordFile<TSchedaAnagrafica> f(path);
        QList<TSchedaAnagrafica> carte;
        for (int i = 0; i < 2 * kSoci; ++i) {
            TSchedaAnagrafica c{};
            forEachField(c, [](const char*, auto& campo) { campo.clear(); });
            c.Esecutore.set(QStringLiteral("COGNOME%1 NOME").arg((i * 7919) % 100000));
            c.IndirizzoRes.set(QStringLiteral("VIA GARIBALDI %1").arg(i));
            c.CapRes.set(QStringLiteral("40121"));
            c.ComuneRes.set(QStringLiteral("BOLOGNA"));
            c.Categoria.set(i % 2 ? QStringLiteral("FORNITORE") : QStringLiteral("SOCIO ORDINARIO"));
            carte.append(c);
        }
        f.appendAll(carte.constData(), carte.size());
        return path;
    }();
    return p;
}

const emissione::Dati kDati{{QStringLiteral("12345678"), QStringLiteral("ASSOCIAZIONE AMICI DEL LIBRO"),
                             QStringLiteral("VIA DANTE 12 BOLOGNA"), QStringLiteral("QUOTA ASSOCIATIVA ANNO 2026"),
                             QStringLiteral("SOCIO ORDINARIO")},
                            QStringLiteral("50"),
                            QStringLiteral("00"),
                            QStringLiteral("31/03/2026")};

QList<TSchedaBollettino> emetti(const QString& archivio) {
    FiltriTesto filtri;
    elenchi::filtriSchede({{QStringLiteral("Categoria"), QStringLiteral("socio")}}, filtri);
    QList<TSchedaBollettino> slips;
    for (const emissione::Esecutore& e : emissione::esecutori(registro(), filtri, RecordFileBase::Access::ReadOnly))
        slips.append(emissione::bollettino(kDati, e.scheda));
    emissione::accoda(archivio, slips);
    return slips;
}

void perSlip(benchmark::State& state) {
    state.counters["per_slip"] =
        benchmark::Counter(kSoci, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void IssueAndPrint1000SlipsOnA4(benchmark::State& state) {
    const QString archivio = dir().filePath(QStringLiteral("2026.bol")), pdf = dir().filePath(QStringLiteral("a4.pdf"));
    for (auto _ : state) {
        QFile::remove(archivio);
        const QList<TSchedaBollettino> slips = emetti(archivio);
        if (!emissione::pdfA4(slips, pdf, QDateTime::currentDateTime())) state.SkipWithError("PDF not written");
    }
    perSlip(state);
    state.counters["pdf_MB"] = double(QFile(pdf).size()) / 1e6;
}
BENCHMARK(IssueAndPrint1000SlipsOnA4)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void Issue1000Slips(benchmark::State& state) {
    const QString archivio = dir().filePath(QStringLiteral("2026.bol"));
    for (auto _ : state) {
        QFile::remove(archivio);
        benchmark::DoNotOptimize(emetti(archivio));
    }
    perSlip(state);
}
BENCHMARK(Issue1000Slips)->Unit(benchmark::kMillisecond)->UseRealTime();

void Print1000SlipsOnA4(benchmark::State& state) {
    const QString archivio = dir().filePath(QStringLiteral("2026.bol")), pdf = dir().filePath(QStringLiteral("a4.pdf"));
    QFile::remove(archivio);
    const QList<TSchedaBollettino> slips = emetti(archivio);
    for (auto _ : state)
        if (!emissione::pdfA4(slips, pdf, QDateTime::currentDateTime())) state.SkipWithError("PDF not written");
    perSlip(state);
}
BENCHMARK(Print1000SlipsOnA4)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The blank form through one printer dialog: the 1 000 pages prepared as one report.
void Prepare1000SlipsOnTheBlankForm(benchmark::State& state) {
    const QString archivio = dir().filePath(QStringLiteral("2026.bol"));
    QFile::remove(archivio);
    const QList<TSchedaBollettino> slips = emetti(archivio);
    for (auto _ : state) {
        Report modulo = layoutBollettino::blankReport();
        benchmark::DoNotOptimize(emissione::stampa(modulo, slips, QDateTime::currentDateTime()).pages.size());
    }
    perSlip(state);
}
BENCHMARK(Prepare1000SlipsOnTheBlankForm)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char** argv) { return bench::run<QGuiApplication>(argc, argv); }
