#include "Json.h"
#include "Subcommands.h"

#include "archive/ArchiveError.h"
#include "queries/Riepilogo.h"
#include "archive/Text.h"

#include <QFileInfo>

namespace {

int fail(const QString& why) {
    out().flush();
    err() << "versalio-tool summary: " << why << "\n";
    return 1;
}

int run(const QStringList& args) {
    CommandLine cl(kSummary);
    const QString from = QStringLiteral("from"), to = QStringLiteral("to"), payer = QStringLiteral("payer"),
                  account = QStringLiteral("account");
    cl.addOption({from, QStringLiteral("first due date of the interval, dd/mm/yyyy"), QStringLiteral("DATE")});
    cl.addOption({to, QStringLiteral("last due date of the interval, dd/mm/yyyy"), QStringLiteral("DATE")});
    cl.addOption({payer, QStringLiteral("only payers whose name contains TEXT"), QStringLiteral("TEXT")});
    cl.addOption({account, QStringLiteral("only accounts that contain TEXT"), QStringLiteral("TEXT")});
    cl.addArgument(QStringLiteral("FILE"), QStringLiteral("a yearly archive of slips (2024.bol)"));
    if (const auto stop = cl.parse(args)) return *stop;
    if (cl.arguments().size() != 1) return usageError(kSummary, QStringLiteral("give exactly one archive file"));
    if (!cl.isSet(from) || !cl.isSet(to)) return usageError(kSummary, QStringLiteral("give --from and --to"));
    const QString start = cl.value(from), end = cl.value(to);
    if (const QString why = riepilogo::controllaIntervallo(start, end); !why.isEmpty())
        return usageError(kSummary, text::forDisplay(why));

    const QString path = cl.arguments().first();
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) return fail(QStringLiteral("%1: no such archive file").arg(path));
    riepilogo::Richiesta q{riepilogo::leggiData(start), riepilogo::leggiData(end), cl.value(payer),
                           text::upperAZ(text::trimmed(cl.value(account)))};
    riepilogo::Risultato r;
    try {
        riepilogo::calcola(path, q, r, RecordFileBase::Access::ReadOnly);
    } catch (const ArchiveError& e) {
        return fail(QString::fromStdString(e.what()));
    }
    for (const VoceElenco& v : r.elenco.voci()) {
        JsonLine line;
        line.add(QLatin1StringView("pos"), v.posizione).add(QLatin1StringView("line"), v.riga);
        if ((out() << line.text()).failed()) return 1;
    }
    JsonLine last;
    last.add(QLatin1StringView("total"), riepilogo::totale(r)).add(QLatin1StringView("skipped"), r.scartati);
    out() << last.text();
    return 0;
}

} // namespace

const Subcommand kSummary = {
    "summary",
    "summary FILE.bol --from dd/mm/yyyy --to dd/mm/yyyy [--payer TEXT] [--account TEXT]   the payment "
    "summary: its lines in list order, then the total and the slips that could not be read",
    run};
