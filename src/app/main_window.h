#pragma once
#include <windows.h>

#include "app/app_state.h"

// The dialog procedure of the main window (dialog 129). Its creation
// parameter is the program's AppState.
INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void initMainWindow(AppState& app);
