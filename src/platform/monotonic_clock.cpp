#include "platform/monotonic_clock.h"

#include <windows.h>

#include <utility>

namespace {
MonotonicClock& replacement() {
    static MonotonicClock instance;
    return instance;
}
}  // namespace

int64_t monotonicMs() {
    if (replacement()) return replacement()();
    return static_cast<int64_t>(GetTickCount64());
}

void setMonotonicClock(MonotonicClock clock) { replacement() = std::move(clock); }
