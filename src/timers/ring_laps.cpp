#include "timers/ring_laps.h"

bool RingLaps::RowPhase::operator==(const RowPhase& other) const {
    return state == other.state && flags == other.flags && elapsed == other.elapsed &&
           untilEvent == other.untilEvent;
}

bool RingLaps::cameRound(int64_t tick, Phases phases, std::vector<int64_t> finishes) {
    while (!seen_.empty() && seen_.front().tick < tick - lap_) seen_.pop_front();
    const bool round = !seen_.empty() && seen_.front().tick == tick - lap_ && seen_.front().phases == phases;
    if (round) {
        finishesInLap_ = finishes;
        for (std::size_t i = 0; i < finishes.size(); ++i) finishesInLap_[i] -= seen_.front().finishes[i];
    }
    seen_.push_back({tick, std::move(phases), std::move(finishes)});
    return round;
}
