#pragma once
#include <cstdint>
#include <vector>

#include "timers/timer_record.h"
#include "timers/list_control.h"

// What one tick did to a row's runs, for those who follow a timer through
// them (the books, the alarm) and not only through how it stands after.
// Ticks count from 1, the first second the tick applied, to `seconds`, the
// moment it ran; 0 means none. A run ends when it reaches its set time (a
// finish) or when a chain starts it over while it still runs (a cut); a
// chain's start begins the next from zero.
struct RowRuns {
    int row = -1;
    TimerId id = 0;
    TimerRecord record;        // as the tick left it
    int64_t finishes = 0;      // runs that reached the set time
    std::vector<int64_t> cutAt;  // the elapsed seconds of each run that was cut, in order
    int64_t firstStart = 0;    // a chain's first start of the row, if any
    int64_t lastStart = 0;
    int64_t lastEnd = 0;       // the last run's end, finish or cut
    int64_t lastFinish = 0;

    int64_t endedRuns() const { return finishes + static_cast<int64_t>(cutAt.size()); }
};

// A finish whose sound repeats until the user is back is played by the
// repeats, not by the tick. A catch-up leaves them only the finishes of its
// last ten minutes; an older one plays once, as any finish does.
constexpr int64_t soundRepeatSeconds = 600;
inline bool repeatsSound(const TimerRecord& r) { return (r.flags & repeatSound) != 0 && r.actionType == PlayWave; }
inline bool soundRepeats(const RowRuns& runs, int64_t seconds) {
    return runs.finishes > 0 && repeatsSound(runs.record) && seconds - runs.lastFinish < soundRepeatSeconds;
}

// The rows whose runs a tick ended or began, top row first; a row that only
// counted on is not among them.
struct TickReport {
    int64_t seconds = 0;
    std::vector<RowRuns> rows;
};
