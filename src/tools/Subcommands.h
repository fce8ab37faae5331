#pragma once

#include "CommandLine.h"
#include "Output.h"

#include <QStringList>

// One subcommand of versalio-tool. run() gets the arguments after the subcommand's name and
// returns the exit code: 0 success, 1 a negative verdict or a failure, 2 bad usage.
struct Subcommand {
    const char* name;
    const char* usage; // one line, shown by --help
    int (*run)(const QStringList& args);
};

// The tool's standard output and error. main() flushes both; a subcommand that writes much stops
// as soon as out() has failed.
Output& out();
Output& err();
int usageError(const Subcommand& cmd, const QString& why);
// Two names of one file: the same path, or a link (symbolic or hard) from one to the other.
bool sameFile(const QString& a, const QString& b);

// Each lives in its own file.
extern const Subcommand kDump;
extern const Subcommand kWords;
extern const Subcommand kPrint;
extern const Subcommand kCheck;
extern const Subcommand kList;
extern const Subcommand kSummary;
extern const Subcommand kExport;
extern const Subcommand kIssueSlips;
extern const Subcommand kImportCards;
