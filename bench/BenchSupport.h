#pragma once

// What the benchmarks share: reading a file as plain bytes, the yardstick their goals are measured
// against, and a main that runs them under an application object on the offscreen platform.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <benchmark/benchmark.h>
#include <vector>

namespace bench {

// Reads the whole file, a batch of 256 records of `recordSize` bytes at a time, as the archives'
// scans read it, and does nothing with the bytes.
inline void readRaw(const QString& path, qsizetype recordSize) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return;
    std::vector<char> buf(size_t(256 * recordSize));
    qint64 n = 0;
    while (qint64 got = f.read(buf.data(), qint64(buf.size()))) n += got;
    benchmark::DoNotOptimize(n);
}

// Runs the benchmarks the command line asks for, under an App (QGuiApplication, QApplication).
template <class App> int run(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
