#pragma once
#include "app/app_state.h"

// The commands that act on rows of the timer list: Play/Pause, Restart,
// Delete, Move up and Move down (by their command ids).
void runRowCommand(const AppState& app, int commandId);

// Sorts the list by a clicked column; each sort runs the other way from the
// one before, whatever the column.
void sortTimerList(const AppState& app, int column);

// Greys the menu items that cannot apply to the current selection, in the
// menu bar and in the list's context menu.
void updateMenuStates(const AppState& app);
