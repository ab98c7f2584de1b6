#pragma once
#include <cstdint>

#include "timers/timer_table.h"

// A full table that keeps the tick busy for as long as it runs: a ring of
// 20 limited timers chained by Next whose last one starts the top row again
// (Top), so that one completes every few seconds for ever; 40 limited
// timers without a chain that finish once each, spread over the first hour
// (some play a sound, some start a program); and 40 timers without a limit,
// most of them priced and running, some paused, one near the 99:59:59 stop.
namespace soak {
constexpr int ringRows = 20;
constexpr int oneShotRows = 40;
constexpr int firstOneShot = ringRows;
constexpr int firstCounter = ringRows + oneShotRows;
constexpr int nearTheStopRow = maxTimers - 1;
constexpr int pausedEvery = 5;  // every fifth counter is paused

void fillTimers(TimerTable& table);
// The same table with every ring timer at 1 second: the busiest a chain can
// be, a lap every 21 seconds for ever.
void fillTimersWithOneSecondRing(TimerTable& table);

int ringSetSeconds(int row);  // 2 to 6
int oneShotSetSeconds(int row);
// Completions after `ticks` ticks from a freshly filled table, as the order
// of the walk makes them (see tickTimers).
int64_t expectedCompletions(int64_t ticks);
}  // namespace soak
