#pragma once
#include <windows.h>

#include "app/app_state.h"

// "Books...": the report of a period (dialog 143), one row per description
// with a total, or the single entries; the hours of each day drawn above;
// Copy, Export... and Open folder. Its creation parameter is the AppState.
void runBooksDialog(const AppState& app);
INT_PTR CALLBACK BooksDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
