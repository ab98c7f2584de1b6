#pragma once
#include "app/app_state.h"

// Writes the whole timer table to `path`. On failure shows "Error operation
// of save!" (owned by the main window) and returns false.
bool saveTimerSet(const char* path, const AppState& app);

// Empties the table and loads the timers of `path`; refreshes the clock when
// at least one timer was loaded. The timers that leave end their stretches
// in the books; the list of the last run (`pauseAll`) also has the books
// record the stretches a kill interrupted.
void loadTimerSet(const char* path, const AppState& app, bool pauseAll);
