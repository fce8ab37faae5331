#include "Json.h"
#include "Subcommands.h"

#include "archive/ArchiveError.h"
#include "archive/RecordFile.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"

#include <QFileInfo>

namespace {

// The visitor needs nothing from the file but the record it is given, so the archive layer is free to
// release its lock while the output waits on a slow reader. The scan stops once the output fails.
template <class Record> void dumpAll(const QString& path) {
    RecordFile<Record> file(path, RecordFileBase::Access::ReadOnly);
    file.scan([](qint64 pos, const Record& r) { return !(out() << recordLine(pos, r)).failed(); });
}

int run(const QStringList& args) {
    CommandLine cl(kDump);
    const QString registry = QStringLiteral("registry");
    cl.addOption({registry, QStringLiteral("read FILE as a registry of persons (Esecutori.pro always is)")});
    cl.addArgument(QStringLiteral("FILE"),
                   QStringLiteral("a yearly archive of slips (2024.bol) or the registry"));
    if (const auto stop = cl.parse(args)) return *stop;
    if (cl.arguments().size() != 1) return usageError(kDump, QStringLiteral("give exactly one archive file"));
    const QString path = cl.arguments().first();
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        err() << "versalio-tool dump: " << path << ": no such archive file\n";
        return 1;
    }
    const bool isRegistry = cl.isSet(registry) ||
                            info.fileName().compare(QLatin1String("Esecutori.pro"), Qt::CaseInsensitive) == 0;
    try {
        isRegistry ? dumpAll<TSchedaAnagrafica>(path) : dumpAll<TSchedaBollettino>(path);
        return 0;
    } catch (const ArchiveError& e) {
        out().flush();
        err() << "versalio-tool dump: " << e.what() << "\n";
        return 1;
    }
}

} // namespace

const Subcommand kDump = {"dump", "dump [--registry] FILE   every whole record as one JSON object per line",
                          run};
