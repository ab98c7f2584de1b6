#pragma once
#include <string>

#include "timers/timer_table.h"

// What the big clock and the progress bar show.
struct ClockView {
    std::string text;
    int position = 0;  // percent, 0..100
};

// `systemSecond` is the seconds value of the current system time (a paused
// timer blinks on odd seconds); `localTimeText` is the locale's time of day,
// shown when no timer is selected.
ClockView computeClockView(const TimerTable& table, int systemSecond, const std::string& localTimeText);
