#pragma once

#include <QProcess>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>

// Faults a child process meets when it writes its output, made without privileges; each prepares a
// QProcess before it starts. (A full disk is fault::FullDisk, which children inherit.)
namespace childFaults {

// Standard output into a pipe whose reader has gone, with SIGPIPE as a shell leaves it.
inline void closedPipe(QProcess& p) {
    int fds[2];
    if (::pipe(fds) != 0) return;
    ::close(fds[0]);
    const int writeEnd = fds[1];
    p.setChildProcessModifier([writeEnd] {
        ::signal(SIGPIPE, SIG_DFL);
        ::dup2(writeEnd, STDOUT_FILENO);
    });
    QObject::connect(&p, &QProcess::started, [writeEnd] { ::close(writeEnd); }); // the child holds its own
}

// A child that meets a file size limit as a shell leaves it to a program (ulimit -f): SIGXFSZ with
// its default action, which kills the program at the first write past the limit unless the program
// ignores it. (The tests' own process ignores it while fault::FullDisk holds, and children would
// otherwise inherit that.)
inline void fileSizeSignalAsShellLeavesIt(QProcess& p) {
    p.setChildProcessModifier([] { ::signal(SIGXFSZ, SIG_DFL); });
}

} // namespace childFaults
#endif
