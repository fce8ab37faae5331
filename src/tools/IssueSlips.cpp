#include "Json.h"
#include "Subcommands.h"

#include "archive/ArchiveError.h"
#include "archive/Dates.h"
#include "queries/Elenco.h"
#include "archive/RecordFile.h"
#include "queries/RigheElenco.h"
#include "archive/Text.h"
#include "queries/EmissioneBollettini.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString kRegistry = QStringLiteral("registry"), kHolderCard = QStringLiteral("holder-card"),
              kAccount = QStringLiteral("account"), kHolder = QStringLiteral("holder"),
              kHolderAddress = QStringLiteral("holder-address"), kReason = QStringLiteral("reason"),
              kReason2 = QStringLiteral("reason2"), kAmount = QStringLiteral("amount"), kDue = QStringLiteral("due"),
              kDryRun = QStringLiteral("dry-run");

int fail(const QString& why) {
    out().flush();
    err() << "versalio-tool issue-slips: " << why << "\n";
    return 1;
}

void describe(CommandLine& cl) {
    for (const QString& campo : elenchi::kFiltriSchede)
        cl.addOption({campo, QStringLiteral("payers: text to look for in the card field %1, as typed").arg(campo),
                      QStringLiteral("T")});
    cl.addOption({kRegistry, QStringLiteral("the registry (default: Esecutori.pro beside FILE.bol); never created"),
                  QStringLiteral("Esecutori.pro")});
    cl.addOption({kHolderCard,
                  QStringLiteral("beneficiary: account, holder, address and reason from the registry card at this "
                                 "position (from 1), as the slip screen imports them"),
                  QStringLiteral("N")});
    cl.addOption({kAccount, QStringLiteral("beneficiary: postal account number, up to 12 digits"), QStringLiteral("CCP")});
    cl.addOption({kHolder, QStringLiteral("beneficiary: account holder (written in capitals)"), QStringLiteral("NAME")});
    cl.addOption({kHolderAddress, QStringLiteral("beneficiary: holder's address (written in capitals)"),
                  QStringLiteral("TEXT")});
    cl.addOption({kReason, QStringLiteral("reason for payment, line 1"), QStringLiteral("TEXT")});
    cl.addOption({kReason2, QStringLiteral("reason for payment, line 2"), QStringLiteral("TEXT")});
    cl.addOption({kAmount, QStringLiteral("the amount in euros: up to 8 digits, then a comma or point and up to 2 "
                                          "digits of cents"),
                  QStringLiteral("EURO[,CC]")});
    cl.addOption({kDue, QStringLiteral("the due date"), QStringLiteral("dd/mm/yyyy")});
    cl.addOption({kDryRun, QStringLiteral("show the slips that would be added, and write nothing")});
    cl.addArgument(QStringLiteral("FILE.bol"), QStringLiteral("the yearly archive the slips are added to (created "
                                                              "when missing)"));
}

// The last value of an option given more than once, as Qt's parser takes it.
QString last(const CommandLine& cl, const QString& name) { return cl.values(name).value(cl.values(name).size() - 1); }

