#pragma once
#include "app/app_state.h"

// Shows the selected timer (or the time of day) on the big clock and the bar,
// and its progress on the taskbar button.
void refreshClock(const AppState& app);
