#pragma once
#include <cstdint>

#include "timers/timer_table.h"

// What the notification area tells of the timers that run: how many, the
// countdown that will finish first and, for want of one, the first count-up.
// Rows are added top first; a row that does not run is passed over.
class RunningTimers {
public:
    void add(int row, const TimerRecord& record);

    int count() const { return count_; }
    // The running countdown with the least time left (the top one of a
    // tie), or -1; then the first running count-up, or -1.
    int soonestCountdown() const { return soonest_.row; }
    int firstCountUp() const { return countUp_.row; }
    // The countdown's time left, or the count-up's elapsed time, in seconds;
    // and its description.
    int64_t shownSeconds() const;
    const char* shownName() const;

private:
    struct Shown {
        int row = -1;
        int64_t seconds = 0;
        char name[timerTextSize] = {};
    };
    static void keep(Shown& shown, int row, int64_t seconds, const TimerRecord& record);

    int count_ = 0;
    Shown soonest_;
    Shown countUp_;
};

// Reads the running rows of the table; only their state is read of the others.
RunningTimers findRunningTimers(const TimerTable& table);
