#pragma once
#include <windows.h>

#include "app/app_state.h"

// Puts accelerator table 109 in force for the main window while dialog loops
// of this thread run (a modal dialog's loop never translates accelerators).
void installAcceleratorHook(const AppState& app);
void removeAcceleratorHook();
LRESULT CALLBACK AccelHookProc(int code, WPARAM wParam, LPARAM lParam);
