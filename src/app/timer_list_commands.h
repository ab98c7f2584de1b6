#pragma once
#include "app/app_state.h"
#include "timers/list_control.h"
#include "timers/timer_record.h"

// The commands that act on rows of the timer list: Play/Pause, Restart,
// Delete, Move up, Move down and Resume timers (by their command ids).
void runRowCommand(const AppState& app, int commandId);

// The user is about to start a timer's run over, edit or delete it: its
// stretch in the books ends with the values it has now, and its sound stops
// repeating.
void endTimerRun(const AppState& app, TimerId id, const TimerRecord& record);

// Sorts the list by a clicked column; each sort runs the other way from the
// one before, whatever the column. The column's header shows which way.
void sortTimerList(const AppState& app, int column);
// After anything that may change the rows: once a row was added, moved or
// the list loaded anew, no column's arrow is shown any more.
void forgetSortOnceMoved(const AppState& app);

// Greys the menu items that cannot apply to the current selection, in the
// menu bar and in the list's context menu.
void updateMenuStates(const AppState& app);
// "Resume timers" is there only while a timer of the last run waits for it.
// It reads every row, so the tick asks for it only when it changed a flag.
void updateResumeItem(const AppState& app);
