#pragma once

#include "ui/Shell.h"

#include <QList>
#include <QUrl>

// In place of the desktop while it lives: records what would be opened instead of starting programs.
class RecordingShell : public Shell {
public:
    RecordingShell() { install(this); }
    ~RecordingShell() override { install(nullptr); }
    void open(const QUrl& url) override { opened.append(url); }
    QList<QUrl> opened;
};
