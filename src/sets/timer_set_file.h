#pragma once
#include <cstddef>

#include "sets/text_buffer.h"
#include "timers/timer_table.h"

// The whole table as the text of a timer set file (INI, CR LF lines). With
// `withProgress` (autosave.ini) each timer also keeps its elapsed time, in a
// sixteenth key that readers of the fifteen skip; a named set starts from
// zero and does not.
TextBuffer buildTimerSetText(const TimerTable& table, bool withProgress = false);

// Empties the table and fills it from the text of a timer set file (at most
// 100 timers). Selects row 0 when at least one timer was loaded. Returns the
// number of timers loaded.
// A named set (`lastRun` false) comes back as it was saved, every timer
// from 00:00:00. The list of the last run (`lastRun` true) comes back
// paused where each timer stood, those that ran marked to resume; a timer
// that had finished comes back from 00:00:00, its work done.
int readTimerSetText(TimerTable& table, const char* data, std::size_t size, bool lastRun);
