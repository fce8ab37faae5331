#include "Subcommands.h"

#include <QGuiApplication>
#include <memory>
#include <QStringConverter>

namespace {

const Subcommand* const kAll[] = {&kDump, &kWords, &kCheck, &kPrint};

void printHelp(QTextStream& s) {
    s << "versalio-tool: the command-line companion of Versalio\n\nUsage:\n";
    for (const Subcommand* c : kAll) s << "  versalio-tool " << c->usage << "\n";
    s << "\nExit codes: 0 success, 1 a negative verdict or a failure, 2 bad usage.\n";
}

} // namespace

QTextStream& out() {
    static QTextStream s(stdout);
    s.setEncoding(QStringConverter::Utf8);
    return s;
}

QTextStream& err() {
    static QTextStream s(stderr);
    s.setEncoding(QStringConverter::Utf8);
    return s;
}

int usageError(const Subcommand& cmd, const QString& why) {
    err() << "versalio-tool " << cmd.name << ": " << why << "\nusage: versalio-tool " << cmd.usage << Qt::endl;
    return 2;
}

int main(int argc, char** argv) {
    // Only printing needs a GUI application object (never a screen); the other subcommands stay
    // free of the window system and of its start-up notices.
    const bool printing = argc > 1 && QByteArray(argv[1]) == kPrint.name;
    if (printing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> application =
        printing ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication& app = *application;
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printHelp(args.isEmpty() ? err() : out());
        (args.isEmpty() ? err() : out()).flush();
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    for (const Subcommand* c : kAll) {
        if (name != QLatin1String(c->name)) continue;
        if (args.contains(QLatin1String("--help"))) {
            out() << "usage: versalio-tool " << c->usage << Qt::endl;
            return 0;
        }
        const int rc = c->run(args);
        out().flush();
        err().flush();
        return rc;
    }
    err() << "versalio-tool: unknown subcommand " << name << "\n";
    printHelp(err());
    err().flush();
    return 2;
}
