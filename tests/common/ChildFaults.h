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

} // namespace childFaults
#endif
