#pragma once
#include <cstddef>

#include "sets/text_buffer.h"
#include "timers/timer_table.h"

// The whole table as the text of a timer set file (INI, CR LF lines).
TextBuffer buildTimerSetText(const TimerTable& table);

// Empties the table and fills it from the text of a timer set file (at most
// 100 timers). With `pauseAll` every timer comes back paused. Selects row 0
// when at least one timer was loaded. Returns the number of timers loaded.
int readTimerSetText(TimerTable& table, const char* data, std::size_t size, bool pauseAll);
