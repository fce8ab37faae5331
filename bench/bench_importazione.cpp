// The import of 10 000 registry cards from a spreadsheet's CSV, as a ratio to writing the same
// records' bytes raw: from the file's bytes on disk to the cards appended and synced, every row
// decoded, matched, checked and compared with the cards already there.
#include "archive/FileSync.h"
#include "archive/RecordFile.h"
#include "checks/AvvisiScheda.h"
#include "formats/ImportazioneSchede.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kCards = 10000;

QTemporaryDir& cartella() {
    static QTemporaryDir d;
    return d;
}

// Members as a spreadsheet program saves them: ";" and UTF-8, every text quoted, ten columns.
const QString& foglio() {
    static const QString path = [] {
        const QString p = cartella().filePath(QStringLiteral("soci.csv"));
        static const char* comuni[] = {"Forl\u00ec", "Cesena", "Citt\u00e0 di Castello", "Roma", "Cant\u00f9"};
        QString t = QStringLiteral("\"Cognome\";\"Nome\";\"Indirizzo\";\"CAP\";\"Comune\";\"Prov.\";\"Codice fiscale\";"
                                   "\"E-mail\";\"Categoria\";\"Data di nascita\"\r\n");
        for (int i = 0; i < kCards; ++i)
            t += QStringLiteral("\"Socio%1\";\"Mario\";\"Via Garibaldi %2\";%3;\"%4\";\"FC\";\"RSSMRA80A01H501U\";"
                                "\"socio%1@esempio.it\";\"Ordinario\";01/02/80\r\n")
                     .arg(i)
                     .arg(i % 300 + 1)
                     .arg(47100 + i % 50)
                     .arg(QString::fromUtf8(comuni[i % 5]));
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(t.toUtf8());
        return p;
    }();
    return path;
}

// A registry of 10 000 other cards, for the import that compares every row with them.
const QString& registroPieno() {
    static const QString path = [] {
        const QString p = cartella().filePath(QStringLiteral("pieno.pro"));
        TSchedaAnagrafica r;
        forEachField(r, [](const char*, auto& f) { f.clear(); });
        r.Ricontatta.set(QStringLiteral("No"));
        QByteArray all;
        for (int i = 0; i < kCards; ++i) {
            r.Esecutore.set(QStringLiteral("ALTRO %1").arg(i));
            all.append(reinterpret_cast<const char*>(&r), sizeof r);
        }
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(all);
        return p;
    }();
    return path;
}

// The same number of records' bytes, written and synced as the import writes them.
void RawWrite(benchmark::State& state) {
    const QByteArray bytes(qsizetype(kCards) * sizeof(TSchedaAnagrafica), 'x');
    const QString p = cartella().filePath(QStringLiteral("raw.pro"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(p);
        state.ResumeTiming();
        QFile f(p);
        f.open(QIODevice::ReadWrite | QIODevice::Unbuffered);
        f.write(bytes);
        f.flush();
        syncToDisk(f);
    }
}
BENCHMARK(RawWrite)->Unit(benchmark::kMillisecond);

void importa(benchmark::State& state, const QString& origine) {
    foglio();
    const QString p = cartella().filePath(QStringLiteral("Esecutori.pro"));
    int aggiunte = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(p);
        if (!origine.isEmpty()) QFile::copy(origine, p);
        state.ResumeTiming();
        importazioneSchede::Piano piano = importazioneSchede::preparaFile(foglio(), importazioneSchede::chiavi(p), avvisiScheda);
        aggiunte = importazioneSchede::importa(p, piano);
    }
    if (aggiunte != kCards) state.SkipWithError("not every card was imported");
}

void ImportIntoEmptyRegistry(benchmark::State& state) { importa(state, QString()); }
BENCHMARK(ImportIntoEmptyRegistry)->Unit(benchmark::kMillisecond);

void ImportIntoRegistryOf10000(benchmark::State& state) { importa(state, registroPieno()); }
BENCHMARK(ImportIntoRegistryOf10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
