#pragma once
#include <windows.h>

#include "app/app_state.h"
#include "command/timer_command.h"

// Adds the timer, starts it and says so in a balloon; the window stays
// where it is, so the user stays where they typed.
TimerCommandAnswer addTimerFromCommand(const AppState& app, const TimerCommand& command);

// A WM_COPYDATA from any program on the desktop: only a payload of ours
// that reads back whole, and comes while its start still waits (`nowMs`
// is GetTickCount64's count), is taken.
TimerCommandAnswer receiveTimerCommand(const AppState& app, const COPYDATASTRUCT* data, uint64_t nowMs);
