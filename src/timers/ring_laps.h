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
    // Keeps how the ring stands at the end of `tick`; true when it stood so
    // exactly a lap before.
    bool cameRound(int64_t tick, Phases phases);
    // A row of the ring was started from outside it: what it did before no
    // longer tells what it will do.
    void forget() { seen_.clear(); }

private:
    struct Seen {
        int64_t tick;
        Phases phases;
    };
    int64_t lap_ = 0;
    std::deque<Seen> seen_;  // oldest first, none older than a lap
};
