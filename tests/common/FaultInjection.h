#pragma once

// Unlucky conditions for the code that writes files, made without privileges where possible so
// that the tests run anywhere: a full disk and a read-only folder. Each is a guard that holds the
// condition for its lifetime; when the condition cannot be made here, skipReason() says why and
// the test skips with it.

#include <QDir>
#include <QFile>
#include <QString>
#include <QMetaType>
#include <memory>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace fault {

// Every regular file the process writes stops growing at `limit` bytes, as on a disk that is full:
// a write past it fails (EFBIG) instead of killing the process. Only the soft limit is lowered,
// so the guard can put the old one back.
class FullDisk {
public:
    explicit FullDisk(qint64 limit) {
#ifdef Q_OS_UNIX
        if (getrlimit(RLIMIT_FSIZE, &m_old) != 0) {
            m_skip = QStringLiteral("getrlimit: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        rlimit r = m_old;
        r.rlim_cur = rlim_t(limit);
        if (m_old.rlim_max != RLIM_INFINITY && r.rlim_cur > m_old.rlim_max) r.rlim_cur = m_old.rlim_max;
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (setrlimit(RLIMIT_FSIZE, &r) != 0) {
            m_skip = QStringLiteral("setrlimit: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
            std::signal(SIGXFSZ, m_oldHandler);
            return;
        }
        m_active = true;
#else
        Q_UNUSED(limit);
        m_skip = QStringLiteral("a file size limit needs RLIMIT_FSIZE, which this system lacks");
#endif
    }
    ~FullDisk() {
#ifdef Q_OS_UNIX
        if (m_active) {
            setrlimit(RLIMIT_FSIZE, &m_old);
            std::signal(SIGXFSZ, m_oldHandler);
        }
#endif
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
    const QString& skipReason() const { return m_skip; }

private:
    QString m_skip;
    bool m_active = false;
#ifdef Q_OS_UNIX
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
#endif
};

// The folder cannot take new files, renames or removals. For an ordinary user its permissions
// become r-x; for root, whom permission bits do not stop, the folder is mounted read-only over
// itself in a mount namespace of the test process's own (which also stops writes to the files in
// it). Where neither works, skipReason() says so.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder) : m_folder(folder) {
#ifdef Q_OS_UNIX
        const QByteArray dir = QFile::encodeName(folder);
        if (geteuid() != 0) {
            m_chmod = QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
            if (!m_chmod) m_skip = QStringLiteral("cannot change the folder's permissions");
        } else if (!privateMounts()) {
            m_skip = QStringLiteral("running as root, whom permission bits do not stop, and no private mount "
                                    "namespace can be made here (%1)")
                         .arg(QString::fromLocal8Bit(std::strerror(errno)));
        } else if (::mount(dir.constData(), dir.constData(), nullptr, MS_BIND, nullptr) != 0) {
            m_skip = QStringLiteral("running as root and cannot bind-mount the folder (%1)")
                         .arg(QString::fromLocal8Bit(std::strerror(errno)));
        } else {
            m_mounted = true;
            if (::mount(nullptr, dir.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
                m_skip = QStringLiteral("running as root and cannot make a read-only mount (%1)")
                             .arg(QString::fromLocal8Bit(std::strerror(errno)));
        }
        // Whatever was done must really stop writes, or the test means nothing.
        if (m_skip.isEmpty()) {
            QFile probe(QDir(folder).filePath(QStringLiteral(".probe")));
            if (probe.open(QIODevice::WriteOnly)) {
                probe.remove();
                m_skip = QStringLiteral("the folder still takes new files");
            }
        }
#else
        m_skip = QStringLiteral("read-only folders are made only on Unix-like systems");
#endif
    }
    ~ReadOnlyFolder() {
#ifdef Q_OS_UNIX
        if (m_chmod) QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (m_mounted) ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
#endif
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    const QString& skipReason() const { return m_skip; }

private:
#ifdef Q_OS_UNIX
    // The test process leaves the machine's mount table alone: it gets a private copy once.
    static bool privateMounts() {
        static const bool ok = ::unshare(CLONE_NEWNS) == 0 && ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        return ok;
    }
#endif
    QString m_folder;
    QString m_skip;
    bool m_chmod = false;
    bool m_mounted = false;
};

enum class Kind { FullDisk, ReadOnlyFolder };

// Either fault, chosen by a test table's row: a full disk with `room` bytes per file, or `folder`
// read-only.
class Guard {
public:
    Guard(Kind kind, const QString& folder, qint64 room) {
        if (kind == Kind::FullDisk) m_full = std::make_unique<FullDisk>(room);
        else m_readOnly = std::make_unique<ReadOnlyFolder>(folder);
    }
    QString skipReason() const { return m_full ? m_full->skipReason() : m_readOnly->skipReason(); }

private:
    std::unique_ptr<FullDisk> m_full;
    std::unique_ptr<ReadOnlyFolder> m_readOnly;
};

} // namespace fault

Q_DECLARE_METATYPE(fault::Kind)

// Skips the test with the guard's reason when its condition could not be made.
#define FAULT_OR_SKIP(guard)                                                                       \
    do {                                                                                           \
        if (!(guard).skipReason().isEmpty()) QSKIP(qPrintable((guard).skipReason()));              \
    } while (0)
