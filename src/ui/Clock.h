#pragma once

#include <QDate>
#include <QDateTime>

// Today and now. Tests install a FixedClock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime current() const = 0;

    static Clock& instance();
    // Tests put their own clock in place; nullptr restores the system clock.
    static void install(Clock* clock);

    static QDateTime now() { return instance().current(); }
    static QDate today() { return now().date(); }
};

// The test stand-in: a moment that moves only when the test sets it.
class FixedClock : public Clock {
public:
    explicit FixedClock(const QDateTime& moment) : moment(moment) { install(this); }
    ~FixedClock() override { install(nullptr); }
    QDateTime current() const override { return moment; }
    QDateTime moment;
};
