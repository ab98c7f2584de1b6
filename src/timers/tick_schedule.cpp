#include "timers/tick_schedule.h"

int64_t TickSchedule::onTick(int64_t nowMs) {
    ++ticks_;
    int64_t elapsed = nowMs - startMs_;
    // Missed seconds are skipped, not counted: the next due tick is the first
    // one still in the future.
    int64_t due = ticks_ + 1;
    if (elapsed >= due * periodMs) due = elapsed / periodMs + 1;
    int64_t delay = startMs_ + due * periodMs - nowMs;
    if (delay < 1) delay = 1;
    if (delay > periodMs + periodMs / 2) {
        // The clock stepped back: start counting afresh from here.
        startMs_ = nowMs;
        ticks_ = 0;
        delay = periodMs;
    }
    return delay;
}
