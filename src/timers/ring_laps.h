#pragma once
#include <cstdint>
#include <deque>
#include <vector>

// How a Top ring's rows stood at the ends of the ticks in which its top row
// was started, over the last lap: the ticks one runner takes to go round.
// Every runner takes a lap to come back to where it was, so a ring that
// stands as it stood a lap ago, with nothing from outside started in it
// since, will do the same again lap after lap.
class RingLaps {
public:
    // What decides a row's future, at the end of a tick.
    struct RowPhase {
        int32_t state;
        int32_t flags;
        int64_t elapsed;
        int64_t untilEvent;
        bool operator==(const RowPhase& other) const;
    };
    using Phases = std::vector<RowPhase>;

    void setLap(int64_t ticks) { lap_ = ticks; }
    int64_t lap() const { return lap_; }
    // Keeps how the ring stands at the end of `tick`, with how many times
    // each of its rows has finished so far; true when it stood so exactly a
    // lap before.
    bool cameRound(int64_t tick, Phases phases, std::vector<int64_t> finishes);
    // After cameRound said so: how many times each row finished in that
    // lap, and so in every lap like it.
    const std::vector<int64_t>& finishesInLap() const { return finishesInLap_; }
    // A row of the ring was started from outside it: what it did before no
    // longer tells what it will do.
    void forget() { seen_.clear(); }

private:
    struct Seen {
        int64_t tick;
        Phases phases;
        std::vector<int64_t> finishes;
    };
    int64_t lap_ = 0;
    std::deque<Seen> seen_;  // oldest first, none older than a lap
    std::vector<int64_t> finishesInLap_;
};
