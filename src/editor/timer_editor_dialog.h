#pragma once
#include <windows.h>

#include "app/app_state.h"

// Opens the timer editor over the main window: in add mode it appends a new
// timer to the table, in edit mode it rewrites the selected one. Returns when
// the editor closes (at once when it refuses to open).
void runTimerEditor(const AppState& app, bool addMode);

// The editor's dialog procedure (dialog 131); its creation parameter is 1 for
// add mode and 0 for edit mode. It serves only dialogs that runTimerEditor opens.
INT_PTR CALLBACK TimerEditorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
