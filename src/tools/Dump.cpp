#include "Json.h"
#include "Subcommands.h"

#include "archive/ArchiveError.h"
#include "archive/RecordFile.h"
#include "archive/SchedaAnagrafica.h"
#include "archive/SchedaBollettino.h"

#include <QFileInfo>

namespace {

template <class Record> int dumpAll(const QString& path) {
    RecordFile<Record> file(path, RecordFileBase::Access::ReadOnly);
    QTextStream& o = out();
    file.scan([&](qint64 pos, const Record& r) {
        o << "{\"pos\": " << pos;
        forEachField(r, [&](const char* name, const auto& field) {
            o << ", \"" << name << "\": " << jsonString(field.get());
        });
        o << "}\n";
    });
    return 0;
}

int run(const QStringList& args) {
    QStringList rest = args;
    const bool registry = rest.removeAll(QStringLiteral("--registry")) > 0;
    if (rest.size() != 1 || rest.first().startsWith(QLatin1String("--")))
        return usageError(kDump, QStringLiteral("give exactly one archive file"));
    const QString path = rest.first();
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        err() << "versalio-tool dump: " << path << ": no such archive file\n";
        return 1;
    }
    const bool isRegistry = registry || info.fileName().compare(QLatin1String("Esecutori.pro"), Qt::CaseInsensitive) == 0;
    try {
        return isRegistry ? dumpAll<TSchedaAnagrafica>(path) : dumpAll<TSchedaBollettino>(path);
    } catch (const ArchiveError& e) {
        out().flush();
        err() << "versalio-tool dump: " << e.what() << "\n";
        return 1;
    }
}

} // namespace

const Subcommand kDump = {"dump", "dump [--registry] FILE   every whole record as one JSON object per line", run};
