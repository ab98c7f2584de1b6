#pragma once
#include <cstdint>
#include <vector>

#include "timers/ring_laps.h"
#include "timers/running_timers.h"
#include "timers/tick_report.h"
#include "timers/timer_table.h"

// Runs the timers of the table forward by a number of whole seconds, with
// the rules of the once-a-second walk: every running timer advances, a
// limited one that reaches its set time finishes and starts the next or the
// top row, and a started row skips its first tick. The result is exactly
// that of the same number of single ticks, but it is worked out on records
// in memory, and it costs about the same for a week as for a second: a row
// whose next event (a skipped tick, a completion) lies ahead simply counts
// on, and a Top ring at the top of the table that has come round to where
// it was skips its laps, while the rows below it go on by their own events.
//
// Only the rows it needs are read (the running ones, and those a chain
// starts), and each row that changed is written back once, at the end.
class TickRun {
public:
    explicit TickRun(TimerTable& table);

    void advance(int64_t seconds);
    // Writes every changed row back; true when a change is one the timer set
    // file holds (a state, or the skip flag), not only a time.
    bool writeBack();

    // The rows that finished at least once, in the order they first did,
    // with their records as they finished.
    const std::vector<int>& finishedRows() const { return finishedRows_; }
    const TimerRecord& record(int row) const { return rows_[static_cast<std::size_t>(row)].record; }
    // The row a chain started last, or -1: the selection follows it.
    int lastStartedRow() const { return lastStart_.row; }
    // The rows running at the end, from the records in hand: a row that was
    // neither running nor started by a chain does not run now.
    RunningTimers runningTimers() const;
    // The events it applied one by one, each a row's skipped tick or its
    // finish: the work a catch-up did, which the laps it skipped spare.
    int64_t eventsWalked() const { return eventsWalked_; }
    // The runs each row ended and began, for a run of `seconds`.
    TickReport report() const;

private:
    struct Row {
        TimerRecord before;  // as the table showed it
        TimerRecord record;  // as it stands at the end of tick `validThrough`
        bool loaded = false;
        int64_t validThrough = 0;
        int64_t nextEvent = 0;  // the tick of its next skip or completion
        unsigned version = 0;   // tells a row's current event from stale ones
        RowRuns runs;
    };
    struct Event {
        int64_t tick;
        int row;
        unsigned version;
    };
    // A chain's start of a row: the later of two is the one of the later
    // tick, or of the same tick further down the walk. The rows below a ring
    // whose laps are skipped are walked ahead of it, so starts are not seen
    // in order.
    struct Start {
        int64_t tick = -1;
        int walker = -1;
        int row = -1;
        bool isLaterThan(const Start& other) const;
    };

    struct ComesLater {
        bool operator()(const Event& a, const Event& b) const;
    };
    Row& load(int index);
    int64_t elapsedAt(const Row& row, int64_t tick) const;
    void bringTo(Row& row, int64_t tick);
    void schedule(int index);
    void pushEvent(int index);
    void visit(int index, int64_t tick);
    int startedByFinish(int index) const;
    void finish(int index, int64_t tick);
    void start(int index, int64_t tick, int walker);
    void noteStart(const Start& start);

    void findRing();
    RingLaps::Phases ringPhases(int64_t tick) const;
    std::vector<int64_t> ringFinishes() const;
    void skipRepeatedLaps(int64_t tick);
    bool ringFrozen() const { return frozenAt_ >= 0; }
    bool startsRingRow(const Event& event) const;
    void freezeRing(int64_t tick);
    void thawRing(int64_t beforeTick);

    TimerTable& table_;
    std::vector<Row> rows_;
    std::vector<Event> events_;  // a heap, earliest tick and row first
    int64_t endTick_ = 0;
    Start lastStart_;
    std::vector<int> finishedRows_;
    std::vector<bool> hasFinished_;
    int64_t eventsWalked_ = 0;

    int64_t lapTick_ = -1;  // a tick in which a Top chain started the top row
    int ringRows_ = -1;     // the rows of the Top ring at the top, 0 for none, -1 until known
    RingLaps laps_;
    // While the ring's laps are skipped its rows stand as at the end of
    // tick `frozenAt_`, any whole number of laps ago.
    int64_t frozenAt_ = -1;
    Start ringLastStart_;
};
