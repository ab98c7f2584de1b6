#include "timers/tick_schedule.h"

TickSchedule::Due TickSchedule::onTick(int64_t nowMs) {
    Due due;
    if (nowMs < startMs_) {
        // The clock stepped back, which a monotonic one never does: count
        // afresh from here rather than wait for a second that is far off.
        restart(nowMs);
        return due;
    }
    const int64_t reached = (nowMs - startMs_ + earlyToleranceMs) / periodMs;
    if (reached > counted_) {
        due.seconds = reached - counted_;
        counted_ = reached;
    }
    due.delayMs = delayToNext(nowMs);
    return due;
}

int64_t TickSchedule::delayToNext(int64_t nowMs) const {
    const int64_t delay = startMs_ + (counted_ + 1) * periodMs - nowMs;
    return delay < 1 ? 1 : delay;
}
