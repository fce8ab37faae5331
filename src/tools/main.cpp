#include "Subcommands.h"

#include "archive/GiornaleLotto.h"
#include "archive/Text.h"
#include "print/CartellaAutonoma.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <memory>
#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

const Subcommand* const kAll[] = {&kDump, &kWords, &kCheck, &kPrint, &kList, &kSummary, &kExport,
                                  &kIssueSlips, &kImportCards};

void printHelp(Output& s) {
    s << "versalio-tool: the command-line companion of Versalio\n\nUsage:\n";
    for (const Subcommand* c : kAll)
        s << "  versalio-tool " << c->usage << "\n";
    s << "  versalio-tool --version\n";
    s << "\nExit codes: 0 success, 1 a negative verdict or a failure, 2 bad usage.\n";
}

int dispatch(QStringList args, QString& name) {
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printHelp(args.isEmpty() ? err() : out());
        return args.isEmpty() ? 2 : 0;
    }
    if (args.first() == QLatin1String("--version")) {
        out() << "versalio-tool " << VERSALIO_VERSIONE << "\n";
        return 0;
    }
    name = args.takeFirst();
    for (const Subcommand* c : kAll)
        if (name == QLatin1String(c->name)) return c->run(args);
    err() << "versalio-tool: unknown subcommand " << name << "\n";
    printHelp(err());
    return 2;
}

// For the tests: VERSALIO_TOOL_STOP_AT names a moment of a batch (before-first-record, mid-batch,
// after-last-record) where the process dies at once, as in a crash or a power cut, with nothing
// cleaned up.
void stopWhereTheTestsSay() {
    const QByteArray where = qgetenv("VERSALIO_TOOL_STOP_AT");
    if (where.isEmpty()) return;
    giornaleLotto::osserva([where](const char* moment) {
        if (where != moment) return;
#ifdef Q_OS_WIN
        // As Task Manager ends a process; the code is the one Qt's own kill gives.
        TerminateProcess(GetCurrentProcess(), 0xf291);
#elif defined(SIGKILL)
        std::raise(SIGKILL);
#endif
        std::_Exit(137);
    });
}

// What the archive layer found of a batch that did not end (undone, left out, or a journal left
// alone), said once on standard error, one line each, in the program's words.
void tellUnfinishedBatches(const QString& name) {
    for (const AvvisoLotto& a : giornaleLotto::avvisi())
        err() << "versalio-tool" << (name.isEmpty() ? QString() : QLatin1Char(' ') + name) << ": " << a.archivio << ": "
              << text::forDisplay(a.testo()).split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QLatin1Char(' ')) << "\n";
}

} // namespace

Output& out() {
    static Output s(stdout);
    return s;
}

Output& err() {
    static Output s(stderr);
    return s;
}

int usageError(const Subcommand& cmd, const QString& why) {
    err() << "versalio-tool " << cmd.name << ": " << why << "\nusage: versalio-tool " << cmd.usage << "\n";
    return 2;
}

bool sameFile(const QString& a, const QString& b) {
    if (QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath()) return true;
    std::error_code ec;
    return std::filesystem::equivalent(std::filesystem::path(a.toStdU16String()),
                                       std::filesystem::path(b.toStdU16String()), ec);
}

#ifdef Q_OS_WIN
// The tool writes the same bytes on Windows as on Linux: lines end in a line feed alone, also in a
// file or a pipe, and a console window shows its UTF-8 text as such while the tool runs.
namespace {
UINT g_consoleCodePage = 0;

void restoreConsole() {
    if (g_consoleCodePage) SetConsoleOutputCP(g_consoleCodePage);
}

void setUpWindowsOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    g_consoleCodePage = GetConsoleOutputCP();
    if (g_consoleCodePage && g_consoleCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) std::atexit(restoreConsole);
    else g_consoleCodePage = 0;
}
} // namespace
#endif

int main(int argc, char** argv) {
#ifdef Q_OS_WIN
    setUpWindowsOutput();
#endif
#ifdef SIGPIPE
    // A reader that went away is an output failure like a full disk: reported, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
#endif
#ifdef SIGXFSZ
    // So is a file that reaches the size limit the system sets on this program: the write fails and
    // the archive is put back as it was, instead of the program dying halfway through a record.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // Only printing needs a GUI application object (never a screen); the other subcommands stay
    // free of the window system and of its start-up notices.
    const bool printing = argc > 1 && QByteArray(argv[1]) == kPrint.name;
    if (printing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    cartellaAutonoma::isola();
    std::unique_ptr<QCoreApplication> application = printing ? std::make_unique<QGuiApplication>(argc, argv)
                                                             : std::make_unique<QCoreApplication>(argc, argv);
    if (printing) cartellaAutonoma::caricaCaratteri();
    stopWhereTheTestsSay();
    QString name;
    int code = dispatch(application->arguments().mid(1), name);
    tellUnfinishedBatches(name);
    // Output that did not reach its file, pipe or terminal is a failure, whatever the subcommand said.
    if (!out().flush()) {
        err() << "versalio-tool" << (name.isEmpty() ? QString() : QLatin1Char(' ') + name)
              << ": the output could not be written: " << out().errorString() << "\n";
        code = 1;
    }
    err().flush();
    return code;
}
