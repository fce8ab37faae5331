#include "Json.h"
#include "Subcommands.h"

#include "archive/ArchiveError.h"
#include "archive/CampoRecord.h"
#include "checks/AvvisiScheda.h"
#include "formats/ImportazioneSchede.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace {

int fail(const QString& why) {
    out().flush();
    err() << "versalio-tool import-cards: " << why << "\n";
    return 1;
}

QByteArray rowLine(const importazioneSchede::Riga& r, bool dryRun) {
    JsonLine line;
    line.add(QLatin1StringView("line"), r.linea);
    line.add(QLatin1StringView("result"), !r.accettata() ? QStringLiteral("refused")
                                          : dryRun       ? QStringLiteral("accepted")
                                                         : QStringLiteral("added"));
    if (r.posizione > 0) line.add(QLatin1StringView("pos"), r.posizione);
    line.add(QLatin1StringView("name"), r.nome);
    if (!r.accettata()) line.add(QLatin1StringView("reason"), r.rifiuto);
    if (!r.avvisi.isEmpty()) line.add(QLatin1StringView("warnings"), QJsonArray::fromStringList(r.avvisi));
    return line.text();
}

int run(const QStringList& args) {
    CommandLine cl(kImportCards);
    const QString registryOpt = QStringLiteral("registry"), dryRunOpt = QStringLiteral("dry-run");
    cl.addOption({registryOpt, QStringLiteral("the registry to add the cards to (default: Esecutori.pro in the "
                                              "current folder; created only when a card is added)"),
                  QStringLiteral("PATH")});
    cl.addOption({dryRunOpt, QStringLiteral("read and judge every row, write nothing")});
    cl.addArgument(QStringLiteral("FILE.csv"),
                   QStringLiteral("a spreadsheet saved as CSV (\";\", \",\" or tab; UTF-8, UTF-16 or Windows-1252) "
                                  "whose first row names the columns"));
    if (const auto stop = cl.parse(args)) return *stop;
    if (cl.arguments().size() != 1) return usageError(kImportCards, QStringLiteral("give exactly one CSV file"));
    if (cl.isSet(registryOpt) && cl.value(registryOpt).isEmpty())
        return usageError(kImportCards, QStringLiteral("--registry needs a file name"));
    const QString csv = cl.arguments().first();
    const QString registry = cl.isSet(registryOpt) ? cl.value(registryOpt) : QStringLiteral("Esecutori.pro");
    const bool dryRun = cl.isSet(dryRunOpt);

    const QFileInfo registryInfo(registry);
    // A yearly archive given by mistake is never written, not even one still empty or not yet made.
    if (registryInfo.fileName().endsWith(QLatin1String(".bol"), Qt::CaseInsensitive))
        return usageError(kImportCards, QStringLiteral("%1 is a yearly archive of slips, not a registry (Esecutori.pro)")
                                            .arg(registry));
    if (registryInfo.exists() && registryInfo.isDir()) return fail(QStringLiteral("%1 is a folder, not a registry").arg(registry));
    if (sameFile(csv, registry))
        return fail(QStringLiteral("the CSV file and the registry are the same file"));
    // A registry is read as the program reads it: its whole cards count, and a trailing piece of one
    // (left by a save cut short) is written over by the next card. Only a file that does not even begin
    // as a card (a document given by mistake) is refused, for the cards would be written over its end.
    if (registryInfo.isFile()) {
        QFile f(registry);
        if (f.open(QIODevice::ReadOnly) && !iniziaComeRecord<TSchedaAnagrafica>(f.read(sizeof(TSchedaAnagrafica))))
            return fail(QStringLiteral("%1 is not a registry: it does not begin with a card; nothing was written").arg(registry));
    }

    importazioneSchede::Piano piano;
    try {
        // Not in a dry run, the registry is first put back as it was before an import a crash cut short.
        piano = importazioneSchede::preparaFile(
            csv, importazioneSchede::chiavi(registry, dryRun ? RecordFileBase::Access::ReadOnly : RecordFileBase::Access::ReadWrite),
            avvisiScheda);
    } catch (const ArchiveError& e) {
        return fail(QStringLiteral("the registry cannot be read: %1").arg(QString::fromStdString(e.what())));
    }
    if (!piano.errore.isEmpty()) return fail(QStringLiteral("%1: %2").arg(csv, piano.errore));

    int added = 0;
    if (!dryRun) {
        try {
            added = importazioneSchede::importa(registry, piano);
        } catch (const ArchiveError& e) {
            return fail(QStringLiteral("nothing was added, the registry is as it was: %1").arg(QString::fromStdString(e.what())));
        }
    }
    for (const importazioneSchede::Riga& r : piano.righe)
        if ((out() << rowLine(r, dryRun)).failed()) break;

    QJsonArray ignored;
    for (const importazioneSchede::Colonna& c : piano.colonne)
        if (c.campo.isEmpty()) ignored.append(QJsonObject{{"column", c.titolo}, {"why", c.ignorata}});
    const int accepted = piano.accettate();
    JsonLine summary;
    summary.add(QLatin1StringView("summary"), QStringLiteral("import-cards"));
    summary.add(QLatin1StringView("file"), csv).add(QLatin1StringView("registry"), registry);
    summary.add(QLatin1StringView("encoding"), piano.codifica);
    summary.add(QLatin1StringView("separator"), QString(piano.separatore == QLatin1Char('\t') ? QStringLiteral("tab") : QString(piano.separatore)));
    summary.add(QLatin1StringView("rows"), qint64(piano.righe.size()));
    summary.add(QLatin1StringView(dryRun ? "accepted" : "added"), qint64(dryRun ? accepted : added));
    summary.add(QLatin1StringView("refused"), qint64(piano.rifiutate()));
    summary.add(QLatin1StringView("warnings"), qint64(piano.conAvvisi()));
    summary.add(QLatin1StringView("blank"), qint64(piano.vuote));
    summary.add(QLatin1StringView("ignored"), ignored);
    summary.add(QLatin1StringView("dry_run"), dryRun);
    qint64 summaryFirst = 0, summaryLast = 0;
    if (added > 0) {
        for (const importazioneSchede::Riga& r : piano.righe)
            if (r.posizione > 0) {
                if (!summaryFirst) summaryFirst = r.posizione;
                summaryLast = r.posizione;
            }
        summary.add(QLatin1StringView("first"), summaryFirst).add(QLatin1StringView("last"), summaryLast);
    }
    out() << summary.text();
    // The cards are in the registry even when the rows could not be told: say where they went.
    if (added > 0 && !out().flush())
        err() << "versalio-tool import-cards: " << QString::number(added) << (added == 1 ? " card was" : " cards were")
              << " added to " << registry << " at positions " << QString::number(summaryFirst) << " to "
              << QString::number(summaryLast) << "\n";
    // A file none of whose rows can become a card imported nothing: that is no success.
    if ((dryRun ? accepted : added) == 0) {
        out().flush();
        err() << "versalio-tool import-cards: " << (piano.righe.isEmpty() ? "the file has no rows under its header"
                                                                          : "no row of the file can be added")
              << "; nothing was written\n";
        return 1;
    }
    return 0;
}

} // namespace

// One JSON object per row of the file, then a summary object.
const Subcommand kImportCards = {
    "import-cards",
    "import-cards FILE.csv [--registry Esecutori.pro] [--dry-run]   add registry cards from a spreadsheet's CSV; "
    "exit 0 cards added (refused rows are reported, not written), 1 nothing added, 2 bad usage",
    run};
