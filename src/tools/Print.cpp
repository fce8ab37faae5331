#include "Json.h"
#include "Subcommands.h"

#include "archive/ArchiveError.h"
#include "archive/MarginSettings.h"
#include "archive/RecordFile.h"
#include "archive/SchedaBollettino.h"
#include "print/Report.h"
#include "print/LayoutBollettino.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <optional>

namespace {

struct Options {
    QString archive, pdf, layout;
    QList<qint64> positions;
    bool unpaid = false;
    std::optional<double> top, left;
};

// Millimetres as typed on a command line: a decimal point or a decimal comma.
std::optional<double> commandLineMm(const QString& value) {
    QString v = value;
    v.replace(QLatin1Char('.'), QLatin1Char(','));
    return marginiStampa::parseMm(v);
}

const QString kLayout = QStringLiteral("layout"), kPdf = QStringLiteral("pdf"), kPos = QStringLiteral("pos"),
              kUnpaid = QStringLiteral("unpaid"), kTop = QStringLiteral("top"),
              kLeft = QStringLiteral("left");

void describe(CommandLine& cl) {
    cl.addOption({kLayout, QStringLiteral("blank: the text on a blank form; a4: the whole slip drawn on A4"),
                  QStringLiteral("blank|a4")});
    cl.addOption({kPdf, QStringLiteral("the PDF to write; it may replace only an earlier PDF"),
                  QStringLiteral("OUT.pdf")});
    cl.addOption(
        {kPos, QStringLiteral("the slip at this position (from 1); repeat it for more, in the order wanted"),
         QStringLiteral("N")});
    cl.addOption({kUnpaid, QStringLiteral("only the slips not paid yet")});
    cl.addOption({kTop, QStringLiteral("blank form: top margin in mm, instead of the stored one"),
                  QStringLiteral("MM")});
    cl.addOption({kLeft, QStringLiteral("blank form: left margin in mm, instead of the stored one"),
                  QStringLiteral("MM")});
    cl.addArgument(QStringLiteral("FILE.bol"), QStringLiteral("the yearly archive of slips"));
}

// Returns an empty string when the arguments make sense, or why they do not.
QString parse(const CommandLine& cl, Options& o) {
    for (const QString& value : cl.values(kLayout)) {
        if (value != QLatin1String("blank") && value != QLatin1String("a4"))
            return QStringLiteral("--layout is blank or a4, not %1").arg(value);
        o.layout = value;
    }
    for (const QString& value : cl.values(kPdf)) {
        if (value.isEmpty()) return QStringLiteral("--pdf needs a file name");
        o.pdf = value;
    }
    for (const QString& value : cl.values(kPos)) {
        bool ok = false;
        const qint64 n = value.toLongLong(&ok);
        if (!ok || n < 1 || value.startsWith(QLatin1Char('+')))
            return QStringLiteral("--pos takes a position from 1, not %1").arg(value);
        o.positions.append(n);
    }
    for (const QString& name : {kTop, kLeft}) {
        for (const QString& value : cl.values(name)) {
            const auto mm = commandLineMm(value);
            if (!mm) return QStringLiteral("--%1 takes millimetres, not %2").arg(name, value);
            (name == kTop ? o.top : o.left) = *mm;
        }
    }
    o.unpaid = cl.isSet(kUnpaid);
    const QStringList archives = cl.arguments();
    if (archives.size() > 1) return QStringLiteral("give exactly one archive file");
    if (archives.isEmpty()) return QStringLiteral("give the archive file");
    o.archive = archives.first();
    if (o.layout.isEmpty()) return QStringLiteral("choose --layout blank or --layout a4");
    if (o.pdf.isEmpty()) return QStringLiteral("give --pdf OUT.pdf");
    if (o.layout == QLatin1String("a4") && (o.top || o.left))
        return QStringLiteral("--top and --left move the blank-form print only; the A4 print never shifts");
    if (sameFile(o.archive, o.pdf))
        return QStringLiteral("the PDF would replace the archive");
    return QString();
}

int fail(const QString& why) {
    out().flush();
    err() << "versalio-tool print: " << why << "\n";
    return 1;
}

int run(const QStringList& args) {
    CommandLine cl(kPrint);
    describe(cl);
    if (const auto stop = cl.parse(args)) return *stop;
    Options o;
    if (const QString why = parse(cl, o); !why.isEmpty()) return usageError(kPrint, why);

    const QFileInfo info(o.archive);
    if (!info.exists() || info.isDir())
        return fail(QStringLiteral("%1: no such archive file").arg(o.archive));

    // The slips to print, in the order asked for (file order when none is asked for).
    QList<qint64> positions;
    QList<TSchedaBollettino> slips;
    try {
        RecordFile<TSchedaBollettino> file(o.archive, RecordFileBase::Access::ReadOnly);
        auto take = [&](qint64 pos, const TSchedaBollettino& r) {
            if (o.unpaid && r.Saldato.get() != QLatin1String("No")) return;
            positions.append(pos);
            slips.append(r);
        };
        if (o.positions.isEmpty()) {
            file.scan(take);
        } else {
            const qint64 count = file.count();
            for (qint64 pos : o.positions)
                if (pos > count)
                    return fail(QStringLiteral("%1 holds %2 slips: there is no slip at position %3")
                                    .arg(o.archive)
                                    .arg(count)
                                    .arg(pos));
            for (qint64 pos : o.positions)
                take(pos, file.read(pos - 1));
        }
    } catch (const ArchiveError& e) {
        return fail(QString::fromStdString(e.what()));
    }
    if (slips.isEmpty())
        return fail(o.unpaid ? QStringLiteral("%1: no unpaid slip to print").arg(o.archive)
                             : QStringLiteral("%1: no slip to print").arg(o.archive));

    // The blank form takes the margins stored beside the archive, unless the command line says otherwise.
    double top = 0, left = 0;
    const bool blank = o.layout == QLatin1String("blank");
    if (blank) {
        const auto stored = marginiStampa::load(info.absolutePath());
        auto resolve = [](const std::optional<double>& given, const QString& text, double& target) {
            const auto mm = given ? given : marginiStampa::parseMm(text);
            if (mm) target = *mm;
            return mm.has_value();
        };
        if (!resolve(o.top, stored.top, top))
            return fail(QStringLiteral("%1: the top margin \"%2\" is not a number")
                            .arg(marginiStampa::iniPath(info.absolutePath()), stored.top));
        if (!resolve(o.left, stored.left, left))
            return fail(QStringLiteral("%1: the left margin \"%2\" is not a number")
                            .arg(marginiStampa::iniPath(info.absolutePath()), stored.left));
    }

    Report report = blank ? layoutBollettino::blankReport() : layoutBollettino::graphReport();
    report.setTopMargin(top);
    report.setLeftMargin(left);
    // Another archive, a device, a FIFO or a link given by mistake as the PDF's name stays as it is.
    PdfExport pdf(o.pdf,
                  {QStringLiteral("Bollettino Postale"), QStringLiteral("Bollettini postali Mod. CH8 Bis"),
                   QStringLiteral("Versalio"), QStringLiteral("Versalio")},
                  PdfExport::Replace::OnlyPdf);
    const QDateTime now = QDateTime::currentDateTime();
    for (const TSchedaBollettino& slip : slips) {
        layoutBollettino::fill(report, slip);
        report.prepare(now);
        if (!pdf.add(report.prepared())) return fail(QStringLiteral("%1: %2").arg(o.pdf, pdf.errorString()));
    }
    if (!pdf.finish()) return fail(QStringLiteral("%1: %2").arg(o.pdf, pdf.errorString()));

    QJsonArray printed;
    for (qint64 p : positions)
        printed.append(p);
    JsonLine line;
    line.add(QLatin1StringView("pdf"), o.pdf).add(QLatin1StringView("layout"), o.layout);
    line.add(QLatin1StringView("pages"), pdf.pageCount()).add(QLatin1StringView("positions"), printed);
    if (blank) line.add(QLatin1StringView("top"), top).add(QLatin1StringView("left"), left);
    out() << line.text();
    return 0;
}

} // namespace

const Subcommand kPrint = {
    "print",
    "print FILE.bol --layout blank|a4 --pdf OUT.pdf [--pos N]... [--unpaid] [--top MM] "
    "[--left MM]   saved slips into one PDF, one a page",
    run};
