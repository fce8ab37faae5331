#include "Json.h"
#include "Subcommands.h"

#include "archive/ArchiveError.h"
#include "formats/Esportazione.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

// The formats by the word --format takes.
const QHash<QString, esportazione::Formato> kFormati = {{QStringLiteral("xls"), esportazione::Formato::Xls},
                                                         {QStringLiteral("csv"), esportazione::Formato::Csv}};

int fail(const QString& why) {
    out().flush();
    err() << "versalio-tool export: " << why << "\n";
    return 1;
}

// An export replaces nothing but an earlier export: never the archive, a link, a folder, a device or
// another document.
QString refusal(const QString& target, const QString& archive) {
    const QFileInfo t(target);
    if (t.isSymLink()) return QStringLiteral("%1 is a symbolic link; an export is never written through a link").arg(target);
    if (!t.exists()) return QString();
    if (sameFile(target, archive))
        return QStringLiteral("the export would replace the archive");
    if (!t.isFile()) return QStringLiteral("%1 is not a regular file; an export replaces only an earlier export").arg(target);
    QFile f(target);
    if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("%1 cannot be read: %2").arg(target, f.errorString());
    if (f.size() > 0 && !esportazione::propria(f.read(4096)))
        return QStringLiteral("%1 is not an export of Versalio; an export replaces only an earlier export").arg(target);
    return QString();
}

int run(const QStringList& args) {
    CommandLine cl(kExport);
    const QString format = QStringLiteral("format"), outOpt = QStringLiteral("out"), registry = QStringLiteral("registry");
    cl.addOption({format, QStringLiteral("xls (the worksheet the program writes) or csv (UTF-8, comma-separated)"),
                  QStringLiteral("FORMAT")});
    cl.addOption({outOpt, QStringLiteral("the file to write (default: beside the archive, under the program's name)"),
                  QStringLiteral("PATH")});
    cl.addOption({registry, QStringLiteral("read FILE as a registry of persons (Esecutori.pro always is)")});
    cl.addArgument(QStringLiteral("FILE"), QStringLiteral("a yearly archive of slips (2024.bol) or the registry"));
    if (const auto stop = cl.parse(args)) return *stop;
    if (cl.arguments().size() != 1) return usageError(kExport, QStringLiteral("give exactly one archive file"));
    const QString kind = cl.value(format);
    const auto formato = kFormati.find(kind);
    if (formato == kFormati.end()) return usageError(kExport, QStringLiteral("choose --format xls or --format csv"));
    if (cl.isSet(outOpt) && cl.value(outOpt).isEmpty()) return usageError(kExport, QStringLiteral("--out needs a file name"));

    const QString path = cl.arguments().first();
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) return fail(QStringLiteral("%1: no such archive file").arg(path));
    const bool isRegistry = cl.isSet(registry) ||
                            info.fileName().compare(QLatin1String("Esecutori.pro"), Qt::CaseInsensitive) == 0;
    const Foglio& foglio = isRegistry ? esportazione::foglioSchede() : esportazione::foglioBollettini();
    QString target = cl.value(outOpt);
    if (target.isEmpty()) target = info.absoluteDir().filePath(esportazione::nomeFile(foglio, *formato));
    if (const QString why = refusal(target, path); !why.isEmpty()) return fail(why);

    CelleFoglio rows(foglio);
    qint64 bytes = 0;
    try {
        esportazione::leggi(path, rows, RecordFileBase::Access::ReadOnly);
        bytes = esportazione::scrivi(target, rows, *formato);
    } catch (const ArchiveError& e) {
        return fail(QString::fromStdString(e.what()));
    }
    JsonLine line;
    line.add(QLatin1StringView("file"), target).add(QLatin1StringView("format"), kind);
    line.add(QLatin1StringView("records"), qint64(rows.righe())).add(QLatin1StringView("bytes"), bytes);
    out() << line.text();
    return 0;
}

} // namespace

const Subcommand kExport = {
    "export",
    "export [--registry] FILE --format xls|csv [--out PATH]   the archive as the program's worksheet, or as "
    "comma-separated values",
    run};
