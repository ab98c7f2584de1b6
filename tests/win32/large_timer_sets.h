#pragma once
#include "timers/timer_table.h"

// Fills a table with the largest set the program writes: 100 timers whose
// four texts are all 259 characters long. `variant` changes every timer, so
// two variants give files that differ throughout.
void fillLargeTimerSet(TimerTable& table, char variant);
