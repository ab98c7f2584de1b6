#pragma once
#include <cstdint>

// Counts the whole seconds of a monotonic clock since the start, for the
// once-a-second tick. A window timer re-armed for a fixed 1000 ms drifts by
// the lateness of every delivery, and a delivery that never came (the thread
// was blocked, the computer slept) would cost the timers a second each; so
// each delivery is told how many whole seconds have passed since the last
// one it counted, and the timer is re-armed for the next whole second since
// the start. Seconds are counted, not deliveries: an early or doubled
// delivery can never count one second twice.
class TickSchedule {
public:
    static constexpr int64_t periodMs = 1000;
    // A delivery this early still counts the second it was armed for; window
    // timers round to the system's timer quantum either way.
    static constexpr int64_t earlyToleranceMs = 20;

    struct Due {
        int64_t seconds = 0;  // whole seconds to apply now; 0 for an early delivery
        int64_t delayMs = periodMs;  // to arm for the next one
    };

    explicit TickSchedule(int64_t startMs = 0) : startMs_(startMs) {}

    void restart(int64_t nowMs) {
        startMs_ = nowMs;
        counted_ = 0;
    }
    // A delivery at `nowMs`: counts the seconds due and gives the next delay.
    Due onTick(int64_t nowMs);
    // The delay to the next second not yet counted, counting nothing.
    int64_t delayToNext(int64_t nowMs) const;
    int64_t secondsCounted() const { return counted_; }

private:
    int64_t startMs_;
    int64_t counted_ = 0;
};
