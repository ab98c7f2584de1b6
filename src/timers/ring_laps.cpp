#include "timers/ring_laps.h"

bool RingLaps::RowPhase::operator==(const RowPhase& other) const {
    return state == other.state && flags == other.flags && elapsed == other.elapsed &&
           untilEvent == other.untilEvent;
}

bool RingLaps::cameRound(int64_t tick, Phases phases) {
    while (!seen_.empty() && seen_.front().tick < tick - lap_) seen_.pop_front();
    const bool round = !seen_.empty() && seen_.front().tick == tick - lap_ && seen_.front().phases == phases;
    seen_.push_back({tick, std::move(phases)});
    return round;
}
