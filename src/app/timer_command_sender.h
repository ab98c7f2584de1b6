#pragma once
#include <windows.h>

#include "app/app_state.h"
#include "command/timer_command.h"

// Hands a timer to the running instance's main window and waits for its
// answer; returns the process's exit code: 0 when the timer is in the list
// and saved, 3 when it is in the list but the list cannot be saved, 2 when
// it is not in the list. Every code but 0 comes after a box that says why.
int sendTimerCommand(const AppState& app, HWND running, const TimerCommand& command);

// A refusal: a box naming the problem above the accepted forms.
void showCommandRefusal(const AppState& app, const char* problem);
