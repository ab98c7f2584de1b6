#pragma once
#include <cstdint>

// Keeps the once-a-second tick on the wall clock. A window timer re-armed
// for a fixed 1000 ms drifts by the lateness of every delivery; this one is
// re-armed for the time left to the next whole second since the start, so
// tick n arrives about n seconds after it. A tick that never came (the
// thread was busy for seconds) is not made up: the schedule moves on.
class TickSchedule {
public:
    static constexpr int64_t periodMs = 1000;

    explicit TickSchedule(int64_t startMs = 0) : startMs_(startMs) {}

    void restart(int64_t nowMs) {
        startMs_ = nowMs;
        ticks_ = 0;
    }
    // Call when a tick is delivered; returns the delay to arm for the next.
    int64_t onTick(int64_t nowMs);
    int64_t ticksDelivered() const { return ticks_; }

private:
    int64_t startMs_;
    int64_t ticks_ = 0;
};
