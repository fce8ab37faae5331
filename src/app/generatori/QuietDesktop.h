#pragma once

#include "ui/MessageService.h"
#include "ui/Shell.h"

// While it lives, the screens that the build's generators drive show no message box (a question is
// answered Yes) and hand nothing to the desktop: no window waits for an answer, no program starts.
class QuietDesktop {
public:
    QuietDesktop() {
        MessageService::install(&m_messages);
        Shell::install(&m_shell);
    }
    ~QuietDesktop() {
        Shell::install(nullptr);
        MessageService::install(nullptr);
    }
    QuietDesktop(const QuietDesktop&) = delete;
    QuietDesktop& operator=(const QuietDesktop&) = delete;

private:
    struct Messages : MessageService {
        bool show(QWidget*, Kind, const QString&) override { return true; }
    } m_messages;
    struct Nowhere : Shell {
        void open(const QUrl&) override {}
    } m_shell;
};
