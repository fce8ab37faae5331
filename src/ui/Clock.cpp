#include "Clock.h"

namespace {
QDateTime g_fixed;
}

QDateTime Clock::now() { return g_fixed.isValid() ? g_fixed : QDateTime::currentDateTime(); }
void Clock::fix(const QDateTime& moment) { g_fixed = moment; }
