#pragma once

#include <QList>
#include <QString>

class QWidget;

// Every message box of the program goes through here, so tests can read what was said and answer
// questions without a modal window (tests/common/RecordingMessages.h). Texts are kept verbatim; line breaks are turned for display only.
class MessageService {
public:
    enum Kind { Warning, Error, Information, Question, Plain };

    virtual ~MessageService() = default;
    // Returns true for Yes (questions) or OK; only a question's answer is meaningful.
    virtual bool show(QWidget* parent, Kind kind, const QString& text) = 0;

    static MessageService& instance();
    // Tests put their own service in place; nullptr restores the real one.
    static void install(MessageService* service);
};

namespace msg {
inline void warning(QWidget* p, const QString& t) { MessageService::instance().show(p, MessageService::Warning, t); }
inline void error(QWidget* p, const QString& t) { MessageService::instance().show(p, MessageService::Error, t); }
inline void information(QWidget* p, const QString& t) {
    MessageService::instance().show(p, MessageService::Information, t);
}
inline void plain(QWidget* p, const QString& t) { MessageService::instance().show(p, MessageService::Plain, t); }
// True when the user answers Yes.
inline bool question(QWidget* p, const QString& t) {
    return MessageService::instance().show(p, MessageService::Question, t);
}
} // namespace msg
