#include "CommandLine.h"

#include "Subcommands.h"

namespace {

QString bare(const QString& arg) {
    QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
    return name.left(name.indexOf(QLatin1Char('=')));
}

bool looksLikeOption(const QString& arg) {
    if (arg.size() < 2 || arg[0] != QLatin1Char('-')) return false;
    const QChar c = arg[1];
    return !c.isDigit() && c != QLatin1Char(',') && c != QLatin1Char('.');
}

} // namespace

CommandLine::CommandLine(const Subcommand& cmd)
    : m_cmd(cmd),
      m_help(QStringList{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("show this help")) {
    addOption(m_help);
}

void CommandLine::addOption(const QCommandLineOption& option) {
    m_parser.addOption(option);
    m_options.append(option);
}

void CommandLine::addArgument(const QString& name, const QString& description) {
    m_parser.addPositionalArgument(name, description);
}

const QCommandLineOption* CommandLine::option(const QString& arg) const {
    const QString name = bare(arg);
    for (const QCommandLineOption& o : m_options)
        if (o.names().contains(name)) return &o;
    return nullptr;
}

// Qt's parser takes "-5" for an option; the options (with their values) go first, then "--", then
// the other arguments in their order. Also finds, in the tool's own words, what Qt would word in its
// way: an unknown option, a value missing or one given to an option that takes none.
QStringList CommandLine::optionsFirst(const QStringList& args, QString* problem, QString* unknown) const {
    QStringList options, rest;
    bool valueNext = false, afterDashes = false;
    for (const QString& a : args) {
        if (valueNext) {
            options << a;
            valueNext = false;
        } else if (afterDashes || !looksLikeOption(a)) {
            rest << a;
        } else if (a == QLatin1String("--")) {
            afterDashes = true;
        } else {
            options << a;
            const QString spelling = a.left(a.indexOf(QLatin1Char('=')));
            const QCommandLineOption* known = option(a);
            const bool takesValue = known && !known->valueName().isEmpty();
            if (!known && unknown->isEmpty()) *unknown = spelling;
            if (!a.contains(QLatin1Char('=')))
                valueNext = takesValue;
            else if (known && !takesValue && problem->isEmpty())
                *problem = QStringLiteral("%1 takes no value").arg(spelling);
        }
    }
    // Qt would take the "--" below for the missing value.
    if (valueNext && problem->isEmpty())
        *problem = QStringLiteral("%1 needs a value").arg(options.takeLast());
    return options + QStringList{QStringLiteral("--")} + rest;
}

std::optional<int> CommandLine::parse(const QStringList& args) {
    QString problem, unknown;
    const QStringList arranged = optionsFirst(args, &problem, &unknown);
    const bool parsed = m_parser.parse(QStringList{QLatin1String(m_cmd.name)} + arranged);
    // "--help" may also stand where an option's value was due: the user asks for help all the same.
    if (m_parser.isSet(m_help) || args.contains(QLatin1String("--help"))) {
        // Qt's help starts with its own usage line; the tool's takes its place.
        const QString qtHelp = m_parser.helpText();
        out() << "usage: versalio-tool " << m_cmd.usage << "\n\n"
              << qtHelp.mid(qtHelp.indexOf(QLatin1String("\n\n")) + 2);
        return 0;
    }
    if (!problem.isEmpty()) return usageError(m_cmd, problem);
    if (parsed) return std::nullopt;
    if (!unknown.isEmpty()) return usageError(m_cmd, QStringLiteral("unknown option %1").arg(unknown));
    return usageError(m_cmd, m_parser.errorText());
}
