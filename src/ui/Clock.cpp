#include "Clock.h"

namespace {

class SystemClock : public Clock {
public:
    QDateTime current() const override { return QDateTime::currentDateTime(); }
};

SystemClock g_system;
Clock* g_current = nullptr;

} // namespace

Clock& Clock::instance() { return g_current ? *g_current : g_system; }
void Clock::install(Clock* clock) { g_current = clock; }
