#pragma once
#include <string>

#include "command/timer_command.h"
#include "editor/editor_model.h"
#include "timers/timer_table.h"

// Appends the timer a command line asks for, made as the editor makes a new
// one with these values: the limit on with the set time (or counting up
// without one), chain Off, no price, the default reminder sound, started as
// Play starts it or paused. TableFull leaves the table as it was.
EditorProblem addCommandedTimer(TimerTable& table, const TimerCommand& command);

// The balloon's words for a timer just added: "Tea: 00:25:00, started".
std::string commandedTimerNotice(const TimerCommand& command);
