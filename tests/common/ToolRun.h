#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

// Runs versalio-tool, which is built beside the test programs, and collects what it said.
struct ToolRun {
    int code;
    QString out, err;
};

inline ToolRun tool(const QStringList& args) {
    QProcess p;
    p.start(QCoreApplication::applicationDirPath() + "/versalio-tool", args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
