#pragma once

#include "ui/MessageService.h"

#include <QList>
#include <QString>

// In place of the message boxes while it lives: records every box and answers questions from a
// script (Yes when it runs out).
class RecordingMessages : public MessageService {
public:
    struct Shown {
        Kind kind;
        QString text;
    };
    RecordingMessages() { install(this); }
    ~RecordingMessages() override { install(nullptr); }
    bool show(QWidget*, Kind kind, const QString& text) override {
        shown.append({kind, text});
        return kind == Question ? (answers.isEmpty() ? true : answers.takeFirst()) : true;
    }
    void clear() { shown.clear(); }
    QList<Shown> shown;
    QList<bool> answers;
};
