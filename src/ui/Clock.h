#pragma once

#include <QDate>
#include <QDateTime>

// Today and now, fixed by tests.
class Clock {
public:
    static QDateTime now();
    static QDate today() { return now().date(); }
    // An invalid value returns to the system clock.
    static void fix(const QDateTime& moment);
};
