#pragma once
#include <string>

#include "timers/timer_table.h"

// What the big clock and the progress bar show.
struct ClockView {
    std::string text;
    int position = 0;  // percent, 0..100
    // The selected row and what decides its taskbar progress; row -1: none.
    int row = -1;
    TimerId id = 0;
    int32_t state = Running;
    bool limited = false;
};

// `systemSecond` is the seconds value of the current system time (a paused
// timer blinks on odd seconds); `localTimeText` is the locale's time of day,
// shown when no timer is selected.
ClockView computeClockView(const TimerTable& table, int systemSecond, const std::string& localTimeText);
