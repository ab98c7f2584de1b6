#pragma once
#include <windows.h>

#include "app/app_state.h"

// "Enter file name" (dialog 136): saves the whole table as a named set.
void runSaveSetDialog(const AppState& app);
// "Load timers" (dialog 137): lists the saved sets; loads or deletes one.
void runLoadSetDialog(const AppState& app);

// The creation parameter of both dialogs is the program's AppState.
INT_PTR CALLBACK SaveSetDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK LoadSetDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// True when a directory search for `path` finds anything: a folder of that
// name counts, and wildcards act as patterns.
bool fileExists(const char* path);