int run(const QStringList& args) {
    CommandLine cl(kIssueSlips);
    describe(cl);
    if (const auto stop = cl.parse(args)) return *stop;

    const QStringList files = cl.arguments();
    if (files.size() != 1) return usageError(kIssueSlips, QStringLiteral("give exactly one archive file"));
    const QString archive = files.first();
    const QFileInfo archiveInfo(archive);
    // Only a yearly archive takes slips: a file of another kind given by mistake is never written.
    if (!archiveInfo.fileName().endsWith(QLatin1String(".bol"), Qt::CaseInsensitive))
        return usageError(kIssueSlips, QStringLiteral("%1 is not a yearly archive of slips (2025.bol)").arg(archive));
    const QString registry = cl.isSet(kRegistry) ? last(cl, kRegistry)
                                                 : archiveInfo.absoluteDir().filePath(QStringLiteral("Esecutori.pro"));
    if (registry.isEmpty()) return usageError(kIssueSlips, QStringLiteral("--registry needs a file name"));
    // The same file under two names (a link named like an archive, a hard link) is the same file too.
    if (sameFile(registry, archive))
        return usageError(kIssueSlips, QStringLiteral("the archive and the registry are the same file"));

    // The amount as the slip screen takes it: euros in one field, cents in the other.
    emissione::Dati d;
    if (!cl.isSet(kAmount)) return usageError(kIssueSlips, QStringLiteral("give the amount with --amount"));
    static const QRegularExpression importo(QStringLiteral("^([0-9]{1,8})(?:[,.]([0-9]{0,2}))?$"));
    const QString amount = last(cl, kAmount);
    const auto m = importo.match(amount);
    if (!m.hasMatch())
        return usageError(kIssueSlips, QStringLiteral("--amount takes euros (up to 8 digits) and up to 2 digits of "
                                                      "cents, as 25 or 25,50, not %1")
                                           .arg(amount));
    d.importo = m.captured(1);
    d.cents = m.captured(2);
    if (!cl.isSet(kDue)) return usageError(kIssueSlips, QStringLiteral("give the due date with --due dd/mm/yyyy"));
    const auto due = dates::parse(last(cl, kDue));
    if (!due) return usageError(kIssueSlips, QStringLiteral("--due takes a date dd/mm/yyyy, not %1").arg(last(cl, kDue)));
    d.scadenza = dates::format(*due); // as the date picker writes it
    qint64 holderCard = 0;
    if (cl.isSet(kHolderCard)) {
        bool ok = false;
        holderCard = last(cl, kHolderCard).toLongLong(&ok);
        if (!ok || holderCard < 1 || last(cl, kHolderCard).startsWith(QLatin1Char('+')))
            return usageError(kIssueSlips,
                              QStringLiteral("--holder-card takes a position from 1, not %1").arg(last(cl, kHolderCard)));
    }
    if (cl.isSet(kAccount) && !text::isDigits(text::trimmed(last(cl, kAccount))))
        return usageError(kIssueSlips,
                          QStringLiteral("--account takes digits only, not %1").arg(last(cl, kAccount)));

    QList<std::pair<QString, QString>> testi;
    for (const QString& campo : elenchi::kFiltriSchede)
        if (cl.isSet(campo)) testi.append({campo, last(cl, campo)});
    FiltriTesto filtri;
    elenchi::filtriSchede(testi, filtri);

    // The registry is only read: a missing one is an error, never created.
    QList<emissione::Esecutore> payers;
    try {
        if (holderCard > 0) {
            RecordFile<TSchedaAnagrafica> file(registry, RecordFileBase::Access::ReadOnly);
            const qint64 count = file.count();
            if (holderCard > count)
                return fail(QStringLiteral("%1 holds %2 cards: there is no card at position %3")
                                .arg(registry)
                                .arg(count)
                                .arg(holderCard));
            d.beneficiario = emissione::beneficiario(file.read(holderCard - 1));
        }
        payers = emissione::esecutori(registry, filtri, RecordFileBase::Access::ReadOnly);
    } catch (const ArchiveError& e) {
        return fail(QString::fromStdString(e.what()));
    }
    // Typed values take the place of the card's, as typing over an imported field does; the holder's
    // fields are written in capitals, as the slip screen writes what is typed there.
    emissione::Beneficiario& b = d.beneficiario;
    if (cl.isSet(kAccount)) b.CCP = text::trimmed(last(cl, kAccount));
    if (cl.isSet(kHolder)) b.Intestatario = text::upperAZ(last(cl, kHolder));
    if (cl.isSet(kHolderAddress)) b.IndirizzoInt = text::upperAZ(last(cl, kHolderAddress));
    if (cl.isSet(kReason)) b.Causale01 = last(cl, kReason);
    if (cl.isSet(kReason2)) b.Causale02 = last(cl, kReason2);
    if (const auto problema = emissione::verifica(d)) {
        switch (problema->campo) {
        case emissione::Campo::CCP:
            return usageError(kIssueSlips, QStringLiteral("give the beneficiary's account (up to 12 digits) with "
                                                          "--account or --holder-card"));
        case emissione::Campo::Intestatario:
            return usageError(kIssueSlips, QStringLiteral("give the account holder with --holder or --holder-card"));
        default: return usageError(kIssueSlips, problema->testo);
        }
    }
    if (payers.isEmpty()) return fail(QStringLiteral("%1: no card matches the filters; nothing was added").arg(registry));
    for (const emissione::Esecutore& p : payers)
        if (emissione::verifica(p.scheda))
            return fail(QStringLiteral("%1: the card at position %2 has no name; nothing was added")
                            .arg(registry)
                            .arg(p.posizione));

    QList<TSchedaBollettino> slips;
    slips.reserve(payers.size());
    for (const emissione::Esecutore& p : payers) slips.append(emissione::bollettino(d, p.scheda));

    qint64 first = 0;
    try {
        if (cl.isSet(kDryRun)) {
            // Where they would go; a missing archive is not created.
            first = archiveInfo.exists() ? RecordFile<TSchedaBollettino>(archive, RecordFileBase::Access::ReadOnly).count() + 1
                                         : 1;
        } else {
            if (archiveInfo.isDir()) return fail(QStringLiteral("%1 is a folder, not an archive").arg(archive));
            first = emissione::accoda(archive, slips);
        }
    } catch (const ArchiveError& e) {
        return fail(QStringLiteral("%1; nothing was added").arg(QString::fromStdString(e.what())));
    }
    for (qsizetype i = 0; i < slips.size(); ++i) {
        JsonLine line;
        line.add(QLatin1StringView("pos"), first + i).add(QLatin1StringView("card"), payers[i].posizione);
        line.add(QLatin1StringView("line"), rigaBollettino(slips[i]));
        if ((out() << line.text()).failed()) break;
    }
    // The slips are in the archive even when their positions could not be told: say where they went.
    if (!cl.isSet(kDryRun) && !out().flush())
        err() << "versalio-tool issue-slips: " << QString::number(slips.size()) << " slips were added to " << archive
              << " at positions " << QString::number(first) << " to " << QString::number(first + slips.size() - 1)
              << "\n";
    return 0;
}

} // namespace

// One JSON object per new slip, {"pos": N, "card": N, "line": "..."}, in the order of the registry list.
const Subcommand kIssueSlips = {
    "issue-slips",
    "issue-slips FILE.bol [--Esecutore T ... --Note T] [--registry Esecutori.pro] [--holder-card N] "
    "[--account CCP] [--holder NAME] [--holder-address TEXT] [--reason TEXT] [--reason2 TEXT] --amount EURO[,CC] "
    "--due dd/mm/yyyy [--dry-run]   one unpaid slip for every card the filters take, added all or none",
    run};
