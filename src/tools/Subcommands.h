#pragma once

#include <QStringList>
#include <QTextStream>

// One subcommand of versalio-tool. run() gets the arguments after the subcommand's name and
// returns the exit code: 0 success, 1 a negative verdict or a failure, 2 bad usage.
struct Subcommand {
    const char* name;
    const char* usage;   // one line, shown by --help
    int (*run)(const QStringList& args);
};

QTextStream& out();
QTextStream& err();
int usageError(const Subcommand& cmd, const QString& why);

// Each lives in its own file.
extern const Subcommand kDump;
extern const Subcommand kWords;
extern const Subcommand kPrint;
extern const Subcommand kCheck;
