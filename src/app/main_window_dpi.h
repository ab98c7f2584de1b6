#pragma once
#include <windows.h>

#include "app/app_state.h"

// The main window's own pixel sizes at a display scale. The dialog manager
// scales the window's template; what the program sizes itself is here.

// The clock's font and the window's icons for `dpi`. (The list's columns and
// state icons are made for it when the list is set up.)
void applyMainWindowDpi(const AppState& app, int dpi);

// WM_DPICHANGED: the window moved to a monitor of another scale. It takes
// the rectangle the system suggests, and the clock's font, the columns (in
// proportion, as the user may have dragged them, the description filling
// the rest), the state icons and the window's icons are made again for the
// new DPI, which is returned.
int onMainWindowDpiChanged(const AppState& app, int oldDpi, WPARAM wParam, LPARAM lParam);
