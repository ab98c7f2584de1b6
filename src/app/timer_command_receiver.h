#pragma once
#include <windows.h>

#include "app/app_state.h"
#include "command/timer_command.h"

// What the main window answers a start that hands it a timer (the result of
// its WM_COPYDATA). Anything else, 0 included, means the payload was refused.
enum TimerCommandAnswer : LRESULT {
    timerCommandRefused = 0,
    timerCommandAdded = 1,
    timerCommandListFull = 2,
    timerCommandNotReady = 3,  // the window is still setting up: ask again
};

// Adds the timer, starts it and says so in a balloon; the window stays
// where it is, so the user stays where they typed.
TimerCommandAnswer addTimerFromCommand(const AppState& app, const TimerCommand& command);

// A WM_COPYDATA from any program on the desktop: only a payload of ours
// that reads back whole is taken.
TimerCommandAnswer receiveTimerCommand(const AppState& app, const COPYDATASTRUCT* data);
