#pragma once
#include <windows.h>

#include "app/app_state.h"

// The maker's web site, opened by "Home page".
extern const char homePageAddress[];
// The user manual, looked up in the current directory.
extern const char userManualFile[];

// The About box (dialog 142); its creation parameter is the AppState.
void runAboutBox(const AppState& app);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Both hand their target to the shell; a missing file or browser shows
// nothing of the program's own. They return the shell's answer (above 32
// when it opened the target, else an SE_ERR_ code), which the program
// leaves alone.
int openUserManual(const AppState& app);
int openHomePage(const AppState& app);
