#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#include <functional>

// Runs versalio-tool, which is built beside the test programs, and collects what it said.
// `setUp` may send its output elsewhere or limit the child before it starts.
struct ToolRun {
    int code;
    QString out, err;
    bool crashed = false;
};

inline ToolRun tool(const QStringList& args, const std::function<void(QProcess&)>& setUp = {}) {
    QProcess p;
    if (setUp) setUp(p);
    p.start(QCoreApplication::applicationDirPath() + "/versalio-tool", args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError()), p.exitStatus() != QProcess::NormalExit};
}
