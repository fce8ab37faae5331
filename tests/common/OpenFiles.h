#pragma once

#include "RecordingMessages.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QString>

// Whether this process holds `path` open: one of its file descriptors names the file (Linux).
inline bool openInThisProcess(const QString& path) {
    const QString target = QFileInfo(path).canonicalFilePath();
    if (target.isEmpty()) return false;
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo& fd : descriptors.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (fd.symLinkTarget() == target) return true;
    return false;
}

// Records every box as RecordingMessages does, and with it whether `path` was open while the box
// waited for the user.
class MessagesWatchingAFile : public RecordingMessages {
public:
    explicit MessagesWatchingAFile(QString path) : m_path(std::move(path)) {}
    bool show(QWidget* parent, Kind kind, const QString& text) override {
        openWhileShown.append(openInThisProcess(m_path));
        return RecordingMessages::show(parent, kind, text);
    }
    void clear() {
        RecordingMessages::clear();
        openWhileShown.clear();
    }
    QList<bool> openWhileShown;

private:
    QString m_path;
};
