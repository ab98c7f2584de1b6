#pragma once
#include "app/app_state.h"

// A key pressed or a button clicked in any window of the program (the main
// window, a dialog, a message box, a menu) tells that the user is back: the
// sounds that repeat until then stop. Every window of the program runs in a
// dialog's or a menu's message loop, which a message filter sees.
void installInputWatch(const AppState& app);
void removeInputWatch();
